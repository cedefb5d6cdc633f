#include "platform/ini.h"

#include "platform/ansi.h"

#include <QList>

#include <optional>

namespace ini {

namespace {

// One line of the file with its own line end, kept as it was read.
struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> splitLines(const QByteArray &bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        Line line{bytes.mid(start, i - start), {}};
        if (i < n) {
            const qsizetype endLength = (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
            line.end = bytes.mid(i, endLength);
            i += endLength;
        }
        lines.append(line);
        start = i;
    }
    return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimBlanks(const QByteArray &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// Names match without regard to ASCII case, as the Windows functions match them.
bool sameName(const QByteArray &a, const QByteArray &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The name of a section header line, or nothing for any other line.
std::optional<QByteArray> sectionName(const QByteArray &line)
{
    const QByteArray t = trimBlanks(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return trimBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1));
}

bool isComment(const QByteArray &line) { return trimBlanks(line).startsWith(';'); }

// The key of a "key=value" line, or nothing.
std::optional<QByteArray> keyOf(const QByteArray &line)
{
    if (isComment(line) || sectionName(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return trimBlanks(line.left(eq));
}

QByteArray valueOf(const QByteArray &line)
{
    QByteArray v = trimBlanks(line.mid(line.indexOf('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

// Where a section starts and ends: [header, end) with end the next header or the file's end.
struct Span {
    qsizetype header = -1;
    qsizetype end = -1;
};

Span findSection(const QList<Line> &lines, const QByteArray &section)
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

QString read(const QString &section, const QString &key, const QString &file, int bufferSize)
{
    QByteArray bytes;
    if (bufferSize <= 0 || !ansi::readFile(file, bytes))
        return QString();
    const QList<Line> lines = splitLines(bytes);
    const Span span = findSection(lines, ansi::encode(section));
    if (span.header < 0)
        return QString();
    const QByteArray wanted = ansi::encode(key);
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        const auto k = keyOf(lines[i].text);
        if (k && sameName(*k, wanted))
            return ansi::decode(valueOf(lines[i].text).left(bufferSize - 1));
    }
    return QString();
}

bool write(const QString &section, const QString &key, const QString &value, const QString &file)
{
    QByteArray bytes;
    ansi::readFile(file, bytes); // a missing file is created
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
                lines[i].text = *k + '=' + stored;
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
