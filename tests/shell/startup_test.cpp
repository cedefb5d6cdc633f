#include "harness.h"

#include "platform/twips.h"
#include "shell/acc.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

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
        ScriptedDialogs dialogs;
        FakeShell shell;
        Session session(tool.path(), Edition::English, dialogs, shell);
        Mainform mainform(session);
        mainform.startUp();
        QApplication::processEvents();

        EXPECT_TRUE(shownAndActive(mainform));
        EXPECT_TRUE(dialogs.shown.isEmpty());
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
