#pragma once

#include "Error.h"

#include "PayableAmount.h"
#include "TextHelpers.h"

#include <QDate>
#include <QString>

#include <optional>

namespace zeror {

class Query;
class TData;

// The rules of the ticket entry screen that need no widgets: the checks of "OK" in their order,
// the number reservation, the statements and the totals.
namespace ticketentry {

// Values of SharedState::ticketEntryMode and SharedState::lineEntryMode.
inline const QString NewTicketMode = QStringLiteral("Új felvásárlási jegy");
inline const QString ModifyTicketMode = QStringLiteral("Ravuraruvida reva módositás");
inline const QString NewLineMode = QStringLiteral("Új tételsor");
inline const QString ModifyLineMode = QStringLiteral("Ravuraruvida reva módositás");

inline const QString EntryCaption = QStringLiteral("Ravuraruvida reva bevitel");

// Hiba texts of the entry screen.
inline const QString Hiba91 = QStringLiteral("Hiba91: Fjsor DELETE törlése mert nem volt fejrésze ");
inline const QString Hiba92 = QStringLiteral("Hiba92: Ravuraruvida reva tételsor DELETE törlésekor");
inline const QString Hiba93 = QStringLiteral("Hiba93: Új UPDATE Sorszam -ba ");
inline const QString Hiba94 = QStringLiteral("Hiba94: Újban, INSERT a Fjfejben ");
inline const QString Hiba95 = QStringLiteral("Hiba95: Módositás, UPDATE a Zeror fejben ");
inline const QString Hiba96 = QStringLiteral("Hiba96: az INSERT vagy UPDATE közben a zeror fejben!");

inline const QString NoLinesMessage = QStringLiteral("Nincs a felvásárlási jegynek tételsora!");
inline const QString LineDeletedMessage = QStringLiteral("Az tételsor törölve!");

// Ticket numbers are at most 8 digit characters (the width of F_BSZAM, S_BSZAM and A_FJBSZAM).
constexpr int TicketNumberWidth = 8;

// True for 1 to 8 digits: a number that the ticket and line columns can hold.
bool ticketNumberFits(const QString& number);

// The refusal shown when a ticket number cannot be stored: empty (no counter) or too long.
QString ticketNumberProblem(const QString& number);

// The next number from the counter text: its whole number (surrounding blanks removed) plus 1,
// in decimal without leading zeros. Empty when the text is not a whole number.
QString nextTicketNumber(const QString& counterText);

// Reads the buyer's counter row ("SELECT  *" "FROM  Sorszam" "WHERE a_aKod = :p1", query ZQ50).
// number is the next ticket number; problem explains why there is none (no row, not a number).
struct NumberReservation
{
    QString number;
    QString problem;
};
NumberReservation readNextTicketNumber(TData& data, const QString& buyerCode);

// Deletes the chosen buyer's lines left under the number by an abandoned entry (lines no stored
// ticket owns), committed at once so that a later rollback cannot bring them back.
void deleteAbandonedLines(TData& data, const QString& number);

// A new ticket's entry: the number shown (reserved, not taken), why there is none, and the key
// under which the entry keeps its lines until the ticket is stored, so that they never mix with
// another workstation's entry that was shown the same number.
struct NewEntry
{
    QString number;
    QString problem;
    QString linesKey;
};
// Reserves the number and clears abandoned entries (their lines; never another workstation's
// entry in progress). Throws WriteError ("Hiba91…") when the clearing fails.
NewEntry startNewEntry(TData& data, const QString& buyerCode);

// Deletes one line of the ticket being entered and commits at once; throws WriteError ("Hiba92…").
void deleteTicketLine(TData& data, qint64 lineId);

// What the operator typed into the header, as texts.
struct TicketHeaderInput
{
    QString id;            // hidden ID_FJFEJ, empty for a new ticket
    QString number;        // "Sorszám"
    QString producerCode;  // hidden F_OSTERMKOD
    QString issueDate;     // "Kiállítás"
    QString purchaseDate;  // "Felvásárlás"
    QString paymentDate;   // "Összeg átvétel/átutalás"
    QString szja;          // "Szja %"
    QString weightDeduction; // "Súlylevon.%"
    QString contribution;  // "Tagi h.járul.%"
    QString deduction;     // "Levonás (Ft)"
    QString remark;        // "Megjegyzés:"
    QString declaration;   // "Nyilatkozat:" text
    bool transfer = false;          // "Átutalással"
    bool declarationTicked = false; // "Nyilatkozat:" box
};

enum class HeaderField {
    Number,
    IssueDate,
    PurchaseDate,
    PaymentDate,
    Szja,
    Producer,
    Deduction,
    WeightDeduction,
    Contribution,
};

using HeaderFault = Fault<HeaderField>;

using zeror::isBlank;

// The checks of "OK" before the database is asked, in order: the ticket number can be stored;
// the eight fields are not empty (issuing, purchase and payment date, "Szja %", producer,
// "Levonás (Ft)", "Súlylevon.%", "Tagi h.járul.%"); the three dates are real dates; the four
// numbers can be read as numbers. The first fault is returned.
std::optional<HeaderFault> checkHeader(const TicketHeaderInput& in);

// The number fields read for the payable amount; nullopt when one cannot be read.
std::optional<PayableInput> payableInput(const QString& szja, const QString& contribution,
                                         const QString& deduction, bool transfer, double purchasePrice);

// The header columns as the statements bind them.
struct TicketHeaderValues
{
    qint64 id = 0;
    QString number;
    QString buyerCode;
    QString producerCode;
    QDate issueDate;
    QDate purchaseDate;
    QDate paymentDate;
    double szja = 0;
    QString remark;
    bool transfer = false;
    QString declaration; // already " " when the box is clear
    double deduction = 0;
    double contribution = 0;
    double payable = 0; // F_MUVKTG
    QString type;       // F_TIPUS, new tickets only
    double sumVar = 0;  // F_SUMVAR
};

// Converts an input that passed checkHeader.
TicketHeaderValues headerValues(const TicketHeaderInput& in, const QString& buyerCode, const QString& type,
                                qint64 payable, double sumVar);

// The statements of "OK", with their parameters bound (text as text, dates as dates, amounts
// and percentages as doubles, the key as an integer).
void prepareHeaderInsert(Query& q, const TicketHeaderValues& v);
void prepareHeaderUpdate(Query& q, const TicketHeaderValues& v);
void prepareCounterUpdate(Query& q, const QString& number, const QString& buyerCode);

// Stores the header. A new ticket's INSERT and the consumption of its number run in one
// transaction: a failure of either rolls both back, so header and counter never part. Throws
// WriteError with the Hiba text of the failing step and the database's reason.
void storeHeader(TData& data, bool isNew, const TicketHeaderValues& v);

// Stores a new ticket in one transaction: takes the buyer's next free number from the counter
// (an update that must change exactly one row), inserts the header under it and moves the
// entry's lines from linesKey to it. Another workstation storing at the same moment makes it
// start again after a short pause. Returns the number stored, which differs from v.number when
// that one was taken meanwhile. Throws WriteError ("Hiba93…", "Hiba94…", "Hiba96…") and stores
// nothing on failure.
QString storeNewTicket(TData& data, const TicketHeaderValues& v, const QString& linesKey);

// "SELECT  s_bszam, count(s_bszam) AS sdb" … the number of stored lines of the ticket (ZQ31).
int countTicketLines(TData& data, const QString& number);

// The lines of the ticket in the lines grid's query.
void openTicketLines(Query& q, const QString& number);
// The producer panel: "SELECT  *" "FROM  ostermelo" "WHERE o_kod = :p1".
void openProducerPanel(Query& q, const QString& producerCode);

// Sums of the purchase price, surcharge and price.
struct AmountSums
{
    double far = 0;
    double kfelar = 0;
    double var = 0;
};
// The ticket's sums from its stored lines (ZQ21); no lines give 0.
AmountSums readTicketSums(TData& data, const QString& number);
// The sums over every stored ticket of the producer (ZQ22).
AmountSums readProducerSums(TData& data, const QString& producerCode);

// The seven totals as the entry screen shows them.
struct TicketTotals
{
    QString far;    // "Felvásárlási ár": plain whole forints
    QString kfelar; // "Komp.felár": plain
    QString var;    // "Vételár": grouped
    QString payable; // "Fizetendö": plain, minus sign when negative
    QString producerFar; // "Eddig mindösszesen:" three, grouped
    QString producerKfelar;
    QString producerVar;
};
TicketTotals formatTotals(const AmountSums& ticket, qint64 payable, const AmountSums& producer);

// "Átutalással" is ticked for a producer whose bank account has at least 8 characters once
// the surrounding blanks are removed.
bool transferFromBankAccount(const QString& bankAccount);

// The payment date of a transfer: the purchase date plus the producer's O_FHAT days, or plus
// 8 days when O_FHAT is 0.
QDate transferPaymentDate(const QDate& purchaseDate, qint64 paymentDays);

// A stored declaration loads ticked when it has at least 6 characters.
bool declarationLoadsTicked(const QString& declaration);

} // namespace ticketentry
} // namespace zeror
