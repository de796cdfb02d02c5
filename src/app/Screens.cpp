#include "BuyerScreens.h"
#include "Startup.h"

namespace zeror {

void registerScreens()
{
    registerBuyerScreens();
}

} // namespace zeror
