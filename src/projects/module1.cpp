#include "projects/module1.h"

#include "platform/ansi.h"
#include "platform/ini.h"

namespace Module1 {

QString readini(const QString &section, const QString &key, const QString &file)
{
    // The buffer of 255 characters keeps one place for the terminating NUL.
    return ini::read(section, key, file, 255);
}

void writeini(const QString &section, const QString &key, const QString &value, const QString &file)
{
    ini::write(section, key, value, file);
}

QString loadfile(const QString &path)
{
    QByteArray bytes;
    return ansi::readFile(path, bytes) ? ansi::decode(bytes) : QString();
}

void savefile(const QString &content, const QString &path)
{
    if (path.isEmpty())
        return;
    ansi::replaceFile(path, ansi::encode(content) + "\r\n");
}

} // namespace Module1
