#include "platform/ini.h"

#include "platform/ansi.h"
#include "platform/iniseam.h"

#include <QFileInfo>
#include <QList>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <optional>

namespace ini {

namespace {

FileRead &fileRead()
{
    static FileRead read = ansi::readFile;
    return read;
}

// Calls f(text, end) for every line of the file, each part a view into the bytes: the text,
// then its own line end (CR LF, LF or CR; none on an unended last line). f returns false to
// stop there.
template <class F> void forEachLine(QByteArrayView bytes, F &&f)
{
    const char *const data = bytes.data();
    const qsizetype n = bytes.size();
    // Where the next LF lies (n when none is left), looked for again only once passed, so that
    // a file of lone CRs is not searched to its end for every line.
    qsizetype lf = -1;
    qsizetype start = 0;
    while (start < n) {
        if (lf < start) {
            const void *found = std::memchr(data + start, '\n', size_t(n - start));
            lf = found ? static_cast<const char *>(found) - data : n;
        }
        const void *cr = std::memchr(data + start, '\r', size_t(lf - start));
        const qsizetype stop = cr ? static_cast<const char *>(cr) - data : lf;
        const bool crlf = stop + 1 < n && data[stop] == '\r' && data[stop + 1] == '\n';
        const qsizetype endLength = stop == n ? 0 : crlf ? 2 : 1;
        if (!f(bytes.sliced(start, stop - start), bytes.sliced(stop, endLength)))
            return;
        start = stop + endLength;
    }
}

// One line of the file with its own line end, kept as it was read.
struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> splitLines(const QByteArray &bytes)
{
    QList<Line> lines;
    forEachLine(bytes, [&](QByteArrayView text, QByteArrayView end) {
        lines.append({text.toByteArray(), end.toByteArray()});
        return true;
    });
    return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArrayView trimBlanks(QByteArrayView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

bool isQuoted(QByteArrayView v)
{
    return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

// Names match without regard to ASCII case, as the Windows functions match them; every other
// byte (an accented letter among them) matches only itself.
char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// Turns a name, where it stands, into the one spelling that all the spellings sameName matches
// share.
void fold(char *name, qsizetype size)
{
    std::transform(name, name + size, name, lower);
}

// What a line of the file is to the reader, the snapshot and the writer alike.
struct Parsed {
    enum Kind { Other, Section, Entry } kind = Other;
    // The section's or the key's name, trimmed.
    QByteArrayView name;
    // An entry's value as it reads back: trimmed, then one pair of outer quotes removed.
    QByteArrayView value;
};

// A header line names a section; a comment, a line without "=" or anything else is no entry.
Parsed parseLine(QByteArrayView line)
{
    const QByteArrayView t = trimBlanks(line);
    if (t.startsWith('[')) {
        const qsizetype close = t.indexOf(']');
        return {Parsed::Section, trimBlanks(close < 0 ? t.sliced(1) : t.sliced(1, close - 1)), {}};
    }
    const qsizetype eq = line.indexOf('=');
    if (t.startsWith(';') || eq < 0)
        return {};
    QByteArrayView value = trimBlanks(line.sliced(eq + 1));
    if (isQuoted(value))
        value = value.sliced(1, value.size() - 2);
    return {Parsed::Entry, trimBlanks(line.first(eq)), value};
}

// What a lookup gives back: at most bufferSize - 1 characters of the value found, as a buffer
// that keeps one place for the terminating NUL holds them; "" when none was found.
QString answer(std::optional<QByteArrayView> value, int bufferSize)
{
    if (!value || bufferSize <= 0)
        return QString();
    return ansi::decode(value->first(std::min<qsizetype>(value->size(), bufferSize - 1)));
}

// Where a section starts and ends: [header, end) with end the next header or the file's end.
struct Span {
    qsizetype header = -1;
    qsizetype end = -1;
};

bool isSection(const Line &line)
{
    return parseLine(line.text).kind == Parsed::Section;
}

Span findSection(const QList<Line> &lines, QByteArrayView section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Parsed p = parseLine(lines[i].text);
        if (p.kind == Parsed::Section && sameName(p.name, section)) {
            qsizetype j = i + 1;
            while (j < lines.size() && !isSection(lines[j]))
                ++j;
            return {i, j};
        }
    }
    return {};
}

// A value the reader would change (blanks at either end, outer quotes) goes inside quotes.
QByteArray storedValue(QByteArray v)
{
    // A line break would end the entry early and make a line of its own.
    v.replace('\r', ' ').replace('\n', ' ');
    const bool blankEnds = !v.isEmpty() && (isBlank(v.front()) || isBlank(v.back()));
    return blankEnds || isQuoted(v) ? '"' + v + '"' : v;
}

// A name as the snapshot keeps it: in Windows-1252, folded. Names are short and plain, so this
// needs no allocation; the generator looks up thousands in a row.
using FoldedName = QVarLengthArray<char, 64>;

FoldedName foldedName(const QString &name)
{
    FoldedName f(name.size());
    char *out = f.data();
    for (const QChar c : name) {
        if (c.unicode() >= 0x80) {
            const QByteArray bytes = ansi::encode(name);
            f = FoldedName(bytes.begin(), bytes.end());
            break;
        }
        *out++ = char(c.unicode());
    }
    fold(f.data(), f.size());
    return f;
}

QByteArrayView view(const FoldedName &name)
{
    return QByteArrayView(name.constData(), name.size());
}

} // namespace

FileReadSeam::FileReadSeam(FileRead read) : m_replaced(std::exchange(fileRead(), std::move(read))) {}

FileReadSeam::~FileReadSeam()
{
    fileRead() = std::move(m_replaced);
}

Snapshot::Snapshot(const QString &file)
{
    if (!fileRead()(file, m_bytes))
        return;
    m_read = true;
    // Names are folded where they stand, in this copy of the file, and every name and value is
    // a view into it: no lookup needs the file's own spelling.
    char *const data = m_bytes.data();
    const auto foldHere = [data](QByteArrayView name) {
        fold(data + (name.data() - data), name.size());
        return name;
    };
    m_sections.reserve(m_bytes.size() / 64);
    m_values.reserve(m_bytes.size() / 32);
    // Lines before the first section, and in a later section of a name already seen, are read
    // by no lookup.
    int current = -1;
    forEachLine(QByteArrayView(data, m_bytes.size()), [&](QByteArrayView line, QByteArrayView) {
        const Parsed p = parseLine(line);
        if (p.kind == Parsed::Section) {
            const QByteArrayView section = foldHere(p.name);
            current = m_sections.contains(section) ? -1 : int(m_sections.size());
            if (current >= 0)
                m_sections.insert(section, current);
        } else if (p.kind == Parsed::Entry && current >= 0) {
            const std::pair<int, QByteArrayView> entry{current, foldHere(p.name)};
            if (!m_values.contains(entry))
                m_values.insert(entry, p.value);
        }
        return true;
    });
}

QString Snapshot::value(const QString &section, const QString &key, int bufferSize) const
{
    std::optional<QByteArrayView> found;
    if (const int s = m_sections.value(view(foldedName(section)), -1); s >= 0) {
        const auto it = m_values.constFind({s, view(foldedName(key))});
        if (it != m_values.constEnd())
            found = *it;
    }
    return answer(found, bufferSize);
}

QString read(const QString &section, const QString &key, const QString &file, int bufferSize)
{
    QByteArray bytes;
    if (!fileRead()(file, bytes))
        return QString();
    const QByteArray sectionBytes = ansi::encode(section);
    const QByteArray keyBytes = ansi::encode(key);
    // Only the first section of the name is read, up to the first key of the name in it.
    bool inside = false;
    std::optional<QByteArrayView> found;
    forEachLine(bytes, [&](QByteArrayView line, QByteArrayView) {
        const Parsed p = parseLine(line);
        if (p.kind == Parsed::Section) {
            if (inside)
                return false;
            inside = sameName(p.name, sectionBytes);
        } else if (inside && p.kind == Parsed::Entry && sameName(p.name, keyBytes)) {
            found = p.value;
            return false;
        }
        return true;
    });
    return answer(found, bufferSize);
}

Saved write(const QString &section, const QString &key, const QString &value, const QString &file)
{
    QByteArray bytes;
    // Only a missing file is created: one that exists but cannot be read stays as it is.
    if (!fileRead()(file, bytes)) {
        if (QFileInfo::exists(file))
            return Saved::failed(ansi::readFailure(file));
        bytes.clear();
    }
    QList<Line> lines = splitLines(bytes);
    const QByteArray sectionBytes = ansi::encode(section);
    const QByteArray keyBytes = ansi::encode(key);
    const QByteArray stored = storedValue(ansi::encode(value));
    const QByteArray crlf("\r\n");

    const Span span = findSection(lines, sectionBytes);
    if (span.header < 0) {
        if (!lines.isEmpty() && lines.back().end.isEmpty())
            lines.back().end = crlf;
        lines.append({'[' + sectionBytes + ']', crlf});
        lines.append({keyBytes + '=' + stored, crlf});
    } else {
        qsizetype lastKey = span.header;
        bool replaced = false;
        for (qsizetype i = span.header + 1; i < span.end; ++i) {
            const Parsed p = parseLine(lines[i].text);
            if (p.kind != Parsed::Entry)
                continue;
            if (sameName(p.name, keyBytes)) {
                // The file's own spelling of the key stays.
                lines[i].text = p.name.toByteArray() + '=' + stored;
                if (lines[i].end.isEmpty())
                    lines[i].end = crlf;
                replaced = true;
                break;
            }
            lastKey = i;
        }
        if (!replaced) {
            if (lines[lastKey].end.isEmpty())
                lines[lastKey].end = crlf;
            lines.insert(lastKey + 1, {keyBytes + '=' + stored, crlf});
        }
    }

    QByteArray out;
    out.reserve(bytes.size() + 64);
    for (const Line &l : lines)
        out += l.text + l.end;
    return ansi::replaceFile(file, out);
}

} // namespace ini
