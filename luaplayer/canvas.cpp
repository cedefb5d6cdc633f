#include "canvas.h"

#include "font.h"

#include <algorithm>

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
    if (area.isEmpty())
        return;
    const QRgb c = written(colour, opaque);
    uchar *bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int row = area.top(); row <= area.bottom(); ++row)
        std::fill_n(reinterpret_cast<QRgb *>(bits + row * stride) + area.left(), area.width(), c);
}

void blit(QImage &target, int x, int y, const QImage &source, QRect from, bool blend, bool opaque)
{
    // A picture drawn onto itself reads what it held before the drawing.
    QImage before;
    if (&source == &target)
        before = source.copy();
    const QImage &src = &source == &target ? before : source;
    const QRect clipped = from.intersected(src.rect());
    if (clipped.isEmpty())
        return;
    const QPoint shift = clipped.topLeft() - from.topLeft();
    const QRect onTarget = QRect(QPoint(x, y) + shift, clipped.size()).intersected(target.rect());
    if (onTarget.isEmpty())
        return;
    const QPoint delta = clipped.topLeft() - (QPoint(x, y) + shift); // source = target + delta
    const QRgb keep = opaque ? 0xff000000u : 0u;                     // written() for every pixel
    const int width = onTarget.width();
    uchar *outBits = target.bits();
    const uchar *inBits = src.constBits();
    const qsizetype outStride = target.bytesPerLine();
    const qsizetype inStride = src.bytesPerLine();
    for (int row = onTarget.top(); row <= onTarget.bottom(); ++row) {
        QRgb *out = reinterpret_cast<QRgb *>(outBits + row * outStride) + onTarget.left();
        const QRgb *in =
            reinterpret_cast<const QRgb *>(inBits + (row + delta.y()) * inStride) + onTarget.left() + delta.x();
        // A row with no transparent pixel is copied whether it blends or not.
        bool copy = !blend;
        if (blend) {
            QRgb common = 0xffffffffu;
            for (int i = 0; i < width; ++i)
                common &= in[i];
            copy = qAlpha(common) == 255;
        }
        if (copy) {
            for (int i = 0; i < width; ++i)
                out[i] = in[i] | keep;
        } else {
            for (int i = 0; i < width; ++i)
                out[i] = over(in[i], out[i]) | keep;
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
