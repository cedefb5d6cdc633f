#include "projects/ui/gameoptions.h"

#include "projects/session.h"

gameoptions::gameoptions(Session &session, Mainform &mainform) : Form(session, mainform)
{
    setObjectName(QStringLiteral("gameoptions"));
    setWindowTitle(session.tx("Game Options", "Form1"));
    setClientSizeTwips(4680, 3090);
}
