#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zeror {

class TData;

// The guidance texts of the year-opening screen, top to bottom.
QStringList yearOpeningGuidance();

// What the screen shows when it opens: locked once the buyer has a ticket; otherwise the
// current counter (empty when the buyer has no counter row yet).
struct YearOpeningState
{
    bool locked = false;
    QString currentNumber;
};
// Counts the buyer's tickets (ZQ11) and, when there is none, reads the counter (ZQ50); throws DbError.
YearOpeningState readYearOpening(TData& dataModule, const QString& buyerCode);

// The first fault of a new starting number, as the message to show; nullopt when acceptable:
// not blank, exactly 8 characters, digits only, no leading zero.
std::optional<QString> checkStartingNumber(const QString& text);

// Inserts or updates the buyer's SORSZAM row with the new starting number through the write
// procedure, committed at once so that no later rollback can discard it. The number must have
// passed checkStartingNumber. True when a new counter row was made (the buyer had none); throws
// Error with the message to show.
bool storeStartingNumber(TData& dataModule, const QString& buyerCode, const QString& number);

} // namespace zeror
