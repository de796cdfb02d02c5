#pragma once

namespace zeror {

// Registers the backup, help, about and remote-support screens for their main-menu items.
void registerShellToolScreens();

} // namespace zeror
