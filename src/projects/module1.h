#pragma once

#include "platform/filestamp.h"
#include "platform/saved.h"

#include <QByteArray>
#include <QString>

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

// readini for a caller that reads one entry again and again, as the map editor's redraw does ten
// times a second: the file is read again only when the file system says that it changed (or
// changed too recently to tell), so an unchanged file costs one look at its stamp whatever its
// size. A change that another program makes is seen as one the program makes.
class IniCache {
public:
    QString readini(const QString &section, const QString &key, const QString &file);

private:
    QString m_section, m_key, m_file, m_value;
    FileStamp m_stamp;
};

} // namespace Module1
