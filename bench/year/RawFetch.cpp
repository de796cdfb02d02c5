#include "RawFetch.h"

#include <QElapsedTimer>

#include <firebird/Interface.h>
#include <ibase.h>

#include <cstring>
#include <stdexcept>

using namespace Firebird;

namespace rawfetch {

namespace {

IMaster* master()
{
    static IMaster* m = fb_get_master_interface();
    return m;
}

IAttachment* attach(ThrowStatusWrapper* st, const QString& database)
{
    IXpbBuilder* dpb = master()->getUtilInterface()->getXpbBuilder(st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(st, isc_dpb_user_name, "SYSDBA");
    dpb->insertString(st, isc_dpb_password, "pelvaroni");
    dpb->insertString(st, isc_dpb_lc_ctype, "WIN1250");
    IProvider* provider = master()->getDispatcher();
    const QByteArray path = database.toLocal8Bit();
    IAttachment* att = provider->attachDatabase(st, path.constData(), dpb->getBufferLength(st), dpb->getBuffer(st));
    dpb->dispose();
    provider->release();
    return att;
}

// The same kind of transaction as the program's: read committed, record version, no wait.
ITransaction* startTransaction(ThrowStatusWrapper* st, IAttachment* att)
{
    IXpbBuilder* tpb = master()->getUtilInterface()->getXpbBuilder(st, IXpbBuilder::TPB, nullptr, 0);
    tpb->insertTag(st, isc_tpb_write);
    tpb->insertTag(st, isc_tpb_read_committed);
    tpb->insertTag(st, isc_tpb_rec_version);
    tpb->insertTag(st, isc_tpb_nowait);
    ITransaction* tra = att->startTransaction(st, tpb->getBufferLength(st), tpb->getBuffer(st));
    tpb->dispose();
    return tra;
}

} // namespace

Result fetch(const QString& database, const QString& sql, const QVector<QVariant>& params)
{
    IStatus* status = master()->getStatus();
    ThrowStatusWrapper st(status);
    Result result;
    try {
        IAttachment* att = attach(&st, database);
        ITransaction* tra = startTransaction(&st, att);
        QElapsedTimer timer;
        timer.start();
        const QByteArray text = sql.toLatin1();
        IStatement* stmt = att->prepare(&st, tra, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        IMetadataBuilder* builder = master()->getMetadataBuilder(&st, static_cast<unsigned>(params.size()));
        QVector<QByteArray> texts(params.size());
        for (int i = 0; i < params.size(); ++i) {
            const unsigned idx = static_cast<unsigned>(i);
            if (params[i].typeId() == QMetaType::QDate) {
                builder->setType(&st, idx, SQL_TYPE_DATE + 1);
                builder->setLength(&st, idx, sizeof(ISC_DATE));
            } else {
                texts[i] = params[i].toString().toLatin1();
                builder->setType(&st, idx, SQL_VARYING + 1);
                builder->setLength(&st, idx, static_cast<unsigned>(qMax<qsizetype>(1, texts[i].size())));
                builder->setCharSet(&st, idx, 51);
            }
        }
        IMessageMetadata* inMeta = builder->getMetadata(&st);
        builder->release();
        QByteArray in(static_cast<int>(inMeta->getMessageLength(&st)), '\0');
        for (int i = 0; i < params.size(); ++i) {
            const unsigned idx = static_cast<unsigned>(i);
            char* field = in.data() + inMeta->getOffset(&st, idx);
            *reinterpret_cast<short*>(in.data() + inMeta->getNullOffset(&st, idx)) = 0;
            if (params[i].typeId() == QMetaType::QDate) {
                const QDate d = params[i].toDate();
                const ISC_DATE v = master()->getUtilInterface()->encodeDate(
                    static_cast<unsigned>(d.year()), static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
                std::memcpy(field, &v, sizeof v);
            } else {
                const auto len = static_cast<unsigned short>(texts[i].size());
                std::memcpy(field, &len, sizeof len);
                std::memcpy(field + sizeof len, texts[i].constData(), len);
            }
        }
        IMessageMetadata* outMeta = stmt->getOutputMetadata(&st);
        QByteArray row(static_cast<int>(outMeta->getMessageLength(&st)), '\0');
        IResultSet* cursor = stmt->openCursor(&st, tra, inMeta, in.data(), outMeta, 0);
        unsigned checksum = 0;
        while (cursor->fetchNext(&st, row.data()) == IStatus::RESULT_OK) {
            ++result.rows;
            checksum += static_cast<unsigned char>(row.at(0));
        }
        cursor->close(&st);
        result.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        (void)checksum;
        outMeta->release();
        inMeta->release();
        stmt->free(&st);
        tra->commit(&st);
        att->detach(&st);
    } catch (const FbException& e) {
        char buffer[1024];
        master()->getUtilInterface()->formatStatus(buffer, sizeof buffer, e.getStatus());
        status->dispose();
        throw std::runtime_error(buffer);
    }
    status->dispose();
    return result;
}

double attachAndPrepare(const QString& database, const QStringList& statements)
{
    IStatus* status = master()->getStatus();
    ThrowStatusWrapper st(status);
    QElapsedTimer timer;
    timer.start();
    double ms = 0;
    try {
        IAttachment* att = attach(&st, database);
        ITransaction* tra = startTransaction(&st, att);
        for (const QString& sql : statements) {
            const QByteArray text = sql.toLatin1();
            IStatement* stmt = att->prepare(&st, tra, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
            stmt->free(&st);
        }
        ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        tra->commit(&st);
        att->detach(&st);
    } catch (const FbException& e) {
        char buffer[1024];
        master()->getUtilInterface()->formatStatus(buffer, sizeof buffer, e.getStatus());
        status->dispose();
        throw std::runtime_error(buffer);
    }
    status->dispose();
    return ms;
}

} // namespace rawfetch
