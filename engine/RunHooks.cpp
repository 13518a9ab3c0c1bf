#include "engine/RunHooks.h"

TSimulationHooks SimulationHooks;
