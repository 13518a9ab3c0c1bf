// Vendor libraries bound by name at run time. A binding adds its release
// function here when it first loads its library; the main window releases
// every library still loaded when it is destroyed, so no binding needs a line
// of its own in the main window.
#pragma once

// Adds the release function of a loaded library; adding it again changes
// nothing until it has been released.
void AddVendorLibrary(void (*release)());
// Calls every added release function once, in the order they were added, and
// empties the table.
void ReleaseVendorLibraries();
