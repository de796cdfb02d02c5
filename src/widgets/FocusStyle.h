#pragma once

#include <QProxyStyle>

namespace zeror::ui {

// The program's style: the platform's own, with a clearly visible frame in the highlight colour
// around the control that has the keyboard focus (buttons, tick boxes, tool buttons, grids),
// so that an operator working from the keyboard always sees where they are.
class FocusStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit FocusStyle(QStyle* base = nullptr);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// Puts FocusStyle over the application's current style (once).
void installFocusStyle();

} // namespace zeror::ui
