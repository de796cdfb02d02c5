#include "Win1250.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace zeror::win1250 {

namespace {

// The code page as a lookup table, built once from Qt's converter: decoding is then a table
// lookup per byte instead of a converter per text, which matters when a year of rows is read.
struct Tables
{
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    Tables()
    {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = static_cast<char>(i);
        QStringDecoder decoder("windows-1250");
        const QString decoded = decoder.decode(all);
        for (int i = 0; i < 256; ++i) {
            const char16_t c = i < decoded.size() ? decoded.at(i).unicode() : u'\uFFFD';
            toUnicode[static_cast<size_t>(i)] = c;
            if (i >= 0x80 && c != u'\uFFFD')
                fromUnicode.insert(c, static_cast<char>(i));
        }
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

} // namespace

QByteArray encode(const QString& text)
{
    const Tables& t = tables();
    QByteArray out;
    out.resize(text.size());
    char* p = out.data();
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
        } else {
            const auto it = t.fromUnicode.constFind(c);
            *p++ = it == t.fromUnicode.constEnd() ? '?' : *it;
        }
    }
    return out;
}

bool canHold(QChar c)
{
    return c.unicode() < 0x80 || tables().fromUnicode.contains(c.unicode());
}

QString firstUnencodable(const QString& text)
{
    const Tables& t = tables();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || t.fromUnicode.contains(c))
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            return text.mid(i, 2);
        return text.mid(i, 1);
    }
    return QString();
}

QString describeCharacter(const QString& character)
{
    const QList<uint> codes = character.toUcs4();
    const uint code = codes.isEmpty() ? 0u : codes.first();
    return QStringLiteral("\u201E%1\u201D (U+%2)")
        .arg(character)
        .arg(QString::number(code, 16).toUpper(), 4, QLatin1Char('0'));
}

QString fieldRefusal(const QString& fieldName, const QString& text)
{
    const QString bad = firstUnencodable(text);
    if (bad.isEmpty())
        return QString();
    return QStringLiteral("Hibás a(z) \u201E%1\u201D mező: a(z) %2 karakter nem tárolható (WIN1250)!")
        .arg(fieldName, describeCharacter(bad));
}

QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

QString decode(const char* bytes, qsizetype size)
{
    const Tables& t = tables();
    QString out(size, Qt::Uninitialized);
    QChar* p = out.data();
    for (qsizetype i = 0; i < size; ++i)
        p[i] = QChar(t.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return out;
}

} // namespace zeror::win1250
