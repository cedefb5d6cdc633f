#pragma once

#include <QLabel>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

// The window controls, made at their designed place in twips and named as the windows
// name them, so that tests can find them with findChild.
namespace controls {

// Arial 8.25 pt (Liberation Sans here, which has Arial's metrics).
QFont arial(bool bold = false, double points = 8.25);

QLabel *label(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
              int height);
// A label that lets the pictures behind it show, in white, wrapping at word boundaries.
QLabel *caption(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                int height, bool bold = false);
QPushButton *button(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                    int height);
QLineEdit *textBox(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                   int height);
QListWidget *listBox(QWidget *parent, const char *name, int left, int top, int width, int height);
QComboBox *comboBox(QWidget *parent, const char *name, int left, int top, int width, int height);
QGroupBox *frame(QWidget *parent, const char *name, const QString &title, int left, int top, int width,
                 int height);
QRadioButton *option(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                     int height);
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                    int height);
QScrollBar *hScroll(QWidget *parent, const char *name, int left, int top, int width, int height, int min,
                    int max, int value);
QScrollBar *vScroll(QWidget *parent, const char *name, int left, int top, int width, int height, int min,
                    int max, int value);

// A picture or a label that reports presses and releases of any mouse button and clicks (a
// press and a release over it), as the windows' picture buttons need.
class Picture : public QLabel {
    Q_OBJECT
public:
    explicit Picture(QWidget *parent = nullptr);
    // Shows the pixmap stretched to the control's size.
    void setStretched(const QPixmap &pixmap);
    void clearPicture();

signals:
    void mouseDown(Qt::MouseButton button, QPointF twipsPos);
    void mouseUp(Qt::MouseButton button, QPointF twipsPos);
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPixmap m_source;
    bool m_stretch = false;
    bool m_doubleClicked = false;
};

Picture *picture(QWidget *parent, const char *name, int left, int top, int width, int height);
// A caption (white, transparent, wrapping) that reports mouse events as Picture does.
Picture *clickCaption(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                      int height, bool bold = false);

// Stacks a container's controls so that the first one made lies in front and the last one
// behind, as the windows' designs list them.
void stackAsMade(QWidget *container);

// Moves a control by a number of twips (the pressed look of the picture buttons).
void moveByTwips(QWidget *control, int dx, int dy);

} // namespace controls
