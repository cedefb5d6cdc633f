#pragma once

#include <QPixmap>

// The windows' own pictures, drawn by code so that the repository holds no binary files.
namespace art {

QPixmap welcomeBackground();   // 250 x 200: dark-blue panel, bevel lighter towards bottom-right
QPixmap buttonPicture();       // 218 x 81: dark-blue bar with a lighter bevelled edge, no text
QPixmap dashboardBackground(); // the dashboard's client area, 249 x 593
QPixmap mapListPanel();        // the map-list panel, 257 x 305
QPixmap fightPortrait();       // 96 x 135, the fight editor's hero portrait
QPixmap tilePreview();         // 28 x 29, the map editor's design picture for its small previews

} // namespace art
