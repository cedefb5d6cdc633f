#pragma once

#include <QString>

// What the file system says of a file, to tell whether it changed since it was last read
// without reading it again: a file replaced through a rename, or rewritten in place, changes at
// least one of these.
struct FileStamp {
    bool exists = false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modifiedNs = 0;
    long long changedNs = 0;
    // False while the file changed so recently that another change could still leave all of the
    // above as they are: the clock that dates changes moves in ticks of milliseconds, and on some
    // file systems of whole seconds. What was read of such a file is read again.
    bool settled = false;

    // The same file with the same times and size; `settled` plays no part.
    bool operator==(const FileStamp &other) const;
};

// A missing file has a stamp of its own, so that its coming back shows as a change.
FileStamp stampOf(const QString &path);

// Whether what was read of a file stamped `before` still holds when its stamp is `now`.
inline bool unchangedSince(const FileStamp &before, const FileStamp &now)
{
    return before.settled && before == now;
}
