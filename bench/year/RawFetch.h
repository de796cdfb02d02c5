#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>

// The database's own speed: a plain fetch of every row of a query over Firebird's OO API, with
// nothing kept but a running checksum, on an attachment of its own.
namespace rawfetch {

struct Result
{
    qint64 rows = 0;
    double ms = 0;
};

// Parameters are positional ('?'): a QDate is bound as a date, anything else as text.
Result fetch(const QString& database, const QString& sql, const QVector<QVariant>& params);

// Attaching and preparing the statements, without fetching.
double attachAndPrepare(const QString& database, const QStringList& statements);

} // namespace rawfetch
