#pragma once

#include "Error.h"

#include "CharClass.h"
#include "TData.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zeror {

// The fields of the producer entry window, in its tab order (the read-only ID and code first
// here; the window puts them last in the tab order).
enum class ProducerField {
    Id,
    Kod,
    Nev,
    Irszam,
    Helysegnev,
    Kerulet,
    Utca,
    Jelleg,
    Hazszam,
    Epulet,
    Lepcso,
    Szint,
    Ajto,
    Adoazon,
    Igszam,
    Regszam,
    Szja,
    Szulhely,
    Szido,
    Anyja,
    Csgazd,
    Neme,
    Szulnev,
    Taj,
    Adoszam,
    Kozadoszam,
    Bankszla,
    Fhat,
    Ervkelt,
    Betetlap,
    Mnyptag,
    Kamara,
    Felir,
    Count
};
constexpr int kProducerFieldCount = static_cast<int>(ProducerField::Count);

// How one entry field looks and what it accepts.
struct ProducerFieldSpec {
    ProducerField field;
    const char* column;  // OSTERMELO column
    const char* label;   // UTF-8
    const char* suffix;  // text after the field ("%", "nap"), UTF-8
    const char* hint;    // tool tip, UTF-8
    int maxLength;       // 0: the key class decides
    CharClass keys;
    bool readOnly;
    const char* defaultText; // for a new producer
};

// The table of entry fields in tab order of the editable ones (ID and code first).
const std::array<ProducerFieldSpec, kProducerFieldCount>& producerFieldSpecs();
const ProducerFieldSpec& producerFieldSpec(ProducerField field);

// What the operator typed in the entry window.
struct ProducerInput {
    std::array<QString, kProducerFieldCount> values;
    bool emptyTajAllowed = true; // the tick box "Üres TAJ számmal is mentésre kerüljön"

    QString& operator[](ProducerField f) { return values[static_cast<size_t>(f)]; }
    const QString& operator[](ProducerField f) const { return values[static_cast<size_t>(f)]; }
};

// The first fault of an entry: its message and the field that gets the focus.
using ProducerFault = Fault<ProducerField>;

// Runs the entry checks in their fixed order and returns the first fault, or nothing.
std::optional<ProducerFault> checkProducer(const ProducerInput& input);

// Shared texts of the register.
namespace producertext {
extern const QString NewMode;        // "Új őstermelő"
extern const QString ChangeMode;     // "Őstermelő módositás"
extern const QString OnPrintedTicket;
extern const QString LastRow;
extern const QString Deleted;
extern const QString Hiba41;
extern const QString Hiba51;
extern const QString Hiba52;
extern const QString Hiba53;
extern const QString Hiba54;
extern const QString SortHintLabel;  // the sort label after opening
extern const QString ByNameLabel;    // the sort label after a store
} // namespace producertext

// The four lines of the list query; orderPosition > 0 replaces its ORDER BY line with
// "  ORDER BY " followed by the position.
QStringList producerListSql(int orderPosition = 0);

// Runs the list query on ZQ30 (by name, or by a column position) and positions it on the code.
void openProducerList(TData& data, int orderPosition = 0);
// Moves ZQ30 to the producer with the code: an exact match first, otherwise the first row whose
// code begins with it (ignoring case); no move when none does.
bool locateProducer(Query& query, const QString& code);

// The code of a new producer: the numeric maximum of the existing codes plus one, unpadded
// (query ZQ31). Codes of different lengths ("9", "00010") are compared by value.
QString nextProducerCode(TData& data);

// Number of printed tickets of the producer: on ZQ32 for a change, on ZQ31 before a deletion.
enum class PrintedCheck { BeforeChange, BeforeDelete };
qint64 printedTicketCount(TData& data, const QString& producerCode, PrintedCheck which);
// All producers (query ZQ31).
qint64 producerCount(TData& data);

// Deletes the producer by its key on ZQ31 and commits at once; throws WriteError ("Hiba41…").
void deleteProducer(TData& data, qint64 id);

// Fills an entry from the current row of a producer query; throws DbError when a field is
// missing or there is no current row.
ProducerInput producerFromRow(const Query& query);

// The INSERT (new) or UPDATE (change) on ZQ30 with its parameters; on success
// producerLocateCode is set to the code. The input must have passed checkProducer(). Throws
// WriteError with "Hiba52…" / "Hiba53…", or "Hiba54…" when the transaction could not start.
void storeProducer(TData& data, bool isNew, const ProducerInput& input);
QStringList producerInsertSql();
QStringList producerUpdateSql();

} // namespace zeror
