#include "map_editor/tilesets.h"

#include "platform/ansi.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"

#include <algorithm>

namespace tilesets {

QString folder(const QString &toolFolder, const QString &set)
{
    return toolFolder + QStringLiteral("/data/images/terrains/terrain") + set;
}

QString picturePath(const QString &toolFolder, const QString &set, long long number)
{
    return folder(toolFolder, set) + QStringLiteral("/terrain0") + QString::number(number) + QStringLiteral(".JPG");
}

QString sheetPath(const QString &toolFolder, const QString &set)
{
    return folder(toolFolder, set) + QStringLiteral("/terrain01.png");
}

QString tileCountText(const QString &toolFolder, const QString &set)
{
    return Module1::readini(QStringLiteral("texture"), QStringLiteral("nbimg"),
                            folder(toolFolder, set) + QStringLiteral("/texture.ini"));
}

int count(const QString &toolFolder)
{
    int k = 0;
    while (!tileCountText(toolFolder, pad2(k + 1)).isEmpty())
        ++k;
    return k;
}

int brushMaximum(const QString &toolFolder, const QString &set)
{
    const FileCount n = fileCount(tileCountText(toolFolder, set));
    if (!n.valid() || n.value < 1)
        return 1;
    return std::min(n.value, kMaxBrush);
}

QString mapTileSet(const Session &session, const QString &map)
{
    return Module1::readini(QStringLiteral("Carte") + map, QStringLiteral("texture"), session.projectIni());
}

QString mapTileSet(const Session &session, const QString &map, Module1::IniCache &cache)
{
    return cache.readini(QStringLiteral("Carte") + map, QStringLiteral("texture"), session.projectIni());
}

QString mapSheetPath(const Session &session, const QString &map)
{
    return session.projectPath(QStringLiteral("/images/map") + map + QStringLiteral("/terrain.png"));
}

Change copySheet(const Session &session, const QString &set, const QString &map)
{
    Change change;
    QByteArray bytes;
    change.sheetFound = ansi::readFile(sheetPath(session.toolFolder(), set), bytes);
    if (change.sheetFound)
        change.sheet = ansi::replaceFile(mapSheetPath(session, map), bytes);
    return change;
}

Change apply(const Session &session, const QString &set, const QString &map)
{
    const Saved entry =
        Module1::writeini(QStringLiteral("Carte") + map, QStringLiteral("texture"), set, session.projectIni());
    if (!entry) {
        Change change;
        change.entry = entry;
        return change;
    }
    return copySheet(session, set, map);
}

} // namespace tilesets
