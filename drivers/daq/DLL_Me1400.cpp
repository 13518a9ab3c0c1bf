#include "drivers/daq/DLL_Me1400.h"

void FreeMe1400Dll()
{
    // No driver binds the library yet, so there is nothing to free.
}
