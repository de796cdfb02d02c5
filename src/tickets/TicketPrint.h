#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace zeror {

class Query;
class TData;

// What the printed ticket's variables are computed from: the list row's values and the sums of
// the ticket's stored lines.
struct TicketPrintInput
{
    double far = 0; // SUM(s_Felvar)
    double kar = 0; // SUM(s_Kompfelar)
    double var = 0; // SUM(s_Vetelar): V of the payable-amount rule

    double szjaPercent = 0;         // F_SZJA
    double contributionPercent = 0; // F_JARULSZAZ
    double deduction = 0;           // F_LEVONAS
    QString utal;                   // F_UTAL: "x" by transfer, otherwise cash
    QDate paymentDate;              // F_FIZKELT
    QString declaration;            // F_NYILATK
    QString printed;                // F_PRN: "I" once printed
    QString type;                   // F_TIPUS
    QString counterpart;            // F_ERVENYT
    QString normalTicketType;       // the shared normalTicketType
};

// The report variables of one ticket printout, in the order they are set.
using TicketVariables = QList<QPair<QString, QVariant>>;

// The 77 dots of a signature line.
QString signatureDots();

// Every variable of the ticket printout ("v_far" … "v_ervenyteleniti"): the amounts by the
// payable-amount rule, the amount in words, the payment, receipt and declaration texts, the copy
// mark and the voiding line.
TicketVariables ticketPrintVariables(const TicketPrintInput& in);

// Looks a variable up by name; an invalid QVariant when it is not there.
QVariant ticketVariable(const TicketVariables& vars, const QString& name);

// The ticket template of a layout letter: "FjLista7" + letter + ".frf".
QString ticketTemplateName(const QString& templateVariant);

// Reads the input from the list row (ZQ10's current row) and the sums query (ZQ21; no row = 0).
TicketPrintInput ticketPrintInput(const Query& listRow, const Query& sums, const QString& normalTicketType);

// True when the ticket list (ZQ10) stands on a ticket.
bool hasSelectedTicket(const TData& data);

// What the screen does after the printout's queries ran.
struct TicketPrintout
{
    QString number;
    QString templateFile;
    bool printing = false;    // "Nyomtat": printing is offered; otherwise only viewing
    bool markPrinted = false; // printing a ticket not yet printed
};

// The printout of ZQ10's current row by printAction ("Nyomtat" prints, "Megtekint" only views):
// opens the lines, producer, buyer, sums and header queries and sets the variables; throws DbError.
TicketPrintout prepareTicketPrintout(TData& data);

// Throws Error with the reason when the template file cannot be loaded.
void checkTemplateLoads(const QString& templateFile);

// Sets the ticket's print flag and commits at once; throws WriteError ("Hiba81…" and the reason).
void markTicketPrinted(TData& data, const QString& number);

} // namespace zeror
