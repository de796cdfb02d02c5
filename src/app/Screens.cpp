#include "BuyerScreens.h"
#include "MasterdataScreens.h"
#include "Startup.h"
#include "TextExchangeScreens.h"
#include "TicketScreens.h"

namespace zeror {

void registerScreens()
{
    registerBuyerScreens();
    registerMasterdataScreens();
    registerTicketScreens();
    registerTextExchangeScreens();
}

} // namespace zeror
