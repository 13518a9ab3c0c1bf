// Process-wide state that every layer reads. The shell sets most of it (start-up,
// simulation control, files); it lives here so components, panel elements and
// drivers can read it without reaching up into the shell.
#pragma once

#include "platform/SysTypes.h"

extern bool SimulationRunning;
extern bool RunOnlyMode;
extern bool ProjectModified;
extern bool SimSpeedFast;
extern bool ColourDrawing;
extern bool LibraryLoading;
extern bool SaveCompiled;
extern bool ShowComponentHints;
extern bool RubberBandsActive;
extern AnsiString ProjectFolder;        // no trailing separator
extern AnsiString CurrentProjectFile;
extern double PerfFrequency;            // performance-counter ticks per second
extern double MeasuredStepRate;         // steps per second, refreshed by the shell
extern Byte LoadedFileVersion;          // version byte of the stream being read

// Back to the values of a freshly started program (tests): the globals of
// every layer linked in, the language index and the shell hooks included.
void ResetGlobals();
// A layer above the engine adds the reset of its own globals, once, from a
// static initialiser beside them; answers true so it can initialise a flag.
bool AddGlobalsReset(void (*reset)());
