#pragma once

namespace zeror {

// Registers the list screens for their main-menu items: "Bevallás lista", "Termékenkénti lista",
// "Östermelönkénti lista", "Östermelö havi bontásban", "Kp. napi lista", "Statisztika" and the
// hidden "Szerzödés".
void registerListScreens();

} // namespace zeror
