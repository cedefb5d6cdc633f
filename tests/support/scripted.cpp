#include "scripted.h"

#include <gtest/gtest.h>

MsgAnswer ScriptedDialogs::message(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    shown.append({ShownBox::Message, text, buttons, icon, title});
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    // Ok boxes need no script; a question does.
    if (buttons == MsgButtons::YesNo)
        ADD_FAILURE() << "unanswered question: " << text.toStdString();
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

QString ScriptedDialogs::input(const QString &prompt, const QString &title)
{
    shown.append({ShownBox::Input, prompt, MsgButtons::Ok, MsgIcon::None, title});
    if (!m_inputs.isEmpty())
        return m_inputs.dequeue();
    ADD_FAILURE() << "unanswered input box: " << prompt.toStdString();
    return QString();
}

QStringList ScriptedDialogs::texts() const
{
    QStringList list;
    for (const ShownBox &b : shown)
        list.append(b.text);
    return list;
}
