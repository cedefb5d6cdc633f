#include "harness.h"
#include "projectlayout.h"

#include "map_editor/ui/mapeditor.h"
#include "platform/twips.h"
#include "projects/ui/controlpanel.h"
#include "shell/acc.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

// The program as start-up leaves it: the main window made and started as runTarnwick does.
struct Started {
    explicit Started(const ToolFolder &tool) : session(tool.path(), Edition::English, dialogs, shell), mainform(session)
    {
        mainform.startUp();
        QApplication::processEvents();
    }
    ScriptedDialogs dialogs;
    FakeShell shell;
    Session session;
    Mainform mainform;
};

bool shownAndActive(Mainform &m)
{
    Acc *acc = m.welcome();
    return acc && acc->subWindow()->isVisible() && m.mdiArea()->activeSubWindow() == acc->subWindow();
}

} // namespace

TEST(Startup, MainWindowHasItsTitleAndOneMenuItem)
{
    Harness h;
    EXPECT_EQ(h.mainform->windowTitle(), "Tarnwick 3");
    const QList<QAction *> items = h.mainform->menuBar()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), "Menu");
    EXPECT_EQ(items[0]->menu(), nullptr);
    EXPECT_TRUE(items[0]->shortcut().isEmpty());
}

// Whatever becomes of "projets", start-up goes on to the welcome screen without a word.
TEST(Startup, MakesProjectsFolderAndShowsWelcomeScreen)
{
    enum Before { Missing, Exists, IsAFile };
    for (Before before : {Missing, Exists, IsAFile}) {
        SCOPED_TRACE(int(before));
        ToolFolder tool;
        const QString projets = tool.file("/projets");
        if (before == Exists) {
            QDir().mkdir(projets);
            writeBytes(projets + "/kept.txt", "x");
        }
        if (before == IsAFile)
            writeBytes(projets, "not a folder");
        Started program(tool);

        EXPECT_TRUE(shownAndActive(program.mainform));
        EXPECT_TRUE(program.dialogs.shown.isEmpty());
        if (before == IsAFile) {
            EXPECT_TRUE(QFileInfo(projets).isFile());
            EXPECT_EQ(readBytes(projets), "not a folder");
        } else {
            EXPECT_TRUE(QFileInfo(projets).isDir());
        }
        if (before == Exists) {
            EXPECT_EQ(readBytes(projets + "/kept.txt"), "x");
        }
    }
}

// Maximized is what a window manager keeps; where none runs, maximized alone does nothing, and the
// frame's own size covers the same area. That size is also what the frame comes back to.
TEST(Startup, FrameCoversTheScreensAvailableArea)
{
    ToolFolder tool;
    Started program(tool);
    Mainform &mainform = program.mainform;

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(mainform.isVisible());
    EXPECT_TRUE(mainform.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(mainform.frameGeometry(), available);
    EXPECT_EQ(mainform.normalGeometry().size(), available.size());
    mainform.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(mainform.size(), available.size());
}

// On a 1366 x 768 screen, with no window manager's title bar above the frame, the dashboard and an
// English map editor beside it, as the program places it, lie wholly in the frame's client area:
// no scroll bar, and the editor's close button in sight.
TEST(Startup, DashboardAndEnglishMapEditorFitSideBySide)
{
    Harness h;
    h.mainform->setGeometry(0, 0, 1366, 768);
    layOutProject(h.session);
    h.mainform->showDashboard();
    mapeditor *editor = h.mainform->openMapEditor("01");
    h.settle();

    const QMdiArea *area = h.mainform->mdiArea();
    const QRect client = area->viewport()->rect();
    const QRect dashboard = h.mainform->dashboard()->subWindow()->geometry();
    const QRect beside = editor->subWindow()->geometry();
    EXPECT_EQ(beside.topLeft(), QPoint(dashboard.width(), 0));
    EXPECT_TRUE(client.contains(dashboard));
    EXPECT_TRUE(client.contains(beside)) << "right " << beside.right() << ", bottom " << beside.bottom() << " in "
                                         << client.width() << " x " << client.height();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

TEST(Startup, MenuShowsWelcomeScreenAtTopLeftFromEveryState)
{
    enum State { Shown, Hidden, Closed, NeverMade };
    for (State state : {Shown, Hidden, Closed, NeverMade}) {
        SCOPED_TRACE(int(state));
        Harness h;
        if (state != NeverMade) {
            h.mainform->startUp();
            h.mainform->welcome()->subWindow()->move(120, 90);
        }
        if (state == Hidden)
            h.mainform->hideWelcome();
        if (state == Closed)
            h.mainform->welcome()->closeForm();
        h.settle();
        h.mainform->findChild<QAction *>("menu")->trigger();
        h.settle();

        ASSERT_TRUE(shownAndActive(*h.mainform));
        EXPECT_EQ(h.mainform->welcome()->subWindow()->pos(), QPoint(0, 0));
        EXPECT_EQ(h.mainform->welcome()->leftTwips(), 0);
        EXPECT_EQ(h.mainform->welcome()->topTwips(), 0);
        EXPECT_EQ(h.mainform->formsOf<Acc>().size(), 1);
    }
}
