#pragma once

#include "platform/filestamp.h"

#include <QByteArray>
#include <QString>

// The four procedures through which every window reaches INI entries and text files.
// None of them ever shows a message.
namespace Module1 {

QString readini(const QString &section, const QString &key, const QString &file);
void writeini(const QString &section, const QString &key, const QString &value, const QString &file);
QString loadfile(const QString &path);
// True when the file was written; the windows ignore it, as they always have, but the
// generator must not tell the user a game is ready when its scripts were not replaced.
bool savefile(const QString &content, const QString &path);
// The same for a content that is already Windows-1252 bytes, such as ev.lua, made mostly of
// the cell files' own bytes.
bool savebytes(const QByteArray &content, const QString &path);

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
