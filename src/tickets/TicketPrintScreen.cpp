#include "TicketPrintScreen.h"

#include "Dialogs.h"
#include "ReportPrint.h"
#include "SharedState.h"
#include "TData.h"
#include "TicketList.h"
#include "TicketPrint.h"

namespace zeror {

bool printSelectedTicket(TData& data, QWidget* parent)
{
    if (!hasSelectedTicket(data)) {
        ui::Dialogs::refusal(parent, NoTicketSelected);
        return false;
    }
    TicketPrintout printout;
    try {
        printout = prepareTicketPrintout(data);
    } catch (const Error& e) {
        ui::Dialogs::error(parent, e.message());
        return false;
    }
    if (printout.markPrinted) {
        // The ticket only counts as printed once its template is there to print it with.
        try {
            checkTemplateLoads(printout.templateFile);
        } catch (const Error& e) {
            ui::Dialogs::error(parent, e.message());
            return false;
        }
        try {
            markTicketPrinted(data, printout.number);
        } catch (const Error& e) {
            ui::Dialogs::error(parent, e.message());
        }
    }
    ReportModule::instance().setTitleSuffix(printout.number);
    const bool shown = printReport(printout.templateFile, QPageLayout::Portrait,
                                   printout.printing ? ReportModule::Target::Nyomtat
                                                     : ReportModule::Target::Megtekint,
                                   parent);
    if (!shown)
        return false;
    try {
        openTicketListAt(data, sharedState().currentTicketNumber);
    } catch (const Error& e) {
        ui::Dialogs::error(parent, e.message());
    }
    return true;
}

} // namespace zeror
