#pragma once

#include "shell/form.h"

#include <QPixmap>

#include <array>

class QLabel;
namespace controls {
class Picture;
}

// The welcome screen: a borderless window with a greeting and three picture buttons that lead
// to the new-project dialog, the open-project dialog and the documentation page.
class Acc : public Form {
    Q_OBJECT
public:
    Acc(Session &session, Mainform &mainform);

    void Form_Deactivate() override;
    Qt::WindowFlags frameFlags() const override;

    // The three buttons' actions.
    void newproject();
    void openproject();
    void opendoc();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct PictureButton {
        controls::Picture *picture;
        controls::Picture *caption;
    };
    // Pressing moves picture and caption 10 twips right and down; releasing moves them back.
    static void press(const PictureButton &button, int twips);

    QPixmap m_background;
    QLabel *Label1;
    std::array<PictureButton, 3> m_buttons;
};
