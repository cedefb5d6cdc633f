#pragma once

#include "platform/saved.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The four procedures through which every window reaches INI entries and text files.
// None of them ever shows a message: a write that fails leaves its file as it was and says
// why, and the window tells the user.
namespace Module1 {

QString readini(const QString &section, const QString &key, const QString &file);
Saved writeini(const QString &section, const QString &key, const QString &value, const QString &file);
QString loadfile(const QString &path);
Saved savefile(const QString &content, const QString &path);
// The same for a content that is already Windows-1252 bytes, such as ev.lua, made mostly of
// the cell files' own bytes.
Saved savebytes(const QByteArray &content, const QString &path);

// Many entries of one INI file from a single reading of it, for a window or the generator that
// reads them in a row: each answers what readini answered when the file was read, so a value
// written after it is not seen.
class IniSnapshot {
public:
    explicit IniSnapshot(const QString &file);
    ~IniSnapshot();
    QString readini(const QString &section, const QString &key) const;

private:
    // The platform reader's snapshot, kept out of this header so that its names stay out of
    // every window's.
    struct Parsed;
    std::unique_ptr<const Parsed> m_parsed;
};

} // namespace Module1
