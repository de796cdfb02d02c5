#include "AuditXmlFormat.h"

#include "Formats.h"
#include "TextHelpers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace zeror::auditxml {

QString xmlNumber(double v)
{
    if (!std::isfinite(v))
        v = 0;
    // Ten significant digits in decimal, exactly as the binary value rounds to them; to_chars never
    // consults the locale, so the result has a point under a decimal-comma desktop too.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 9);
    const std::string sci(buf, res.ptr);
    // sci: [-]d.ddddddddde[+-]xx
    bool negative = false;
    size_t i = 0;
    if (sci[i] == '-') {
        negative = true;
        ++i;
    }
    const size_t ePos = sci.find('e');
    std::string digits;
    for (size_t k = i; k < ePos; ++k) {
        if (sci[k] != '.')
            digits += sci[k];
    }
    const int exponent = std::stoi(sci.substr(ePos + 1));
    // digits d0 d1 … d9 stand for d0.d1…d9 × 10^exponent. Place them into an integer part and
    // a fraction of three digits (the third decides the rounding).
    const int pointPos = exponent + 1; // digits before the decimal point
    std::string intPart;
    std::string frac;
    for (int k = 0; k < pointPos; ++k)
        intPart += k < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(k)] : '0';
    for (int k = pointPos; k < pointPos + 3; ++k)
        frac += (k >= 0 && k < static_cast<int>(digits.size())) ? digits[static_cast<size_t>(k)] : '0';
    if (intPart.empty())
        intPart = "0";
    // Two decimals, a half away from zero; the digits past the third never matter for a half
    // because they are already rounded into the ten significant ones.
    std::string number = intPart + frac.substr(0, 2);
    if (frac[2] >= '5') {
        int k = static_cast<int>(number.size()) - 1;
        while (k >= 0) {
            if (number[static_cast<size_t>(k)] == '9') {
                number[static_cast<size_t>(k)] = '0';
                --k;
            } else {
                ++number[static_cast<size_t>(k)];
                break;
            }
        }
        if (k < 0)
            number.insert(number.begin(), '1');
    }
    // Drop leading zeros of the integer part, keeping one.
    size_t lead = 0;
    while (lead + 3 < number.size() && number[lead] == '0')
        ++lead;
    number.erase(0, lead);
    const bool zero = number.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (negative && !zero)
        out += '-';
    out += number.substr(0, number.size() - 2);
    out += '.';
    out += number.substr(number.size() - 2);
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString trimBlanks(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b).unicode() <= u' ')
        ++b;
    while (e > b && s.at(e - 1).unicode() <= u' ')
        --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}

QString xmlText(const QString& s)
{
    const QString t = trimBlanks(s);
    bool special = false;
    for (const QChar c : t) {
        if (c == u'&' || c == u'<' || c == u'>') {
            special = true;
            break;
        }
    }
    if (!special)
        return t;
    QString r;
    r.reserve(t.size() + 16);
    for (const QChar c : t) {
        if (c == u'&')
            r += QLatin1String("&amp;");
        else if (c == u'<')
            r += QLatin1String("&lt;");
        else if (c == u'>')
            r += QLatin1String("&gt;");
        else
            r += c;
    }
    return r;
}

QString xmlDate(const QDate& d)
{
    if (!d.isValid())
        return QString();
    return xmlDatum(fmt::formatDate(d));
}

bool isSet(const QString& s)
{
    for (const QChar c : s) {
        if (c.unicode() > u' ')
            return true;
    }
    return false;
}

void appendLine(QByteArray& out, int indent, const QString& text)
{
    if (indent <= 0 && text.isEmpty()) {
        out += ' ';
    } else {
        out.append(indent, ' ');
        out += text.toUtf8();
    }
    out += "\r\n";
}

void appendElement(QByteArray& out, int indent, const char* name, const QString& content)
{
    out.append(indent, ' ');
    out += '<';
    out += name;
    out += '>';
    out += content.toUtf8();
    out += "</";
    out += name;
    out += ">\r\n";
}

} // namespace zeror::auditxml
