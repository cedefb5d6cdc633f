// A game made in the tool from start to end: a new project, its maps painted and blocked, cell
// events from the event commands, a second map, the test run, then the game itself played on
// the stand-in Lua Player with scripted presses.
#include "gamerun.h"

#include "generator/generator.h"
#include "harness.h"
#include "map_editor/ui/mapeditor.h"
#include "mouse.h"
#include "projects/module1.h"
#include "projects/ui/controlpanel.h"
#include "projects/ui/nouvprojet.h"
#include "projects/ui/var.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

template <class T> T *child(QObject *window, const char *name)
{
    T *found = window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QObject *window, const char *name)
{
    if (auto *button = child<QAbstractButton>(window, name))
        button->click();
}

// A press on the map picture in the middle of a cell (column and row from 1).
void pressCell(mapeditor *editor, int column, int row)
{
    QWidget *canvas = child<QWidget>(editor, "CarteImg");
    ASSERT_NE(canvas, nullptr);
    ASSERT_TRUE(canvas->isEnabled());
    mouse::click(canvas, Qt::LeftButton, QPoint(28 * (column - 1) + 14, 29 * (row - 1) + 14));
}

void chooseItem(QObject *window, const char *combo, const QString &text)
{
    if (auto *box = child<QComboBox>(window, combo)) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }
}

// The "A condition" command: if var[k] == "value" then.
void addCondition(mapeditor *editor, int variable, const QString &value)
{
    click(editor, "Command13");
    auto *variables = child<QComboBox>(editor, "Combo1");
    ASSERT_GT(variables->count(), variable - 1);
    variables->setCurrentIndex(variable - 1);
    chooseItem(editor, "Combo2", "=");
    child<QLineEdit>(editor, "Text3")->setText(value);
    click(editor, "Command3");
}

void displayText(Harness &h, mapeditor *editor, const QString &text)
{
    h.dialogs.type(text);
    click(editor, "Command8");
}

QStringList eventLines(mapeditor *editor)
{
    QStringList lines;
    auto *list = child<QListWidget>(editor, "listev");
    for (int i = 0; list && i < list->count(); ++i)
        lines.append(list->item(i)->text());
    return lines;
}

TEST(EndToEnd, AGameMadeInTheToolIsPlayedFromTheTitleToTheGameOver)
{
    Harness h;

    // The new-project dialog: the project folder, the dashboard and map 01's editor.
    h.mainform->showNewProject();
    nouvprojet *dialog = h.mainform->formsOf<nouvprojet>().value(0);
    ASSERT_NE(dialog, nullptr);
    child<QLineEdit>(dialog, "Text1")->setText("Quest");
    click(dialog, "Command1");
    h.settle();
    ASSERT_EQ(h.session.currentProject(), "Quest");
    mapeditor *editor = h.mainform->formsOf<mapeditor>().value(0);
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->Tag(), "01");
    const QString project = h.session.projectFolder();

    // One game variable, start value "0".
    h.mainform->showVariables();
    var *variables = h.mainform->formsOf<var>().value(0);
    ASSERT_NE(variables, nullptr);
    h.dialogs.type("0");
    click(variables, "Command1");
    ASSERT_EQ(Module1::readini("Variable1", "valeur", h.session.projectIni()), "0");

    // "New Map": map 02, whose cell at row 2, column 1 takes all the hero's HP.
    click(editor, "Command4");
    click(editor, "Command5");
    ASSERT_EQ(editor->Tag(), "02");
    child<QAbstractButton>(editor, "Option1_2")->click();
    pressCell(editor, 1, 2);
    click(editor, "Command17");
    child<QLineEdit>(editor, "Text2")->setText("200");
    child<QAbstractButton>(editor, "Option2_0")->click();
    click(editor, "Command22");
    click(editor, "Command2");
    ASSERT_EQ(readBytes(project + "/ev/map02/ev21"),
              QByteArray("\r\nhero.vie = hero.vie - 200 -- Retrait de 200 de vie au h\xe9ro\r\n"));

    // Back to map 01 through the map chooser.
    click(editor, "Command6");
    auto *chooser = child<QScrollBar>(editor, "HScroll1");
    chooser->setValue(2);
    chooser->setValue(1);
    click(editor, "Command1");
    ASSERT_EQ(editor->Tag(), "01");

    // Paint row 1 with the set's second tile, block the cell at row 1, column 5.
    child<QAbstractButton>(editor, "Option1_0")->click();
    child<QScrollBar>(editor, "Choixtext")->setValue(2);
    for (int column = 1; column <= 4; ++column)
        pressCell(editor, column, 1);
    child<QAbstractButton>(editor, "Option1_1")->click();
    pressCell(editor, 5, 1);
    const QByteArray map01 = readBytes(project + "/map01.map");
    ASSERT_EQ(map01.mid(6, 17), QByteArray("11110000000000000"));
    ASSERT_EQ(readBytes(project + "/map01.ev").left(17), QByteArray("00001000000000000"));

    // The event of row 2, column 4: a text, a pause, a condition on the variable before and
    // after it changes, an HP loss and the change to map 02.
    child<QAbstractButton>(editor, "Option1_2")->click();
    pressCell(editor, 4, 2);
    displayText(h, editor, "Hello");
    h.dialogs.type("30");
    click(editor, "Command12");
    addCondition(editor, 1, "1");
    displayText(h, editor, "Never");
    click(editor, "Command15");
    click(editor, "Command18");
    auto *list = child<QListWidget>(editor, "List1");
    ASSERT_EQ(list->count(), 1);
    h.dialogs.type("1");
    mouse::click(list->viewport(), Qt::LeftButton, list->visualItemRect(list->item(0)).center());
    addCondition(editor, 1, "1");
    displayText(h, editor, "Now one");
    click(editor, "Command15");
    click(editor, "Command17");
    child<QLineEdit>(editor, "Text2")->setText("10");
    child<QAbstractButton>(editor, "Option2_0")->click();
    click(editor, "Command22");
    click(editor, "Command19");
    child<QScrollBar>(editor, "HScroll3")->setValue(2);
    click(editor, "Command21");
    EXPECT_EQ(
        eventLines(editor),
        (QStringList{"affichertexte(\"Hello\")", "screen.waitVblankStart(30)", "if var[1] == \"1\" then",
                     "affichertexte(\"Never\")", "end", "var[1] = \"1\"", "if var[1] == \"1\" then",
                     "affichertexte(\"Now one\")", "end",
                     QString::fromUtf8("hero.vie = hero.vie - 10 -- Retrait de 10 de vie au héro"), "runmap(\"02\")"}));
    click(editor, "Command2");
    EXPECT_EQ(h.dialogs.pending(), 0);

    // "Test Game": the scripts generated, the boot script written, Lua Player started. The
    // player lies in the tool folder, as the install puts it there.
    ASSERT_TRUE(QFile::copy(TARNWICK_LUAPLAYER, h.tool.file("/luaplayer.exe")));
    Controlpanel *dashboard = h.mainform->dashboard();
    ASSERT_NE(dashboard, nullptr);
    mouse::click(child<QWidget>(dashboard, "Label9_3"));
    ASSERT_EQ(h.shell.started.size(), 1) << h.dialogs.texts().join(" / ").toStdString();
    EXPECT_EQ(h.shell.started[0].program, h.tool.file("/luaplayer.exe"));
    EXPECT_EQ(h.shell.started[0].arguments, QStringList{"index.lua"});
    EXPECT_EQ(h.shell.started[0].workingFolder, h.tool.path());
    EXPECT_EQ(readBytes(h.tool.file("/index.lua")),
              QByteArray("System.currentDirectory(\"projets/Quest\")\r\ndofile(\"index.lua\")\r\n"));

    // The game, as Lua Player runs it from the tool folder: past the intro, "New game", a walk
    // right into the blocked cell, down onto the event cell, cross through the two texts,
    // then on map 02 down onto the cell that ends the game, and cross back to the title.
    QTemporaryDir shots;
    const PlayResult r = play(h.tool.path(), "index.lua",
                              "5 start\n10 cross\n30-120 right\n150-153 down\n200 cross\n300 cross\n"
                              "350-353 down\n420 cross\n",
                              460, shots.path(), "140");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    const Trace &t = r.trace;

    // The walked map as the player saw it: the painted cells show the sheet's second tile.
    const QImage screen = QImage(shots.filePath("frame-00140.png")).convertToFormat(QImage::Format_RGB32);
    const QImage sheet = QImage(project + "/images/map01/terrain.png").convertToFormat(QImage::Format_RGB32);
    for (int column = 1; column <= 5; ++column) {
        if (column != 4) { // the hero stands there
            EXPECT_EQ(screen.copy(cellX(column), cellY(1), 28, 29), sheet.copy(column < 4 ? 28 : 0, 0, 28, 29))
                << "column " << column;
        }
    }

    const int title = t.findPrint("New game");
    const int map1 = t.findBlit("images/map01/terrain.png");
    ASSERT_GE(title, 0);
    EXPECT_GE(t.findBlit("images/System/menuprinc.png"), 0);
    ASSERT_GT(map1, title);
    const int hello = t.findPrint("Hello");
    ASSERT_GT(hello, map1);
    EXPECT_EQ(t.heroStops(map1, hello),
              (QStringList{"face1 1,1", "droite1 2,1", "droite1 3,1", "droite1 4,1", "face1 4,2"}))
        << "the hero walks to the blocked cell, stops there, then steps onto the event cell";
    EXPECT_GE(t.findPrint("HP: 100", map1), 0);

    EXPECT_FALSE(t.anyPrint("Never")) << "var[1] was still \"0\"";
    const int nowOne = t.findPrint("Now one", hello);
    ASSERT_GT(nowOne, hello) << "var[1] had become \"1\"";
    EXPECT_GE(t.lines[nowOne].frame - t.lines[t.findLastPrint("Hello")].frame, 30) << "the pause";

    const int map2 = t.findBlit("images/map02/terrain.png", nowOne);
    ASSERT_GT(map2, nowOne);
    EXPECT_EQ(t.heroStops(map2).value(0), "face1 1,1") << "map 02's start cell";
    EXPECT_GE(t.findPrint("HP: 90", map2), 0);

    const int dead = t.findBlit("hero/mort.png", map2);
    ASSERT_GT(dead, map2);
    EXPECT_EQ(t.heroStops(dead).value(0), "mort 1,2");
    EXPECT_GE(t.findPrint("GAME OVER", dead), 0);
    EXPECT_GE(t.findPrint("HP: 0", dead), 0);
    const int back = t.findBlit("images/System/menuprinc.png", dead);
    ASSERT_GT(back, dead) << "the game over goes back to the title";
    EXPECT_GE(t.findPrint("New game", back), 0);
}

} // namespace
