#include "GridFormats.h"

#include "Formats.h"

#include <QDate>
#include <QSet>

namespace zeror::gridfmt {

Kind kindOfField(const QString& field)
{
    // Forint amounts: the line amounts, the header's payable amount, sum of amounts and deduction,
    // the unit prices, and the sums the lists and the entry screen read under their own names.
    static const QSet<QString> money{
        QStringLiteral("S_EAR"),      QStringLiteral("S_FELVAR"),    QStringLiteral("S_KOMPFELAR"),
        QStringLiteral("S_VETELAR"),  QStringLiteral("S_LEVONAS"),   QStringLiteral("F_MUVKTG"),
        QStringLiteral("F_SUMVAR"),   QStringLiteral("F_LEVONAS"),   QStringLiteral("F_SZJALEVON"),
        QStringLiteral("F_TAGILEVON"), QStringLiteral("T_EAR"),      QStringLiteral("O_MUVKTG"),
        QStringLiteral("FAR"),        QStringLiteral("FAR1"),        QStringLiteral("KAR"),
        QStringLiteral("KFELAR"),     QStringLiteral("KFELAR1"),     QStringLiteral("VAR"),
        QStringLiteral("VAR1"),       QStringLiteral("KIFIZETETT"),  QStringLiteral("M_OSSZESEN"),
        QStringLiteral("M_VETELAR"),  QStringLiteral("NEVOSSZESEN"),
    };
    return money.contains(field.toUpper()) ? Kind::Money : Kind::Quantity;
}

QString formatTrimmed(double v, int decimals)
{
    QString t = fmt::formatGrouped(v, decimals);
    if (decimals > 0) {
        while (t.endsWith(u'0'))
            t.chop(1);
        if (t.endsWith(u','))
            t.chop(1);
    }
    if (t == QStringLiteral("-0"))
        t = QStringLiteral("0");
    return t;
}

QString text(const QVariant& value, Kind kind)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        if (kind == Kind::Money)
            return fmt::formatGrouped(value.toDouble(), 2);
        if (kind == Kind::Quantity)
            return formatTrimmed(value.toDouble(), 4);
        return fmt::formatNumber(value.toDouble());
    case QMetaType::QDate:
        return fmt::formatDate(value.toDate());
    default:
        return value.toString();
    }
}

} // namespace zeror::gridfmt
