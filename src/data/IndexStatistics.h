#pragma once

namespace zeror {

class Connection;
class TData;

// Firebird chooses its plans by the selectivity stored with each index, and stores it only when
// an index is built or its statistics are recomputed. Indexes made on empty tables keep a
// selectivity of 0 ("every key unique"), which makes the engine combine the buyer index into
// every ticket lookup of a join and read a year of headers several times over.

// Recomputes the statistics of every index of the database's own tables and commits
// (with retention in the shared transaction of the data module). Throws DbError.
void refreshIndexStatistics(Connection& connection);
void refreshIndexStatistics(TData& data);

// True when some index's statistics no longer describe its table: an index of a table that has
// rows still holds the selectivity of an empty table, or a table has grown to more than twice
// the rows its primary key was last measured at.
bool indexStatisticsStale(Connection& connection);

// Refreshes the statistics when they are stale; returns whether it did. Called at start-up.
bool refreshIndexStatisticsIfStale(TData& data);

// Refreshes stale statistics after an import has stored rows, so the next lists are planned for
// the grown tables. The rows are committed already: a failure here only leaves the plans as they
// were, so it is swallowed rather than reported as a failed import.
void refreshStatisticsAfterImport(TData& data) noexcept;

} // namespace zeror
