#include "projects/ui/var.h"

#include "platform/ini.h"
#include "projects/counts.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"
#include "shell/controls.h"

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

void var::Command1_Click()
{
    const ReadCount count = variableCount(Label2->text());
    if (!count.failure.isEmpty()) {
        showFailure(count.failure);
        return;
    }
    if (count.value >= kLargestCount) {
        showFailure(QStringLiteral("le jeu ne peut pas avoir plus de %1 variables").arg(kLargestCount));
        return;
    }
    const QString n = QString::number(count.value + 1);
    const QString section = QStringLiteral("Variable") + n;
    // The number goes in first: a variable exists from here on, whatever the answer.
    writeini(section, QStringLiteral("numero"), n, session().projectIni());
    // A cancelled box answers "", stored as an empty start value.
    const QString value = session().dialogs().input(kQuestion);
    writeini(section, QStringLiteral("valeur"), value, session().projectIni());
    writeini(QStringLiteral("Variables"), QStringLiteral("nombre"), n, session().projectIni());
    Label2->setText(n);
    loadvars();
}

void var::List1_Click()
{
    // Runs after every selection change; the rebuilt list has nothing selected.
    const int row = List1->currentRow();
    if (row < 0 || !List1->item(row)->isSelected())
        return;
    const QString value = session().dialogs().input(kQuestion);
    writeini(QStringLiteral("Variable") + QString::number(row + 1), QStringLiteral("valeur"), value,
             session().projectIni());
    loadvars();
}
