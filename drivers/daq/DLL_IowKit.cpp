#include "drivers/daq/DLL_IowKit.h"

void FreeIowKitDll()
{
    // No driver binds the library yet, so there is nothing to free.
}
