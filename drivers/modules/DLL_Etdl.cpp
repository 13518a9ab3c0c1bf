#include "drivers/modules/DLL_Etdl.h"

void FreeEtdlDll()
{
    // No driver binds the library yet, so there is nothing to free.
}
