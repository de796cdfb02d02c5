#pragma once

namespace zeror {

// Registers the schema upgrades, the producer clean-up and the raw table editor under their
// menu items.
void registerMaintenanceScreens();

} // namespace zeror
