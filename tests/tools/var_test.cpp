#include "harness.h"
#include "project.h"
#include "projects/ui/gameoptions.h"
#include "projects/ui/var.h"
#include "toolfolder.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const QString kQuestion = QString::fromUtf8("Taper la valeur de départ de la variable");

struct Editor {
    var *form;
    QLabel *count;
    QListWidget *list;
    QPushButton *add;
};

Editor showEditor(Harness &h)
{
    h.mainform->showVariables();
    h.settle();
    var *v = h.mainform->formsOf<var>().value(0);
    EXPECT_NE(v, nullptr);
    return {v, v->findChild<QLabel *>("Label2"), v->findChild<QListWidget *>("List1"),
            v->findChild<QPushButton *>("Command1")};
}

QStringList items(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QString item(int n, const char *value)
{
    return QString::number(n) + QString::fromUtf8(" | Valeur de départ : ") + QString::fromUtf8(value);
}

// Lays out n variables whose start values are "v1", "v2", ...
void writeVariables(const QString &ini, int n)
{
    for (int i = 1; i <= n; ++i) {
        Module1::writeini("Variable" + QString::number(i), "numero", QString::number(i), ini);
        Module1::writeini("Variable" + QString::number(i), "valeur", "v" + QString::number(i), ini);
    }
    Module1::writeini("Variables", "nombre", QString::number(n), ini);
}

} // namespace

TEST(Variables, AddingWritesNumberValueAndCountAndListsTheVariable)
{
    Harness h;
    const QString ini = makeProject(h);
    Editor e = showEditor(h);
    EXPECT_EQ(e.count->text(), "0");
    EXPECT_EQ(e.list->count(), 0);

    h.dialogs.type("5");
    e.add->click();
    EXPECT_EQ(readBytes(ini), kNewProjectIni.chopped(3) + "1\r\n[Variable1]\r\nnumero=1\r\nvaleur=5\r\n");
    EXPECT_EQ(e.count->text(), "1");
    EXPECT_EQ(items(e.list), QStringList{item(1, "5")});
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(h.dialogs.shown[0].kind, ShownBox::Input);
    EXPECT_EQ(h.dialogs.shown[0].text, kQuestion);
    EXPECT_EQ(h.dialogs.shown[0].title, QString());
}

TEST(Variables, TheNumberIsOnDiskBeforeTheQuestionIsAsked)
{
    // Boxes that note what projet.ini holds while the question is open.
    struct PeekingDialogs : ScriptedDialogs {
        QString ini;
        QByteArray seen;
        QString input(const QString &prompt, const QString &title) override
        {
            seen = readBytes(ini);
            return ScriptedDialogs::input(prompt, title);
        }
    };
    ToolFolder tool;
    PeekingDialogs dialogs;
    FakeShell shell;
    Session session(tool.path(), Edition::English, dialogs, shell);
    Mainform mainform(session);
    mainform.show();
    dialogs.ini = makeProject(tool, session);
    mainform.showVariables();
    QApplication::processEvents();

    dialogs.type("5");
    mainform.formsOf<var>().value(0)->findChild<QPushButton *>("Command1")->click();
    EXPECT_EQ(dialogs.seen, kNewProjectIni + "[Variable1]\r\nnumero=1\r\n");
}

TEST(Variables, CancellingTheQuestionStillAddsTheVariableWithAnEmptyValue)
{
    Harness h;
    const QString ini = makeProject(h);
    Editor e = showEditor(h);
    h.dialogs.cancel();
    e.add->click();
    EXPECT_EQ(readBytes(ini), kNewProjectIni.chopped(3) + "1\r\n[Variable1]\r\nnumero=1\r\nvaleur=\r\n");
    EXPECT_EQ(Module1::readini("Variable1", "valeur", ini), "");
    EXPECT_EQ(e.count->text(), "1");
    EXPECT_EQ(items(e.list), QStringList{item(1, "")});
}

TEST(Variables, SelectingAnItemReplacesOnlyThatStartValue)
{
    struct Case {
        const char *name;
        bool cancel;
        const char *answer;
        bool byMouse;
    };
    for (const Case c : {Case{"typed", false, "42", false}, Case{"cancelled", true, "", false},
                         Case{"clicked", false, "7", true}}) {
        SCOPED_TRACE(c.name);
        Harness h;
        const QString ini = makeProject(h);
        writeVariables(ini, 2);
        const QByteArray before = readBytes(ini);
        Editor e = showEditor(h);
        ASSERT_EQ(items(e.list), (QStringList{item(1, "v1"), item(2, "v2")}));

        if (c.cancel)
            h.dialogs.cancel();
        else
            h.dialogs.type(c.answer);
        if (c.byMouse) {
            const QPoint at = e.list->visualItemRect(e.list->item(1)).center();
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent event(type, at, e.list->viewport()->mapToGlobal(at), Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                  Qt::NoModifier);
                QApplication::sendEvent(e.list->viewport(), &event);
            }
        } else {
            e.list->setCurrentRow(1);
        }
        h.settle();
        EXPECT_EQ(h.dialogs.texts(), QStringList{kQuestion});
        QByteArray expected = before;
        expected.replace("valeur=v2", QByteArray("valeur=") + c.answer);
        EXPECT_EQ(readBytes(ini), expected);
        EXPECT_EQ(items(e.list), (QStringList{item(1, "v1"), item(2, c.answer)}));
        EXPECT_TRUE(e.list->selectedItems().isEmpty()) << "the rebuilt list has nothing selected";
        EXPECT_EQ(h.dialogs.pending(), 0);
    }
}

TEST(Variables, TheTenthVariableTakesSectionVariable10)
{
    Harness h;
    const QString ini = makeProject(h);
    writeVariables(ini, 9);
    Editor e = showEditor(h);
    EXPECT_EQ(e.count->text(), "9");
    h.dialogs.type("dix");
    e.add->click();
    EXPECT_TRUE(readBytes(ini).endsWith("[Variable9]\r\nnumero=9\r\nvaleur=v9\r\n"
                                        "[Variable10]\r\nnumero=10\r\nvaleur=dix\r\n"));
    EXPECT_EQ(Module1::readini("Variables", "nombre", ini), "10");
    EXPECT_EQ(e.count->text(), "10");
    ASSERT_EQ(e.list->count(), 10);
    EXPECT_EQ(e.list->item(9)->text(), item(10, "dix"));
    EXPECT_EQ(e.list->item(8)->text(), item(9, "v9"));
}

TEST(Variables, ACountThatIsNoNumberIsReportedAndNothingIsWritten)
{
    struct Case {
        const char *count;
        const char *message;
    };
    const Case cases[] = {
        {"abc", "Erreur : le nombre de variables « abc » n'est pas un nombre"},
        {"2.5", "Erreur : le nombre de variables « 2.5 » n'est pas un nombre"},
        {"-1", "Erreur : le nombre de variables « -1 » n'est pas compris entre 0 et 32767"},
        {"99999", "Erreur : le nombre de variables « 99999 » n'est pas compris entre 0 et 32767"},
        {"2000000000", "Erreur : le nombre de variables « 2000000000 » n'est pas compris entre 0 et 32767"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        Harness h(Edition::French);
        const QString ini = makeProject(h);
        writeVariables(ini, 1);
        Module1::writeini("Variables", "nombre", c.count, ini);
        const QByteArray before = readBytes(ini);
        Editor e = showEditor(h);
        EXPECT_EQ(e.count->text(), c.count);
        EXPECT_EQ(e.list->count(), 0);
        ASSERT_EQ(h.dialogs.shown.size(), 1) << "the activation reports it";
        const ShownBox &box = h.dialogs.shown[0];
        EXPECT_EQ(box.kind, ShownBox::Message);
        EXPECT_EQ(box.text, QString::fromUtf8(c.message));
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(box.icon, MsgIcon::None);
        EXPECT_EQ(box.title, QString());

        e.add->click();
        ASSERT_EQ(h.dialogs.shown.size(), 2) << "adding stops before the question";
        EXPECT_EQ(h.dialogs.shown[1].text, QString::fromUtf8(c.message));
        EXPECT_EQ(readBytes(ini), before);
    }
}

TEST(Variables, AnEmptyCountListsNothingSilentlyButAddingFailsBeforeWriting)
{
    Harness h;
    const QString ini = makeProject(h);
    writeBytes(ini, "[Jeu]\r\nnom=Demo\r\n");
    Editor e = showEditor(h);
    EXPECT_EQ(e.count->text(), "");
    EXPECT_EQ(e.list->count(), 0);
    EXPECT_TRUE(h.dialogs.shown.isEmpty());

    e.add->click();
    EXPECT_EQ(h.dialogs.texts(), QStringList{"Erreur : le nombre de variables est vide"});
    EXPECT_EQ(readBytes(ini), QByteArray("[Jeu]\r\nnom=Demo\r\n"));
}

TEST(Variables, OneWindowThatRereadsProjetIniOnEachActivation)
{
    Harness h;
    const QString ini = makeProject(h);
    Editor e = showEditor(h);
    EXPECT_EQ(e.list->count(), 0);
    writeVariables(ini, 2);
    EXPECT_EQ(e.list->count(), 0) << "nothing is read between activations";

    h.mainform->showGameOptions();
    h.settle();
    Editor again = showEditor(h);
    EXPECT_EQ(again.form, e.form);
    EXPECT_EQ(h.mainform->formsOf<var>().size(), 1);
    EXPECT_EQ(again.count->text(), "2");
    EXPECT_EQ(items(again.list), (QStringList{item(1, "v1"), item(2, "v2")}));
}

TEST(Variables, CaptionsAndSizeOfEachEdition)
{
    struct Case {
        Edition edition;
        const char *title, *label1, *command1;
    };
    for (const Case c :
         {Case{Edition::English, "Variables of the game", "Number of variables :", "Add a variable"},
          Case{Edition::French, "Variables du jeu", "Nombre de variables :", "Ajouter une variable"}}) {
        Harness h(c.edition);
        makeProject(h);
        Editor e = showEditor(h);
        EXPECT_EQ(e.form->subWindow()->windowTitle(), c.title);
        EXPECT_EQ(e.form->size(), QSize(433, 166));
        EXPECT_EQ(e.form->findChild<QLabel *>("Label1")->text(), c.label1);
        EXPECT_EQ(e.add->text(), c.command1);
        EXPECT_EQ(e.form->findChild<QLabel *>("Label3")->text(), "Variables :");
        EXPECT_EQ(e.add->geometry(), QRect(272, 8, 153, 25));
        EXPECT_EQ(e.list->geometry(), QRect(8, 48, 417, 108));
    }
}
