#include "platform/ansi.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QScopeGuard>

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

// Reads the whole file into the buffer from its start, growing the buffer when it is too small;
// `size` is how many bytes it then holds.
bool readWhole(const QByteArray &native, QByteArray &buffer, qsizetype &size)
{
    size = 0;
    if (native.isEmpty())
        return false;
    int fd;
    do
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    // A regular file says its size: one read asking one byte more takes it whole and shows that
    // it ends there. Anything else, or a file that says it is empty, is read until a read
    // gives nothing.
    const qsizetype known = S_ISREG(st.st_mode) ? qsizetype(st.st_size) : 0;
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
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        char b = '?';
        encodeChar(c.unicode(), b);
        *out++ = b;
    }
    return bytes;
}

bool canEncode(const QString &text)
{
    char b;
    for (const QChar c : text)
        if (!encodeChar(c.unicode(), b))
            return false;
    return true;
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

bool replaceFileWith(const QString &path, const std::function<bool(QIODevice &)> &writer)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!writer(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool replaceFile(const QString &path, const QByteArray &bytes)
{
    return replaceFileWith(path, [&](QIODevice &device) { return device.write(bytes) == bytes.size(); });
}

} // namespace ansi
