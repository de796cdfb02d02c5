#pragma once

#include "Error.h"

namespace zeror {

// A failure reported by the database: the engine's message and the codes callers tell apart.
class DbError : public Error
{
public:
    enum class Kind { General, NotFound, InUse, NotADatabase, LockConflict };

    explicit DbError(QString message, Kind kind = Kind::General, int sqlCode = 0, long gdsCode = 0)
        : Error(std::move(message)), m_kind(kind), m_sqlCode(sqlCode), m_gdsCode(gdsCode)
    {
    }

    Kind kind() const { return m_kind; }
    int sqlCode() const { return m_sqlCode; }
    long gdsCode() const { return m_gdsCode; }

private:
    Kind m_kind;
    int m_sqlCode;
    long m_gdsCode;
};

} // namespace zeror
