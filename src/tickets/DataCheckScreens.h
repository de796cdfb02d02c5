#pragma once

namespace zeror {
// Registers the data check ("Ellenörzés") with the main menu.
void registerDataCheckScreens();
} // namespace zeror
