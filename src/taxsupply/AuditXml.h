#pragma once

#include "NavFej.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace zeror {

class TData;

namespace auditxml {

// What "Export" writes: the period choice of the screen, the optional section, the buyer whose
// lines are read and the real path of the file.
struct ExportRequest
{
    SelectBy by = SelectBy::IssueDate;
    QDate from; // the two date pickers: the file's period when selecting by date
    QDate to;
    bool optionalSection = true; // "Nem kötetező tipusok is kitöltve": the `nem_kotelezo` group
    QString buyerCode;
    QString stornoType = QStringLiteral("4"); // the type of a voiding document
    QString path;                             // where the file goes (a real local path)
};

// What an export wrote, for the screen: the number range goes back into the number fields.
struct ExportSummary
{
    int count = 0;
    QString minNumber;
    QString maxNumber;
    QDate periodFrom;
    QDate periodTo;
    QString path;
};

// The checks of the collected rows in table order, each row through every check before the
// next; the first failing one ("Javitandó! …", naming the ticket) blocks the export. Throws DbError.
std::optional<Fault<AuditField>> checkNavFejRows(TData& data);

// The SELECT of the lines of the collected tickets, line by line: the buyer's (:p0) lines within
// the collected number range (:p1 … :p2), each joined to its own header so that lines of another
// buyer under the same number are never taken. Read in one go: a query per ticket would cost a
// statement preparation each.
QStringList collectedLinesSql();

// Writes the XML file of the collected rows line by line, whole or not at all: it goes to a
// temporary file that replaces the previous export only when complete. An empty collection is
// refused (the authority's schema asks for at least one invoice). Throws Error.
ExportSummary exportAuditXml(TData& data, const ExportRequest& request, const Progress& progress = {});

// The messages of the export.
QString exportDoneMessage(const QString& writtenPath);
QString emptyCollectionMessage();

// The namespaces of the root element.
inline constexpr char kInvoiceNamespace[] = "http://schemas.nav.gov.hu/2013/szamla";

} // namespace auditxml
} // namespace zeror
