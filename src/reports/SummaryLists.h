#pragma once

#include "PeriodLists.h"

#include <QString>
#include <QStringList>

namespace zeror {

class Query;
class TData;

// ---- "Egy östermelö havi bontásban termékenként " --------------------------------------------

// The chosen producer as the monthly list shows and prints it.
struct ProducerCard
{
    QString code;
    QString name;      // v_nev
    QString address;   // v_cim: postcode, place and street, two blanks between
    QString birthData; // v_szido: "Szül.idö: " + birth date + "  Anyja neve: " + mother's name
};

// "Őstermelő", first step: all producers into ZQ30 by name, positioned on the first whose name
// begins with the typed letters (ignoring case; no match stays on the first). Returns its code.
// Throws DbError.
QString locateProducerByName(TData& data, const QString& prefix);

// The producer card of ZQ30's current row (empty when ZQ30 has no row).
ProducerCard producerCard(const Query& producers);

// The three totals of a list, each in the shortest general form ("0" when empty).
struct ListTotals
{
    QString purchasePrice; // v_far
    QString surcharge;     // v_kar
    QString paid;          // v_var
};

// "Kigyüjtés": the producer's totals, then its rows into ZQ11 (per purchase month and product,
// or one row per ticket line when detailed), standing on the last row. Throws DbError.
ListTotals collectProducerMonthly(TData& data, const QString& buyerCode, const QString& producerCode, bool detailed);

ListPrintJob producerMonthlyPrint(const ProducerCard& producer, const ListTotals& totals);

// ---- "Kp. napilista" ------------------------------------------------------------------------

// "Kigyüjtés": the cash tickets' payments per payment day (or per day and product) into ZQ11,
// standing on the last row. A ticket without any transfer mark counts as cash. Throws DbError.
void collectCashDaily(TData& data, const QString& buyerCode, bool perProduct);

ListPrintJob cashDailyPrint(bool perProduct);

// ---- "Statisztika" ----------------------------------------------------------------------------

// "Kigyüjtés": the buyer's totals (purchase price and paid price), then the rows per product and
// purchase month (or per product overall) into ZQ11, standing on the last row. A group whose
// quantity sums to 0 has an empty average price. Throws DbError.
ListTotals collectStatistics(TData& data, const QString& buyerCode, bool overall);

ListPrintJob statisticsPrint(const ListTotals& totals, bool overall);

// ---- "Szerzödés nyomtatás" --------------------------------------------------------------------

// The contract's ten typed-in fields, top to bottom.
struct ContractField
{
    QString label;    // "Sorszám:"
    QString unit;     // "Ha", "t", "kg" or empty
    QString variable; // "v_szam"
};
const QList<ContractField>& contractFields();

// Puts ZQ30 on the chosen producer for the contract: kept as it is when its current row is that
// producer, otherwise located or read again. Throws DbError.
void positionContractProducer(TData& data, const QString& producerCode);

// The contract print: the ten variables from the fields (in contractFields() order); the buyer
// row is not re-read.
ListPrintJob contractPrint(const QStringList& values);

} // namespace zeror
