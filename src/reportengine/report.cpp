#include "report.h"

#include "reporttemplate.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QSet>
#include <QImage>

namespace report {

using namespace detail;

namespace {

constexpr qreal kMeasureDpi = 1200;

// Height in mm that the text needs in a box of the given width, keeping
// the room the template left around a single line.
QImage& measureDevice()
{
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        const int dpm = qRound(kMeasureDpi / 0.0254);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return device;
}

qreal measureTextHeight(const QString& text, const QFont& font, const QSizeF& boxMm, bool wrap)
{
    const qreal pxPerMm = kMeasureDpi / 25.4;
    const QFontMetricsF fm(font, &measureDevice());
    const qreal w = qMax<qreal>(1, (boxMm.width() - 2 * kTextPaddingMm) * pxPerMm);
    const QRectF r = fm.boundingRect(QRectF(0, 0, w, 1e7), wrap ? int(Qt::TextWordWrap) : 0, text);
    const qreal slack = qMax<qreal>(0, boxMm.height() - fm.height() / pxPerMm);
    return r.height() / pxPerMm + slack;
}

// Keeps a text inside its box: a line wider than the box is set in a smaller type (down to
// kMinShrink of its size); what is still too wide breaks into lines, and a wrapped text taller
// than the box gets smaller type until it fits or reaches kMinPoints. The painter clips what is
// left, so a long text never runs over its neighbours.
void fitTextToBox(PreparedItem& it)
{
    constexpr qreal kMinShrink = 0.7;
    constexpr qreal kMinPoints = 4.0;
    const qreal pxPerMm = kMeasureDpi / 25.4;
    const qreal boxW = (it.rect.width() - 2 * kTextPaddingMm) * pxPerMm;
    const qreal boxH = it.rect.height() * pxPerMm;
    if (boxW <= 0 || boxH <= 0 || it.font.pointSizeF() <= 0)
        return;
    const qreal original = it.font.pointSizeF();
    auto wrappedHeight = [&](const QFont& f) {
        const QFontMetricsF fm(f, &measureDevice());
        return fm.boundingRect(QRectF(0, 0, boxW, 1e7), int(Qt::TextWordWrap), it.text).height();
    };
    if (!it.wordWrap && !it.text.contains(QLatin1Char('\n'))) {
        const QFontMetricsF fm(it.font, &measureDevice());
        const qreal width = fm.horizontalAdvance(it.text);
        if (width <= boxW)
            return;
        const qreal smaller = qMax(original * kMinShrink, original * boxW / width * 0.98);
        it.font.setPointSizeF(qMax(kMinPoints, smaller));
        if (QFontMetricsF(it.font, &measureDevice()).horizontalAdvance(it.text) <= boxW)
            return;
        it.wordWrap = true;
    } else if (!it.wordWrap) {
        return; // lines the template broke itself
    }
    // Wrapped: smaller type while the lines are taller than the box.
    QFont f = it.font;
    while (wrappedHeight(f) > boxH && f.pointSizeF() - 0.25 >= kMinPoints)
        f.setPointSizeF(f.pointSizeF() - 0.25);
    it.font = f;
}

class Engine {
public:
    Engine(const ReportTemplate& t, QPageLayout::Orientation orientation, int maxPages,
           const VariableStore& variables)
        : m_t(t), m_maxPages(maxPages)
    {
        const QSizeF p = t.paperPortraitMm;
        m_pageSize = orientation == QPageLayout::Landscape ? QSizeF(p.height(), p.width()) : p;
        m_out.pageSizeMm = m_pageSize;
        m_out.orientation = orientation;
        m_out.title = t.title;
        m_ctx.variables = &variables;
        m_ctx.sources = &m_sources;
        m_ctx.aggregates = &m_aggs;
    }

    bool run(const DataRegistry& data, PreparedReport* out, QString* error)
    {
        const QString file = QFileInfo(m_t.fileName).fileName();
        m_sources.resize(m_t.components.size());
        for (size_t i = 0; i < m_t.components.size(); ++i) {
            m_sources[i] = data.source(m_t.components[i]);
            if (!m_sources[i])
                return fail(error, QStringLiteral("Report %1: no data component named %2 (used as [%2.\"...\"])")
                                       .arg(file, m_t.components[i]));
        }
        m_feeds.resize(m_t.bands.size(), nullptr);
        for (size_t i = 0; i < m_t.bands.size(); ++i) {
            const Band& b = m_t.bands[i];
            if (b.type != BandType::MasterData && b.type != BandType::DetailData)
                continue;
            m_feeds[i] = data.feed(b.dataset);
            if (!m_feeds[i])
                return fail(error, QStringLiteral("Report %1: no data feed named %2 for band %3")
                                       .arg(file, b.dataset, b.name));
        }
        m_aggs.assign(m_t.aggregators.size(), AggregateState());
        for (const Band& b : m_t.bands)
            if (b.type == BandType::PageFooter)
                m_footerHeight += b.height;
        m_bodyBottom = m_pageSize.height() - m_t.marginsMm.bottom() - m_footerHeight;

        newPage();
        forEachBand(BandType::ReportTitle, [this](int i) { printBand(i); });
        for (int i = 0; i < int(m_t.bands.size()) && !m_failed; ++i) {
            if (m_t.bands[size_t(i)].type != BandType::MasterData)
                continue;
            if (!m_dataStarted)
                startData(i);
            runMaster(i);
        }
        if (!m_dataStarted)
            startData(-1);
        forEachBand(BandType::ReportSummary, [this](int i) { printBand(i); });
        finishPage();
        if (m_failed)
            return fail(error, QStringLiteral("Report %1: %2").arg(file, m_failure));
        resolvePageNumbers();
        *out = std::move(m_out);
        return true;
    }

private:
    struct Deferred {
        int page = 0;
        int item = 0;
        const TemplateObject* object = nullptr;
        std::vector<std::unique_ptr<Node>> parts;  // one per segment, null where it has no expression
    };

    static bool fail(QString* error, const QString& msg)
    {
        if (error)
            *error = msg;
        return false;
    }

    template <typename Fn>
    void forEachBand(BandType type, Fn&& fn)
    {
        for (int i = 0; i < int(m_t.bands.size()); ++i)
            if (m_t.bands[size_t(i)].type == type)
                fn(i);
    }

    bool limitReached()
    {
        if (!m_failed && m_out.pages.size() > m_maxPages) {
            m_failed = true;
            m_failure = QStringLiteral("more than %1 pages; a data feed may never reach its end").arg(m_maxPages);
        }
        return m_failed;
    }

    void runMaster(int mi)
    {
        const Band& m = m_t.bands[size_t(mi)];
        DataSource* feed = m_feeds[size_t(mi)];
        feed->first();
        int line = 0;
        while (!feed->eof() && !limitReached()) {
            ++line;
            for (size_t a = 0; a < m_t.aggregators.size(); ++a) {
                const Aggregator& ag = m_t.aggregators[a];
                if (ag.reset == AggregateReset::EachMasterRow && ag.resetMaster == mi)
                    m_aggs[a].reset();
            }
            m_ctx.lineNo = line;
            printBand(mi);
            for (int d : m.details)
                runDetail(d);
            m_ctx.lineNo = line;
            for (int f : m.footers)
                printBand(f);
            feed->next();
        }
    }

    void runDetail(int di)
    {
        DataSource* feed = m_feeds[size_t(di)];
        feed->first();
        int line = 0;
        while (!feed->eof() && !limitReached()) {
            m_ctx.lineNo = ++line;
            printBand(di);
            feed->next();
        }
    }

    // Column headers start with the data; they move to a new page together
    // with the first data row when both do not fit.
    void startData(int firstMaster)
    {
        m_dataStarted = true;
        qreal need = 0;
        forEachBand(BandType::ColumnHeader, [&](int i) { need += m_t.bands[size_t(i)].height; });
        if (firstMaster >= 0)
            need += m_t.bands[size_t(firstMaster)].height;
        if (m_pageHasBody && m_curY + need > m_bodyBottom + 1e-6) {
            finishPage();
            newPage();  // prints the column headers
            return;
        }
        forEachBand(BandType::ColumnHeader, [this](int i) { printBand(i, false); });
    }

    void newPage()
    {
        m_out.pages.append(PreparedPage());
        m_ctx.page = int(m_out.pages.size());
        m_curY = m_t.marginsMm.top();
        m_pageHasBody = false;
        for (size_t a = 0; a < m_t.aggregators.size(); ++a)
            if (m_t.aggregators[a].reset == AggregateReset::EachPage)
                m_aggs[a].reset();
        forEachBand(BandType::PageHeader, [this](int i) { printBand(i, false); });
        if (m_dataStarted)
            forEachBand(BandType::ColumnHeader, [this](int i) { printBand(i, false); });
    }

    void finishPage()
    {
        m_curY = m_pageSize.height() - m_t.marginsMm.bottom() - m_footerHeight;
        forEachBand(BandType::PageFooter, [this](int i) { printBand(i, false); });
    }

    void addToAggregates(const std::vector<int>& list)
    {
        for (int a : list) {
            const Aggregator& ag = m_t.aggregators[size_t(a)];
            m_aggs[size_t(a)].add(ag.expr ? evaluate(*ag.expr, m_ctx) : Value());
        }
    }

    QString textOf(const TemplateObject& o) const
    {
        if (o.segments.size() == 1 && !o.segments.front().expr)
            return o.segments.front().literal;
        QString s;
        for (const TextSegment& seg : o.segments) {
            s += seg.literal;
            if (seg.expr)
                s += o.format.apply(evaluate(*seg.expr, m_ctx));
        }
        return s;
    }

    void printBand(int bi, bool mayBreak = true)
    {
        const Band& b = m_t.bands[size_t(bi)];
        if (m_failed)
            return;
        if (b.printWhen && !evaluate(*b.printWhen, m_ctx).isTrue())
            return;
        addToAggregates(b.addBeforePrint);

        std::vector<PreparedItem> items;
        std::vector<Deferred> deferred;
        items.reserve(b.objects.size());
        qreal height = b.height;
        for (const TemplateObject& o : b.objects) {
            if (o.printWhen && !evaluate(*o.printWhen, m_ctx).isTrue())
                continue;
            PreparedItem it;
            it.rect = o.rect;
            it.lineWidth = o.lineWidth;
            it.objectName = o.name;
            it.fill = o.fill;
            switch (o.kind) {
            case TemplateObject::Line:
                it.kind = PreparedItem::Line;
                break;
            case TemplateObject::Rect:
                it.kind = PreparedItem::Rect;
                break;
            case TemplateObject::Text:
                it.kind = PreparedItem::Text;
                it.font = o.font;
                it.align = o.align;
                it.wordWrap = o.wrap;
                it.frames = o.frames;
                if (o.pageDependent) {
                    Deferred d;
                    d.object = &o;
                    d.item = int(items.size());
                    for (const TextSegment& seg : o.segments)
                        d.parts.push_back(seg.expr ? bindExceptPages(*seg.expr, m_ctx) : nullptr);
                    deferred.push_back(std::move(d));
                } else {
                    it.text = pooled(textOf(o));
                    if (o.stretch && !it.text.isEmpty()) {
                        const qreal need = measureTextHeight(it.text, o.font, o.rect.size(), o.wrap);
                        if (need > it.rect.height())
                            it.rect.setHeight(need);
                        height = qMax(height, it.rect.bottom());
                    } else if (!it.text.isEmpty()) {
                        fitTextToBox(it);
                    }
                }
                break;
            }
            items.push_back(std::move(it));
        }

        if (mayBreak && m_pageHasBody
            && (b.startNewPage || m_curY + height > m_bodyBottom + 1e-6)) {
            finishPage();
            newPage();
            if (limitReached())
                return;
        }
        PreparedPage& page = m_out.pages.last();
        const int base = int(page.items.size());
        const int pageIndex = int(m_out.pages.size()) - 1;
        for (PreparedItem& it : items) {
            it.rect.translate(m_t.marginsMm.left(), m_curY);
            page.items.append(std::move(it));
        }
        for (Deferred& d : deferred) {
            d.page = pageIndex;
            d.item += base;
            m_deferred.push_back(std::move(d));
        }
        m_curY += height;
        if (b.type != BandType::PageHeader && b.type != BandType::ColumnHeader
            && b.type != BandType::PageFooter)
            m_pageHasBody = true;
        addToAggregates(b.addAfterPlace);
    }

    void resolvePageNumbers()
    {
        m_ctx.totalPages = int(m_out.pages.size());
        for (const Deferred& d : m_deferred) {
            m_ctx.page = d.page + 1;
            QString s;
            for (size_t i = 0; i < d.parts.size(); ++i) {
                s += d.object->segments[i].literal;
                if (d.parts[i])
                    s += d.object->format.apply(evaluate(*d.parts[i], m_ctx));
            }
            m_out.pages[d.page].items[d.item].text = s;
        }
    }

    const ReportTemplate& m_t;
    int m_maxPages;
    QSizeF m_pageSize;
    PreparedReport m_out;
    // Equal texts of a report share one string (names, units, codes, dates repeat on every page).
    QSet<QString> m_strings;
    QString pooled(const QString& text)
    {
        if (text.size() > 64)
            return text;
        return *m_strings.insert(text);
    }
    EvalContext m_ctx;
    std::vector<DataSource*> m_sources;
    std::vector<DataSource*> m_feeds;
    std::vector<AggregateState> m_aggs;
    std::vector<Deferred> m_deferred;
    qreal m_footerHeight = 0;
    qreal m_bodyBottom = 0;
    qreal m_curY = 0;
    bool m_pageHasBody = false;
    bool m_dataStarted = false;
    bool m_failed = false;
    QString m_failure;
};

}  // namespace

Report::Report() = default;
Report::~Report() = default;

bool Report::loadFromFile(const QString& fileName, QString* error)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open template file %1: %2").arg(fileName, f.errorString());
        return false;
    }
    const QByteArray xml = f.readAll();
    auto t = loadTemplate(xml, fileName, error);
    if (!t)
        return false;
    m_template = std::move(t);
    m_orientation = m_template->orientation;
    m_prepared = PreparedReport();
    return true;
}

bool Report::loadFromString(const QString& xml, const QString& sourceName, QString* error)
{
    auto t = loadTemplate(xml.toUtf8(), sourceName, error);
    if (!t)
        return false;
    m_template = std::move(t);
    m_orientation = m_template->orientation;
    m_prepared = PreparedReport();
    return true;
}

bool Report::isLoaded() const
{
    return m_template != nullptr;
}

QString Report::fileName() const
{
    return m_template ? m_template->fileName : QString();
}

QString Report::title() const
{
    return m_template ? m_template->title : QString();
}

void Report::setOrientation(QPageLayout::Orientation orientation)
{
    m_orientation = orientation;
}

QPageLayout::Orientation Report::orientation() const
{
    return m_orientation;
}

void Report::setMaxPages(int pages)
{
    m_maxPages = qMax(1, pages);
}

bool Report::prepare(const DataRegistry& data, const VariableStore& variables, QString* error)
{
    m_prepared = PreparedReport();
    if (!m_template) {
        if (error)
            *error = QStringLiteral("No report template is loaded");
        return false;
    }
    Engine engine(*m_template, m_orientation, m_maxPages, variables);
    return engine.run(data, &m_prepared, error);
}

const PreparedReport& Report::prepared() const
{
    return m_prepared;
}

}  // namespace report
