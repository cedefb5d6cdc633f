#include "panel_fixture.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <functional>

#include <gtest/gtest.h>

namespace {

struct Box {
    Box(const QString &t, MsgIcon i = MsgIcon::None, const QString &ti = {}) : text(t), icon(i), title(ti) {}
    QString text;
    MsgIcon icon;
    QString title;
};

struct CommandCase {
    const char *name;
    std::function<void(PanelFixture &)> act;
    QStringList lines;
    QList<Box> boxes;
};

void condition(PanelFixture &f, int variable, int op, const QString &value)
{
    f.click("Command13");
    f.find<QComboBox>("Combo1")->setCurrentIndex(variable);
    f.find<QComboBox>("Combo2")->setCurrentIndex(op);
    f.find<QLineEdit>("Text3")->setText(value);
    f.click("Command3");
}

void hp(PanelFixture &f, int option, const QString &amount)
{
    f.click("Command17");
    f.find<QRadioButton>(QStringLiteral("Option2_%1").arg(option).toLatin1().constData())->setChecked(true);
    f.find<QLineEdit>("Text2")->setText(amount);
    f.click("Command22");
}

// Answers the command's box, then presses its button; a null answer cancels the box.
std::function<void(PanelFixture &)> answerThen(const char *button, const char *answer)
{
    return [button, answer](PanelFixture &f) {
        if (answer)
            f.dialogs.type(QString::fromUtf8(answer));
        else
            f.dialogs.cancel();
        f.click(button);
    };
}

std::function<void(PanelFixture &)> pause(const char *answer)
{
    return answerThen("Command12", answer);
}

const Box kPausePrompt{"Type the time frame"};
const Box kIncorrect{"Incorrect Value!", MsgIcon::Critical};

void runCases(Edition edition, const std::vector<CommandCase> &cases)
{
    for (const CommandCase &c : cases) {
        SCOPED_TRACE(c.name);
        PanelFixture f(edition);
        f.panel->openCell(0, 0);
        c.act(f);
        EXPECT_EQ(f.lines(), c.lines);
        ASSERT_EQ(f.dialogs.shown.size(), c.boxes.size());
        for (int i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(f.dialogs.shown[i].text, c.boxes[i].text);
            EXPECT_EQ(f.dialogs.shown[i].icon, c.boxes[i].icon);
            EXPECT_EQ(f.dialogs.shown[i].title, c.boxes[i].title);
        }
        EXPECT_EQ(f.dialogs.pending(), 0);
        EXPECT_EQ(f.shell.terminated, 0);
    }
}

} // namespace

TEST(EventCommands, EachCommandAppendsItsExactLines)
{
    const Box textPrompt{"Type the text! :"};
    const Box valuePrompt{"Taper la nouvelle valeur de la variable : "};
    runCases(Edition::English,
             {
                 {"display text typed",
                  answerThen("Command8", "Hello world"),
                  {"affichertexte(\"Hello world\")"},
                  {textPrompt}},
                 {"display text cancelled", answerThen("Command8", nullptr), {"affichertexte(\"\")"}, {textPrompt}},
                 {"display text with a quote and a backslash",
                  answerThen("Command8", "He said \"hi\" \\o/"),
                  {"affichertexte(\"He said \\\"hi\\\" \\\\o/\")"},
                  {textPrompt}},
                 {"pause abc", pause("abc"), {}, {kPausePrompt, kIncorrect}},
                 {"pause empty", pause(""), {}, {kPausePrompt, kIncorrect}},
                 {"pause 40000", pause("40000"), {}, {kPausePrompt, kIncorrect}},
                 {"pause 2.5", pause("2.5"), {"screen.waitVblankStart(2)"}, {kPausePrompt}},
                 {"pause 007", pause("007"), {"screen.waitVblankStart(7)"}, {kPausePrompt}},
                 {"pause -3", pause("-3"), {"screen.waitVblankStart(-3)"}, {kPausePrompt}},
                 {"pause 3.5", pause("3.5"), {"screen.waitVblankStart(4)"}, {kPausePrompt}},
                 {"condition =", [](PanelFixture &f) { condition(f, 2, 0, "10"); }, {"if var[3] == \"10\" then"}, {}},
                 {"condition !", [](PanelFixture &f) { condition(f, 2, 1, "10"); }, {"if var[3] ~= \"10\" then"}, {}},
                 {"condition on an empty value with a quote",
                  [](PanelFixture &f) {
                      condition(f, 0, 0, "");
                      condition(f, 0, 1, "a\"b");
                  },
                  {"if var[1] == \"\" then", "if var[1] ~= \"a\\\"b\" then"},
                  {}},
                 {"close condition", [](PanelFixture &f) { f.click("Command15"); }, {"end"}, {}},
                 {"HP remove",
                  [](PanelFixture &f) { hp(f, 0, "5"); },
                  {QString::fromUtf8("hero.vie = hero.vie - 5 -- Retrait de 5 de vie au héro")},
                  {}},
                 {"HP add",
                  [](PanelFixture &f) { hp(f, 1, "12"); },
                  {QString::fromUtf8("hero.vie = hero.vie + 12 -- Ajout de 12 de vie au héro")},
                  {}},
                 {"HP replace",
                  [](PanelFixture &f) { hp(f, 2, "50"); },
                  {QString::fromUtf8("hero.vie = 50 -- Changement de la vie du héro")},
                  {}},
                 {"HP amount taken as typed",
                  [](PanelFixture &f) { hp(f, 2, ""); },
                  {QString::fromUtf8("hero.vie =  -- Changement de la vie du héro")},
                  {}},
                 {"change a variable",
                  [](PanelFixture &f) {
                      f.click("Command18");
                      f.dialogs.type("7");
                      f.find<QListWidget>("List1")->setCurrentRow(1);
                  },
                  {"var[2] = \"7\""},
                  {valuePrompt}},
                 {"change a variable to a text with a quote, then cancelled",
                  [](PanelFixture &f) {
                      f.click("Command18");
                      f.dialogs.type("say \"yes\"");
                      f.find<QListWidget>("List1")->setCurrentRow(2);
                      f.click("Command18");
                      f.dialogs.cancel();
                      f.find<QListWidget>("List1")->setCurrentRow(0);
                  },
                  {"var[3] = \"say \\\"yes\\\"\"", "var[1] = \"\""},
                  {valuePrompt, valuePrompt}},
                 {"change map with cartes 1: the chooser cannot move",
                  [](PanelFixture &f) {
                      f.click("Command19");
                      f.find<QScrollBar>("HScroll3")->setValue(2);
                      f.click("Command21");
                  },
                  {"runmap(\"01\")"},
                  {}},
                 {"hero move on row 2, column 5",
                  [](PanelFixture &f) {
                      f.click("Command23");
                      f.panel->heroMovePicked(1, 4);
                  },
                  {QString::fromUtf8("hero.x = 5 -- Déplacement du héro(vertical)"),
                   QString::fromUtf8("hero.y = 2 -- Déplacelement du héro(horizontal)")},
                  {{"Click the new position of hero", MsgIcon::None, "Event"}}},
                 {"start a fight does nothing", [](PanelFixture &f) { f.click("Command16"); }, {}, {}},
             });
}

TEST(EventCommands, FrenchEditionTextsAndEntrerCode)
{
    const Box warning{"Attention, en ajoutant du code manuellement, veuillez vous assurer que votre code est "
                      "correcte sinon le jeu ne fonctionnera pas"};
    const Box codePrompt{"Taper le code lua ici(une seule ligne)"};
    runCases(
        Edition::French,
        {
            {"entrer code",
             answerThen("Command24", "hero.vie = 3 -- \"as typed\""),
             {"hero.vie = 3 -- \"as typed\""},
             {warning, codePrompt}},
            {"entrer code, empty answer", answerThen("Command24", nullptr), {}, {warning, codePrompt}},
            {"display text", answerThen("Command8", "Bonjour"), {"affichertexte(\"Bonjour\")"}, {{"Taper le texte :"}}},
            {"pause refused",
             answerThen("Command12", "x"),
             {},
             {{"Tapez le temps en frame"}, {"Valeur incorrect !", MsgIcon::Critical}}},
            {"pause", answerThen("Command12", " 60 "), {"screen.waitVblankStart(60)"}, {{"Tapez le temps en frame"}}},
            {"hero move",
             [](PanelFixture &f) {
                 f.click("Command23");
                 f.panel->heroMovePicked(7, 16);
             },
             {QString::fromUtf8("hero.x = 17 -- Déplacement du héro(vertical)"),
              QString::fromUtf8("hero.y = 8 -- Déplacelement du héro(horizontal)")},
             {{QString::fromUtf8("Cliquez sur la nouvelle position du héro"), MsgIcon::None, "Evenement"}}},
        });
    PanelFixture english;
    EXPECT_FALSE(english.window.findChild<QPushButton *>("Command24")) << "only the French edition enters code";
}

TEST(EventCommands, ConditionFrameListsTheVariablesAndNeedsBothChoices)
{
    PanelFixture f;
    auto *combo1 = f.find<QComboBox>("Combo1");
    auto *combo2 = f.find<QComboBox>("Combo2");
    EXPECT_FALSE(f.shown("Frame7"));
    EXPECT_EQ(combo2->count(), 2);
    EXPECT_EQ(combo2->itemText(0), "=");
    EXPECT_EQ(combo2->itemText(1), "!");
    EXPECT_EQ(combo2->toolTip(), QString::fromUtf8("=  : égal | ! : différent"));
    EXPECT_EQ(f.find<QLineEdit>("Text3")->toolTip(), "Taper la valeur (texte ou nombre)");

    f.click("Command13");
    EXPECT_TRUE(f.shown("Frame7"));
    ASSERT_EQ(combo1->count(), 3);
    EXPECT_EQ(combo1->itemText(0), "Variable 1 de valeur initale : 5");
    EXPECT_EQ(combo1->itemText(1), "Variable 2 de valeur initale : ");
    EXPECT_EQ(combo1->itemText(2), "Variable 3 de valeur initale : abc");
    EXPECT_EQ(combo1->currentIndex(), -1);
    EXPECT_EQ(combo2->currentIndex(), -1);

    // Without an operator, and then without a variable, Add does nothing and the frame stays.
    combo1->setCurrentIndex(0);
    f.click("Command3");
    combo1->setCurrentIndex(-1);
    combo2->setCurrentIndex(1);
    f.click("Command3");
    EXPECT_EQ(f.lines(), QStringList{"-- Evenements"});
    EXPECT_TRUE(f.shown("Frame7"));

    combo1->setCurrentIndex(1);
    f.click("Command3");
    EXPECT_EQ(f.lines().last(), "if var[2] ~= \"0\" then");
    EXPECT_FALSE(f.shown("Frame7"));
    EXPECT_EQ(combo2->currentText(), "!") << "the operator is kept for the next condition";

    // Each press of the button toggles the frame and lists the variables afresh.
    f.ini("Variables", "nombre", "0");
    f.click("Command13");
    EXPECT_TRUE(f.shown("Frame7"));
    EXPECT_EQ(combo1->count(), 0);
    f.click("Command13");
    EXPECT_FALSE(f.shown("Frame7"));
}

TEST(EventCommands, VariableFrameListsVariablesAndHidesAfterAChange)
{
    PanelFixture f;
    auto *list = f.find<QListWidget>("List1");
    f.click("Command18");
    EXPECT_TRUE(f.shown("Frame8"));
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "Variable3");
    f.dialogs.type("9");
    list->setCurrentRow(2);
    EXPECT_FALSE(f.shown("Frame8"));
    EXPECT_EQ(f.lines().last(), "var[3] = \"9\"");

    // A missing count, one that is not a number or one outside 0 to 32767 lists nothing at once:
    // no variable line can be made, and a damaged count never hangs the window.
    for (const char *count : {"", "abc", "2000000000", "32768", "-4294767296"}) {
        f.ini("Variables", "nombre", count);
        f.click("Command18");
        EXPECT_EQ(list->count(), 0) << count;
        f.click("Command13");
        EXPECT_EQ(f.find<QComboBox>("Combo1")->count(), 0) << count;
    }
}

TEST(EventCommands, HpFrameTogglesAndHidesOnOk)
{
    PanelFixture f;
    EXPECT_TRUE(f.find<QRadioButton>("Option2_0")->isChecked());
    EXPECT_EQ(f.find<QLineEdit>("Text2")->text(), "0");
    f.click("Command17");
    EXPECT_TRUE(f.shown("Frame10"));
    f.click("Command17");
    EXPECT_FALSE(f.shown("Frame10"));
    f.click("Command17");
    f.click("Command22");
    EXPECT_FALSE(f.shown("Frame10"));
    EXPECT_EQ(f.lines().last(), QString::fromUtf8("hero.vie = hero.vie - 0 -- Retrait de 0 de vie au héro"));
}

TEST(EventCommands, MapChooserNamesTheChosenMap)
{
    PanelFixture f;
    f.ini("Jeu", "cartes", "03");
    f.ini("Carte02", "nom", "Forest");
    auto *bar = f.find<QScrollBar>("HScroll3");
    EXPECT_EQ(f.text("Label12"), "01");
    EXPECT_EQ(f.text("Label14"), "Unnamed");

    f.click("Command19");
    EXPECT_TRUE(f.shown("Frame9"));
    EXPECT_EQ(bar->maximum(), 3) << "\"03\" counts as 3 maps";
    EXPECT_EQ(f.text("Label14"), "Carte 1");
    bar->setValue(2);
    EXPECT_EQ(f.text("Label12"), "02");
    EXPECT_EQ(f.text("Label14"), "Forest");
    bar->setValue(3);
    EXPECT_EQ(f.text("Label12"), "03");
    EXPECT_EQ(f.text("Label14"), "") << "a map without a section has no name";

    // One map fewer now: the next move clamps the bar to the last map and shows that one.
    f.ini("Jeu", "cartes", "2");
    bar->setValue(1);
    bar->setValue(3);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_EQ(f.text("Label12"), "02");
    EXPECT_EQ(f.text("Label14"), "Forest");

    f.click("Command21");
    EXPECT_FALSE(f.shown("Frame9"));
    EXPECT_EQ(f.lines().last(), "runmap(\"02\")");
    f.click("Command19");
    f.click("Command19");
    EXPECT_FALSE(f.shown("Frame9"));
    EXPECT_EQ(f.shell.terminated, 0);
    EXPECT_EQ(f.dialogs.shown.size(), 0);
}

TEST(EventCommands, ChangeMapWithABrokenProjectIniEndsTheProgram)
{
    const QString expected = QString::fromUtf8(
        "Erreur : Fichier projet.ini corrompus ou introuvable, veuillez reporter ce bug sur le site de support de "
        "Tarnwick\r\nLe programme va s'arrêter");
    for (const Edition edition : {Edition::English, Edition::French}) {
        // A fraction or a count past 32767 is no count either, as for the dashboard's list.
        for (const char *cartes : {"0", "", "abc", "-1", "2.5", "40000"}) {
            SCOPED_TRACE(cartes);
            PanelFixture f(edition);
            f.ini("Jeu", "cartes", cartes);
            f.click("Command19");
            ASSERT_EQ(f.dialogs.shown.size(), 1);
            EXPECT_EQ(f.dialogs.shown[0].text, expected);
            EXPECT_EQ(f.dialogs.shown[0].icon, MsgIcon::Critical);
            EXPECT_EQ(f.dialogs.shown[0].buttons, MsgButtons::Ok);
            EXPECT_EQ(f.dialogs.shown[0].title, "Erreur");
            EXPECT_EQ(f.shell.terminated, 1);
            EXPECT_EQ(f.lines(), QStringList{"-- Evenements"});
        }
    }
    // Also when the press hides the frame.
    PanelFixture f;
    f.click("Command19");
    EXPECT_TRUE(f.shown("Frame9"));
    QFile::remove(f.session.projectIni());
    f.click("Command19");
    EXPECT_FALSE(f.shown("Frame9"));
    EXPECT_EQ(f.shell.terminated, 1);
}
