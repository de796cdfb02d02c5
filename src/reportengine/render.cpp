#include "render.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <optional>

namespace report {

namespace {

// Keeps the last font scaled for the device, as neighbouring items mostly
// share one font.
class FontCache {
public:
    FontCache(qreal pxPerMm, QPaintDevice* device)
        : m_device(device)
    {
        const qreal dpiY = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
        m_factor = pxPerMm * 25.4 / dpiY;
    }

    // Sets the device-scaled font on the painter unless it is already set.
    void apply(QPainter* p, const QFont& f)
    {
        if (!m_metrics || !(f == m_source)) {
            m_source = f;
            m_scaled = f;
            m_scaled.setPointSizeF(f.pointSizeF() * m_factor);
            m_metrics.emplace(m_scaled, m_device);
            p->setFont(m_scaled);
        }
    }
    // Metrics of the font last applied.
    const QFontMetricsF& metrics() const { return *m_metrics; }

private:
    QPaintDevice* m_device;
    qreal m_factor = 1;
    QFont m_source, m_scaled;
    std::optional<QFontMetricsF> m_metrics;
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
            qreal x = inner.left();
            if (it.align & (Qt::AlignRight | Qt::AlignHCenter)) {
                const qreal w = fm.horizontalAdvance(it.text);
                x = (it.align & Qt::AlignRight) ? inner.right() - w : inner.left() + (inner.width() - w) / 2;
            }
            qreal y;
            if (it.align & Qt::AlignBottom)
                y = inner.bottom() - fm.descent();
            else if (it.align & Qt::AlignVCenter)
                y = inner.top() + (inner.height() - fm.ascent() - fm.descent()) / 2 + fm.ascent();
            else
                y = inner.top() + fm.ascent();
            p->drawText(QPointF(x, y), it.text);
        } else {
            int flags = int(it.align);
            if (it.wordWrap)
                flags |= Qt::TextWordWrap;
            p->drawText(inner, flags, it.text);
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

void paintPage(const PreparedReport& report, int pageIndex, QPainter* painter,
               const QRectF& target)
{
    if (!painter || pageIndex < 0 || pageIndex >= report.pages.size() || report.pageSizeMm.width() <= 0)
        return;
    const qreal pxPerMm = target.width() / report.pageSizeMm.width();
    FontCache fonts(pxPerMm, painter->device());
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
        for (int i = 0; i < report.pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            paintPage(report, i, &painter, target);
        }
        painter.end();
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

}  // namespace report
