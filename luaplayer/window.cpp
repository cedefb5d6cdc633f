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

// For each of `shown` pixels along one side of the window, the picture's pixel (of `source`)
// under its centre. At twice the size each picture pixel becomes two, as on the console.
std::vector<int> sourceOf(int shown, int source)
{
    std::vector<int> map(size_t(std::max(shown, 0)));
    for (int i = 0; i < shown; ++i)
        map[size_t(i)] = int((2 * qint64(i) + 1) * source / (2 * qint64(shown)));
    return map;
}

// The window's pixels [begin, end) along one side that show the picture's pixels first to last.
std::pair<int, int> shownRange(const std::vector<int> &map, int first, int last)
{
    const auto begin = std::lower_bound(map.begin(), map.end(), first);
    const auto end = std::upper_bound(begin, map.end(), last);
    return {int(begin - map.begin()), int(end - map.begin())};
}

} // namespace

PlayerWindow::PlayerWindow(const QImage &screen) : m_screen(screen.convertToFormat(QImage::Format_ARGB32))
{
    setWindowTitle(QStringLiteral("Lua Player"));
    // The program's own icon, as the editor's windows show it, not the toolkit's logo.
    setWindowIcon(tarnwickIcon());
    setFixedSize(screen.size() * scale);
    setFocusPolicy(Qt::StrongFocus);
    m_screen.detach();
    rescale();
}

bool PlayerWindow::present(const QImage &screen)
{
    if (screen.size() != m_screen.size() || screen.format() != m_screen.format()) {
        m_screen = screen.convertToFormat(QImage::Format_ARGB32);
        m_screen.detach();
        rescale();
        update();
        return true;
    }
    const QRect area = changedArea(m_screen, screen);
    if (area.isEmpty())
        return false;
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(m_screen.scanLine(y) + area.left() * sizeof(QRgb),
                    screen.constScanLine(y) + area.left() * sizeof(QRgb), size_t(area.width()) * sizeof(QRgb));
    update(scaleArea(area));
    return true;
}

// The whole picture again, at the window's size.
void PlayerWindow::rescale()
{
    m_scaled = QImage(size(), QImage::Format_RGB32);
    m_columns = sourceOf(width(), m_screen.width());
    m_rows = sourceOf(height(), m_screen.height());
    scaleArea(m_screen.rect());
}

QRect PlayerWindow::scaleArea(const QRect &area)
{
    const auto [left, right] = shownRange(m_columns, area.left(), area.right());
    const auto [top, bottom] = shownRange(m_rows, area.top(), area.bottom());
    for (int y = top; y < bottom; ++y) {
        auto *out = reinterpret_cast<QRgb *>(m_scaled.scanLine(y));
        if (y > top && m_rows[size_t(y)] == m_rows[size_t(y) - 1]) {
            std::memcpy(out + left, m_scaled.constScanLine(y - 1) + left * sizeof(QRgb),
                        size_t(right - left) * sizeof(QRgb));
            continue;
        }
        const auto *in = reinterpret_cast<const QRgb *>(m_screen.constScanLine(m_rows[size_t(y)]));
        for (int x = left; x < right; ++x)
            out[x] = in[m_columns[size_t(x)]] | 0xff000000u;
    }
    return QRect(left, top, right - left, bottom - top);
}

void PlayerWindow::resizeEvent(QResizeEvent *)
{
    if (m_scaled.size() != size())
        rescale();
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
