#include "shell/app.h"

#include "icon/icon.h"
#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtshell.h"
#include "projects/session.h"
#include "shell/mainform.h"

#include <QApplication>
#include <QFont>

void setProgramIcon()
{
    QApplication::setWindowIcon(tarnwickIcon());
}

int runTarnwick(int argc, char **argv, Edition edition)
{
    QApplication app(argc, argv);
    setProgramIcon();
    // The tool folder is the folder of the program file.
    const QString toolFolder = QCoreApplication::applicationDirPath();
    QtDialogs dialogs;
    QtShell shell;
    Session session(toolFolder, edition, dialogs, shell);
    Mainform mainform(session);
    dialogs.setParent(&mainform);
    mainform.startUp();
    return app.exec();
}
