#pragma once

namespace zeror {
// Registers the ticket list (and through it entry, printing and voiding) with the main menu.
void registerTicketScreens();
} // namespace zeror
