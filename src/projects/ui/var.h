#pragma once

#include "platform/saved.h"
#include "shell/form.h"

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

// The variables editor: lists the game's variables from projet.ini, adds one at the end and
// replaces a start value. It keeps nothing but what it shows, and a typed start value that the
// disk did not take until a later press writes it; every step rereads projet.ini.
class var : public Form {
    Q_OBJECT
public:
    var(Session &session, Mainform &mainform);

    void Form_Activate() override;
    // "Add a variable".
    void Command1_Click();
    // The user selected an item: asks for that variable's new start value.
    void List1_Click();

private:
    // A start value that the disk did not take, kept for the next press to write.
    struct Unsaved {
        int variable = 0;
        QString value;
        // An addition: [Variables] nombre goes with the value.
        bool adding = false;
    };

    void loadvars();
    void showFailure(const QString &description);
    Saved store(const Unsaved &value);
    // Writes the kept value, if any; false, after telling the user, when it still cannot.
    bool writeUnsaved();
    void reportNotSaved(int variable, bool adding, const QString &reason, bool kept);

    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Command1;
    QLabel *Label3;
    QListWidget *List1;

    std::optional<Unsaved> m_unsaved;
};
