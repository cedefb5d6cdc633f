#pragma once

#include <QGroupBox>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class Session;

// What the event panel needs of the map editor window that holds it.
class EventPanelHost {
public:
    virtual ~EventPanelHost() = default;
    // The map the window last loaded (its Tag): the cell event files live in ev/map<Tag>.
    virtual QString loadedMap() const = 0;
    // Open: the window grows to 8000 twips and the map canvas is disabled; closed: 4100 twips
    // and the canvas enabled.
    virtual void setPanelOpen(bool open) = 0;
    virtual void setCanvasEnabled(bool enabled) = 0;
    // The hero-move pick, kept in the canvas's tag as "dephero".
    virtual void setHeroMoveArmed(bool armed) = 0;
    virtual bool heroMoveArmed() const = 0;
};

// The event panel, Frame6 of the map editor window: a cell's event list and the event
// commands that append to it. It places itself where the window's design puts Frame6.
class EventPanel : public QGroupBox {
    Q_OBJECT
public:
    EventPanel(Session &session, EventPanelHost &host, QWidget *parent);

    // An Event-mode press on the cell at 0-based row and column.
    void openCell(int row0, int col0);
    // The hero-move pick took the cell at 0-based row and column.
    void heroMovePicked(int row0, int col0);

    QStringList lines() const;

    void Command2_Click();
    void Command20_Click();
    void listev_DblClick();
    void Command8_Click();
    void Command12_Click();
    void Command13_Click();
    void Command3_Click();
    void Command15_Click();
    void Command17_Click();
    void Command22_Click();
    void Command18_Click();
    void List1_Click();
    void Command19_Click();
    void HScroll3_Change();
    void Command21_Click();
    void Command23_Click();
    void Command24_Click();

private:
    void buildControls();
    void append(const QString &line);
    QString cellFile() const;
    QString ini() const;

    Session &m_session;
    EventPanelHost &m_host;

    QPushButton *Command24 = nullptr;
    QPushButton *Command23 = nullptr;
    QPushButton *Command20 = nullptr;
    QGroupBox *Frame7 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLineEdit *Text3 = nullptr;
    QPushButton *Command3 = nullptr;
    QComboBox *Combo2 = nullptr;
    QLabel *Label11 = nullptr;
    QGroupBox *Frame10 = nullptr;
    QLineEdit *Text2 = nullptr;
    std::array<QRadioButton *, 3> Option2{};
    QPushButton *Command22 = nullptr;
    QGroupBox *Frame8 = nullptr;
    QListWidget *List1 = nullptr;
    QPushButton *Command15 = nullptr;
    QPushButton *Command13 = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *Command12 = nullptr;
    QGroupBox *Frame9 = nullptr;
    QPushButton *Command21 = nullptr;
    QScrollBar *HScroll3 = nullptr;
    QLabel *Label14 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label12 = nullptr;
    QPushButton *Command16 = nullptr;
    QPushButton *Command2 = nullptr;
    QListWidget *listev = nullptr;
    QPushButton *Command17 = nullptr;
    QPushButton *Command18 = nullptr;
    QPushButton *Command19 = nullptr;
    QLabel *ln = nullptr;
    QLabel *co = nullptr;
    QLabel *Label8 = nullptr;
};
