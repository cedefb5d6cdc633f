#pragma once

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "projects/edition.h"

#include <QObject>
#include <QString>

// What every window is given when it is made: the tool folder, the edition, the current
// project name and the boxes and shell it talks through. Project paths are built afresh from
// the current name at every access.
class Session : public QObject {
    Q_OBJECT
public:
    Session(QString toolFolder, Edition edition, Dialogs &dialogs, Shell &shell);

    const QString &toolFolder() const { return m_toolFolder; }
    Edition edition() const { return m_edition; }
    bool french() const { return m_edition == Edition::French; }
    QString tx(const char *english, const char *french) const { return ::tx(m_edition, english, french); }
    Dialogs &dialogs() const { return m_dialogs; }
    Shell &shell() const { return m_shell; }

    // Empty while no project has been created or opened.
    const QString &currentProject() const { return m_currentProject; }
    void setCurrentProject(const QString &name);

    // Tool folder + "/projets/" + current project name.
    QString projectFolder() const;
    // filePart begins with "/": projectPath("/projet.ini").
    QString projectPath(const QString &filePart) const { return projectFolder() + filePart; }
    QString projectIni() const { return projectPath(QStringLiteral("/projet.ini")); }
    // toolPath("/data/ftgr.dat")
    QString toolPath(const QString &part) const { return m_toolFolder + part; }

signals:
    // Emitted when another project becomes current; windows of the previous one close then.
    void currentProjectChanged(const QString &name);

private:
    QString m_toolFolder;
    Edition m_edition;
    Dialogs &m_dialogs;
    Shell &m_shell;
    QString m_currentProject;
};
