#include "platform/ui/qtdialogs.h"

#include "shell/controls.h"

#include <QInputDialog>
#include <QMessageBox>

MsgAnswer QtDialogs::message(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    QMessageBox box(m_parent);
    // The windows' own font, as the platform's boxes share the windows' system font.
    box.setFont(controls::arial());
    box.setWindowTitle(title.isEmpty() ? kDefaultTitle : title);
    // Shown as written: a text that holds "<b>" or the like is no markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(icon == MsgIcon::Critical      ? QMessageBox::Critical
                : icon == MsgIcon::Exclamation ? QMessageBox::Warning
                                               : QMessageBox::NoIcon);
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
}

QString QtDialogs::input(const QString &prompt, const QString &title)
{
    QInputDialog box(m_parent);
    box.setFont(controls::arial());
    box.setWindowTitle(title.isEmpty() ? kDefaultTitle : title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}
