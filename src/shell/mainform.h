#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class Session;
class Form;
class Acc;
class Controlpanel;
class nouvprojet;
class openp;
class mapeditor;
class var;
class combateditor;
class gameoptions;

// The main window: a multiple-document frame that holds every other window as a child.
// It also keeps the windows that exist once and opens the others on request.
class Mainform : public QMainWindow {
    Q_OBJECT
public:
    explicit Mainform(Session &session);
    ~Mainform() override;

    Session &session() const { return m_session; }
    QMdiArea *mdiArea() const { return m_mdi; }

    // Start-up: the main window, then the welcome screen as its active child window.
    void startUp();

    // Puts a form into a new child window; flags shape its frame (default: the form's own).
    QMdiSubWindow *addChild(Form *form, Qt::WindowFlags flags = {});
    // Every form open now, shown or hidden, in creation order.
    QList<Form *> forms() const;
    template <class T> QList<T *> formsOf() const
    {
        QList<T *> found;
        for (Form *f : forms())
            if (auto *t = qobject_cast<T *>(f))
                found.append(t);
        return found;
    }

    // The welcome screen.
    Acc *welcome() const;
    void showWelcome();
    void hideWelcome();
    void moveWelcome(int topTwips, int leftTwips);

    // Windows that exist once: created on first use, then brought to the front.
    Controlpanel *dashboard() const;
    void showDashboard();
    int dashboardWidthTwips() const;
    void showNewProject();
    void showOpenProject();
    void showVariables();
    void showGameOptions();

    // Windows made anew for each opening.
    mapeditor *openMapEditor(const QString &mapNumber);
    combateditor *openFightEditor();

    // Handlers.
    void MDIForm_Load();
    void MDIForm_Click();
    void menu_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activated(QMdiSubWindow *window);
    void closeProjectWindows();
    // Windows whose place no design gives go where the area puts them, pulled into its client area.
    enum class Placement { Designed, InClientArea };
    template <class T> T *single(QPointer<T> &slot, Placement placement = Placement::Designed);
    void placeInClientArea(QMdiSubWindow *window) const;

    Session &m_session;
    QMdiArea *m_mdi;
    QPointer<QMdiSubWindow> m_active;
    bool m_pressOnBackground = false;
    QPointer<Acc> m_welcome;
    QPointer<Controlpanel> m_dashboard;
    QPointer<nouvprojet> m_newProject;
    QPointer<openp> m_openProject;
    QPointer<var> m_variables;
    QPointer<gameoptions> m_gameOptions;
};
