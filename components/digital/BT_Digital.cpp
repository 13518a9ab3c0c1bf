#include "components/digital/BT_Digital.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <cmath>

AnsiString TTypeNames::Pick() const
{
    return ByLanguage(Text[0], Text[1], Text[2]);
}

TColor SymbolColour(const TIOBauteil& component)
{
    return component.Selected ? SymbolRed : component.SymbolColor;
}

void DrawSymbolLine(TCanvas& canvas, const TIOBauteil& component, std::initializer_list<TPoint> points)
{
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = SymbolColour(component);
    canvas.Polyline(points);
}

void DrawSymbolText(TCanvas& canvas, const TIOBauteil& component, Integer x, Integer y, Integer height,
                    const AnsiString& text)
{
    canvas.Font.Name = "ARIAL";
    canvas.Font.Style = 0;
    canvas.Font.Height = height;
    canvas.Font.Color = SymbolColour(component);
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

TDigitalDialog::TDigitalDialog(TIOBauteil& component)
    : component_(component), dlg_(Default_Dlg()), name_(component.Caption)
{
    dlg_.SetCaption(component.Caption);
    dlg_.SetHelpContext(component.HelpContext);
}

TPropScrollbox& TDigitalDialog::Props()
{
    return *dlg_.Props;
}

Integer TDigitalDialog::Show()
{
    dlg_.Props->AddOptionsSection(name_, component_.RuntimeAdjustable);
    const Integer result = dlg_.ShowModal();
    if (result == 1)
        component_.SetCaption(name_);
    return result;
}

void ReadFixedPinsRecord(TIOBauteil& component, TStream& stream, TReader& reader, Byte version)
{
    const Integer inputs = component.InputCount;
    const Integer outputs = component.OutputCount;
    component.TIOBauteil::ReadData(stream, reader, version);
    if (component.InputCount != inputs || component.OutputCount != outputs)
        throw EReadError(SInvalidPropertyValue);
}
