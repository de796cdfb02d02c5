#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "RowStore.h"

#include <memory>

namespace zeror {

// A value bound to one positional parameter, with the kind it is sent as.
struct BoundValue
{
    enum class Kind { Null, Text, Date, Double, Integer };
    Kind kind = Kind::Null;
    QVariant value;
};

// The rows of one SELECT, decoded into Qt values (NULL is an invalid QVariant).
struct RowSet
{
    QStringList columns; // upper case, as the database names them
    QVector<QVector<QVariant>> rows;
};

// One Firebird attachment with one transaction, through the engine's object-oriented API.
// SQL given here already uses positional '?' markers.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Points the embedded engine at a lock folder the user owns; safe to call repeatedly.
    static void prepareEnvironment();

    // Creates a new database file (WIN1250 default character set); fails when the file exists.
    void create(const QString& database, const QString& user, const QString& password);
    void attach(const QString& database, const QString& user, const QString& password);
    void detach();
    bool isAttached() const;

    void startTransaction();
    bool inTransaction() const;
    void commit();
    void commitRetaining();
    void rollback();

    // Runs a statement; a SELECT returns its rows. Starts the transaction when none is active.
    // A text value the WIN1250 code page cannot hold, or one longer than a parameter carries,
    // is refused with a DbError before the database is asked.
    RowSet run(const QString& sql, const QVector<BoundValue>& params, bool* returnedRows = nullptr);
    // The rows the last INSERT, UPDATE or DELETE run by run() or fetch() changed.
    qint64 affectedRows() const;
    // Runs a statement with no parameters and no rows (DDL), in the current transaction.
    void executeImmediate(const QString& sql);

    // Like run(), but keeps the rows compactly in the store (replacing what it held).
    void fetch(const QString& sql, const QVector<BoundValue>& params, RowStore& into, bool* returnedRows = nullptr);
    // The columns a SELECT would return, without running it; fails like run() when a table or
    // column is missing.
    RowStore describe(const QString& sql);
    // The access plan the engine chose for a statement, as "PLAN ..." lines.
    QString plan(const QString& sql);

    // A statement prepared once and executed many times (bulk loads), in the current transaction.
    class Statement
    {
    public:
        ~Statement();
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        void execute(const QVector<BoundValue>& params);

    private:
        friend class Connection;
        Statement() = default;
        struct Impl;
        std::unique_ptr<Impl> d;
    };
    std::unique_ptr<Statement> prepare(const QString& sql);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace zeror
