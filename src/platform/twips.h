#pragma once

#include <QRect>

// Window geometry is designed in twips; the screen has 15 twips to a pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) { return twips / kTwipsPerPixel; }
constexpr int twips(int pixels) { return pixels * kTwipsPerPixel; }
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}
