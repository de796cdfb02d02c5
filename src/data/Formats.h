#pragma once

#include <QDate>
#include <QString>

// Number and date texts of the program: decimal comma, no thousands separators in fields,
// dates year first ("2016.01.31").
//
// formatNumber, parseNumber, parseInteger, formatDate and parseDate are the functions the
// program uses to turn values into field texts and back. They never consult the system or
// default locale, so they give the same result on every desktop. applyProcessFormats() only
// makes Qt's own widgets (spin boxes, QLocale::toString) follow the same decimal comma.
namespace zeror::fmt {

// Shortest general form with up to 15 significant digits and a decimal comma:
// 12 -> "12", 12.5 -> "12,5", 1234567.25 -> "1234567,25". No thousands separators; an exponent
// only appears for magnitudes far outside the database columns (>= 1e15 or < 1e-4).
QString formatNumber(double v);

// Optional surrounding blanks, an optional leading "-", digits and at most one decimal comma
// (a point is refused). At least one digit is required. *out is written only on success.
bool parseNumber(const QString& s, double* out);

// Optional surrounding blanks, an optional leading "-" and digits; values beyond qint64 are
// refused. *out is written only on success.
bool parseInteger(const QString& s, qint64* out);

// "yyyy.MM.dd"; an invalid date gives "".
QString formatDate(const QDate& d);

// Strict "yyyy.M.d" with 4-digit year and 1-2 digit month and day, an optional trailing "."
// and surrounding blanks; the date must exist. *out is written only on success.
bool parseDate(const QString& s, QDate* out);

// Nearest integer, a half going to the even neighbour (1000.5 -> 1000, 1001.5 -> 1002).
// Fractions within a few ulps of one half count as a half, so amounts computed in binary
// floating point round like the decimal amounts they stand for. NaN gives 0; values beyond
// qint64 are clamped.
qint64 roundHalfEven(double v);

// Rounded half-even to `decimals` places (clamped to 0..9), thousands grouped by a single
// blank, decimal comma: 10001 -> "10 001", 1234.5 with 2 -> "1 234,50".
QString formatGrouped(double v, int decimals = 0);

// Rounded half-even to a whole number, plain digits: -1234.6 -> "-1235".
QString formatPlain(double v);

// Makes the Hungarian locale with OmitGroupSeparator the process default, so every Qt widget
// shows and reads decimals with a comma. Called once at start-up.
void applyProcessFormats();

} // namespace zeror::fmt
