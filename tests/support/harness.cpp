#include "harness.h"

#include <QApplication>

Harness::Harness(Edition edition, bool withData)
    : tool(withData), session(tool.path(), edition, dialogs, shell), mainform(std::make_unique<Mainform>(session))
{
    mainform->show();
    mainform->activateWindow();
    settle();
}

Harness::~Harness() = default;

void Harness::settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
