#pragma once

#include "projects/session.h"

#include <QByteArray>
#include <QString>

// A project laid out as a new project leaves it, made here without the new-project dialog:
// projet.ini, map 01's folders, sheet, map file and block file from the tool's templates.
// It becomes the session's current project.
void layOutProject(Session &session, const QString &name = QStringLiteral("Demo"),
                   const QString &author = QStringLiteral("Ann"));
// Adds map NN as "New Map" would, and sets [Jeu] cartes to it.
void addMap(Session &session, const QString &map);

// The map file and block file of map NN in the current project, byte for byte.
QByteArray mapBytes(const Session &session, const QString &map);
QByteArray blockBytes(const Session &session, const QString &map);
// A template's bytes followed by the CR LF that savefile adds.
QByteArray templateCopy(const Session &session, const QString &name);

// Writes a tile set's texture.ini (and nothing else) under the tool folder.
void writeTileSet(const Session &session, const QString &set, int tiles);
// Removes tile sets from the given number on.
void removeTileSetsFrom(const Session &session, int first);

// Rows of 17 identical characters, each followed by CR LF.
QByteArray rows(char cell, int count = 9);
