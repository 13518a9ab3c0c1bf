// Binding of the IO-Warrior library, loaded on first use by the drivers that need it.
#pragma once

// Frees the library when it was loaded and clears its loaded flag (the open device is closed first);
// called when the main window is destroyed.
void FreeIowKitDll();
