#include "shell/app.h"

#include "icon/icon.h"
#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtshell.h"
#include "projects/session.h"
#include "shell/mainform.h"
#include "shell/style.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

void setProgramIcon()
{
    QApplication::setWindowIcon(tarnwickIcon());
}

void setProgramStyle()
{
    QApplication::setStyle(new ProgramStyle);
}

std::unique_ptr<QTranslator> toolkitTranslation(Edition edition)
{
    if (edition != Edition::French)
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}

int runTarnwick(int argc, char **argv, Edition edition)
{
    QApplication app(argc, argv);
    setProgramIcon();
    setProgramStyle();
    const std::unique_ptr<QTranslator> translation = toolkitTranslation(edition);
    if (translation)
        QCoreApplication::installTranslator(translation.get());
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
