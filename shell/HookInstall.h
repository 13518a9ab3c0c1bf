// The shell's side of the hooks the lower layers call up through.
#pragma once

class TForm1;

// Installs every hook of engine/ShellHooks.h that the shell serves, in one
// place; the main window calls it at start-up.
void InstallShellHooks(TForm1& form);
// The part of them that needs no main window: devices in hardware components
// (also for the library-file generator, which places device classes).
void InstallHardwareHooks();
