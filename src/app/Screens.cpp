#include "BuyerScreens.h"
#include "ListScreens.h"
#include "MasterdataScreens.h"
#include "Startup.h"
#include "TicketScreens.h"

namespace zeror {

void registerScreens()
{
    registerBuyerScreens();
    registerMasterdataScreens();
    registerTicketScreens();
    registerListScreens();
}

} // namespace zeror
