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

struct IniSnapshot::Parsed {
    ini::Snapshot snapshot;
};

IniSnapshot::IniSnapshot(const QString &file) : m_parsed(new Parsed{ini::Snapshot(file)}) {}

IniSnapshot::~IniSnapshot() = default;

QString IniSnapshot::readini(const QString &section, const QString &key) const
{
    return m_parsed->snapshot.value(section, key, kIniBuffer);
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
