#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

// Text files are Windows-1252 ("ANSI") with CR LF. Inside the program text is Unicode;
// conversion happens only here and is lossless for every byte value.
namespace ansi {

QString decode(QByteArrayView bytes);
// A character Windows-1252 cannot hold becomes '?', as Windows writes it.
QByteArray encode(const QString &text);
bool canEncode(const QString &text);

// Reads a whole file; false when it cannot be read (missing, a folder, a read error), and then
// the bytes are left as they were.
bool readFile(const QString &path, QByteArray &bytes);

// Reads whole files one after another into one buffer that it keeps, with no more system calls
// than the reading needs (open, size, read, close): the generator reads thousands of small
// files in a row.
class FileReader {
public:
    // The path as the file system names it (QFile::encodeName), for a caller that builds
    // thousands of paths from one folder. False when the file cannot be read, as readFile; the
    // bytes are then empty.
    bool readNative(const QByteArray &path);
    // The bytes of the last read, valid until the next one.
    QByteArrayView bytes() const { return QByteArrayView(m_buffer.constData(), m_size); }

private:
    QByteArray m_buffer;
    qsizetype m_size = 0;
};

// Replaces a file atomically (a temporary file beside it, then rename): a failure leaves the
// old file whole. A missing folder creates nothing.
bool replaceFile(const QString &path, const QByteArray &bytes);
// The same with a writer of its own; a writer returning false abandons the file.
bool replaceFileWith(const QString &path, const std::function<bool(QIODevice &)> &writer);

} // namespace ansi
