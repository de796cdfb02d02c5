#include "formatting.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

namespace report {

namespace {

const std::array<const char16_t*, 12> kMonthNames = {
    u"január", u"február", u"március", u"április", u"május", u"június",
    u"július", u"augusztus", u"szeptember", u"október", u"november", u"december"};
const std::array<const char16_t*, 12> kMonthShort = {
    u"jan.", u"febr.", u"márc.", u"ápr.", u"máj.", u"jún.",
    u"júl.", u"aug.", u"szept.", u"okt.", u"nov.", u"dec."};
// Index 0 is Monday, as QDate::dayOfWeek() counts from 1 = Monday.
const std::array<const char16_t*, 7> kDayNames = {
    u"hétfő", u"kedd", u"szerda", u"csütörtök", u"péntek", u"szombat", u"vasárnap"};
const std::array<const char16_t*, 7> kDayShort = {
    u"H", u"K", u"Sze", u"Cs", u"P", u"Szo", u"V"};

QString groupDigits(const QString& digits)
{
    if (digits.size() <= 3)
        return digits;
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const int lead = int(digits.size() % 3);
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (i - lead) % 3 == 0)
            out += QLatin1Char(' ');
        out += digits.at(i);
    }
    return out;
}

QString twoDigits(int v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

QString formatParts(const QDate& date, const QTime& time, const QString& pattern)
{
    QString out;
    out.reserve(pattern.size() + 8);
    const int n = int(pattern.size());
    int i = 0;
    while (i < n) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('"')) {
            const int end = int(pattern.indexOf(QLatin1Char('"'), i + 1));
            if (end < 0) {
                out += pattern.mid(i + 1);
                break;
            }
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const char16_t ch = c.unicode();
        if (ch != u'd' && ch != u'M' && ch != u'y' && ch != u'h' && ch != u'H' && ch != u'm'
            && ch != u's') {
            out += c;
            ++i;
            continue;
        }
        int count = 1;
        while (i + count < n && pattern.at(i + count) == c)
            ++count;
        i += count;
        switch (ch) {
        case u'd':
            if (!date.isValid())
                break;
            if (count == 1)
                out += QString::number(date.day());
            else if (count == 2)
                out += twoDigits(date.day());
            else if (count == 3)
                out += QString::fromUtf16(kDayShort[size_t(date.dayOfWeek() - 1)]);
            else
                out += QString::fromUtf16(kDayNames[size_t(date.dayOfWeek() - 1)]);
            break;
        case u'M':
            if (!date.isValid())
                break;
            if (count == 1)
                out += QString::number(date.month());
            else if (count == 2)
                out += twoDigits(date.month());
            else if (count == 3)
                out += QString::fromUtf16(kMonthShort[size_t(date.month() - 1)]);
            else
                out += QString::fromUtf16(kMonthNames[size_t(date.month() - 1)]);
            break;
        case u'y':
            if (!date.isValid())
                break;
            if (count == 2)
                out += twoDigits(date.year() % 100);
            else
                out += QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
            break;
        case u'h':
        case u'H':
            out += count == 1 ? QString::number(time.hour()) : twoDigits(time.hour());
            break;
        case u'm':
            out += count == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
            break;
        case u's':
            out += count == 1 ? QString::number(time.second()) : twoDigits(time.second());
            break;
        default:
            break;
        }
    }
    return out;
}

}  // namespace

QString formatNumber(double value, int decimals, bool grouping)
{
    if (!std::isfinite(value))
        return QString();
    decimals = qBound(0, decimals, 9);
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    QString digits;
    bool negative = false;
    if (std::abs(scaled) < 9.0e15) {
        // Values a rounding error away from a half are taken as that half,
        // so 2.675 (stored as 2.67499999...) still prints as 2,68.
        const double nudge = std::abs(scaled) * 1e-11 + 1e-9;
        const double rounded = std::round(scaled + (scaled >= 0 ? nudge : -nudge));
        const qint64 units = qint64(rounded);
        negative = units < 0;
        digits = QString::number(negative ? -units : units);
        if (digits.size() <= decimals)
            digits = digits.rightJustified(decimals + 1, QLatin1Char('0'));
    } else {
        negative = value < 0;
        digits = QString::number(std::abs(value), 'f', decimals);
        digits.remove(QLatin1Char('.'));
    }
    QString intPart = digits.left(digits.size() - decimals);
    const QString fracPart = digits.right(decimals);
    if (grouping)
        intPart = groupDigits(intPart);
    QString out;
    if (negative)
        out += QLatin1Char('-');
    out += intPart;
    if (decimals > 0) {
        out += QLatin1Char(',');
        out += fracPart;
    }
    return out;
}

QString formatGeneralNumber(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0)
        return QStringLiteral("0");
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return QString::number(qint64(value));
    QString s = QString::number(value, 'g', 15);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString formatDate(const QDate& date, const QString& pattern)
{
    if (!date.isValid())
        return QString();
    return formatParts(date, QTime(0, 0), pattern);
}

QString formatDateTime(const QDateTime& dateTime, const QString& pattern)
{
    if (!dateTime.isValid())
        return QString();
    return formatParts(dateTime.date(), dateTime.time(), pattern);
}

double parseNumber(const QString& text, bool* ok)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(' '));
    t.remove(QChar(0x00A0));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool good = false;
    const double v = t.isEmpty() ? 0.0 : t.toDouble(&good);
    if (ok)
        *ok = good;
    return good ? v : 0.0;
}

QDate parseDate(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{4})[-.](\\d{1,2})[-.](\\d{1,2})\\.?(?:[ T].*)?$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

}  // namespace report
