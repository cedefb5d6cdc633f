#include "map_editor/ui/eventpanel.h"

#include "map_editor/eventfile.h"
#include "map_editor/eventlines.h"
#include "map_editor/mapdocument.h"
#include "platform/ansi.h"
#include "platform/ini.h"
#include "platform/twips.h"
#include "projects/counts.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"
#include "projects/storedtext.h"
#include "shell/controls.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace controls;

namespace {

// Named in the fatal projet.ini message, where a user is asked to report the fault.
const char *const kSupportSite = "le site de support de Tarnwick";

void toggle(QWidget *frame)
{
    frame->setHidden(!frame->isHidden());
}

// The variables listed: none when [Variables] nombre is no count, so a damaged projet.ini never
// hangs the window.
int listedVariables(const ini::Snapshot &project)
{
    return variableCount(project.value(QStringLiteral("Variables"), QStringLiteral("nombre"))).value;
}

} // namespace

EventPanel::EventPanel(Session &session, EventPanelHost &host, QWidget *parent)
    : QGroupBox(parent), m_session(session), m_host(host)
{
    setObjectName(QStringLiteral("Frame6"));
    setTitle(session.tx("Event", "Evènement"));
    setFont(arial());
    setGeometry(session.french() ? twipsRect(0, 3720, 9615, 3855) : twipsRect(120, 5880, 9615, 3855));
    buildControls();
}

void EventPanel::buildControls()
{
    const Session &s = m_session;
    const bool fr = s.french();

    if (fr)
        Command24 = button(this, "Command24", s.tx("", "Entrer code"), 120, 2400, 1815, 255);
    Command23 = button(this, "Command23", s.tx("Change the position of hero", "Changer la position du héro"), 120,
                       fr ? 2760 : 2520, 1815, 495);
    Command20 = button(this, "Command20", s.tx("Cancel", "Annuler"), 6960, 3360, 1095, 375);

    Frame7 = frame(this, "Frame7", QStringLiteral("Conditions"), 1920, 1800, 3375, 1095);
    Combo1 = comboBox(Frame7, "Combo1", 360, 360, 1575, 315);
    Text3 = textBox(Frame7, "Text3", QStringLiteral("0"), 2640, 360, 615, 285);
    Text3->setToolTip(QStringLiteral("Taper la valeur (texte ou nombre)"));
    Command3 = button(Frame7, "Command3", s.tx("Add", "Ajouter"), 1200, 720, 975, 255);
    Combo2 = comboBox(Frame7, "Combo2", 1920, 360, 615, 315);
    Combo2->addItems({QStringLiteral("="), QStringLiteral("!")});
    Combo2->setCurrentIndex(-1);
    Combo2->setToolTip(QString::fromUtf8("=  : égal | ! : différent"));
    Label11 = label(Frame7, "Label11", s.tx("If", "Si"), 120, 360, 255, 255);
    Frame7->hide();

    Frame10 = frame(this, "Frame10", s.tx("Change the hero's HP", "Changer la vie du héro"), 1920, 840, 2415, 1095);
    Text2 = textBox(Frame10, "Text2", QStringLiteral("0"), 1320, 360, 975, 285);
    Option2[0] = option(Frame10, "Option2_0", s.tx("Remove :", "Retirer :"), 120, 240, 1095, 255);
    Option2[1] = option(Frame10, "Option2_1", s.tx("Add :", "Ajouter :"), 120, 480, 975, 255);
    Option2[2] = option(Frame10, "Option2_2", s.tx("Replace with:", "Remplacer par :"), 120, 720, 1455, 255);
    Option2[0]->setChecked(true);
    Command22 = button(Frame10, "Command22", QStringLiteral("OK"), 1920, 720, 375, 255);
    Frame10->hide();

    Frame8 = frame(this, "Frame8", QStringLiteral("Variables"), 1920, 600, 4575, 2055);
    List1 = listBox(Frame8, "List1", 120, 240, 4335, 1620);
    Frame8->hide();

    Command15 = button(this, "Command15", s.tx("Close Condition", "Fermer condition"), 120, 2040, 1815, 255);
    Command13 = button(this, "Command13", s.tx("A condition", "Faire une condition"), 120, 1800, 1815, 255);
    Command8 = button(this, "Command8", s.tx("Display Text", "Afficher du texte"), 120, 1560, 1815, 255);
    Command12 = button(this, "Command12", s.tx("Pause", "Faire une pause"), 120, 1320, 1815, 255);

    Frame9 = frame(this, "Frame9", s.tx("Change Map", "Charger une carte"), 1920, fr ? 360 : 120, 2415, 855);
    Command21 = button(Frame9, "Command21", QStringLiteral("OK"), 1920, 480, 375, 255);
    HScroll3 = hScroll(Frame9, "HScroll3", 1200, 240, 735, 255, 1, 32767, 1);
    Label14 = label(Frame9, "Label14", s.tx("Unnamed", "Sans nom"), 120, 480, 1815, 255);
    Label13 = label(Frame9, "Label13", s.tx("Map # :", "Carte n° :"), 120, 240, 735, 255);
    Label12 = label(Frame9, "Label12", QStringLiteral("01"), 840, 240, 255, 255);
    Frame9->hide();

    Command16 = button(this, "Command16", s.tx("Start a fight", "Démarrer un combat"), 120, 1080, 1815, 255);
    Command2 = button(this, "Command2", s.tx("Save", "Sauver"), 8160, 3360, 1215, 375);
    listev = listBox(this, "listev", fr ? 5280 : 5160, 240, 4215, 2985);
    listev->addItem(QStringLiteral("-- Evenements"));
    Command17 = button(this, "Command17", s.tx("Change the hero's HP", "Changer la vie du héro"), 120, 840, 1815, 255);
    Command18 = button(this, "Command18", s.tx("Change a variable", "Changer une variable"), 120, 600, 1815, 255);
    Command19 = button(this, "Command19", s.tx("Change map", "Changer de carte"), 120, 360, 1815, 255);
    ln = label(this, "ln", QStringLiteral("0"), 1200, 360, 255, 255);
    co = label(this, "co", QStringLiteral("0"), 960, 360, 255, 255);
    Label8 = label(this, "Label8", QStringLiteral("Position :"), 120, 360, 735, 255);

    // The controls were made in the order of the window's design, front-most first, so the
    // frames cover the event list where they overlap it.
    for (QWidget *container : std::initializer_list<QWidget *>{this, Frame7, Frame10, Frame8, Frame9})
        stackAsMade(container);

    connect(Command2, &QPushButton::clicked, this, &EventPanel::Command2_Click);
    connect(Command20, &QPushButton::clicked, this, &EventPanel::Command20_Click);
    connect(listev, &QListWidget::itemDoubleClicked, this, &EventPanel::listev_DblClick);
    connect(Command8, &QPushButton::clicked, this, &EventPanel::Command8_Click);
    connect(Command12, &QPushButton::clicked, this, &EventPanel::Command12_Click);
    connect(Command13, &QPushButton::clicked, this, &EventPanel::Command13_Click);
    connect(Command3, &QPushButton::clicked, this, &EventPanel::Command3_Click);
    connect(Command15, &QPushButton::clicked, this, &EventPanel::Command15_Click);
    connect(Command17, &QPushButton::clicked, this, &EventPanel::Command17_Click);
    connect(Command22, &QPushButton::clicked, this, &EventPanel::Command22_Click);
    connect(Command18, &QPushButton::clicked, this, &EventPanel::Command18_Click);
    connect(List1, &QListWidget::itemSelectionChanged, this, &EventPanel::List1_Click);
    connect(Command19, &QPushButton::clicked, this, &EventPanel::Command19_Click);
    connect(HScroll3, &QScrollBar::valueChanged, this, &EventPanel::HScroll3_Change);
    connect(Command21, &QPushButton::clicked, this, &EventPanel::Command21_Click);
    connect(Command23, &QPushButton::clicked, this, &EventPanel::Command23_Click);
    if (Command24)
        connect(Command24, &QPushButton::clicked, this, &EventPanel::Command24_Click);
    // Command16 ("Start a fight") has no handler in either edition.
}

QStringList EventPanel::lines() const
{
    QStringList all;
    for (int i = 0; i < listev->count(); ++i)
        all.append(listev->item(i)->text());
    return all;
}

void EventPanel::append(const QString &line)
{
    // A break pasted into the HP amount or a typed line of code stays inside its one line, and
    // the list shows the line as the cell file will hold it.
    const ansi::Stored stored = ansi::store(eventfile::oneLine(line));
    listev->addItem(stored.text);
    storedtext::tellLoss(m_session, storedtext::Field::EventLine, stored.lost);
}

QString EventPanel::cellFile() const
{
    return m_session.projectPath(eventfile::filePart(m_host.loadedMap(), ln->text(), co->text()));
}

QString EventPanel::ini() const
{
    return m_session.projectIni();
}


void EventPanel::openCell(int row0, int col0)
{
    listev->clear();
    ln->setText(QString::number(row0 + 1));
    co->setText(QString::number(col0 + 1));
    listev->addItems(eventfile::load(cellFile()));
    m_host.setPanelOpen(true);
}

void EventPanel::Command2_Click()
{
    const QString file = cellFile();
    if (const Saved saved = eventfile::save(lines(), file); !saved) {
        // The panel stays open with its lines, so that nothing typed is lost and Save can be
        // pressed again.
        m_session.dialogs().message(
            m_session
                .tx("The events of the cell in row %1, column %2 could not be saved:\n%3: %4\nThe panel stays open "
                    "with its lines; press \"Save\" again to write them.",
                    "Les événements de la case ligne %1, colonne %2 n'ont pas pu être sauvés :\n%3 : %4\nLe panneau "
                    "reste ouvert avec ses lignes ; cliquez de nouveau sur « Sauver » pour les écrire.")
                .arg(ln->text(), co->text(), QDir::toNativeSeparators(file), saved.reason),
            MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    m_host.setPanelOpen(false);
    // A pick left armed would add its lines to a list that no longer shows and is lost at the
    // next opening, and would keep the next map click from painting or opening a cell.
    m_host.setHeroMoveArmed(false);
}

void EventPanel::Command20_Click()
{
    m_host.setPanelOpen(false);
    m_host.setHeroMoveArmed(false);
}

void EventPanel::listev_DblClick()
{
    const int row = listev->currentRow();
    // A double-click with no line selected (an empty list) has nothing to delete.
    if (row < 0)
        return;
    const QString question =
        m_session.tx("Are you sure want to delete this line?", "Êtes-vous sure de vouloir supprimer cette ligne :") +
        QStringLiteral("\r\n") + listev->item(row)->text();
    if (m_session.dialogs().message(question, MsgButtons::YesNo) == MsgAnswer::Yes)
        delete listev->takeItem(row);
}

void EventPanel::Command8_Click()
{
    append(eventlines::displayText(m_session.dialogs().input(m_session.tx("Type the text! :", "Taper le texte :"))));
}

void EventPanel::Command12_Click()
{
    const QString answer = m_session.dialogs().input(m_session.tx("Type the time frame", "Tapez le temps en frame"));
    if (const std::optional<QString> line = eventlines::pause(answer))
        append(*line);
    else
        m_session.dialogs().message(m_session.tx("Incorrect Value!", "Valeur incorrect !"), MsgButtons::Ok,
                                    MsgIcon::Critical);
}

void EventPanel::Command13_Click()
{
    toggle(Frame7);
    Combo1->clear();
    // One reading of projet.ini for the count and every start value.
    const ini::Snapshot project(ini());
    const int count = listedVariables(project);
    for (int k = 1; k <= count; ++k) {
        const QString value = project.value(QStringLiteral("Variable") + QString::number(k), "valeur");
        Combo1->addItem(eventlines::conditionVariableItem(k, value));
    }
    Combo1->setCurrentIndex(-1);
}

void EventPanel::Command3_Click()
{
    if (Combo1->currentIndex() < 0 || Combo1->currentText().isEmpty() || Combo2->currentIndex() < 0 ||
        Combo2->currentText().isEmpty())
        return;
    append(eventlines::condition(Combo1->currentIndex() + 1, Combo2->currentText(), Text3->text()));
    Frame7->hide();
}

void EventPanel::Command15_Click()
{
    append(eventlines::closeCondition());
}

void EventPanel::Command17_Click()
{
    toggle(Frame10);
}

void EventPanel::Command22_Click()
{
    for (int i = 0; i < int(Option2.size()); ++i) {
        if (Option2[i]->isChecked())
            append(eventlines::heroHp(eventlines::HpChange(i), Text2->text()));
    }
    Frame10->hide();
}

void EventPanel::Command18_Click()
{
    toggle(Frame8);
    List1->clear();
    const int count = listedVariables(ini::Snapshot(ini()));
    for (int k = 1; k <= count; ++k)
        List1->addItem(eventlines::variableItem(k));
}

void EventPanel::List1_Click()
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    if (selected.isEmpty())
        return;
    const int variable = List1->row(selected.first()) + 1;
    const QString value = m_session.dialogs().input(QStringLiteral("Taper la nouvelle valeur de la variable : "));
    append(eventlines::setVariable(variable, value));
    Frame8->hide();
}

void EventPanel::Command19_Click()
{
    toggle(Frame9);
    const std::optional<int> cartes = mapdoc::chooserMaximum(m_session);
    if (!cartes) {
        m_session.dialogs().message(
            QStringLiteral("Erreur : Fichier projet.ini corrompus ou introuvable, veuillez reporter ce bug sur ") +
                QString::fromUtf8(kSupportSite) + QStringLiteral("\r\n") +
                QString::fromUtf8("Le programme va s'arrêter"),
            MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Erreur"));
        m_session.shell().terminate();
        return;
    }
    HScroll3->setMaximum(*cartes);
    Label14->setText(Module1::readini(QStringLiteral("carte") + pad2(HScroll3->value()), "nom", ini()));
}

void EventPanel::HScroll3_Change()
{
    const int value = HScroll3->value();
    if (const std::optional<int> cartes = mapdoc::chooserMaximum(m_session)) {
        HScroll3->setMaximum(*cartes);
        // A lower maximum moved the bar, and that change has already shown the map it moved to.
        if (HScroll3->value() != value)
            return;
    }
    const QString nn = pad2(value);
    Label14->setText(Module1::readini(QStringLiteral("carte") + nn, "nom", ini()));
    Label12->setText(nn);
}

void EventPanel::Command21_Click()
{
    append(eventlines::changeMap(Label12->text()));
    Frame9->hide();
}

void EventPanel::Command23_Click()
{
    m_session.dialogs().message(
        m_session.tx("Click the new position of hero", "Cliquez sur la nouvelle position du héro"), MsgButtons::Ok,
        MsgIcon::None, m_session.tx("Event", "Evenement"));
    m_host.setHeroMoveArmed(true);
    m_host.setCanvasEnabled(true);
}

void EventPanel::heroMovePicked(int row0, int col0)
{
    for (const QString &line : eventlines::heroMove(row0 + 1, col0 + 1))
        append(line);
    m_host.setCanvasEnabled(false);
    m_host.setHeroMoveArmed(false);
}

void EventPanel::Command24_Click()
{
    m_session.dialogs().message(QStringLiteral("Attention, en ajoutant du code manuellement, veuillez vous assurer que "
                                               "votre code est correcte sinon le jeu ne fonctionnera pas"));
    const QString code = m_session.dialogs().input(QStringLiteral("Taper le code lua ici(une seule ligne)"));
    if (!code.isEmpty())
        append(code);
}
