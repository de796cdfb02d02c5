#include "Voiding.h"

#include "DbError.h"
#include "Formats.h"
#include "SharedState.h"
#include "TData.h"
#include "TicketList.h"
#include "Transaction.h"

namespace zeror {

namespace {

qint64 countOf(Query& q)
{
    q.open();
    return q.isEmpty() ? 0 : q.integer(QStringLiteral("db"));
}

} // namespace

QString reserveVoidingNumber(TData& data)
{
    Query& q = data.ZQ50;
    q.close();
    q.setSql({QStringLiteral("SELECT  *"), QStringLiteral("FROM  Sorszam"), QStringLiteral("WHERE a_aKod = :p1")});
    q.setText(QStringLiteral("p1"), sharedState().buyerCode);
    q.open();
    if (q.isEmpty())
        throw Error(QStringLiteral("Nincs sorszám az átvevőhöz, érvénytelenítő bizonylat nem készíthető!"));
    const QString last = q.text(QStringLiteral("a_FjBszam"));
    qint64 value = 0;
    if (!fmt::parseInteger(last.trimmed(), &value))
        throw Error(QStringLiteral("Hibás az átvevő utolsó sorszáma: \"%1\"").arg(last));
    const QString number = QString::number(value + 1);
    if (number.size() > 8)
        throw Error(QStringLiteral("A következő sorszám (%1) nem fér el a 8 jegyű bizonylatszámban!").arg(number));

    // Lines are joined to their header by the number alone, so a number that is already on a
    // ticket (of any buyer) cannot be given again.
    Query& used = data.ZQ31;
    used.close();
    used.setSql({QStringLiteral("SELECT COUNT(*) AS db"), QStringLiteral("FROM FjFej"),
                 QStringLiteral("WHERE f_bszam = :p1")});
    used.setText(QStringLiteral("p1"), number);
    if (countOf(used) > 0)
        throw Error(QStringLiteral("A(z) %1 sorszámú bizonylat már létezik! Érvénytelenítő bizonylat nem készíthető.")
                        .arg(number));
    return number;
}

void deleteLeftoverLines(TData& data, const QString& number)
{
    try {
        if (!data.inTransaction())
            data.startTransaction();
        Query& q = data.ZQ22;
        q.close();
        q.setSql({QStringLiteral("DELETE FROM Fjsor"), QStringLiteral("WHERE s_Bszam = :p1")});
        q.setText(QStringLiteral("p1"), number);
        q.exec();
    } catch (const DbError& e) {
        data.rollback();
        throw WriteError(WriteError::Stage::Statement,
                         QStringLiteral("Hiba391: Fjsor DELETE törlése mert nem volt fejrésze "), e.message());
    }
}

QString createVoidingTicket(TData& data, const QString& voided, const QString& number)
{
    const SharedState& shared = sharedState();

    Transaction tx(data, QStringLiteral("Hiba399: az INSERT közben a zeror fejben!"));

    QString stepMessage;
    bool copyingLines = false;
    try {
        // 1. The header copy, numbered, typed and pointing back at once, its amounts negated.
        stepMessage = QStringLiteral("Hiba392: Újban, INSERT a Fjfejben ");
        Query& head = data.ZQ31;
        head.close();
        head.setSql({QStringLiteral("INSERT INTO FjFej ( F_BSZAM, F_AKOD, F_OSTERMKOD, F_KELT, F_SZJA, F_MEGJ, F_FELVKELT, "
                                    "F_FIZKELT, F_UTAL, F_NYILATK, F_LEVONAS, F_JARULSZAZ, F_MUVKTG, F_PIPA, f_sumvar, "
                                    "F_TIPUS, F_ERVENYT )"),
                     QStringLiteral("SELECT       CAST(:p1 AS VARCHAR(8)), F_AKOD, F_OSTERMKOD, F_KELT, F_SZJA, F_MEGJ, "
                                    "F_FELVKELT, F_FIZKELT, F_UTAL, F_NYILATK, -F_LEVONAS, F_JARULSZAZ, -F_MUVKTG, "
                                    "F_PIPA, -f_sumvar, CAST(:p2 AS VARCHAR(1)), CAST(:p3 AS VARCHAR(8))"),
                     QStringLiteral("FROM FjFej"), QStringLiteral("WHERE ( f_bszam    = :p3 ) AND ( f_akod = :p4 )")});
        head.setText(QStringLiteral("p1"), number);
        head.setText(QStringLiteral("p2"), shared.stornoTicketType);
        head.setText(QStringLiteral("p3"), voided);
        head.setText(QStringLiteral("p4"), shared.buyerCode);
        head.exec();

        Query& check = data.ZQ11;
        check.close();
        check.setSql({QStringLiteral("SELECT COUNT(*) AS db"), QStringLiteral("FROM FjFej"),
                      QStringLiteral("WHERE ( f_bszam = :p1 ) AND ( f_akod = :p2 )")});
        check.setText(QStringLiteral("p1"), number);
        check.setText(QStringLiteral("p2"), shared.buyerCode);
        if (countOf(check) != 1)
            throw DbError(QStringLiteral("A(z) %1 számú bizonylat nem található.").arg(voided));

        // 2. The voided ticket points at its voiding ticket.
        stepMessage = QStringLiteral("Hiba394: Új UPDATE FjFej -ben ");
        Query& mark = data.ZQ31;
        mark.close();
        mark.setSql({QStringLiteral("UPDATE   FjFej"), QStringLiteral("SET   F_ERVENYT = :p1"),
                     QStringLiteral("WHERE ( f_bszam   = :p0 ) AND ( f_akod = :p2 )")});
        mark.setText(QStringLiteral("p1"), number);
        mark.setText(QStringLiteral("p0"), voided);
        mark.setText(QStringLiteral("p2"), shared.buyerCode);
        mark.exec();

        // 3. The line copies, under the new number with negated quantities, in the voided order.
        copyingLines = true;
        stepMessage = QStringLiteral("Hiba395: Újban, INSERT a Fjsorban ");
        Query& lines = data.ZQ22;
        lines.close();
        lines.setSql({QStringLiteral("INSERT INTO FjSor (S_BSZAM, S_TERMEKKOD, S_MEGNEVEZES, S_VTSZ, S_LEVONSZAZ, S_BRUTTO, "
                                     "S_MEGY, S_EAR, S_KOMPMERTEKE, S_AKOD, S_SZJA, S_BIZONYLAT )"),
                      QStringLiteral("SELECT      CAST(:p1 AS VARCHAR(8)), S_TERMEKKOD, S_MEGNEVEZES, S_VTSZ, S_LEVONSZAZ, "
                                     "-S_BRUTTO, S_MEGY, S_EAR, S_KOMPMERTEKE, S_AKOD, S_SZJA, S_BIZONYLAT"),
                      QStringLiteral("FROM FjSor"), QStringLiteral("WHERE ( s_bszam    = :p0 ) AND ( s_akod = :p2 )"),
                      QStringLiteral("ORDER BY ID_FJSOR")});
        lines.setText(QStringLiteral("p1"), number);
        lines.setText(QStringLiteral("p0"), voided);
        lines.setText(QStringLiteral("p2"), shared.buyerCode);
        lines.exec();
        copyingLines = false;

        // 4. Consume the number; a missing counter row would leave the number free for the next
        // ticket, so the counter must now hold it.
        stepMessage = QStringLiteral("Hiba398: Új UPDATE Sorszam -ba ");
        Query& counter = data.ZQ50;
        counter.close();
        counter.setSql({QStringLiteral("UPDATE   Sorszam"), QStringLiteral("SET   a_FjBszam = :p1"),
                        QStringLiteral("WHERE a_akod    = :p2")});
        counter.setText(QStringLiteral("p1"), number);
        counter.setText(QStringLiteral("p2"), shared.buyerCode);
        counter.exec();
        counter.close();
        counter.setSql({QStringLiteral("SELECT  *"), QStringLiteral("FROM  Sorszam"), QStringLiteral("WHERE a_aKod = :p1")});
        counter.setText(QStringLiteral("p1"), shared.buyerCode);
        counter.open();
        if (counter.isEmpty() || counter.text(QStringLiteral("a_FjBszam")).trimmed() != number)
            throw DbError(QStringLiteral("Nincs sorszám sor a(z) %1 átvevőhöz.").arg(shared.buyerCode));
        tx.commit();
    } catch (const Error& e) {
        tx.rollback();
        throw WriteError(WriteError::Stage::Statement, stepMessage, e.message());
    } catch (const std::exception& e) {
        tx.rollback();
        throw WriteError(WriteError::Stage::Statement,
                         copyingLines ? QStringLiteral("Hiba396: az INSERT közben a zeror sorban!")
                                      : QStringLiteral("Hiba399: az INSERT közben a zeror fejben!"),
                         QString::fromLocal8Bit(e.what()));
    }

    sharedState().currentTicketNumber = number;
    try {
        openTicketListAt(data, number);
    } catch (const Error&) {
        // The voiding is stored; the list is re-read when the screen next refreshes it.
    }
    return QStringLiteral("Az érvénytelenítő bizonylat ") + number + QStringLiteral(" sorszámmal elkészült!");
}

} // namespace zeror
