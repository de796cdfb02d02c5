#pragma once

#include "reportengine/reportengine.h"

#include <QDate>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace zeror {

class Query;
class TData;

// A named query seen by the report engine: its rows are the band's rows, its current row the fields.
class QueryDataSource : public report::DataSource
{
public:
    explicit QueryDataSource(Query* query) : m_query(query) {}
    void first() override;
    void next() override;
    bool eof() const override;
    QVariant value(const QString& field) const override;
    Query* query() const { return m_query; }

private:
    Query* m_query;
};

// The period and date choice of the list screen that drives the per-product and per-producer feeds.
struct ReportPeriod
{
    bool byPaymentDate = true; // f_fizkelt; otherwise the purchase date f_felvkelt
    QDate from;
    QDate to;
};

// The program's side of printing: the two report objects, the one variable store that is never
// cleared, the data sets by their component names, the feeds, and the print sequence.
class ReportModule
{
public:
    enum class Target { Nyomtat, Megtekint };

    explicit ReportModule(TData* data);
    ~ReportModule();

    // The module of the process's data module (created on first use).
    static ReportModule& instance();

    report::Report frNyomtat;   // preview with print
    report::Report frMegtekint; // preview without print

    report::VariableStore& variables() { return m_variables; }
    void setVariable(const QString& name, const QVariant& value) { m_variables.set(name, value); }
    const report::DataRegistry& registry() const { return m_registry; }

    // What the per-product and per-producer feeds read from the list screen.
    ReportPeriod& period() { return m_period; }
    // The current product name and producer code of the master feeds.
    const QString& currentProductName() const { return m_productName; }
    const QString& currentProducerCode() const { return m_producerCode; }

    // The print sequence up to the preview: read the chosen buyer into ZQ60 (unless readBuyer is
    // false), load the template file by its bare name, set the orientation and prepare the pages.
    // The caller has set the variables and prepared its queries. A template that cannot be
    // loaded, or a failing query, throws Error naming the cause. The screens show the pages
    // (printReport in ReportPrint.h).
    const report::PreparedReport& prepare(const QString& templateFile, QPageLayout::Orientation orientation,
                                          Target target = Target::Nyomtat, bool readBuyer = true);

    // Words added after the template's title for the next print only (the ticket number, a list's
    // period): the preview's caption, the printer's job name and the proposed PDF file name carry
    // them. takeTitleSuffix() hands them over and clears them.
    void setTitleSuffix(const QString& suffix) { m_titleSuffix = suffix; }
    QString takeTitleSuffix() { return std::exchange(m_titleSuffix, QString()); }

    // The page orientation each of the program's templates prints in (portrait unless listed).
    static QPageLayout::Orientation orientationOf(const QString& templateFile);

    // Tests replace the modal preview: the hook receives the prepared pages instead.
    using PreviewHook = std::function<void(const report::PreparedReport& pages, bool allowPrint)>;
    static void setPreviewHook(PreviewHook hook);
    static const PreviewHook& previewHook();

private:
    void rerunProductLines();
    void rerunProducerLines(bool ordered);
    void rerunProducerTotal();

    TData* m_data;
    report::VariableStore m_variables;
    report::DataRegistry m_registry;
    std::map<QString, std::unique_ptr<QueryDataSource>> m_sources;
    report::UserFeed m_user1;
    report::UserFeed m_user2;
    report::UserFeed m_user3;
    report::UserFeed m_user4;
    ReportPeriod m_period;
    QString m_productName;
    QString m_producerCode;
    QString m_titleSuffix;
};

} // namespace zeror
