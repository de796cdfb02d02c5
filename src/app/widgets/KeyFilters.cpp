#include "KeyFilters.h"

#include <QLineEdit>

namespace zeror::ui {

namespace {

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

} // namespace

CharFilterValidator::CharFilterValidator(CharClass cls, QObject* parent)
    : QValidator(parent)
    , m_class(cls)
{
}

bool CharFilterValidator::accepts(CharClass cls, QChar c)
{
    switch (cls) {
    case CharClass::Any:
        return true;
    case CharClass::Digits:
        return isDigit(c);
    case CharClass::DigitsDot:
        return isDigit(c) || c == u'.';
    case CharClass::DigitsComma:
        return isDigit(c) || c == u',';
    case CharClass::DigitsCommaMinus:
        return isDigit(c) || c == u',' || c == u'-';
    case CharClass::DigitsSlash:
        return isDigit(c) || c == u'/';
    case CharClass::OneOrTwo:
        return c == u'1' || c == u'2';
    case CharClass::PensionLetters:
        return c == u' ' || c == u'I' || c == u'N' || c == u'i' || c == u'n';
    }
    return false;
}

int CharFilterValidator::classMaxLength(CharClass cls)
{
    return (cls == CharClass::OneOrTwo || cls == CharClass::PensionLetters) ? 1 : 0;
}

QValidator::State CharFilterValidator::validate(QString& input, int& /*pos*/) const
{
    const int limit = classMaxLength(m_class);
    if (limit > 0 && input.size() > limit)
        return Invalid;
    for (const QChar c : std::as_const(input)) {
        if (!accepts(m_class, c))
            return Invalid;
    }
    return Acceptable;
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
