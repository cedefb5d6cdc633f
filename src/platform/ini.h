#pragma once

#include "platform/saved.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <utility>

// The private-profile INI reader and writer, behaving as the Windows functions do, on
// Windows-1252 files.
namespace ini {

// A file read and parsed once, answering any number of lookups as read() answers them for the
// file as it was then: for a window or the generator that reads many entries in a row.
class Snapshot {
public:
    // A missing or unreadable file answers "" for everything.
    explicit Snapshot(const QString &file);
    // The value, at most bufferSize - 1 characters, or "" when the section or key is missing.
    QString value(const QString &section, const QString &key, int bufferSize = 255) const;
    // False when the file was missing or could not be read.
    bool wasRead() const { return m_read; }

private:
    bool m_read = false;
    // The file's bytes, which every name and value below is a view into; they are never
    // changed after parsing, so a copy shares them and its views stay good.
    QByteArray m_bytes;
    // Names folded to one case: the first section of a name, and the first key of a name in
    // that section, are the ones read.
    QHash<QByteArrayView, int> m_sections;
    QHash<std::pair<int, QByteArrayView>, QByteArrayView> m_values;
};

// Returns the value, at most bufferSize - 1 characters, or "" when the file, section or key
// is missing. It reads the file only as far as the entry.
QString read(const QString &section, const QString &key, const QString &file, int bufferSize = 255);

// Stores the value, creating the file, section and key as needed. Fails, with the reason, when
// nothing could be written: a missing folder, a full disk, or a file that exists but cannot be
// read (it is left untouched, since rewriting it would lose every other entry).
Saved write(const QString &section, const QString &key, const QString &value, const QString &file);

} // namespace ini
