#include "drivers/daq/DLL_Me9x.h"

void FreeMe9xDll()
{
    // No driver binds the library yet, so there is nothing to free.
}
