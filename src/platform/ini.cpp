#include "platform/ini.h"

#include "platform/ansi.h"

#include <QFileInfo>
#include <QList>
#include <QVarLengthArray>

#include <algorithm>
#include <optional>

namespace ini {

namespace {

// Calls f(text, end) for every line of the file, each part a view into the bytes: the text,
// then its own line end (CR LF, LF or CR; none on an unended last line).
template <class F> void forEachLine(QByteArrayView bytes, F &&f)
{
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        const qsizetype endLength = i == n ? 0 : (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
        f(bytes.sliced(start, i - start), bytes.sliced(i, endLength));
        start = i + endLength;
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

// Names match without regard to ASCII case, as the Windows functions match them; every other
// byte (an accented letter among them) matches only itself.
char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// The one spelling that all the spellings sameName matches share.
QByteArray folded(QByteArrayView name)
{
    QByteArray f(name.size(), Qt::Uninitialized);
    std::transform(name.begin(), name.end(), f.begin(), lower);
    return f;
}

// The name of a section header line, or nothing for any other line.
std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    const QByteArrayView t = trimBlanks(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return trimBlanks(close < 0 ? t.sliced(1) : t.sliced(1, close - 1));
}

bool isComment(QByteArrayView line) { return trimBlanks(line).startsWith(';'); }

// The key of a "key=value" line, or nothing.
std::optional<QByteArrayView> keyOf(QByteArrayView line)
{
    if (isComment(line) || sectionName(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return trimBlanks(line.first(eq));
}

QByteArrayView valueOf(QByteArrayView line)
{
    QByteArrayView v = trimBlanks(line.sliced(line.indexOf('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v;
}

// Where a section starts and ends: [header, end) with end the next header or the file's end.
struct Span {
    qsizetype header = -1;
    qsizetype end = -1;
};

Span findSection(const QList<Line> &lines, QByteArrayView section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i].text);
        if (name && sameName(*name, section)) {
            qsizetype j = i + 1;
            while (j < lines.size() && !sectionName(lines[j].text))
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
    const bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    return blankEnds || quoted ? '"' + v + '"' : v;
}

} // namespace

Snapshot::Snapshot(const QString &file)
{
    if (!ansi::readFile(file, m_bytes))
        return;
    // Names are folded where they stand, in this copy of the file, and every name and value is
    // a view into it: no lookup needs the file's own spelling.
    char *const data = m_bytes.data();
    const auto fold = [&](QByteArrayView name) {
        char *const at = data + (name.data() - data);
        std::transform(at, at + name.size(), at, lower);
        return name;
    };
    m_sections.reserve(m_bytes.size() / 64);
    m_values.reserve(m_bytes.size() / 32);
    // Lines before the first section, and in a later section of a name already seen, are read
    // by no lookup.
    int current = -1;
    forEachLine(QByteArrayView(data, m_bytes.size()), [&](QByteArrayView line, QByteArrayView) {
        if (const auto name = sectionName(line)) {
            const QByteArrayView section = fold(*name);
            current = m_sections.contains(section) ? -1 : int(m_sections.size());
            if (current >= 0)
                m_sections.insert(section, current);
        } else if (current >= 0) {
            if (const auto key = keyOf(line)) {
                const std::pair<int, QByteArrayView> entry{current, fold(*key)};
                if (!m_values.contains(entry))
                    m_values.insert(entry, valueOf(line));
            }
        }
    });
}

namespace {

// A name as the snapshot keeps it: in Windows-1252, folded. Names are short and plain, so this
// needs no allocation; the generator looks up thousands in a row.
using FoldedName = QVarLengthArray<char, 64>;

FoldedName foldedName(const QString &name)
{
    FoldedName f;
    f.resize(name.size());
    char *out = f.data();
    for (const QChar c : name) {
        if (c.unicode() >= 0x80) {
            const QByteArray bytes = folded(ansi::encode(name));
            return FoldedName(bytes.begin(), bytes.end());
        }
        *out++ = lower(char(c.unicode()));
    }
    return f;
}

QByteArrayView view(const FoldedName &name)
{
    return QByteArrayView(name.constData(), name.size());
}

} // namespace

QString Snapshot::value(const QString &section, const QString &key, int bufferSize) const
{
    if (bufferSize <= 0)
        return QString();
    const int s = m_sections.value(view(foldedName(section)), -1);
    if (s < 0)
        return QString();
    const FoldedName k = foldedName(key);
    const auto it = m_values.constFind({s, view(k)});
    return it == m_values.constEnd() ? QString()
                                     : ansi::decode(it->first(std::min<qsizetype>(it->size(), bufferSize - 1)));
}

QString read(const QString &section, const QString &key, const QString &file, int bufferSize)
{
    if (bufferSize <= 0)
        return QString();
    return Snapshot(file).value(section, key, bufferSize);
}

Saved write(const QString &section, const QString &key, const QString &value, const QString &file,
            const FileRead &readFile)
{
    QByteArray bytes;
    // Only a missing file is created: one that exists but cannot be read stays as it is.
    if (!readFile(file, bytes)) {
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
            const auto k = keyOf(lines[i].text);
            if (!k)
                continue;
            if (sameName(*k, keyBytes)) {
                // The file's own spelling of the key stays.
                lines[i].text = k->toByteArray() + '=' + stored;
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
