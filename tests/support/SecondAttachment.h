#pragma once

// A second attachment to the test database, as another program would hold it: reads commit at
// once, writes stay uncommitted (holding their row locks) until the object goes.

#include "Connection.h"
#include "Query.h"
#include "TData.h"

#include <QString>

namespace zeror::test {

struct SecondAttachment
{
    explicit SecondAttachment(const QString& path)
    {
        connection.attach(path, QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password));
    }
    QString scalar(const QString& sql)
    {
        Query q(&connection, QStringLiteral("second"));
        q.setSql({sql});
        q.open();
        const QString value = q.isEmpty() ? QString() : q.text(q.fieldNames().value(0));
        connection.commit();
        return value;
    }
    void execUncommitted(const QString& sql)
    {
        Query q(&connection, QStringLiteral("second"));
        q.setSql({sql});
        q.exec();
    }
    Connection connection;
};

} // namespace zeror::test
