#include "harness.h"
#include "map_editor/mapdocument.h"
#include "map_editor/tilesets.h"
#include "map_editor/ui/mapeditor.h"
#include "platform/twips.h"
#include "projectlayout.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "shell/controls.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Inside a cell at 0-based row and column, clear of the widened bands.
float cellX(int c)
{
    return 420.0f * c + 200;
}
float cellY(int r)
{
    return 435.0f * r + 200;
}

void press(mapeditor *e, int r, int c)
{
    e->CarteImg_MouseDown(1, 0, cellX(c), cellY(r));
}
void pressBeside(mapeditor *e)
{
    e->CarteImg_MouseDown(2, 0, 7150, 100);
}

QString ini(const Session &s, const QString &section, const QString &key)
{
    return Module1::readini(section, key, s.projectIni());
}

QImage tile(const Session &s, const QString &set, int number)
{
    return QImage(tilesets::picturePath(s.toolFolder(), set, number)).convertToFormat(QImage::Format_RGB32);
}

// What the canvas shows where the tile picture of cell (r, c) lies.
QImage shown(mapeditor *e, int r, int c, QSize size)
{
    return e->CarteImg->surface().copy(QRect(QPoint(28 * c, 29 * r), size));
}

bool showsTile(mapeditor *e, int r, int c, const QImage &picture)
{
    return !picture.isNull() && shown(e, r, c, picture.size()) == picture;
}

bool hasWhite(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (p.red() > 230 && p.green() > 230 && p.blue() > 230)
                return true;
        }
    return false;
}

// Lets the window's own timer run for a while.
void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct EditorBase : ::testing::Test {
    explicit EditorBase(Edition edition) : h(edition) {}
    Harness h;
    Session &s = h.session;

    void SetUp() override { layOutProject(s); }
    mapeditor *open(const QString &map = QStringLiteral("01")) { return h.mainform->openMapEditor(map); }
    QString project(const QString &part) const { return s.projectPath(part); }
};

struct Editor : EditorBase {
    Editor() : EditorBase(Edition::English) {}
};

struct FrenchEditor : EditorBase {
    FrenchEditor() : EditorBase(Edition::French) {}
};

} // namespace

TEST_F(Editor, OpensBesideTheDashboardOnItsMap)
{
    h.mainform->showDashboard();
    mapeditor *e = open();
    EXPECT_EQ(e->windowTitle(), "Map editor");
    EXPECT_EQ(e->leftTwips(), h.mainform->dashboardWidthTwips());
    EXPECT_EQ(e->topTwips(), 0);
    EXPECT_TRUE(e->Frame1->isHidden());
    EXPECT_TRUE(e->Frame3->isHidden());
    EXPECT_TRUE(e->Frame4->isHidden());
    EXPECT_FALSE(e->Frame2->isHidden());
    EXPECT_EQ(e->Label1->text(), "01");
    EXPECT_EQ(e->Tag(), "01");
    EXPECT_EQ(e->Text1->text(), "Carte 1");
    EXPECT_EQ(e->CarteImg->size(), QSize(481, 249));
    EXPECT_TRUE(e->Timer1->isActive());
    EXPECT_EQ(e->Timer1->interval(), 100);
    EXPECT_TRUE(e->Option1[0]->isChecked());
    EXPECT_EQ(e->Command9->property("Tag").toString(), "false");
    EXPECT_EQ(e->panel()->objectName(), "Frame6");
    EXPECT_EQ(e->panel()->geometry(), twipsRect(120, 5880, 9615, 3855));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    // The template's cells are code 0: every cell shows the set's first picture; the area
    // beside the grid stays black.
    const QImage first = tile(s, "01", 1);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 17; ++c)
            ASSERT_TRUE(showsTile(e, r, c, first)) << r << "," << c;
    EXPECT_EQ(e->CarteImg->surface().pixelColor(479, 100), QColor(Qt::black));
    EXPECT_EQ(e->CarteImg->surface().pixelColor(100, 247), QColor(Qt::black));
}

TEST_F(FrenchEditor, FrenchWindowIsShorterAndHasNoSizeBars)
{
    mapeditor *e = open();
    EXPECT_EQ(e->windowTitle(), "Editeur de carte");
    EXPECT_EQ(e->subWindow()->height(), px(4100));
    EXPECT_EQ(e->Command10->text(), QString::fromUtf8("Remettre la carte à zéro"));
    EXPECT_EQ(e->Option1[0]->text(), QString::fromUtf8("Déssin"));
    EXPECT_EQ(e->Option1[1]->text(), "Collisions");
    EXPECT_EQ(e->Frame1->geometry(), twipsRect(2400, 480, 2415, 855));
    EXPECT_EQ(e->Frame2->geometry(), twipsRect(7320, 360, 2295, 3375));
    EXPECT_EQ(e->Command11->geometry(), twipsRect(120, 2760, 2055, 255));
    EXPECT_EQ(e->panel()->geometry(), twipsRect(0, 3720, 9615, 3855));
    for (const char *absent : {"HScroll4", "VScroll1", "HScroll5", "HScroll6", "Label15", "Label16"})
        EXPECT_EQ(e->findChild<QWidget *>(absent), nullptr) << absent;
    e->setPanelOpen(true);
    EXPECT_EQ(e->subWindow()->height(), px(8000));
    EXPECT_FALSE(e->CarteImg->isEnabled());
    e->setPanelOpen(false);
    EXPECT_EQ(e->subWindow()->height(), px(4100));
    EXPECT_TRUE(e->CarteImg->isEnabled());
    // The frames that lie over the map picture are above it.
    const QWidgetList kids = [&] {
        QWidgetList list;
        for (QObject *o : e->children())
            if (auto *w = qobject_cast<QWidget *>(o))
                list.append(w);
        return list;
    }();
    EXPECT_GT(kids.indexOf(e->Frame1), kids.indexOf(e->CarteImg));
    EXPECT_GT(kids.indexOf(e->Frame4), kids.indexOf(e->CarteImg));
}

TEST_F(Editor, EnglishWindowShowsEveryControlClosedAndOpen)
{
    mapeditor *e = open();
    const auto visibleClient = [&] { return QRect(QPoint(0, 0), e->subWindow()->contentsRect().size()); };
    const auto inside = [&](QWidget *w) {
        return visibleClient().contains(QRect(w->mapTo(e, QPoint(0, 0)), w->size()));
    };
    // At its opening size and with the panel open, everything shows.
    for (QWidget *w : e->findChildren<QWidget *>()) {
        // Every control the window names; Qt's own inner parts follow their control.
        if (!w->isHidden() && !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
            EXPECT_TRUE(inside(w)) << w->objectName().toStdString();
        }
    }
    e->setPanelOpen(false);
    EXPECT_EQ(e->subWindow()->height(), px(e->closedHeightTwips()));
    for (QWidget *w : std::initializer_list<QWidget *>{e->Frame2, e->CarteImg, e->Command10, e->Command11})
        EXPECT_TRUE(inside(w)) << w->objectName().toStdString();
    e->setPanelOpen(true);
    EXPECT_EQ(e->subWindow()->height(), px(e->openHeightTwips()));
    EXPECT_TRUE(inside(e->panel()));
    EXPECT_FALSE(e->CarteImg->isEnabled());
}

TEST_F(Editor, PicturePressPaintsDrawsAndSavesAtOnce)
{
    mapeditor *e = open();
    ASSERT_GE(e->Choixtext->maximum(), 3) << "tile set 01 should offer at least three tiles";
    e->Option1[1]->setChecked(true);
    e->Choixtext->setValue(3);
    EXPECT_TRUE(e->Option1[0]->isChecked()) << "moving the brush selects Picture";
    EXPECT_EQ(e->Image5->pixmap().size(), QSize(20, 21));
    e->Text1->setText("Meadow");
    press(e, 2, 4);
    const QByteArray map = mapBytes(s, "01");
    EXPECT_EQ(map.at(6 + 2 * 19 + 4), '2');
    EXPECT_EQ(map.size(), 162);
    EXPECT_EQ(ini(s, "Carte01", "nom"), "Meadow");
    EXPECT_TRUE(showsTile(e, 2, 4, tile(s, "01", 3)));
    EXPECT_TRUE(showsTile(e, 2, 5, tile(s, "01", 1)));

    // Brush value 1 stores code 0 and shows terrain01.JPG.
    e->Choixtext->setValue(1);
    press(e, 2, 4);
    EXPECT_EQ(mapBytes(s, "01").at(6 + 2 * 19 + 4), '0');
    EXPECT_TRUE(showsTile(e, 2, 4, tile(s, "01", 1)));
}

TEST_F(Editor, BlocksPressTogglesTheFlagAndItsMark)
{
    mapeditor *e = open();
    e->Option1[1]->setChecked(true);
    press(e, 1, 3);
    EXPECT_EQ(blockBytes(s, "01").at(19 + 3), '1');
    EXPECT_EQ(blockBytes(s, "01").size(), 156);
    const QImage picture = tile(s, "01", 1);
    EXPECT_FALSE(showsTile(e, 1, 3, picture));
    EXPECT_TRUE(hasWhite(e->CarteImg->surface().copy(28 * 3 + 5, 29, 20, 24)));
    EXPECT_TRUE(showsTile(e, 1, 2, picture));
    press(e, 1, 3);
    EXPECT_EQ(blockBytes(s, "01").at(19 + 3), '0');
    EXPECT_TRUE(showsTile(e, 1, 3, picture)) << "the tile is painted over the mark";
}

TEST_F(Editor, HeroStartPickTakesOneCellAndSavesNothing)
{
    mapeditor *e = open();
    const QByteArray before = mapBytes(s, "01");
    e->Command9_Click();
    EXPECT_EQ(h.dialogs.texts().last(), "Click the box to the starting position of the hero on this map");
    EXPECT_EQ(e->Command9->property("Tag").toString(), "True");
    press(e, 2, 4);
    EXPECT_EQ(e->Label4->text(), "5");
    EXPECT_EQ(e->Label5->text(), "3");
    EXPECT_EQ(e->Command9->property("Tag").toString(), "False");
    EXPECT_EQ(mapBytes(s, "01"), before);
    // The next press paints and saves, with the new start.
    press(e, 0, 0);
    EXPECT_EQ(mapBytes(s, "01").left(6), "0503\r\n");
    e->Command9_Click();
    press(e, 7, 16);
    pressBeside(e);
    EXPECT_EQ(mapBytes(s, "01").left(6), "1708\r\n");
}

TEST_F(Editor, PressBesideTheGridSavesAndKeepsArmedPicks)
{
    mapeditor *e = open();
    e->Command9_Click();
    e->setHeroMoveArmed(true);
    EXPECT_EQ(e->CarteImg->property("Tag").toString(), "dephero");
    e->Text1->setText("Renamed");
    pressBeside(e);
    EXPECT_EQ(ini(s, "Carte01", "nom"), "Renamed");
    EXPECT_EQ(mapBytes(s, "01").size(), 162);
    EXPECT_EQ(e->Command9->property("Tag").toString(), "True");
    EXPECT_TRUE(e->heroMoveArmed());

    // With both picks armed the hero start takes the cell; the hero move waits for the next.
    press(e, 0, 1);
    EXPECT_EQ(e->Label4->text(), "2");
    EXPECT_TRUE(e->heroMoveArmed());

    // The hero-move pick: no paint, no redraw, no save.
    e->Text1->setText("Not saved");
    e->Choixtext->setValue(2);
    press(e, 3, 3);
    EXPECT_EQ(mapBytes(s, "01").at(6 + 3 * 19 + 3), '0');
    EXPECT_EQ(ini(s, "Carte01", "nom"), "Renamed");
    EXPECT_EQ(mapdoc::cellText(e->mapState().tiles[3 * 17 + 3]), "0");
}

TEST_F(Editor, EventPressOpensTheCellAndStillSaves)
{
    mapeditor *e = open();
    e->Option1[2]->setChecked(true);
    e->Text1->setText("Events");
    const QByteArray blocks = blockBytes(s, "01");
    press(e, 0, 0);
    EXPECT_EQ(ini(s, "Carte01", "nom"), "Events");
    EXPECT_EQ(mapBytes(s, "01").size(), 162);
    EXPECT_EQ(blockBytes(s, "01"), blocks.left(8 * 19) + "\r\n\r\n");
}

TEST_F(Editor, RealMousePressReachesTheCellUnderThePointer)
{
    mapeditor *e = open();
    e->Option1[1]->setChecked(true);
    // Pixel (30, 30) is twips (450, 450): row 1, column 1.
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(30, 30), e->CarteImg->mapToGlobal(QPointF(30, 30)),
                     Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(e->CarteImg, &down);
    EXPECT_EQ(blockBytes(s, "01").at(19 + 1), '1');
    e->setCanvasEnabled(false);
    QMouseEvent again(QEvent::MouseButtonPress, QPointF(30, 30), e->CarteImg->mapToGlobal(QPointF(30, 30)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e->CarteImg, &again);
    EXPECT_EQ(blockBytes(s, "01").at(19 + 1), '1') << "a disabled canvas takes no press";
}

TEST_F(Editor, WindowWithoutALoadedMapPaintsAndSavesNothing)
{
    auto *e = new mapeditor(s, *h.mainform);
    h.mainform->addChild(e);
    const QByteArray before = mapBytes(s, "01");
    press(e, 0, 0);
    pressBeside(e);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(e->mapState().tiles[0]));
    EXPECT_EQ(mapBytes(s, "01"), before);
    EXPECT_FALSE(QFileInfo::exists(project("/map.map")));
}

TEST_F(Editor, FailedLoadReportsAndLeavesTheFilesAlone)
{
    addMap(s, "02");
    QFile::remove(project("/map02.map"));
    const QByteArray blocks = blockBytes(s, "02");
    mapeditor *e = open("02");
    EXPECT_EQ(h.dialogs.shown.last().text, "Erreur : carte invalide");
    EXPECT_EQ(h.dialogs.shown.last().icon, MsgIcon::Critical);
    EXPECT_EQ(e->Tag(), "02");
    EXPECT_EQ(e->Label4->text(), "");
    e->Option1[1]->setChecked(true);
    press(e, 0, 0);
    pressBeside(e);
    EXPECT_FALSE(QFileInfo::exists(project("/map02.map")));
    EXPECT_EQ(blockBytes(s, "02"), blocks);
}

// A damaged first line ("ab03") once loaded without a word, and every press then looked applied
// while nothing was saved. The refusal is told once, naming the map and the mend; once the
// hero start is set, the next press saves every edit the window holds.
TEST_F(Editor, ASaveRefusedForAHeroStartThatIsNoNumberIsToldOnce)
{
    addMap(s, "02");
    QByteArray damaged = mapBytes(s, "02");
    damaged.replace(0, 2, "ab");
    writeBytes(project("/map02.map"), damaged);
    mapeditor *e = open("02");
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(e->Label4->text(), "ab");

    e->Choixtext->setValue(2);
    press(e, 0, 0);
    e->Option1[1]->setChecked(true);
    press(e, 1, 1);
    pressBeside(e);
    EXPECT_EQ(mapBytes(s, "02"), damaged);
    ASSERT_EQ(h.dialogs.shown.size(), 1) << "one message for the window, not one per press";
    EXPECT_EQ(h.dialogs.shown[0].text.toStdString(),
              "Map 02 is not being saved: its hero start is not a number (X: \"ab\", Y: \"01\"). Your changes reach "
              "the disk only once it is set: press \"Change\", then click the hero's starting cell.");
    EXPECT_EQ(h.dialogs.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(h.dialogs.shown[0].buttons, MsgButtons::Ok);

    h.dialogs.answer(MsgAnswer::Ok);
    e->Command9_Click();
    press(e, 2, 4);
    pressBeside(e);
    const QByteArray saved = mapBytes(s, "02");
    EXPECT_EQ(saved.left(6), "0503\r\n");
    EXPECT_EQ(saved.at(6), '1') << "the paint made while saves were refused";
    EXPECT_EQ(blockBytes(s, "02").at(19 + 1), '1') << "the block made while saves were refused";
    EXPECT_EQ(h.dialogs.shown.size(), 2);
}

TEST_F(FrenchEditor, ASaveRefusedForAHeroStartThatIsNoNumberIsToldInFrench)
{
    writeBytes(project("/map01.map"), "0x1\r\n");
    mapeditor *e = open();
    press(e, 0, 0);
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].text,
              QString::fromUtf8("La carte 01 n'est pas sauvée : la position de départ du héro n'est pas un nombre "
                                "(X : « 0x », Y : « 1\r »). Vos modifications ne seront sauvées qu'une fois "
                                "celle-ci fixée : cliquez sur « Changer », puis sur la case de départ du héro."));
    EXPECT_EQ(mapBytes(s, "01"), "0x1\r\n");
}

TEST_F(Editor, DrawingSkipsCellsWithoutAPicture)
{
    mapeditor *e = open();
    const QImage first = tile(s, "01", 1);
    mapdoc::MapState &state = e->mapState();
    state.tiles[0] = QString(); // no number: no picture name
    state.blocks[0] = QStringLiteral("1");
    state.tiles[1] = 40LL; // picture 41 does not exist
    state.tiles[2] = QStringLiteral("1");
    e->drawmap();
    const QImage cell0 = shown(e, 0, 0, first.size());
    EXPECT_EQ(cell0.copy(0, 0, 5, 29), first.copy(0, 0, 5, 29)) << "the old picture stays beside the mark";
    EXPECT_TRUE(hasWhite(cell0.copy(5, 0, 20, 24)));
    EXPECT_TRUE(showsTile(e, 0, 1, first));
    EXPECT_TRUE(showsTile(e, 0, 2, tile(s, "01", 2)));
}

TEST_F(Editor, TwoWindowsOnOneMapLastSaveWins)
{
    mapeditor *first = open();
    mapeditor *second = open();
    first->Choixtext->setValue(2);
    press(first, 0, 0);
    EXPECT_EQ(mapBytes(s, "01").at(6), '1');
    second->Option1[1]->setChecked(true);
    press(second, 0, 1);
    EXPECT_EQ(mapBytes(s, "01").at(6), '0');
    EXPECT_EQ(blockBytes(s, "01").at(1), '1');
}

TEST_F(Editor, NewMapAddsTheNextMapAndLoadsIt)
{
    mapeditor *e = open();
    e->Command4_Click();
    EXPECT_FALSE(e->Frame3->isHidden());
    e->Command5_Click();
    EXPECT_TRUE(e->Frame3->isHidden());
    EXPECT_EQ(ini(s, "Jeu", "cartes"), "02");
    EXPECT_EQ(ini(s, "Carte02", "texture"), "01");
    EXPECT_EQ(ini(s, "Carte02", "nom"), "Carte 1");
    EXPECT_EQ(e->Label1->text(), "02");
    EXPECT_EQ(e->Tag(), "02");
    EXPECT_EQ(mapBytes(s, "02"), templateCopy(s, "ftgmma.dat"));
    EXPECT_EQ(blockBytes(s, "02"), templateCopy(s, "ftgmev.dat"));
    EXPECT_TRUE(QFileInfo(project("/ev/map02")).isDir());
    EXPECT_EQ(readBytes(project("/images/map02/terrain.png")), readBytes(tilesets::sheetPath(s.toolFolder(), "01")));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());

    Module1::writeini("Jeu", "cartes", "09", s.projectIni());
    e->Command5_Click();
    EXPECT_EQ(ini(s, "Jeu", "cartes"), "10");
    EXPECT_EQ(e->Tag(), "10");
    EXPECT_TRUE(QFileInfo::exists(project("/map10.map")));
}

TEST_F(Editor, NewMapOverAnExistingFolderReportsAndWritesNothing)
{
    mapeditor *e = open();
    QDir().mkpath(project("/images/map02"));
    const QByteArray iniBefore = readBytes(s.projectIni());
    e->Command5_Click();
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.contains(project("/images/map02")));
    EXPECT_EQ(readBytes(s.projectIni()), iniBefore);
    EXPECT_FALSE(QFileInfo::exists(project("/ev/map02")));
    EXPECT_FALSE(QFileInfo::exists(project("/map02.map")));
    EXPECT_EQ(e->Tag(), "01");
    EXPECT_EQ(e->Label1->text(), "01");
}

TEST_F(Editor, NoMapMakesMapOneAutomatically)
{
    QDir(project("/images/map01")).removeRecursively();
    QDir(project("/ev/map01")).removeRecursively();
    QFile::remove(project("/map01.map"));
    QFile::remove(project("/map01.ev"));
    Module1::writeini("Jeu", "cartes", "0", s.projectIni());
    mapeditor *e = open();
    ASSERT_EQ(h.dialogs.texts(), QStringList{"There is no map, a new map will be automatically created"});
    EXPECT_EQ(ini(s, "Jeu", "cartes"), "01");
    EXPECT_EQ(ini(s, "Carte01", "texture"), "01");
    EXPECT_EQ(mapBytes(s, "01"), templateCopy(s, "ftgmma.dat"));
    EXPECT_TRUE(QFileInfo(project("/ev/map01")).isDir());
    EXPECT_TRUE(QFileInfo::exists(project("/images/map01/terrain.png")));
    EXPECT_EQ(e->Tag(), "01");
    EXPECT_TRUE(e->Frame1->isHidden());
}

TEST_F(Editor, ChooserNamesTheMapAndOkLoadsIt)
{
    for (int n = 2; n <= 12; ++n)
        if (n != 5)
            addMap(s, pad2(n));
    Module1::writeini("Jeu", "cartes", "12", s.projectIni());
    Module1::writeini("Carte07", "nom", "Seven", s.projectIni());
    Module1::writeini("Carte12", "nom", "Twelve", s.projectIni());
    writeBytes(project("/map07.map"), "0503\r\n" + rows('1'));
    mapeditor *e = open();
    e->Command6_Click();
    EXPECT_FALSE(e->Frame1->isHidden());
    e->HScroll1->setValue(7);
    EXPECT_EQ(e->Label1->text(), "07");
    EXPECT_EQ(e->Label3->text(), "Seven");
    EXPECT_EQ(e->Tag(), "01") << "the map in memory changes only on OK";
    e->HScroll1->setValue(12);
    EXPECT_EQ(e->Label1->text(), "12");
    EXPECT_EQ(e->Label3->text(), "Twelve");
    e->HScroll1->setValue(40);
    EXPECT_EQ(e->HScroll1->value(), 12) << "the chooser stops at the last map";
    e->HScroll1->setValue(5);
    EXPECT_EQ(e->Label3->text(), "");

    // Presses before OK still save the loaded map.
    e->HScroll1->setValue(7);
    e->Option1[1]->setChecked(true);
    press(e, 0, 0);
    EXPECT_EQ(blockBytes(s, "01").at(0), '1');
    EXPECT_EQ(mapBytes(s, "07").left(4), "0503");

    e->Command1_Click();
    EXPECT_EQ(e->Tag(), "07");
    EXPECT_EQ(e->Label4->text(), "05");
    EXPECT_EQ(e->Text1->text(), "Seven");
    EXPECT_TRUE(e->Frame1->isHidden());
    EXPECT_TRUE(showsTile(e, 0, 0, tile(s, "01", 2)));

    // A count that lists no map on the dashboard offers none past the first here.
    for (const char *cartes : {"40000", "2.5", "abc"}) {
        Module1::writeini("Jeu", "cartes", cartes, s.projectIni());
        e->Command1_Click();
        EXPECT_EQ(e->HScroll1->maximum(), 1) << cartes;
    }
}

TEST_F(Editor, MenusToggleTheirOwnFrame)
{
    mapeditor *e = open();
    e->Command4_Click();
    EXPECT_FALSE(e->Frame3->isHidden());
    EXPECT_TRUE(e->Frame1->isHidden());
    e->Command6_Click();
    EXPECT_FALSE(e->Frame1->isHidden());
    e->Command4_Click();
    EXPECT_TRUE(e->Frame3->isHidden());
    EXPECT_FALSE(e->Frame1->isHidden());
    e->Command6_Click();
    EXPECT_TRUE(e->Frame1->isHidden());
    // A press on the map hides the main menu (savemap) but not the chooser.
    e->Command4_Click();
    e->Command6_Click();
    pressBeside(e);
    EXPECT_TRUE(e->Frame3->isHidden());
    EXPECT_FALSE(e->Frame1->isHidden());
}

TEST_F(Editor, WidthAndHeightBarsOnlyMoveTheViewBars)
{
    mapeditor *e = open();
    const QByteArray map = mapBytes(s, "01");
    EXPECT_EQ(e->Label15->text(), "Width : 17");
    EXPECT_EQ(e->Label16->text(), "Height : 8");
    e->HScroll5->setValue(50);
    EXPECT_EQ(e->Label15->text(), "Largeur = 50");
    EXPECT_EQ(e->HScroll4->maximum(), 34);
    e->HScroll6->setValue(50);
    EXPECT_EQ(e->Label16->text(), "Hauteur = 50");
    EXPECT_EQ(e->VScroll1->maximum(), 43);
    e->HScroll6->setValue(8);
    EXPECT_EQ(e->VScroll1->maximum(), 1);
    EXPECT_EQ(mapBytes(s, "01"), map);
}

TEST_F(Editor, ResetAsksThenZeroesTheMapForTheNextSave)
{
    mapeditor *e = open();
    writeBytes(project("/ev/map01/ev23"), "\r\nend\r\n");
    e->mapState().tiles[0] = 4LL;
    h.dialogs.answer(MsgAnswer::No);
    e->Command10_Click();
    EXPECT_EQ(h.dialogs.shown.last().text, " Are you sure you want to return the card to zero?");
    EXPECT_EQ(h.dialogs.shown.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(readBytes(project("/ev/map01/ev23")), "\r\nend\r\n");
    EXPECT_EQ(e->mapState().tiles[0], mapdoc::Cell(4LL));

    h.dialogs.answer(MsgAnswer::Yes);
    e->Command10_Click();
    EXPECT_EQ(readBytes(project("/ev/map01/ev23")), "\r\n");
    const QByteArray heroLine = mapBytes(s, "01").left(6);
    EXPECT_EQ(mapBytes(s, "01"), templateCopy(s, "ftgmma.dat")) << "the reset itself saves nothing";
    e->Option1[1]->setChecked(true);
    press(e, 8 - 1, 0);
    EXPECT_EQ(mapBytes(s, "01"), heroLine + rows('0') + "\r\n");
    EXPECT_EQ(blockBytes(s, "01"), rows('0', 7) + "1" + QByteArray(16, '0') + "\r\n" + rows('0', 1) + "\r\n");
}

TEST_F(Editor, CanvasFollowsChangedPicturesAndTileSetsWithinATick)
{
    mapeditor *e = open();
    const int decodes = e->painter().pictures().decodes();
    for (int i = 0; i < 10; ++i)
        e->Timer1_Timer();
    EXPECT_EQ(e->painter().pictures().decodes(), decodes) << "idle redraws decode nothing";

    // A tile picture replaced on disk shows at the next tick.
    const QString first = tilesets::picturePath(s.toolFolder(), "01", 1);
    writeBytes(first, readBytes(tilesets::picturePath(s.toolFolder(), "01", 2)));
    runFor(250);
    EXPECT_TRUE(showsTile(e, 3, 3, tile(s, "01", 2)));

    // So does another tile set for the map.
    Module1::writeini("Carte01", "texture", "02", s.projectIni());
    runFor(250);
    EXPECT_TRUE(showsTile(e, 3, 3, tile(s, "02", 1)));
}

TEST_F(Editor, BrushRangeFollowsTheTileSetUpToTen)
{
    writeTileSet(s, "01", 12);
    mapeditor *e = open();
    EXPECT_EQ(e->Choixtext->maximum(), 10);
    writeTileSet(s, "01", 2);
    e->Choixtext->setValue(1);
    e->Choixtext->setValue(2);
    EXPECT_EQ(e->Choixtext->maximum(), 2);
}

TEST_F(Editor, ChangeTextureCountsTheTileSets)
{
    mapeditor *e = open();
    removeTileSetsFrom(s, 4);
    e->Command11_Click();
    EXPECT_FALSE(e->Frame4->isHidden());
    EXPECT_EQ(e->HScroll2->maximum(), 3);
    for (int n = 4; n <= 12; ++n)
        writeTileSet(s, pad2(n), 4);
    e->Command11_Click();
    EXPECT_TRUE(e->Frame4->isHidden());
    EXPECT_EQ(e->HScroll2->maximum(), 12);
    removeTileSetsFrom(s, 3);
    writeTileSet(s, "04", 4);
    e->Command11_Click();
    EXPECT_EQ(e->HScroll2->maximum(), 2);
}

TEST_F(Editor, PreviewsShowTilesOneToFourOfTheChosenSet)
{
    mapeditor *e = open();
    for (int n = 4; n <= 11; ++n)
        writeTileSet(s, pad2(n), 4);
    e->Command11_Click();
    e->HScroll2->setValue(3);
    const std::array<controls::Picture *, 4> previews{e->Image1, e->Image2, e->Image3, e->Image4};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(previews[i]->pixmap().toImage().convertToFormat(QImage::Format_RGB32), tile(s, "03", i + 1)) << i;
    // Left to right the row shows tiles 1, 3, 2, 4.
    EXPECT_LT(e->Image1->x(), e->Image3->x());
    EXPECT_LT(e->Image3->x(), e->Image2->x());
    EXPECT_LT(e->Image2->x(), e->Image4->x());
    // Set 11 has no pictures: empty boxes.
    e->HScroll2->setValue(11);
    for (auto *p : previews)
        EXPECT_TRUE(p->pixmap().isNull());
}

TEST_F(Editor, TileSetOkGivesTheLoadedMapTheSetAndItsSheet)
{
    for (int n = 2; n <= 5; ++n)
        addMap(s, pad2(n));
    mapeditor *e = open("05");
    e->Command11_Click();
    e->HScroll2->setValue(2);
    e->Command14_Click();
    EXPECT_EQ(ini(s, "Carte05", "texture"), "02");
    EXPECT_EQ(ini(s, "Carte01", "texture"), "01");
    EXPECT_EQ(readBytes(project("/images/map05/terrain.png")), readBytes(tilesets::sheetPath(s.toolFolder(), "02")));
    EXPECT_TRUE(e->Frame4->isHidden());
    EXPECT_TRUE(showsTile(e, 0, 0, tile(s, "02", 1)));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());

    // After the chooser moved without OK, the set still goes to the loaded map.
    e->HScroll1->setValue(3);
    e->Command11_Click();
    e->HScroll2->setValue(3);
    e->Command14_Click();
    EXPECT_EQ(ini(s, "Carte05", "texture"), "03");
    EXPECT_EQ(ini(s, "Carte03", "texture"), "01");
}

TEST_F(Editor, TileSetOkReportsAMissingSheetOrFolderAfterTheEntry)
{
    mapeditor *e = open();
    const QByteArray sheet = readBytes(project("/images/map01/terrain.png"));
    QFile::remove(tilesets::sheetPath(s.toolFolder(), "02"));
    e->Command11_Click();
    e->HScroll2->setValue(2);
    e->Command14_Click();
    EXPECT_EQ(ini(s, "Carte01", "texture"), "02");
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.contains(tilesets::sheetPath(s.toolFolder(), "02")));
    EXPECT_EQ(readBytes(project("/images/map01/terrain.png")), sheet);

    QDir(project("/images/map01")).removeRecursively();
    e->Command11_Click();
    e->HScroll2->setValue(3);
    e->Command14_Click();
    EXPECT_EQ(ini(s, "Carte01", "texture"), "03");
    ASSERT_EQ(h.dialogs.shown.size(), 2);
    EXPECT_TRUE(h.dialogs.shown[1].text.contains(project("/images/map01")));
}

TEST_F(Editor, TileSetOkKeepsTheBrushPreviewOnTheTileAPressPaints)
{
    writeTileSet(s, "03", 8);
    mapeditor *e = open();
    e->Choixtext->setValue(10);
    const QImage oldPreview = e->Image5->pixmap().toImage();
    e->Command11_Click();
    e->HScroll2->setValue(3);
    e->Command14_Click();
    ASSERT_EQ(e->Choixtext->value(), 8);
    const QImage afterOk = e->Image5->pixmap().toImage();
    EXPECT_NE(afterOk, oldPreview);
    // What the brush itself shows at value 8 of set 03.
    e->Choixtext->setValue(7);
    e->Choixtext->setValue(8);
    EXPECT_EQ(afterOk, e->Image5->pixmap().toImage());
}

TEST(MapEditorLayout, ControlsSitWhereEachEditionPutsThem)
{
    const struct {
        const char *name;
        QRect english, french;
        const char *englishCaption, *frenchCaption;
    } cases[] = {
        {"Command4", twipsRect(10560, 120, 2415, 375), twipsRect(7200, 0, 2415, 375), "Main Menu", "Menu principal"},
        {"Frame3", twipsRect(12840, 840, 2415, 1095), twipsRect(4800, 0, 2415, 1095), "Main Menu", "Menu principal"},
        {"Command5", twipsRect(120, 240, 2175, 375), twipsRect(120, 240, 2175, 375), "New Map", "Nouvelle carte"},
        {"Command6", twipsRect(120, 600, 2175, 375), twipsRect(120, 600, 2175, 375), "Load map", "Charger carte"},
        {"Frame1", twipsRect(12960, 2040, 2415, 855), twipsRect(2400, 480, 2415, 855), "Load a map",
         "Charger une carte"},
        {"Label2", twipsRect(120, 240, 735, 255), twipsRect(120, 240, 735, 255), "Map No. :", "Carte n° :"},
        {"Label3", twipsRect(120, 480, 1815, 255), twipsRect(120, 480, 1815, 255), "Unnamed", "Sans nom"},
        {"Frame2", twipsRect(10560, 840, 2295, 4095), twipsRect(7320, 360, 2295, 3375), "Configuration",
         "Configuration"},
        {"Label6", twipsRect(120, 240, 2175, 255), twipsRect(120, 240, 2175, 255), "Starting position of the hero",
         "Position de départ du héro"},
        {"Label7", twipsRect(120, 1080, 1215, 255), twipsRect(120, 1080, 1215, 255), "Map Name:", "Nom de la carte :"},
        {"Text1", twipsRect(1440, 1080, 735, 285), twipsRect(1440, 1080, 735, 285), nullptr, nullptr},
        {"Command9", twipsRect(840, 600, 855, 375), twipsRect(840, 600, 855, 375), "Change", "Changer"},
        {"Option1_0", twipsRect(120, 1440, 855, 255), twipsRect(120, 1440, 855, 255), "Picture", "Déssin"},
        {"Option1_1", twipsRect(120, 2160, 1095, 255), twipsRect(120, 2160, 1095, 255), "Blocks", "Collisions"},
        {"Option1_2", twipsRect(120, 2400, 1215, 255), twipsRect(120, 2400, 1215, 255), "Event", "Evènement"},
        {"Frame5", twipsRect(360, 1440, 1815, 615), twipsRect(360, 1440, 1815, 615), "Déssin", "Déssin"},
        {"Command11", twipsRect(120, 3480, 2055, 255), twipsRect(120, 2760, 2055, 255), "Change Texture",
         "Changer de texture"},
        {"Command10", twipsRect(120, 3720, 2055, 255), twipsRect(120, 3000, 2055, 255), "Reset the map to zero",
         "Remettre la carte à zéro"},
        {"Frame4", twipsRect(12960, 3000, 2415, 1455), twipsRect(5040, 1920, 2415, 1455), "Change texture(Tileset)",
         "Changer de texture"},
        {"Frame6", twipsRect(120, 5880, 9615, 3855), twipsRect(0, 3720, 9615, 3855), nullptr, nullptr},
    };
    for (const Edition edition : {Edition::English, Edition::French}) {
        Harness h(edition);
        layOutProject(h.session);
        mapeditor *e = h.mainform->openMapEditor("01");
        const bool en = edition == Edition::English;
        EXPECT_EQ(e->Text1->text(), "Carte 1");
        for (const auto &c : cases) {
            const QWidget *w = e->findChild<QWidget *>(c.name);
            ASSERT_TRUE(w) << c.name;
            EXPECT_EQ(w->geometry(), en ? c.english : c.french) << c.name;
            const char *caption = en ? c.englishCaption : c.frenchCaption;
            if (!caption)
                continue;
            const QString expected = QString::fromUtf8(caption);
            if (auto *b = qobject_cast<const QAbstractButton *>(w)) {
                EXPECT_EQ(b->text(), expected) << c.name;
            } else if (auto *g = qobject_cast<const QGroupBox *>(w)) {
                EXPECT_EQ(g->title(), expected) << c.name;
            } else if (auto *l = qobject_cast<const QLabel *>(w)) {
                EXPECT_EQ(l->text(), expected) << c.name;
            }
        }
    }
}

TEST_F(FrenchEditor, FrenchMessages)
{
    QDir(project("/images/map01")).removeRecursively();
    QDir(project("/ev/map01")).removeRecursively();
    Module1::writeini("Jeu", "cartes", "0", s.projectIni());
    mapeditor *e = open();
    e->Command9_Click();
    h.dialogs.answer(MsgAnswer::No);
    e->Command10_Click();
    EXPECT_EQ(
        h.dialogs.texts(),
        (QStringList{QString::fromUtf8("Il n'y a pas de carte , une nouvelle carte va être automatiquement créée"),
                     QString::fromUtf8("Cliquez sur la case correspondante à la position de départ du héro sur "
                                       "cette carte"),
                     QString::fromUtf8("Êtes-vous sûr de vouloir remettre la carte à zéro ?")}));
    EXPECT_EQ(e->Tag(), "01");
}
