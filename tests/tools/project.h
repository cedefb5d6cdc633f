#pragma once

#include "harness.h"
#include "projectlayout.h"
#include "projects/module1.h"

#include <QByteArray>
#include <QString>

// A project laid out as the new-project dialog leaves it, made current in the harness's session.
inline QString makeProject(const ToolFolder &, Session &session, const QString &name = QStringLiteral("Demo"))
{
    layOutProject(session, name, QStringLiteral("Moi"));
    return session.projectIni();
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
