#pragma once

#include <QString>

// The four procedures through which every window reaches INI entries and text files.
// None of them ever reports a failure.
namespace Module1 {

QString readini(const QString &section, const QString &key, const QString &file);
void writeini(const QString &section, const QString &key, const QString &value, const QString &file);
QString loadfile(const QString &path);
void savefile(const QString &content, const QString &path);

} // namespace Module1
