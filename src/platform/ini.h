#pragma once

#include <QString>

// The private-profile INI reader and writer, behaving as the Windows functions do, on
// Windows-1252 files.
namespace ini {

// Returns the value, at most bufferSize - 1 characters, or "" when the file, section or key
// is missing.
QString read(const QString &section, const QString &key, const QString &file, int bufferSize = 255);
// Stores the value, creating the file, section and key as needed. False when nothing could be
// written (a missing folder, for one).
bool write(const QString &section, const QString &key, const QString &value, const QString &file);

} // namespace ini
