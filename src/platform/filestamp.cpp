#include "platform/filestamp.h"

#include <QFile>

#include <sys/stat.h>

#include <cerrno>
#include <ctime>

namespace {

// Longer than a tick of any file system's clock (FAT keeps two seconds).
constexpr long long kSettleNs = 2'000'000'000LL;

long long nanoseconds(const timespec &t)
{
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

} // namespace

bool FileStamp::operator==(const FileStamp &other) const
{
    return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
           modifiedNs == other.modifiedNs && changedNs == other.changedNs;
}

FileStamp stampOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        // A file that is surely not there stays so until it comes; any other failure tells
        // nothing, and the file is read again.
        FileStamp missing;
        missing.settled = errno == ENOENT || errno == ENOTDIR;
        return missing;
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<unsigned long long>(st.st_dev);
    stamp.inode = static_cast<unsigned long long>(st.st_ino);
    stamp.size = static_cast<long long>(st.st_size);
    stamp.modifiedNs = nanoseconds(st.st_mtim);
    stamp.changedNs = nanoseconds(st.st_ctim);
    stamp.settled = nanoseconds(now) - stamp.modifiedNs >= kSettleNs;
    return stamp;
}
