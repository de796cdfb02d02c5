#include "TextHelpers.h"

#include <array>
#include <cstdlib>

namespace zeror {

bool isAllDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool isBlank(const QString& s)
{
    for (const QChar c : s) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

namespace {

// Value of the ASCII digit at index i, or -1 when the text is too short or holds something else.
int digitAt(const QString& s, qsizetype i)
{
    if (i < 0 || i >= s.size())
        return -1;
    const char16_t c = s.at(i).unicode();
    return (c >= u'0' && c <= u'9') ? int(c - u'0') : -1;
}

// Weighted sum of the leading digits of s, or -1 when one of them is not a digit.
template <std::size_t N>
int weightedSum(const QString& s, const std::array<int, N>& weights)
{
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const int d = digitAt(s, qsizetype(i));
        if (d < 0)
            return -1;
        sum += d * weights[i];
    }
    return sum;
}

const std::array<const char16_t*, 10> kUnits = {
    u"", u"egy", u"kettö", u"három", u"négy", u"öt", u"hat", u"hét", u"nyolc", u"kilenc"};
const std::array<const char16_t*, 10> kTens = {
    u"", u"tizen", u"huszon", u"harminc", u"negyven", u"ötven", u"hatvan", u"hetven", u"nyolcvan",
    u"kilencven"};

} // namespace

bool adoazonEllenorzes(const QString& s)
{
    const int sum = weightedSum(s, std::array<int, 9>{1, 2, 3, 4, 5, 6, 7, 8, 9});
    const int check = digitAt(s, 9);
    if (sum < 0 || check < 0)
        return false;
    return sum % 11 == check;
}

bool adoszamEllenorzes(const QString& s)
{
    if (s.size() < 11)
        return false;
    const int sum = weightedSum(s, std::array<int, 7>{9, 7, 3, 1, 9, 7, 3});
    const int check = digitAt(s, 7);
    if (sum < 0 || check < 0)
        return false;
    return (10 - sum % 10) % 10 == check;
}

bool tajEllenorzes(const QString& s)
{
    const int sum = weightedSum(s, std::array<int, 8>{3, 7, 3, 7, 3, 7, 3, 7});
    const int check = digitAt(s, 8);
    if (sum < 0 || check < 0)
        return false;
    return sum % 10 == check;
}

NameSplit ujnev(const QString& name)
{
    NameSplit r{QStringLiteral(" "), QStringLiteral(" ")};
    qsizetype p = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i) == u' ') {
            r.head = name.left(i + 1);
            p = i + 1;
        }
    }
    r.tail = name.mid(p);
    return r;
}

QString streetLine(const QStringList& parts)
{
    constexpr qsizetype kParts = 8;
    QString line;
    for (qsizetype i = 0; i < kParts; ++i) {
        if (i > 0)
            line += u' ';
        if (i < parts.size())
            line += parts.at(i).trimmed();
    }
    return line;
}

QString xmlDatum(const QString& d)
{
    return d.mid(0, 4) + u'-' + d.mid(5, 2) + u'-' + d.mid(8, 2);
}

QString threeDigitsInWords(const QString& d)
{
    const int h = qMax(digitAt(d, 0), 0);
    const int t = qMax(digitAt(d, 1), 0);
    const int o = qMax(digitAt(d, 2), 0);

    QString r;
    if (h >= 2)
        r += QString::fromUtf16(kUnits[std::size_t(h)]);
    if (h >= 1)
        r += QStringLiteral("száz");
    if (t == 1 && o == 0)
        return r + QStringLiteral("tíz");
    if (t == 2 && o == 0)
        return r + QStringLiteral("húsz");
    if (t >= 1)
        r += QString::fromUtf16(kTens[std::size_t(t)]);
    if (o >= 1)
        r += QString::fromUtf16(kUnits[std::size_t(o)]);
    return r;
}

QString amountInWords(qint32 n)
{
    if (n == 0)
        return QStringLiteral("nulla");

    // 64 bits so that the magnitude of INT_MIN is representable.
    const qint64 value = n;
    QString r;
    if (value < 0)
        r = QStringLiteral("mínusz ");

    QString digits = QString::number(std::llabs(value));
    const qsizetype padded = (digits.size() + 2) / 3 * 3;
    digits = digits.rightJustified(padded, u'0');

    static const std::array<const char16_t*, 4> kSuffix = {u" ", u"ezer-", u"millió-",
                                                           u"milliárd-"};
    const qsizetype groups = padded / 3;
    for (qsizetype g = 0; g < groups; ++g) {
        const QString group = digits.mid(g * 3, 3);
        if (group == QLatin1String("000"))
            continue;
        const qsizetype fromRight = groups - 1 - g;
        r += threeDigitsInWords(group) + QString::fromUtf16(kSuffix[std::size_t(fromRight)]);
    }
    return r;
}

} // namespace zeror
