// A request from outside to end the program: SIGTERM, as a session's logout
// or a service manager sends it. It reaches the main thread through the event
// loop as a call of the installed handler, which closes the program the way
// its window's close does. Main thread only.
#pragma once

#include <functional>

// Installs the handler (replacing an earlier one) and unblocks SIGTERM, so a
// request that arrived while a starting parent kept it blocked is delivered
// now, into the event loop.
void InstallTerminationHandler(std::function<void()> handler);
// SIGTERM ends the process again, as without a handler.
void RemoveTerminationHandler();
