#include "YearOpening.h"

#include "BuyerRecord.h"
#include "DbError.h"
#include "IndexStatistics.h"
#include "TData.h"
#include "TextHelpers.h"

namespace zeror {

namespace {

// Number of counter rows of the buyer (0 or 1 in a sound database).
int counterRowCount(TData& dataModule, const QString& buyerCode)
{
    Query& q = dataModule.ZQ50;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("SELECT  a_akod, count(a_akod) AS db "));
    q.addLine(QStringLiteral("   FROM sorszam  "));
    q.addLine(QStringLiteral("   WHERE a_akod = :p1   "));
    q.addLine(QStringLiteral("   GROUP BY a_akod    "));
    q.setText(QStringLiteral("p1"), buyerCode);
    q.open();
    if (q.isEmpty())
        return 0;
    return static_cast<int>(q.integer(QStringLiteral("db")));
}

} // namespace

QStringList yearOpeningGuidance()
{
    return {
        QStringLiteral("Bizonylat sorszám beállítása pl.: 20160000 vagy 16000000"),
        QStringLiteral("Figyelmeztetés: Nullával nem kezdödhet!"),
        QStringLiteral("Nyolc  hosszú legyen a  számsor"),
        QStringLiteral("Csak számot tartalmazhat."),
        QStringLiteral("Több átvevő  esetén a bizonylatszám eltérő legyen."),
        QStringLiteral("Egy átvevő több gépen esetén is eltérő legyen a sorszám."),
        QStringLiteral("Az utolsó (8. karakter) nulla akkor a kezdő bizonylatszám 1-es lesz. "),
    };
}

YearOpeningState readYearOpening(TData& dataModule, const QString& buyerCode)
{
    YearOpeningState state;
    if (buyerTicketCount(dataModule, buyerCode) > 0) {
        state.locked = true;
        return state;
    }
    Query& q = dataModule.ZQ50;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("SELECT  a_fjbszam "));
    q.addLine(QStringLiteral("  FROM Sorszam         "));
    q.addLine(QStringLiteral("  WHERE a_akod = :p1 "));
    q.setText(QStringLiteral("p1"), buyerCode);
    q.open();
    if (!q.isEmpty())
        state.currentNumber = q.text(QStringLiteral("a_fjbszam"));
    return state;
}

std::optional<QString> checkStartingNumber(const QString& text)
{
    QString right = text;
    while (!right.isEmpty() && right.back() == u' ')
        right.chop(1);
    if (right.isEmpty())
        return QStringLiteral("Nincs megadva sorszám!");
    if (text.size() != 8)
        return QStringLiteral("Nem 8 hosszú a számsor!");
    // Anything but digits cannot be read as a number; the field never lets it through.
    if (!isAllDigits(text))
        return QStringLiteral("Csak számot tartalmazhat.");
    if (QString::number(text.toLongLong()) != text)
        return QStringLiteral("Nullável nem kezdödhet!");
    return std::nullopt;
}

bool storeStartingNumber(TData& dataModule, const QString& buyerCode, const QString& number)
{
    const bool inserted = counterRowCount(dataModule, buyerCode) == 0;
    const QString failure = inserted ? QStringLiteral("Hiba382: Letároláskor az INSERT Sorszam -ba ")
                                     : QStringLiteral("Hiba381: Letároláskor az UPDATE Sorszam -ba ");
    dataModule.write({failure}, [&] {
        Query& q = dataModule.ZQ50;
        q.close();
        q.clearSql();
        if (inserted) {
            q.addLine(QStringLiteral("INSERT INTO sorszam ( a_FjBszam, a_akod ) "));
            q.addLine(QStringLiteral("       VALUES       (       :p1,    :p2 ) "));
        } else {
            q.addLine(QStringLiteral("UPDATE Sorszam          "));
            q.addLine(QStringLiteral("    SET a_FjBszam = :p1 "));
            q.addLine(QStringLiteral("   WHERE a_akod = :p2   "));
        }
        q.setText(QStringLiteral("p1"), number);
        q.setText(QStringLiteral("p2"), buyerCode);
        q.exec();
    });
    try {
        // A new year is about to be filled: plans should not rest on last year's selectivities.
        refreshIndexStatistics(dataModule);
    } catch (const DbError&) {
        // The number is stored; stale statistics only slow the lists down.
    }
    return inserted;
}

} // namespace zeror
