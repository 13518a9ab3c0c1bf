// Making components by class name for the library and the component search:
// a component class gives the component, a device class a hardware
// component that holds the device.
#pragma once

#include "platform/SysTypes.h"

class TBauteil;

// The class identifier of a search entry that names a device: this prefix
// followed by the device's class name.
inline constexpr const char* HardwarePrefix = "Hardware";

// Raises the registry's class error for an unknown or abstract name and for
// a class that is neither a board object nor a device, and EClassNotFound
// for a device while no hardware component can hold one.
TBauteil* CreateLibraryObject(const AnsiString& className);
