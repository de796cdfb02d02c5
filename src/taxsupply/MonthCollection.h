#pragma once

#include "Error.h"
#include "ImportFile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zeror {
class TData;
}

// The month's collection for the tax form "1608M": the month check of the period, the import
// file of every producer paid in the month, the group-import list file and the grand total, and
// the statement the printed summary is made from.
namespace zeror::taxsupply {

enum class PeriodField { From, To };

// Which control asked for the month check; each has its own message.
enum class MonthCheckTrigger { LeavingSecondDate, OkButton };

// Only the month numbers of the two dates are compared (not the years, not the order): a fault
// with "Hiba111! …" or "Hiba112! …" when they differ.
std::optional<Fault<PeriodField>> checkMonth(const ImportPeriod& period, MonthCheckTrigger trigger);

// The month folder as a real folder of this computer ("C:\RU2016\" + mm + "\" mapped).
QString monthFolder(const ImportPeriod& period);

struct CollectOutcome
{
    QString folder;               // the real month folder
    bool folderCreated = false;   // it did not exist and was made
    int deletedFiles = 0;         // files of an earlier run (or strangers) removed from it
    QString grandTotal;           // the month's total paid, as in the amount lines
    QStringList importFiles;      // full names of the written import files, by producer code
    QString listFile;             // full name of the group-import list file
    QStringList withoutBirthDate; // "code name" of the producers written with an empty birth date
};

// Called after each file written: how many of how many.
using Progress = std::function<void(int done, int total)>;

// "Kigyüjtés": reads the buyer (ZQ60), the grand total and the paid producers' sums (ZQ20, left
// open on the producer rows for the grid) and the paid producers (ZQ21); refuses, before the
// folder is touched, producers whose import files would share a name (the same tax identifier,
// or none) or who are missing from the register; then creates the month folder when it is
// missing, empties it, and writes every import file and the list file, each whole or not at all.
// Throws Error (DbError for the database) with the text for the operator.
CollectOutcome collectMonth(TData& data, const QString& buyerCode, const ImportPeriod& period,
                            const Progress& progress = {});
// The same into the given folder instead of the month folder (the command-line export names its own).
CollectOutcome collectMonth(TData& data, const QString& buyerCode, const ImportPeriod& period, const QString& folder,
                            const Progress& progress = {});

// The message naming what the operator should know after a run: the folder made and the
// producers written without birth date; "" when there is nothing to say.
QString collectNotes(const CollectOutcome& outcome);

// Empties the screen's grid on opening: ZQ20 on ticket lines of the blank ticket number.
void clearGrid(TData& data);

// Opens ZQ20 on the producers paid in the period with their sums, by producer code (the grid).
void openPaidProducers(TData& data, const QString& buyerCode, const ImportPeriod& period);

// Prepares ZQ20 with the per-producer sums and names that the printed summary lists.
void prepareSummary(TData& data, const QString& buyerCode, const ImportPeriod& period);

} // namespace zeror::taxsupply
