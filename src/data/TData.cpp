#include "TData.h"

#include "DbError.h"
#include "TextHelpers.h"

namespace zeror {

namespace {
TData* g_instance = nullptr;
}

TData::TData(QObject* parent)
    : QObject(parent),
      IBTable1(&m_connection, QStringLiteral("IBTable1"), this),
      IBTable2(&m_connection, QStringLiteral("IBTable2"), this),
      IBTable3(&m_connection, QStringLiteral("IBTable3"), this),
      IBTable4(&m_connection, QStringLiteral("IBTable4"), this),
      IBTable5(&m_connection, QStringLiteral("IBTable5"), this),
      IBTable6(&m_connection, QStringLiteral("IBTable6"), this),
      ZQ10(&m_connection, QStringLiteral("ZQ10"), this),
      ZQ11(&m_connection, QStringLiteral("ZQ11"), this),
      ZQ20(&m_connection, QStringLiteral("ZQ20"), this),
      ZQ21(&m_connection, QStringLiteral("ZQ21"), this),
      ZQ22(&m_connection, QStringLiteral("ZQ22"), this),
      ZQ30(&m_connection, QStringLiteral("ZQ30"), this),
      ZQ31(&m_connection, QStringLiteral("ZQ31"), this),
      ZQ32(&m_connection, QStringLiteral("ZQ32"), this),
      ZQ33(&m_connection, QStringLiteral("ZQ33"), this),
      ZQ40(&m_connection, QStringLiteral("ZQ40"), this),
      ZQ41(&m_connection, QStringLiteral("ZQ41"), this),
      ZQ50(&m_connection, QStringLiteral("ZQ50"), this),
      ZQ60(&m_connection, QStringLiteral("ZQ60"), this),
      ZQ61(&m_connection, QStringLiteral("ZQ61"), this),
      ZQ80(&m_connection, QStringLiteral("ZQ80"), this),
      ZQ90(&m_connection, QStringLiteral("ZQ90"), this),
      ZQ91(&m_connection, QStringLiteral("ZQ91"), this),
      m_databaseName(QString::fromLatin1(DefaultDatabase))
{
    setObjectName(QStringLiteral("TData"));
    IBTable1.setSql({QStringLiteral("SELECT * FROM FJFEJ")});
    IBTable2.setSql({QStringLiteral("SELECT * FROM FJSOR")});
    IBTable3.setSql({QStringLiteral("SELECT * FROM OSTERMELO")});
    IBTable4.setSql({QStringLiteral("SELECT * FROM TERMEK")});
    IBTable5.setSql({QStringLiteral("SELECT * FROM SORSZAM")});
    IBTable6.setSql({QStringLiteral("SELECT * FROM ATVEVO")});
    g_instance = this;
}

TData::~TData()
{
    if (g_instance == this)
        g_instance = nullptr;
}

TData* TData::instance()
{
    return g_instance;
}

void TData::open()
{
    m_connection.attach(m_databaseName, QString::fromLatin1(User), QString::fromLatin1(Password));
}

void TData::openTables()
{
    // Each table is checked and its fields learnt; its rows are read when first asked for.
    for (Query* table : {&IBTable1, &IBTable2, &IBTable3, &IBTable4, &IBTable5, &IBTable6}) {
        table->close();
        table->openDeferred();
    }
}

void TData::closeAtExit()
{
    if (!m_connection.isAttached())
        return;
    if (m_connection.inTransaction())
        m_connection.commitRetaining();
    m_connection.commit();
    m_connection.detach();
}

void TData::rollback()
{
    try {
        m_connection.rollback();
    } catch (const DbError&) {
        // A failed rollback leaves nothing to undo: the transaction is gone either way.
    }
}

WriteError::WriteError(Stage stage, const QString& screenMessage, const QString& reason)
    : Error(reason.isEmpty() ? screenMessage : screenMessage + QLatin1Char('\n') + reason), m_stage(stage),
      m_reason(reason)
{
}

void TData::write(const WriteMessages& messages, const std::function<void()>& statements)
{
    try {
        if (!inTransaction())
            startTransaction();
    } catch (const DbError& e) {
        const QString& text = messages.startFailed.isEmpty() ? messages.statementFailed : messages.startFailed;
        throw WriteError(WriteError::Stage::Start, text, e.message());
    }
    try {
        statements();
        commit();
    } catch (const Error& e) {
        rollback();
        throw WriteError(WriteError::Stage::Statement, messages.statementFailed, e.message());
    } catch (...) {
        rollback();
        throw;
    }
}

Query* TData::query(const QString& componentName)
{
    for (Query* q : allQueries()) {
        if (q->componentName().compare(componentName, Qt::CaseInsensitive) == 0)
            return q;
    }
    return nullptr;
}

QList<Query*> TData::allQueries() const
{
    auto* self = const_cast<TData*>(this);
    return {&self->IBTable1, &self->IBTable2, &self->IBTable3, &self->IBTable4, &self->IBTable5, &self->IBTable6,
            &self->ZQ10,     &self->ZQ11,     &self->ZQ20,     &self->ZQ21,     &self->ZQ22,     &self->ZQ30,
            &self->ZQ31,     &self->ZQ32,     &self->ZQ33,     &self->ZQ40,     &self->ZQ41,     &self->ZQ50,
            &self->ZQ60,     &self->ZQ61,     &self->ZQ80,     &self->ZQ90,     &self->ZQ91};
}

bool TData::AdoazonEllenorzes(const QString& s)
{
    return adoazonEllenorzes(s);
}

bool TData::AdoszamEllenorzes(const QString& s)
{
    return adoszamEllenorzes(s);
}

bool TData::TAJEllenorzes(const QString& s)
{
    return tajEllenorzes(s);
}

QString TData::XMLdatum(const QString& s)
{
    return xmlDatum(s);
}

QString TData::threeDigitsInWords(const QString& s)
{
    return zeror::threeDigitsInWords(s);
}

QString TData::amountInWords(qint32 n)
{
    return zeror::amountInWords(n);
}

void TData::ujnev(const QString& name)
{
    const NameSplit split = zeror::ujnev(name);
    sharedState().nameHead = split.head;
    sharedState().nameTail = split.tail;
}

void TData::atv_utca()
{
    ZQ61.close();
    ZQ61.setSql({QStringLiteral("SELECT *  "), QStringLiteral("  FROM atvevo     "),
                 QStringLiteral("  WHERE v_akod = :p1 ")});
    ZQ61.setText(QStringLiteral("p1"), sharedState().buyerCode);
    ZQ61.open();
    QStringList parts;
    for (const char* f : {"V_KERULET", "V_UTCA", "V_JELLEG", "V_HAZSZAM", "V_EPULET", "V_LEPCSO", "V_SZINT", "V_AJTO"})
        parts << ZQ61.text(QString::fromLatin1(f));
    sharedState().buyerStreetLine = streetLine(ZQ61.isEmpty() ? QStringList() : parts);
}

void TData::ost_utca()
{
    const QString code = ZQ10.isOpen() && !ZQ10.isEmpty() ? ZQ10.text(QStringLiteral("F_OSTERMKOD")) : QString();
    ZQ33.close();
    ZQ33.setSql({QStringLiteral("SELECT *  "), QStringLiteral("  FROM ostermelo     "),
                 QStringLiteral("  WHERE o_kod = :p1 ")});
    ZQ33.setText(QStringLiteral("p1"), code);
    ZQ33.open();
    QStringList parts;
    for (const char* f : {"O_KERULET", "O_UTCA", "O_JELLEG", "O_HAZSZAM", "O_EPULET", "O_LEPCSO", "O_SZINT", "O_AJTO"})
        parts << ZQ33.text(QString::fromLatin1(f));
    sharedState().producerStreetLine = streetLine(ZQ33.isEmpty() ? QStringList() : parts);
}

} // namespace zeror
