#include "projectlayout.h"

#include "map_editor/mapdocument.h"
#include "map_editor/tilesets.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "toolfolder.h"

#include <QDir>
#include <QFile>

using Module1::writeini;

void addMap(Session &session, const QString &map)
{
    QDir().mkpath(session.projectPath(QStringLiteral("/images/map") + map));
    QDir().mkpath(session.projectPath(QStringLiteral("/ev/map") + map));
    QFile::copy(tilesets::sheetPath(session.toolFolder(), QStringLiteral("01")),
                session.projectPath(QStringLiteral("/images/map") + map + QStringLiteral("/terrain.png")));
    Module1::savefile(Module1::loadfile(session.toolPath(QStringLiteral("/data/ftgmev.dat"))),
                      session.projectPath(mapdoc::blockFilePart(map)));
    Module1::savefile(Module1::loadfile(session.toolPath(QStringLiteral("/data/ftgmma.dat"))),
                      session.projectPath(mapdoc::mapFilePart(map)));
    const QString ini = session.projectIni();
    writeini(QStringLiteral("Carte") + map, QStringLiteral("texture"), QStringLiteral("01"), ini);
    writeini(QStringLiteral("Carte") + map, QStringLiteral("nom"), QStringLiteral("Carte 1"), ini);
    writeini(QStringLiteral("Jeu"), QStringLiteral("cartes"), map, ini);
}

void layOutProject(Session &session, const QString &name, const QString &author)
{
    session.setCurrentProject(name);
    QDir().mkpath(session.projectFolder());
    const QString ini = session.projectIni();
    writeini(QStringLiteral("Jeu"), QStringLiteral("nom"), name, ini);
    writeini(QStringLiteral("Jeu"), QStringLiteral("auteur"), author, ini);
    writeini(QStringLiteral("Jeu"), QStringLiteral("ver"), QStringLiteral("3.0.0"), ini);
    writeini(QStringLiteral("Jeu"), QStringLiteral("cartes"), QStringLiteral("1"), ini);
    writeini(QStringLiteral("Jeu"), QStringLiteral("combats"), QStringLiteral("0"), ini);
    addMap(session, QStringLiteral("01"));
    writeini(QStringLiteral("Jeu"), QStringLiteral("cartes"), QStringLiteral("1"), ini);
    writeini(QStringLiteral("Variables"), QStringLiteral("nombre"), QStringLiteral("0"), ini);
}

QByteArray mapBytes(const Session &session, const QString &map)
{
    return readBytes(session.projectPath(mapdoc::mapFilePart(map)));
}

QByteArray blockBytes(const Session &session, const QString &map)
{
    return readBytes(session.projectPath(mapdoc::blockFilePart(map)));
}

QByteArray templateCopy(const Session &session, const QString &name)
{
    return readBytes(session.toolPath(QStringLiteral("/data/") + name)) + "\r\n";
}

void writeTileSet(const Session &session, const QString &set, int tiles)
{
    const QString folder = tilesets::folder(session.toolFolder(), set);
    QDir().mkpath(folder);
    writeini(QStringLiteral("texture"), QStringLiteral("nbimg"), QString::number(tiles),
             folder + QStringLiteral("/texture.ini"));
}

void removeTileSetsFrom(const Session &session, int first)
{
    for (int n = first; n < 100; ++n)
        QDir(tilesets::folder(session.toolFolder(), pad2(n))).removeRecursively();
}

QByteArray rows(char cell, int count)
{
    QByteArray text;
    for (int r = 0; r < count; ++r)
        text += QByteArray(17, cell) + "\r\n";
    return text;
}
