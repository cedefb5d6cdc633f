#include "projects/ui/var.h"

#include "platform/ansi.h"
#include "platform/ini.h"
#include "projects/counts.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"
#include "projects/storedtext.h"
#include "shell/controls.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using Module1::writeini;

namespace {

const QString kQuestion = QStringLiteral("Taper la valeur de départ de la variable");

} // namespace

var::var(Session &session, Mainform &mainform) : Form(session, mainform)
{
    setObjectName(QStringLiteral("var"));
    setWindowTitle(session.tx("Variables of the game", "Variables du jeu"));
    setClientSizeTwips(6495, 2490);

    Label1 = controls::label(this, "Label1", session.tx("Number of variables :", "Nombre de variables :"), 120,
                             120, 1695, 255);
    Label2 = controls::label(this, "Label2", QStringLiteral("0"), 1800, 120, 735, 255);
    Command1 = controls::button(this, "Command1", session.tx("Add a variable", "Ajouter une variable"), 4080, 120,
                                2295, 375);
    Label3 = controls::label(this, "Label3", QStringLiteral("Variables :"), 120, 480, 3015, 255);
    List1 = controls::listBox(this, "List1", 120, 720, 6255, 1620);

    connect(Command1, &QPushButton::clicked, this, &var::Command1_Click);
    // Queued: the question must not open, nor the list be rebuilt, in the middle of the press
    // or key event that selected the item.
    connect(List1, &QListWidget::itemSelectionChanged, this, &var::List1_Click, Qt::QueuedConnection);
}

void var::showFailure(const QString &description)
{
    session().dialogs().message(QStringLiteral("Erreur : ") + description, MsgButtons::Ok, MsgIcon::None);
}

void var::loadvars()
{
    List1->clear();
    // One reading of projet.ini for the count and every start value.
    const ini::Snapshot project(session().projectIni());
    Label2->setText(project.value(QStringLiteral("Variables"), QStringLiteral("nombre")));
    // An empty count is a project without variables yet: nothing to list, nothing to report.
    if (Label2->text().isEmpty())
        return;
    const ReadCount count = variableCount(Label2->text());
    if (!count.failure.isEmpty()) {
        showFailure(count.failure);
        return;
    }
    for (int i = 1; i <= count.value; ++i) {
        const QString value = project.value(QStringLiteral("Variable") + QString::number(i), QStringLiteral("valeur"));
        List1->addItem(QString::number(i) + QStringLiteral(" | Valeur de départ : ") + value);
    }
}

void var::Form_Activate()
{
    loadvars();
}

// An addition's numero is on disk already: it goes in before the question.
Saved var::store(const Unsaved &value)
{
    const QString n = QString::number(value.variable);
    const QString section = QStringLiteral("Variable") + n;
    const QString file = session().projectIni();
    if (const Saved saved = writeini(section, QStringLiteral("valeur"), value.value, file); !saved)
        return saved;
    if (value.adding)
        return writeini(QStringLiteral("Variables"), QStringLiteral("nombre"), n, file);
    return {};
}

void var::reportNotSaved(int variable, bool adding, const QString &reason, bool kept)
{
    const Session &s = session();
    const QString what = adding ? s.tx("Variable %1 was not added", "La variable %1 n'a pas été ajoutée")
                                : s.tx("The start value of variable %1 was not saved",
                                       "La valeur de départ de la variable %1 n'a pas été sauvée");
    const QString after = kept ? s.tx("The start value you typed is kept: the next press on \"Add a variable\" or on "
                                      "a variable writes it.",
                                      "La valeur de départ tapée est gardée : le prochain clic sur « Ajouter une "
                                      "variable » ou sur une variable l'écrira.")
                               : s.tx("Nothing was changed.", "Rien n'a été modifié.");
    s.dialogs().message(
        s.tx("%1: projet.ini could not be written:\n%2: %3\n%4", "%1 : projet.ini n'a pas pu être écrit :\n%2 : %3\n%4")
            .arg(what.arg(variable), QDir::toNativeSeparators(s.projectIni()), reason, after),
        MsgButtons::Ok, MsgIcon::Exclamation);
}

bool var::writeUnsaved()
{
    if (!m_unsaved)
        return true;
    if (const Saved saved = store(*m_unsaved); !saved) {
        reportNotSaved(m_unsaved->variable, m_unsaved->adding, saved.reason, true);
        return false;
    }
    if (m_unsaved->adding)
        Label2->setText(QString::number(m_unsaved->variable));
    m_unsaved.reset();
    return true;
}

void var::Command1_Click()
{
    // A variable whose adding the disk refused is this press's addition: it is written now,
    // with the value typed then, and no other is asked for.
    if (m_unsaved) {
        const bool adding = m_unsaved->adding;
        const bool written = writeUnsaved();
        loadvars();
        if (!written || adding)
            return;
    }
    const ReadCount count = variableCount(Label2->text());
    if (!count.failure.isEmpty()) {
        showFailure(count.failure);
        return;
    }
    if (count.value >= kLargestCount) {
        showFailure(QStringLiteral("le jeu ne peut pas avoir plus de %1 variables").arg(kLargestCount));
        return;
    }
    const int n = count.value + 1;
    // The number goes in first: a variable exists from here on, whatever the answer.
    if (const Saved saved = writeini(QStringLiteral("Variable") + QString::number(n), QStringLiteral("numero"),
                                     QString::number(n), session().projectIni());
        !saved) {
        reportNotSaved(n, true, saved.reason, false);
        return;
    }
    // A cancelled box answers "", stored as an empty start value.
    const ansi::Stored value = ansi::store(session().dialogs().input(kQuestion));
    m_unsaved = Unsaved{n, value.text, true};
    writeUnsaved();
    loadvars();
    storedtext::tellLoss(session(), storedtext::Field::StartValue, value.lost);
}

void var::List1_Click()
{
    // Runs after every selection change; the rebuilt list has nothing selected.
    const int row = List1->currentRow();
    if (row < 0 || !List1->item(row)->isSelected())
        return;
    if (!writeUnsaved()) {
        loadvars();
        return;
    }
    const ansi::Stored value = ansi::store(session().dialogs().input(kQuestion));
    m_unsaved = Unsaved{row + 1, value.text, false};
    writeUnsaved();
    loadvars();
    storedtext::tellLoss(session(), storedtext::Field::StartValue, value.lost);
}
