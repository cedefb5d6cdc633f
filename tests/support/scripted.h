#pragma once

#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// Every box the program showed, in order.
struct ShownBox {
    enum Kind { Message, Input } kind;
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString title;
};

// Answers boxes from queues and records them. A box with no answer queued fails the test.
class ScriptedDialogs : public Dialogs {
public:
    void answer(MsgAnswer a) { m_answers.enqueue(a); }
    void type(const QString &text) { m_inputs.enqueue(text); }
    // A cancelled input box answers the empty text.
    void cancel() { m_inputs.enqueue(QString()); }

    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override;
    QString input(const QString &prompt, const QString &title) override;

    QList<ShownBox> shown;
    QStringList texts() const;
    int pending() const { return int(m_answers.size() + m_inputs.size()); }

private:
    QQueue<MsgAnswer> m_answers;
    QQueue<QString> m_inputs;
};

struct StartedProcess {
    QString program;
    QStringList arguments;
    QString workingFolder;
};

// Records what the program asked of the desktop.
class FakeShell : public Shell {
public:
    void open(const QString &path) override { opened.append(path); }
    bool startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder) override
    {
        started.append({program, arguments, workingFolder});
        return startSucceeds;
    }
    void terminate() override { ++terminated; }

    QStringList opened;
    QList<StartedProcess> started;
    bool startSucceeds = true;
    int terminated = 0;
};
