#include "AuditXmlScreens.h"
#include "BuyerScreens.h"
#include "DataCheckScreens.h"
#include "ExchangeScreens.h"
#include "ListScreens.h"
#include "MaintenanceScreens.h"
#include "MasterdataScreens.h"
#include "Startup.h"
#include "TaxSupplyScreens.h"
#include "TextExchangeScreens.h"
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
    registerExchangeScreens();
    registerTextExchangeScreens();
    registerListScreens();
    registerMaintenanceScreens();
}

} // namespace zeror
