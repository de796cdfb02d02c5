#include "ReportModule.h"

#include "DbError.h"
#include "SharedState.h"
#include "TData.h"

namespace zeror {

namespace {
ReportModule::PreviewHook& previewHookSlot()
{
    static ReportModule::PreviewHook hook;
    return hook;
}
std::unique_ptr<ReportModule>& moduleSlot()
{
    static std::unique_ptr<ReportModule> module;
    return module;
}
TData*& moduleOwner()
{
    static TData* owner = nullptr;
    return owner;
}
} // namespace

void QueryDataSource::first()
{
    m_query->first();
}

void QueryDataSource::next()
{
    m_query->next();
}

bool QueryDataSource::eof() const
{
    return !m_query->isOpen() || m_query->eof();
}

QVariant QueryDataSource::value(const QString& field) const
{
    if (!m_query->isOpen() || !m_query->hasField(field))
        return QVariant();
    return m_query->value(field);
}

ReportModule::ReportModule(TData* data) : m_data(data)
{
    for (Query* q : data->allQueries()) {
        auto source = std::make_unique<QueryDataSource>(q);
        m_registry.setSource(q->componentName(), source.get());
        m_sources.emplace(q->componentName(), std::move(source));
    }
    auto src = [this](const char* name) { return m_sources.at(QString::fromLatin1(name)).get(); };
    m_registry.setFeed(QStringLiteral("frDBDataSet1"), src("ZQ20"));
    m_registry.setFeed(QStringLiteral("frDBDataSet3"), src("ZQ20"));
    m_registry.setFeed(QStringLiteral("frDBDataSet4"), src("ZQ20"));
    m_registry.setFeed(QStringLiteral("frDBDataSet2"), src("ZQ30"));
    m_registry.setFeed(QStringLiteral("frDBDataSet5"), src("ZQ11"));
    m_registry.setFeed(QStringLiteral("frDBDataSet6"), src("ZQ40"));

    // Per-product master: every summary row of ZQ20 re-runs its lines into ZQ21.
    m_user1.onFirst = [this] {
        m_data->ZQ20.first();
        rerunProductLines();
    };
    m_user1.onNext = [this] {
        m_data->ZQ20.next();
        rerunProductLines();
    };
    m_user1.onCheckEof = [this](bool& eof) { eof = !m_data->ZQ20.isOpen() || m_data->ZQ20.eof(); };

    // Per-producer master: the first producer's lines come in name order, later ones as returned,
    // and the producer total in ZQ80 is re-read from the second producer on.
    m_user3.onFirst = [this] {
        m_data->ZQ20.first();
        m_producerCode = m_data->ZQ20.isEmpty() ? QString() : m_data->ZQ20.text(QStringLiteral("o_Kod"));
        rerunProducerLines(true);
    };
    m_user3.onNext = [this] {
        m_data->ZQ20.next();
        m_producerCode = m_data->ZQ20.isEmpty() ? QString() : m_data->ZQ20.text(QStringLiteral("o_Kod"));
        rerunProducerTotal();
        rerunProducerLines(false);
    };
    m_user3.onCheckEof = m_user1.onCheckEof;

    // Detail feeds walk the lines just loaded for the current master row.
    for (report::UserFeed* detail : {&m_user2, &m_user4}) {
        detail->onFirst = [this] { m_data->ZQ21.first(); };
        detail->onNext = [this] { m_data->ZQ21.next(); };
        detail->onCheckEof = [this](bool& eof) { eof = !m_data->ZQ21.isOpen() || m_data->ZQ21.eof(); };
    }
    m_registry.setFeed(QStringLiteral("frUserDataset1"), &m_user1);
    m_registry.setFeed(QStringLiteral("frUserDataset2"), &m_user2);
    m_registry.setFeed(QStringLiteral("frUserDataset3"), &m_user3);
    m_registry.setFeed(QStringLiteral("frUserDataset4"), &m_user4);
}

ReportModule::~ReportModule() = default;

ReportModule& ReportModule::instance()
{
    TData* data = TData::instance();
    if (!moduleSlot() || moduleOwner() != data) {
        moduleSlot() = std::make_unique<ReportModule>(data);
        moduleOwner() = data;
    }
    return *moduleSlot();
}

QPageLayout::Orientation ReportModule::orientationOf(const QString& templateFile)
{
    // The registers and the itemised list are wide; every other document is portrait.
    static const QStringList landscape{QStringLiteral("FjLista2.frf"), QStringLiteral("FjLista4.frf"),
                                       QStringLiteral("FjLista6.frf")};
    return landscape.contains(templateFile, Qt::CaseInsensitive) ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void ReportModule::setPreviewHook(PreviewHook hook)
{
    previewHookSlot() = std::move(hook);
}

const ReportModule::PreviewHook& ReportModule::previewHook()
{
    return previewHookSlot();
}

void ReportModule::rerunProductLines()
{
    Query& zq20 = m_data->ZQ20;
    m_productName = zq20.isEmpty() ? QString() : zq20.text(QStringLiteral("s_megnevezes"));
    Query& q = m_data->ZQ21;
    q.close();
    q.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM fjsor"),
              QStringLiteral("JOIN fjfej     ON s_bszam     = f_bszam AND s_akod = f_akod"),
              QStringLiteral("JOIN ostermelo ON f_ostermkod = o_kod"),
              m_period.byPaymentDate
                  ? QStringLiteral("WHERE ( s_megnevezes = :p0 ) AND ( f_fizkelt >= :p1)  AND (f_fizkelt <= :p2) AND (f_akod = :p3)")
                  : QStringLiteral("WHERE ( s_megnevezes = :p0 ) AND ( f_felvkelt >= :p1) AND (f_felvkelt <= :p2) AND (f_akod = :p3)")});
    q.setText(QStringLiteral("p0"), m_productName);
    q.setDate(QStringLiteral("p1"), m_period.from);
    q.setDate(QStringLiteral("p2"), m_period.to);
    q.setText(QStringLiteral("p3"), sharedState().buyerCode);
    q.open();
}

void ReportModule::rerunProducerLines(bool ordered)
{
    Query& q = m_data->ZQ21;
    q.close();
    QStringList sql{QStringLiteral("SELECT *"), QStringLiteral("FROM fjsor"),
                    QStringLiteral("JOIN fjfej     ON s_bszam     = f_bszam AND s_akod = f_akod"),
                    QStringLiteral("JOIN ostermelo ON f_ostermkod = o_kod"),
                    m_period.byPaymentDate
                        ? QStringLiteral("WHERE ( o_kod = :p0 ) AND ( f_fizkelt >= :p1) AND (f_fizkelt <= :p2) AND (f_akod = :p3)")
                        : QStringLiteral("WHERE ( o_kod = :p0 ) AND ( f_felvkelt >= :p1) AND (f_felvkelt <= :p2) AND (f_akod = :p3)")};
    if (ordered)
        sql << QStringLiteral("ORDER BY s_megnevezes COLLATE PXW_HUN");
    q.setSql(sql);
    q.setText(QStringLiteral("p0"), m_producerCode);
    q.setDate(QStringLiteral("p1"), m_period.from);
    q.setDate(QStringLiteral("p2"), m_period.to);
    q.setText(QStringLiteral("p3"), sharedState().buyerCode);
    q.open();
}

void ReportModule::rerunProducerTotal()
{
    Query& q = m_data->ZQ80;
    q.close();
    q.setSql({QStringLiteral("SELECT o_kod,"), QStringLiteral("SUM(s_vetelar) AS  nevosszesen"),
              QStringLiteral("FROM fjsor"), QStringLiteral("JOIN fjfej     ON s_bszam     = f_bszam AND s_akod = f_akod"),
              QStringLiteral("JOIN ostermelo ON f_ostermkod = o_kod"),
              m_period.byPaymentDate
                  ? QStringLiteral("WHERE ( o_kod = :p0 ) AND ( f_fizkelt >= :p1 AND f_fizkelt <= :p2 ) AND (f_akod = :p3)")
                  : QStringLiteral("WHERE ( o_kod = :p0 ) AND ( f_felvkelt >= :p1 AND f_felvkelt <= :p2 ) AND (f_akod = :p3)"),
              QStringLiteral("GROUP BY o_kod")});
    q.setText(QStringLiteral("p0"), m_producerCode);
    q.setDate(QStringLiteral("p1"), m_period.from);
    q.setDate(QStringLiteral("p2"), m_period.to);
    q.setText(QStringLiteral("p3"), sharedState().buyerCode);
    q.open();
}

const report::PreparedReport& ReportModule::prepare(const QString& templateFile,
                                                   QPageLayout::Orientation orientation, Target target,
                                                   bool readBuyer)
{
    report::Report& object = target == Target::Nyomtat ? frNyomtat : frMegtekint;
    QString error;
    if (readBuyer) {
        Query& q = m_data->ZQ60;
        q.close();
        q.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM atvevo"), QStringLiteral("WHERE v_akod = :p0")});
        q.setText(QStringLiteral("p0"), sharedState().buyerCode);
        q.open();
    }
    if (!object.loadFromFile(templateFile, &error))
        throw Error(error);
    object.setOrientation(orientation);
    if (!object.prepare(m_registry, m_variables, &error))
        throw Error(error);
    return object.prepared();
}

} // namespace zeror
