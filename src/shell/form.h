#pragma once

#include <QWidget>

class QMdiSubWindow;
class Session;
class Mainform;

// A child window of the main window: its widget is the client area, laid out in twips, and
// it sits in a QMdiSubWindow that Mainform makes for it. The handlers carry the names the
// program's windows have always used.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(Session &session, Mainform &mainform);

    Session &session() const { return m_session; }
    Mainform &mainform() const { return m_mainform; }
    QMdiSubWindow *subWindow() const;

    // Runs each time the window becomes the active child window.
    virtual void Form_Activate() {}
    // Runs when another child window becomes active.
    virtual void Form_Deactivate() {}
    // Runs before the window closes; false keeps it open.
    virtual bool Form_Unload() { return true; }
    // The frame the window sits in (border, title bar, buttons); empty for the usual one.
    virtual Qt::WindowFlags frameFlags() const { return {}; }

    // Outer geometry in twips, relative to the main window's client area.
    int leftTwips() const;
    int topTwips() const;
    int widthTwips() const;
    int heightTwips() const;
    void setLeftTwips(int left);
    void setTopTwips(int top);
    // Sets the outer height; controls below it are cut off, as on a window that is too short.
    void setHeightTwips(int height);

    void showForm();
    void hideForm();
    void closeForm();
    // A closed window lingers as an object until the event loop deletes it; it is gone all the same.
    bool isClosed() const { return m_closed; }

protected:
    void closeEvent(QCloseEvent *event) override;
    // The designed client area; the window is sized to hold it.
    void setClientSizeTwips(int width, int height);

private:
    Session &m_session;
    Mainform &m_mainform;
    bool m_closed = false;
};
