#pragma once

namespace zeror {
// Registers the buyer choice, the buyer record and the year opening with the main menu.
void registerBuyerScreens();
} // namespace zeror
