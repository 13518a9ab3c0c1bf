#include "engine/DeviceInterfaces.h"

