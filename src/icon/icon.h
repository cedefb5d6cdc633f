#pragma once

#include <QIcon>

// The program's icon: a tile map with the hero on it, drawn at build time by tools/icongen in
// several sizes and built into the library tarnwick_icon, so that the editions and the stand-in
// player show the same picture.
QIcon tarnwickIcon();
