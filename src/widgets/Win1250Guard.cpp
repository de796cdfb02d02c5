#include "Win1250Guard.h"

#include "Win1250.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>

namespace zeror::ui {

QValidator::State Win1250Validator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    return win1250::firstUnencodable(input).isEmpty() ? Acceptable : Invalid;
}

bool Win1250Guard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::FocusIn) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && !edit->validator())
            edit->setValidator(new Win1250Validator(edit));
    }
    return QObject::eventFilter(watched, event);
}

void installWin1250Guard(QApplication& app)
{
    static Win1250Guard* guard = nullptr;
    if (guard)
        return;
    guard = new Win1250Guard(&app);
    app.installEventFilter(guard);
}

} // namespace zeror::ui
