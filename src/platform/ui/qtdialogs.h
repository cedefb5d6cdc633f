#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>

// The boxes the user sees: QMessageBox and QInputDialog.
class QtDialogs : public Dialogs {
public:
    void setParent(QWidget *parent) { m_parent = parent; }
    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override;
    QString input(const QString &prompt, const QString &title) override;

private:
    QPointer<QWidget> m_parent;
};
