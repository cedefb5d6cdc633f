// The player's window on its own: the screen at twice its size in whole pixels, repainted only
// where a flipped picture differs from the one on show.
#include "window.h"

#include "icon/icon.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QRegion>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Every pixel of its own colour, so that a pixel shown in the wrong place shows.
QImage pattern()
{
    QImage image(480, 272, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y, (x / 256) * 128 + 7));
    }
    return image;
}

// Each pixel tells its place: column and row in red and green, their high bits in blue, whose
// top bits mark a pixel of the picture.
QImage places()
{
    QImage image(480, 272, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, 0xa0 | (x >> 8) | ((y >> 8) << 1)));
    }
    return image;
}

// The place a shown pixel came from, or (-1, -1) for a colour that is not the picture's.
QPoint placeOf(QRgb c)
{
    if ((qBlue(c) & 0xfc) != 0xa0)
        return {-1, -1};
    return {qRed(c) | (qBlue(c) & 1) << 8, qGreen(c) | (qBlue(c) & 2) << 7};
}

// The regions repainted since the last call, once the window had the time to repaint.
class PaintLog : public QObject {
public:
    QList<QRegion> take(bool expectPaint = true)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 200 || (expectPaint && m_painted.isEmpty() && t.elapsed() < 5000))
            QCoreApplication::processEvents();
        return std::exchange(m_painted, {});
    }
    void forget() { m_painted.clear(); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted.append(static_cast<QPaintEvent *>(event)->region());
        return false;
    }

private:
    QList<QRegion> m_painted;
};

// What the window shows; the grab's own painting is left out of the log.
QImage onShow(PlayerWindow &window, PaintLog &log)
{
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    log.forget();
    return shown;
}

QImage doubled(const QImage &screen)
{
    return screen.scaled(screen.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(LuaPlayerWindow, ShowsEachPictureInWholePixelsAndRepaintsOnlyWhatChanged)
{
    QImage picture = pattern();
    PlayerWindow window(picture);
    PaintLog log;
    window.installEventFilter(&log);
    window.show();
    log.take();
    EXPECT_EQ(onShow(window, log), doubled(picture));

    window.present(picture.copy());
    EXPECT_EQ(log.take(false), QList<QRegion>{}) << "the same picture again is no repaint";

    // Two pixels far apart: the repaint covers the rectangle between them, doubled, and no more.
    picture.setPixel(10, 20, qRgb(255, 255, 255));
    picture.setPixel(300, 200, qRgb(255, 255, 255));
    window.present(picture);
    const QList<QRegion> painted = log.take();
    ASSERT_EQ(painted.size(), 1);
    EXPECT_EQ(painted[0].boundingRect(), QRect(20, 40, 2 * 291, 2 * 181));
    EXPECT_EQ(onShow(window, log), doubled(picture));

    // The corners, where a one-pixel miss would go unseen in the middle.
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    picture.setPixel(479, 271, qRgb(4, 5, 6));
    window.present(picture);
    EXPECT_EQ(log.take().value(0).boundingRect(), QRect(0, 0, 960, 544));
    EXPECT_EQ(onShow(window, log), doubled(picture));
}

// Made larger or smaller, the window shows the whole picture over all of it: each pixel of the
// window shows the picture's pixel at its place (read back from the pattern's colours, so a
// smoothed or misplaced pixel shows), and a change still repaints only its own part.
TEST(LuaPlayerWindow, ThePictureFillsTheWindowAtAnySize)
{
    const QImage picture = places();
    PlayerWindow window(picture);
    PaintLog log;
    window.installEventFilter(&log);
    window.show();
    log.take();
    for (const QSize size : {QSize(1001, 603), QSize(333, 170), QSize(1440, 816)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        window.setFixedSize(size); // as a window manager may resize it
        log.take();
        const QImage shown = onShow(window, log);
        ASSERT_EQ(shown.size(), size);
        const int w = size.width() - 1;
        const int h = size.height() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)}) {
            const QPoint at(corner.x() == 0 ? 0 : 479, corner.y() == 0 ? 0 : 271);
            EXPECT_EQ(shown.pixel(corner), picture.pixel(at)) << corner.x() << "," << corner.y();
        }
        int misplaced = 0;
        for (int y = 0; y <= h; ++y) {
            for (int x = 0; x <= w; ++x) {
                const QPoint from = placeOf(shown.pixel(x, y));
                const double column = (x + 0.5) * 480 / size.width() - 0.5;
                const double row = (y + 0.5) * 272 / size.height() - 0.5;
                misplaced += std::abs(from.x() - column) > 1 || std::abs(from.y() - row) > 1;
            }
        }
        EXPECT_EQ(misplaced, 0);

        QImage changed = picture;
        for (int y = 100; y < 104; ++y) {
            for (int x = 200; x < 204; ++x)
                changed.setPixel(x, y, qRgb(255, 255, 255));
        }
        window.present(changed);
        const QRect repainted = log.take().value(0).boundingRect();
        const QRect area(QPoint(200 * size.width() / 480, 100 * size.height() / 272),
                         QPoint(204 * size.width() / 480, 104 * size.height() / 272));
        EXPECT_TRUE(area.adjusted(-1, -1, 1, 1).contains(repainted))
            << repainted.x() << "," << repainted.y() << " " << repainted.width() << " x " << repainted.height();
        const QImage after = onShow(window, log);
        EXPECT_EQ(after.pixel(area.center()), qRgb(255, 255, 255));
        EXPECT_EQ(after.copy(0, 0, area.left(), size.height()), shown.copy(0, 0, area.left(), size.height()));
        window.present(picture);
        log.take();
    }
}

// The player's window carries the program's own icon, not the toolkit's logo.
TEST(PlayerWindow, ShowsTheProgramsIcon)
{
    PlayerWindow window(pattern());
    const QIcon icon = window.windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), tarnwickIcon().availableSizes());
    EXPECT_EQ(icon.pixmap(32).toImage(), tarnwickIcon().pixmap(32).toImage());
}
