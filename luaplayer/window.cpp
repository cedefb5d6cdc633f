#include "window.h"

#include "options.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

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

} // namespace

PlayerWindow::PlayerWindow(const QImage &screen)
    : m_screen(screen)
{
    setWindowTitle(QStringLiteral("Lua Player"));
    setFixedSize(screen.size() * scale);
    setFocusPolicy(Qt::StrongFocus);
}

void PlayerWindow::present(const QImage &screen)
{
    m_screen = screen;
    update();
}

void PlayerWindow::showError(const QString &message, const QString &traceback)
{
    m_error = message;
    m_traceback = traceback;
    setWindowTitle(QStringLiteral("Lua Player - error"));
    update();
}

void PlayerWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Whole pixels, as on the console: no smoothing when doubling.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(rect(), m_screen);
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
    emit quitting();
}
