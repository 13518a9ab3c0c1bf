// State that every front-panel element and container reads: the panel
// colour that elements may follow, where the next new element goes, the
// editing grid, and the main window's undo hook.
#pragma once

#include "platform/SysTypes.h"

#include <functional>

// The panel colour of a new project; elements whose colours follow the panel
// paint in PanelDefaultColor.
inline constexpr TColor NewPanelColor = 0xD8E9EC;
extern TColor PanelDefaultColor;
// Where the next new element is placed (a 5 x 5 grid of positions 32 apart).
extern TPoint ElementCascade;
// The editing grid in pixels (1 = no snapping), whether it is drawn and in
// which colour.
extern Integer GridSize;
extern bool GridVisible;
extern TColor GridColor;

// Back to the values of a freshly started program (tests).
void ResetPanelGlobals();
