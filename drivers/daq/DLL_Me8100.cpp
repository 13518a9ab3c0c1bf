#include "drivers/daq/DLL_Me8100.h"

void FreeMe8100Dll()
{
    // No driver binds the library yet, so there is nothing to free.
}
