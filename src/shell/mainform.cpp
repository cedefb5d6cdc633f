#include "shell/mainform.h"

#include "map_editor/ui/mapeditor.h"
#include "platform/twips.h"
#include "projects/session.h"
#include "projects/ui/combateditor.h"
#include "projects/ui/controlpanel.h"
#include "projects/ui/gameoptions.h"
#include "projects/ui/nouvprojet.h"
#include "projects/ui/openp.h"
#include "projects/ui/var.h"
#include "shell/acc.h"

#include <QCloseEvent>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace {

// A child window that asks its form before it closes.
class FormWindow : public QMdiSubWindow {
public:
    explicit FormWindow(Form *form) : m_form(form) {}

protected:
    void closeEvent(QCloseEvent *event) override
    {
        if (m_form && !m_form->Form_Unload()) {
            event->ignore();
            return;
        }
        QMdiSubWindow::closeEvent(event);
    }

private:
    QPointer<Form> m_form;
};

Form *formOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<Form *>(window->widget()) : nullptr;
}

// A closed window stays an object until the event loop deletes it; only an open one counts.
template <class T> T *ifOpen(const QPointer<T> &slot)
{
    return slot && !slot->isClosed() ? slot.data() : nullptr;
}

} // namespace

Mainform::Mainform(Session &session) : m_session(session), m_mdi(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("Tarnwick 3"));
    setCentralWidget(m_mdi);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->viewport()->installEventFilter(this);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &Mainform::activated);
    QAction *menu = menuBar()->addAction(QStringLiteral("Menu"));
    menu->setObjectName(QStringLiteral("menu"));
    connect(menu, &QAction::triggered, this, &Mainform::menu_Click);
    connect(&m_session, &Session::currentProjectChanged, this, &Mainform::closeProjectWindows);
    MDIForm_Load();
}

Mainform::~Mainform()
{
    // The area outlives this destructor and reports its children's removal as activations.
    disconnect(m_mdi, nullptr, this, nullptr);
}

Acc *Mainform::welcome() const
{
    return ifOpen(m_welcome);
}
Controlpanel *Mainform::dashboard() const
{
    return ifOpen(m_dashboard);
}

void Mainform::startUp()
{
    // The frame covers the screen's available area, so that the dashboard and a map editor fit
    // side by side. Maximized is the state a window manager keeps; the size does the same where
    // none runs, and is what the frame comes back to from maximized. move() places the frame's
    // corner, not the client area's, so that a title bar stays on the screen.
    const QRect area = screen()->availableGeometry();
    move(area.topLeft());
    resize(area.size());
    showMaximized();
    showWelcome();
}

void Mainform::MDIForm_Load()
{
    // Failures (the folder exists, the tool folder is read-only) are of no concern here.
    QDir().mkdir(m_session.toolPath(QStringLiteral("/projets")));
}

QMdiSubWindow *Mainform::addChild(Form *form, Qt::WindowFlags flags)
{
    auto *window = new FormWindow(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWidget(form);
    window->setWindowTitle(form->windowTitle());
    m_mdi->addSubWindow(window);
    // Set once the window sits in the area: only then are the flags read as a sub-window's.
    if (!flags)
        flags = form->frameFlags();
    if (flags)
        window->setWindowFlags(flags);
    const QSize client = form->size();
    window->adjustSize();
    const QSize frame = window->size() - window->contentsRect().size();
    window->setFixedSize(client + frame);
    return window;
}

QList<Form *> Mainform::forms() const
{
    QList<Form *> result;
    for (QMdiSubWindow *w : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (Form *f = formOf(w); f && !f->isClosed())
            result.append(f);
    return result;
}

void Mainform::activated(QMdiSubWindow *window)
{
    // Null comes when the whole frame loses focus; no child changed then.
    if (!window || window == m_active)
        return;
    Form *previous = formOf(m_active);
    m_active = window;
    if (previous && !previous->isClosed())
        previous->Form_Deactivate();
    if (Form *f = formOf(window))
        f->Form_Activate();
}

template <class T> T *Mainform::single(QPointer<T> &slot, Placement placement)
{
    if (!ifOpen(slot)) {
        slot = new T(m_session, *this);
        QMdiSubWindow *window = addChild(slot);
        if (placement == Placement::InClientArea)
            placeInClientArea(window);
    }
    return slot;
}

void Mainform::placeInClientArea(QMdiSubWindow *window) const
{
    // The area's own placement avoids the other windows but knows nothing of the screen's edge: a
    // window that fits the client area is moved wholly into it, one that does not goes to its top
    // left corner, so that its title bar shows. The room left for the area's scroll bars keeps a
    // window inside when a larger one makes them appear.
    const int bar = m_mdi->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_mdi);
    const QSize client = m_mdi->contentsRect().size() - QSize(bar, bar);
    const auto fit = [](int position, int size, int room) {
        return size <= room ? std::clamp(position, 0, room - size) : 0;
    };
    window->move(fit(window->x(), window->width(), client.width()), fit(window->y(), window->height(), client.height()));
}

void Mainform::showWelcome()
{
    Acc *acc = single(m_welcome);
    acc->showForm();
    m_mdi->setActiveSubWindow(acc->subWindow());
}

void Mainform::hideWelcome()
{
    if (!ifOpen(m_welcome)) {
        m_welcome = new Acc(m_session, *this);
        QMdiSubWindow *w = addChild(m_welcome);
        w->hide();
        return;
    }
    m_welcome->hideForm();
}

void Mainform::moveWelcome(int topTwips, int leftTwips)
{
    if (!ifOpen(m_welcome))
        return;
    m_welcome->setTopTwips(topTwips);
    m_welcome->setLeftTwips(leftTwips);
}

void Mainform::showDashboard()
{
    Controlpanel *panel = single(m_dashboard);
    panel->showForm();
    m_mdi->setActiveSubWindow(panel->subWindow());
}

int Mainform::dashboardWidthTwips() const
{
    return dashboard() ? m_dashboard->widthTwips() : 0;
}

void Mainform::showNewProject()
{
    nouvprojet *dialog = single(m_newProject, Placement::InClientArea);
    dialog->showForm();
    m_mdi->setActiveSubWindow(dialog->subWindow());
}

void Mainform::showOpenProject()
{
    openp *dialog = single(m_openProject, Placement::InClientArea);
    dialog->showForm();
    m_mdi->setActiveSubWindow(dialog->subWindow());
}

void Mainform::showVariables()
{
    var *editor = single(m_variables, Placement::InClientArea);
    editor->showForm();
    m_mdi->setActiveSubWindow(editor->subWindow());
}

void Mainform::showGameOptions()
{
    gameoptions *window = single(m_gameOptions, Placement::InClientArea);
    window->showForm();
    m_mdi->setActiveSubWindow(window->subWindow());
}

mapeditor *Mainform::openMapEditor(const QString &mapNumber)
{
    auto *editor = new mapeditor(m_session, *this);
    addChild(editor);
    editor->Form_Load();
    editor->showForm();
    m_mdi->setActiveSubWindow(editor->subWindow());
    editor->setMapNumber(mapNumber);
    editor->loadmap();
    return editor;
}

combateditor *Mainform::openFightEditor()
{
    auto *editor = new combateditor(m_session, *this);
    placeInClientArea(addChild(editor));
    editor->showForm();
    m_mdi->setActiveSubWindow(editor->subWindow());
    return editor;
}

void Mainform::closeProjectWindows()
{
    // Windows opened on the previous project would address the new project's folder.
    for (Form *f : forms())
        if (qobject_cast<mapeditor *>(f) || qobject_cast<combateditor *>(f) || qobject_cast<var *>(f) ||
            qobject_cast<gameoptions *>(f))
            f->subWindow()->close();
}

void Mainform::MDIForm_Click()
{
    hideWelcome();
}

void Mainform::menu_Click()
{
    showWelcome();
    moveWelcome(0, 0);
}

bool Mainform::eventFilter(QObject *watched, QEvent *event)
{
    // A click is a press and a release on the empty background itself: a mouse event that a
    // child window leaves unhandled reaches the viewport too, and does not count.
    if (watched == m_mdi->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        const bool onBackground = !m_mdi->viewport()->childAt(at);
        if (event->type() == QEvent::MouseButtonPress) {
            m_pressOnBackground = onBackground;
        } else if (m_pressOnBackground && onBackground) {
            m_pressOnBackground = false;
            MDIForm_Click();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Mainform::closeEvent(QCloseEvent *event)
{
    // Children close first; one that refuses keeps the whole frame open. The dashboard asks
    // first, so that its No leaves every window as it was.
    QList<QMdiSubWindow *> windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    if (Controlpanel *panel = dashboard()) {
        windows.removeOne(panel->subWindow());
        windows.prepend(panel->subWindow());
    }
    for (QMdiSubWindow *w : windows) {
        if (!w->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
