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

// The player's window carries the program's own icon, not the toolkit's logo.
TEST(PlayerWindow, ShowsTheProgramsIcon)
{
    PlayerWindow window(pattern());
    const QIcon icon = window.windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), tarnwickIcon().availableSizes());
    EXPECT_EQ(icon.pixmap(32).toImage(), tarnwickIcon().pixmap(32).toImage());
}
