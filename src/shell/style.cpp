#include "shell/style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// The platform's check box and option button: a 13-pixel indicator, the caption 4 pixels after it,
// so that a check box of 255 twips (17 pixels) shows its box and none of its caption.
constexpr int kIndicator = 13;
constexpr int kIndicatorSpacing = 4;

} // namespace

ProgramStyle::ProgramStyle(QStyle *base) : QProxyStyle(base ? base : QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int ProgramStyle::frameBorderTop(const QFontMetrics &metrics)
{
    return metrics.height() / 2 - 1;
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    // The platform's OK, Yes, No and Cancel carry no pictures.
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int ProgramStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return kIndicator;
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return kIndicatorSpacing;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QRect ProgramStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                                   const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box)
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const QFontMetrics &metrics = box->fontMetrics;
    const QRect &r = box->rect;
    switch (subControl) {
    case SC_GroupBoxFrame:
        return r.adjusted(0, frameBorderTop(metrics), 0, 0);
    case SC_GroupBoxLabel: {
        // The caption is cut where the border's right corner begins.
        const int room = std::max(0, r.width() - 2 * kFrameCaptionLeft);
        const int width = box->text.isEmpty() ? 0 : std::min(metrics.horizontalAdvance(box->text), room);
        return QRect(r.x() + kFrameCaptionLeft, r.y(), width, metrics.height());
    }
    case SC_GroupBoxContents:
        return r.adjusted(2, metrics.height(), -2, -2);
    default:
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                      const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    // Opaque: what lies behind a frame does not show through it.
    painter->fillRect(box->rect, box->palette.window());
    // The etched border: a shadow line with a highlight line inside and below it.
    const QRect frame = subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget);
    painter->setPen(box->palette.color(QPalette::Dark));
    painter->drawRect(frame.adjusted(0, 0, -2, -2));
    painter->setPen(box->palette.color(QPalette::Light));
    painter->drawRect(frame.adjusted(1, 1, -1, -1));
    if (!box->text.isEmpty()) {
        // The caption interrupts the border, with a pixel of the window's colour on each side.
        const QRect caption = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
        painter->fillRect(caption.adjusted(-1, 0, 1, 0), box->palette.window());
        proxy()->drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextHideMnemonic, box->palette,
                              box->state & State_Enabled, box->text, QPalette::WindowText);
    }
    painter->restore();
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (element == CE_PushButtonLabel && button && button->icon.isNull() &&
        !(button->features & QStyleOptionButton::HasMenu)) {
        int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
        if (!proxy()->styleHint(SH_UnderlineShortcut, button, widget))
            flags |= Qt::TextHideMnemonic;
        proxy()->drawItemText(painter, button->rect, flags, button->palette, button->state & State_Enabled,
                              button->text, QPalette::ButtonText);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
