#pragma once

namespace zeror {

// Registers the text export, old-version import and CSV import screens under their menu items.
void registerTextExchangeScreens();

} // namespace zeror
