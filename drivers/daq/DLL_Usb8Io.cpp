#include "drivers/daq/DLL_Usb8Io.h"

void FreeUsb8IoDll()
{
    // No driver binds the library yet, so there is nothing to free.
}
