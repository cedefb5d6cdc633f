#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Text files are Windows-1252 ("ANSI") with CR LF. Inside the program text is Unicode;
// conversion happens only here and is lossless for every byte value.
namespace ansi {

QString decode(const QByteArray &bytes);
// A character Windows-1252 cannot hold becomes '?', as Windows writes it.
QByteArray encode(const QString &text);
bool canEncode(const QString &text);

// Reads a whole file; false when it cannot be read.
bool readFile(const QString &path, QByteArray &bytes);
// Replaces a file atomically (a temporary file beside it, then rename): a failure leaves the
// old file whole. A missing folder creates nothing.
bool replaceFile(const QString &path, const QByteArray &bytes);
// The same with a writer of its own; a writer returning false abandons the file.
bool replaceFileWith(const QString &path, const std::function<bool(QIODevice &)> &writer);

} // namespace ansi
