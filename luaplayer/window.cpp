#include "window.h"

#include "icon/icon.h"
#include "options.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

// The keyboard of Lua Player for Windows: arrows for the pad, letters for the other buttons.
unsigned buttonOf(int key)
{
    switch (key) {
    case Qt::Key_Up: return buttons::bitOf(QStringLiteral("up"));
    case Qt::Key_Down: return buttons::bitOf(QStringLiteral("down"));
    case Qt::Key_Left: return buttons::bitOf(QStringLiteral("left"));
    case Qt::Key_Right: return buttons::bitOf(QStringLiteral("right"));
    case Qt::Key_C: return buttons::bitOf(QStringLiteral("cross"));
    case Qt::Key_F: return buttons::bitOf(QStringLiteral("circle"));
    case Qt::Key_D: return buttons::bitOf(QStringLiteral("square"));
    case Qt::Key_R: return buttons::bitOf(QStringLiteral("triangle"));
    case Qt::Key_S: return buttons::bitOf(QStringLiteral("start"));
    case Qt::Key_A: return buttons::bitOf(QStringLiteral("select"));
    case Qt::Key_Q: return buttons::bitOf(QStringLiteral("l"));
    case Qt::Key_W: return buttons::bitOf(QStringLiteral("r"));
    default: return 0;
    }
}

// The smallest rectangle that holds every pixel in which two pictures of one size and format
// (32 bits a pixel) differ; empty when they are equal.
QRect changedArea(const QImage &was, const QImage &now)
{
    const int width = now.width();
    int top = -1;
    int bottom = -1;
    int left = width;
    int right = -1;
    for (int y = 0; y < now.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(was.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(now.constScanLine(y));
        if (std::memcmp(a, b, size_t(width) * sizeof(QRgb)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int l = 0;
        while (a[l] == b[l])
            ++l;
        int r = width - 1;
        while (a[r] == b[r])
            --r;
        left = std::min(left, l);
        right = std::max(right, r);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

PlayerWindow::PlayerWindow(const QImage &screen)
    : m_screen(screen.convertToFormat(QImage::Format_ARGB32)), m_scaled(screen.size() * scale, QImage::Format_RGB32)
{
    setWindowTitle(QStringLiteral("Lua Player"));
    // The program's own icon, as the editor's windows show it, not the toolkit's logo.
    setWindowIcon(tarnwickIcon());
    setFixedSize(screen.size() * scale);
    setFocusPolicy(Qt::StrongFocus);
    m_screen.detach();
    scaleArea(m_screen.rect());
}

void PlayerWindow::present(const QImage &screen)
{
    if (screen.size() != m_screen.size() || screen.format() != m_screen.format()) {
        m_screen = screen.convertToFormat(QImage::Format_ARGB32);
        m_screen.detach();
        scaleArea(m_screen.rect());
        update();
        return;
    }
    const QRect area = changedArea(m_screen, screen);
    if (area.isEmpty())
        return;
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(m_screen.scanLine(y) + area.left() * sizeof(QRgb),
                    screen.constScanLine(y) + area.left() * sizeof(QRgb), size_t(area.width()) * sizeof(QRgb));
    scaleArea(area);
    update(QRect(area.topLeft() * scale, area.size() * scale));
}

// Whole pixels, as on the console: each pixel of the area becomes a square of scale x scale.
void PlayerWindow::scaleArea(const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(m_screen.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(m_scaled.scanLine(y * scale));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = in[x] | 0xff000000u;
            for (int i = 0; i < scale; ++i)
                out[x * scale + i] = pixel;
        }
        for (int i = 1; i < scale; ++i)
            std::memcpy(m_scaled.scanLine(y * scale + i) + area.left() * scale * sizeof(QRgb),
                        out + area.left() * scale, size_t(area.width() * scale) * sizeof(QRgb));
    }
}

void PlayerWindow::showError(const QString &message, const QString &traceback)
{
    m_error = message;
    m_traceback = traceback;
    setWindowTitle(QStringLiteral("Lua Player - error"));
    update();
}

void PlayerWindow::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.drawImage(event->rect(), m_scaled, event->rect());
    if (m_error.isEmpty())
        return;
    p.fillRect(rect(), QColor(0, 0, 0, 235));
    const QRect area = rect().adjusted(16, 16, -16, -16);
    QFont f = font();
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 110, 100));
    QRect used;
    p.drawText(area, Qt::TextWordWrap, m_error, &used);
    f.setBold(false);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(QColor(230, 230, 230));
    const QString hint = QStringLiteral("\n\nPress Esc or close the window to quit.");
    p.drawText(area.adjusted(0, used.height() + 12, 0, 0), Qt::TextWordWrap, m_traceback + hint);
}

void PlayerWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (!event->isAutoRepeat())
        m_held |= buttonOf(event->key());
}

void PlayerWindow::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        m_held &= ~buttonOf(event->key());
}

void PlayerWindow::focusOutEvent(QFocusEvent *)
{
    // A key let go in another window never reaches this one.
    m_held = 0;
}

void PlayerWindow::closeEvent(QCloseEvent *event)
{
    m_quit = true;
    event->accept();
}
