#include "panel_fixture.h"

#include "projects/module1.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

PanelFixture::PanelFixture(Edition edition) : session(tool.path(), edition, dialogs, shell)
{
    session.setCurrentProject(QStringLiteral("Demo"));
    QDir().mkpath(projectFile("/ev/map01"));
    ini("Jeu", "nom", "Demo");
    ini("Jeu", "cartes", "1");
    ini("Carte01", "texture", "01");
    ini("Carte01", "nom", "Carte 1");
    ini("Variables", "nombre", "3");
    ini("Variable1", "valeur", "5");
    ini("Variable2", "valeur", "");
    ini("Variable3", "valeur", "abc");
    // Large enough to hold the panel where the map editor window puts it.
    window.resize(700, 700);
    panel = new EventPanel(session, host, &window);
    window.show();
}

void PanelFixture::ini(const QString &section, const QString &key, const QString &value) const
{
    Module1::writeini(section, key, value, session.projectIni());
}

void PanelFixture::click(const char *button) const
{
    if (QPushButton *b = find<QPushButton>(button))
        b->click();
}

QString PanelFixture::text(const char *labelName) const
{
    const QLabel *l = find<QLabel>(labelName);
    return l ? l->text() : QString();
}

bool PanelFixture::shown(const char *frameName) const
{
    const QWidget *w = find<QWidget>(frameName);
    return w && !w->isHidden();
}
