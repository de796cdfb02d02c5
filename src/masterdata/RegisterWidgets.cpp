#include "RegisterWidgets.h"

#include "DbError.h"
#include "Dialogs.h"
#include "RegisterCommon.h"
#include "ReportPrint.h"

#include <QLabel>

namespace zeror::registercommon {

QLabel* detailValueLabel(QWidget* parent)
{
    auto* value = new QLabel(parent);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont f = value->font();
    f.setBold(true);
    value->setFont(f);
    // A long value (an address, a bank account) is cut at the panel's edge, with the whole text
    // in the tool tip, instead of widening the window each time such a record is shown.
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    value->setMinimumWidth(40);
    return value;
}

bool printRegisterList(QWidget* parent, TData& data, Query& list, const QString& keyField,
                       const QStringList& printSql, const QString& templateName)
{
    const QVariant currentId = list.isOpen() && list.recNo() >= 0 ? list.value(keyField) : QVariant();
    try {
        openRegisterPrintout(data, list, printSql);
    } catch (const Error& e) {
        ui::Dialogs::error(parent, e.message());
        return false;
    }
    printReport(templateName, QPageLayout::Landscape, ReportModule::Target::Nyomtat, parent, false);
    // The printout walked the rows; the list keeps the printout's order and stands where it stood.
    if (currentId.isValid())
        list.locate(keyField, currentId);
    else
        list.first();
    return true;
}

} // namespace zeror::registercommon
