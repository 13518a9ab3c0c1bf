// Two-colour gradient fills of rectangles, the routine the program binds by
// name from the Windows image library. Here it is part of the platform layer;
// a test can make it look absent to exercise the flat-fill fallback.
#pragma once

#include "platform/SysTypes.h"

class TCanvas;

// One corner of a gradient: logical position and 16-bit colour channels (the
// 8-bit value in the high byte).
struct TTriVertex {
    Integer X = 0;
    Integer Y = 0;
    Word Red = 0;
    Word Green = 0;
    Word Blue = 0;
    Word Alpha = 0;
};

// A rectangle joining two vertices by index.
struct TGradientRect {
    Cardinal UpperLeft = 0;
    Cardinal LowerRight = 0;
};

inline constexpr Cardinal GRADIENT_FILL_RECT_H = 0;   // colour changes left to right
inline constexpr Cardinal GRADIENT_FILL_RECT_V = 1;   // colour changes top to bottom

using TGradientFillProc = bool (*)(TCanvas& canvas, const TTriVertex* vertices, Cardinal vertexCount,
                                   const TGradientRect* rects, Cardinal rectCount, Cardinal mode);

// The bound routine, or nullptr when the library is (made) absent. Each
// rectangle covers its vertices' corners with right and bottom exclusive.
TGradientFillProc LoadGradientFillProc();
void SetGradientFillMissingForTest(bool missing);
