#pragma once

#include "Error.h"

#include <QString>

#include <optional>

namespace zeror {

class Query;
class TData;

// The rules of the ticket line screen that need no widgets.
namespace ticketentry {

inline const QString LineCaption = QStringLiteral("Ravuraruvida reva tételsor");

inline const QString Hiba101 = QStringLiteral("Hiba101: a terméksor feltöltésben való megjelenitésekor!");
inline const QString Hiba102 = QStringLiteral("Hiba102: a termék feltöltésben való megjelenitésekor!");
inline const QString Hiba103 = QStringLiteral("Hiba103: Új, INSERT a fjsorban ");
inline const QString Hiba104 = QStringLiteral("Hiba104: Módosit, UPDATE a fjsorban ");
inline const QString Hiba105 = QStringLiteral("Hiba105: az INSERT vagy UPDATE közben a terméksorban!");

// What the line screen holds, as texts.
struct TicketLineInput
{
    QString id;              // hidden ID_fjsor, empty for a new line
    QString number;          // "Bszám": the entry screen's "Sorszám"
    QString productCode;     // "Kód"
    QString name;            // "Megnevezés"
    QString vtsz;            // "VTSZ"
    QString quantity;        // "Mennyiség"
    QString unit;            // "Menny. egys."
    QString unitPrice;       // "Egységár"
    QString rate;            // "Komp.mértéke"
    QString document;        // "Bizonylat"
    QString weightDeduction; // the entry screen's "Súlylevon.%"
};

enum class LineField { Number, Name, Vtsz, Quantity, Unit, UnitPrice, Rate, WeightDeduction, Id };

using LineFault = Fault<LineField>;

// The checks of "OK" in order: the ticket number can be stored; "Megnevezés", "VTSZ",
// "Mennyiség", "Menny. egys.", "Egységár", "Komp.mértéke" are not empty; the three numbers and
// the entry screen's "Súlylevon.%" can be read; a changed line has its ID.
std::optional<LineFault> checkLine(const TicketLineInput& in, bool isNew);

// The line statements with their parameters bound: texts as text, the quantity, the unit
// price, the rate and the weight deduction as doubles, the line ID as an integer.
void prepareLineInsert(Query& q, const TicketLineInput& in, const QString& buyerCode);
void prepareLineUpdate(Query& q, const TicketLineInput& in, const QString& buyerCode);

// Stores the line and commits it at once; throws WriteError ("Hiba103…" / "Hiba104…", or
// "Hiba105…" when the transaction could not start).
void storeLine(TData& data, bool isNew, const TicketLineInput& in, const QString& buyerCode);

// After a store: the entry screen's lines grid again, positioned on the line ID (prefix match;
// an empty ID leaves it on its first line).
void reopenEntryLines(Query& q, const QString& number, const QString& lineId);

} // namespace ticketentry
} // namespace zeror
