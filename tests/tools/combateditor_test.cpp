#include "harness.h"
#include "platform/twips.h"
#include "project.h"
#include "projects/ui/combateditor.h"
#include "projects/ui/gameoptions.h"
#include "shell/controls.h"
#include "toolfolder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

struct Fight {
    combateditor *form;
    QScrollBar *selector;
    QLineEdit *name;
};

Fight openFight(Harness &h)
{
    combateditor *f = h.mainform->openFightEditor();
    h.settle();
    return {f, f->findChild<QScrollBar *>("HScroll1"), f->findChild<QLineEdit *>("Text1")};
}

// What a control shows: a caption, a frame's title or a box's text.
QString shownText(const QWidget *w)
{
    if (auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    return QString();
}

} // namespace

TEST(FightEditor, ACountOfZeroHoldsTheSelectorAtZeroAndNamesANewFight)
{
    Harness h;
    makeProject(h);
    Fight f = openFight(h);
    f.selector->setValue(5);
    EXPECT_EQ(f.selector->value(), 0);
    EXPECT_EQ(f.selector->maximum(), 0);
    EXPECT_EQ(f.name->text(), "Nouveau combat");
    f.selector->setValue(1);
    EXPECT_EQ(f.selector->value(), 0) << "it stays there for good";
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}

TEST(FightEditor, ACountOfTwoRunsOverThreeFightsByTheirNames)
{
    Harness h(Edition::French);
    const QString ini = makeProject(h);
    Module1::writeini("Jeu", "combats", "2", ini);
    Module1::writeini("Combat0", "nom", "Les loups", ini);
    Module1::writeini("Combat2", "nom", "Le dragon", ini);
    const QByteArray before = readBytes(ini);
    Fight f = openFight(h);
    EXPECT_EQ(f.selector->maximum(), 32767) << "nothing is read before the first move";
    EXPECT_EQ(f.name->text(), "");

    f.selector->setValue(100);
    EXPECT_EQ(f.selector->maximum(), 2);
    EXPECT_EQ(f.selector->value(), 2) << "the new maximum cuts the value back";
    EXPECT_EQ(f.name->text(), "Le dragon");
    f.selector->setValue(1);
    EXPECT_EQ(f.name->text(), "") << "no [Combat1]";
    f.selector->setValue(0);
    EXPECT_EQ(f.name->text(), "Les loups");
    EXPECT_EQ(readBytes(ini), before) << "the fight editor writes nothing";
}

TEST(FightEditor, ACountThatIsNoWholeNumberUpTo32767HoldsTheSelectorAtZero)
{
    for (const char *count : {"abc", "", "2.5", "-1", "40000", "1e2", "2000000000"}) {
        SCOPED_TRACE(count);
        Harness h;
        const QString ini = makeProject(h);
        Module1::writeini("Jeu", "combats", count, ini);
        Module1::writeini("Combat0", "nom", "Les loups", ini);
        Fight f = openFight(h);
        f.name->setText("typed");
        f.selector->setValue(3);
        EXPECT_EQ(f.selector->value(), 0);
        EXPECT_EQ(f.name->text(), "");
        EXPECT_TRUE(h.dialogs.shown.isEmpty());
    }
}

TEST(FightEditor, EachOpeningGivesANewIndependentWindow)
{
    Harness h;
    makeProject(h);
    Fight first = openFight(h);
    Fight second = openFight(h);
    EXPECT_NE(first.form, second.form);
    EXPECT_EQ(h.mainform->formsOf<combateditor>().size(), 2);
    first.form->findChild<QLineEdit *>("hnom_0")->setText("Ayla");
    EXPECT_EQ(second.form->findChild<QLineEdit *>("hnom_0")->text(), "");
}

TEST(FightEditor, BarsAndButtonsChangeNothingButThemselves)
{
    Harness h;
    const QString ini = makeProject(h);
    const QByteArray before = readBytes(ini);
    Fight f = openFight(h);
    f.form->findChild<QScrollBar *>("HScroll2_1")->setValue(500);
    f.form->findChild<QScrollBar *>("HScroll3_4")->setValue(77);
    f.form->findChild<QScrollBar *>("HScroll5")->setValue(9);
    f.form->findChild<QPushButton *>("Command1")->click();
    f.form->findChild<QPushButton *>("Command2_2")->click();
    EXPECT_EQ(f.form->findChild<QLabel *>("h1vie_1")->text(), "100");
    EXPECT_EQ(f.form->findChild<QLabel *>("h1a1degats_4")->text(), "10");
    EXPECT_EQ(f.form->findChild<QLabel *>("h1a3degat")->text(), "10");
    EXPECT_EQ(f.name->text(), "");
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(readBytes(ini), before);
}

TEST(FightEditor, ControlsSitWhereDesignedInBothEditions)
{
    // Positions in twips within the parent named; texts English then French.
    struct Case {
        const char *name, *parent;
        int left, top, width, height;
        const char *english, *french;
    };
    const Case cases[] = {
        {"Label1", "combateditor", 120, 120, 735, 255, "Fight : ", "Combat : "},
        {"Label2", "combateditor", 720, 120, 735, 255, "1", "1"},
        {"HScroll1", "combateditor", 120, 360, 1215, 255, "", ""},
        {"Text1", "combateditor", 2040, 240, 6855, 285, "", ""},
        {"Command1", "combateditor", 9240, 240, 975, 375, "New", "Nouveau"},
        {"Frame1_0", "combateditor", 120, 840, 3735, 8175, "   Hero 1", "   Hero 1"},
        {"frame_1", "combateditor", 3960, 840, 3735, 8175, "    Hero 2", "    Hero 2"},
        {"Frame1_2", "combateditor", 7800, 840, 3735, 8175, "    Hero 3", "    Hero 3"},
        {"Label3_1", "frame_1", 120, 240, 1095, 255, "Name :", "Nom :"},
        {"hnom_2", "Frame1_2", 720, 240, 2775, 285, "", ""},
        {"Label4_0", "Frame1_0", 120, 600, 495, 255, "HP : ", "Vie : "},
        {"HScroll2_2", "Frame1_2", 720, 600, 1455, 255, "", ""},
        {"h1vie_0", "Frame1_0", 2400, 600, 1095, 255, "100", "100"},
        {"Command2_1", "frame_1", 1320, 4680, 1095, 255, "Load", "Charger"},
        {"Picture1_2", "Frame1_2", 240, 4920, 3135, 3015, "", ""},
        {"hactive_0", "Frame1_0", 0, 0, 255, 255, "Check1", "Check1"},
        {"hactive_2", "Frame1_2", 0, 0, 255, 255, "Check2", "Check2"},
        // Hero 1's attacks and hero 2's first lie on the window.
        {"Frame4_0", "combateditor", 360, 1920, 3375, 1095, "Attack1 : ", "Attaque1 : "},
        {"Frame5", "combateditor", 360, 3120, 3375, 1095, "Attack2 : ", "Attaque2 : "},
        {"Frame6", "combateditor", 360, 4320, 3375, 1095, "Attack3 : ", "Attaque3 : "},
        {"Frame4_1", "combateditor", 4080, 1920, 3375, 1095, "Attack1 : ", "Attaque1 : "},
        {"Frame4_2", "frame_1", 120, 2280, 3375, 1095, "Attack2 : ", "Attaque2 : "},
        {"Frame4_3", "frame_1", 120, 3480, 3375, 1095, "Attack3 : ", "Attaque3 : "},
        {"Frame4_6", "Frame1_2", 120, 1080, 3375, 1095, "Attack1 : ", "Attaque1 : "},
        {"Frame4_5", "Frame1_2", 120, 2280, 3375, 1095, "Attack2 : ", "Attaque2 : "},
        {"Frame4_4", "Frame1_2", 120, 3480, 3375, 1095, "Attack3 : ", "Attaque3 : "},
        {"Label5_0", "Frame4_0", 120, 360, 855, 255, "Name :", "Nom :"},
        {"h1a1nom_0", "Frame4_0", 720, 360, 2415, 285, "Attack1", "Attaque 1"},
        {"Label6_3", "Frame4_3", 120, 720, 855, 255, "Damage :", "Dégats :"},
        {"HScroll3_5", "Frame4_5", 840, 720, 1695, 255, "", ""},
        {"h1a1degats_6", "Frame4_6", 2640, 720, 615, 255, "10", "10"},
        {"h1a1nom_4", "Frame4_4", 720, 360, 2415, 285, "Attack3", "Attaque 3"},
        {"Label9", "Frame5", 120, 360, 855, 255, "Name :", "Nom :"},
        {"h1a2nom", "Frame5", 720, 360, 2415, 285, "Attack2", "Attaque 2"},
        {"Label8", "Frame5", 120, 720, 855, 255, "Damage :", "Dégats :"},
        {"HScroll4", "Frame5", 840, 720, 1695, 255, "", ""},
        {"h1a2degat", "Frame5", 2640, 720, 615, 255, "10", "10"},
        {"Label10", "Frame6", 120, 360, 855, 255, "Name :", "Nom :"},
        {"h1a3nom", "Frame6", 720, 360, 2415, 285, "Attack3", "Attaque 3"},
        {"Label11", "Frame6", 120, 720, 855, 255, "Damage :", "Dégats :"},
        {"HScroll5", "Frame6", 840, 720, 1695, 255, "", ""},
        {"h1a3degat", "Frame6", 2640, 720, 615, 255, "10", "10"},
    };
    for (Edition edition : {Edition::English, Edition::French}) {
        const bool french = edition == Edition::French;
        SCOPED_TRACE(french ? "French" : "English");
        Harness h(edition);
        makeProject(h);
        Fight f = openFight(h);
        EXPECT_EQ(f.form->subWindow()->windowTitle(), french ? "Editeur de combats" : "Fight Editor");
        EXPECT_EQ(f.form->size(), QSize(768, 662));
        for (const Case &c : cases) {
            SCOPED_TRACE(c.name);
            const auto *w = f.form->findChild<QWidget *>(c.name);
            ASSERT_NE(w, nullptr);
            ASSERT_EQ(f.form->findChildren<QWidget *>(c.name).size(), 1);
            EXPECT_EQ(w->parentWidget()->objectName(), c.parent);
            EXPECT_EQ(w->geometry(), twipsRect(c.left, c.top, c.width, c.height));
            EXPECT_EQ(shownText(w), QString::fromUtf8(french ? c.french : c.english));
        }

        // Design values of the bars, the boxes and the portraits.
        for (int h = 0; h < 3; ++h) {
            const auto *life = f.form->HScroll2[h];
            EXPECT_EQ(QList<int>({life->minimum(), life->maximum(), life->value()}), QList<int>({1, 10000, 100}));
            EXPECT_FALSE(f.form->hactive[h]->isChecked());
            EXPECT_EQ(f.form->Picture1[h]->pixmap().size(), QSize(96, 135));
        }
        for (const QScrollBar *damage : {f.form->HScroll3[2], f.form->HScroll4, f.form->HScroll5})
            EXPECT_EQ(QList<int>({damage->minimum(), damage->maximum(), damage->value()}),
                      QList<int>({0, 10000, 0}));
        EXPECT_EQ(QList<int>({f.selector->minimum(), f.selector->maximum(), f.selector->value()}),
                  QList<int>({0, 32767, 0}));
        for (const QWidget *w : f.form->Frame4)
            EXPECT_NE(w, nullptr);
    }
}

TEST(GameOptions, OneEmptyWindowWithTheEditionsCaption)
{
    for (Edition edition : {Edition::English, Edition::French}) {
        Harness h(edition);
        makeProject(h);
        h.mainform->showGameOptions();
        h.mainform->showGameOptions();
        h.settle();
        ASSERT_EQ(h.mainform->formsOf<gameoptions>().size(), 1);
        gameoptions *g = h.mainform->formsOf<gameoptions>()[0];
        EXPECT_EQ(g->subWindow()->windowTitle(), edition == Edition::French ? "Form1" : "Game Options");
        EXPECT_EQ(g->size(), QSize(312, 206));
        EXPECT_TRUE(g->findChildren<QWidget *>().isEmpty());
    }
}
