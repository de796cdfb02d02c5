#include "EnterNavigator.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

namespace zeror::ui {

EnterNavigator::EnterNavigator(QWidget* dialog)
    : QObject(dialog)
    , m_dialog(dialog)
{
    watch(dialog);
}

EnterNavigator* EnterNavigator::install(QWidget* dialog)
{
    if (!dialog)
        return nullptr;
    if (auto* existing = dialog->findChild<EnterNavigator*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new EnterNavigator(dialog);
}

void EnterNavigator::watch(QObject* object)
{
    // removeEventFilter first so that a widget seen twice is still filtered only once.
    object->removeEventFilter(this);
    object->installEventFilter(this);
    for (QObject* child : object->children()) {
        if (child != this)
            watch(child);
    }
}

bool EnterNavigator::moveFocus(QWidget* from, bool forward)
{
    if (!from)
        return false;
    QWidget* const window = from->window();
    QWidget* w = from;
    // The focus chain is circular; walk it once round and take the first control that the
    // Tab key would also stop on.
    for (;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from)
            return false;
        if (w->window() == window && !w->focusProxy() && w->isVisible() && w->isEnabled()
            && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

bool EnterNavigator::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child && child != this)
            watch(child);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            break;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->window() != m_dialog->window())
            break;
        // A picker's grid chooses its row with Enter itself.
        if (w->property("enterActivates").toBool() && !(key->modifiers() & Qt::ShiftModifier))
            break;
        moveFocus(w, !(key->modifiers() & Qt::ShiftModifier));
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zeror::ui
