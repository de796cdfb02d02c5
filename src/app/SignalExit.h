#pragma once

#include <functional>

namespace zeror {

// Ends the program cleanly on SIGTERM (a desktop logout, a service stop) and SIGINT (Ctrl+C).
// The embedded database engine takes both signals for its own shutdown when it loads, and the
// process would then stay; so this must be installed after the database is opened. The signal
// handler only writes to a pipe; the given function runs on the user-interface thread when the
// event loop next turns, and should do what "Kilépés" does and then quit.
void installCleanExitOnSignals(std::function<void(int signal)> onSignal);

} // namespace zeror
