#include "canvas.h"

#include "font.h"

namespace canvas {
namespace {

QRgb written(QRgb colour, bool opaque)
{
    return opaque ? (colour | 0xff000000u) : colour;
}

// Source over destination, both not premultiplied.
QRgb over(QRgb src, QRgb dst)
{
    const int sa = qAlpha(src);
    if (sa == 255)
        return src;
    if (sa == 0)
        return dst;
    const int da = qAlpha(dst) * (255 - sa) / 255;
    const int oa = sa + da;
    auto mix = [&](int s, int d) { return (s * sa + d * da + oa / 2) / oa; };
    return qRgba(mix(qRed(src), qRed(dst)), mix(qGreen(src), qGreen(dst)), mix(qBlue(src), qBlue(dst)), oa);
}

} // namespace

QImage blank(int width, int height, bool opaque)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(opaque ? qRgb(0, 0, 0) : qRgba(0, 0, 0, 0));
    return image;
}

void clear(QImage &target, QRgb colour, bool opaque)
{
    target.fill(written(colour, opaque));
}

void fillRect(QImage &target, int x, int y, int width, int height, QRgb colour, bool opaque)
{
    const QRect area = QRect(x, y, width, height).intersected(target.rect());
    const QRgb c = written(colour, opaque);
    for (int row = area.top(); row <= area.bottom(); ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(target.scanLine(row));
        for (int col = area.left(); col <= area.right(); ++col)
            line[col] = c;
    }
}

void blit(QImage &target, int x, int y, const QImage &source, QRect from, bool blend, bool opaque)
{
    // A picture drawn onto itself reads what it held before the drawing.
    const QImage src = &source == &target ? source.copy() : source;
    const QRect clipped = from.intersected(src.rect());
    if (clipped.isEmpty())
        return;
    const QPoint shift = clipped.topLeft() - from.topLeft();
    const QRect onTarget = QRect(QPoint(x, y) + shift, clipped.size()).intersected(target.rect());
    const QPoint delta = clipped.topLeft() - (QPoint(x, y) + shift); // source = target + delta
    for (int row = onTarget.top(); row <= onTarget.bottom(); ++row) {
        QRgb *out = reinterpret_cast<QRgb *>(target.scanLine(row));
        const QRgb *in = reinterpret_cast<const QRgb *>(src.constScanLine(row + delta.y()));
        for (int col = onTarget.left(); col <= onTarget.right(); ++col) {
            const QRgb s = in[col + delta.x()];
            out[col] = written(blend ? over(s, out[col]) : s, opaque);
        }
    }
}

void print(QImage &target, int x, int y, const QByteArray &text, QRgb colour, bool opaque)
{
    const QRgb c = written(colour, opaque);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int left = x + int(i) * font::cell;
        if (left < 0 || y < 0 || left + font::cell > target.width() || y + font::cell > target.height())
            return;
        const font::Glyph &g = font::glyph(static_cast<unsigned char>(text[i]));
        for (int row = 0; row < font::cell; ++row) {
            QRgb *line = reinterpret_cast<QRgb *>(target.scanLine(y + row));
            for (int col = 0; col < font::cell; ++col) {
                if (g[row] & (0x80 >> col))
                    line[left + col] = c;
            }
        }
    }
}

} // namespace canvas
