#pragma once

#include <QList>
#include <QString>

namespace zeror {

class TData;

// The unique key on a buyer's ticket numbers (FJFEJ: F_AKOD, F_BSZAM). New databases get it from
// the schema; a database made before it gets it once at start-up, when its tickets allow it.
namespace ticketkey {

inline const QString KeyName = QStringLiteral("UQ_FJFEJ_AKOD_BSZAM");

// A (buyer, number) pair stored on more than one ticket header.
struct DuplicateNumber
{
    QString buyerCode;
    QString number;
    int count = 0;
};

// True when the database already has the key.
bool hasKey(TData& data);

// The pairs stored more than once, in buyer and number order.
QList<DuplicateNumber> findDuplicates(TData& data);

// The start-up step: when the key is missing, lists the duplicate pairs and creates the key (and
// commits) only when there are none. Returns the duplicates that kept it from being created;
// empty when the key is in place. Throws DbError when the key cannot be created.
QList<DuplicateNumber> ensureKey(TData& data);

// What the operator reads about the duplicates: every pair with its count, and what to do.
QString duplicatesMessage(const QList<DuplicateNumber>& duplicates);

} // namespace ticketkey
} // namespace zeror
