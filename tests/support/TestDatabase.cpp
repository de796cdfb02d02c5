#include "TestDatabase.h"

#include "DbError.h"
#include "SharedState.h"

#include <stdexcept>

namespace zeror::test {

TestDatabase::TestDatabase(DatabaseSetup::Content content, DatabaseSetup::Layout layout)
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    sharedState().reset();
    DatabaseSetup::createDatabase(databasePath(), content, layout);
    m_data = std::make_unique<TData>();
    m_data->open();
    m_data->openTables();
}

TestDatabase::~TestDatabase()
{
    try {
        m_data->closeAtExit();
    } catch (...) {
    }
    m_data.reset();
    QDir::setCurrent(m_previousDir);
}

void TestDatabase::exec(const QString& sql)
{
    Query q(&m_data->connection(), QStringLiteral("test"));
    q.setSql({sql});
    q.exec();
    m_data->commit();
}

QString TestDatabase::scalar(const QString& sql)
{
    Query q(&m_data->connection(), QStringLiteral("test"));
    q.setSql({sql});
    q.open();
    if (q.isEmpty())
        return QString();
    return q.text(q.fieldNames().value(0));
}

void TestDatabase::chooseBuyer(const QString& code)
{
    Query q(&m_data->connection(), QStringLiteral("test"));
    q.setSql({QStringLiteral("SELECT * FROM atvevo WHERE v_akod = :p1")});
    q.setText(QStringLiteral("p1"), code);
    q.open();
    SharedState& s = sharedState();
    s.buyerCode = code;
    s.buyerDeclaration = q.text(QStringLiteral("V_NYILATK"));
    s.templateVariant = q.text(QStringLiteral("V_VERZIO")).left(1);
    s.normalTicketType = QStringLiteral("1");
    s.stornoTicketType = QStringLiteral("4");
}

} // namespace zeror::test
