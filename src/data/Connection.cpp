#include "Connection.h"

#include "DbError.h"
#include "Win1250.h"

#include <QDir>
#include <QFileInfo>
#include <QTime>

#include <firebird/Interface.h>
#include <ibase.h>
#include <iberror.h>

#include <cstring>
#include <unistd.h>

using namespace Firebird;

namespace zeror {

namespace {

constexpr unsigned kDialect = 3;

IMaster* master()
{
    static IMaster* m = fb_get_master_interface();
    return m;
}

// Turns a Firebird status vector into our error type, keeping the codes that callers tell apart.
DbError toError(IStatus* st)
{
    char buffer[2048];
    master()->getUtilInterface()->formatStatus(buffer, sizeof buffer, st);
    const QString text = QString::fromLocal8Bit(buffer).trimmed();
    const intptr_t* errors = st->getErrors();
    long gds = 0;
    bool inUse = false;
    bool ioError = false;
    bool lockConflict = false;
    for (const intptr_t* p = errors; p && *p != isc_arg_end;) {
        if (*p == isc_arg_gds) {
            const long code = static_cast<long>(p[1]);
            if (gds == 0)
                gds = code;
            inUse = inUse || code == isc_already_opened;
            ioError = ioError || code == isc_io_error || code == isc_io_open_err;
            lockConflict = lockConflict || code == isc_deadlock || code == isc_update_conflict || code == isc_lock_conflict;
            p += 2;
        } else {
            // A counted string carries its length before the pointer.
            p += *p == isc_arg_cstring ? 3 : 2;
        }
    }
    DbError::Kind kind = DbError::Kind::General;
    if (inUse)
        kind = DbError::Kind::InUse;
    else if (gds == isc_bad_db_format)
        kind = DbError::Kind::NotADatabase;
    else if (ioError)
        kind = DbError::Kind::NotFound;
    else if (lockConflict)
        kind = DbError::Kind::LockConflict;
    const int sqlCode = isc_sqlcode(errors);
    return DbError(text, kind, sqlCode, gds);
}

// Status holder that throws our error on any failure.
class Status
{
public:
    Status() : m_status(master()->getStatus()), m_wrapper(m_status) {}
    ~Status() { m_status->dispose(); }
    ThrowStatusWrapper* operator&() { return &m_wrapper; }
    ThrowStatusWrapper* get() { return &m_wrapper; }

private:
    IStatus* m_status;
    ThrowStatusWrapper m_wrapper;
};

template <typename F>
auto guarded(F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const FbException& e) {
        throw toError(e.getStatus());
    }
}

QByteArray pathBytes(const QString& database)
{
    return database.toLocal8Bit();
}

IXpbBuilder* buildDpb(ThrowStatusWrapper* st, const QString& user, const QString& password, bool forCreate)
{
    IXpbBuilder* dpb = master()->getUtilInterface()->getXpbBuilder(st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(st, isc_dpb_user_name, user.toLatin1().constData());
    dpb->insertString(st, isc_dpb_password, password.toLatin1().constData());
    dpb->insertString(st, isc_dpb_lc_ctype, "WIN1250");
    dpb->insertInt(st, isc_dpb_sql_dialect, static_cast<int>(kDialect));
    if (forCreate) {
        dpb->insertInt(st, isc_dpb_page_size, 8192);
        dpb->insertString(st, isc_dpb_set_db_charset, "WIN1250");
    }
    return dpb;
}

} // namespace

struct Connection::Impl
{
    IAttachment* attachment = nullptr;
    ITransaction* transaction = nullptr;
    qint64 affected = 0;
};

Connection::Connection() : d(std::make_unique<Impl>()) {}

Connection::~Connection()
{
    try {
        detach();
    } catch (...) {
    }
}

void Connection::prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("FIREBIRD_LOCK")) {
        const QString lockDir = QDir::tempPath() + QStringLiteral("/zeror-fblock-%1").arg(getuid());
        QDir().mkpath(lockDir);
        qputenv("FIREBIRD_LOCK", QFile::encodeName(lockDir));
    }
}

void Connection::create(const QString& database, const QString& user, const QString& password)
{
    prepareEnvironment();
    if (!database.contains(QLatin1Char(':')) && QFileInfo::exists(database))
        throw DbError(QStringLiteral("A(z) %1 adatbázis már létezik.").arg(database));
    detach();
    guarded([&] {
        Status st;
        IXpbBuilder* dpb = buildDpb(st.get(), user, password, true);
        IProvider* provider = master()->getDispatcher();
        const QByteArray path = pathBytes(database);
        try {
            d->attachment = provider->createDatabase(st.get(), path.constData(), dpb->getBufferLength(st.get()),
                                                     dpb->getBuffer(st.get()));
        } catch (...) {
            dpb->dispose();
            provider->release();
            throw;
        }
        dpb->dispose();
        provider->release();
    });
}

void Connection::attach(const QString& database, const QString& user, const QString& password)
{
    prepareEnvironment();
    detach();
    guarded([&] {
        Status st;
        IXpbBuilder* dpb = buildDpb(st.get(), user, password, false);
        IProvider* provider = master()->getDispatcher();
        const QByteArray path = pathBytes(database);
        try {
            d->attachment = provider->attachDatabase(st.get(), path.constData(), dpb->getBufferLength(st.get()),
                                                     dpb->getBuffer(st.get()));
        } catch (...) {
            dpb->dispose();
            provider->release();
            throw;
        }
        dpb->dispose();
        provider->release();
    });
}

void Connection::detach()
{
    if (!d->attachment)
        return;
    if (d->transaction) {
        try {
            rollback();
        } catch (...) {
        }
    }
    IAttachment* att = d->attachment;
    d->attachment = nullptr;
    guarded([&] {
        Status st;
        try {
            att->detach(st.get());
        } catch (...) {
            att->release();
            throw;
        }
    });
}

bool Connection::isAttached() const
{
    return d->attachment != nullptr;
}

void Connection::startTransaction()
{
    if (!d->attachment)
        throw DbError(QStringLiteral("Nincs adatbázis kapcsolat."));
    if (d->transaction)
        return;
    guarded([&] {
        Status st;
        IXpbBuilder* tpb = master()->getUtilInterface()->getXpbBuilder(st.get(), IXpbBuilder::TPB, nullptr, 0);
        tpb->insertTag(st.get(), isc_tpb_write);
        tpb->insertTag(st.get(), isc_tpb_read_committed);
        tpb->insertTag(st.get(), isc_tpb_rec_version);
        tpb->insertTag(st.get(), isc_tpb_nowait);
        try {
            d->transaction = d->attachment->startTransaction(st.get(), tpb->getBufferLength(st.get()),
                                                             tpb->getBuffer(st.get()));
        } catch (...) {
            tpb->dispose();
            throw;
        }
        tpb->dispose();
    });
}

bool Connection::inTransaction() const
{
    return d->transaction != nullptr;
}

void Connection::commit()
{
    if (!d->transaction)
        return;
    guarded([&] {
        Status st;
        d->transaction->commit(st.get());
        d->transaction = nullptr;
    });
}

void Connection::commitRetaining()
{
    if (!d->transaction)
        return;
    guarded([&] {
        Status st;
        d->transaction->commitRetaining(st.get());
    });
}

void Connection::rollback()
{
    if (!d->transaction)
        return;
    ITransaction* tr = d->transaction;
    d->transaction = nullptr;
    guarded([&] {
        Status st;
        try {
            tr->rollback(st.get());
        } catch (...) {
            tr->release();
            throw;
        }
    });
}

void Connection::executeImmediate(const QString& sql)
{
    startTransaction();
    guarded([&] {
        Status st;
        const QByteArray text = win1250::encode(sql);
        d->attachment->execute(st.get(), d->transaction, static_cast<unsigned>(text.size()), text.constData(),
                               kDialect, nullptr, nullptr, nullptr, nullptr);
    });
}

namespace {

// The longest text one parameter can carry: the engine's limit for a variable-length string.
constexpr qsizetype kMaxTextBytes = 32765;

// Refuses a text the database cannot take as given: a character the code page cannot hold (it
// would be stored as "?") or a text longer than a parameter carries (its length would wrap).
void checkTexts(const QVector<BoundValue>& params)
{
    for (const BoundValue& p : params) {
        if (p.kind != BoundValue::Kind::Text)
            continue;
        const QString text = p.value.toString();
        const QString bad = win1250::firstUnencodable(text);
        if (!bad.isEmpty())
            throw DbError(QStringLiteral("A szöveg olyan karaktert tartalmaz, amely nem tárolható (WIN1250): %1.")
                              .arg(win1250::describeCharacter(bad)));
        if (text.size() > kMaxTextBytes)
            throw DbError(QStringLiteral("A szöveg túl hosszú (%1 karakter); egy érték legfeljebb %2 karakter lehet.")
                              .arg(text.size())
                              .arg(kMaxTextBytes));
    }
}

// Lays out the input message for the bound values and fills it.
struct InputMessage
{
    IMessageMetadata* meta = nullptr;
    QByteArray buffer;

    ~InputMessage()
    {
        if (meta)
            meta->release();
    }

    void build(ThrowStatusWrapper* st, const QVector<BoundValue>& params)
    {
        if (params.isEmpty())
            return;
        QVector<QByteArray> texts(params.size());
        IMetadataBuilder* builder = master()->getMetadataBuilder(st, static_cast<unsigned>(params.size()));
        try {
            for (int i = 0; i < params.size(); ++i) {
                const unsigned idx = static_cast<unsigned>(i);
                const BoundValue& p = params[i];
                switch (p.kind) {
                case BoundValue::Kind::Null:
                    builder->setType(st, idx, SQL_VARYING + 1);
                    builder->setLength(st, idx, 1);
                    builder->setCharSet(st, idx, 51);
                    break;
                case BoundValue::Kind::Text: {
                    texts[i] = win1250::encode(p.value.toString());
                    builder->setType(st, idx, SQL_VARYING + 1);
                    builder->setLength(st, idx, static_cast<unsigned>(qMax<qsizetype>(1, texts[i].size())));
                    builder->setCharSet(st, idx, 51);
                    break;
                }
                case BoundValue::Kind::Date:
                    builder->setType(st, idx, SQL_TYPE_DATE + 1);
                    builder->setLength(st, idx, sizeof(ISC_DATE));
                    break;
                case BoundValue::Kind::Double:
                    builder->setType(st, idx, SQL_DOUBLE + 1);
                    builder->setLength(st, idx, sizeof(double));
                    break;
                case BoundValue::Kind::Integer:
                    builder->setType(st, idx, SQL_INT64 + 1);
                    builder->setLength(st, idx, sizeof(ISC_INT64));
                    builder->setScale(st, idx, 0);
                    break;
                }
            }
            meta = builder->getMetadata(st);
        } catch (...) {
            builder->release();
            throw;
        }
        builder->release();

        buffer = QByteArray(static_cast<int>(meta->getMessageLength(st)), '\0');
        char* base = buffer.data();
        IUtil* util = master()->getUtilInterface();
        for (int i = 0; i < params.size(); ++i) {
            const unsigned idx = static_cast<unsigned>(i);
            const BoundValue& p = params[i];
            char* field = base + meta->getOffset(st, idx);
            auto* nullFlag = reinterpret_cast<short*>(base + meta->getNullOffset(st, idx));
            const bool isNull = p.kind == BoundValue::Kind::Null
                                || (p.kind == BoundValue::Kind::Date && !p.value.toDate().isValid());
            *nullFlag = isNull ? -1 : 0;
            if (isNull)
                continue;
            switch (p.kind) {
            case BoundValue::Kind::Null:
                break;
            case BoundValue::Kind::Text: {
                const QByteArray& t = texts[i];
                const auto len = static_cast<unsigned short>(t.size());
                std::memcpy(field, &len, sizeof len);
                std::memcpy(field + sizeof len, t.constData(), static_cast<size_t>(t.size()));
                break;
            }
            case BoundValue::Kind::Date: {
                const QDate date = p.value.toDate();
                const ISC_DATE v = util->encodeDate(static_cast<unsigned>(date.year()),
                                                    static_cast<unsigned>(date.month()),
                                                    static_cast<unsigned>(date.day()));
                std::memcpy(field, &v, sizeof v);
                break;
            }
            case BoundValue::Kind::Double: {
                const double v = p.value.toDouble();
                std::memcpy(field, &v, sizeof v);
                break;
            }
            case BoundValue::Kind::Integer: {
                const ISC_INT64 v = p.value.toLongLong();
                std::memcpy(field, &v, sizeof v);
                break;
            }
            }
        }
    }
};

// Where and how one output column lies in the fetched message, read once per statement.
struct ColumnLayout
{
    unsigned offset = 0;
    unsigned nullOffset = 0;
    unsigned type = 0;
    int scale = 0;
    unsigned charSet = 0;
    unsigned length = 0;
};

QVector<ColumnLayout> columnLayouts(ThrowStatusWrapper* st, IMessageMetadata* meta)
{
    const unsigned count = meta->getCount(st);
    QVector<ColumnLayout> layouts(static_cast<int>(count));
    for (unsigned i = 0; i < count; ++i) {
        ColumnLayout& c = layouts[static_cast<int>(i)];
        c.offset = meta->getOffset(st, i);
        c.nullOffset = meta->getNullOffset(st, i);
        c.type = meta->getType(st, i) & ~1u;
        c.scale = meta->getScale(st, i);
        c.charSet = meta->getCharSet(st, i) & 0xFF;
        c.length = meta->getLength(st, i);
    }
    return layouts;
}

RowStore::Column storeColumn(const ColumnLayout& c, const char* alias)
{
    RowStore::Column col;
    col.name = QString::fromLatin1(alias).toUpper();
    col.scale = static_cast<qint8>(c.scale);
    col.utf8 = c.charSet == 4 || c.charSet == 3;
    switch (c.type) {
    case SQL_VARYING:
    case SQL_TEXT:
        col.type = RowStore::CellType::Text;
        break;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        col.type = RowStore::CellType::Integer;
        break;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        col.type = RowStore::CellType::Double;
        break;
    case SQL_TYPE_DATE:
        col.type = RowStore::CellType::Date;
        break;
    case SQL_TYPE_TIME:
        col.type = RowStore::CellType::Time;
        break;
    case SQL_TIMESTAMP:
        col.type = RowStore::CellType::Timestamp;
        break;
    case SQL_BOOLEAN:
        col.type = RowStore::CellType::Boolean;
        break;
    default:
        col.type = RowStore::CellType::Unknown;
        break;
    }
    return col;
}

// Copies one fetched message into the store, cell by cell, without decoding any text.
void appendRow(RowStore& store, const QVector<ColumnLayout>& layouts, const char* base)
{
    store.beginRow();
    for (int i = 0; i < layouts.size(); ++i) {
        const ColumnLayout& c = layouts[i];
        if (*reinterpret_cast<const short*>(base + c.nullOffset)) {
            store.addNull(i);
            continue;
        }
        const char* field = base + c.offset;
        switch (c.type) {
        case SQL_VARYING: {
            unsigned short len = 0;
            std::memcpy(&len, field, sizeof len);
            store.addText(field + sizeof len, len);
            break;
        }
        case SQL_TEXT:
            store.addText(field, static_cast<qsizetype>(c.length));
            break;
        case SQL_SHORT: {
            short v;
            std::memcpy(&v, field, sizeof v);
            store.addInteger(v);
            break;
        }
        case SQL_LONG: {
            ISC_LONG v;
            std::memcpy(&v, field, sizeof v);
            store.addInteger(v);
            break;
        }
        case SQL_INT64: {
            ISC_INT64 v;
            std::memcpy(&v, field, sizeof v);
            store.addInteger(v);
            break;
        }
        case SQL_FLOAT: {
            float v;
            std::memcpy(&v, field, sizeof v);
            store.addDouble(static_cast<double>(v));
            break;
        }
        case SQL_DOUBLE: {
            double v;
            std::memcpy(&v, field, sizeof v);
            store.addDouble(v);
            break;
        }
        case SQL_TYPE_DATE: {
            ISC_DATE v;
            std::memcpy(&v, field, sizeof v);
            store.addDate(v);
            break;
        }
        case SQL_TYPE_TIME: {
            ISC_TIME v;
            std::memcpy(&v, field, sizeof v);
            store.addTime(v);
            break;
        }
        case SQL_TIMESTAMP: {
            ISC_TIMESTAMP v;
            std::memcpy(&v, field, sizeof v);
            store.addTimestamp(v.timestamp_date, v.timestamp_time);
            break;
        }
        case SQL_BOOLEAN: {
            unsigned char v;
            std::memcpy(&v, field, sizeof v);
            store.addBoolean(v != 0);
            break;
        }
        default:
            break; // an unknown kind is stored as nothing and read as NULL
        }
    }
    store.endRow();
}

QVector<RowStore::Column> storeColumns(ThrowStatusWrapper* st, IMessageMetadata* meta,
                                       const QVector<ColumnLayout>& layouts)
{
    QVector<RowStore::Column> columns;
    columns.reserve(layouts.size());
    for (int i = 0; i < layouts.size(); ++i)
        columns << storeColumn(layouts[i], meta->getAlias(st, static_cast<unsigned>(i)));
    return columns;
}

} // namespace

RowSet Connection::run(const QString& sql, const QVector<BoundValue>& params, bool* returnedRows)
{
    RowStore store;
    fetch(sql, params, store, returnedRows);
    RowSet result;
    result.columns = store.columnNames();
    result.rows.reserve(store.rowCount());
    for (int r = 0; r < store.rowCount(); ++r) {
        QVector<QVariant> values(store.columnCount());
        for (int c = 0; c < store.columnCount(); ++c)
            values[c] = store.value(r, c);
        result.rows.push_back(std::move(values));
    }
    return result;
}

void Connection::fetch(const QString& sql, const QVector<BoundValue>& params, RowStore& into, bool* returnedRows)
{
    into.clear();
    d->affected = 0;
    checkTexts(params);
    startTransaction();
    guarded([&] {
        Status st;
        const QByteArray text = win1250::encode(sql);
        IStatement* stmt = d->attachment->prepare(st.get(), d->transaction, static_cast<unsigned>(text.size()),
                                                  text.constData(), kDialect,
                                                  IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* outMeta = nullptr;
        IResultSet* cursor = nullptr;
        try {
            InputMessage input;
            input.build(st.get(), params);
            const unsigned type = stmt->getType(st.get());
            const bool isSelect = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
            if (returnedRows)
                *returnedRows = isSelect;
            if (isSelect) {
                outMeta = stmt->getOutputMetadata(st.get());
                const QVector<ColumnLayout> layouts = columnLayouts(st.get(), outMeta);
                into.setColumns(storeColumns(st.get(), outMeta, layouts));
                QByteArray row(static_cast<int>(outMeta->getMessageLength(st.get())), '\0');
                cursor = stmt->openCursor(st.get(), d->transaction, input.meta,
                                          input.meta ? input.buffer.data() : nullptr, outMeta, 0);
                while (cursor->fetchNext(st.get(), row.data()) == IStatus::RESULT_OK)
                    appendRow(into, layouts, row.constData());
                into.squeeze();
                cursor->close(st.get());
                cursor = nullptr;
                outMeta->release();
                outMeta = nullptr;
            } else {
                stmt->execute(st.get(), d->transaction, input.meta, input.meta ? input.buffer.data() : nullptr,
                              nullptr, nullptr);
                d->affected = static_cast<qint64>(stmt->getAffectedRecords(st.get()));
            }
            stmt->free(st.get());
        } catch (...) {
            if (cursor)
                cursor->release();
            if (outMeta)
                outMeta->release();
            stmt->release();
            throw;
        }
    });
}

qint64 Connection::affectedRows() const
{
    return d->affected;
}

RowStore Connection::describe(const QString& sql)
{
    startTransaction();
    return guarded([&] {
        Status st;
        RowStore store;
        const QByteArray text = win1250::encode(sql);
        IStatement* stmt = d->attachment->prepare(st.get(), d->transaction, static_cast<unsigned>(text.size()),
                                                  text.constData(), kDialect,
                                                  IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* outMeta = nullptr;
        try {
            outMeta = stmt->getOutputMetadata(st.get());
            store.setColumns(storeColumns(st.get(), outMeta, columnLayouts(st.get(), outMeta)));
            outMeta->release();
            outMeta = nullptr;
            stmt->free(st.get());
        } catch (...) {
            if (outMeta)
                outMeta->release();
            stmt->release();
            throw;
        }
        return store;
    });
}

QString Connection::plan(const QString& sql)
{
    startTransaction();
    return guarded([&] {
        Status st;
        const QByteArray text = win1250::encode(sql);
        IStatement* stmt = d->attachment->prepare(st.get(), d->transaction, static_cast<unsigned>(text.size()),
                                                  text.constData(), kDialect, IStatement::PREPARE_PREFETCH_NONE);
        QString result;
        try {
            const char* p = stmt->getPlan(st.get(), false);
            result = QString::fromLatin1(p ? p : "").trimmed();
            stmt->free(st.get());
        } catch (...) {
            stmt->release();
            throw;
        }
        return result;
    });
}

struct Connection::Statement::Impl
{
    Connection* connection = nullptr;
    IStatement* statement = nullptr;
};

Connection::Statement::~Statement()
{
    if (d && d->statement) {
        try {
            Status st;
            d->statement->free(st.get());
        } catch (...) {
            d->statement->release();
        }
    }
}

void Connection::Statement::execute(const QVector<BoundValue>& params)
{
    Connection* c = d->connection;
    checkTexts(params);
    c->startTransaction();
    guarded([&] {
        Status st;
        InputMessage input;
        input.build(st.get(), params);
        d->statement->execute(st.get(), c->d->transaction, input.meta, input.meta ? input.buffer.data() : nullptr,
                              nullptr, nullptr);
    });
}

std::unique_ptr<Connection::Statement> Connection::prepare(const QString& sql)
{
    startTransaction();
    std::unique_ptr<Statement> s(new Statement);
    s->d = std::make_unique<Statement::Impl>();
    s->d->connection = this;
    guarded([&] {
        Status st;
        const QByteArray text = win1250::encode(sql);
        s->d->statement = d->attachment->prepare(st.get(), d->transaction, static_cast<unsigned>(text.size()),
                                                 text.constData(), kDialect, IStatement::PREPARE_PREFETCH_METADATA);
    });
    return s;
}

} // namespace zeror
