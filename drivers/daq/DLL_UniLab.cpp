#include "drivers/daq/DLL_UniLab.h"

void FreeUniLabDll()
{
    // No driver binds the library yet, so there is nothing to free.
}
