#pragma once

#include <QString>

namespace zeror {

class TData;

// Messages of the upgrade and clean-up screens.
inline const QString kPensionFundExists = QStringLiteral("Már létezik!");
inline const QString kFelirExists = QStringLiteral("Már létezik az östermelöben!");
inline const QString kUpgradeDone = QStringLiteral("Módositás végrehajtva.");
inline const QString kCleanupDone = QStringLiteral("Vége.");

// What an upgrade that is guarded by a column check did.
enum class UpgradeResult { Done, AlreadyThere };

// Adds the pension-fund column O_MNYPTAG to OSTERMELO unless it is there (ZQ30 checks, the write
// procedure runs the ALTER). Throws WriteError: stage Statement with "Hiba281…" when the ALTER
// or its commit failed (rolled back), stage Start with "Hiba282…" when no transaction started.
UpgradeResult addPensionFundColumn(TData& data);

// Adds the FELIR column O_FELIR to OSTERMELO unless it is there (ZQ32 checks, ZQ31 alters).
// Throws WriteError with "Hiba371…" / "Hiba372…".
UpgradeResult addFelirColumn(TData& data);

// Widens the domain D_KAMARA of the chamber number to 20 characters (ZQ31); harmless to repeat.
// Throws WriteError with "Hiba421…" / "Hiba422…".
void widenChamberNumber(TData& data);

// Sets O_SZJA = 1 on every producer whose tax identifier repeats the one of the producer before
// it in tax identifier and code order (empty identifiers count as equal); the first of each group
// is left alone. All rows or none are stored. Returns the number of rows marked; throws DbError.
int markRepeatedTaxIdentifiers(TData& data);

} // namespace zeror
