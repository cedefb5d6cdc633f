#include "harness.h"
#include "projectlayout.h"
#include "map_editor/ui/mapeditor.h"
#include "projects/module1.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

// A project as a new project leaves it, with one variable.
void layOut(Session &s)
{
    layOutProject(s);
    const QString ini = s.projectIni();
    Module1::writeini("Variables", "nombre", "1", ini);
    Module1::writeini("Variable1", "numero", "1", ini);
    Module1::writeini("Variable1", "valeur", "0", ini);
}

// Inside the cell at 0-based row and column.
void press(mapeditor *e, int r, int c)
{
    e->CarteImg_MouseDown(1, 0, 420.0f * c + 200, 435.0f * r + 200);
}

template <class T> T *find(mapeditor *e, const char *name)
{
    T *control = e->findChild<T *>(QString::fromLatin1(name));
    EXPECT_TRUE(control) << name;
    return control;
}

void click(mapeditor *e, const char *name)
{
    if (auto *b = find<QPushButton>(e, name))
        b->click();
}

} // namespace

TEST(EventsInTheMapEditor, EventModePressAddLinesSaveAndReopen)
{
    for (const Edition edition : {Edition::English, Edition::French}) {
        SCOPED_TRACE(edition == Edition::English ? "English" : "French");
        Harness h(edition);
        layOut(h.session);
        mapeditor *e = h.mainform->openMapEditor("01");
        ASSERT_TRUE(e);
        h.settle();

        e->Option1[2]->setChecked(true);
        press(e, 1, 4);
        // Heights go through whole pixels, so they hold to within one pixel (15 twips).
        EXPECT_NEAR(e->heightTwips(), e->openHeightTwips(), 15) << "the window shows the panel";
        EXPECT_FALSE(e->CarteImg->isEnabled());
        EXPECT_EQ(e->panel()->lines(), QStringList());

        h.dialogs.type("Bonjour \"toi\"");
        click(e, "Command8");
        click(e, "Command13");
        find<QComboBox>(e, "Combo1")->setCurrentIndex(0);
        find<QComboBox>(e, "Combo2")->setCurrentIndex(0);
        find<QLineEdit>(e, "Text3")->setText("3");
        click(e, "Command3");
        click(e, "Command15");

        // A hero move through the real canvas: the pick takes the pressed cell.
        h.dialogs.answer(MsgAnswer::Ok);
        click(e, "Command23");
        EXPECT_TRUE(e->CarteImg->isEnabled());
        press(e, 2, 6);
        EXPECT_FALSE(e->CarteImg->isEnabled());
        EXPECT_FALSE(e->heroMoveArmed());

        click(e, "Command2");
        EXPECT_TRUE(e->CarteImg->isEnabled());
        EXPECT_NEAR(e->heightTwips(), e->closedHeightTwips(), 15);
        EXPECT_LT(e->closedHeightTwips(), e->openHeightTwips());
        const QByteArray expected = QByteArray("\r\naffichertexte(\"Bonjour \\\"toi\\\"\")"
                                               "\r\nif var[1] == \"3\" then"
                                               "\r\nend"
                                               "\r\nhero.x = 7 -- D\xe9placement du h\xe9ro(vertical)"
                                               "\r\nhero.y = 3 -- D\xe9placelement du h\xe9ro(horizontal)\r\n");
        EXPECT_EQ(readBytes(h.session.projectPath("/ev/map01/ev25")), expected);

        // Another cell, then back: the saved lines come back in order.
        press(e, 0, 0);
        EXPECT_EQ(e->panel()->lines(), QStringList());
        click(e, "Command20");
        press(e, 1, 4);
        EXPECT_EQ(e->panel()->lines().size(), 5);
        EXPECT_EQ(e->panel()->lines().first(), "affichertexte(\"Bonjour \\\"toi\\\"\")");
        EXPECT_EQ(find<QListWidget>(e, "listev")->count(), 5);
        EXPECT_EQ(h.dialogs.pending(), 0);
    }
}

// A line break pasted into the HP amount or typed into "Entrer code" once split the stored
// line, and after a reopening "6 de vie au héro" stood alone as a line that is no Lua. Every
// break becomes one blank, so each command stays one line through Save and reopening.
TEST(EventsInTheMapEditor, PastedLineBreaksStayInsideTheirLine)
{
    Harness h(Edition::French);
    layOut(h.session);
    mapeditor *e = h.mainform->openMapEditor("01");
    ASSERT_TRUE(e);
    h.settle();
    e->Option1[2]->setChecked(true);
    press(e, 0, 1);

    click(e, "Command17");
    auto *amount = find<QLineEdit>(e, "Text2");
    QApplication::clipboard()->setText("6\r\n");
    amount->selectAll();
    amount->paste();
    click(e, "Command22");
    for (const char *code : {"a = 1\r\nb = 2", "c = 3\nd = 4\re = 5"}) {
        h.dialogs.answer(MsgAnswer::Ok);
        h.dialogs.type(QString::fromLatin1(code));
        click(e, "Command24");
    }
    const QStringList lines = {QString::fromUtf8("hero.vie = hero.vie - 6  -- Retrait de 6  de vie au héro"),
                               "a = 1 b = 2", "c = 3 d = 4 e = 5"};
    EXPECT_EQ(e->panel()->lines(), lines);
    click(e, "Command2");
    EXPECT_EQ(readBytes(h.session.projectPath("/ev/map01/ev12")),
              QByteArray("\r\nhero.vie = hero.vie - 6  -- Retrait de 6  de vie au h\xe9ro\r\na = 1 b = 2\r\n"
                         "c = 3 d = 4 e = 5\r\n"));

    press(e, 0, 0);
    click(e, "Command20");
    press(e, 0, 1);
    EXPECT_EQ(e->panel()->lines(), lines);
    EXPECT_EQ(h.dialogs.pending(), 0);
}
