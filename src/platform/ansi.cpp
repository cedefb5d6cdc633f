#include "platform/ansi.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace ansi {

namespace {

// Windows-1252's bytes 0x80 to 0x9F. The five it leaves undefined map to the C1 controls of
// the same value, so that every byte survives a round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QHash<char16_t, char> &highBytes()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 32; ++i)
            t.insert(kHigh[i], char(0x80 + i));
        return t;
    }();
    return table;
}

bool encodeChar(char16_t c, char &byte)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = char(c);
        return true;
    }
    const auto it = highBytes().constFind(c);
    if (it == highBytes().constEnd())
        return false;
    byte = *it;
    return true;
}

// Characters with an obvious Windows-1252 form of their own: the no-break spaces that
// keyboards and word processors type, written as the no-break space.
bool standIn(char16_t c, char &byte)
{
    if (c != 0x202F && c != 0x2007)
        return false;
    byte = char(0xA0);
    return true;
}

// Every character written as it stands, when Windows-1252 holds them all.
bool writeExact(const QString &text, QByteArray &bytes)
{
    bytes.resize(text.size());
    char *out = bytes.data();
    for (const QChar c : text) {
        if (!encodeChar(c.unicode(), *out++))
            return false;
    }
    return true;
}

// The byte of one character as the user sees it (a letter and its combining accents, an
// emoji, a flag): itself when Windows-1252 holds it as it stands, its composed form when
// Windows-1252 has that ("e" and a combining acute as "é"), a stand-in, or nothing.
bool characterByte(QStringView character, char &byte)
{
    if (character.size() == 1 &&
        (encodeChar(character.at(0).unicode(), byte) || standIn(character.at(0).unicode(), byte)))
        return true;
    const QString composed = character.toString().normalized(QString::NormalizationForm_C);
    return composed.size() == 1 &&
           (encodeChar(composed.at(0).unicode(), byte) || standIn(composed.at(0).unicode(), byte));
}

// The bytes of a text; `lost`, when given, gets each character written as '?', once. Only a
// text that Windows-1252 cannot hold is taken apart into characters, so no other text changes
// by a byte.
QByteArray write(const QString &text, QStringList *lost)
{
    QByteArray bytes;
    if (writeExact(text, bytes))
        return bytes;
    bytes.resize(text.size());
    qsizetype n = 0;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end = characters.toNextBoundary(); end > start;
         start = end, end = characters.toNextBoundary()) {
        const QStringView character = QStringView(text).sliced(start, end - start);
        char byte;
        if (characterByte(character, byte)) {
            bytes[n++] = byte;
            continue;
        }
        // A line break (CR LF) and other runs of characters that Windows-1252 holds, one by one.
        bool held = true;
        for (const QChar c : character)
            held = held && encodeChar(c.unicode(), byte);
        if (held) {
            for (const QChar c : character)
                encodeChar(c.unicode(), bytes[n++]);
            continue;
        }
        bytes[n++] = '?';
        if (lost && !lost->contains(character))
            lost->append(character.toString());
    }
    bytes.truncate(n);
    return bytes;
}

// Reads the whole file into the buffer from its start, growing the buffer when it is too small;
// `size` is how many bytes it then holds.
bool readWhole(const QByteArray &native, QByteArray &buffer, qsizetype &size)
{
    size = 0;
    if (native.isEmpty())
        return false;
    // Opened without waiting, and read only when it is a regular file: a FIFO in a project
    // file's place would otherwise block the program for good (the map editor rereads
    // projet.ini ten times a second), and a device could give bytes without end.
    int fd;
    do
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // A regular file says its size: one read asking one byte more takes it whole and shows that
    // it ends there. A file that says it is empty (as those of /proc do) is read until a read
    // gives nothing.
    const qsizetype known = qsizetype(st.st_size);
    for (;;) {
        const qsizetype room = size < known ? known + 1 - size : std::max<qsizetype>(4096, size);
        if (buffer.size() < size + room)
            buffer.resize(size + room);
        const ssize_t got = ::read(fd, buffer.data() + size, size_t(room));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        size += got;
        if (known > 0 && size >= known && got < room)
            return true;
    }
}

} // namespace

// One character for each byte and one byte for each character, so both are written in place.
QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = QChar(u >= 0x80 && u < 0xA0 ? kHigh[u - 0x80] : char16_t(u));
    }
    return text;
}

QByteArray encode(const QString &text)
{
    return write(text, nullptr);
}

bool canEncode(const QString &text)
{
    char b;
    for (const QChar c : text)
        if (!encodeChar(c.unicode(), b))
            return false;
    return true;
}

Stored store(const QString &text)
{
    Stored stored;
    stored.text = decode(write(text, &stored.lost));
    return stored;
}

bool readFile(const QString &path, QByteArray &bytes)
{
    QByteArray read;
    qsizetype size = 0;
    if (!readWhole(QFile::encodeName(path), read, size))
        return false;
    read.truncate(size);
    bytes = std::move(read);
    return true;
}

bool FileReader::readNative(const QByteArray &path)
{
    if (readWhole(path, m_buffer, m_size))
        return true;
    // Whatever a failed read got shows nothing.
    m_size = 0;
    return false;
}

QString readFailure(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return qt_error_string(errno);
    struct stat st;
    const bool statted = ::fstat(fd, &st) == 0;
    const int error = errno;
    ::close(fd);
    if (!statted)
        return qt_error_string(error);
    if (S_ISDIR(st.st_mode))
        return qt_error_string(EISDIR);
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("not a regular file");
    return qt_error_string(EIO);
}

bool writeAll(QIODevice &device, QByteArrayView bytes)
{
    // Qt reports a short write as a success without the platform's reason; the next write,
    // which takes nothing, gives it.
    while (!bytes.isEmpty()) {
        const qint64 written = device.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

Saved replaceFileWith(const QString &path, const std::function<bool(QIODevice &)> &writer)
{
    if (path.isEmpty())
        return Saved::failed(qt_error_string(ENOENT));
    QSaveFile file(path);
    // Unbuffered: QSaveFile's own buffer takes up to 16 KB without a word, and on a full disk
    // the error comes only at its flush inside commit(), which then still renames the cut-off
    // file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Saved::failed(file.errorString());
    if (!writer(file) || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Saved::failed(reason);
    }
    if (!file.commit())
        return Saved::failed(file.errorString());
    return {};
}

Saved replaceFile(const QString &path, const QByteArray &bytes)
{
    return replaceFileWith(path, [&](QIODevice &device) { return writeAll(device, bytes); });
}

} // namespace ansi
