#include "mouse.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace mouse {

namespace {

void send(QWidget *widget, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void press(QWidget *widget, Qt::MouseButton button, QPoint at)
{
    send(widget, QEvent::MouseButtonPress, button, at);
}

void release(QWidget *widget, Qt::MouseButton button, QPoint at)
{
    send(widget, QEvent::MouseButtonRelease, button, at);
}

void click(QWidget *widget, Qt::MouseButton button, QPoint at)
{
    press(widget, button, at);
    release(widget, button, at);
}

void doubleClick(QWidget *widget, QPoint at)
{
    click(widget, Qt::LeftButton, at);
    send(widget, QEvent::MouseButtonDblClick, Qt::LeftButton, at);
    release(widget, Qt::LeftButton, at);
}

} // namespace mouse
