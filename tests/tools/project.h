#pragma once

#include "harness.h"
#include "projects/module1.h"

#include <QByteArray>
#include <QDir>
#include <QString>

// A project laid out as the new-project dialog leaves it (projet.ini and its folder), made
// current in the harness's session.
inline QString makeProject(const ToolFolder &tool, Session &session, const QString &name = QStringLiteral("Demo"))
{
    QDir().mkpath(tool.file(QStringLiteral("/projets/") + name));
    const QString ini = tool.file(QStringLiteral("/projets/") + name + QStringLiteral("/projet.ini"));
    Module1::writeini("Jeu", "nom", name, ini);
    Module1::writeini("Jeu", "auteur", "Moi", ini);
    Module1::writeini("Jeu", "ver", "3.0.0", ini);
    Module1::writeini("Jeu", "cartes", "1", ini);
    Module1::writeini("Jeu", "combats", "0", ini);
    Module1::writeini("Carte01", "texture", "01", ini);
    Module1::writeini("Carte01", "nom", "Carte 1", ini);
    Module1::writeini("Variables", "nombre", "0", ini);
    session.setCurrentProject(name);
    return ini;
}

inline QString makeProject(Harness &h, const QString &name = QStringLiteral("Demo"))
{
    return makeProject(h.tool, h.session, name);
}

// The bytes of that projet.ini before any variable or fight is added.
inline const QByteArray kNewProjectIni =
    "[Jeu]\r\nnom=Demo\r\nauteur=Moi\r\nver=3.0.0\r\ncartes=1\r\ncombats=0\r\n"
    "[Carte01]\r\ntexture=01\r\nnom=Carte 1\r\n"
    "[Variables]\r\nnombre=0\r\n";
