#pragma once

#include <QString>
#include <QStringList>

// What the program asks of the desktop: open a document in the user's viewer, start a
// program without waiting for it, and end the program at once.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString &path) = 0;
    // Returns false when the program could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &workingFolder) = 0;
    // Ends the program now: no window is asked anything and nothing more is saved.
    virtual void terminate() = 0;
};
