#pragma once

#include "CharClass.h"

#include <QValidator>

class QLineEdit;

namespace zeror::ui {

// The character classes live with the rules (CharClass.h); the widgets filter keys by them.
using zeror::CharClass;

// Validator that only checks which characters occur (and the single-character limit of
// OneOrTwo and PensionLetters); it never reports Intermediate, so an empty or partly typed
// field is always acceptable and deleting characters always works.
class CharFilterValidator : public QValidator {
    Q_OBJECT
public:
    explicit CharFilterValidator(CharClass cls, QObject* parent = nullptr);

    CharClass charClass() const { return m_class; }

    State validate(QString& input, int& pos) const override;

    static bool accepts(CharClass cls, QChar c) { return charClassAccepts(cls, c); }
    static int classMaxLength(CharClass cls) { return charClassMaxLength(cls); }

private:
    CharClass m_class;
};

// Installs a CharFilterValidator owned by the line edit. maxLength > 0 also sets the line
// edit's maximum length; the one-character classes get a maximum length of 1 on their own.
void setCharClass(QLineEdit* edit, CharClass cls, int maxLength = 0);

} // namespace zeror::ui
