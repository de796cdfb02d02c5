#include "AuditXmlScreens.h"
#include "BuyerScreens.h"
#include "DataCheckScreens.h"
#include "MasterdataScreens.h"
#include "Startup.h"
#include "TaxSupplyScreens.h"
#include "TicketScreens.h"

namespace zeror {

void registerScreens()
{
    registerBuyerScreens();
    registerMasterdataScreens();
    registerTicketScreens();
    registerDataCheckScreens();
    registerTaxSupplyScreens();
    registerAuditXmlScreens();
}

} // namespace zeror
