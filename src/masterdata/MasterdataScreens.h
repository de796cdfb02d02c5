#pragma once

namespace zeror {
// Registers the producer and product registers with the main menu.
void registerMasterdataScreens();
} // namespace zeror
