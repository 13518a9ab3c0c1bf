#include "drivers/daq/DLL_Usb32Io.h"

void FreeUsb32IoDll()
{
    // No driver binds the library yet, so there is nothing to free.
}
