#include "map_editor/ui/eventpanel.h"

EventPanel::EventPanel(Session &session, EventPanelHost &host, QWidget *parent)
    : QGroupBox(parent), m_session(session), m_host(host)
{
    setObjectName(QStringLiteral("Frame6"));
}

void EventPanel::openCell(int, int) {}
void EventPanel::heroMovePicked(int, int) {}
