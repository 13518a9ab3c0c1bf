#include "drivers/daq/DLL_Me4000.h"

void FreeMe4000Dll()
{
    // No driver binds the library yet, so there is nothing to free.
}
