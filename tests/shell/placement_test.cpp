#include "harness.h"
#include "projectlayout.h"

#include "projects/ui/combateditor.h"
#include "projects/ui/gameoptions.h"
#include "projects/ui/nouvprojet.h"
#include "projects/ui/openp.h"
#include "projects/ui/var.h"
#include "shell/acc.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace {

// Wholly inside the client area along each side where the window fits, else at its start, so
// that the title bar shows at the top left.
// Returns whether the window fits the client area.
bool expectInClientArea(const QMdiArea *area, const Form *form)
{
    const QSize client = area->viewport()->size();
    const QRect r = form->subWindow()->geometry();
    const auto inside = [](int start, int size, int room) {
        return size <= room ? start >= 0 && start + size <= room : start == 0;
    };
    EXPECT_TRUE(inside(r.x(), r.width(), client.width()) && inside(r.y(), r.height(), client.height()))
        << form->metaObject()->className() << " at " << r.x() << ", " << r.y() << ", " << r.width() << " x "
        << r.height() << " in a client area of " << client.width() << " x " << client.height();
    return r.width() <= client.width() && r.height() <= client.height();
}

} // namespace

// The windows that no design places open in the main window's client area, on the screens the
// program is made for, with or without a window manager's title bar and panel above the frame.
TEST(Placement, WindowsWithoutADesignedPlaceOpenInTheClientArea)
{
    const QSize frames[] = {{1366, 768}, {1366, 768 - 64}, {1600, 1000}, {1600, 1000 - 64}};
    int tooLarge = 0;
    for (const Edition edition : {Edition::English, Edition::French}) {
        for (const QSize frame : frames) {
            SCOPED_TRACE(QString("%1 x %2, %3")
                             .arg(frame.width())
                             .arg(frame.height())
                             .arg(edition == Edition::English ? "English" : "French")
                             .toStdString());
            Harness h(edition);
            h.mainform->setGeometry(QRect(QPoint(0, 0), frame));
            layOutProject(h.session);
            h.mainform->showDashboard();
            h.mainform->openMapEditor("01");
            h.mainform->showVariables();
            h.mainform->openFightEditor();
            h.mainform->openFightEditor();
            h.mainform->showGameOptions();
            // The dialogs, from "Menu" while the other windows are open.
            h.mainform->menu_Click();
            h.mainform->welcome()->openproject();
            h.mainform->menu_Click();
            h.mainform->welcome()->newproject();
            h.settle();

            const QMdiArea *area = h.mainform->mdiArea();
            int placed = 0;
            for (const Form *f : h.mainform->forms()) {
                if (qobject_cast<const var *>(f) || qobject_cast<const combateditor *>(f) ||
                    qobject_cast<const gameoptions *>(f) || qobject_cast<const openp *>(f) ||
                    qobject_cast<const nouvprojet *>(f)) {
                    tooLarge += !expectInClientArea(area, f);
                    ++placed;
                }
            }
            EXPECT_EQ(placed, 6);
        }
    }
    // Below a window manager on the smaller screen, the fight editor is taller than the client area.
    EXPECT_GT(tooLarge, 0);
}
