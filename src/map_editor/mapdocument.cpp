#include "map_editor/mapdocument.h"

#include "map_editor/tilesets.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>
#include <utility>

namespace mapdoc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// A row of a file: 17 characters and its CR LF.
constexpr int kLineLength = kColumns + 2;
// The map file's rows start after the hero start line.
constexpr int kMapRowsStart = 6;

QString section(const QString &map)
{
    return QStringLiteral("Carte") + map;
}

std::optional<int> heroNumber(const QString &caption)
{
    const std::optional<long long> n = wholeNumber(caption);
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*n);
}

} // namespace

QString cellText(const Cell &cell)
{
    if (const auto *text = std::get_if<QString>(&cell))
        return *text;
    if (const auto *number = std::get_if<long long>(&cell))
        return QString::number(*number);
    return QString();
}

bool isBlocked(const Cell &cell)
{
    const auto *text = std::get_if<QString>(&cell);
    return text && *text == QLatin1String("1");
}

std::optional<long long> pictureNumber(const Cell &tile)
{
    if (const auto *number = std::get_if<long long>(&tile))
        return *number + 1;
    if (const auto *text = std::get_if<QString>(&tile)) {
        const std::optional<long long> code = wholeNumber(*text);
        return code ? std::optional<long long>(*code + 1) : std::nullopt;
    }
    return 1;
}

std::optional<int> hitCell(float x, float y)
{
    const float xs = x + float(kHitWidening);
    const float ys = y + float(kHitWidening);
    for (int r = 0; r < kShownRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            if (xs > float(kCellWidth * c) && x < float(kCellWidth * c + kCellWidth) && ys > float(kCellHeight * r) &&
                y < float(kCellHeight * r + kCellHeight))
                return cellIndex(r, c);
    return std::nullopt;
}

void readRows(const QString &mapText, const QString &blockText, MapState &state)
{
    for (int r = 0; r < kShownRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const int i = cellIndex(r, c);
            state.tiles[i] = mapText.mid(kMapRowsStart + r * kLineLength + c, 1);
            state.blocks[i] = blockText.mid(r * kLineLength + c, 1);
        }
}

static QString rowsText(const std::array<Cell, kCells> &cells)
{
    QString text;
    for (int r = 0; r < kFileRows; ++r) {
        for (int c = 0; c < kColumns; ++c)
            text += cellText(cells[cellIndex(r, c)]);
        text += kCrLf;
    }
    return text;
}

std::optional<QString> mapText(const QString &heroColumn, const QString &heroRow, const MapState &state)
{
    const std::optional<int> column = heroNumber(heroColumn);
    const std::optional<int> row = heroNumber(heroRow);
    if (!column || !row)
        return std::nullopt;
    return pad2(*column) + pad2(*row) + kCrLf + rowsText(state.tiles);
}

QString blockText(const MapState &state)
{
    return rowsText(state.blocks);
}

QString mapFilePart(const QString &map)
{
    return QStringLiteral("/map") + map + QStringLiteral(".map");
}
QString blockFilePart(const QString &map)
{
    return QStringLiteral("/map") + map + QStringLiteral(".ev");
}

QString eventFilePart(const QString &map, int row, int column)
{
    return QStringLiteral("/ev/map") + map + QStringLiteral("/ev") + QString::number(row) + QString::number(column);
}

Loaded load(const Session &session, const QString &map, MapState &state)
{
    const QString ini = session.projectIni();
    Loaded loaded;
    loaded.texture = Module1::readini(section(map), QStringLiteral("texture"), ini);
    const QString m = Module1::loadfile(session.projectPath(mapFilePart(map)));
    const QString e = Module1::loadfile(session.projectPath(blockFilePart(map)));
    loaded.name = Module1::readini(section(map), QStringLiteral("nom"), ini);
    loaded.heroColumn = m.left(2);
    loaded.heroRow = m.mid(2, 2);
    loaded.valid = !m.isEmpty();
    if (loaded.valid)
        readRows(m, e, state);
    return loaded;
}

SaveResult save(const Session &session, const QString &map, const QString &name, const QString &heroColumn,
                const QString &heroRow, const MapState &state)
{
    SaveResult result;
    const std::optional<QString> tiles = mapText(heroColumn, heroRow, state);
    if (map.isEmpty() || !tiles)
        return result;
    const auto keep = [&result](const QString &path, const Saved &saved) {
        if (!saved)
            result.failures.append({path, saved.reason});
    };
    const QString ini = session.projectIni();
    keep(ini, Module1::writeini(section(map), QStringLiteral("nom"), name, ini));
    const QString blocks = session.projectPath(blockFilePart(map));
    keep(blocks, Module1::savefile(blockText(state), blocks));
    const QString cells = session.projectPath(mapFilePart(map));
    keep(cells, Module1::savefile(*tiles, cells));
    result.outcome = result.failures.isEmpty() ? SaveResult::Written : SaveResult::NotWritten;
    return result;
}

QList<NotSaved> reset(const Session &session, const QString &map, MapState &state)
{
    state.tiles.fill(QStringLiteral("0"));
    state.blocks.fill(QStringLiteral("0"));
    QList<NotSaved> failures;
    for (int r = 1; r <= kShownRows; ++r)
        for (int c = 1; c <= kColumns; ++c) {
            const QString cell = session.projectPath(eventFilePart(map, r, c));
            if (const Saved saved = Module1::savefile(QString(), cell); !saved)
                failures.append({cell, saved.reason});
        }
    return failures;
}

FileCount mapCount(const Session &session)
{
    return fileCount(Module1::readini(QStringLiteral("Jeu"), QStringLiteral("cartes"), session.projectIni()));
}

std::optional<int> chooserMaximum(const Session &session)
{
    const FileCount count = mapCount(session);
    if (!count.valid() || count.value < 1)
        return std::nullopt;
    return count.value;
}

NewMap createMap(const Session &session)
{
    NewMap result;
    const FileCount count = mapCount(session);
    if (!count.valid())
        return result;
    if (count.value >= kLargestCount) {
        result.outcome = NewMap::Full;
        return result;
    }
    const QString map = pad2(count.value + 1);
    result.map = map;

    // Both folders are looked at before anything is made, so a map left half-made by an
    // earlier failure is reported instead of being written over.
    const QString images = session.projectPath(QStringLiteral("/images/map") + map);
    const QString events = session.projectPath(QStringLiteral("/ev/map") + map);
    for (const QString &folder : {images, events})
        if (QFileInfo::exists(folder)) {
            result.outcome = NewMap::FolderExists;
            result.folder = folder;
            return result;
        }
    if (!QDir().mkdir(images)) {
        result.outcome = NewMap::FolderFailed;
        result.folder = images;
        return result;
    }
    if (!QDir().mkdir(events)) {
        QDir().rmdir(images);
        result.outcome = NewMap::FolderFailed;
        result.folder = events;
        return result;
    }

    // Every file written from here on is new, as its folder is, or is one of the two map files;
    // those two are removed again on a failure only when they were not there before.
    const QString blocks = session.projectPath(blockFilePart(map));
    const QString cells = session.projectPath(mapFilePart(map));
    const bool blocksExisted = QFileInfo::exists(blocks);
    const bool cellsExisted = QFileInfo::exists(cells);
    const auto undo = [&](const QString &path, const Saved &saved) {
        if (!blocksExisted)
            QFile::remove(blocks);
        if (!cellsExisted)
            QFile::remove(cells);
        QFile::remove(tilesets::mapSheetPath(session, map));
        QDir().rmdir(events);
        QDir().rmdir(images);
        result.outcome = NewMap::NotWritten;
        result.failure = {path, saved.reason};
        return result;
    };

    result.sheet = tilesets::copySheet(session, QStringLiteral("01"), map);
    const auto copyTemplate = [&](const QString &name, const QString &target) {
        return Module1::savefile(Module1::loadfile(session.toolPath(QStringLiteral("/data/") + name)), target);
    };
    if (const Saved saved = copyTemplate(QStringLiteral("ftgmev.dat"), blocks); !saved)
        return undo(blocks, saved);
    if (const Saved saved = copyTemplate(QStringLiteral("ftgmma.dat"), cells); !saved)
        return undo(cells, saved);
    // [Jeu] cartes goes last: until it is written the project does not count the map, and
    // entries of its section left by a failure are written over by the next "New Map".
    const QString ini = session.projectIni();
    for (const auto &[key, value] : {std::pair{QStringLiteral("texture"), QStringLiteral("01")},
                                     std::pair{QStringLiteral("nom"), QStringLiteral("Carte 1")}})
        if (const Saved saved = Module1::writeini(section(map), key, value, ini); !saved)
            return undo(ini, saved);
    if (const Saved saved = Module1::writeini(QStringLiteral("Jeu"), QStringLiteral("cartes"), map, ini); !saved)
        return undo(ini, saved);
    result.outcome = NewMap::Created;
    return result;
}

} // namespace mapdoc
