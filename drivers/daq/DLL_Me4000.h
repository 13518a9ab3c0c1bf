// Binding of the ME-4000 library, loaded on first use by the drivers that need it.
#pragma once

// Frees the library when it was loaded and clears its loaded flag;
// called when the main window is destroyed.
void FreeMe4000Dll();
