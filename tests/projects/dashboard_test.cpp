#include "fixture.h"
#include "mouse.h"

#include "platform/twips.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"
#include "projects/ui/combateditor.h"
#include "projects/ui/gameoptions.h"
#include "projects/ui/var.h"
#include "shell/controls.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kLoadError = QString::fromUtf8(
    "Erreur : Une donnée de votre jeu n'a pu être chargée , le programme risque d'être instable , il est "
    "conseillé de le redémarrer , si le problème persiste , ");

struct DashboardTest : ProjectTest {
    explicit DashboardTest(Edition edition = Edition::English) : ProjectTest(edition)
    {
        create("Quest", "Ana");
        h.dialogs.shown.clear();
    }
    QString ini() const { return h.session.projectIni(); }
    // Brings the dashboard back to the front, as a click on it would.
    void activate()
    {
        h.mainform->mdiArea()->setActiveSubWindow(
            h.mainform->formsOf<mapeditor>().value(0) ? h.mainform->formsOf<mapeditor>()[0]->subWindow() : nullptr);
        h.mainform->showDashboard();
        h.settle();
    }
    controls::Picture *tile(const char *kind, int i) const
    {
        return dashboard()->findChild<controls::Picture *>(QString("%1_%2").arg(kind).arg(i));
    }
};

struct FrenchDashboardTest : DashboardTest {
    FrenchDashboardTest() : DashboardTest(Edition::French) {}
};

struct Placed {
    const char *name;
    int left, top, width, height;
    const char *english, *french;
};

const Placed kLayout[] = {
    {"Label1", 240, 120, 975, 255, "Game Name:", "Nom du jeu :"},
    {"Label2", 240, 360, 615, 255, "Creator:", "Auteur :"},
    {"Label3", 240, 600, 1455, 255, "Number of maps:", "Nombre de cartes :"},
    {"Label4", 240, 840, 1575, 255, "Number of fights:", "Nombre de combats :"},
    {"Label5", 1200, 120, 2055, 255, nullptr, nullptr},
    {"Label6", 960, 360, 1695, 255, nullptr, nullptr},
    {"Label7", 1680, 600, 1935, 255, nullptr, nullptr},
    {"Label8", 1800, 840, 1455, 255, nullptr, nullptr},
    {"Label10", 960, 1320, 1695, 255, "Menu", "Menu"},
    {"Label9_0", 1200, 1680, 1455, 255, "Fight Editor", "Editeur de combats"},
    {"Label9_1", 1200, 2160, 1455, 255, "Editor of variables", "Editeur de variables"},
    {"Label9_2", 1200, 2640, 1455, 255, "Game Setup", "Configuration du jeu"},
    {"Label9_3", 1200, 3120, 1455, 255, "Test Game", "     Tester le jeu"},
    {"Label9_4", 1200, 3600, 1455, 255, "Finalize and publish", "Finaliser et publier"},
    {"Image1_0", 960, 1560, 1935, 495, nullptr, nullptr},
    {"Image1_4", 960, 3480, 1935, 495, nullptr, nullptr},
    {"Picture1", 0, 4440, 3855, 4575, nullptr, nullptr},
};

void expectLayout(Controlpanel *panel, bool french)
{
    EXPECT_EQ(panel->size(), QSize(249, 593));
    EXPECT_EQ(panel->windowTitle(), french ? "Panneau de Control" : "Control Panel");
    for (const Placed &p : kLayout) {
        SCOPED_TRACE(p.name);
        auto *c = panel->findChild<QLabel *>(p.name);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->geometry(), twipsRect(p.left, p.top, p.width, p.height));
        if (p.english) {
            EXPECT_EQ(c->text(), QString::fromUtf8(french ? p.french : p.english));
        }
    }
    auto *list = panel->findChild<QListWidget *>("List1");
    EXPECT_EQ(list->parentWidget(), panel->findChild<QWidget *>("Picture1"));
    EXPECT_EQ(list->geometry(), twipsRect(120, 120, 3375, 4125));
    EXPECT_TRUE(panel->findChild<QLabel *>("Label5")->font().bold());
    EXPECT_FALSE(panel->findChild<QLabel *>("Label6")->font().bold());
    EXPECT_EQ(panel->findChild<QLabel *>("Label9_0")->palette().color(QPalette::WindowText), QColor(Qt::white));
}

} // namespace

TEST_F(DashboardTest, LayoutOfTheEnglishEdition)
{
    expectLayout(dashboard(), false);
}
TEST_F(FrenchDashboardTest, LayoutOfTheFrenchEdition)
{
    expectLayout(dashboard(), true);
}

TEST_F(DashboardTest, PlaceholdersBeforeTheFirstActivation)
{
    for (Edition e : {Edition::English, Edition::French}) {
        Session other(h.tool.path(), e, h.dialogs, h.shell);
        Controlpanel panel(other, *h.mainform);
        const bool fr = e == Edition::French;
        EXPECT_EQ(panel.findChild<QLabel *>("Label5")->text(), fr ? "jeu sans nom" : "Untitled");
        EXPECT_EQ(panel.findChild<QLabel *>("Label6")->text(), fr ? "Anonyme" : "Anonymous");
        EXPECT_EQ(panel.findChild<QLabel *>("Label7")->text(), fr ? "beaucoup" : "Many");
        EXPECT_EQ(panel.findChild<QLabel *>("Label8")->text(), fr ? "un peu moins" : "less");
    }
}

// Every activation refills the facts and the list from projet.ini, hides the welcome screen
// and puts the dashboard back at the top-left corner.
TEST_F(DashboardTest, ActivationRefillsFactsAndListAndReturnsToTheCorner)
{
    EXPECT_EQ(label("Label5"), "Quest");
    EXPECT_EQ(label("Label6"), "Ana");
    EXPECT_EQ(label("Label7"), "1");
    EXPECT_EQ(label("Label8"), "0");
    EXPECT_EQ(mapItems(), QStringList({"1Carte 1"}));

    // As "New Map" leaves the project, and with the welcome screen shown again.
    Module1::writeini("Jeu", "cartes", "02", ini());
    Module1::writeini("Carte02", "texture", "01", ini());
    Module1::writeini("Carte02", "nom", "Carte 1", ini());
    Module1::writeini("Jeu", "auteur", "<b>Bea</b>", ini());
    dashboard()->subWindow()->move(200, 150);
    h.mainform->menu_Click();
    h.settle();
    activate();
    // Shown exactly as read: no markup is taken from the project's values.
    EXPECT_EQ(label("Label6"), "<b>Bea</b>");
    for (const char *fact : {"Label5", "Label6", "Label7", "Label8"})
        EXPECT_EQ(dashboard()->findChild<QLabel *>(fact)->textFormat(), Qt::PlainText) << fact;
    EXPECT_EQ(label("Label7"), "02");
    EXPECT_EQ(mapItems(), QStringList({"1Carte 1", "2Carte 1"}));
    EXPECT_EQ(dashboard()->subWindow()->pos(), QPoint(0, 0));
    EXPECT_FALSE(h.mainform->welcome()->subWindow()->isVisible());
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}

TEST_F(DashboardTest, MapsWithoutANameAndCountsThatAreNoNumber)
{
    const struct {
        const char *cartes;
        QStringList items;
    } cases[] = {
        {"3", {"1Carte 1", "2", "3Third"}},
        {" 3 ", {"1Carte 1", "2", "3Third"}},
        {"0", {}},
        {"-2", {}},
        {"abc", {}},
        {"2.5", {}},
        {"99999999999", {}},
        {"2000000000", {}},
        {"-4294767296", {}},
    };
    Module1::writeini("carte03", "nom", "Third", ini());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cartes);
        Module1::writeini("Jeu", "cartes", c.cartes, ini());
        activate();
        EXPECT_EQ(mapItems(), c.items);
        EXPECT_TRUE(h.dialogs.shown.isEmpty());
    }
}

// A missing projet.ini: one message, whatever is missing; the empty facts stay empty and the
// rest of the activation goes on.
TEST_F(DashboardTest, LoadErrorIsReportedOncePerActivation)
{
    h.mainform->menu_Click();
    QFile::remove(ini());
    activate();
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.startsWith(kLoadError));
    EXPECT_GT(h.dialogs.shown[0].text.size(), kLoadError.size() + 10);
    EXPECT_EQ(h.dialogs.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(h.dialogs.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(label("Label5"), "Quest");
    EXPECT_EQ(label("Label7"), "");
    EXPECT_EQ(label("Label8"), "");
    EXPECT_TRUE(mapItems().isEmpty());
    EXPECT_EQ(dashboard()->subWindow()->pos(), QPoint(0, 0));
    EXPECT_FALSE(h.mainform->welcome()->subWindow()->isVisible());

    // One missing key is enough; an empty author is no missing data.
    writeBytes(ini(), "[Jeu]\r\nnom=Quest\r\nauteur=\r\ncartes=1\r\n");
    h.dialogs.shown.clear();
    activate();
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.startsWith(kLoadError));
    writeBytes(ini(), "[Jeu]\r\nnom=Quest\r\nauteur=\r\ncartes=1\r\ncombats=0\r\n");
    h.dialogs.shown.clear();
    activate();
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(mapItems(), QStringList({"1"}));
}

TEST_F(DashboardTest, DoubleClickOpensTheMapOfTheItem)
{
    Module1::writeini("Jeu", "cartes", "10", ini());
    for (int i = 2; i <= 10; ++i)
        Module1::writeini("Carte" + pad2(i), "nom", "Map " + QString::number(i), ini());
    activate();
    ASSERT_EQ(mapList()->count(), 10);
    EXPECT_EQ(mapList()->item(8)->text(), "9Map 9");
    EXPECT_EQ(mapList()->item(9)->text(), "10Map 10");
    QWidget *viewport = mapList()->viewport();

    // Nothing selected: a double-click on the empty area opens nothing.
    mapList()->setCurrentRow(-1);
    mapList()->clearSelection();
    mouse::doubleClick(viewport, {viewport->width() - 3, viewport->height() - 3});
    h.settle();
    EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), 1);

    for (int row : {8, 9, 9}) {
        activate();
        mouse::doubleClick(viewport, mapList()->visualItemRect(mapList()->item(row)).center());
        h.settle();
    }
    EXPECT_EQ(editorMaps(), QStringList({"01", "09", "10", "10"}));
}

TEST_F(DashboardTest, TilesLookPressedAndOnlyTheirCaptionAnswers)
{
    for (int i = 0; i < 5; ++i) {
        for (const char *part : {"Image1", "Label9"}) {
            SCOPED_TRACE(std::string(part) + std::to_string(i));
            QWidget *picture = tile("Image1", i), *caption = tile("Label9", i);
            const QPoint pictureAt = picture->pos(), captionAt = caption->pos();
            mouse::press(tile(part, i), Qt::RightButton);
            EXPECT_EQ(picture->property("leftTwips").toInt(), twips(pictureAt.x()) + 10);
            EXPECT_EQ(picture->property("topTwips").toInt(), twips(pictureAt.y()) + 10);
            EXPECT_EQ(caption->property("leftTwips").toInt(), twips(captionAt.x()) + 10);
            EXPECT_EQ(caption->property("topTwips").toInt(), twips(captionAt.y()) + 10);
            mouse::release(tile(part, i), Qt::RightButton, {-4, -4});
            EXPECT_EQ(picture->pos(), pictureAt);
            EXPECT_EQ(caption->pos(), captionAt);
        }
        // A click on the picture beside the caption opens nothing.
        mouse::click(tile("Image1", i), Qt::LeftButton, {3, 3});
    }
    h.settle();
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_TRUE(h.shell.started.isEmpty());
    EXPECT_TRUE(h.mainform->formsOf<combateditor>().isEmpty());
    EXPECT_TRUE(h.mainform->formsOf<var>().isEmpty());
    EXPECT_TRUE(h.mainform->formsOf<gameoptions>().isEmpty());
    EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), 1);
}

TEST_F(DashboardTest, TilesOpenTheirTools)
{
    for (int i : {0, 0, 1, 1, 2, 2}) {
        activate();
        mouse::click(tile("Label9", i));
        h.settle();
    }
    EXPECT_EQ(h.mainform->formsOf<combateditor>().size(), 2);
    EXPECT_EQ(h.mainform->formsOf<var>().size(), 1);
    EXPECT_EQ(h.mainform->formsOf<gameoptions>().size(), 1);
    EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), 1);
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}

TEST_F(DashboardTest, PublishOnlyShowsItsNotice)
{
    mouse::click(tile("Label9", 4), Qt::RightButton);
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].text, "Creation ...");
    EXPECT_EQ(h.dialogs.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(h.dialogs.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(h.dialogs.shown[0].title, "");
}

TEST_F(FrenchDashboardTest, PublishOnlyShowsItsNotice)
{
    mouse::click(tile("Label9", 4));
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].text, QString::fromUtf8("En création..."));
}

// "Test Game" generates, refreshes the facts and starts Lua Player; what fails is told.
TEST_F(DashboardTest, TestGameRunsTheGeneratorAndTellsItsFailures)
{
    Module1::writeini("Jeu", "auteur", "Bea", ini());
    writeBytes(h.tool.file("/luaplayer.exe"), "stand-in");
    mouse::click(tile("Label9", 3));
    EXPECT_EQ(label("Label6"), "Bea");
    ASSERT_EQ(h.shell.started.size(), 1);
    EXPECT_EQ(h.shell.started[0].program, h.tool.file("/luaplayer.exe"));
    EXPECT_EQ(h.shell.started[0].arguments, QStringList({"index.lua"}));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_TRUE(readBytes(h.session.projectPath("/ev.lua")).startsWith("function runev(colonne,ligne,map)\r\n"));

    // A count that is no number: one message, nothing started.
    Module1::writeini("Jeu", "cartes", "many", ini());
    mouse::click(tile("Label9", 3));
    EXPECT_EQ(label("Label7"), "many");
    EXPECT_EQ(h.shell.started.size(), 1);
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.contains("many"));

    // Lua Player missing: told once, naming it.
    Module1::writeini("Jeu", "cartes", "1", ini());
    QFile::remove(h.tool.file("/luaplayer.exe"));
    h.dialogs.shown.clear();
    mouse::click(tile("Label9", 3));
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.contains("luaplayer.exe"));

    // compiler on its own refreshes the facts and reports the same way.
    Module1::writeini("Jeu", "combats", "3", ini());
    Module1::writeini("Variables", "nombre", "x", ini());
    h.dialogs.shown.clear();
    dashboard()->compiler();
    EXPECT_EQ(label("Label8"), "3");
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.contains("\"x\""));
}

// The closing question: No keeps the dashboard and stops the main window's closing with
// every window left as it was; Yes lets everything close.
TEST_F(DashboardTest, QuitQuestionNoKeepsEverythingOpen)
{
    h.mainform->showVariables();
    h.settle();
    const int before = int(h.mainform->forms().size());
    h.dialogs.answer(MsgAnswer::No);
    EXPECT_FALSE(h.mainform->close());
    h.settle();
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].text, "Quitter Tarnwick ?");
    EXPECT_EQ(h.dialogs.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(h.dialogs.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(h.mainform->isVisible());
    EXPECT_EQ(h.mainform->forms().size(), before);
    EXPECT_EQ(label("Label5"), "Quest");

    // Its own close box asks too.
    h.dialogs.answer(MsgAnswer::No);
    EXPECT_FALSE(dashboard()->subWindow()->close());
    EXPECT_TRUE(dashboard());

    h.dialogs.answer(MsgAnswer::Yes);
    EXPECT_TRUE(h.mainform->close());
    h.settle();
    EXPECT_TRUE(h.mainform->forms().isEmpty());
    EXPECT_FALSE(h.mainform->isVisible());
    EXPECT_EQ(h.dialogs.shown.size(), 3);
    // The project stays current after the dashboard has gone.
    EXPECT_EQ(h.session.currentProject(), "Quest");
}

TEST(DashboardWithoutProject, ClosesItselfOnActivation)
{
    Harness h;
    h.dialogs.answer(MsgAnswer::Yes);
    h.mainform->showDashboard();
    h.settle();
    EXPECT_EQ(h.dialogs.texts(), QStringList({"Quitter Tarnwick ?"}));
    EXPECT_EQ(h.mainform->dashboard(), nullptr);
}
