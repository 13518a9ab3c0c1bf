// Binding of the USB relay card library, loaded on first use by the drivers that need it.
#pragma once

// Frees the library when it was loaded and clears its loaded flag;
// called when the main window is destroyed.
void FreeUsb8IoDll();
