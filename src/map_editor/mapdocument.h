#pragma once

#include "map_editor/tilesets.h"
#include "platform/saved.h"
#include "projects/numbers.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <variant>

class Session;

// One map as a map editor window holds it, and the two files it lives in: the map file
// (hero start, then one tile code per cell) and the block file (one flag per cell).
namespace mapdoc {

constexpr int kColumns = 17;
// The files and the generated game have 9 rows; the editor shows and edits the first 8.
constexpr int kFileRows = 9;
constexpr int kShownRows = 8;
constexpr int kShownCells = kShownRows * kColumns; // 136
constexpr int kCells = 201;

// Twips of one cell on the canvas, and the band by which a cell's hit area reaches left and up.
constexpr int kCellWidth = 420;
constexpr int kCellHeight = 435;
constexpr int kHitWidening = 150;

// A cell is unset, a text (as read from a file, or "0" after a reset) or a whole number (as
// the paint tool stores it). Each is written back as it stands; unset writes nothing.
using Cell = std::variant<std::monostate, QString, long long>;

struct MapState {
    std::array<Cell, kCells> tiles;
    std::array<Cell, kCells> blocks;
};

constexpr int cellIndex(int row0, int col0)
{
    return row0 * kColumns + col0;
}

QString cellText(const Cell &cell);
// Only the text "1" blocks a cell.
bool isBlocked(const Cell &cell);
// The number of the tile picture a cell shows (its code plus 1; an unset cell shows picture
// 1), or nothing when the code is a text that is not a number.
std::optional<long long> pictureNumber(const Cell &tile);

// The cell under a canvas position in twips: rows from the top, columns from the left, the
// first cell whose widened rectangle holds the point. The sums are single precision, as the
// mouse position arrives.
std::optional<int> hitCell(float x, float y);

// Rows 1 to 8 from the two texts at their fixed positions; a position past a text's end
// reads as the empty text. Row 9 and cells 136 to 200 are left as they are.
void readRows(const QString &mapText, const QString &blockText, MapState &state);
// The two texts savemap writes (savefile adds the final CR LF). Nothing when a hero start
// caption is not a whole number: a window whose load failed must not damage the map file.
std::optional<QString> mapText(const QString &heroColumn, const QString &heroRow, const MapState &state);
QString blockText(const MapState &state);

// "/map" + NN + ".map" and "/map" + NN + ".ev", to follow the project folder.
QString mapFilePart(const QString &map);
QString blockFilePart(const QString &map);
// The cell event file of a 1-based row and column: "/ev/map" + NN + "/ev" + row + column.
QString eventFilePart(const QString &map, int row, int column);

struct Loaded {
    QString texture;
    QString name;
    QString heroColumn;
    QString heroRow;
    // False when the map file is missing or empty: the cells were left alone.
    bool valid = false;
};

// Reads map NN of the current project into the state.
Loaded load(const Session &session, const QString &map, MapState &state);
struct SaveResult {
    enum Outcome {
        Written,
        // The map number is empty or a hero start caption is not a number: nothing was written.
        Refused,
        // Some files could not be written; each was left as it was.
        NotWritten,
    } outcome = Refused;
    QList<NotSaved> failures;

    explicit operator bool() const { return outcome == Written; }
};

// Writes the name into projet.ini, then the block file, then the map file; a file that cannot
// be written does not keep the others from being written.
SaveResult save(const Session &session, const QString &map, const QString &name, const QString &heroColumn,
                const QString &heroRow, const MapState &state);
// Every cell becomes "0" and the event files of rows 1 to 8 hold only CR LF; row 9's event
// files stay as they are. A file that cannot be emptied is skipped and returned.
QList<NotSaved> reset(const Session &session, const QString &map, MapState &state);

// [Jeu] cartes of the current project.
FileCount mapCount(const Session &session);
// The highest map a map chooser offers for [Jeu] cartes of the current project: the count;
// nothing when it is 0 or no count (fileCount), as no window lists a map then.
std::optional<int> chooserMaximum(const Session &session);

struct NewMap {
    enum Outcome {
        Created,
        // [Jeu] cartes is missing or not a whole number from 0 to 32767: nothing was written.
        NoCount,
        // The project holds 32767 maps, the most a map number can name: nothing was written.
        Full,
        // A folder of the new map is there already: nothing was written.
        FolderExists,
        // A folder could not be made: nothing was written.
        FolderFailed,
        // A map file or a projet.ini entry could not be written: the folders and files made
        // for the map were removed again and [Jeu] cartes was left as it was.
        NotWritten,
    } outcome = NoCount;
    QString map;
    // The folder that was in the way or could not be made.
    QString folder;
    // The write that failed (NotWritten).
    NotSaved failure;
    // The copy of tile set 01's sheet; when only that failed, the map was made all the same.
    tilesets::Change sheet;
};

// Adds map cartes + 1 to the current project: its two folders, the sheet of tile set 01,
// the map and block files from the templates, [Carte<NN>] texture and nom, then [Jeu] cartes.
NewMap createMap(const Session &session);

} // namespace mapdoc
