#pragma once

#include "Connection.h"
#include "DbError.h"
#include "Query.h"
#include "SharedState.h"

#include <QObject>

#include <functional>

namespace zeror {

// The texts of the write procedure's two failures: the screen's "Hiba…" text when a statement or
// the commit fails, and the one when the transaction cannot even be started (the same text when
// this is left empty).
struct WriteMessages
{
    WriteMessages(QString statementFailedText, QString startFailedText = QString())
        : statementFailed(std::move(statementFailedText)), startFailed(std::move(startFailedText))
    {
    }
    QString statementFailed;
    QString startFailed;
};

// A failure of the write procedure: the message is the screen's text followed by the database's
// reason on the next line; the stage tells the screen whether anything was attempted.
class WriteError : public Error
{
public:
    enum class Stage { Start, Statement };
    WriteError(Stage stage, const QString& screenMessage, const QString& reason);

    Stage stage() const { return m_stage; }
    const QString& reason() const { return m_reason; }

private:
    Stage m_stage;
    QString m_reason;
};

// The shared data module: one attachment, one transaction, the table datasets and the named queries.
class TData : public QObject
{
    Q_OBJECT

    // Declared first: the queries below keep its address.
    Connection m_connection;

public:
    static constexpr const char* DefaultDatabase = "ru2016.fdb";
    static constexpr const char* User = "SYSDBA";
    static constexpr const char* Password = "pelvaroni";

    explicit TData(QObject* parent = nullptr);
    ~TData() override;

    // The one data module of the process (the last one created).
    static TData* instance();

    // The database to open: a bare file name (resolved against the working folder),
    // a path, or host:/path for a server. Defaults to "ru2016.fdb".
    void setDatabaseName(const QString& name) { m_databaseName = name; }
    const QString& databaseName() const { return m_databaseName; }

    // Opens the connection; throws DbError.
    void open();
    // Closes and re-opens the six table datasets; throws DbError when a table is missing.
    // Their rows are read when first used, not here.
    void openTables();
    // Commits with retention when a transaction is active, then closes the connection.
    void closeAtExit();
    bool isConnected() const { return m_connection.isAttached(); }

    Connection& connection() { return m_connection; }

    // The shared transaction.
    bool inTransaction() const { return m_connection.inTransaction(); }
    void startTransaction() { m_connection.startTransaction(); }
    void commit() { m_connection.commit(); }
    void commitRetaining() { m_connection.commitRetaining(); }
    void rollback();

    // The write procedure: starts the transaction when needed, runs the statements and commits.
    // A failure is rolled back and thrown as WriteError with the matching text of `messages`.
    void write(const WriteMessages& messages, const std::function<void()>& statements);

    // Finds a named query or table dataset by component name; nullptr when unknown.
    Query* query(const QString& componentName);
    QList<Query*> allQueries() const;

    // Identifier checks and text helpers shared by the screens.
    static bool AdoazonEllenorzes(const QString& s);
    static bool AdoszamEllenorzes(const QString& s);
    static bool TAJEllenorzes(const QString& s);
    static QString XMLdatum(const QString& s);
    static QString threeDigitsInWords(const QString& s);
    static QString amountInWords(qint32 n);
    // Sets nameHead and nameTail of the shared state.
    void ujnev(const QString& name);
    // Sets buyerStreetLine from the chosen buyer's row (query ZQ61).
    void atv_utca();
    // Sets producerStreetLine from the producer of ZQ10's current row (query ZQ33).
    void ost_utca();

    // Table datasets on FJFEJ, FJSOR, OSTERMELO, TERMEK, SORSZAM, ATVEVO.
    Query IBTable1;
    Query IBTable2;
    Query IBTable3;
    Query IBTable4;
    Query IBTable5;
    Query IBTable6;

    // Named queries; the rules replace their text before use, templates address them by name.
    Query ZQ10; // the ticket list of the chosen buyer (headers joined with their producer); printout master
    Query ZQ11; // one ticket's header: entry store, printout header, ticket counts of a buyer
    Query ZQ20; // the lines of a ticket; the collected rows of the data check and the period lists
    Query ZQ21; // sums of a ticket's lines (entry totals, printout); per-producer sums of the lists
    Query ZQ22; // abandoned-line clean-up and the line copies of voiding
    Query ZQ30; // the producer register list and the producer of a printout
    Query ZQ31; // single statements: line and register deletes, line store, print flag, counts
    Query ZQ32; // producer checks of the register (printed tickets of a producer)
    Query ZQ33; // the producer read for the producer's street line
    Query ZQ40; // the product register list
    Query ZQ41; // product store and delete, product code checks
    Query ZQ50; // the buyer's ticket counter (SORSZAM): read, year opening, consumption
    Query ZQ60; // the chosen buyer's row, read before every printout
    Query ZQ61; // the buyer record's store and the buyer's street line
    Query ZQ80; // the per-product and per-producer detail feeds of the lists
    Query ZQ90; // the audit XML's collection (NAVFEJ) and export
    Query ZQ91; // the text export's table reads

private:
    QString m_databaseName;
};

} // namespace zeror
