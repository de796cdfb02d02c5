#include "printing.h"

#include "render.h"

#include <QPainter>
#include <QPrinter>

namespace report {

bool print(const PreparedReport& report, QPrinter* printer, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!printer)
        return fail(QStringLiteral("No printer"));
    if (report.pages.isEmpty())
        return fail(QStringLiteral("The report has no pages"));
    printer->setFullPage(true);
    const QPageLayout layout = report.pageLayout();
    printer->setPageSize(layout.pageSize());
    printer->setPageOrientation(layout.orientation());
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (!report.title.isEmpty() && printer->docName().isEmpty())
        printer->setDocName(report.title);

    int from = 0;
    int to = int(report.pages.size()) - 1;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        from = qBound(0, printer->fromPage() - 1, to);
        to = qBound(from, printer->toPage() > 0 ? printer->toPage() - 1 : to, to);
    } else if (printer->printRange() == QPrinter::CurrentPage && printer->fromPage() > 0) {
        from = to = qBound(0, printer->fromPage() - 1, to);
    }

    QPainter painter;
    if (!painter.begin(printer))
        return fail(QStringLiteral("Cannot start printing on %1").arg(printer->printerName()));
    const QRectF target = printer->paperRect(QPrinter::DevicePixel);
    const QRectF page(QPointF(0, 0), target.size());
    for (int i = from; i <= to; ++i) {
        if (i > from && !printer->newPage()) {
            painter.end();
            return fail(QStringLiteral("Printing stopped at page %1").arg(i + 1));
        }
        paintPage(report, i, &painter, page);
    }
    if (!painter.end())
        return fail(QStringLiteral("Printing failed"));
    return true;
}

}  // namespace report
