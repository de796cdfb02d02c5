#pragma once

#include <QString>

namespace zeror {

// The program's version numbers, fixed at build time (16.6 reads "16.06").
constexpr int kVersionMajor = ZEROR_VERSION_MAJOR;
constexpr int kVersionMinor = ZEROR_VERSION_MINOR;

// "Verzió: " + major + ".0" + minor + " 2006-2016"; a two-digit minor follows the ".0" unchanged.
inline QString composeVersionText(int major = kVersionMajor, int minor = kVersionMinor)
{
    return QStringLiteral("Verzió: %1.0%2 2006-2016").arg(major).arg(minor);
}

// "Ravuraruvida reva - " + the first 25 characters of the buyer's name + " " + the version text.
inline QString buyerTitle(const QString& buyerName, const QString& versionText)
{
    return QStringLiteral("Ravuraruvida reva - ") + buyerName.left(25) + QLatin1Char(' ') + versionText;
}

} // namespace zeror
