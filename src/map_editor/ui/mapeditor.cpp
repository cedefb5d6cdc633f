#include "map_editor/ui/mapeditor.h"

#include "art/art.h"
#include "map_editor/tilesets.h"
#include "platform/ansi.h"
#include "platform/twips.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"
#include "projects/storedtext.h"
#include "shell/controls.h"
#include "shell/mainform.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

using namespace controls;

namespace {

// The French window keeps the heights it always had. The English layout reaches further
// down (the configuration column to 4935 twips, the event panel to 9735), so its client area
// is sized to show the whole column when closed and the whole panel when open.
constexpr int kFrenchClosedHeight = 4100;
constexpr int kFrenchOpenHeight = 8000;
constexpr int kEnglishClosedClient = 5055;
constexpr int kEnglishOpenClient = 9855;
// The English design area ends 120 twips past its right-most frames and below the panel.
constexpr int kEnglishClientWidth = 15495;
constexpr int kFrenchClientWidth = 9630;
constexpr int kFrenchClientHeight = 7635;

const QString kTrue = QStringLiteral("True");
const QString kHeroMove = QStringLiteral("dephero");

void toggle(QWidget *frame)
{
    frame->setVisible(frame->isHidden());
}

// A file that was not written and why, as the messages name it.
QString fileAndReason(const Session &s, const QString &path, const QString &reason)
{
    return s.tx("%1: %2", "%1 : %2").arg(QDir::toNativeSeparators(path), reason);
}

// An image control: its picture at natural size from the top-left corner.
Picture *image(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    Picture *p = picture(parent, name, left, top, width, height);
    p->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    p->setPixmap(art::tilePreview());
    return p;
}

} // namespace

mapeditor::mapeditor(Session &session, Mainform &mainform) : Form(session, mainform), m_painter(session.toolFolder())
{
    setWindowTitle(session.tx("Map editor", "Editeur de carte"));
    setFont(arial());
    setDesignSize();
    buildControls();
    connectHandlers();
}

void mapeditor::setDesignSize()
{
    if (session().french())
        setClientSizeTwips(kFrenchClientWidth, kFrenchClientHeight);
    else
        setClientSizeTwips(kEnglishClientWidth, kEnglishOpenClient);
}

void mapeditor::buildControls()
{
    const Session &s = session();
    const bool fr = s.french();

    // Siblings made later lie on top: the controls are made from the bottom of the window's
    // stacking order up, so the frames cover the map picture where they overlap it.
    CarteImg = new MapCanvas(this);
    CarteImg->setProperty("Tag", QString());
    Timer1 = new QTimer(CarteImg);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    Command4 =
        button(this, "Command4", s.tx("Main Menu", "Menu principal"), fr ? 7200 : 10560, fr ? 0 : 120, 2415, 375);

    Frame3 = frame(this, "Frame3", s.tx("Main Menu", "Menu principal"), fr ? 4800 : 12840, fr ? 0 : 840, 2415, 1095);
    Command5 = button(Frame3, "Command5", s.tx("New Map", "Nouvelle carte"), 120, 240, 2175, 375);
    Command6 = button(Frame3, "Command6", s.tx("Load map", "Charger carte"), 120, 600, 2175, 375);
    Frame3->hide();

    Frame1 =
        frame(this, "Frame1", s.tx("Load a map", "Charger une carte"), fr ? 2400 : 12960, fr ? 480 : 2040, 2415, 855);
    Label1 = label(Frame1, "Label1", QStringLiteral("01"), 840, 240, 255, 255);
    Label2 = label(Frame1, "Label2", s.tx("Map No. :", "Carte n° :"), 120, 240, 735, 255);
    Label3 = label(Frame1, "Label3", s.tx("Unnamed", "Sans nom"), 120, 480, 1815, 255);
    HScroll1 = hScroll(Frame1, "HScroll1", 1200, 240, 735, 255, 1, 32767, 1);
    Command1 = button(Frame1, "Command1", QStringLiteral("OK"), 1920, 480, 375, 255);

    buildConfiguration();

    Frame4 = frame(this, "Frame4", s.tx("Change texture(Tileset)", "Changer de texture"), fr ? 5040 : 12960,
                   fr ? 1920 : 3000, 2415, 1455);
    Image1 = image(Frame4, "Image1", 120, 360, 420, 435);
    Image2 = image(Frame4, "Image2", 1200, 360, 420, 435);
    Image3 = image(Frame4, "Image3", 600, 360, 420, 435);
    Image4 = image(Frame4, "Image4", 1680, 360, 495, 435);
    Command14 = button(Frame4, "Command14", QStringLiteral("OK"), 1800, 960, 375, 255);
    HScroll2 = hScroll(Frame4, "HScroll2", 120, 960, 1575, 255, 1, 32767, 1);
    Frame4->hide();

    m_panel = new EventPanel(session(), *this, this);
    m_panel->setGeometry(fr ? twipsRect(0, 3720, 9615, 3855) : twipsRect(120, 5880, 9615, 3855));

    if (!fr) {
        VScroll1 = vScroll(this, "VScroll1", 7200, 0, 255, 3735, 1, 1, 1);
        HScroll4 = hScroll(this, "HScroll4", 0, 3720, 7215, 255, 1, 1, 1);
    }
}

void mapeditor::buildConfiguration()
{
    const Session &s = session();
    const bool fr = s.french();

    Frame2 = frame(this, "Frame2", QStringLiteral("Configuration"), fr ? 7320 : 10560, fr ? 360 : 840, 2295,
                   fr ? 3375 : 4095);
    Label5 = label(Frame2, "Label5", QStringLiteral("1"), 360, 840, 495, 255);
    Label7 = label(Frame2, "Label7", s.tx("Map Name:", "Nom de la carte :"), 120, 1080, 1215, 255);
    Label4 = label(Frame2, "Label4", QStringLiteral("1"), 360, 600, 375, 255);
    Label6 = label(Frame2, "Label6", s.tx("Starting position of the hero", "Position de départ du héro"), 120, 240,
                   2175, 255);
    // Transparent: it runs to the frame's right edge, and its border shows through it.
    Label6->setAutoFillBackground(false);
    Label9 = label(Frame2, "Label9", QStringLiteral("X :"), 120, 600, 255, 255);
    Label10 = label(Frame2, "Label10", QStringLiteral("Y :"), 120, 840, 255, 255);
    if (!fr) {
        Label15 = label(Frame2, "Label15", QStringLiteral("Width : 17"), 120, 2760, 1095, 255);
        Label16 = label(Frame2, "Label16", QStringLiteral("Height : 8"), 120, 3000, 1095, 255);
    }
    Text1 = textBox(Frame2, "Text1", s.tx("Name", "Carte"), 1440, 1080, 735, 285);
    Command9 = button(Frame2, "Command9", s.tx("Change", "Changer"), 840, 600, 855, 375);
    Command9->setProperty("Tag", QStringLiteral("false"));
    Command11 =
        button(Frame2, "Command11", s.tx("Change Texture", "Changer de texture"), 120, fr ? 2760 : 3480, 2055, 255);
    Option1[1] = option(Frame2, "Option1_1", s.tx("Blocks", "Collisions"), 120, 2160, 1095, 255);
    Option1[2] = option(Frame2, "Option1_2", s.tx("Event", "Evènement"), 120, 2400, 1215, 255);

    Frame5 = frame(Frame2, "Frame5", QString::fromUtf8("Déssin"), 360, 1440, 1815, 615);
    Image5 = picture(Frame5, "Image5", 120, 240, 300, 315);
    Image5->setStretched(art::tilePreview());
    Choixtext = hScroll(Frame5, "Choixtext", 600, 240, 1095, 255, 1, 1, 1);

    // The option button sits on the brush frame's title and stands for it.
    Option1[0] = option(Frame2, "Option1_0", s.tx("Picture", "Déssin"), 120, 1440, 855, 255);
    Option1[0]->setChecked(true);

    Command10 = button(Frame2, "Command10", s.tx("Reset the map to zero", "Remettre la carte à zéro"), 120,
                       fr ? 3000 : 3720, 2055, 255);
    if (!fr) {
        HScroll5 = hScroll(Frame2, "HScroll5", 1440, 2760, 735, 255, 17, 50, 17);
        HScroll6 = hScroll(Frame2, "HScroll6", 1440, 3000, 735, 255, 8, 50, 8);
    }
}

void mapeditor::connectHandlers()
{
    connect(CarteImg, &MapCanvas::mouseDown, this, &mapeditor::CarteImg_MouseDown);
    connect(Timer1, &QTimer::timeout, this, &mapeditor::Timer1_Timer);
    connect(Choixtext, &QScrollBar::valueChanged, this, &mapeditor::Choixtext_Change);
    connect(Image5, &Picture::clicked, this, &mapeditor::Image5_Click);
    connect(Command9, &QPushButton::clicked, this, &mapeditor::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &mapeditor::Command10_Click);
    connect(Command4, &QPushButton::clicked, this, &mapeditor::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &mapeditor::Command6_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &mapeditor::HScroll1_Change);
    connect(Command1, &QPushButton::clicked, this, &mapeditor::Command1_Click);
    connect(Command5, &QPushButton::clicked, this, &mapeditor::Command5_Click);
    connect(Command11, &QPushButton::clicked, this, &mapeditor::Command11_Click);
    connect(HScroll2, &QScrollBar::valueChanged, this, &mapeditor::HScroll2_Change);
    connect(Command14, &QPushButton::clicked, this, &mapeditor::Command14_Click);
    if (HScroll5) {
        connect(HScroll5, &QScrollBar::valueChanged, this, &mapeditor::HScroll5_Change);
        connect(HScroll6, &QScrollBar::valueChanged, this, &mapeditor::HScroll6_Change);
    }
    Timer1->start();
}

// --- Opening ---------------------------------------------------------------------------

void mapeditor::Form_Load()
{
    // A fixed tool-window border: a title and a close button, no minimise or maximise.
    if (QMdiSubWindow *w = subWindow()) {
        w->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
        setDesignSize();
    }
    const FileCount maps = mapdoc::mapCount(session());
    if (maps.valid() && maps.value == 0) {
        session().dialogs().message(session().tx("There is no map, a new map will be automatically created",
                                                 "Il n'y a pas de carte , une nouvelle carte va être "
                                                 "automatiquement créée"));
        Command5_Click();
    }
    Frame3->hide();
    Frame1->hide();
    setLeftTwips(mainform().dashboardWidthTwips());
    setTopTwips(0);
    if (session().french())
        setHeightTwips(kFrenchClosedHeight);
}

void mapeditor::setMapNumber(const QString &mapNumber)
{
    Label1->setText(mapNumber);
}

int mapeditor::closedHeightTwips() const
{
    if (session().french() || !subWindow())
        return kFrenchClosedHeight;
    return kEnglishClosedClient + twips(subWindow()->height() - subWindow()->contentsRect().height());
}

int mapeditor::openHeightTwips() const
{
    if (session().french() || !subWindow())
        return kFrenchOpenHeight;
    return kEnglishOpenClient + twips(subWindow()->height() - subWindow()->contentsRect().height());
}

void mapeditor::setPanelOpen(bool open)
{
    setHeightTwips(open ? openHeightTwips() : closedHeightTwips());
    setCanvasEnabled(!open);
}

void mapeditor::setCanvasEnabled(bool enabled)
{
    CarteImg->setEnabled(enabled);
}
void mapeditor::setHeroMoveArmed(bool armed)
{
    CarteImg->setProperty("Tag", armed ? kHeroMove : QString());
}
bool mapeditor::heroMoveArmed() const
{
    return CarteImg->property("Tag").toString() == kHeroMove;
}

// --- Map document ----------------------------------------------------------------------

void mapeditor::loadmap()
{
    Frame3->hide();
    Frame1->hide();
    const QString map = Label1->text();
    const mapdoc::Loaded loaded = mapdoc::load(session(), map, m_state);
    Text1->setText(loaded.name);
    Label4->setText(loaded.heroColumn);
    Label5->setText(loaded.heroRow);
    m_tag = map;
    m_refusalShown = false;
    m_failureShown = false;

    // The chooser and the brush get their ranges here, so that they can move before their own
    // handlers first run.
    applyChooserRange();
    applyBrushRange();
    showBrushPreview();

    if (!loaded.valid) {
        session().dialogs().message(QStringLiteral("Erreur : carte invalide"), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    m_painter.draw(*CarteImg, loaded.texture, m_state);
}

void mapeditor::savemap()
{
    Frame3->hide();
    const ansi::Stored name = ansi::store(Text1->text());
    const mapdoc::SaveResult saved =
        mapdoc::save(session(), m_tag, name.text, Label4->text(), Label5->text(), m_state);
    if (saved.outcome == mapdoc::SaveResult::Written) {
        m_refusalShown = false;
        m_failureShown = false;
        // The box shows what projet.ini holds, so a lost character is told once, not at
        // every press.
        if (name.text != Text1->text()) {
            Text1->setText(name.text);
            storedtext::tellLoss(session(), storedtext::Field::MapName, name.lost);
        }
        return;
    }
    if (saved.outcome == mapdoc::SaveResult::NotWritten) {
        reportNotSaved(saved.failures);
        return;
    }
    // A damaged first line of the map file leaves a hero start that is not a number, and a map
    // file written from it could not be loaded again; the canvas still shows every press, so
    // the user is told once that nothing reaches the disk until the start is set.
    if (m_tag.isEmpty() || m_refusalShown)
        return;
    m_refusalShown = true;
    session().dialogs().message(
        session()
            .tx("Map %1 is not being saved: its hero start is not a number (X: \"%2\", Y: \"%3\"). Your changes "
                "reach the disk only once it is set: press \"Change\", then click the hero's starting cell.",
                "La carte %1 n'est pas sauvée : la position de départ du héro n'est pas un nombre (X : « %2 », Y : "
                "« %3 »). Vos modifications ne seront sauvées qu'une fois celle-ci fixée : cliquez sur « Changer », "
                "puis sur la case de départ du héro.")
            .arg(m_tag, Label4->text(), Label5->text()),
        MsgButtons::Ok, MsgIcon::Exclamation);
}

void mapeditor::reportNotSaved(const QList<NotSaved> &failures)
{
    // Every press saves, so on a full disk every press fails: the user is told once, and the
    // canvas goes on showing the edits that the next save that succeeds writes.
    if (m_failureShown)
        return;
    m_failureShown = true;
    const Session &s = session();
    QStringList files;
    for (const NotSaved &f : failures)
        files << fileAndReason(s, f.path, f.reason);
    s.dialogs().message(s.tx("Map %1 could not be saved:\n%2\nThe window keeps your changes: the next press on the "
                             "map that saves writes them all.",
                             "La carte %1 n'a pas pu être sauvée :\n%2\nLa fenêtre garde vos modifications : le "
                             "prochain clic sur la carte qui sauve les écrira toutes.")
                            .arg(m_tag, files.join(QLatin1Char('\n'))),
                        MsgButtons::Ok, MsgIcon::Exclamation);
}

void mapeditor::Command10_Click()
{
    if (session().dialogs().message(session().tx(" Are you sure you want to return the card to zero?",
                                                 "Êtes-vous sûr de vouloir remettre la carte à zéro ?"),
                                    MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const QList<NotSaved> kept = mapdoc::reset(session(), m_tag, m_state);
    if (kept.isEmpty())
        return;
    const Session &s = session();
    s.dialogs().message(
        s.tx("Map %1 was set to zero in the window, but %2 of its %3 cell event files could not be emptied and "
             "keep their events; the first:\n%4\nPress \"Reset the map to zero\" again to empty them.",
             "La carte %1 a été remise à zéro dans la fenêtre, mais %2 de ses %3 fichiers d'événements n'ont pas pu "
             "être vidés et gardent leurs événements ; le premier :\n%4\nCliquez de nouveau sur « Remettre la "
             "carte à zéro » pour les vider.")
            .arg(m_tag)
            .arg(kept.size())
            .arg(mapdoc::kShownCells)
            .arg(fileAndReason(s, kept.first().path, kept.first().reason)),
        MsgButtons::Ok, MsgIcon::Exclamation);
}

// --- Map canvas --------------------------------------------------------------------------

void mapeditor::CarteImg_MouseDown(int, int, float X, float Y)
{
    if (const std::optional<int> hit = mapdoc::hitCell(X, Y)) {
        const int i = *hit;
        const int r = i / mapdoc::kColumns;
        const int c = i % mapdoc::kColumns;
        if (Command9->property("Tag").toString() == kTrue) {
            Label4->setText(QString::number(c + 1));
            Label5->setText(QString::number(r + 1));
            Command9->setProperty("Tag", QStringLiteral("False"));
            return;
        }
        if (heroMoveArmed()) {
            m_panel->heroMovePicked(r, c);
            return;
        }
        if (Option1[0]->isChecked()) {
            if (m_tag.isEmpty())
                return;
            m_state.tiles[i] = static_cast<long long>(Choixtext->value() - 1);
        } else if (Option1[2]->isChecked()) {
            m_panel->openCell(r, c);
        } else if (Option1[1]->isChecked()) {
            m_state.blocks[i] = mapdoc::isBlocked(m_state.blocks[i]) ? QStringLiteral("0") : QStringLiteral("1");
        }
    }
    drawmap();
    savemap();
}

void mapeditor::drawmap()
{
    m_painter.draw(*CarteImg, tilesets::mapTileSet(session(), Label1->text(), m_tileSet), m_state);
}

void mapeditor::Timer1_Timer()
{
    drawmap();
}

void mapeditor::applyBrushRange()
{
    const QSignalBlocker quiet(Choixtext);
    Choixtext->setMaximum(
        tilesets::brushMaximum(session().toolFolder(), tilesets::mapTileSet(session(), Label1->text())));
}

void mapeditor::showBrushPreview()
{
    const QString set = tilesets::mapTileSet(session(), Label1->text());
    Image5->setStretched(QPixmap(tilesets::picturePath(session().toolFolder(), set, Choixtext->value())));
}

void mapeditor::Choixtext_Change()
{
    applyBrushRange();
    showBrushPreview();
    Option1[0]->setChecked(true);
}

void mapeditor::Image5_Click()
{
    Option1[0]->setChecked(true);
}

void mapeditor::Command9_Click()
{
    session().dialogs().message(session().tx("Click the box to the starting position of the hero on this map",
                                             "Cliquez sur la case correspondante à la position de départ du "
                                             "héro sur cette carte"));
    Command9->setProperty("Tag", kTrue);
}

// --- Menus, map chooser, new map ------------------------------------------------------------

void mapeditor::Command4_Click()
{
    toggle(Frame3);
}
void mapeditor::Command6_Click()
{
    toggle(Frame1);
}

void mapeditor::applyChooserRange()
{
    // A lower maximum moves the bar; the value it lands on is the one the chooser shows.
    const QSignalBlocker quiet(HScroll1);
    HScroll1->setMaximum(mapdoc::chooserMaximum(session()).value_or(1));
}

void mapeditor::HScroll1_Change()
{
    applyChooserRange();
    const QString map = pad2(HScroll1->value());
    Label3->setText(Module1::readini(QStringLiteral("carte") + map, QStringLiteral("nom"), session().projectIni()));
    Label1->setText(map);
}

void mapeditor::Command1_Click()
{
    loadmap();
}

void mapeditor::Command5_Click()
{
    Frame3->hide();
    const mapdoc::NewMap made = mapdoc::createMap(session());
    if (made.outcome != mapdoc::NewMap::Created) {
        reportNewMap(made);
        return;
    }
    Label1->setText(made.map);
    Command1_Click();
    if (!made.sheet.sheet)
        reportNewMap(made);
}

void mapeditor::reportNewMap(const mapdoc::NewMap &made)
{
    const Session &s = session();
    QString text;
    switch (made.outcome) {
    case mapdoc::NewMap::NoCount:
        text = s.tx("The number of maps ([Jeu] cartes in projet.ini) is missing or is not a whole number from 0 to "
                    "32767. No map was created.",
                    "Le nombre de cartes ([Jeu] cartes dans projet.ini) est absent ou n'est pas un nombre entier de 0 "
                    "à 32767. Aucune carte n'a été créée.");
        break;
    case mapdoc::NewMap::Full:
        text = s.tx("The project already has 32767 maps, the most it can hold. No map was created.",
                    "Le projet a déjà 32767 cartes, le plus qu'il puisse contenir. Aucune carte n'a été créée.");
        break;
    case mapdoc::NewMap::FolderExists:
        text = s.tx("Map %1 cannot be created: its folder already exists:\n%2\nNo map was created and nothing was "
                    "written.",
                    "La carte %1 ne peut pas être créée : son dossier existe déjà :\n%2\nAucune carte n'a été créée "
                    "et rien n'a été écrit.")
                   .arg(made.map, made.folder);
        break;
    case mapdoc::NewMap::FolderFailed:
        text = s.tx("Map %1 cannot be created: the folder could not be made:\n%2\nNo map was created and nothing "
                    "was written.",
                    "La carte %1 ne peut pas être créée : le dossier n'a pas pu être créé :\n%2\nAucune carte n'a "
                    "été créée et rien n'a été écrit.")
                   .arg(made.map, made.folder);
        break;
    case mapdoc::NewMap::NotWritten:
        text = s.tx("Map %1 was not created: a file could not be written:\n%2\nThe folders and files made for it "
                    "were removed, and projet.ini still counts the maps it had.",
                    "La carte %1 n'a pas été créée : un fichier n'a pas pu être écrit :\n%2\nLes dossiers et "
                    "fichiers faits pour elle ont été supprimés, et projet.ini compte toujours les cartes qu'il "
                    "avait.")
                   .arg(made.map, fileAndReason(s, made.failure.path, made.failure.reason));
        break;
    case mapdoc::NewMap::Created:
        text = s.tx("Map %1 was created, but the sheet of tile set 01 could not be copied into its folder:\n%2",
                    "La carte %1 a été créée, mais la planche du jeu de tuiles 01 n'a pas pu être copiée dans son "
                    "dossier :\n%2")
                   .arg(made.map, made.sheet.sheetFound
                                      ? fileAndReason(s, tilesets::mapSheetPath(s, made.map), made.sheet.sheet.reason)
                                      : tilesets::sheetPath(s.toolFolder(), QStringLiteral("01")));
        break;
    }
    s.dialogs().message(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

void mapeditor::HScroll5_Change()
{
    Label15->setText(QStringLiteral("Largeur = ") + QString::number(HScroll5->value()));
    HScroll4->setMaximum(HScroll5->value() - 16);
}

void mapeditor::HScroll6_Change()
{
    Label16->setText(QStringLiteral("Hauteur = ") + QString::number(HScroll6->value()));
    VScroll1->setMaximum(HScroll6->value() - 7);
}

// --- Tile sets ---------------------------------------------------------------------------------

void mapeditor::Command11_Click()
{
    toggle(Frame4);
    // With no tile set at all the chooser stays at 1, the first set's number.
    HScroll2->setMaximum(std::max(1, tilesets::count(session().toolFolder())));
}

void mapeditor::HScroll2_Change()
{
    const QString set = pad2(HScroll2->value());
    const QString tool = session().toolFolder();
    // A missing picture leaves its box empty.
    const std::array<Picture *, 4> previews{Image1, Image2, Image3, Image4};
    for (int i = 0; i < 4; ++i)
        previews[i]->setPixmap(QPixmap(tilesets::picturePath(tool, set, i + 1)));
}

void mapeditor::Command14_Click()
{
    Frame4->hide();
    if (m_tag.isEmpty())
        return;
    const QString set = pad2(HScroll2->value());
    const tilesets::Change change = tilesets::apply(session(), set, m_tag);
    if (!change.sheet) {
        const Session &s = session();
        QString text;
        if (!change.entry)
            text = s.tx("Map %1 keeps its tile set: projet.ini could not be written:\n%2\nNeither projet.ini nor "
                        "the map's sheet was changed.",
                        "La carte %1 garde son jeu de tuiles : projet.ini n'a pas pu être écrit :\n%2\nNi "
                        "projet.ini ni la planche de la carte n'ont été modifiés.")
                       .arg(m_tag, fileAndReason(s, s.projectIni(), change.entry.reason));
        else if (change.sheetFound)
            text = s.tx("Map %1 now uses tile set %2, but its sheet could not be copied:\n%3\nThe map's sheet "
                        "in the project was not replaced.",
                        "La carte %1 utilise maintenant le jeu de tuiles %2, mais sa planche n'a pas pu être "
                        "copiée :\n%3\nLa planche de la carte dans le projet n'a pas été remplacée.")
                       .arg(m_tag, set, fileAndReason(s, tilesets::mapSheetPath(s, m_tag), change.sheet.reason));
        else
            text = s.tx("Map %1 now uses tile set %2, but the tile set has no sheet:\n%3\nThe map's sheet in the "
                        "project was not replaced.",
                        "La carte %1 utilise maintenant le jeu de tuiles %2, mais ce jeu n'a pas de planche :\n%3\nLa "
                        "planche de la carte dans le projet n'a pas été remplacée.")
                       .arg(m_tag, set, tilesets::sheetPath(s.toolFolder(), set));
        s.dialogs().message(text, MsgButtons::Ok, MsgIcon::Exclamation);
    }
    // A smaller set can pull the brush down; the preview must show what a press now paints.
    applyBrushRange();
    showBrushPreview();
    drawmap();
}
