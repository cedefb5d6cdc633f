#include "map_editor/eventfile.h"

#include "projects/module1.h"

namespace eventfile {

QString filePart(const QString &map, const QString &row, const QString &column)
{
    return QStringLiteral("/ev/map") + map + QStringLiteral("/ev") + row + column;
}

QStringList split(const QString &text)
{
    // Positions below are 0-based; s is the position of the last LF that closed a line.
    QStringList lines;
    qsizetype s = 0;
    for (qsizetype k = 3; k < text.size(); ++k) {
        if (text.at(k - 1) == QLatin1Char('\r') && text.at(k) == QLatin1Char('\n')) {
            lines.append(text.mid(s + 1, k - s - 2));
            s = k;
        }
    }
    if (!lines.isEmpty())
        lines.first().remove(0, 1);
    return lines;
}

QString oneLine(const QString &line)
{
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

QString join(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        if (!line.isEmpty())
            text += QStringLiteral("\r\n") + line;
    }
    return text;
}

QStringList load(const QString &path)
{
    return split(Module1::loadfile(path));
}

Saved save(const QStringList &lines, const QString &path)
{
    return Module1::savefile(join(lines), path);
}

} // namespace eventfile
