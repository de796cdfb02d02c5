#pragma once

#include <QString>
#include <exception>

namespace zeror {

// The one error type of the data layer: carries the database's message and codes.
class DbError : public std::exception
{
public:
    enum class Kind { General, NotFound, InUse, NotADatabase, LockConflict };

    explicit DbError(QString message, Kind kind = Kind::General, int sqlCode = 0, long gdsCode = 0)
        : m_message(std::move(message)), m_kind(kind), m_sqlCode(sqlCode), m_gdsCode(gdsCode),
          m_utf8(m_message.toUtf8())
    {
    }

    const char* what() const noexcept override { return m_utf8.constData(); }
    const QString& message() const { return m_message; }
    Kind kind() const { return m_kind; }
    int sqlCode() const { return m_sqlCode; }
    long gdsCode() const { return m_gdsCode; }

private:
    QString m_message;
    Kind m_kind;
    int m_sqlCode;
    long m_gdsCode;
    QByteArray m_utf8;
};

} // namespace zeror
