#include "Voiding.h"

#include "DbError.h"
#include "Formats.h"
#include "SharedState.h"
#include "TData.h"
#include "TicketList.h"

namespace zeror {

namespace {

QString withReason(const QString& message, const QString& reason)
{
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

qint64 countOf(Query& q)
{
    q.open();
    return q.isEmpty() ? 0 : q.integer(QStringLiteral("db"));
}

} // namespace

VoidingReservation reserveVoidingNumber(TData& data)
{
    VoidingReservation r;
    try {
        Query& q = data.ZQ50;
        q.close();
        q.setSql({QStringLiteral("SELECT  *"), QStringLiteral("FROM  Sorszam"), QStringLiteral("WHERE a_aKod = :p1")});
        q.setText(QStringLiteral("p1"), sharedState().buyerCode);
        q.open();
        if (q.isEmpty()) {
            r.message = QStringLiteral("Nincs sorszám az átvevőhöz, érvénytelenítő bizonylat nem készíthető!");
            return r;
        }
        const QString last = q.text(QStringLiteral("a_FjBszam"));
        qint64 value = 0;
        if (!fmt::parseInteger(last.trimmed(), &value)) {
            r.message = QStringLiteral("Hibás az átvevő utolsó sorszáma: \"%1\"").arg(last);
            return r;
        }
        const QString number = QString::number(value + 1);
        if (number.size() > 8) {
            r.message = QStringLiteral("A következő sorszám (%1) nem fér el a 8 jegyű bizonylatszámban!").arg(number);
            return r;
        }

        // Lines are joined to their header by the number alone, so a number that is already on a
        // ticket (of any buyer) cannot be given again.
        Query& used = data.ZQ31;
        used.close();
        used.setSql({QStringLiteral("SELECT COUNT(*) AS db"), QStringLiteral("FROM FjFej"),
                     QStringLiteral("WHERE f_bszam = :p1")});
        used.setText(QStringLiteral("p1"), number);
        if (countOf(used) > 0) {
            r.message = QStringLiteral("A(z) %1 sorszámú bizonylat már létezik! Érvénytelenítő bizonylat nem készíthető.")
                            .arg(number);
            return r;
        }
        r.ok = true;
        r.number = number;
    } catch (const DbError& e) {
        r.message = e.message();
    }
    return r;
}

QString deleteLeftoverLines(TData& data, const QString& number)
{
    const WriteResult w = data.writeNoCommit([&] {
        Query& q = data.ZQ22;
        q.close();
        q.setSql({QStringLiteral("DELETE FROM Fjsor"), QStringLiteral("WHERE s_Bszam = :p1")});
        q.setText(QStringLiteral("p1"), number);
        q.exec();
    });
    if (w.ok())
        return QString();
    return w.message(QStringLiteral("Hiba391: Fjsor DELETE törlése mert nem volt fejrésze "));
}

VoidingResult createVoidingTicket(TData& data, const QString& voided, const QString& number)
{
    VoidingResult result;
    const SharedState& shared = sharedState();

    try {
        if (!data.inTransaction())
            data.startTransaction();
    } catch (const DbError& e) {
        result.message = withReason(QStringLiteral("Hiba399: az INSERT közben a zeror fejben!"), e.message());
        return result;
    }

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
        data.commit();
    } catch (const DbError& e) {
        data.rollback();
        result.message = withReason(stepMessage, e.message());
        return result;
    } catch (const std::exception& e) {
        data.rollback();
        result.message = withReason(copyingLines ? QStringLiteral("Hiba396: az INSERT közben a zeror sorban!")
                                                 : QStringLiteral("Hiba399: az INSERT közben a zeror fejben!"),
                                    QString::fromLocal8Bit(e.what()));
        return result;
    }

    sharedState().currentTicketNumber = number;
    try {
        openTicketListAt(data, number);
    } catch (const DbError&) {
        // The voiding is stored; the list is re-read when the screen next refreshes it.
    }
    result.ok = true;
    result.message = QStringLiteral("Az érvénytelenítő bizonylat ") + number + QStringLiteral(" sorszámmal elkészült!");
    return result;
}

} // namespace zeror
