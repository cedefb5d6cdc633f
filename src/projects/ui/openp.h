#pragma once

#include "shell/form.h"

#include <QListWidget>

class QLabel;
class QPushButton;

// A folder list box as Windows draws it: the current folder with the folders above it up to
// the root, each one step further in, then the current folder's sub-folders. A double-click
// makes an entry the current folder; a single click only highlights it.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent = nullptr);

    const QString &path() const { return m_path; }
    void setPath(const QString &path);
    // The folder an entry stands for.
    static QString folderOf(const QListWidgetItem *item);

private:
    QString m_path;
};

// The open-project dialog: pick a project's folder, and "Open" makes its project current.
class openp : public Form {
    Q_OBJECT
public:
    openp(Session &session, Mainform &mainform);

    Qt::WindowFlags frameFlags() const override;
    void Form_Load();
    void Command1_Click();

private:
    QLabel *Label1;
    FolderList *Dir1;
    QPushButton *Command1;
};
