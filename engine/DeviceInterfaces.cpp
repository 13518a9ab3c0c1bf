#include "engine/DeviceInterfaces.h"

THardwareFactory CreateHardwareByLegacyName;
