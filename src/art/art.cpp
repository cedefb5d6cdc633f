#include "art/art.h"

namespace art {

static QPixmap filled(int w, int h, QColor c)
{
    QPixmap p(w, h);
    p.fill(c);
    return p;
}

QPixmap welcomeBackground() { return filled(250, 200, QColor(20, 30, 90)); }
QPixmap buttonPicture() { return filled(218, 81, QColor(30, 50, 130)); }
QPixmap dashboardBackground() { return filled(249, 593, QColor(20, 30, 90)); }
QPixmap mapListPanel() { return filled(257, 305, QColor(30, 40, 110)); }
QPixmap fightPortrait() { return filled(96, 135, QColor(120, 90, 60)); }
QPixmap tilePreview() { return filled(28, 29, QColor(60, 140, 60)); }

} // namespace art
