#include "KeyFilters.h"

#include <QLineEdit>

namespace zeror::ui {

CharFilterValidator::CharFilterValidator(CharClass cls, QObject* parent)
    : QValidator(parent)
    , m_class(cls)
{
}

QValidator::State CharFilterValidator::validate(QString& input, int& /*pos*/) const
{
    return charClassAcceptsText(m_class, input) ? Acceptable : Invalid;
}

void setCharClass(QLineEdit* edit, CharClass cls, int maxLength)
{
    if (!edit)
        return;
    // Replace an earlier filter so that a field never carries two of them.
    if (auto* old = qobject_cast<CharFilterValidator*>(const_cast<QValidator*>(edit->validator()));
        old && old->parent() == edit)
        old->deleteLater();
    edit->setValidator(new CharFilterValidator(cls, edit));
    const int length = maxLength > 0 ? maxLength : CharFilterValidator::classMaxLength(cls);
    if (length > 0)
        edit->setMaxLength(length);
}

} // namespace zeror::ui
