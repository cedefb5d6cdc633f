#pragma once

#include "map_editor/ui/eventpanel.h"
#include "projects/session.h"
#include "scripted.h"
#include "toolfolder.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

class QComboBox;
class QLabel;
class QListWidget;

// The map editor window as the panel sees it, with every call it receives recorded.
struct FakeHost : EventPanelHost {
    QString map = QStringLiteral("01");
    bool panelOpen = false;
    bool canvasEnabled = true;
    bool armed = false;
    int openings = 0;

    QString loadedMap() const override { return map; }
    void setPanelOpen(bool open) override
    {
        panelOpen = open;
        canvasEnabled = !open;
        openings += open ? 1 : 0;
    }
    void setCanvasEnabled(bool enabled) override { canvasEnabled = enabled; }
    void setHeroMoveArmed(bool a) override { armed = a; }
    bool heroMoveArmed() const override { return armed; }
};

// A project "Demo" with one map, three variables (start values 5, "", abc), and a panel in a
// plain window.
struct PanelFixture {
    explicit PanelFixture(Edition edition = Edition::English);

    QString projectFile(const QString &part) const { return session.projectPath(part); }
    void ini(const QString &section, const QString &key, const QString &value) const;

    template <class T> T *find(const char *name) const
    {
        T *control = window.findChild<T *>(QString::fromLatin1(name));
        EXPECT_TRUE(control) << name;
        return control;
    }
    void click(const char *button) const;
    QStringList lines() const { return panel->lines(); }
    QString text(const char *labelName) const;
    bool shown(const char *frameName) const;

    ToolFolder tool{false};
    ScriptedDialogs dialogs;
    FakeShell shell;
    Session session;
    FakeHost host;
    QWidget window;
    EventPanel *panel = nullptr;
};
