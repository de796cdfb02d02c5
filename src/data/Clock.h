#pragma once

#include <QDate>
#include <QDateTime>

namespace zeror::clock {

// "Today" and "now" of the program: the system clock, unless a fixed moment is set (tests, and
// the command line's date option), so period defaults and file names are repeatable.
QDate today();
QDateTime now();

// Fixes the clock at the moment; an invalid value returns to the system clock.
void setFixed(const QDateTime& moment);
inline void setFixedDate(const QDate& day) { setFixed(QDateTime(day, QTime(12, 0))); }

} // namespace zeror::clock
