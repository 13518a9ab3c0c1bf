#include "engine/Globals.h"

bool SimulationRunning = false;
bool RunOnlyMode = false;
bool ProjectModified = false;
bool SimSpeedFast = true;
bool ColourDrawing = true;
bool LibraryLoading = false;
bool SaveCompiled = false;
bool ShowComponentHints = true;
bool RubberBandsActive = false;
AnsiString ProjectFolder;
AnsiString CurrentProjectFile;
double PerfFrequency = 1e9;
double MeasuredStepRate = 0.0;
Byte LoadedFileVersion = 46;

void ResetGlobals()
{
    SimulationRunning = false;
    RunOnlyMode = false;
    ProjectModified = false;
    SimSpeedFast = true;
    ColourDrawing = true;
    LibraryLoading = false;
    SaveCompiled = false;
    ShowComponentHints = true;
    RubberBandsActive = false;
    ProjectFolder.clear();
    CurrentProjectFile.clear();
    PerfFrequency = 1e9;
    MeasuredStepRate = 0.0;
    LoadedFileVersion = 46;
}
