#include "projects/ui/nouvprojet.h"

#include "platform/ansi.h"
#include "projects/newproject.h"
#include "projects/session.h"
#include "projects/storedtext.h"
#include "shell/controls.h"
#include "shell/mainform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

nouvprojet::nouvprojet(Session &session, Mainform &mainform) : Form(session, mainform)
{
    setWindowTitle(session.tx("Create a project", "Créer un projet..."));
    setClientSizeTwips(3735, 1455);
    Label1 = controls::label(this, "Label1", session.tx("Project's Name :", "Taper le nom du projet :"), 120, 120, 1935,
                             255);
    Text1 = controls::textBox(this, "Text1", session.tx("Untitled", "Jeu sans nom"), 1920, 120, 1695, 285);
    Label2 = controls::label(this, "Label2", session.tx("Project's Creator :", "Taper le nom de l'auteur :"), 120, 480,
                             1935, 255);
    Text2 = controls::textBox(this, "Text2", session.tx("Corvin", "Anonyme"), 2040, 480, 1575, 285);
    Command1 = controls::button(this, "Command1", session.tx("Create!", "C'est partie !"), 720, 960, 2295, 375);
    for (QLineEdit *box : {Text1, Text2})
        box->setMaxLength(std::numeric_limits<int>::max());
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    connect(Command1, &QPushButton::clicked, this, &nouvprojet::Command1_Click);
}

Qt::WindowFlags nouvprojet::frameFlags() const
{
    return Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}

void nouvprojet::Command1_Click()
{
    const QString name = Text1->text();
    const ansi::Stored author = ansi::store(Text2->text());
    const QString failure = newproject::create(session().toolFolder(), name, author.text, session().edition());
    if (!failure.isEmpty()) {
        // What was made stays; the dialog stays open for another try.
        session().dialogs().message(
            QStringLiteral("Erreur , des données essentiels au fonctionnement du programme sont manquantes ou "
                           "corrompus , veuillez réinstaller Tarnwick 3\r\n") +
                failure,
            MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    session().setCurrentProject(name);
    mainform().showDashboard();
    mainform().openMapEditor(QStringLiteral("01"));
    // The dashboard shows the author as projet.ini holds it, and so does the box until the
    // dialog closes.
    Text2->setText(author.text);
    storedtext::tellLoss(session(), storedtext::Field::Author, author.lost);
    closeForm();
}
