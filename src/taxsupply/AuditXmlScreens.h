#pragma once

namespace zeror {

// Registers the tax-audit XML screen for its (hidden) main-menu item.
void registerAuditXmlScreens();

} // namespace zeror
