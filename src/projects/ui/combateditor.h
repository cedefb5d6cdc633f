#pragma once

#include "shell/form.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
namespace controls {
class Picture;
}

// The fight editor: the layout of a fight with three heroes and three attacks each. Only the
// fight selector works; it shows the selected fight's name from projet.ini. The window writes
// nothing, and what the user types into it lasts until it closes.
class combateditor : public Form {
    Q_OBJECT
public:
    combateditor(Session &session, Mainform &mainform);

    void HScroll1_Change();

    // Top row.
    QLabel *Label1;
    QLabel *Label2;
    QScrollBar *HScroll1;
    QLineEdit *Text1;
    QPushButton *Command1;

    // Hero h = 0, 1, 2: Frame1(0), frame(1), Frame1(2).
    std::array<QGroupBox *, 3> heroFrame{};
    std::array<QLabel *, 3> Label3{};
    std::array<QLineEdit *, 3> hnom{};
    std::array<QLabel *, 3> Label4{};
    std::array<QScrollBar *, 3> HScroll2{};
    std::array<QLabel *, 3> h1vie{};
    std::array<QPushButton *, 3> Command2{};
    std::array<controls::Picture *, 3> Picture1{};
    std::array<QCheckBox *, 3> hactive{};

    // Hero 1's attacks 1, 2, 3.
    QGroupBox *Frame5;
    QLabel *Label9;
    QLineEdit *h1a2nom;
    QLabel *Label8;
    QScrollBar *HScroll4;
    QLabel *h1a2degat;
    QGroupBox *Frame6;
    QLabel *Label10;
    QLineEdit *h1a3nom;
    QLabel *Label11;
    QScrollBar *HScroll5;
    QLabel *h1a3degat;
    // Index 0: hero 1's attack 1; 1 to 3: hero 2's attacks 1 to 3; 6, 5, 4: hero 3's.
    std::array<QGroupBox *, 7> Frame4{};
    std::array<QLabel *, 7> Label5{};
    std::array<QLineEdit *, 7> h1a1nom{};
    std::array<QLabel *, 7> Label6{};
    std::array<QScrollBar *, 7> HScroll3{};
    std::array<QLabel *, 7> h1a1degats{};
};
