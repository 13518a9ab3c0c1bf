// Two-colour gradient fills for component bodies, palette entries and panel
// elements, bound by name at run time with a flat fill when the routine is
// missing, and the colour scaling used beside them.
#pragma once

#include "platform/SysTypes.h"

class TCanvas;

// The gradient routine is bound (false at start).
extern bool GradientAvailable;

bool LoadGradientLibrary();
void FreeGradientLibrary();
// Fills r with c1 at its left (top) edge running to c2 at its right (bottom)
// edge; without gradient, or without the routine, a flat fill in c1.
bool DrawGradientRect(TCanvas& canvas, const TRect& r, TColor c1, TColor c2, bool horizontal, bool gradient);
// Each channel times factor, rounded (halves to even), limited to 0..255.
TColor ScaleColor(TColor color, double factor);
