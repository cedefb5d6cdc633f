#include "platform/ui/qtdialogs.h"

#include <QInputDialog>
#include <QMessageBox>

MsgAnswer QtDialogs::message(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    QMessageBox box(m_parent);
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
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, title.isEmpty() ? kDefaultTitle : title, prompt,
                                                 QLineEdit::Normal, QString(), &ok);
    return ok ? answer : QString();
}
