#include "prepared.h"

#include <QPageSize>

namespace report {

QStringList PreparedReport::texts() const
{
    QStringList out;
    for (int i = 0; i < pages.size(); ++i)
        out += pageTexts(i);
    return out;
}

QStringList PreparedReport::pageTexts(int pageIndex) const
{
    QStringList out;
    if (pageIndex < 0 || pageIndex >= pages.size())
        return out;
    for (const PreparedItem& it : pages.at(pageIndex).items)
        if (it.kind == PreparedItem::Text)
            out << it.text;
    return out;
}

QStringList PreparedReport::textsOf(const QString& objectName) const
{
    QStringList out;
    for (const PreparedPage& p : pages)
        for (const PreparedItem& it : p.items)
            if (it.kind == PreparedItem::Text && it.objectName == objectName)
                out << it.text;
    return out;
}

QPageLayout PreparedReport::pageLayout() const
{
    // QPageSize takes the portrait size; the orientation turns it.
    const QSizeF portrait(qMin(pageSizeMm.width(), pageSizeMm.height()),
                          qMax(pageSizeMm.width(), pageSizeMm.height()));
    const auto orient = pageSizeMm.width() > pageSizeMm.height() ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), orient, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

}  // namespace report
