#include "drivers/daq/DLL_Wasco.h"

void FreeWascoDll()
{
    // No driver binds the library yet, so there is nothing to free.
}
