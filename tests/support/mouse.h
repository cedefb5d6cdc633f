#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

// Mouse input for window tests, delivered as the platform would: an event that a control
// leaves unhandled goes on to its parents.
namespace mouse {

void press(QWidget *widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {2, 2});
void release(QWidget *widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {2, 2});
void click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {2, 2});
// Press, release, the double-click press and its release.
void doubleClick(QWidget *widget, QPoint at = {2, 2});

} // namespace mouse
