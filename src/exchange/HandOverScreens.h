#pragma once

namespace zeror {

// Registers the inventory hand-over and the support mail screens for their main-menu items.
void registerHandOverScreens();

} // namespace zeror
