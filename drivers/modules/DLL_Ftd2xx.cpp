#include "drivers/modules/DLL_Ftd2xx.h"

void FreeFtd2xxDll()
{
    // No driver binds the library yet, so there is nothing to free.
}
