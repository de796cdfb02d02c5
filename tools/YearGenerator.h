#pragma once

#include <QString>

#include <functional>

namespace zeror::yeargen {

// The size of a generated year. The default is a busy two-buyer year.
struct Size
{
    int producers = 5000;
    int products = 200;
    int tickets = 50000; // ordinary and voiding tickets together
    int lines = 150000;

    // The default year scaled by the number of tickets, keeping the proportions.
    static Size forTickets(int tickets);
};

struct Summary
{
    int buyers = 0;
    int producers = 0;
    int products = 0;
    int tickets = 0;
    int voided = 0; // voided tickets; as many voiding tickets were made
    int lines = 0;
    int cashTickets = 0;
    QString firstBuyerLastNumber;
    QString secondBuyerLastNumber;
};

// Creates the database file through the program's own schema and fills it with a deterministic
// year (the same seed gives the same rows): two buyers with disjoint ticket numbers
// ("00001" from 20160001, "00002" from 16000001), Hungarian producers with valid identifiers,
// products at 7% and 12% surcharge, tickets over 2016 heavier at harvest, 70% paid in cash,
// and voided tickets with their voiding pairs. Index statistics are refreshed at the end.
// Throws zeror::Error.
Summary generateYear(const QString& database, const Size& size, unsigned seed = 2016,
                     const std::function<void(const QString&)>& progress = {});

} // namespace zeror::yeargen
