#include "gamerun.h"

#include "toolfolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

Trace Trace::parse(const QByteArray &text)
{
    Trace trace;
    for (const QByteArray &raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).remove(QLatin1Char('\r'));
        const QStringList words = line.split(QLatin1Char(' '));
        if (words.size() < 2)
            continue;
        TraceLine t;
        t.frame = words[0].toInt();
        t.kind = words[1];
        if (words.size() >= 4) {
            t.x = words[2].toInt();
            t.y = words[3].toInt();
            t.text = words.mid(4).join(QLatin1Char(' '));
        }
        trace.lines.append(t);
    }
    return trace;
}

int Trace::find(const std::function<bool(const TraceLine &)> &match, int from) const
{
    for (int i = std::max(from, 0); i < lines.size(); ++i) {
        if (match(lines[i]))
            return i;
    }
    return -1;
}

int Trace::findPrint(const QString &text, int from) const
{
    return find([&](const TraceLine &t) { return t.kind == "print" && t.text == text; }, from);
}

int Trace::findLastPrint(const QString &text) const
{
    for (int i = int(lines.size()) - 1; i >= 0; --i) {
        if (lines[i].kind == "print" && lines[i].text == text)
            return i;
    }
    return -1;
}

int Trace::findBlit(const QString &pathEnd, int from) const
{
    return find([&](const TraceLine &t) { return t.kind == "blit" && t.text.endsWith(pathEnd); }, from);
}

static QString heroPicture(const TraceLine &t)
{
    static const QString folder = QStringLiteral("images/personnages/hero/");
    const int at = t.text.lastIndexOf(folder);
    if (t.kind != "blit" || at < 0)
        return QString();
    return t.text.mid(at + folder.size()).chopped(4); // without ".png"
}

QStringList Trace::heroStops(int from, int to) const
{
    QStringList stops;
    for (int i = std::max(from, 0); i < (to < 0 ? lines.size() : to); ++i) {
        const QString sprite = heroPicture(lines[i]);
        const std::optional<Cell> cell = cellAt(lines[i].x, lines[i].y);
        if (sprite.isEmpty() || !cell)
            continue;
        const QString stop = QStringLiteral("%1 %2,%3").arg(sprite).arg(cell->column).arg(cell->row);
        if (stops.isEmpty() || stops.last() != stop)
            stops.append(stop);
    }
    return stops;
}

QStringList Trace::heroSprites(int from, int to) const
{
    QStringList sprites;
    for (int i = std::max(from, 0); i < (to < 0 ? lines.size() : to); ++i) {
        const QString sprite = heroPicture(lines[i]);
        if (!sprite.isEmpty() && (sprites.isEmpty() || sprites.last() != sprite))
            sprites.append(sprite);
    }
    return sprites;
}

PlayResult play(const QString &folder, const QString &script, const QString &keys, int frames,
                const QString &shotFolder, const QString &shotFrames)
{
    QTemporaryDir work;
    const QString keyFile = work.filePath("keys.txt");
    const QString traceFile = work.filePath("trace.txt");
    writeBytes(keyFile, keys.toUtf8());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LUAPLAYER_FRAMES", QString::number(frames));
    env.insert("LUAPLAYER_KEYS", keyFile);
    env.insert("LUAPLAYER_TRACE", traceFile);
    if (!shotFolder.isEmpty()) {
        env.insert("LUAPLAYER_SHOTS", shotFolder);
        env.insert("LUAPLAYER_SHOT_FRAMES", shotFrames);
    }
    QProcess player;
    player.setProcessEnvironment(env);
    player.setWorkingDirectory(folder);
    player.start(QStringLiteral(TARNWICK_LUAPLAYER), {script});
    PlayResult result;
    if (!player.waitForFinished(60000)) {
        player.kill();
        player.waitForFinished();
        ADD_FAILURE() << "the player did not end at its frame limit";
    }
    result.exitCode = player.exitStatus() == QProcess::NormalExit ? player.exitCode() : -1;
    result.errors = QString::fromUtf8(player.readAllStandardError());
    result.trace = Trace::parse(readBytes(traceFile));
    return result;
}

int cellX(int column)
{
    return 2 + (column - 1) * 28;
}

int cellY(int row)
{
    return (row - 1) * 29;
}

std::optional<Cell> cellAt(int x, int y)
{
    if ((x - 2) % 28 != 0 || y % 29 != 0)
        return std::nullopt;
    return Cell{(x - 2) / 28 + 1, y / 29 + 1};
}

QByteArray mapFile(int startColumn, int startRow, const QStringList &rows)
{
    QByteArray text = QStringLiteral("%1%2\r\n")
                          .arg(startColumn, 2, 10, QLatin1Char('0'))
                          .arg(startRow, 2, 10, QLatin1Char('0'))
                          .toLatin1();
    for (const QString &row : rows)
        text += row.toLatin1() + "\r\n";
    return text + "\r\n\r\n";
}

QByteArray blockFile(const QStringList &rows)
{
    QByteArray text;
    for (const QString &row : rows)
        text += row.toLatin1() + "\r\n";
    return text + "\r\n\r\n";
}
