#include "BuyerScreens.h"
#include "ExchangeScreens.h"
#include "MasterdataScreens.h"
#include "Startup.h"
#include "TicketScreens.h"

namespace zeror {

void registerScreens()
{
    registerBuyerScreens();
    registerMasterdataScreens();
    registerTicketScreens();
    registerExchangeScreens();
}

} // namespace zeror
