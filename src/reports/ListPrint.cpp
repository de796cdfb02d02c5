#include "ListPrint.h"

#include "ReportModule.h"
#include "ReportPrint.h"

namespace zeror {

bool printList(const ListPrintJob& job, QWidget* parent)
{
    ReportModule& module = ReportModule::instance();
    for (const auto& v : job.variables)
        module.setVariable(v.first, v.second);
    if (job.setsFeedPeriod)
        module.period() = ReportPeriod{job.byPaymentDate, job.from, job.to};
    module.setTitleSuffix(periodSuffix(job.from, job.to));
    return printReport(job.templateFile, job.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       ReportModule::Target::Nyomtat, parent, job.readBuyer);
}

} // namespace zeror
