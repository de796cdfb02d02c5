#pragma once

namespace zeror {
// Registers the 1608M export and the merge of two imports with the main menu.
void registerTaxSupplyScreens();
} // namespace zeror
