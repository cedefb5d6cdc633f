#pragma once

#include "shell/form.h"

class QLabel;
class QListWidget;
class QPushButton;

// The variables editor: lists the game's variables from projet.ini, adds one at the end and
// replaces a start value. It keeps nothing but what it shows; every step rereads projet.ini.
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
    void loadvars();
    void showFailure(const QString &description);

    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Command1;
    QLabel *Label3;
    QListWidget *List1;
};
