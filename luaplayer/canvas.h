#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>

// Pixel work on pictures held as QImage::Format_ARGB32 (colour values not premultiplied).
// On an opaque picture (the screen) every pixel written keeps full alpha, as the display
// shows no transparency.
namespace canvas {

QImage blank(int width, int height, bool opaque);
void clear(QImage &target, QRgb colour, bool opaque);
void fillRect(QImage &target, int x, int y, int width, int height, QRgb colour, bool opaque);
// Draws the part `from` of source with its top-left corner at (x, y); both sides are clipped.
// With blend the source's alpha mixes it with what lies beneath, else its pixels are copied.
void blit(QImage &target, int x, int y, const QImage &source, QRect from, bool blend, bool opaque);
// 8 pixels a character, no wrapping; stops at the first character that does not fit whole.
void print(QImage &target, int x, int y, const QByteArray &text, QRgb colour, bool opaque);

} // namespace canvas
