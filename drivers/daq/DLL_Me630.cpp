#include "drivers/daq/DLL_Me630.h"

void FreeMe630Dll()
{
    // No driver binds the library yet, so there is nothing to free.
}
