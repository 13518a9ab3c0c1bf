// The shell's side of the hooks the lower layers call up through.
#pragma once

class TForm1;

// Installs every hook of engine/ShellHooks.h that the shell serves, in one
// place; the main window calls it at start-up.
void InstallShellHooks(TForm1& form);
