#include "platform/ui/qtshell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <cstdlib>

void QtShell::open(const QString &path)
{
    // The result is of no concern: a missing page or viewer is the desktop's to report.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtShell::startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}

void QtShell::terminate()
{
    // At once: no window gets to ask its closing question.
    std::_Exit(0);
}
