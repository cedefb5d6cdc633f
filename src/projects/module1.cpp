#include "projects/module1.h"

#include "platform/ansi.h"
#include "platform/ini.h"

namespace Module1 {

namespace {

// The buffer of 255 characters keeps one place for the terminating NUL.
constexpr int kIniBuffer = 255;

} // namespace

QString readini(const QString &section, const QString &key, const QString &file)
{
    return ini::read(section, key, file, kIniBuffer);
}

QString IniCache::readini(const QString &section, const QString &key, const QString &file)
{
    // The stamp is taken before the reading: a change in between shows at the next call.
    const FileStamp now = stampOf(file);
    if (file == m_file && section == m_section && key == m_key && unchangedSince(m_stamp, now))
        return m_value;
    m_value = Module1::readini(section, key, file);
    m_section = section;
    m_key = key;
    m_file = file;
    m_stamp = now;
    return m_value;
}

Saved writeini(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return ini::write(section, key, value, file);
}

QString loadfile(const QString &path)
{
    QByteArray bytes;
    return ansi::readFile(path, bytes) ? ansi::decode(bytes) : QString();
}

Saved savefile(const QString &content, const QString &path)
{
    return savebytes(ansi::encode(content), path);
}

Saved savebytes(const QByteArray &content, const QString &path)
{
    return ansi::replaceFile(path, content + "\r\n");
}

} // namespace Module1
