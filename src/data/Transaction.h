#pragma once

#include <QString>

namespace zeror {

class TData;

// One unit of work on the shared transaction: started (when none is active) on construction,
// committed by commit(), rolled back when the scope is left without a commit, so an exception
// between two statements never leaves half of them stored.
//
//     Transaction tx(data);
//     q1.exec();
//     q2.exec();
//     tx.commit();
class Transaction
{
public:
    // Throws DbError when the transaction cannot be started.
    explicit Transaction(TData& data);
    // Throws WriteError (stage Start) with the screen's text and the reason when it cannot start.
    Transaction(TData& data, const QString& startFailedMessage);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Commits; throws DbError (the work is then rolled back by the destructor).
    void commit();
    // Commits but keeps the transaction context, as the program does after reading.
    void commitRetaining();
    // Rolls back now; the destructor then does nothing.
    void rollback();
    bool isFinished() const { return m_finished; }

private:
    TData& m_data;
    bool m_finished = false;
};

} // namespace zeror
