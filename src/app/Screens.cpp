#include "AuditXmlScreens.h"
#include "BuyerScreens.h"
#include "MasterdataScreens.h"
#include "Startup.h"
#include "TicketScreens.h"

namespace zeror {

void registerScreens()
{
    registerBuyerScreens();
    registerMasterdataScreens();
    registerTicketScreens();
    registerAuditXmlScreens();
}

} // namespace zeror
