#pragma once

#include "harness.h"

#include "map_editor/ui/mapeditor.h"
#include "projects/ui/controlpanel.h"
#include "projects/ui/nouvprojet.h"
#include "shell/acc.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStringList>

#include <gtest/gtest.h>

// Readable failure output for texts and lists of texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << list.join(" | ").toStdString();
}

// The control that the Tab key moves to from this one.
inline QWidget *nextTab(QWidget *from)
{
    QWidget *w = from->nextInFocusChain();
    while (w != from && !(w->focusPolicy() & Qt::TabFocus))
        w = w->nextInFocusChain();
    return w;
}

// The program with its welcome screen up, and the new-project dialog driven as a user would.
struct ProjectTest : ::testing::Test {
    explicit ProjectTest(Edition edition = Edition::English) : h(edition)
    {
        h.mainform->startUp();
        h.settle();
    }

    nouvprojet *newProjectDialog()
    {
        h.mainform->showNewProject();
        h.settle();
        return h.mainform->formsOf<nouvprojet>().value(0);
    }

    // Types the name and author into the dialog and presses "Create!".
    nouvprojet *create(const QString &name, const QString &author = QStringLiteral("Corvin"))
    {
        nouvprojet *dialog = newProjectDialog();
        dialog->findChild<QLineEdit *>("Text1")->setText(name);
        dialog->findChild<QLineEdit *>("Text2")->setText(author);
        dialog->findChild<QPushButton *>("Command1")->click();
        h.settle();
        return dialog;
    }

    QString projectFolder(const QString &name) const { return h.tool.file("/projets/" + name); }

    // Every file and folder under a folder, relative to it, sorted.
    static QStringList tree(const QString &folder)
    {
        QStringList entries;
        const QDir root(folder);
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = root.relativeFilePath(it.next());
            entries << entry + (it.fileInfo().isDir() ? "/" : "");
        }
        entries.sort();
        return entries;
    }

    Controlpanel *dashboard() const { return h.mainform->dashboard(); }
    QString label(const char *name) const { return dashboard()->findChild<QLabel *>(name)->text(); }
    QListWidget *mapList() const { return dashboard()->findChild<QListWidget *>("List1"); }
    QStringList mapItems() const
    {
        QStringList items;
        for (int i = 0; i < mapList()->count(); ++i)
            items << mapList()->item(i)->text();
        return items;
    }
    // The map numbers of the open map editor windows, as their Label1 names them.
    QStringList editorMaps() const
    {
        QStringList maps;
        for (mapeditor *e : h.mainform->formsOf<mapeditor>()) {
            auto *caption = e->findChild<QLabel *>("Label1");
            maps << (caption ? caption->text() : QStringLiteral("?"));
        }
        return maps;
    }

    Harness h;
};
