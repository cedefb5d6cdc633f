#include "projects/ui/controlpanel.h"

#include "art/art.h"
#include "generator/generator.h"
#include "platform/ini.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"
#include "shell/controls.h"
#include "shell/mainform.h"

#include <QEvent>
#include <QListWidget>
#include <QPainter>

Controlpanel::Controlpanel(Session &session, Mainform &mainform) : Form(session, mainform)
{
    setWindowTitle(session.tx("Control Panel", "Panneau de Control"));
    setClientSizeTwips(3735, 8895);
    m_background = art::dashboardBackground();

    const auto text = [&session](const char *en, const char *fr) { return session.tx(en, fr); };
    Label1 = controls::caption(this, "Label1", text("Game Name:", "Nom du jeu :"), 240, 120, 975, 255);
    Label5 = controls::caption(this, "Label5", text("Untitled", "jeu sans nom"), 1200, 120, 2055, 255, true);
    Label2 = controls::caption(this, "Label2", text("Creator:", "Auteur :"), 240, 360, 615, 255);
    Label6 = controls::caption(this, "Label6", text("Anonymous", "Anonyme"), 960, 360, 1695, 255);
    Label3 = controls::caption(this, "Label3", text("Number of maps:", "Nombre de cartes :"), 240, 600, 1455, 255);
    Label7 = controls::caption(this, "Label7", text("Many", "beaucoup"), 1680, 600, 1935, 255);
    Label4 = controls::caption(this, "Label4", text("Number of fights:", "Nombre de combats :"), 240, 840, 1575, 255);
    Label8 = controls::caption(this, "Label8", text("less", "un peu moins"), 1800, 840, 1455, 255);
    Label10 = controls::caption(this, "Label10", QStringLiteral("Menu"), 960, 1320, 1695, 255);

    const std::array<QString, 5> tiles{
        text("Fight Editor", "Editeur de combats"),           text("Editor of variables", "Editeur de variables"),
        text("Game Setup", "Configuration du jeu"),           text("Test Game", "     Tester le jeu"),
        text("Finalize and publish", "Finaliser et publier"),
    };
    const QPixmap buttonArt = art::buttonPicture();
    for (int i = 0; i < 5; ++i) {
        const QByteArray picture = "Image1_" + QByteArray::number(i);
        const QByteArray caption = "Label9_" + QByteArray::number(i);
        Image1[i] = controls::picture(this, picture.constData(), 960, 1560 + 480 * i, 1935, 495);
        Image1[i]->setStretched(buttonArt);
        // Made after its picture, so the caption lies in front of it.
        Label9[i] = controls::clickCaption(this, caption.constData(), tiles[i], 1200, 1680 + 480 * i, 1455, 255);
        for (controls::Picture *control : {Image1[i], Label9[i]}) {
            connect(control, &controls::Picture::mouseDown, this, [this, i] { press(i, 10); });
            connect(control, &controls::Picture::mouseUp, this, [this, i] { press(i, -10); });
        }
        // Only the caption opens the tile's tool; the picture around it just looks pressed.
        connect(Label9[i], &controls::Picture::clicked, this, [this, i] { Label9_Click(i); });
    }

    Picture1 = controls::picture(this, "Picture1", 0, 4440, 3855, 4575);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(art::mapListPanel());
    List1 = controls::listBox(Picture1, "List1", 120, 120, 3375, 4125);
    List1->viewport()->installEventFilter(this);
}

Qt::WindowFlags Controlpanel::frameFlags() const
{
    return Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}

void Controlpanel::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_background);
}

void Controlpanel::Form_Activate()
{
    if (session().currentProject().isEmpty()) {
        closeForm();
        return;
    }
    // One reading of projet.ini for the facts and every map name; nothing here writes it.
    const ini::Snapshot project(session().projectIni());
    const QString maps = project.value(QStringLiteral("Jeu"), QStringLiteral("cartes"));
    Label5->setText(session().currentProject());
    Label6->setText(project.value(QStringLiteral("Jeu"), QStringLiteral("Auteur")));
    Label7->setText(maps);
    Label8->setText(project.value(QStringLiteral("Jeu"), QStringLiteral("combats")));
    // An empty author is no load error: the new-project dialog lets the author be left empty.
    if (Label5->text().isEmpty() || Label7->text().isEmpty() || Label8->text().isEmpty()) {
        session().dialogs().message(
            QStringLiteral("Erreur : Une donnée de votre jeu n'a pu être chargée , le programme risque d'être "
                           "instable , il est conseillé de le redémarrer , si le problème persiste , veuillez "
                           "contacter les auteurs de Tarnwick en joignant le fichier projet.ini de votre jeu."));
    }

    List1->clear();
    // A count that is not a whole number from 0 to 32767 lists nothing; the message above has
    // covered a missing one.
    const int count = fileCount(maps).value;
    for (int i = 1; i <= count; ++i) {
        const QString name = project.value(QStringLiteral("carte") + pad2(i), QStringLiteral("nom"));
        List1->addItem(QString::number(List1->count() + 1) + name);
    }

    mainform().hideWelcome();
    setTopTwips(0);
    setLeftTwips(0);
}

bool Controlpanel::Form_Unload()
{
    return session().dialogs().message(QStringLiteral("Quitter Tarnwick ?"), MsgButtons::YesNo) == MsgAnswer::Yes;
}

bool Controlpanel::eventFilter(QObject *watched, QEvent *event)
{
    // A double-click anywhere in the list opens the map selected, as the first click left it.
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonDblClick)
        List1_DblClick();
    return Form::eventFilter(watched, event);
}

void Controlpanel::List1_DblClick()
{
    const int index = List1->currentRow();
    if (index < 0 || !List1->currentItem()->isSelected())
        return;
    mainform().openMapEditor(pad2(index + 1));
}

void Controlpanel::press(int index, int twips)
{
    controls::moveByTwips(Image1[index], twips, twips);
    controls::moveByTwips(Label9[index], twips, twips);
}

void Controlpanel::Label9_Click(int index)
{
    switch (index) {
    case 0:
        mainform().openFightEditor();
        break;
    case 1:
        mainform().showVariables();
        break;
    case 2:
        mainform().showGameOptions();
        break;
    case 3:
        tester();
        break;
    case 4:
        publish();
        break;
    default:
        break;
    }
}

void Controlpanel::publish()
{
    session().dialogs().message(session().tx("Creation ...", "En création..."));
}

void Controlpanel::showFacts(const generator::Facts &facts)
{
    Label5->setText(facts.name);
    Label6->setText(facts.author);
    Label7->setText(facts.maps);
    Label8->setText(facts.fights);
}

void Controlpanel::report(const QString &error)
{
    if (!error.isEmpty())
        session().dialogs().message(error, MsgButtons::Ok, MsgIcon::Exclamation);
}

void Controlpanel::compiler()
{
    const generator::CompileResult result = generator::compile(session());
    showFacts(result.facts);
    report(result.error);
}

void Controlpanel::tester()
{
    const generator::TestRunResult result = generator::testRun(session());
    showFacts(result.compile.facts);
    report(result.compile.error);
    // A failed generation is the run's failure too; say it once.
    if (result.error != result.compile.error)
        report(result.error);
}
