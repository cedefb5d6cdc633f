#include "shell/controls.h"

#include "platform/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace controls {

namespace {

template <class T> T *place(T *control, const char *name, int left, int top, int width, int height)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsRect(left, top, width, height));
    control->setFont(arial());
    return control;
}

QScrollBar *scroll(Qt::Orientation orientation, QWidget *parent, const char *name, int left, int top, int width,
                   int height, int min, int max, int value)
{
    auto *bar = place(new QScrollBar(orientation, parent), name, left, top, width, height);
    bar->setRange(min, max);
    bar->setValue(value);
    bar->setPageStep(1);
    return bar;
}

} // namespace

QFont arial(bool bold, double points)
{
    QFont font(QStringLiteral("Arial"));
    // 8.25 pt is 11 pixels on the 96-dpi screens the windows were laid out for.
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    font.setBold(bold);
    // Whole-pixel advances, as the Windows text the layouts were made with: with fractional
    // ones "Game Name:" no longer fits its label and wraps.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height)
{
    auto *l = place(new QLabel(parent), name, left, top, width, height);
    // Captions show what they hold, as read: a "<b>" in an author's name is no markup.
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Opaque, as the platform's labels are unless made transparent: where two controls
    // overlap, the one in front hides what lies behind it.
    l->setAutoFillBackground(true);
    return l;
}

static void makeCaption(QLabel *l, bool bold)
{
    l->setFont(arial(bold));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->setAutoFillBackground(false);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
}

QLabel *caption(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height,
                bool bold)
{
    QLabel *l = label(parent, name, text, left, top, width, height);
    makeCaption(l, bold);
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                    int height)
{
    return place(new QPushButton(text, parent), name, left, top, width, height);
}

QLineEdit *textBox(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                   int height)
{
    return place(new QLineEdit(text, parent), name, left, top, width, height);
}

QListWidget *listBox(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    return place(new QListWidget(parent), name, left, top, width, height);
}

QComboBox *comboBox(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *c = place(new QComboBox(parent), name, left, top, width, height);
    c->setEditable(false);
    return c;
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &title, int left, int top, int width,
                 int height)
{
    return place(new QGroupBox(title, parent), name, left, top, width, height);
}

QRadioButton *option(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                     int height)
{
    auto *o = place(new QRadioButton(text, parent), name, left, top, width, height);
    // Opaque as labels are: the brush's option button hides the title of the frame it sits on.
    o->setAutoFillBackground(true);
    return o;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                    int height)
{
    auto *c = place(new QCheckBox(text, parent), name, left, top, width, height);
    // Opaque as labels are: a hero's check box lies on its frame's border.
    c->setAutoFillBackground(true);
    return c;
}

QScrollBar *hScroll(QWidget *parent, const char *name, int left, int top, int width, int height, int min, int max,
                    int value)
{
    return scroll(Qt::Horizontal, parent, name, left, top, width, height, min, max, value);
}

QScrollBar *vScroll(QWidget *parent, const char *name, int left, int top, int width, int height, int min, int max,
                    int value)
{
    return scroll(Qt::Vertical, parent, name, left, top, width, height, min, max, value);
}

Picture::Picture(QWidget *parent) : QLabel(parent) {}

void Picture::setStretched(const QPixmap &pixmap)
{
    m_source = pixmap;
    m_stretch = true;
    setPixmap(pixmap.isNull() ? QPixmap() : pixmap.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void Picture::clearPicture()
{
    m_source = QPixmap();
    clear();
}

void Picture::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (m_stretch && !m_source.isNull())
        setPixmap(m_source.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void Picture::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->position() * kTwipsPerPixel);
}

void Picture::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->position() * kTwipsPerPixel);
    // A click is a press and a release of the left or the right button over the same
    // control; the release that ends a double-click is no second click.
    const bool endsDoubleClick = m_doubleClicked;
    m_doubleClicked = false;
    const bool clickButton = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
    if (!endsDoubleClick && clickButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void Picture::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_doubleClicked = true;
    emit mouseDown(event->button(), event->position() * kTwipsPerPixel);
    emit doubleClicked();
}

Picture *picture(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    return place(new Picture(parent), name, left, top, width, height);
}

Picture *clickCaption(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                      int height, bool bold)
{
    Picture *p = place(new Picture(parent), name, left, top, width, height);
    p->setTextFormat(Qt::PlainText);
    p->setText(text);
    makeCaption(p, bold);
    return p;
}

void stackAsMade(QWidget *container)
{
    // Each control lowered in turn goes behind the ones lowered before it.
    for (QObject *child : container->children()) {
        if (auto *w = qobject_cast<QWidget *>(child))
            w->lower();
    }
}

void moveByTwips(QWidget *control, int dx, int dy)
{
    // Twips add up exactly where pixels would round: keep the position in twips on the control.
    const int left = control->property("leftTwips").isValid() ? control->property("leftTwips").toInt()
                                                               : twips(control->x());
    const int top = control->property("topTwips").isValid() ? control->property("topTwips").toInt()
                                                             : twips(control->y());
    control->setProperty("leftTwips", left + dx);
    control->setProperty("topTwips", top + dy);
    control->move(px(left + dx), px(top + dy));
}

} // namespace controls
