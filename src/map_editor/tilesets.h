#pragma once

#include "platform/saved.h"
#include "projects/module1.h"

#include <QString>

#include <optional>

class Session;

// The tile sets of the tool's data folder: "terrain" + TT under data/images/terrains, each
// with texture.ini ([texture] nbimg) and its pictures "terrain0" + i + ".JPG".
namespace tilesets {

// The map file holds one character per cell, so only codes 0 to 9 read back as painted.
constexpr int kMaxBrush = 10;

QString folder(const QString &toolFolder, const QString &set);
// Picture i of a set ("terrain01.JPG" for 1, "terrain010.JPG" for 10).
QString picturePath(const QString &toolFolder, const QString &set, long long number);
// The sheet the game draws from, "terrain01.png".
QString sheetPath(const QString &toolFolder, const QString &set);

// [texture] nbimg of the set as read ("" when the set is missing).
QString tileCountText(const QString &toolFolder, const QString &set);
// The consecutive sets from 01 whose texture.ini has an nbimg; the first gap ends the count.
int count(const QString &toolFolder);
// The tile brush's highest value for a set: its nbimg, at most 10; 1 when nbimg is missing
// or not a whole number from 1 to 32767.
int brushMaximum(const QString &toolFolder, const QString &set);

// [Carte<NN>] texture of the current project.
QString mapTileSet(const Session &session, const QString &map);
// The same through a cache, for a redraw that asks ten times a second.
QString mapTileSet(const Session &session, const QString &map, Module1::IniCache &cache);

// The project's copy of map NN's sheet, images/map<NN>/terrain.png.
QString mapSheetPath(const Session &session, const QString &map);

struct Change {
    // [Carte<NN>] texture; when it could not be written the sheet was left alone.
    Saved entry;
    bool sheetFound = false;
    // The sheet's copy; not tried, with no reason, when the entry or the set's sheet is missing.
    Saved sheet = Saved::failed(QString());
};
// Copies the set's sheet to the project's images/map<NN>/terrain.png, replacing it (atomically,
// so a failed copy leaves the old sheet whole).
Change copySheet(const Session &session, const QString &set, const QString &map);
// Gives map NN the tile set: [Carte<NN>] texture first, then the sheet, so that projet.ini and
// the sheet never name two different sets because of a failed write of the entry.
Change apply(const Session &session, const QString &set, const QString &map);

} // namespace tilesets
