#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Deterministic Hungarian-style formatting used by the report engine:
// decimal comma, a space between groups of thousands, dates as yyyy.MM.dd.
// Nothing here depends on the system locale.
namespace report {

// Fixed number of decimals, commercial rounding (halves away from zero),
// e.g. formatNumber(-1234.5, 2) == "-1 234,50"; without grouping "-1234,50".
QString formatNumber(double value, int decimals, bool grouping = true);

// Shortest general form with a decimal comma: 1234.5 -> "1234,5", 12.0 -> "12".
QString formatGeneralNumber(double value);

// Pattern letters: d dd ddd dddd (day; Hungarian day names), M MM MMM MMMM
// (month; Hungarian month names), yy yyyy, h hh / H HH (24-hour), m mm, s ss.
// Text inside double quotes is copied as it is; other characters too.
QString formatDate(const QDate& date, const QString& pattern);
QString formatDateTime(const QDateTime& dateTime, const QString& pattern);

// Reads a number written either with a decimal point or a decimal comma
// (spaces between groups allowed); ok tells whether it was a number.
double parseNumber(const QString& text, bool* ok);

// Reads a date written as yyyy-MM-dd, yyyy.MM.dd or yyyy.MM.dd. (an optional
// time part after a space or 'T' is ignored).
QDate parseDate(const QString& text);

}  // namespace report
