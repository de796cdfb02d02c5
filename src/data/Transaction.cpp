#include "Transaction.h"

#include "TData.h"

namespace zeror {

Transaction::Transaction(TData& data) : m_data(data)
{
    if (!m_data.inTransaction())
        m_data.startTransaction();
}

Transaction::Transaction(TData& data, const QString& startFailedMessage) : m_data(data)
{
    try {
        if (!m_data.inTransaction())
            m_data.startTransaction();
    } catch (const DbError& e) {
        throw WriteError(WriteError::Stage::Start, startFailedMessage, e.message());
    }
}

Transaction::~Transaction()
{
    if (m_finished)
        return;
    try {
        m_data.rollback();
    } catch (...) {
        // A rollback that fails leaves nothing to undo: the engine has dropped the work already.
    }
}

void Transaction::commit()
{
    m_data.commit();
    m_finished = true;
}

void Transaction::commitRetaining()
{
    m_data.commitRetaining();
    m_finished = true;
}

void Transaction::rollback()
{
    m_finished = true;
    m_data.rollback();
}

} // namespace zeror
