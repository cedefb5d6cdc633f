#include "shell/form.h"

#include "platform/twips.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

Form::Form(Session &session, Mainform &mainform) : m_session(session), m_mainform(mainform) {}

QMdiSubWindow *Form::subWindow() const
{
    // The widget's parent chain: the sub-window holds it directly.
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

int Form::leftTwips() const
{
    return subWindow() ? twips(subWindow()->x()) : 0;
}
int Form::topTwips() const
{
    return subWindow() ? twips(subWindow()->y()) : 0;
}
int Form::widthTwips() const
{
    return twips(subWindow() ? subWindow()->width() : width());
}
int Form::heightTwips() const
{
    return twips(subWindow() ? subWindow()->height() : height());
}

void Form::setLeftTwips(int left)
{
    if (auto *w = subWindow())
        w->move(px(left), w->y());
}

void Form::setTopTwips(int top)
{
    if (auto *w = subWindow())
        w->move(w->x(), px(top));
}

void Form::setHeightTwips(int height)
{
    if (auto *w = subWindow())
        w->setFixedSize(w->width(), px(height));
}

void Form::setClientSizeTwips(int width, int height)
{
    setMinimumSize(0, 0);
    resize(px(width), px(height));
    if (auto *w = subWindow()) {
        const QSize frame = w->size() - w->contentsRect().size();
        w->setFixedSize(QSize(px(width), px(height)) + frame);
    }
}

void Form::showForm()
{
    if (auto *w = subWindow()) {
        w->show();
        w->raise();
        w->setFocus();
    }
}

void Form::hideForm()
{
    if (auto *w = subWindow())
        w->hide();
}

void Form::closeEvent(QCloseEvent *event)
{
    // Its sub-window closes it once Form_Unload has agreed.
    m_closed = true;
    QWidget::closeEvent(event);
}

void Form::closeForm()
{
    if (auto *w = subWindow())
        w->close();
}
