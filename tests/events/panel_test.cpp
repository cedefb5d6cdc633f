#include "panel_fixture.h"

#include "platform/twips.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The events a double-click sends: press, release, double-click, release.
void doubleClick(QWidget *widget, QPoint at)
{
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                    QEvent::MouseButtonRelease}) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, local, global, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

void doubleClickLine(QListWidget *list, int row)
{
    doubleClick(list->viewport(), list->visualItemRect(list->item(row)).center());
}

} // namespace

TEST(EventPanel, StartsWithTheDesignedListAndNoCell)
{
    PanelFixture f;
    EXPECT_EQ(f.lines(), QStringList{"-- Evenements"});
    EXPECT_EQ(f.text("ln"), "0");
    EXPECT_EQ(f.text("co"), "0");
    EXPECT_EQ(f.text("Label8"), "Position :");
    for (const char *frame : {"Frame7", "Frame8", "Frame9", "Frame10"})
        EXPECT_FALSE(f.shown(frame)) << frame;
}

TEST(EventPanel, SaveBeforeAnyCellWritesEv00)
{
    PanelFixture f;
    f.click("Command2");
    EXPECT_EQ(readBytes(f.projectFile("/ev/map01/ev00")), QByteArray("\r\n-- Evenements\r\n"));
}

TEST(EventPanel, OpenSaveCancelAndReopenACell)
{
    PanelFixture f;
    const QString ev25 = f.projectFile("/ev/map01/ev25");
    writeBytes(ev25, QByteArray::fromHex("0d0a656e640d0a780d0a"));

    // An Event-mode press on row 2, column 5 (0-based 1, 4).
    f.panel->openCell(1, 4);
    EXPECT_EQ(f.text("ln"), "2");
    EXPECT_EQ(f.text("co"), "5");
    EXPECT_EQ(f.lines(), (QStringList{"end", "x"}));
    EXPECT_TRUE(f.host.panelOpen);
    EXPECT_FALSE(f.host.canvasEnabled);

    f.click("Command15");
    f.click("Command2");
    EXPECT_EQ(readBytes(ev25), QByteArray("\r\nend\r\nx\r\nend\r\n"));
    EXPECT_FALSE(f.host.panelOpen);
    EXPECT_TRUE(f.host.canvasEnabled);
    EXPECT_EQ(f.lines(), (QStringList{"end", "x", "end"})) << "Save keeps the list";

    // Cancel writes nothing; the next opening shows the file, not the cancelled edits.
    f.panel->openCell(1, 4);
    f.click("Command15");
    f.click("Command20");
    EXPECT_FALSE(f.host.panelOpen);
    EXPECT_TRUE(f.host.canvasEnabled);
    EXPECT_EQ(readBytes(ev25), QByteArray("\r\nend\r\nx\r\nend\r\n"));
    f.panel->openCell(1, 4);
    EXPECT_EQ(f.lines(), (QStringList{"end", "x", "end"}));

    // Another cell without a file opens empty, and a Save of the empty list writes CR LF.
    f.panel->openCell(0, 11);
    EXPECT_EQ(f.lines(), QStringList());
    f.click("Command2");
    EXPECT_EQ(readBytes(f.projectFile("/ev/map01/ev112")), QByteArray("\r\n"));
    EXPECT_EQ(f.dialogs.shown.size(), 0);
}

TEST(EventPanel, CellFilesFollowTheLoadedMap)
{
    PanelFixture f;
    QDir().mkpath(f.projectFile("/ev/map02"));
    f.host.map = "02";
    f.panel->openCell(2, 10);
    f.click("Command15");
    f.click("Command2");
    EXPECT_EQ(readBytes(f.projectFile("/ev/map02/ev311")), QByteArray("\r\nend\r\n"));
    EXPECT_FALSE(QFile::exists(f.projectFile("/ev/map01/ev311")));

    // A map whose event folder is missing: Save writes nothing, says so, and stays open with
    // its lines.
    f.host.map = "07";
    f.panel->openCell(0, 0);
    f.click("Command15");
    f.click("Command2");
    EXPECT_FALSE(QDir(f.projectFile("/ev/map07")).exists());
    EXPECT_TRUE(f.host.panelOpen);
    EXPECT_EQ(f.panel->lines(), QStringList{"end"});
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_TRUE(f.dialogs.shown[0].text.contains(f.projectFile("/ev/map07/ev11") + ": No such file or directory"))
        << f.dialogs.shown[0].text.toStdString();
}

TEST(EventPanel, HeroMovePickIsDisarmedByCancelAndBySave)
{
    PanelFixture f;
    f.panel->openCell(0, 0);
    f.click("Command23");
    EXPECT_TRUE(f.host.armed);
    EXPECT_TRUE(f.host.canvasEnabled) << "the pick needs the map";
    f.click("Command20");
    EXPECT_FALSE(f.host.armed);

    f.panel->openCell(0, 0);
    f.click("Command23");
    f.click("Command2");
    EXPECT_FALSE(f.host.armed);
    EXPECT_TRUE(f.host.canvasEnabled);

    f.panel->openCell(0, 0);
    f.click("Command23");
    f.panel->heroMovePicked(7, 16);
    EXPECT_FALSE(f.host.armed);
    EXPECT_FALSE(f.host.canvasEnabled) << "the open panel keeps the map disabled";
    EXPECT_TRUE(f.host.panelOpen);
    EXPECT_EQ(f.lines().size(), 2);
}

TEST(EventPanel, DoubleClickDeletesALineOnYes)
{
    for (const Edition edition : {Edition::English, Edition::French}) {
        PanelFixture f(edition);
        writeBytes(f.projectFile("/ev/map01/ev11"), "\r\nend\r\nx\r\n");
        f.panel->openCell(0, 0);
        auto *list = f.find<QListWidget>("listev");

        f.dialogs.answer(MsgAnswer::No);
        doubleClickLine(list, 1);
        ASSERT_EQ(f.dialogs.shown.size(), 1);
        EXPECT_EQ(f.dialogs.shown[0].text,
                  edition == Edition::English
                      ? QString("Are you sure want to delete this line?\r\nx")
                      : QString::fromUtf8("Êtes-vous sure de vouloir supprimer cette ligne :\r\nx"));
        EXPECT_EQ(f.dialogs.shown[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(f.dialogs.shown[0].icon, MsgIcon::None);
        EXPECT_EQ(f.dialogs.shown[0].title, "");
        EXPECT_EQ(f.lines(), (QStringList{"end", "x"}));

        f.dialogs.answer(MsgAnswer::Yes);
        doubleClickLine(list, 0);
        EXPECT_EQ(f.lines(), QStringList{"x"});
        EXPECT_EQ(readBytes(f.projectFile("/ev/map01/ev11")), QByteArray("\r\nend\r\nx\r\n")) << "only Save writes";
        f.click("Command2");
        EXPECT_EQ(readBytes(f.projectFile("/ev/map01/ev11")), QByteArray("\r\nx\r\n"));
    }
}

TEST(EventPanel, DoubleClickOnAnEmptyListAsksNothing)
{
    PanelFixture f;
    f.panel->openCell(0, 0);
    auto *list = f.find<QListWidget>("listev");
    doubleClick(list->viewport(), QPoint(10, 10));
    f.panel->listev_DblClick();
    EXPECT_EQ(f.dialogs.shown.size(), 0);
    EXPECT_EQ(f.lines(), QStringList());
}

TEST(EventPanel, ControlsSitWhereEachEditionPutsThem)
{
    const struct {
        const char *name;
        QRect english, french;
        const char *englishCaption, *frenchCaption;
    } cases[] = {
        {"Frame6", twipsRect(120, 5880, 9615, 3855), twipsRect(0, 3720, 9615, 3855), "Event", "Evènement"},
        {"Command23", twipsRect(120, 2520, 1815, 495), twipsRect(120, 2760, 1815, 495), "Change the position of hero",
         "Changer la position du héro"},
        {"Frame9", twipsRect(1920, 120, 2415, 855), twipsRect(1920, 360, 2415, 855), "Change Map", "Charger une carte"},
        {"listev", twipsRect(5160, 240, 4215, 2985), twipsRect(5280, 240, 4215, 2985), nullptr, nullptr},
        {"Command2", twipsRect(8160, 3360, 1215, 375), twipsRect(8160, 3360, 1215, 375), "Save", "Sauver"},
        {"Command20", twipsRect(6960, 3360, 1095, 375), twipsRect(6960, 3360, 1095, 375), "Cancel", "Annuler"},
        {"Frame7", twipsRect(1920, 1800, 3375, 1095), twipsRect(1920, 1800, 3375, 1095), "Conditions", "Conditions"},
        {"Command16", twipsRect(120, 1080, 1815, 255), twipsRect(120, 1080, 1815, 255), "Start a fight",
         "Démarrer un combat"},
    };
    for (const Edition edition : {Edition::English, Edition::French}) {
        PanelFixture f(edition);
        for (const auto &c : cases) {
            const QWidget *w = f.find<QWidget>(c.name);
            ASSERT_TRUE(w);
            EXPECT_EQ(w->geometry(), edition == Edition::English ? c.english : c.french) << c.name;
            const char *caption = edition == Edition::English ? c.englishCaption : c.frenchCaption;
            if (!caption)
                continue;
            const QString expected = QString::fromUtf8(caption);
            if (auto *b = qobject_cast<const QPushButton *>(w)) {
                EXPECT_EQ(b->text(), expected) << c.name;
            } else if (auto *g = qobject_cast<const QGroupBox *>(w)) {
                EXPECT_EQ(g->title(), expected) << c.name;
            }
        }
        if (edition == Edition::French) {
            EXPECT_EQ(f.find<QWidget>("Command24")->geometry(), twipsRect(120, 2400, 1815, 255));
        }
        // The frames lie over the event list where they overlap it.
        const QObjectList order = f.panel->children();
        EXPECT_GT(order.indexOf(f.find<QWidget>("Frame8")), order.indexOf(f.find<QWidget>("listev")));
    }
}
