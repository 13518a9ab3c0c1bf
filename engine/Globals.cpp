#include "engine/Globals.h"

#include "engine/Language.h"
#include "engine/PanelInterfaces.h"
#include "engine/ShellHooks.h"

#include <vector>

bool SimulationRunning;
bool RunOnlyMode;
bool ProjectModified;
bool SimSpeedFast;
bool ColourDrawing;
bool LibraryLoading;
bool SaveCompiled;
bool ShowComponentHints;
bool RubberBandsActive;
AnsiString ProjectFolder;
AnsiString CurrentProjectFile;
double PerfFrequency;
double MeasuredStepRate;
Byte LoadedFileVersion;
TShellHooks ShellHooks;

namespace {

std::vector<void (*)()>& LayerResets()
{
    static std::vector<void (*)()> resets;
    return resets;
}

} // namespace

bool AddGlobalsReset(void (*reset)())
{
    LayerResets().push_back(reset);
    return true;
}
IFrontplatte* PanelWindow = nullptr;

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
    LanguageIndex = 0;
    ShellHooks = {};
    for (const auto reset : LayerResets())
        reset();
}

// The start values are those of ResetGlobals, set once before main.
static const bool GlobalsInitialised = (ResetGlobals(), true);
