#include "Voiding.h"

#include "DbError.h"
#include "Formats.h"
#include "SharedState.h"
#include "TData.h"
#include "TicketList.h"
#include "TicketNumbering.h"
#include "Transaction.h"

namespace zeror {


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

    // A counter left behind the buyer's tickets shows the next number no ticket has yet. The
    // number is only shown here: "OK" takes the next free one, which is this one unless another
    // workstation stored a ticket meanwhile.
    QString free = number;
    Query& used = data.ZQ31;
    for (;;) {
        if (free.size() > 8)
            throw Error(QStringLiteral("A következő sorszám (%1) nem fér el a 8 jegyű bizonylatszámban!").arg(free));
        used.close();
        used.setSql({QStringLiteral("SELECT COUNT(*) AS db"), QStringLiteral("FROM FjFej"),
                     QStringLiteral("WHERE ( f_bszam = :p1 ) AND ( f_akod = :p2 )")});
        used.setText(QStringLiteral("p1"), free);
        used.setText(QStringLiteral("p2"), sharedState().buyerCode);
        used.open();
        if (used.integer(QStringLiteral("db")) == 0)
            return free;
        free = QString::number(free.toLongLong() + 1);
    }
}

void deleteLeftoverLines(TData& data, const QString& number)
{
    try {
        if (!data.inTransaction())
            data.startTransaction();
        // Only the chosen buyer's lines that no stored ticket owns.
        Query& q = data.ZQ22;
        q.close();
        q.setSql({QStringLiteral("DELETE FROM Fjsor"), QStringLiteral("WHERE ( s_Bszam = :p1 ) AND ( s_akod = :p2 )"),
                  QStringLiteral("AND NOT EXISTS ( SELECT 1 FROM FjFej WHERE f_bszam = Fjsor.s_bszam AND f_akod = Fjsor.s_akod )")});
        q.setText(QStringLiteral("p1"), number);
        q.setText(QStringLiteral("p2"), sharedState().buyerCode);
        q.exec();
    } catch (const DbError& e) {
        data.rollback();
        throw WriteError(WriteError::Stage::Statement,
                         QStringLiteral("Hiba391: Fjsor DELETE törlése mert nem volt fejrésze "), e.message());
    }
}

QString createVoidingTicket(TData& data, const QString& voided, const QString& shownNumber)
{
    const SharedState& shared = sharedState();
    QString number;

    ticketnumbers::withRetries([&](bool lastAttempt) {
        Transaction tx(data, QStringLiteral("Hiba399: az INSERT közben a zeror fejben!"));
        QString stepMessage = QStringLiteral("Hiba392: Újban, INSERT a Fjfejben ");
        bool copyingLines = false;
        try {
            // 1. The voided ticket, locked against another workstation voiding it at the same
            // time, must still be printed and not yet voided.
            Query& state = data.ZQ11;
            state.close();
            state.setSql({QStringLiteral("SELECT f_prn, f_tipus, f_ervenyt"), QStringLiteral("FROM FjFej"),
                          QStringLiteral("WHERE ( f_bszam = :p1 ) AND ( f_akod = :p2 )"), QStringLiteral("WITH LOCK")});
            state.setText(QStringLiteral("p1"), voided);
            state.setText(QStringLiteral("p2"), shared.buyerCode);
            state.open();
            if (state.isEmpty())
                throw VoidingRefused(QStringLiteral("A(z) %1 számú bizonylat nem található.").arg(voided));
            const QString refusal = voidingRefusal(state.text(QStringLiteral("f_prn")),
                                                   state.text(QStringLiteral("f_ervenyt")),
                                                   state.text(QStringLiteral("f_tipus")), shared.normalTicketType);
            if (!refusal.isEmpty())
                throw VoidingRefused(refusal);

            // 2. The number: the buyer's next free one, taken from the counter.
            stepMessage = QStringLiteral("Hiba398: Új UPDATE Sorszam -ba ");
            number = ticketnumbers::takeNextNumber(data, shared.buyerCode);

            // 3. The header copy, numbered, typed and pointing back at once, its amounts negated.
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
            if (head.rowsAffected() != 1)
                throw DbError(QStringLiteral("A(z) %1 számú bizonylat nem található.").arg(voided));

            // 4. The voided ticket points at its voiding ticket.
            stepMessage = QStringLiteral("Hiba394: Új UPDATE FjFej -ben ");
            Query& mark = data.ZQ31;
            mark.close();
            mark.setSql({QStringLiteral("UPDATE   FjFej"), QStringLiteral("SET   F_ERVENYT = :p1"),
                         QStringLiteral("WHERE ( f_bszam   = :p0 ) AND ( f_akod = :p2 )")});
            mark.setText(QStringLiteral("p1"), number);
            mark.setText(QStringLiteral("p0"), voided);
            mark.setText(QStringLiteral("p2"), shared.buyerCode);
            mark.exec();

            // 5. The line copies, under the new number with negated quantities, in the voided order;
            // lines an older version left under the number without a header go first.
            copyingLines = true;
            stepMessage = QStringLiteral("Hiba395: Újban, INSERT a Fjsorban ");
            Query& lines = data.ZQ22;
            lines.close();
            lines.setSql({QStringLiteral("DELETE FROM Fjsor"), QStringLiteral("WHERE ( s_Bszam = :p1 ) AND ( s_akod = :p2 )")});
            lines.setText(QStringLiteral("p1"), number);
            lines.setText(QStringLiteral("p2"), shared.buyerCode);
            lines.exec();
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

            stepMessage = QStringLiteral("Hiba398: Új UPDATE Sorszam -ba ");
            tx.commit();
        } catch (const VoidingRefused&) {
            tx.rollback();
            throw;
        } catch (const ticketnumbers::Conflict& e) {
            if (!lastAttempt)
                throw;
            tx.rollback();
            throw WriteError(WriteError::Stage::Statement, stepMessage, e.message());
        } catch (const DbError& e) {
            if (!lastAttempt && ticketnumbers::isConflict(e))
                throw;
            tx.rollback();
            throw WriteError(WriteError::Stage::Statement, stepMessage, e.message());
        } catch (const WriteError&) {
            throw;
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
    });

    sharedState().currentTicketNumber = number;
    try {
        openTicketListAt(data, number);
    } catch (const Error&) {
        // The voiding is stored; the list is re-read when the screen next refreshes it.
    }
    QString message = QStringLiteral("Az érvénytelenítő bizonylat ") + number + QStringLiteral(" sorszámmal elkészült!");
    if (!shownNumber.isEmpty() && shownNumber != number)
        message = ticketnumbers::numberChangedMessage(shownNumber, number) + QLatin1Char('\n') + message;
    return message;
}

} // namespace zeror
