#pragma once

#include "Error.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zeror {

class TData;

namespace auditxml {

// The fields of the audit-XML screen a fault sends the focus to (None: a data fault).
enum class AuditField { None, DateFrom, DateTo, NumberFrom, NumberTo, Path, Onszla, Papir };

// How "Kigyűjtés" selects the tickets: by the date made out, by the purchase date, or by number.
enum class SelectBy { IssueDate, PurchaseDate, Number };

struct CollectRequest
{
    SelectBy by = SelectBy::IssueDate;
    QDate from;
    QDate to;
    QString numberFrom;
    QString numberTo;
    QString onszla; // written into ZA_ONSZAMLA
    QString papir;  // written into NE_SZLA_FORMA
};

// Reports the work done so far (tickets collected of the total); for a progress bar.
using Progress = std::function<void(int done, int total)>;

// The date range: the first date must not be after the second ("Dátum tól-ig hiba.").
std::optional<Fault<AuditField>> checkCollectRequest(const CollectRequest& request);

// The buyer's data the invoices need: the street, and a community tax number of at least
// 8 characters when one is given. Reads the buyer's row (ZQ60); throws DbError.
std::optional<Fault<AuditField>> checkBuyerForCollect(TData& data, const QString& buyerCode);

// The SELECT of the tickets for the way of selection, line by line.
QStringList ticketSelectSql(SelectBy by);
// The INSERT of one NAVFEJ row, line by line, with the parameters a1, b1…b10, c1…c13, d1…d13,
// e1…e11 in the order of its columns.
QStringList navFejInsertSql();

// Empties NAVFEJ and NAVSOR and fills NAVFEJ with one row per selected ticket (the header with
// its buyer and producer as they stand), all in one transaction: when any ticket cannot be
// stored nothing of this collection stays and NAVFEJ keeps the previous collection. The selected
// tickets are left in ZQ10 for the screen's grid. Returns the number of rows collected.
// Throws Error with "Hiba401…" / "Hiba402…" naming the statement, the ticket and the reason.
int collectNavFej(TData& data, const QString& buyerCode, const CollectRequest& request,
                  const Progress& progress = {});

// "1.A FEJ adatok kigyűjtése vége." and, on a second line, the hint to "EXPORT".
QString collectDoneMessage();

} // namespace auditxml
} // namespace zeror
