#pragma once

#include <QProxyStyle>

// The look the windows were laid out for, whatever the desktop's own style: Fusion, with
//  - frames drawn as the platform's group boxes: opaque, in the window's colour, the caption at
//    the top left with the etched border running through its middle;
//  - check boxes and option buttons with the platform's 13-pixel indicator and the caption 17
//    pixels in, so that captions laid out in twips fit as designed;
//  - button captions that wrap at word boundaries, as the platform's buttons do;
//  - dialog buttons without icons.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    // The style is built on base (Fusion when none is given), which it then owns.
    explicit ProgramStyle(QStyle *base = nullptr);

    // Where a frame's caption starts, and its border's distance from the frame's top.
    static constexpr int kFrameCaptionLeft = 7;
    static int frameBorderTop(const QFontMetrics &metrics);

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                         const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};
