#pragma once

#include "XlsWriter.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

namespace zeror {

class Query;

// The Excel export of the ticket lines of a period and of the producer register: the two
// queries, the sheet layouts, and the writing of FJFEJ.xls and OSTERMELO.xls.
namespace excel {

// Which ticket date the period is matched against.
enum class DateKind { Payment, Purchase }; // F_FIZKELT, F_FELVKELT

inline const QString kTicketWorkbook = QStringLiteral("FJFEJ.xls");
inline const QString kProducerWorkbook = QStringLiteral("OSTERMELO.xls");

inline const QString kSaveFailedMessage = QStringLiteral("A fájl mentése nem történt meg!");
inline const QString kDoneTitle = QStringLiteral("Kész!");
inline const QString kTicketsDoneMessage = QStringLiteral("A zeror konvertálás befejeződött!");
inline const QString kProducersDoneMessage = QStringLiteral("AZ östermelö konvertálás befejeződött!");
inline const QString kNothingGatheredMessage =
    QStringLiteral("Nincs mit exportálni: előbb a Kigyüjtés gombbal gyűjtse ki az adatokat!");

// The ticket-line query, line by line; the lines are joined to their header of the same buyer.
QStringList ticketSql(DateKind kind);
// The producer query, line by line: every producer of the database by name.
QStringList producerSql();

// The sheet layouts: column titles (the result columns as the database names them), widths,
// alignments and the bold title range (A1:AM1 for tickets, A1:P1 for producers).
xls::Layout ticketLayout();
xls::Layout producerLayout();

// The period the screen offers by default: the calendar year of today.
QDate defaultPeriodStart();
QDate defaultPeriodEnd();

// Runs the ticket query for the buyer and the period (both bounds inclusive) into the query;
// throws DbError.
void gatherTickets(Query& query, const QDate& from, const QDate& to, DateKind kind, const QString& buyerCode);
// Runs the producer query into the query; throws DbError.
void gatherProducers(Query& query);

// The folder the workbooks are written to: the one the operator chose last ("excel/folder" of
// zeror.ini), else the working folder.
QString exportFolder();
void setExportFolder(const QString& folder);

// Called after each written row with the rows done and the rows in all.
using Progress = std::function<void(int done, int total)>;

// Writes every row of the gathered query into the workbook at filePath through a temporary file
// that replaces the old workbook only when complete; a failure leaves the old file (or none) and
// throws Error with kSaveFailedMessage.
void writeWorkbook(const Query& query, const xls::Layout& layout, const QString& filePath,
                   const Progress& progress = {});

} // namespace excel
} // namespace zeror
