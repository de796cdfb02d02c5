#pragma once

namespace zeror {

// Registers the data-exchange screens for their main-menu items.
void registerExchangeScreens();

} // namespace zeror
