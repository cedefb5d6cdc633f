#pragma once

#include "platform/saved.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// Text files are Windows-1252 ("ANSI") with CR LF. Inside the program text is Unicode;
// conversion happens only here and is lossless for every byte value.
namespace ansi {

QString decode(QByteArrayView bytes);
// Text that Windows-1252 holds is written as it stands. In other text each character as the
// user sees it (a letter with its combining accents, an emoji, a flag) that Windows-1252
// cannot hold becomes one '?', as Windows writes it; a letter and its combining accents are
// written as their composed character when Windows-1252 has it ("e" and a combining acute as
// "é"), and the narrow and the figure no-break space (U+202F, which French keyboards put
// before "!", and U+2007) as the no-break space 0xA0.
QByteArray encode(const QString &text);
// True when every character is held as it is, with no '?' and no stand-in.
bool canEncode(const QString &text);

// What a file keeps of a text: the text as it reads back, and each character written as
// '?', once, in the order first met.
struct Stored {
    QString text;
    QStringList lost;
};
Stored store(const QString &text);

// Reads a whole file; false when it cannot be read (missing, a folder, a read error), and then
// the bytes are left as they were.
bool readFile(const QString &path, QByteArray &bytes);
// Only a regular file is read: a FIFO, a device or a socket reads as a file that cannot be
// read, at once, so that no reading ever waits. This says why a file that exists was not read,
// in the platform's words where it has them.
QString readFailure(const QString &path);

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

// Replaces a file atomically (a temporary file beside it, then rename) and only once every
// byte reached the temporary file: a failure, a full disk included, leaves the old file byte
// for byte and no temporary file. A missing folder creates nothing.
Saved replaceFile(const QString &path, const QByteArray &bytes);
// The same with a writer of its own, given an unbuffered device, so that each write fails
// where the disk does; a writer returning false abandons the file.
Saved replaceFileWith(const QString &path, const std::function<bool(QIODevice &)> &writer);
// Writes all the bytes, going on after a short write until the device takes nothing.
bool writeAll(QIODevice &device, QByteArrayView bytes);

} // namespace ansi
