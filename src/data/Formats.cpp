#include "Formats.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace zeror::fmt {

namespace {

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Magnitude digits with a blank between every group of three, counted from the right.
QString groupThousands(const QString& digits)
{
    QString r;
    r.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            r += u' ';
        r += digits.at(i);
    }
    return r;
}

} // namespace

QString formatNumber(double v)
{
    if (v == 0.0)
        return QStringLiteral("0"); // also for -0.0
    QString s = QString::number(v, 'g', 15);
    s.replace(u'.', u',');
    return s;
}

bool parseNumber(const QString& s, double* out)
{
    const QString t = s.trimmed();
    qsizetype i = 0;
    if (i < t.size() && t.at(i) == u'-')
        ++i;
    bool comma = false;
    bool digit = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (isAsciiDigit(c)) {
            digit = true;
        } else if (c == u',' && !comma) {
            comma = true;
        } else {
            return false;
        }
    }
    if (!digit)
        return false;

    QString c = t;
    c.replace(u',', u'.');
    bool ok = false;
    const double v = c.toDouble(&ok); // QString::toDouble always reads the C form
    if (!ok)
        return false;
    if (out)
        *out = v;
    return true;
}

bool parseInteger(const QString& s, qint64* out)
{
    const QString t = s.trimmed();
    qsizetype i = (t.startsWith(u'-')) ? 1 : 0;
    if (i >= t.size())
        return false;
    for (; i < t.size(); ++i) {
        if (!isAsciiDigit(t.at(i)))
            return false;
    }
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok)
        return false;
    if (out)
        *out = v;
    return true;
}

QString formatDate(const QDate& d)
{
    if (!d.isValid())
        return QString();
    return d.toString(u"yyyy.MM.dd");
}

bool parseDate(const QString& s, QDate* out)
{
    static const QRegularExpression re(
        QStringLiteral("^([0-9]{4})\\.([0-9]{1,2})\\.([0-9]{1,2})\\.?$"));
    const QRegularExpressionMatch m = re.match(s.trimmed());
    if (!m.hasMatch())
        return false;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid())
        return false;
    if (out)
        *out = d;
    return true;
}

qint64 roundHalfEven(double v)
{
    if (std::isnan(v))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (v >= kLimit)
        return std::numeric_limits<qint64>::max();
    if (v <= -kLimit)
        return std::numeric_limits<qint64>::min();

    const double f = std::floor(v);
    const double frac = v - f;
    const double eps = std::max(1e-9, std::fabs(v) * 8 * DBL_EPSILON);
    double r;
    if (std::fabs(frac - 0.5) <= eps)
        r = (std::fmod(f, 2.0) == 0.0) ? f : f + 1.0;
    else
        r = (frac < 0.5) ? f : f + 1.0;
    if (r >= kLimit)
        return std::numeric_limits<qint64>::max();
    return qint64(r);
}

QString formatGrouped(double v, int decimals)
{
    decimals = std::clamp(decimals, 0, 9);
    quint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;

    const qint64 n = roundHalfEven(v * double(scale));
    // Magnitude as unsigned so that the most negative value is still representable.
    const quint64 mag = n < 0 ? quint64(0) - quint64(n) : quint64(n);

    QString r;
    if (n < 0)
        r += u'-';
    r += groupThousands(QString::number(mag / scale));
    if (decimals > 0)
        r += u',' + QString::number(mag % scale).rightJustified(decimals, u'0');
    return r;
}

QString formatPlain(double v)
{
    return QString::number(roundHalfEven(v));
}

void applyProcessFormats()
{
    QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    hu.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(hu);
}

} // namespace zeror::fmt
