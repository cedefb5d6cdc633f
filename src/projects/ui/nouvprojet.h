#pragma once

#include "shell/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The new-project dialog: a name and an author, and "Create!" builds the project folder.
class nouvprojet : public Form {
    Q_OBJECT
public:
    nouvprojet(Session &session, Mainform &mainform);

    Qt::WindowFlags frameFlags() const override;
    void Command1_Click();

private:
    QLabel *Label1, *Label2;
    QLineEdit *Text1, *Text2;
    QPushButton *Command1;
};
