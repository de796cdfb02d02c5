#include "render.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <optional>
#include <unordered_map>

namespace report {

namespace {

// Fonts scaled for the device, built once per style, and the text already shaped in each:
// a long list repeats the same names, units and codes on every page, and a page repeats its
// column heads, so most strings are shaped once and then only placed.
class FontCache {
public:
    struct Shaped {
        QGlyphRun run;  // positions relative to the start of the baseline
        qreal width = 0;
    };
    struct Entry {
        QFont scaled;
        std::optional<QFontMetricsF> metrics;
        QRawFont raw;
        QHash<QString, Shaped> shaped;
    };

    FontCache(qreal pxPerMm, QPaintDevice* device)
        : m_device(device)
    {
        m_dpiY = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
        m_factor = pxPerMm * 25.4 / m_dpiY;
    }

    // Sets the device-scaled font on the painter unless it is already set.
    void apply(QPainter* p, const QFont& f)
    {
        if (m_current && f == m_source)
            return;
        m_source = f;
        auto it = m_entries.find(f);
        if (it == m_entries.end()) {
            Entry e;
            e.scaled = f;
            e.scaled.setPointSizeF(f.pointSizeF() * m_factor);
            e.metrics.emplace(e.scaled, m_device);
            // A raw font is sized in pixels of the screen; the device has its own resolution.
            e.raw = QRawFont::fromFont(e.scaled);
            if (e.raw.isValid())
                e.raw.setPixelSize(e.scaled.pointSizeF() * m_dpiY / 72.0);
            it = m_entries.emplace(f, std::move(e)).first;
        }
        m_current = &it->second;
        p->setFont(m_current->scaled);
    }
    // Metrics of the font last applied.
    const QFontMetricsF& metrics() const { return *m_current->metrics; }

    // The text shaped in the font last applied, or nullptr when the font lacks one of its
    // characters (the painter's own text drawing then finds a fallback font).
    const Shaped* shaped(const QString& text)
    {
        Entry& e = *m_current;
        if (!e.raw.isValid())
            return nullptr;
        auto it = e.shaped.constFind(text);
        if (it != e.shaped.constEnd())
            return it->run.isEmpty() && !text.isEmpty() ? nullptr : &*it;
        if (e.shaped.size() > kMaxShapedPerFont)
            e.shaped.clear();
        Shaped s;
        const QList<quint32> glyphs = e.raw.glyphIndexesForString(text);
        bool complete = glyphs.size() == text.size();
        for (qsizetype i = 0; complete && i < glyphs.size(); ++i)
            complete = glyphs[i] != 0 || text.at(i).isSpace();
        if (complete) {
            const QList<QPointF> advances = e.raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
            QList<QPointF> positions;
            positions.reserve(advances.size());
            qreal x = 0;
            for (const QPointF& a : advances) {
                positions.append(QPointF(x, 0));
                x += a.x();
            }
            s.run.setRawFont(e.raw);
            s.run.setGlyphIndexes(glyphs);
            s.run.setPositions(positions);
            s.width = x;
        }
        it = e.shaped.insert(text, std::move(s));
        return complete ? &*it : nullptr;
    }

private:
    static constexpr qsizetype kMaxShapedPerFont = 50000;
    struct FontHash {
        size_t operator()(const QFont& f) const { return qHash(f); }
    };
    QPaintDevice* m_device;
    qreal m_dpiY = 96;
    qreal m_factor = 1;
    QFont m_source;
    Entry* m_current = nullptr;
    // Node-based: entries keep their address while others are added.
    std::unordered_map<QFont, Entry, FontHash> m_entries;
};

// Square caps close the corners where two frame lines meet.
QPen penFor(qreal widthMm, qreal pxPerMm)
{
    QPen pen(Qt::black);
    pen.setWidthF(qMax<qreal>(widthMm * pxPerMm, 1.0));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Keeps the painter's pen when the next item wants the same one.
class PenCache {
public:
    explicit PenCache(qreal pxPerMm) : m_pxPerMm(pxPerMm) {}
    void text(QPainter* p)
    {
        if (!m_isText) {
            p->setPen(Qt::black);
            m_isText = true;
            m_known = true;
        }
    }
    void line(QPainter* p, qreal widthMm)
    {
        if (!m_known || m_isText || m_width != widthMm) {
            p->setPen(penFor(widthMm, m_pxPerMm));
            m_width = widthMm;
            m_isText = false;
            m_known = true;
        }
    }

private:
    qreal m_pxPerMm;
    qreal m_width = 0;
    bool m_known = false;
    bool m_isText = false;
};

void drawText(QPainter* p, const PreparedItem& it, const QRectF& r, qreal pxPerMm, FontCache& fonts,
              PenCache& pens)
{
    if (it.fill.isValid())
        p->fillRect(r, it.fill);
    if (!it.text.isEmpty()) {
        const qreal pad = kTextPaddingMm * pxPerMm;
        const QRectF inner = r.adjusted(pad, 0, -pad, 0);
        fonts.apply(p, it.font);
        pens.text(p);
        const bool simple = !it.wordWrap && !it.text.contains(QLatin1Char('\n'))
                            && !(it.align & Qt::AlignJustify);
        if (simple) {
            // One line: place the baseline directly, which is much faster than
            // the general text layout and gives the same result.
            const QFontMetricsF& fm = fonts.metrics();
            const FontCache::Shaped* shaped = fonts.shaped(it.text);
            qreal x = inner.left();
            if (it.align & (Qt::AlignRight | Qt::AlignHCenter)) {
                const qreal w = shaped ? shaped->width : fm.horizontalAdvance(it.text);
                x = (it.align & Qt::AlignRight) ? inner.right() - w : inner.left() + (inner.width() - w) / 2;
            }
            qreal y;
            if (it.align & Qt::AlignBottom)
                y = inner.bottom() - fm.descent();
            else if (it.align & Qt::AlignVCenter)
                y = inner.top() + (inner.height() - fm.ascent() - fm.descent()) / 2 + fm.ascent();
            else
                y = inner.top() + fm.ascent();
            if (shaped)
                p->drawGlyphRun(QPointF(x, y), shaped->run);
            else
                p->drawText(QPointF(x, y), it.text);
        } else {
            int flags = int(it.align);
            if (it.wordWrap)
                flags |= Qt::TextWordWrap;
            // Wrapped lines stay inside the box even when they need more room than it has.
            const bool clip = it.wordWrap;
            if (clip) {
                p->save();
                p->setClipRect(r, Qt::IntersectClip);
            }
            p->drawText(inner, flags, it.text);
            if (clip)
                p->restore();
        }
    }
    if (it.frames) {
        pens.line(p, it.lineWidth);
        if (it.frames & FrameLeft)
            p->drawLine(r.topLeft(), r.bottomLeft());
        if (it.frames & FrameTop)
            p->drawLine(r.topLeft(), r.topRight());
        if (it.frames & FrameRight)
            p->drawLine(r.topRight(), r.bottomRight());
        if (it.frames & FrameBottom)
            p->drawLine(r.bottomLeft(), r.bottomRight());
    }
}

QString fileError(const QString& fileName, const QString& why)
{
    return QStringLiteral("Cannot write PDF file %1: %2").arg(fileName, why);
}

}  // namespace

namespace {

// Paints one page with fonts and shaped text kept across the pages of one output.
void paintPageWith(const PreparedReport& report, int pageIndex, QPainter* painter, const QRectF& target,
                   FontCache& fonts)
{
    const qreal pxPerMm = target.width() / report.pageSizeMm.width();
    PenCache pens(pxPerMm);
    auto map = [&](const QRectF& mm) {
        return QRectF(target.left() + mm.left() * pxPerMm, target.top() + mm.top() * pxPerMm,
                      mm.width() * pxPerMm, mm.height() * pxPerMm);
    };
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    for (const PreparedItem& it : report.pages.at(pageIndex).items) {
        const QRectF r = map(it.rect);
        switch (it.kind) {
        case PreparedItem::Text:
            drawText(painter, it, r, pxPerMm, fonts, pens);
            break;
        case PreparedItem::Line:
            pens.line(painter, it.lineWidth);
            painter->drawLine(r.topLeft(), r.bottomRight());
            break;
        case PreparedItem::Rect:
            if (it.fill.isValid())
                painter->fillRect(r, it.fill);
            if (it.lineWidth > 0) {
                pens.line(painter, it.lineWidth);
                painter->setBrush(Qt::NoBrush);
                painter->drawRect(r);
            }
            break;
        }
    }
    painter->restore();
}

qreal pxPerMmOf(const PreparedReport& report, const QRectF& target)
{
    return report.pageSizeMm.width() > 0 ? target.width() / report.pageSizeMm.width() : 1;
}

}  // namespace

void paintPage(const PreparedReport& report, int pageIndex, QPainter* painter,
               const QRectF& target)
{
    if (!painter || pageIndex < 0 || pageIndex >= report.pages.size() || report.pageSizeMm.width() <= 0)
        return;
    FontCache fonts(pxPerMmOf(report, target), painter->device());
    paintPageWith(report, pageIndex, painter, target, fonts);
}

bool writePdf(const PreparedReport& report, const QString& fileName, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = fileError(fileName, why);
        return false;
    };
    if (report.pages.isEmpty())
        return fail(QStringLiteral("the report has no pages"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setPageLayout(report.pageLayout());
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("zeror"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(QStringLiteral("the PDF writer could not start"));
        }
        const QRectF target(QPointF(0, 0), writer.pageLayout().fullRectPixels(writer.resolution()).size());
        FontCache fonts(pxPerMmOf(report, target), &writer);
        for (int i = 0; i < report.pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            paintPageWith(report, i, &painter, target, fonts);
        }
        painter.end();
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

}  // namespace report
