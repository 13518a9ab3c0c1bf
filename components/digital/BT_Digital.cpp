#include "components/digital/BT_Digital.h"

#include "engine/Language.h"
#include "platform/Canvas.h"

#include <cmath>

AnsiString TTypeNames::Pick() const
{
    return ByLanguage(Text[0], Text[1], Text[2]);
}

void DrawSymbolLine(TCanvas& canvas, const TIOBauteil& component, std::initializer_list<TPoint> points)
{
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = component.FigureColor();
    canvas.Polyline(points);
}

void DrawSymbolText(TCanvas& canvas, const TIOBauteil& component, Integer x, Integer y, Integer height,
                    const AnsiString& text)
{
    canvas.Font.Name = "ARIAL";
    canvas.Font.Style = 0;
    canvas.Font.Height = height;
    canvas.Font.Color = component.FigureColor();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(x, y, text);
}

TPoint BodyCentre(const TIOBauteil& component)
{
    const TRect& body = component.BodyRect;
    return {body.Left + body.Width() / 2, body.Top + body.Height() / 2};
}

Integer RoundClamped(Extended v, Integer lo, Integer hi)
{
    if (!(v >= lo))
        return lo;
    if (v > hi)
        return hi;
    return static_cast<Integer>(std::nearbyint(v));
}
