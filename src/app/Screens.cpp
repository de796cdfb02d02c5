#include "AuditXmlScreens.h"
#include "BuyerScreens.h"
#include "DataCheckScreens.h"
#include "ExchangeScreens.h"
#include "HandOverScreens.h"
#include "ListScreens.h"
#include "MaintenanceScreens.h"
#include "MasterdataScreens.h"
#include "ShellToolScreens.h"
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
    registerHandOverScreens();
    registerShellToolScreens();
    registerMaintenanceScreens();
}

} // namespace zeror
