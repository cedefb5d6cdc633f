#include "harness.h"
#include "mouse.h"

#include "art/art.h"
#include "platform/twips.h"
#include "projects/ui/nouvprojet.h"
#include "projects/ui/openp.h"
#include "shell/acc.h"
#include "shell/controls.h"

#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace {

struct WelcomeTest : ::testing::Test {
    explicit WelcomeTest(Edition edition = Edition::English) : h(edition)
    {
        h.mainform->startUp();
        h.settle();
    }
    Acc *acc() const { return h.mainform->welcome(); }
    template <class T = QLabel> T *control(const char *name) const { return acc()->findChild<T *>(name); }
    Harness h;
};

struct Placed {
    const char *name;
    int left, top, width, height;
    const char *text;
    bool bold;
};

void expectLayout(Acc *acc, const std::vector<Placed> &table)
{
    for (const Placed &p : table) {
        SCOPED_TRACE(p.name);
        auto *c = acc->findChild<QLabel *>(p.name);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->geometry(), twipsRect(p.left, p.top, p.width, p.height));
        if (p.text) {
            EXPECT_EQ(c->text(), QString::fromUtf8(p.text));
            EXPECT_EQ(c->font().bold(), p.bold);
            EXPECT_EQ(c->palette().color(QPalette::WindowText), QColor(Qt::white));
            EXPECT_TRUE(c->wordWrap());
        }
    }
}

} // namespace

TEST_F(WelcomeTest, BorderlessWindowWithTheDesignedLayout)
{
    EXPECT_EQ(acc()->size(), QSize(246, 200));
    EXPECT_EQ(acc()->subWindow()->size(), QSize(246, 200));
    EXPECT_TRUE(acc()->subWindow()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(acc()->windowTitle(), "Bienvenu");
    expectLayout(acc(), {
                            {"Label1", 360, 120, 2655, 495, "Welcome to Tarnwick 3! What would you do?", false},
                            {"Image1", 960, 720, 2295, 615, nullptr, false},
                            {"Label2", 1080, 870, 2115, 375, "Create a new project", true},
                            {"Image2", 960, 1320, 2295, 615, nullptr, false},
                            {"Label3", 1080, 1470, 2115, 375, "Open an existing project", true},
                            {"Image3", 960, 1920, 2295, 615, nullptr, false},
                            {"Label4", 1080, 2070, 2115, 375, "Documentation", true},
                        });
    // Each caption lies in front of its picture, so a press inside it reaches the caption.
    for (const char *caption : {"Label2", "Label3", "Label4"}) {
        QWidget *c = control(caption);
        EXPECT_EQ(acc()->childAt(c->geometry().center()), c) << caption;
    }
    EXPECT_EQ(control("Image1")->pixmap().size(), QSize(153, 41));
}

struct FrenchWelcomeTest : WelcomeTest {
    FrenchWelcomeTest() : WelcomeTest(Edition::French) {}
};

TEST_F(FrenchWelcomeTest, FrenchTexts)
{
    expectLayout(acc(),
                 {
                     {"Label1", 360, 120, 2655, 375, "Bienvenu dans Tarnwick 3 ! Que voulez-vous faire ?", false},
                     {"Label2", 1080, 870, 2115, 375, "Créer un nouveau projet", true},
                     {"Label3", 1080, 1470, 2115, 375, "Ouvrir un projet existant", true},
                     {"Label4", 1080, 2070, 2115, 375, "Documentation", true},
                 });
}

TEST_F(WelcomeTest, BackgroundAndLinesAreDrawn)
{
    const QImage shot = acc()->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(246, 200));
    // The four white strokes: the vertical one and a branch towards each button.
    for (QPoint p : {QPoint(16, 8), QPoint(16, 100), QPoint(16, 152), QPoint(30, 72), QPoint(50, 112), QPoint(55, 152)})
        EXPECT_EQ(shot.pixelColor(p), QColor(Qt::white)) << p.x() << "," << p.y();
    // Elsewhere the background shows, not the window's own colour.
    EXPECT_NE(shot.pixelColor(5, 190), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(5, 190), art::welcomeBackground().toImage().pixelColor(5, 190));
}

// Picture and caption move together, 10 twips right and down, whichever of the two is
// pressed and with whichever button; the release brings both back.
TEST_F(WelcomeTest, PressedLookMovesPictureAndCaption)
{
    const struct {
        const char *picture, *caption;
    } pairs[] = {{"Image1", "Label2"}, {"Image2", "Label3"}, {"Image3", "Label4"}};
    for (const auto &pair : pairs) {
        for (const char *target : {pair.picture, pair.caption}) {
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
                SCOPED_TRACE(std::string(target) + " button " + std::to_string(int(button)));
                QWidget *picture = control(pair.picture);
                QWidget *caption = control(pair.caption);
                const QPoint pictureAt = picture->pos(), captionAt = caption->pos();
                mouse::press(control(target), button);
                EXPECT_EQ(picture->property("leftTwips").toInt(), twips(pictureAt.x()) + 10);
                EXPECT_EQ(picture->property("topTwips").toInt(), twips(pictureAt.y()) + 10);
                EXPECT_EQ(caption->property("leftTwips").toInt(), twips(captionAt.x()) + 10);
                EXPECT_EQ(caption->property("topTwips").toInt(), twips(captionAt.y()) + 10);
                EXPECT_EQ(picture->pos(), pictureAt + QPoint(1, 1));
                EXPECT_EQ(caption->pos(), captionAt + QPoint(1, 1));
                // Released outside the control: no click, but the pair still moves back.
                mouse::release(control(target), button, {-5, -5});
                EXPECT_EQ(picture->pos(), pictureAt);
                EXPECT_EQ(caption->pos(), captionAt);
                EXPECT_EQ(picture->property("leftTwips").toInt(), twips(pictureAt.x()));
                EXPECT_EQ(caption->property("topTwips").toInt(), twips(captionAt.y()));
            }
        }
    }
    EXPECT_TRUE(h.shell.opened.isEmpty());
    EXPECT_TRUE(h.mainform->formsOf<nouvprojet>().isEmpty());
}

TEST_F(WelcomeTest, DocumentationOpensThePageAndKeepsTheScreen)
{
    mouse::click(control("Label4"));
    mouse::click(control("Image3"), Qt::RightButton);
    // The middle button gives the pressed look only: it makes no click.
    mouse::click(control("Label4"), Qt::MiddleButton);
    mouse::click(control("Image3"), Qt::MiddleButton);
    h.settle();
    const QString page = h.tool.file("/Doc/index.html");
    EXPECT_EQ(h.shell.opened, QStringList({page, page}));
    // A double-click is one click: the page opens once more, not twice.
    mouse::doubleClick(control("Label4"));
    h.settle();
    EXPECT_EQ(h.shell.opened.size(), 3);
    ASSERT_TRUE(acc());
    EXPECT_TRUE(acc()->subWindow()->isVisible());
    EXPECT_EQ(control("Image3")->geometry(), twipsRect(960, 1920, 2295, 615));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}

TEST_F(WelcomeTest, DocumentationWithoutThePageShowsNoMessage)
{
    QFile::remove(h.tool.file("/Doc/index.html"));
    mouse::click(control("Image3"));
    EXPECT_EQ(h.shell.opened.size(), 1);
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
    EXPECT_TRUE(acc());
}

// Each project button opens its dialog (one of each kind at most) and closes the welcome
// screen; "Menu" then brings a fresh one with every control at its place.
TEST_F(WelcomeTest, ProjectButtonsOpenTheirDialogAndCloseTheScreen)
{
    const struct {
        const char *control;
        Qt::MouseButton button;
    } presses[] = {{"Label2", Qt::LeftButton},
                   {"Image1", Qt::RightButton},
                   {"Label3", Qt::LeftButton},
                   {"Image2", Qt::LeftButton}};
    for (const auto &p : presses) {
        SCOPED_TRACE(p.control);
        // Leave a control moved on the old screen: the new one must not inherit it.
        mouse::press(control("Image3"));
        mouse::click(control(p.control), p.button);
        h.settle();
        EXPECT_EQ(acc(), nullptr);
        h.mainform->menu_Click();
        h.settle();
        ASSERT_TRUE(acc());
        EXPECT_EQ(control("Image3")->geometry(), twipsRect(960, 1920, 2295, 615));
        EXPECT_EQ(control("Label2")->geometry(), twipsRect(1080, 870, 2115, 375));
    }
    ASSERT_EQ(h.mainform->formsOf<nouvprojet>().size(), 1);
    ASSERT_EQ(h.mainform->formsOf<openp>().size(), 1);
    EXPECT_TRUE(h.mainform->formsOf<nouvprojet>()[0]->subWindow()->isVisible());
    EXPECT_TRUE(h.mainform->formsOf<openp>()[0]->subWindow()->isVisible());
}

TEST_F(WelcomeTest, NewProjectDialogAlreadyOpenComesToTheFront)
{
    mouse::click(control("Label2"));
    h.settle();
    nouvprojet *dialog = h.mainform->formsOf<nouvprojet>().value(0);
    ASSERT_TRUE(dialog);
    h.mainform->menu_Click();
    h.settle();
    EXPECT_EQ(h.mainform->mdiArea()->activeSubWindow(), acc()->subWindow());
    mouse::click(control("Image1"));
    h.settle();
    EXPECT_EQ(h.mainform->formsOf<nouvprojet>(), QList<nouvprojet *>({dialog}));
    EXPECT_EQ(h.mainform->mdiArea()->activeSubWindow(), dialog->subWindow());
    EXPECT_EQ(acc(), nullptr);
}

// Another child window becoming active hides the welcome screen without closing it.
TEST_F(WelcomeTest, HidesWhenAnotherChildWindowBecomesActive)
{
    h.mainform->showOpenProject();
    h.settle();
    ASSERT_TRUE(acc());
    EXPECT_FALSE(acc()->subWindow()->isVisible());
    EXPECT_EQ(h.mainform->formsOf<Acc>().size(), 1);
    h.mainform->menu_Click();
    h.settle();
    EXPECT_TRUE(acc()->subWindow()->isVisible());
    // A click in the other window gives its control the focus, which activates the window.
    openp *dialog = h.mainform->formsOf<openp>()[0];
    dialog->findChild<QWidget *>("Dir1")->setFocus(Qt::MouseFocusReason);
    h.settle();
    EXPECT_EQ(h.mainform->mdiArea()->activeSubWindow(), dialog->subWindow());
    EXPECT_FALSE(acc()->subWindow()->isVisible());
    EXPECT_EQ(h.mainform->formsOf<Acc>().size(), 1);
}

TEST_F(WelcomeTest, ClickOnTheEmptyBackgroundHidesIt)
{
    QWidget *viewport = h.mainform->mdiArea()->viewport();
    // A click on the welcome screen itself, with any button, is not one on the background.
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        mouse::click(acc(), button, {100, 190});
        mouse::click(control("Label1"), button);
    }
    // Nor is a press on it released over the background.
    mouse::press(acc(), Qt::RightButton, {100, 190});
    mouse::release(acc(), Qt::RightButton, {600, 500});
    EXPECT_TRUE(acc()->subWindow()->isVisible());

    mouse::click(viewport, Qt::LeftButton, {viewport->width() - 5, viewport->height() - 5});
    h.settle();
    ASSERT_TRUE(acc());
    EXPECT_FALSE(acc()->subWindow()->isVisible());

    // While it is closed, the click makes it hidden and a later "Menu" shows it.
    acc()->closeForm();
    h.settle();
    mouse::click(viewport, Qt::LeftButton, {viewport->width() - 5, viewport->height() - 5});
    ASSERT_TRUE(acc());
    EXPECT_FALSE(acc()->subWindow()->isVisible());
    h.mainform->menu_Click();
    EXPECT_TRUE(acc()->subWindow()->isVisible());
    EXPECT_EQ(h.mainform->formsOf<Acc>().size(), 1);
}
