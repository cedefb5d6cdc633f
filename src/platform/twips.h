#pragma once

#include <QRect>

// Window geometry is designed in twips; the screen has 15 twips to a pixel.
constexpr int kTwipsPerPixel = 15;
// Rounds to the nearest pixel, as the screen shows a position given in twips.
constexpr int px(int twips) { return twips >= 0 ? (twips + 7) / kTwipsPerPixel : -((7 - twips) / kTwipsPerPixel); }
constexpr int twips(int pixels) { return pixels * kTwipsPerPixel; }
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}
