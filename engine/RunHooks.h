// What a component asks of the running program outside the circuit, through
// calls the main window installs at start-up.
#pragma once

#include <functional>

// The run's close request, as a component that ends the run sends it (the
// main window's stop path; in a run-only copy its own close).
struct TSimulationHooks {
    std::function<void()> RequestStop;
};
extern TSimulationHooks SimulationHooks;
