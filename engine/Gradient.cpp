#include "engine/Gradient.h"

#include "platform/Canvas.h"
#include "platform/GradientFill.h"
#include "platform/VendorLibraries.h"

#include <algorithm>
#include <cmath>

bool GradientAvailable = false;

namespace {

TGradientFillProc gradientFill = nullptr;

// The 8-bit channel shifted into the high byte of a 16-bit one.
TTriVertex Vertex(Integer x, Integer y, TColor colour)
{
    const auto c = static_cast<Cardinal>(colour);
    TTriVertex v;
    v.X = x;
    v.Y = y;
    v.Red = static_cast<Word>((c & 0xFF) << 8);
    v.Green = static_cast<Word>(((c >> 8) & 0xFF) << 8);
    v.Blue = static_cast<Word>(((c >> 16) & 0xFF) << 8);
    v.Alpha = 0;
    return v;
}

} // namespace

bool LoadGradientLibrary()
{
    if (GradientAvailable)
        return true;
    gradientFill = LoadGradientFillProc();
    if (gradientFill)
        AddVendorLibrary(FreeGradientLibrary);
    return gradientFill != nullptr;
}

void FreeGradientLibrary()
{
    gradientFill = nullptr;
    GradientAvailable = false;
}

bool DrawGradientRect(TCanvas& canvas, const TRect& r, TColor c1, TColor c2, bool horizontal, bool gradient)
{
    // A missing routine is looked for again on every call.
    if (!GradientAvailable)
        GradientAvailable = LoadGradientLibrary();
    if (!gradient) {
        canvas.Brush.SetColor(c1);
        canvas.FillRect(r);
        return true;
    }
    const TTriVertex vertices[2] = {Vertex(r.Left, r.Top, c1), Vertex(r.Right, r.Bottom, c2)};
    const TGradientRect rect{0, 1};
    if (GradientAvailable && gradientFill) {
        gradientFill(canvas, vertices, 2, &rect, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return true;
    }
    canvas.Brush.SetColor(c1);
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Rectangle(r);
    canvas.Pen.Style = TPenStyle::psSolid;
    return true;
}

TColor ScaleColor(TColor color, double factor)
{
    const auto c = static_cast<Cardinal>(color);
    auto channel = [&](int shift) -> Cardinal {
        const double v = std::nearbyint(((c >> shift) & 0xFF) * factor);
        if (!(v > 0.0))   // negative factors and NaN
            return 0;
        return static_cast<Cardinal>(std::min(v, 255.0)) << shift;
    };
    return static_cast<TColor>(channel(0) | channel(8) | channel(16));
}
