#include "art/art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {

namespace {

const QColor NavyDeep(12, 20, 62);
const QColor Navy(24, 38, 104);

// A frame of the given width whose colour runs from `from` at the top-left corner to `to` at the
// bottom-right one; its inner edge gets a dark line so that the panel looks set in.
void bevel(QPainter &p, const QRect &r, int width, const QColor &from, const QColor &to)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    QPainterPath frame;
    frame.addRect(r);
    frame.addRect(r.adjusted(width, width, -width, -width));
    p.fillPath(frame, g);
    p.setPen(QColor(0, 0, 0, 90));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(width, width, -width - 1, -width - 1));
    p.setPen(QColor(255, 255, 255, 70));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

// A bar with a raised edge: lighter along the top and left, deeper along the bottom and right,
// both lighter than the bar itself.
void raised(QPainter &p, const QRect &r, int width, const QColor &face, const QColor &light, const QColor &shade)
{
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    body.setColorAt(0, face.lighter(125));
    body.setColorAt(1, face.darker(130));
    p.fillRect(r, body);
    const int x0 = r.left(), y0 = r.top(), x1 = r.right() + 1, y1 = r.bottom() + 1;
    QPolygon top, bottom;
    top << QPoint(x0, y0) << QPoint(x1, y0) << QPoint(x1 - width, y0 + width) << QPoint(x0 + width, y0 + width)
        << QPoint(x0 + width, y1 - width) << QPoint(x0, y1);
    bottom << QPoint(x1, y0) << QPoint(x1, y1) << QPoint(x0, y1) << QPoint(x0 + width, y1 - width)
           << QPoint(x1 - width, y1 - width) << QPoint(x1 - width, y0 + width);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPolygon(top);
    p.setBrush(shade);
    p.drawPolygon(bottom);
    p.setPen(QColor(8, 12, 40));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

// Faint diagonal stripes give a dark panel some texture behind white text.
void stripes(QPainter &p, int w, int h, int alpha)
{
    p.setPen(QColor(255, 255, 255, alpha));
    for (int x = -h; x < w; x += 6)
        p.drawLine(x, h, x + h, 0);
}

QPixmap canvas(int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap welcomeBackground()
{
    QPixmap pm = canvas(250, 200);
    QPainter p(&pm);
    QLinearGradient panel(0, 0, 250, 200);
    panel.setColorAt(0, NavyDeep);
    panel.setColorAt(1, Navy);
    p.fillRect(pm.rect(), panel);
    stripes(p, 250, 200, 10);
    bevel(p, pm.rect(), 6, QColor(44, 62, 140), QColor(176, 196, 250));
    return pm;
}

QPixmap buttonPicture()
{
    QPixmap pm = canvas(218, 81);
    QPainter p(&pm);
    raised(p, pm.rect(), 7, QColor(30, 48, 128), QColor(120, 150, 228), QColor(64, 86, 170));
    return pm;
}

QPixmap dashboardBackground()
{
    QPixmap pm = canvas(249, 593);
    QPainter p(&pm);
    QLinearGradient panel(0, 0, 0, 593);
    panel.setColorAt(0, Navy);
    panel.setColorAt(0.5, NavyDeep);
    panel.setColorAt(1, QColor(8, 12, 40));
    p.fillRect(pm.rect(), panel);
    stripes(p, 249, 593, 8);
    // A thin rule between the project's facts and the menu tiles.
    QLinearGradient rule(10, 0, 239, 0);
    rule.setColorAt(0, QColor(120, 150, 230, 0));
    rule.setColorAt(0.5, QColor(150, 176, 246, 200));
    rule.setColorAt(1, QColor(120, 150, 230, 0));
    p.fillRect(QRect(10, 80, 229, 1), rule);
    p.fillRect(QRect(10, 284, 229, 1), rule);
    bevel(p, pm.rect(), 4, QColor(40, 58, 132), QColor(128, 150, 220));
    return pm;
}

QPixmap mapListPanel()
{
    QPixmap pm = canvas(257, 305);
    QPainter p(&pm);
    raised(p, pm.rect(), 4, QColor(28, 44, 116), QColor(100, 128, 210), QColor(56, 76, 156));
    // A sunken well around the list (which sits 8 pixels in).
    const QRect well(5, 5, 235, 285);
    p.fillRect(well, QColor(10, 16, 52));
    p.setPen(QColor(4, 6, 24));
    p.drawLine(well.topLeft(), well.topRight());
    p.drawLine(well.topLeft(), well.bottomLeft());
    p.setPen(QColor(130, 156, 230));
    p.drawLine(well.bottomLeft(), well.bottomRight());
    p.drawLine(well.topRight(), well.bottomRight());
    return pm;
}

QPixmap fightPortrait()
{
    QPixmap pm = canvas(96, 135);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 135);
    sky.setColorAt(0, QColor(70, 110, 190));
    sky.setColorAt(1, QColor(186, 208, 240));
    p.fillRect(pm.rect(), sky);
    p.setPen(Qt::NoPen);
    // Shoulders in the blue tunic, with a brown strap.
    QPainterPath body;
    body.moveTo(6, 135);
    body.cubicTo(8, 104, 26, 96, 48, 96);
    body.cubicTo(70, 96, 88, 104, 90, 135);
    body.closeSubpath();
    p.setBrush(QColor(44, 106, 198));
    p.drawPath(body);
    p.setBrush(QColor(112, 70, 30));
    p.drawPolygon(QPolygonF({QPointF(24, 102), QPointF(34, 99), QPointF(74, 135), QPointF(62, 135)}));
    // Neck and face.
    p.setBrush(QColor(216, 162, 122));
    p.drawRect(QRectF(40, 82, 16, 18));
    p.setBrush(QColor(246, 206, 164));
    p.drawEllipse(QRectF(24, 34, 48, 56));
    p.drawEllipse(QRectF(20, 58, 8, 12)); // ears
    p.drawEllipse(QRectF(68, 58, 8, 12));
    // Hair over the top of the head, with a fringe.
    QPainterPath hair;
    hair.moveTo(21, 64);
    hair.cubicTo(14, 24, 40, 20, 50, 22);
    hair.cubicTo(70, 22, 84, 34, 75, 64);
    hair.cubicTo(72, 52, 66, 46, 60, 44);
    hair.lineTo(54, 50);
    hair.lineTo(48, 43);
    hair.lineTo(40, 51);
    hair.lineTo(36, 44);
    hair.cubicTo(28, 48, 24, 54, 21, 64);
    p.setBrush(QColor(126, 70, 32));
    p.drawPath(hair);
    p.setBrush(QColor(176, 112, 60, 150));
    p.drawEllipse(QRectF(38, 27, 14, 4));
    // Eyes, brows, mouth and cheeks.
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(33, 58, 11, 8));
    p.drawEllipse(QRectF(52, 58, 11, 8));
    p.setBrush(QColor(40, 60, 110));
    p.drawEllipse(QRectF(36, 58, 6, 8));
    p.drawEllipse(QRectF(54, 58, 6, 8));
    p.setPen(QPen(QColor(92, 48, 22), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(33, 54), QPointF(43, 52));
    p.drawLine(QPointF(53, 52), QPointF(63, 54));
    p.setPen(QPen(QColor(170, 90, 80), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(41, 70, 14, 8), 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(238, 150, 140, 120));
    p.drawEllipse(QRectF(28, 68, 9, 5));
    p.drawEllipse(QRectF(59, 68, 9, 5));
    // A frame, as for a picture on a wall.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(96, 60, 26), 3));
    p.drawRect(QRect(1, 1, 93, 132));
    p.setPen(QColor(220, 180, 96));
    p.drawRect(QRect(3, 3, 89, 128));
    return pm;
}

QPixmap tilePreview()
{
    // Stands in the small preview boxes until a tile picture is loaded: a neutral checker, so
    // that it is never taken for a tile of the map's set.
    QPixmap pm = canvas(28, 29);
    QPainter p(&pm);
    for (int y = 0; y < 29; y += 4)
        for (int x = 0; x < 28; x += 4)
            p.fillRect(QRect(x, y, 4, 4), ((x + y) / 4) % 2 ? QColor(200, 204, 212) : QColor(232, 234, 240));
    p.setPen(QColor(120, 126, 140));
    p.drawRect(QRect(0, 0, 27, 28));
    return pm;
}

} // namespace art
