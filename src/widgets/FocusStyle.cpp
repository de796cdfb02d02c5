#include "FocusStyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace zeror::ui {

namespace {

// A two-pixel frame in the highlight colour just inside the rectangle.
void drawFocusFrame(QPainter* painter, const QRect& rect, const QPalette& palette)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    QPen pen(palette.color(QPalette::Active, QPalette::Highlight), 2);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    painter->restore();
}

bool hasFocus(const QStyleOption* option, const QWidget* widget)
{
    return (option->state & QStyle::State_HasFocus) && (!widget || widget->hasFocus());
}

// A grid paints its frame only when the frame needs painting; on focus changes it is asked to.
class FrameRepainter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            if (auto* view = qobject_cast<QAbstractItemView*>(watched))
                view->update();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

FocusStyle::FocusStyle(QStyle* base) : QProxyStyle(base) {}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (!hasFocus(option, widget))
        return;
    switch (element) {
    case CE_PushButton:
    case CE_CheckBox:
    case CE_RadioButton:
        drawFocusFrame(painter, option->rect, option->palette);
        break;
    default:
        break;
    }
}

void FocusStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                    const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ToolButton && hasFocus(option, widget))
        drawFocusFrame(painter, option->rect, option->palette);
}

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // A focused grid or list: the frame around the whole view (the current cell is marked by
    // the view itself).
    if (element == PE_Frame && qobject_cast<const QAbstractItemView*>(widget) && widget->hasFocus())
        drawFocusFrame(painter, option->rect, option->palette);
}

void installFocusStyle()
{
    if (qobject_cast<FocusStyle*>(QApplication::style()))
        return;
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    QApplication::setStyle(new FocusStyle(base));
    qApp->installEventFilter(new FrameRepainter(qApp));
}

} // namespace zeror::ui
