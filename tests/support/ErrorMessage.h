#pragma once

#include "Error.h"

#include <QString>

namespace zeror::test {

// The message of the zeror::Error the action throws, "" when it completes.
template<class Action>
QString errorMessage(Action&& action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.message().isEmpty() ? QStringLiteral("(an error without a message)") : e.message();
    }
    return QString();
}

} // namespace zeror::test
