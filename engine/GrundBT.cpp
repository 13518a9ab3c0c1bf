#include "engine/GrundBT.h"

#include "engine/Globals.h"
#include "engine/Gradient.h"
#include "engine/Makro.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <string>

bool GradientBodies = true;

TBrush TGrundBT::CreateBodyBrush() const
{
    TBrush brush;
    brush.SetColor(PaletteIndex(PanelElement ? 3 : 2));
    return brush;
}

void TGrundBT::Draw(TCanvas& canvas)
{
    const TColor selectable = Selected ? clRed : clBlack;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Color = selectable;
    canvas.Font.Name = ArialFamily;
    canvas.Font.Height = 26;
    canvas.Font.Style = fsItalic;
    canvas.Pen.Width = 3;
    for (const TBauteilPin& pin : Inputs)
        DrawPin(canvas, pin, true);
    for (const TBauteilPin& pin : Outputs)
        DrawPin(canvas, pin, false);
    canvas.Font.Style = 0;
    if (ShowLineStates)
        DrawPinLevels(canvas);

    canvas.Pen.Width = 3;
    canvas.Pen.Color = Selected ? clRed : clGray;
    DrawGradientRect(canvas, BodyRect, BodyColor1, BodyColor2, true, GradientBodies);
    if (PrintBlackWhite)
        canvas.Pen.Color = clBlack;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(BodyRect);

    if (!Designator.empty()) {
        const AnsiString text = (Designator + std::to_string(Number)).substr(0, 20);
        canvas.Font.Height = 26;
        canvas.Font.Style = fsItalic;
        canvas.Font.Color = PrintBlackWhite ? clBlack : clGray;
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.TextOut(BodyRect.Left + (BodyRect.Width() - canvas.TextWidth(text)) / 2, BodyRect.Bottom - 30, text);
        canvas.Font.Style = 0;
    }

    for (Integer i = 0; i < InputCount; ++i)
        DrawInversionBubble(canvas, i, true);
    for (Integer i = 0; i < OutputCount; ++i)
        DrawInversionBubble(canvas, i, false);
    if (ShowComponentStates)
        DrawLiveState(canvas);
}

void TGrundBT::DrawPin(TCanvas& canvas, const TBauteilPin& pin, bool isInput)
{
    const TColor c = Selected ? clRed : clBlack;
    canvas.Pen.Color = c;
    canvas.Pen.Width = 3;
    canvas.Font.Color = Selected ? clRed : pin.Connected ? clMaroon : clSilver;
    canvas.Brush.SetColor(pin.Connected ? c : clGray);
    if (!pin.Connected)
        canvas.Pen.Color = clSilver;
    if (PrintBlackWhite) {
        canvas.Pen.Color = clBlack;
        canvas.Brush.Color = clBlack;
        canvas.Font.Color = clBlack;
    }
    const AnsiString name = pin.Name;
    canvas.MoveTo(pin.X, pin.Y);
    if (OnLeftSide(isInput)) {
        canvas.LineTo(pin.X + pin.StubLength, pin.Y);
        canvas.Brush.Style = TBrushStyle::bsClear;
        DrawPinLabel(canvas, BodyRect.Left - canvas.TextWidth(name) - 6, pin.Y - 26, name);
    } else {
        canvas.LineTo(pin.X - pin.StubLength, pin.Y);
        canvas.Brush.Style = TBrushStyle::bsClear;
        DrawPinLabel(canvas, BodyRect.Right + 6, pin.Y - 26, name);
    }
}

void TGrundBT::DrawPinLabel(TCanvas& canvas, Integer x, Integer y, const AnsiString& name)
{
    AnsiString label = name;
    const bool leftOfBody = x < BodyRect.Left;
    if (!label.empty() && label[0] == '/') {
        label = label.substr(1, 10);
        if (leftOfBody)
            x += canvas.TextWidth("/");
        const TPen saved = canvas.Pen;
        canvas.Pen.Color = canvas.Font.Color;
        canvas.Pen.Width = 2;
        canvas.Pen.Style = TPenStyle::psSolid;
        canvas.MoveTo(x + 3, y - 1);
        canvas.LineTo(x + canvas.TextWidth(label) - 1, y - 1);
        canvas.Pen = saved;
    }
    if (!label.empty() && label[0] == '|') {
        label.erase(0, 1);
        Integer a;
        if (leftOfBody) {
            x += canvas.TextWidth("/") - 12;
            a = x + canvas.TextWidth(label) + 5;
        } else {
            a = x + 4;
            x += 12;
        }
        const TPen savedPen = canvas.Pen;
        const TBrush savedBrush = canvas.Brush;
        const Integer h = canvas.TextHeight(label) - 16;
        canvas.Pen.Color = canvas.Font.Color;
        canvas.Pen.Style = TPenStyle::psSolid;
        canvas.Pen.Width = 2;
        canvas.MoveTo(a + 3, y + 7);
        canvas.LineTo(a + 3, y + 7 + h);
        canvas.Pen.Width = 1;
        canvas.Brush.SetColor(canvas.Font.Color);
        canvas.Polygon({TPoint{a - 1, y + 5 + h}, TPoint{a + 3, y + 9 + h}, TPoint{a + 7, y + 5 + h}});
        canvas.Pen = savedPen;
        canvas.Brush = savedBrush;
    }
    canvas.TextOut(x, y, label);
}

void TGrundBT::DrawInversionBubble(TCanvas& canvas, Integer index, bool isInput)
{
    const TPinList& pins = isInput ? Inputs : Outputs;
    if (index < 0 || index >= static_cast<Integer>(pins.size()) || !pins[index].Inverted)
        return;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = clRed;
    canvas.Brush.SetColor(clWhite);
    const Integer x = OnLeftSide(isInput) ? BodyRect.Left : BodyRect.Right;
    const Integer y = pins[index].Y;
    canvas.Ellipse(x - 10, y - 10, x + 10, y + 10);
}

void TGrundBT::DrawLevelLine(const TIOBauteil& owner, TCanvas& canvas, const TBauteilPin& pin, bool high,
                             bool isInput)
{
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 3;
    canvas.Pen.Color = high ? clRed : clBlack;
    canvas.MoveTo(pin.X, pin.Y);
    canvas.LineTo(isInput != owner.Mirrored ? pin.X + 40 : pin.X - 40, pin.Y);
}

void TGrundBT::DrawPinLevel(TCanvas& canvas, const TBauteilPin& pin, bool high, bool isInput)
{
    DrawLevelLine(*this, canvas, pin, high, isInput);
}

bool TGrundBT::InputShowsHigh(const TBauteilPin& pin) const
{
    if (!SimulationRunning)
        return false;
    return pin.Source ? pin.Source->Value >= LogicThreshold : true;
}

void TGrundBT::DrawPinLevels(TCanvas& canvas)
{
    // A macro pin component shows its input low: its net is the outer one.
    const bool macroPin = dynamic_cast<const TBTPin*>(this) != nullptr;
    for (const TBauteilPin& pin : Inputs)
        DrawPinLevel(canvas, pin, !macroPin && InputShowsHigh(pin), true);
    for (const TBauteilPin& pin : Outputs)
        DrawPinLevel(canvas, pin, pin.Value >= LogicThreshold, false);
}

void TGrundBT::DrawLiveState(TCanvas& canvas)
{
    for (const TBauteilPin& pin : Inputs)
        DrawPinStateMark(canvas, pin, InputShowsHigh(pin), true);
    for (const TBauteilPin& pin : Outputs)
        DrawPinStateMark(canvas, pin, SimulationRunning && pin.Value >= LogicThreshold, false);
}

void TGrundBT::DrawPinStateMark(TCanvas& canvas, const TBauteilPin& pin, bool high, bool isInput)
{
    DrawStateMark(*this, canvas, pin, high, isInput);
}

void TGrundBT::DrawStateMark(const TIOBauteil& owner, TCanvas& canvas, const TBauteilPin& pin, bool high,
                             bool isInput)
{
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 1;
    if (high && SimulationRunning) {
        canvas.Pen.Color = clGray;
        canvas.Brush.SetColor(clLime);
    } else {
        canvas.Pen.Color = clBlack;
        canvas.Brush.SetColor(clSilver);
    }
    const Integer x = isInput != owner.Mirrored ? owner.BodyRect.Left : owner.BodyRect.Right;
    const Integer d = owner.Mirrored ? -7 : 7;
    const Integer y = pin.Y;
    canvas.Polygon({TPoint{x - d, y - d}, TPoint{x + d, y}, TPoint{x - d, y + d}});
}

void TGrundBT::DrawClockWedge(TCanvas& canvas, Integer inputIndex)
{
    if (inputIndex < 0 || inputIndex >= InputCount)
        return;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Color = Selected ? clRed : clBlack;
    canvas.Pen.Width = 3;
    const Integer y = Inputs[inputIndex].Y;
    const Integer x = Mirrored ? BodyRect.Right : BodyRect.Left;
    const Integer d = Mirrored ? -20 : 20;
    canvas.Polyline({TPoint{x, y - 10}, TPoint{x + d, y}, TPoint{x, y + 10}});
}
