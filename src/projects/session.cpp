#include "projects/session.h"

Session::Session(QString toolFolder, Edition edition, Dialogs &dialogs, Shell &shell)
    : m_toolFolder(std::move(toolFolder)), m_edition(edition), m_dialogs(dialogs), m_shell(shell)
{
}

void Session::setCurrentProject(const QString &name)
{
    const bool changed = name != m_currentProject;
    m_currentProject = name;
    if (changed)
        emit currentProjectChanged(name);
}

QString Session::projectFolder() const
{
    return m_toolFolder + QStringLiteral("/projets/") + m_currentProject;
}
