#include "engine/DeviceInterfaces.h"

THardwareFactory CreateHardwareByLegacyName;
std::function<TBauteil*(IDevice* device)> CreateHardwareHolding;
std::function<void(IDevice& device)> ShowMakerLinks;
