#pragma once

#include <QGroupBox>

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
// commands that append to it.
class EventPanel : public QGroupBox {
    Q_OBJECT
public:
    EventPanel(Session &session, EventPanelHost &host, QWidget *parent);

    // An Event-mode press on the cell at 0-based row and column.
    void openCell(int row0, int col0);
    // The hero-move pick took the cell at 0-based row and column.
    void heroMovePicked(int row0, int col0);

private:
    Session &m_session;
    EventPanelHost &m_host;
};
