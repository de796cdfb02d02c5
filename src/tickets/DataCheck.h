#pragma once

// The data check run before the month's declaration: twenty checks over the chosen buyer's
// ticket lines of a payment period, thirteen checks over every producer, and the checks of a
// single identifier typed in. The checks are plain functions from rows to report lines; the
// collection functions fill a query and turn its rows into those plain rows.

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace zeror {

class Query;

namespace datacheck {

// One collected ticket line with the columns the ticket checks read, each as its field text
// ("" when the column holds no value, as for a line whose header or producer is missing).
struct TicketRow
{
    QString ticketNumber;  // s_bszam
    QString producerCode;  // f_ostermkod
    QString taxNumber;     // o_adoszam
    QString taxId;         // o_adoazon
    QString taj;           // o_TAJ
    QString name;          // o_nev
    QString postcode;      // o_irszam
    QString town;          // o_Helysegnev
    QString street;        // o_Utca
    QString idCard;        // o_Igszam
    QString birthPlace;    // o_Szulhely
    QString birthDate;     // o_Szido
    QString mother;        // o_Anyja
    QString sex;           // o_Neme
    QString birthName;     // o_Szulnev
    QString incomeTax;     // f_szja
    QString printed;       // f_prn
    QString productCode;   // s_termekkod
    QString quantity;      // s_netto
    QString unitPrice;     // s_ear
    QString surchargeRate; // s_kompmerteke
};

// One producer record with the columns the producer checks read, as field texts.
struct ProducerRow
{
    QString code;       // O_KOD
    QString taxNumber;  // o_adoszam
    QString taxId;      // o_adoazon
    QString taj;        // o_TAJ
    QString name;       // o_nev
    QString postcode;   // o_irszam
    QString town;       // o_Helysegnev
    QString street;     // o_Utca
    QString idCard;     // o_Igszam
    QString birthPlace; // o_Szulhely
    QString birthDate;  // o_Szido, year first ("1980.05.15")
    QString mother;     // o_Anyja
    QString sex;        // o_Neme
    QString birthName;  // o_Szulnev
};

// The last line of every report.
QString closingLine();

// The twenty ticket checks in order: for each its start line, one line per finding (rows in
// the order given), its end line and a line holding a single space; then the closing line.
// A surcharge rate, quantity or unit price that cannot be read is a finding of its own check,
// never the end of the report.
QStringList checkTickets(const std::vector<TicketRow>& rows);

// The thirteen producer checks over every producer row, laid out the same way.
QStringList checkProducers(const std::vector<ProducerRow>& rows);

// The statement of the ticket tab's collection: every line of the buyer's tickets whose payment
// date falls in the period, with its header and producer columns. Lines join their header by
// number and buyer, so buyers whose number ranges overlap are never mixed.
QStringList ticketCollectionSql();
// The statement of the producer tab's collection: every producer row.
QStringList producerCollectionSql();

// Runs the collection into the query (which the screen's grid shows); throws DbError.
void collectTickets(Query& query, const QDate& from, const QDate& to, const QString& buyerCode);
void collectProducers(Query& query);

// The collected rows as plain rows, in the query's order; the cursor is not moved. Throws
// zeror::Error when the query lacks a column the checks read (it was not collected for them).
std::vector<TicketRow> ticketRows(const Query& query);
std::vector<ProducerRow> producerRows(const Query& query);

// The default payment period: 1 January to 31 December of today's year.
struct Period
{
    QDate from;
    QDate to;
};
Period defaultPeriod(const QDate& today);

// What a single-value check shows under "Üzenet:"; an error verdict comes with a beep.
struct Verdict
{
    QString text;
    bool error = false;
};

// "Adószám": 11 characters, or 13 in the form 8-1-2 with any separators (characters 1-8,
// 10-11 and 13 are kept), then the check digit.
Verdict checkTaxNumber(const QString& input);
// "Adóazonositó": exactly 10 characters, then the check digit.
Verdict checkTaxId(const QString& input);
// "TAJ": 9 characters, or 11 in groups of three with any separators (characters 1-3, 5-7 and
// 9-11 are kept), then the check digit.
Verdict checkTaj(const QString& input);

// Days from 1867.01.01 to the date (absolute, proleptic Gregorian calendar).
qint64 daysSince1867(const QDate& date);

// True when characters 2 to 6 of the tax identifier, read as a number, equal the days from
// 1867.01.01 to the birth date given as date text ("1980.05.15"). Characters that are not all
// digits, or a date text that is not a date, make it false.
bool elteltNapEllenorzes(const QString& taxId, const QString& birthDate);

// The "Napok" check: the values shown beside "Adóazonositó alapján:" and
// "Eltelt napok száma 1867.01.01-től:", and the verdict.
struct DayCountResult
{
    QString idDays;   // characters 2 to 6 of the identifier, whatever its length
    QString daysText; // the day count in general number format
    Verdict verdict;
};
DayCountResult checkDayCount(const QString& taxId, const QDate& birthDate);

} // namespace datacheck
} // namespace zeror
