#include "fulldisk.h"
#include "harness.h"
#include "map_editor/mapdocument.h"
#include "map_editor/tilesets.h"
#include "map_editor/ui/mapeditor.h"
#include "projectlayout.h"
#include "projects/module1.h"
#include "projects/ui/controlpanel.h"
#include "projects/ui/nouvprojet.h"
#include "projects/ui/var.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

// Every window whose save did not reach the disk says so once, names the file and the
// platform's reason, leaves the old files as they were, and keeps what the user made so that
// the next press or Save, once there is room, writes it all. The disk is full while a
// FileSizeLimit lives.

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Room for one byte: every write of a file fails part-way, as on a full disk.
constexpr rlim_t kFull = 1;

void press(mapeditor *e, int r, int c)
{
    e->CarteImg_MouseDown(1, 0, 420.0f * c + 200, 435.0f * r + 200);
}

void pressBeside(mapeditor *e)
{
    e->CarteImg_MouseDown(2, 0, 7150, 100);
}

void click(QWidget *window, const char *button)
{
    auto *b = window->findChild<QPushButton *>(QString::fromLatin1(button));
    ASSERT_TRUE(b) << button;
    b->click();
}

// "file: File too large", as the messages name a file that was left as it was.
QString tooLarge(const QString &path, Edition edition = Edition::English)
{
    return path + (edition == Edition::French ? " : " : ": ") + fileTooLarge();
}

struct Window : ::testing::Test {
    Harness h;
    Session &s = h.session;
    void SetUp() override { layOutProject(s); }
    QString project(const QString &part) const { return s.projectPath(part); }
};

} // namespace

TEST_F(Window, MapEditorPressesAreToldOnceAndTheNextSaveWritesThemAll)
{
    mapeditor *e = h.mainform->openMapEditor("01");
    const QByteArray ini = readBytes(s.projectIni()), map = mapBytes(s, "01"), blocks = blockBytes(s, "01");
    {
        const FileSizeLimit full(kFull);
        e->Choixtext->setValue(2);
        press(e, 0, 0);
        e->Option1[1]->setChecked(true);
        press(e, 1, 1);
        e->Text1->setText("Cave");
        e->Command9_Click();
        press(e, 2, 4);
        pressBeside(e);
    }
    EXPECT_EQ(readBytes(s.projectIni()), ini);
    EXPECT_EQ(mapBytes(s, "01"), map);
    EXPECT_EQ(blockBytes(s, "01"), blocks);
    ASSERT_EQ(h.dialogs.shown.size(), 2) << "one message for the stretch, and the hero start's hint";
    EXPECT_EQ(h.dialogs.shown[0].text, "Map 01 could not be saved:\n" + tooLarge(s.projectIni()) + "\n" +
                                           tooLarge(project("/map01.ev")) + "\n" + tooLarge(project("/map01.map")) +
                                           "\nThe window keeps your changes: the next press on the map that saves "
                                           "writes them all.");
    EXPECT_EQ(h.dialogs.shown[0].icon, MsgIcon::Exclamation);

    pressBeside(e);
    EXPECT_EQ(mapBytes(s, "01").left(7), "0503\r\n1");
    EXPECT_EQ(blockBytes(s, "01").at(19 + 1), '1');
    EXPECT_EQ(Module1::readini("Carte01", "nom", s.projectIni()), "Cave");
    EXPECT_EQ(h.dialogs.shown.size(), 2);

    // A save that succeeded lets the next failure be told again.
    {
        const FileSizeLimit full(kFull);
        press(e, 0, 1);
        press(e, 0, 2);
    }
    EXPECT_EQ(h.dialogs.shown.size(), 3);
}

TEST(FullDiskWindow, EventPanelSaveKeepsThePanelOpenWithItsLines)
{
    Harness h(Edition::French);
    layOutProject(h.session);
    const QString cell = h.session.projectPath("/ev/map01/ev12");
    writeBytes(cell, "\r\nold\r\n");
    mapeditor *e = h.mainform->openMapEditor("01");
    e->Option1[2]->setChecked(true);
    press(e, 0, 1);
    click(e, "Command15");
    {
        const FileSizeLimit full(kFull);
        click(e, "Command2");
    }
    EXPECT_EQ(readBytes(cell), "\r\nold\r\n");
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].text, QString::fromUtf8("Les événements de la case ligne 1, colonne 2 n'ont pas pu "
                                                         "être sauvés :\n") +
                                           tooLarge(cell, Edition::French) +
                                           QString::fromUtf8("\nLe panneau reste ouvert avec ses lignes ; cliquez de "
                                                             "nouveau sur « Sauver » pour les écrire."));
    EXPECT_EQ(e->panel()->lines(), (QStringList{"old", "end"}));
    EXPECT_FALSE(e->CarteImg->isEnabled()) << "the panel is still open";

    click(e, "Command2");
    EXPECT_EQ(readBytes(cell), "\r\nold\r\nend\r\n");
    EXPECT_TRUE(e->CarteImg->isEnabled());
    EXPECT_EQ(h.dialogs.shown.size(), 1);
}

TEST_F(Window, VariablesEditorKeepsATypedValueForTheNextPress)
{
    h.mainform->showVariables();
    h.settle();
    var *v = h.mainform->formsOf<var>().value(0);
    ASSERT_TRUE(v);
    auto *list = v->findChild<QListWidget *>("List1");
    const QString ini = s.projectIni();
    const QByteArray before = readBytes(ini);
    const QString notWritten = "projet.ini could not be written:\n" + tooLarge(ini) + "\n";
    const QString kept = "The start value you typed is kept: the next press on \"Add a variable\" or on a variable "
                         "writes it.";

    // No room for the number: nothing is asked and nothing changes.
    {
        const FileSizeLimit full(kFull);
        click(v, "Command1");
    }
    EXPECT_EQ(readBytes(ini), before);
    ASSERT_EQ(h.dialogs.texts(), QStringList{"Variable 1 was not added: " + notWritten + "Nothing was changed."});

    // Room for the number, not for the typed value: the value is kept, and the next press
    // writes it without asking again.
    const QString typed(40, QLatin1Char('v'));
    {
        const FileSizeLimit nearlyFull(before.size() + 25);
        h.dialogs.type(typed);
        click(v, "Command1");
    }
    EXPECT_EQ(readBytes(ini), before + "[Variable1]\r\nnumero=1\r\n");
    ASSERT_EQ(h.dialogs.shown.size(), 3);
    EXPECT_EQ(h.dialogs.shown[2].text, "Variable 1 was not added: " + notWritten + kept);
    click(v, "Command1");
    EXPECT_EQ(readBytes(ini),
              before.chopped(3) + "1\r\n[Variable1]\r\nnumero=1\r\nvaleur=" + typed.toLatin1() + "\r\n");
    EXPECT_EQ(h.dialogs.shown.size(), 3) << "nothing asked again";
    EXPECT_EQ(list->count(), 1);

    // A changed start value is kept the same way, and written by the next addition.
    const QByteArray one = readBytes(ini);
    {
        const FileSizeLimit full(kFull);
        h.dialogs.type("changed");
        list->setCurrentRow(0);
        h.settle();
    }
    EXPECT_EQ(readBytes(ini), one);
    EXPECT_EQ(h.dialogs.shown.last().text, "The start value of variable 1 was not saved: " + notWritten + kept);
    h.dialogs.type("2");
    click(v, "Command1");
    EXPECT_EQ(Module1::readini("Variable1", "valeur", ini), "changed");
    EXPECT_EQ(Module1::readini("Variable2", "valeur", ini), "2");
    EXPECT_EQ(Module1::readini("Variables", "nombre", ini), "2");
    EXPECT_EQ(h.dialogs.pending(), 0);
}

TEST_F(Window, NewMapLeavesNothingOfAMapItCouldNotWrite)
{
    mapeditor *e = h.mainform->openMapEditor("01");
    const QByteArray ini = readBytes(s.projectIni());
    {
        const FileSizeLimit full(kFull);
        e->Command5_Click();
    }
    EXPECT_EQ(readBytes(s.projectIni()), ini);
    for (const char *made : {"/images/map02", "/ev/map02", "/map02.ev", "/map02.map"})
        EXPECT_FALSE(QFileInfo::exists(project(made))) << made;
    ASSERT_EQ(h.dialogs.texts(),
              QStringList{"Map 02 was not created: a file could not be written:\n" + tooLarge(project("/map02.ev")) +
                          "\nThe folders and files made for it were removed, and projet.ini still counts the maps it "
                          "had."});
    EXPECT_EQ(e->Tag(), "01");

    e->Command5_Click();
    EXPECT_EQ(e->Tag(), "02");
    EXPECT_EQ(mapBytes(s, "02"), templateCopy(s, "ftgmma.dat"));
    EXPECT_EQ(h.dialogs.shown.size(), 1);
}

TEST_F(Window, ChangeTextureTellsWhatOfProjetIniAndTheSheetWasWritten)
{
    mapeditor *e = h.mainform->openMapEditor("01");
    const QString sheet = tilesets::mapSheetPath(s, "01");
    const QByteArray oldSheet = readBytes(sheet), ini = readBytes(s.projectIni());
    e->Command11_Click();
    e->HScroll2->setValue(2);
    {
        const FileSizeLimit full(kFull);
        e->Command14_Click();
    }
    EXPECT_EQ(readBytes(s.projectIni()), ini);
    EXPECT_EQ(readBytes(sheet), oldSheet);
    {
        // Room for projet.ini, not for the sheet.
        const FileSizeLimit nearlyFull(2000);
        e->Command14_Click();
    }
    EXPECT_EQ(Module1::readini("Carte01", "texture", s.projectIni()), "02");
    EXPECT_EQ(readBytes(sheet), oldSheet);
    EXPECT_EQ(h.dialogs.texts(),
              (QStringList{"Map 01 keeps its tile set: projet.ini could not be written:\n" + tooLarge(s.projectIni()) +
                               "\nNeither projet.ini nor the map's sheet was changed.",
                           "Map 01 now uses tile set 02, but its sheet could not be copied:\n" + tooLarge(sheet) +
                               "\nThe map's sheet in the project was not replaced."}));

    e->Command14_Click();
    EXPECT_EQ(readBytes(sheet), readBytes(tilesets::sheetPath(s.toolFolder(), "02")));
    EXPECT_EQ(h.dialogs.shown.size(), 2);
}

TEST_F(Window, ResetToldOnceForTheCellsItCouldNotEmpty)
{
    mapeditor *e = h.mainform->openMapEditor("01");
    const QString first = project("/ev/map01/ev11");
    writeBytes(first, "\r\nscreen.waitVblankStart(1)\r\n");
    {
        const FileSizeLimit full(kFull);
        h.dialogs.answer(MsgAnswer::Yes);
        e->Command10_Click();
    }
    EXPECT_EQ(readBytes(first), "\r\nscreen.waitVblankStart(1)\r\n");
    EXPECT_FALSE(QFileInfo::exists(project("/ev/map01/ev12")));
    ASSERT_EQ(h.dialogs.shown.size(), 2);
    EXPECT_EQ(h.dialogs.shown[1].text, "Map 01 was set to zero in the window, but 136 of its 136 cell event files "
                                       "could not be emptied and keep their events; the first:\n" +
                                           tooLarge(first) + "\nPress \"Reset the map to zero\" again to empty them.");

    h.dialogs.answer(MsgAnswer::Yes);
    e->Command10_Click();
    EXPECT_EQ(readBytes(first), "\r\n");
    EXPECT_EQ(readBytes(project("/ev/map01/ev817")), "\r\n");
    EXPECT_EQ(h.dialogs.shown.size(), 3);
}

TEST(FullDiskWindow, CreateTakesItsFailurePathWithThePlatformsReason)
{
    Harness h;
    h.mainform->startUp();
    h.settle();
    h.mainform->showNewProject();
    h.settle();
    nouvprojet *dialog = h.mainform->formsOf<nouvprojet>().value(0);
    ASSERT_TRUE(dialog);
    auto *name = dialog->findChild<QLineEdit *>("Text1");
    const QString data = h.tool.file("/data/images/personnages/perso01/dos1.png");
    const QString projets = h.tool.file("/projets/");
    const struct {
        const char *name;
        rlim_t limit;
        QString failure;
    } cases[] = {
        {"First", kFull, "The file " + projets + "First/projet.ini could not be written: " + fileTooLarge()},
        // Room for projet.ini, not for the first sprite.
        {"Second", 300,
         "The file " + data + " could not be copied to " + projets +
             "Second/images/personnages/hero/dos1.png: " + fileTooLarge()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        name->setText(c.name);
        {
            const FileSizeLimit full(c.limit);
            click(dialog, "Command1");
        }
        ASSERT_FALSE(h.dialogs.shown.isEmpty());
        EXPECT_EQ(h.dialogs.shown.last().text,
                  QString::fromUtf8("Erreur , des données essentiels au fonctionnement du programme sont manquantes ou "
                                    "corrompus , veuillez réinstaller Tarnwick 3\r\n") +
                      c.failure);
        EXPECT_EQ(h.dialogs.shown.last().icon, MsgIcon::Critical);
        EXPECT_TRUE(h.session.currentProject().isEmpty());
        EXPECT_EQ(h.mainform->formsOf<nouvprojet>().value(0), dialog) << "the dialog stays open";
    }

    name->setText("Third");
    click(dialog, "Command1");
    h.settle();
    EXPECT_EQ(h.session.currentProject(), "Third");
    EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), 1);
}

TEST(FullDiskWindow, TestGameNamesOnlyWhatIsOnDiskAndStartsNoPlayer)
{
    const struct {
        const char *name;
        rlim_t limit;
        const char *cartes;
        QString message;
    } cases[] = {
        {"variables.lua", kFull, "1",
         "<project>/variables.lua could not be written (<reason>).\nvariables.lua and ev.lua were not written."},
        // variables.lua fits; ev.lua, three maps of it, is over 16 KB.
        {"ev.lua", 1000, "3",
         "<project>/ev.lua could not be written (<reason>).\nvariables.lua was written; ev.lua was not."},
        // Both scripts of a project without maps fit; the boot script does not.
        {"boot script", 60, "0",
         "The boot script could not be written: <tool>/index.lua (<reason>)\nLua Player was not started."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        layOutProject(h.session);
        for (int m = 2; m <= 3; ++m)
            addMap(h.session, pad2(m));
        Module1::writeini("Jeu", "cartes", c.cartes, h.session.projectIni());
        writeBytes(h.tool.file("/luaplayer.exe"), "#!/bin/sh\n");
        h.mainform->showDashboard();
        h.settle();
        Controlpanel *dashboard = h.mainform->dashboard();
        ASSERT_TRUE(dashboard);
        {
            const FileSizeLimit full(c.limit);
            dashboard->tester();
        }
        QString expected = c.message;
        expected.replace("<project>", h.session.projectFolder())
            .replace("<tool>", h.tool.path())
            .replace("<reason>", fileTooLarge());
        EXPECT_EQ(h.dialogs.texts(), QStringList{expected});
        EXPECT_TRUE(h.shell.started.isEmpty());

        dashboard->tester();
        EXPECT_EQ(h.shell.started.size(), 1);
        EXPECT_EQ(h.dialogs.shown.size(), 1);
    }
}
