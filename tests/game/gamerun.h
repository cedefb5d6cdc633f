#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <ostream>

// Readable failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// What the stand-in Lua Player recorded of one headless run, one line per drawing call:
// "F print X Y text", "F blit X Y path", "F flip", "F clear".
struct TraceLine {
    int frame = 0;
    QString kind;
    int x = 0, y = 0;
    QString text; // the printed text, or the blitted picture's path
};

// A cell of the game's map (column and row from 1), as the game draws it on the screen.
struct Cell {
    int column = 0, row = 0;
    bool operator==(const Cell &) const = default;
};

class Trace {
public:
    static Trace parse(const QByteArray &text);

    QList<TraceLine> lines;

    // The first line at or after index `from` that matches, or -1.
    int find(const std::function<bool(const TraceLine &)> &match, int from = 0) const;
    int findPrint(const QString &text, int from = 0) const;
    int findLastPrint(const QString &text) const;
    int findBlit(const QString &pathEnd, int from = 0) const;
    bool anyPrint(const QString &text) const { return findPrint(text) >= 0; }

    // The hero's sprite drawn on a whole cell, from line `from` to line `to` (excluded), each
    // change once: "face1 2,1", "droite2" while it walks between cells is left out.
    QStringList heroStops(int from = 0, int to = -1) const;
    // Every hero picture name drawn (dos1 ... mort), each change once.
    QStringList heroSprites(int from = 0, int to = -1) const;
};

struct PlayResult {
    int exitCode = -1;
    QString errors; // standard error
    Trace trace;
    int lastFrame() const { return trace.lines.isEmpty() ? -1 : trace.lines.last().frame; }
};

// Runs TARNWICK_LUAPLAYER headless on `script` from `folder`, with the scripted presses
// (lines "F buttons..." or "F-G buttons...") and a frame limit.
PlayResult play(const QString &folder, const QString &script, const QString &keys, int frames,
                const QString &shotFolder = QString(), const QString &shotFrames = QString());

// Where the game draws the hero on a cell, and back.
int cellX(int column);
int cellY(int row);
std::optional<Cell> cellAt(int x, int y);

// A map file and a block file as the map editor saves them: the hero's start, then rows 1 to 8
// of 17 characters, row 9 as an empty line, and the final CR LF.
QByteArray mapFile(int startColumn, int startRow, const QStringList &rows);
QByteArray blockFile(const QStringList &rows);
