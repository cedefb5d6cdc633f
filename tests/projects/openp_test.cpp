#include "fixture.h"
#include "mouse.h"

#include "platform/twips.h"
#include "projects/module1.h"
#include "projects/newproject.h"
#include "projects/session.h"
#include "projects/ui/combateditor.h"
#include "projects/ui/openp.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

struct OpenTest : ProjectTest {
    explicit OpenTest(Edition edition = Edition::English) : ProjectTest(edition) {}

    // A whole project made by the creation, its folder then renamed when asked.
    void makeProject(const QString &folder, const QString &nom)
    {
        ASSERT_EQ(newproject::create(h.tool.path(), nom, "Ana", Edition::English), "");
        if (folder != nom) {
            ASSERT_TRUE(QDir().rename(projectFolder(nom), projectFolder(folder)));
        }
    }
    openp *dialog()
    {
        h.mainform->showOpenProject();
        h.settle();
        return h.mainform->formsOf<openp>().value(0);
    }
    FolderList *dir() { return dialog()->findChild<FolderList *>("Dir1"); }
    QListWidgetItem *entry(const QString &text)
    {
        const QList<QListWidgetItem *> found = dir()->findItems(text, Qt::MatchExactly);
        return found.value(0);
    }
    QStringList entries()
    {
        QStringList texts;
        for (int i = 0; i < dir()->count(); ++i)
            texts << dir()->item(i)->text();
        return texts;
    }
    void doubleClick(const QString &text)
    {
        QListWidgetItem *item = entry(text);
        ASSERT_TRUE(item) << text.toStdString();
        dir()->scrollToItem(item);
        mouse::doubleClick(dir()->viewport(), dir()->visualItemRect(item).center());
        h.settle();
    }
    void open()
    {
        dialog()->findChild<QPushButton *>("Command1")->click();
        h.settle();
    }
    // Nothing opened, the dialog still there.
    void expectTurnedAway(const QString &current = QString())
    {
        EXPECT_EQ(h.session.currentProject(), current);
        EXPECT_EQ(h.mainform->formsOf<openp>().size(), 1);
        if (current.isEmpty()) {
            EXPECT_EQ(dashboard(), nullptr);
            EXPECT_TRUE(h.mainform->formsOf<mapeditor>().isEmpty());
        }
    }
};

struct FrenchOpenTest : OpenTest {
    FrenchOpenTest() : OpenTest(Edition::French) {}
};

} // namespace

// The list shows the path from the root down to "projets", then its sub-folders, sorted.
TEST_F(OpenTest, StartsAtProjectsFolder)
{
    makeProject("beta", "beta");
    makeProject("Alpha", "Alpha");
    QDir().mkpath(projectFolder(".hidden"));
    EXPECT_EQ(dir()->path(), h.tool.file("/projets"));
    const QStringList all = entries();
    ASSERT_GE(all.size(), 4);
    EXPECT_EQ(all.first(), "/");
    EXPECT_EQ(all.mid(all.size() - 4), QStringList({"tool folder", "projets", "Alpha", "beta"}));
    EXPECT_EQ(dir()->currentItem()->text(), "projets");
    EXPECT_EQ(FolderList::folderOf(entry("tool folder")), h.tool.path());
    EXPECT_EQ(FolderList::folderOf(entry("Alpha")), projectFolder("Alpha"));

    // Opening turns away the "projets" folder itself.
    open();
    EXPECT_EQ(h.dialogs.texts(), QStringList({"Erreur : Projet invalide !"}));
    EXPECT_EQ(h.dialogs.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(h.dialogs.shown[0].buttons, MsgButtons::Ok);
    expectTurnedAway();
    EXPECT_EQ(dir()->path(), h.tool.file("/projets"));
}

TEST_F(OpenTest, WithoutProjectsFolderStartsAtTheToolFolder)
{
    QDir(h.tool.file("/projets")).removeRecursively();
    EXPECT_EQ(dir()->path(), h.tool.path());
    EXPECT_EQ(dir()->currentItem()->text(), "tool folder");
    EXPECT_TRUE(entries().contains("data"));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}

// A single click only highlights; "Open" checks the current folder. A double-click makes the
// entry current, and then "Open" accepts it.
TEST_F(OpenTest, DoubleClickThenOpenAcceptsTheProject)
{
    makeProject("Alpha", "Alpha");
    makeProject("Beta", "Beta");
    mouse::click(dir()->viewport(), Qt::LeftButton, dir()->visualItemRect(entry("Alpha")).center());
    EXPECT_EQ(dir()->currentItem()->text(), "Alpha");
    EXPECT_EQ(dir()->path(), h.tool.file("/projets"));
    open();
    EXPECT_EQ(h.dialogs.texts(), QStringList({"Erreur : Projet invalide !"}));
    expectTurnedAway();

    doubleClick("Alpha");
    EXPECT_EQ(dir()->path(), projectFolder("Alpha"));
    EXPECT_EQ(entries().mid(entries().size() - 5), QStringList({"tool folder", "projets", "Alpha", "ev", "images"}));
    // Back up through the path, and down into the other project.
    doubleClick("projets");
    EXPECT_EQ(dir()->path(), h.tool.file("/projets"));
    doubleClick("Beta");
    h.dialogs.shown.clear();
    open();
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(h.session.currentProject(), "Beta");
    EXPECT_TRUE(h.mainform->formsOf<openp>().isEmpty());
    ASSERT_TRUE(dashboard());
    EXPECT_EQ(label("Label5"), "Beta");
    EXPECT_EQ(mapItems(), QStringList({"1Carte 1"}));
    EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), 1);
    EXPECT_EQ(editorMaps(), QStringList({"01"}));

    // The next opening starts at "projets" again.
    EXPECT_EQ(dir()->path(), h.tool.file("/projets"));
}

TEST_F(OpenTest, FoldersWithoutAProjectNameAreTurnedAway)
{
    const QByteArray inis[] = {
        "",                               // no projet.ini at all
        "[Jeu]\r\nauteur=Ana\r\n",        // no nom
        "[Jeu]\r\nnom=\r\n",              // empty nom
        "[Autre]\r\nnom=X\r\n",           // no section Jeu
        "[Jeu]\r\nnom=../../outside\r\n", // a name no project folder can have
        "[Jeu]\r\nnom=a\\b\r\n",
    };
    QDir().mkpath(h.tool.file("/outside"));
    for (const QByteArray &ini : inis) {
        SCOPED_TRACE(ini.toStdString());
        QDir(projectFolder("Odd")).removeRecursively();
        QDir().mkpath(projectFolder("Odd"));
        if (!ini.isEmpty())
            writeBytes(projectFolder("Odd") + "/projet.ini", ini);
        dir()->setPath(projectFolder("Odd"));
        h.dialogs.shown.clear();
        open();
        EXPECT_EQ(h.dialogs.texts(), QStringList({"Erreur : Projet invalide !"}));
        expectTurnedAway();
        EXPECT_EQ(dir()->path(), projectFolder("Odd"));
    }
}

// The project is the name in projet.ini, not the folder chosen: a renamed folder is told,
// naming the folder that is missing; a folder whose name matches is the one opened.
TEST_F(OpenTest, RenamedFolderIsToldAndNothingOpens)
{
    makeProject("B", "A");
    doubleClick("B");
    open();
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.contains(QDir::toNativeSeparators(projectFolder("A"))));
    EXPECT_NE(h.dialogs.shown[0].text, "Erreur : Projet invalide !");
    expectTurnedAway();

    // A folder outside "projets" names its project the same way.
    makeProject("A", "A");
    QDir().mkpath(h.tool.file("/elsewhere"));
    writeBytes(h.tool.file("/elsewhere/projet.ini"), "[Jeu]\r\nnom=A\r\n");
    dir()->setPath(h.tool.file("/elsewhere"));
    h.dialogs.shown.clear();
    open();
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(h.session.currentProject(), "A");
    EXPECT_EQ(label("Label6"), "Ana");
}

// Opening another project closes the windows of the one before.
TEST_F(OpenTest, WindowsOfThePreviousProjectClose)
{
    create("First");
    dashboard()->Label9_Click(0);
    h.mainform->openMapEditor("01");
    makeProject("Second", "Second");
    h.settle();
    doubleClick("Second");
    open();
    EXPECT_EQ(h.session.currentProject(), "Second");
    EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), 1);
    EXPECT_TRUE(h.mainform->formsOf<combateditor>().isEmpty());
}

TEST_F(FrenchOpenTest, LayoutAndTexts)
{
    openp *d = dialog();
    EXPECT_EQ(d->windowTitle(), "Ouvrir un projet");
    EXPECT_EQ(d->size(), QSize(185, 169));
    EXPECT_EQ(d->findChild<QLabel *>("Label1")->text(), "Choississez votre jeu :");
    EXPECT_EQ(d->findChild<QLabel *>("Label1")->geometry(), twipsRect(0, 0, 1695, 255));
    EXPECT_EQ(dir()->geometry(), twipsRect(0, 240, 2775, 1890));
    EXPECT_EQ(d->findChild<QPushButton *>("Command1")->text(), "Ouvrir");
    EXPECT_EQ(d->findChild<QPushButton *>("Command1")->geometry(), twipsRect(0, 2160, 2775, 375));
    EXPECT_EQ(nextTab(dir()), d->findChild<QWidget *>("Command1"));
    open();
    EXPECT_EQ(h.dialogs.texts(), QStringList({"Erreur : Projet invalide !"}));
}

TEST_F(OpenTest, EnglishTexts)
{
    openp *d = dialog();
    EXPECT_EQ(d->windowTitle(), "Open");
    EXPECT_EQ(d->findChild<QLabel *>("Label1")->text(), "Choose the project's folder:");
    EXPECT_EQ(d->findChild<QLabel *>("Label1")->geometry(), twipsRect(0, 0, 2655, 255));
    EXPECT_EQ(d->findChild<QPushButton *>("Command1")->text(), "Open");
}

// projet.ini gives [Jeu] nom back as at most 254 characters: a name of 254 is made and opens
// again; one of 255 would be made but could never be opened, so the creation refuses it with
// the reason and writes nothing.
TEST_F(OpenTest, TheLongestNameThatOpensAgainIsTheLongestThatIsCreated)
{
    const QString longest(254, QLatin1Char('n'));
    makeProject(longest, longest);
    doubleClick(longest);
    open();
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(h.session.currentProject(), longest);

    const QString tooLong(255, QLatin1Char('n'));
    EXPECT_EQ(newproject::create(h.tool.path(), tooLong, "Ana", Edition::English),
              "The name has 255 characters; projet.ini gives back at most 254, so the project could never be opened "
              "again. Choose a shorter name.");
    EXPECT_EQ(newproject::create(h.tool.path(), tooLong, "Ana", Edition::French),
              QString::fromUtf8("Le nom a 255 caractères ; projet.ini n'en rend que 254 au plus, et le projet ne "
                                "pourrait plus jamais être ouvert. Choisissez un nom plus court."));
    EXPECT_FALSE(QFileInfo::exists(projectFolder(tooLong)));
}
