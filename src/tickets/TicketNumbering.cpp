#include "TicketNumbering.h"

#include "Query.h"
#include "TData.h"
#include "TicketEntry.h"

#include <QRandomGenerator>
#include <QThread>

namespace zeror::ticketnumbers {

namespace {

// The engine's codes of a unique-key violation ("violation of PRIMARY or UNIQUE KEY constraint",
// "attempt to store duplicate value").
constexpr long kUniqueKeyViolation = 335544665L;
constexpr long kNoDuplicate = 335544349L;

// Entry keys use seven digits of the connection's number (the statement that finds the keys of
// connections that are gone computes the same).
constexpr qint64 kEntryKeyModulus = 10000000;

QString keyOf(qint64 connectionId)
{
    return QStringLiteral("0%1").arg(connectionId % kEntryKeyModulus, 7, 10, QLatin1Char('0'));
}

} // namespace

QString entryLinesKey(TData& data)
{
    Query& q = data.ZQ31;
    q.close();
    q.setSql({QStringLiteral("SELECT CURRENT_CONNECTION AS kapcsolat"), QStringLiteral("FROM RDB$DATABASE")});
    q.open();
    return keyOf(q.integer(QStringLiteral("kapcsolat")));
}

bool isEntryLinesKey(const QString& key)
{
    return key.size() == 8 && key.startsWith(QLatin1Char('0')) && isAllDigits(key);
}

void clearAbandonedEntries(TData& data, const QString& buyerCode, const QString& number, const QString& entryKey,
                           const QString& failureText)
{
    data.write({failureText}, [&] {
        Query& q = data.ZQ22;
        q.close();
        // The monitoring table lists every connection to a program that logs in as SYSDBA; an
        // entry key whose connection is not among them belongs to a workstation that is gone.
        q.setSql({QStringLiteral("DELETE FROM Fjsor"), QStringLiteral("WHERE s_akod = :p1 AND ("),
                  QStringLiteral("  s_bszam = :p2"),
                  QStringLiteral("  OR ( s_bszam STARTING WITH '0' AND CHAR_LENGTH(s_bszam) = 8"),
                  QStringLiteral("       AND NOT EXISTS ( SELECT 1 FROM MON$ATTACHMENTS a"),
                  QStringLiteral("         WHERE '0' || LPAD(CAST(MOD(a.MON$ATTACHMENT_ID, 10000000) AS VARCHAR(7)), 7, '0')"
                                 " = Fjsor.s_bszam ) )"),
                  QStringLiteral("  OR ( s_bszam = :p3 AND NOT EXISTS ( SELECT 1 FROM FjFej"),
                  QStringLiteral("       WHERE f_bszam = Fjsor.s_bszam AND f_akod = Fjsor.s_akod ) ) )")});
        q.setText(QStringLiteral("p1"), buyerCode);
        q.setText(QStringLiteral("p2"), entryKey);
        q.setText(QStringLiteral("p3"), number);
        q.exec();
    });
}

bool isConflict(const DbError& e)
{
    return e.kind() == DbError::Kind::LockConflict || e.gdsCode() == kUniqueKeyViolation
           || e.gdsCode() == kNoDuplicate;
}

void withRetries(const std::function<void(bool lastAttempt)>& work, int attempts)
{
    for (int attempt = 1;; ++attempt) {
        const bool last = attempt >= attempts;
        try {
            work(last);
            return;
        } catch (const Conflict&) {
            if (last)
                throw;
        } catch (const DbError& e) {
            if (last || !isConflict(e))
                throw;
        }
        // The other workstation's transaction is short; a random pause keeps two waiting ones
        // from meeting again at the same moment.
        QThread::msleep(static_cast<unsigned long>(QRandomGenerator::global()->bounded(5, 40)));
    }
}

QString takeNextNumber(TData& data, const QString& buyerCode)
{
    Query& q = data.ZQ50;
    q.close();
    q.setSql({QStringLiteral("SELECT  a_FjBszam"), QStringLiteral("FROM  Sorszam"), QStringLiteral("WHERE a_aKod = :p1")});
    q.setText(QStringLiteral("p1"), buyerCode);
    q.open();
    if (q.isEmpty())
        throw Error(QStringLiteral("Nincs sorszám beállítva az átvevőnek (Segédlet / Évnyitás)!"));
    if (q.rowCount() > 1)
        throw Error(QStringLiteral("Az átvevőnek több sorszám-számlálója van (Sorszam tábla)!"));
    const QString counter = q.text(QStringLiteral("a_FjBszam"));
    QString number = ticketentry::nextTicketNumber(counter);
    if (number.isEmpty())
        throw Error(QStringLiteral("Hibás az átvevő sorszáma: \"%1\" nem szám (Segédlet / Évnyitás)!").arg(counter));

    // A counter left behind its tickets (an older version, a restored copy) moves past them
    // instead of giving a stored number again.
    Query& used = data.ZQ32;
    for (;;) {
        if (!ticketentry::ticketNumberFits(number))
            throw Error(ticketentry::ticketNumberProblem(number));
        used.close();
        used.setSql({QStringLiteral("SELECT COUNT(*) AS db"), QStringLiteral("FROM FjFej"),
                     QStringLiteral("WHERE ( f_akod = :p1 ) AND ( f_bszam = :p2 )")});
        used.setText(QStringLiteral("p1"), buyerCode);
        used.setText(QStringLiteral("p2"), number);
        used.open();
        if (used.integer(QStringLiteral("db")) == 0)
            break;
        number = ticketentry::nextTicketNumber(number);
    }

    q.close();
    q.setSql({QStringLiteral("UPDATE   Sorszam"), QStringLiteral("SET   a_FjBszam = :p1"),
              QStringLiteral("WHERE ( a_akod    = :p2 ) AND ( a_FjBszam = :p3 )")});
    q.setText(QStringLiteral("p1"), number);
    q.setText(QStringLiteral("p2"), buyerCode);
    q.setText(QStringLiteral("p3"), counter);
    q.exec();
    if (q.rowsAffected() != 1)
        throw Conflict(QStringLiteral("A sorszámot közben egy másik munkahely vette fel; újra kell próbálni."));
    return number;
}

QString numberChangedMessage(const QString& shownNumber, const QString& storedNumber)
{
    return QStringLiteral("A(z) %1 sorszámot közben egy másik munkahely felhasználta, ezért a bizonylat a(z) %2 "
                          "sorszámot kapta.")
        .arg(shownNumber, storedNumber);
}

} // namespace zeror::ticketnumbers
