#include "CharClass.h"

#include "Win1250.h"

namespace zeror {

namespace {
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

bool charClassAccepts(CharClass cls, QChar c)
{
    switch (cls) {
    case CharClass::Any:
        // Text is stored in WIN1250: a character it cannot hold would come back as "?".
        return win1250::canHold(c);
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

int charClassMaxLength(CharClass cls)
{
    return (cls == CharClass::OneOrTwo || cls == CharClass::PensionLetters) ? 1 : 0;
}

bool charClassAcceptsText(CharClass cls, const QString& text)
{
    const int limit = charClassMaxLength(cls);
    if (limit > 0 && text.size() > limit)
        return false;
    for (const QChar c : text) {
        if (!charClassAccepts(cls, c))
            return false;
    }
    return true;
}

} // namespace zeror
