#include "fixture.h"

#include "platform/twips.h"
#include "projects/newproject.h"
#include "projects/session.h"
#include "projects/ui/combateditor.h"
#include "projects/ui/gameoptions.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QString kFailure = QString::fromUtf8("Erreur , des données essentiels au fonctionnement du programme sont "
                                           "manquantes ou corrompus , veuillez réinstaller Tarnwick 3\r\n");

const QStringList kSprites = {"dos1.png",    "dos2.png",    "dos3.png",    "face1.png",   "face2.png",
                              "face3.png",   "droite1.png", "droite2.png", "droite3.png", "gauche1.png",
                              "gauche2.png", "gauche3.png", "mort.png"};
const QStringList kSystem = {"imgprinc.png", "menuingame.png", "menuprinc.png", "parler.png"};

const QStringList kFolders = {"ev/",
                              "ev/map01/",
                              "images/",
                              "images/System/",
                              "images/map01/",
                              "images/personnages/",
                              "images/personnages/hero/"};

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// What a complete new project holds, and nothing more.
QStringList completeTree()
{
    QStringList t = kFolders;
    for (const QString &s : kSprites)
        t << "images/personnages/hero/" + s;
    for (const QString &s : kSystem)
        t << "images/System/" + s;
    t << "images/map01/terrain.png"
      << "projet.ini"
      << "ram.lua"
      << "map.lua"
      << "index.lua"
      << "menustart.lua"
      << "ev.lua"
      << "map01.ev"
      << "map01.map"
      << "variables.lua";
    return sorted(t);
}

} // namespace

TEST_F(ProjectTest, CreatesTheWholeProjectFolder)
{
    const QString name = QString::fromUtf8("Quête du roi");
    const QString p = projectFolder(name);
    ASSERT_EQ(newproject::create(h.tool.path(), name, "Corvin", Edition::English), "");

    EXPECT_EQ(readBytes(p + "/projet.ini"), QByteArray("[Jeu]\r\nnom=Qu\xEAte du roi\r\nauteur=Corvin\r\nver=3.0.0\r\n"
                                                       "cartes=1\r\ncombats=0\r\n[Carte01]\r\ntexture=01\r\n"
                                                       "nom=Carte 1\r\n[Variables]\r\nnombre=0\r\n"));
    EXPECT_EQ(tree(p), completeTree());

    const QString data = h.tool.file("/data");
    for (const QString &s : kSprites) {
        const QByteArray source = readBytes(data + "/images/personnages/perso01/" + s);
        EXPECT_FALSE(source.isEmpty()) << s.toStdString();
        EXPECT_EQ(readBytes(p + "/images/personnages/hero/" + s), source) << s.toStdString();
    }
    for (const QString &s : kSystem) {
        const QByteArray source = readBytes(data + "/images/system/theme01/" + s);
        EXPECT_FALSE(source.isEmpty()) << s.toStdString();
        EXPECT_EQ(readBytes(p + "/images/System/" + s), source) << s.toStdString();
    }
    EXPECT_EQ(readBytes(p + "/images/map01/terrain.png"), readBytes(data + "/images/terrains/terrain01/terrain01.png"));
    EXPECT_FALSE(readBytes(p + "/images/map01/terrain.png").isEmpty());

    const struct {
        const char *source, *target;
    } texts[] = {{"ftgr.dat", "ram.lua"},        {"ftgm.dat", "map.lua"}, {"ftgi.dat", "index.lua"},
                 {"ftgms.dat", "menustart.lua"}, {"ftgev.dat", "ev.lua"}, {"ftgmev.dat", "map01.ev"},
                 {"ftgmma.dat", "map01.map"}};
    for (const auto &t : texts)
        EXPECT_EQ(readBytes(p + "/" + t.target), readBytes(data + "/" + t.source) + "\r\n") << t.target;
    EXPECT_EQ(readBytes(p + "/variables.lua"), "--Variables du jeu\r\n");
}

TEST_F(ProjectTest, MissingTemplateGivesALoneLineEndAndTheCreationGoesOn)
{
    QFile::remove(h.tool.file("/data/ftgms.dat"));
    create("Sans menu", "");
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    const QString p = projectFolder("Sans menu");
    EXPECT_EQ(readBytes(p + "/menustart.lua"), "\r\n");
    EXPECT_EQ(tree(p), completeTree());
    // An empty author is stored empty.
    EXPECT_TRUE(readBytes(p + "/projet.ini").contains("\r\nauteur=\r\n"));
    EXPECT_EQ(h.session.currentProject(), "Sans menu");
}

// After "Create!": the project is current, the dashboard shows it, one map editor is open on
// map 01 and the dialog is gone.
TEST_F(ProjectTest, CreateShowsDashboardAndOneMapEditor)
{
    create("Mon jeu", "Ana");
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_EQ(h.session.currentProject(), "Mon jeu");
    EXPECT_TRUE(h.mainform->formsOf<nouvprojet>().isEmpty());
    ASSERT_TRUE(dashboard());
    EXPECT_TRUE(dashboard()->subWindow()->isVisible());
    EXPECT_EQ(label("Label5"), "Mon jeu");
    EXPECT_EQ(label("Label6"), "Ana");
    EXPECT_EQ(label("Label7"), "1");
    EXPECT_EQ(label("Label8"), "0");
    EXPECT_EQ(mapItems(), QStringList({"1Carte 1"}));
    EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), 1);
    EXPECT_EQ(editorMaps(), QStringList({"01"}));
    // The welcome screen went when the dialog was opened from it; here it was only hidden.
    ASSERT_TRUE(h.mainform->welcome());
    EXPECT_FALSE(h.mainform->welcome()->subWindow()->isVisible());

    // The next opening of the dialog shows the default texts again.
    nouvprojet *again = newProjectDialog();
    EXPECT_EQ(again->findChild<QLineEdit *>("Text1")->text(), "Untitled");
    EXPECT_EQ(again->findChild<QLineEdit *>("Text2")->text(), "Corvin");
}

// A refused name stops at the first step: one critical message, nothing on disk changes,
// nothing else happens and the dialog stays as the user left it.
TEST_F(ProjectTest, RefusedNamesWriteNothing)
{
    create("Existing");
    h.dialogs.shown.clear();
    const QString existing = projectFolder("Existing");
    writeBytes(existing + "/projet.ini", "kept");
    const QStringList before = tree(h.tool.file("/projets"));
    const QString current = h.session.currentProject();
    const int editors = int(h.mainform->formsOf<mapeditor>().size());

    const QStringList names = {"",
                               "Existing",
                               ".",
                               "..",
                               "a/b",
                               "../outside",
                               "a\\b",
                               "a<b",
                               "a>b",
                               "a:b",
                               "a\"b",
                               "a|b",
                               "a?b",
                               "a*b",
                               "tab\there",
                               "new\nline",
                               QString::fromUtf8("Ω mega"),
                               QString::fromUtf8("日本"),
                               QString(255, QLatin1Char('a'))};
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        h.dialogs.shown.clear();
        nouvprojet *dialog = create(name, "Someone");
        ASSERT_EQ(h.dialogs.shown.size(), 1);
        const ShownBox &box = h.dialogs.shown[0];
        EXPECT_TRUE(box.text.startsWith(kFailure));
        EXPECT_GT(box.text.size(), kFailure.size());
        EXPECT_EQ(box.icon, MsgIcon::Critical);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(box.title, "");
        EXPECT_EQ(tree(h.tool.file("/projets")), before);
        EXPECT_FALSE(QFileInfo::exists(h.tool.file("/outside")));
        EXPECT_EQ(h.session.currentProject(), current);
        EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), editors);
        ASSERT_EQ(h.mainform->formsOf<nouvprojet>(), QList<nouvprojet *>({dialog}));
        EXPECT_EQ(dialog->findChild<QLineEdit *>("Text1")->text(), name);
        EXPECT_EQ(dialog->findChild<QLineEdit *>("Text2")->text(), "Someone");
    }
    EXPECT_EQ(readBytes(existing + "/projet.ini"), "kept");
}

TEST(NewProjectName, AcceptsOrdinaryNames)
{
    for (const char *name : {"Mon jeu", "Quête", "a.b", "...x", " blanks ", "x'y", "100%", "€uro", "{}[]()"})
        EXPECT_TRUE(newproject::isValidName(QString::fromUtf8(name))) << name;
    for (const char *name : {"", ".", "..", "a/b", "a\\b", "del\x7f", "C1\xc2\x85", "\xe2\x98\x83"})
        EXPECT_FALSE(newproject::isValidName(QString::fromUtf8(name))) << name;
}

// A stock sprite missing from the data folder stops the creation at its copy; what came
// before stays, nothing after it is made, and a second try stops at the existing folder.
TEST_F(ProjectTest, MissingSpriteStopsAtItsCopy)
{
    QFile::remove(h.tool.file("/data/images/personnages/perso01/face2.png"));
    nouvprojet *dialog = create("Broken");
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.startsWith(kFailure));
    EXPECT_TRUE(h.dialogs.shown[0].text.contains("face2.png"));
    EXPECT_EQ(h.dialogs.shown[0].icon, MsgIcon::Critical);

    const QString p = projectFolder("Broken");
    QStringList expected = kFolders;
    expected << "projet.ini";
    for (const char *s : {"dos1.png", "dos2.png", "dos3.png", "face1.png"})
        expected << QString("images/personnages/hero/") + s;
    EXPECT_EQ(tree(p), sorted(expected));
    EXPECT_EQ(readBytes(p + "/projet.ini"), QByteArray("[Jeu]\r\nnom=Broken\r\nauteur=Corvin\r\nver=3.0.0\r\n"
                                                       "cartes=1\r\ncombats=0\r\n[Carte01]\r\ntexture=01\r\n"
                                                       "nom=Carte 1\r\n[Variables]\r\nnombre=0\r\n"));
    EXPECT_EQ(h.session.currentProject(), "");
    EXPECT_EQ(dashboard(), nullptr);
    EXPECT_TRUE(h.mainform->formsOf<mapeditor>().isEmpty());
    EXPECT_EQ(h.mainform->formsOf<nouvprojet>(), QList<nouvprojet *>({dialog}));

    h.dialogs.shown.clear();
    dialog->findChild<QPushButton *>("Command1")->click();
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.contains(QDir::toNativeSeparators(p)));
    EXPECT_EQ(tree(p), sorted(expected));
}

TEST_F(ProjectTest, MissingProjectsFolderIsReported)
{
    QDir(h.tool.file("/projets")).removeRecursively();
    create("Nowhere");
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.startsWith(kFailure));
    EXPECT_FALSE(QFileInfo::exists(h.tool.file("/projets")));
}

// Windows opened on one project never go on with the next one: they close.
TEST_F(ProjectTest, WindowsOfThePreviousProjectCloseOnCreation)
{
    create("First");
    dashboard()->Label9_Click(0);
    dashboard()->Label9_Click(2);
    h.mainform->openMapEditor("01");
    h.settle();
    ASSERT_EQ(h.mainform->formsOf<mapeditor>().size(), 2);
    Controlpanel *panel = dashboard();

    create("Second");
    EXPECT_EQ(h.mainform->formsOf<mapeditor>().size(), 1);
    EXPECT_TRUE(h.mainform->formsOf<combateditor>().isEmpty());
    EXPECT_TRUE(h.mainform->formsOf<gameoptions>().isEmpty());
    EXPECT_EQ(dashboard(), panel);
    EXPECT_EQ(label("Label5"), "Second");
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}

struct FrenchProjectTest : ProjectTest {
    FrenchProjectTest() : ProjectTest(Edition::French) {}
};

TEST_F(FrenchProjectTest, DialogLayoutAndTexts)
{
    nouvprojet *dialog = newProjectDialog();
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Créer un projet..."));
    EXPECT_EQ(dialog->subWindow()->windowTitle(), QString::fromUtf8("Créer un projet..."));
    EXPECT_EQ(dialog->size(), QSize(249, 97));
    EXPECT_FALSE(dialog->subWindow()->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog->subWindow()->windowFlags() & Qt::WindowMaximizeButtonHint);
    const struct {
        const char *name;
        int left, top, width, height;
        const char *text;
    } table[] = {{"Label1", 120, 120, 1935, 255, "Taper le nom du projet :"},
                 {"Text1", 1920, 120, 1695, 285, "Jeu sans nom"},
                 {"Label2", 120, 480, 1935, 255, "Taper le nom de l'auteur :"},
                 {"Text2", 2040, 480, 1575, 285, "Anonyme"},
                 {"Command1", 720, 960, 2295, 375, "C'est partie !"}};
    for (const auto &c : table) {
        QWidget *w = dialog->findChild<QWidget *>(c.name);
        ASSERT_TRUE(w) << c.name;
        EXPECT_EQ(w->geometry(), twipsRect(c.left, c.top, c.width, c.height)) << c.name;
        const QString text = qobject_cast<QLabel *>(w)      ? qobject_cast<QLabel *>(w)->text()
                             : qobject_cast<QLineEdit *>(w) ? qobject_cast<QLineEdit *>(w)->text()
                                                            : qobject_cast<QPushButton *>(w)->text();
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.name;
    }
    EXPECT_EQ(nextTab(dialog->findChild<QWidget *>("Text1")), dialog->findChild<QWidget *>("Text2"));
    EXPECT_EQ(nextTab(dialog->findChild<QWidget *>("Text2")), dialog->findChild<QWidget *>("Command1"));

    // The failure's message is the same French text in this edition; the project is made
    // with the French defaults.
    dialog->findChild<QPushButton *>("Command1")->click();
    h.settle();
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_TRUE(readBytes(projectFolder("Jeu sans nom") + "/projet.ini").contains("auteur=Anonyme\r\n"));
    create("Jeu sans nom");
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].text.startsWith(kFailure));
}
