#pragma once

#include "DbError.h"

#include <QString>

#include <functional>

namespace zeror {

class TData;

// Ticket numbers with any number of workstations on one database: an entry in progress keeps its
// lines under a key of its own connection, and the number is taken from the buyer's counter only
// in the transaction that stores the ticket, by an update that applies only while the counter
// still holds what was read.
namespace ticketnumbers {

// The key under which this connection's entry in progress keeps its lines: "0" and seven digits
// of the connection's number. A ticket number never starts with 0, so the key is never one.
QString entryLinesKey(TData& data);

// True for a key made by entryLinesKey (8 digits beginning with 0).
bool isEntryLinesKey(const QString& key);

// Clears what abandoned entries of the buyer left behind, and commits: the lines under this
// connection's key (its previous, abandoned entry), the lines of entries whose workstation is no
// longer connected, and lines under `number` that have no header (left by an older version of
// the program). Another workstation's entry in progress is never touched. Throws WriteError with
// failureText and the reason.
void clearAbandonedEntries(TData& data, const QString& buyerCode, const QString& number, const QString& entryKey,
                           const QString& failureText);

// Raised inside a unit of work when another workstation got there first (its lock is held, or
// the counter moved on): the work is rolled back and tried again.
class Conflict : public Error
{
public:
    using Error::Error;
};

// True for a database failure that another workstation's concurrent work causes: a lock
// conflict, an update conflict, or the unique ticket-number key refusing a number just taken.
bool isConflict(const DbError& e);

// Runs the unit of work; when it throws Conflict (or a DbError that isConflict), it is run
// again after a short random pause, up to `attempts` times. The last attempt is told so
// (lastAttempt true): it reports a conflict as its own failure.
void withRetries(const std::function<void(bool lastAttempt)>& work, int attempts = 60);

// Inside the caller's transaction: reads the buyer's counter, finds the next number not yet on
// one of the buyer's tickets, and moves the counter to it by an UPDATE that must change exactly
// one row (the counter still holding what was read). Throws Conflict when another workstation
// moved the counter meanwhile, Error when the buyer has no counter or the number does not fit.
QString takeNextNumber(TData& data, const QString& buyerCode);

// What the operator is told when the number shown at the start was taken meanwhile.
QString numberChangedMessage(const QString& shownNumber, const QString& storedNumber);

} // namespace ticketnumbers
} // namespace zeror
