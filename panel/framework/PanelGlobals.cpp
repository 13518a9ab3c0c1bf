#include "panel/framework/PanelGlobals.h"

#include "engine/Globals.h"

TColor PanelDefaultColor = NewPanelColor;
TPoint ElementCascade{32, 32};
Integer GridSize = 16;
bool GridVisible = false;
TColor GridColor = 0x808080;

void ResetPanelGlobals()
{
    PanelDefaultColor = NewPanelColor;
    ElementCascade = {32, 32};
    GridSize = 16;
    GridVisible = false;
    GridColor = 0x808080;
}

static const bool PanelGlobalsReset = AddGlobalsReset(ResetPanelGlobals);
