#include "fixture.h"

#include "map_editor/ui/eventpanel.h"
#include "projectlayout.h"
#include "projects/storedtext.h"
#include "projects/ui/var.h"

#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

enum class Place { MapName, StartValue, DisplayedText, Author };

// What one typed text became: its bytes on disk, what the control then shows, every box shown.
struct Outcome {
    QByteArray stored;
    QString shown;
    QList<ShownBox> boxes;
};

// The raw value bytes of a key in an INI file's bytes.
QByteArray iniValue(const QByteArray &file, const QByteArray &section, const QByteArray &key)
{
    bool inSection = false;
    for (const QByteArray &line : file.split('\n')) {
        const QByteArray l = line.endsWith('\r') ? line.chopped(1) : line;
        if (l.startsWith('['))
            inSection = l == '[' + section + ']';
        else if (inSection && l.startsWith(key + '='))
            return l.mid(key.size() + 1);
    }
    return "(missing)";
}

// The map name box, saved by two presses on the map.
Outcome typeMapName(Harness &h, const QString &typed)
{
    layOutProject(h.session);
    mapeditor *e = h.mainform->openMapEditor(QStringLiteral("01"));
    h.settle();
    auto *box = e->findChild<QLineEdit *>("Text1");
    box->setText(typed);
    e->CarteImg_MouseDown(1, 0, 200, 200);
    e->CarteImg_MouseDown(1, 0, 620, 200);
    return {iniValue(readBytes(h.session.projectIni()), "Carte01", "nom"), box->text(), h.dialogs.shown};
}

// The start value of a new variable, answered in the variables editor's box.
Outcome typeStartValue(Harness &h, const QString &typed)
{
    layOutProject(h.session);
    h.mainform->showVariables();
    h.settle();
    var *v = h.mainform->formsOf<var>().value(0);
    h.dialogs.type(typed);
    v->findChild<QPushButton *>("Command1")->click();
    auto *list = v->findChild<QListWidget *>("List1");
    return {iniValue(readBytes(h.session.projectIni()), "Variable1", "valeur"),
            list->count() == 1 ? list->item(0)->text() : QStringLiteral("(no item)"), h.dialogs.shown};
}

// "Display Text" in the event panel of cell (1, 1), then "Save".
Outcome typeDisplayedText(Harness &h, const QString &typed)
{
    layOutProject(h.session);
    mapeditor *e = h.mainform->openMapEditor(QStringLiteral("01"));
    h.settle();
    e->Option1[2]->setChecked(true);
    e->CarteImg_MouseDown(1, 0, 200, 200);
    h.dialogs.type(typed);
    e->findChild<QPushButton *>("Command8")->click();
    const QStringList lines = e->panel()->lines();
    e->findChild<QPushButton *>("Command2")->click();
    return {readBytes(h.session.projectPath(QStringLiteral("/ev/map01/ev11"))), lines.value(0), h.dialogs.shown};
}

// The author typed in the new-project dialog; the dashboard then shows it.
Outcome typeAuthor(Harness &h, const QString &typed)
{
    h.mainform->startUp();
    h.settle();
    h.mainform->showNewProject();
    h.settle();
    nouvprojet *dialog = h.mainform->formsOf<nouvprojet>().value(0);
    dialog->findChild<QLineEdit *>("Text1")->setText(QStringLiteral("Jeu"));
    dialog->findChild<QLineEdit *>("Text2")->setText(typed);
    dialog->findChild<QPushButton *>("Command1")->click();
    h.settle();
    return {iniValue(readBytes(h.tool.file("/projets/Jeu/projet.ini")), "Jeu", "auteur"),
            h.mainform->dashboard()->findChild<QLabel *>("Label6")->text(), h.dialogs.shown};
}

const char *const kMapNameArrowEn =
    "This character of the map name could not be kept: → (U+2192). The project's files use Windows-1252, which has "
    "no such character, so it was stored as \"?\".";
const char *const kStartValueEn =
    "These characters of the start value could not be kept: 😀 (U+1F600), → (U+2192). The project's files use "
    "Windows-1252, which has no such characters, so each was stored as \"?\".";
const char *const kStartValueFr =
    "Ces caractères de la valeur de départ n'ont pas pu être gardés : → (U+2192), U+200B. Les fichiers du projet sont "
    "en Windows-1252, qui ne les a pas : chacun a été enregistré comme « ? ».";
const char *const kDisplayedTextEn =
    "This character of the new event line could not be kept: 😀 (U+1F600). The project's files use Windows-1252, "
    "which has no such character, so it was stored as \"?\".";
const char *const kDisplayedTextFr =
    "Ce caractère de la nouvelle ligne d'événement n'a pas pu être gardé : → (U+2192). Les fichiers du projet sont en "
    "Windows-1252, qui ne l'a pas : il a été enregistré comme « ? ».";
const char *const kAuthorEn = "This character of the creator's name could not be kept: → (U+2192). The project's "
                              "files use Windows-1252, which has no such character, so it was stored as \"?\".";
const char *const kAuthorFr = "Ce caractère du nom de l'auteur n'a pas pu être gardé : 😀 (U+1F600). Les fichiers du "
                              "projet sont en Windows-1252, qui ne l'a pas : il a été enregistré comme « ? ».";

} // namespace

// Each typed text that is stored: what reaches the disk byte for byte, what the control shows
// at once, and the one message naming what was lost (none when nothing was). Text that
// Windows-1252 holds is written as it always was; a no-break space of another width becomes
// 0xA0; a composed accent its letter; each other character, an emoji too, one "?".
TEST(StoredText, EachTypedTextShowsWhatWasStoredAndTellsOnceWhatWasLost)
{
    struct Case {
        Place place;
        Edition edition;
        const char *typed;
        QByteArray stored;
        const char *shown;
        const char *message; // "" for none
    };
    const QList<Case> cases = {
        {Place::MapName, Edition::English, "Grotte → Nord", "Grotte ? Nord", "Grotte ? Nord", kMapNameArrowEn},
        {Place::MapName, Edition::French, "Salut\u202F!", "Salut\xA0!", "Salut\u00A0!", ""},
        {Place::MapName, Edition::English, "Épée œuvre € … «»", "\xC9p\xE9\x65 \x9Cuvre \x80 \x85 \xAB\xBB",
         "Épée œuvre € … «»", ""},
        {Place::StartValue, Edition::English, "😀 → 😀", "? ? ?", "1 | Valeur de départ : ? ? ?", kStartValueEn},
        {Place::StartValue, Edition::French, "Cafe\u0301\u2007→\u200B", "Caf\xE9\xA0??",
         "1 | Valeur de départ : Café\u00A0??", kStartValueFr},
        {Place::DisplayedText, Edition::English, "Salut\u202F! 😀", "\r\naffichertexte(\"Salut\xA0! ?\")\r\n",
         "affichertexte(\"Salut\u00A0! ?\")", kDisplayedTextEn},
        {Place::DisplayedText, Edition::French, "Grotte → Nord", "\r\naffichertexte(\"Grotte ? Nord\")\r\n",
         "affichertexte(\"Grotte ? Nord\")", kDisplayedTextFr},
        {Place::Author, Edition::English, "Ana → Bo", "Ana ? Bo", "Ana ? Bo", kAuthorEn},
        {Place::Author, Edition::French, "Zoé 😀", "Zo\xE9 ?", "Zoé ?", kAuthorFr},
    };
    for (const Case &c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        SCOPED_TRACE(typed.toStdString() + (c.edition == Edition::French ? " (French)" : " (English)"));
        Harness h(c.edition);
        const QString message = QString::fromUtf8(c.message);
        // A second box would find no answer queued and fail the test.
        if (!message.isEmpty())
            h.dialogs.answer(MsgAnswer::Ok);
        Outcome o;
        switch (c.place) {
        case Place::MapName:
            o = typeMapName(h, typed);
            break;
        case Place::StartValue:
            o = typeStartValue(h, typed);
            break;
        case Place::DisplayedText:
            o = typeDisplayedText(h, typed);
            break;
        case Place::Author:
            o = typeAuthor(h, typed);
            break;
        }
        EXPECT_EQ(o.stored, c.stored);
        EXPECT_EQ(o.shown, QString::fromUtf8(c.shown));
        QList<ShownBox> messages;
        for (const ShownBox &b : o.boxes)
            if (b.kind == ShownBox::Message)
                messages.append(b);
        ASSERT_EQ(messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            EXPECT_EQ(messages[0].text, message);
            EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
            EXPECT_EQ(messages[0].title, QString());
        }
    }
}
