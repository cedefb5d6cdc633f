#include "shell/acc.h"

#include "art/art.h"
#include "platform/twips.h"
#include "projects/session.h"
#include "shell/controls.h"
#include "shell/mainform.h"

#include <QPainter>

Acc::Acc(Session &session, Mainform &mainform) : Form(session, mainform)
{
    setWindowTitle(QStringLiteral("Bienvenu"));
    setClientSizeTwips(3690, 3000);
    m_background = art::welcomeBackground();

    Label1 = controls::caption(
        this, "Label1",
        session.tx("Welcome to Tarnwick 3! What would you do?", "Bienvenu dans Tarnwick 3 ! Que voulez-vous faire ?"),
        360, 120, 2655, session.french() ? 375 : 495);

    struct Design {
        const char *picture;
        const char *caption;
        QString text;
        int top;
    };
    const std::array<Design, 3> designs{{
        {"Image1", "Label2", session.tx("Create a new project", "Créer un nouveau projet"), 720},
        {"Image2", "Label3", session.tx("Open an existing project", "Ouvrir un projet existant"), 1320},
        {"Image3", "Label4", QStringLiteral("Documentation"), 1920},
    }};
    const QPixmap buttonArt = art::buttonPicture();
    for (size_t i = 0; i < designs.size(); ++i) {
        const Design &d = designs[i];
        // The caption is made after its picture, so it lies in front of it.
        controls::Picture *picture = controls::picture(this, d.picture, 960, d.top, 2295, 615);
        picture->setStretched(buttonArt);
        controls::Picture *caption =
            controls::clickCaption(this, d.caption, d.text, 1080, d.top + 150, 2115, 375, true);
        m_buttons[i] = {picture, caption};
    }

    const std::array<void (Acc::*)(), 3> actions{&Acc::newproject, &Acc::openproject, &Acc::opendoc};
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const PictureButton button = m_buttons[i];
        const auto action = actions[i];
        for (controls::Picture *control : {button.picture, button.caption}) {
            connect(control, &controls::Picture::mouseDown, this, [button] { press(button, 10); });
            connect(control, &controls::Picture::mouseUp, this, [button] { press(button, -10); });
            connect(control, &controls::Picture::clicked, this, action);
        }
    }
}

Qt::WindowFlags Acc::frameFlags() const
{
    return Qt::FramelessWindowHint;
}

void Acc::press(const PictureButton &button, int twips)
{
    controls::moveByTwips(button.picture, twips, twips);
    controls::moveByTwips(button.caption, twips, twips);
}

void Acc::Form_Deactivate()
{
    hideForm();
}

void Acc::newproject()
{
    mainform().showNewProject();
    closeForm();
}

void Acc::openproject()
{
    mainform().showOpenProject();
    closeForm();
}

void Acc::opendoc()
{
    session().shell().open(session().toolPath(QStringLiteral("/Doc/index.html")));
}

void Acc::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The background is 4 pixels wider than the window; its right edge stays outside.
    painter.drawPixmap(0, 0, m_background);
    painter.setPen(QPen(Qt::white, 1));
    const auto line = [&painter](int x1, int y1, int x2, int y2) { painter.drawLine(px(x1), px(y1), px(x2), px(y2)); };
    line(240, 120, 240, 2280);
    line(240, 1080, 840, 1080);
    line(240, 1680, 840, 1680);
    line(240, 2280, 840, 2280);
}
