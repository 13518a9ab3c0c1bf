#include "components/analog/BT_TestPunkt.h"

#include "engine/Globals.h"
#include "platform/Canvas.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTTestpunkt>("TBTTestpunkt"),
     .TypeName = {"Test", "Test", "Test"},
     .Designator = "TP",
     .HelpContext = 18531,
     .Inputs = {.Count = 1, .Names = ""},
     .Outputs = {.Count = 0}},
};

constexpr TColor Red = 0x0000FF;
constexpr TColor Grey = 8421504;
constexpr TColor White = 0xFFFFFF;

} // namespace

TBTTestpunkt::TBTTestpunkt(const TComponentRow& row) : TAnalogBT(row) {}

void TBTTestpunkt::Draw(TCanvas& canvas)
{
    for (const TBauteilPin& pin : Inputs)
        DrawPin(canvas, pin, true);
    for (const TBauteilPin& pin : Outputs)
        DrawPin(canvas, pin, false);
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 3;
    canvas.Pen.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = White;
    canvas.Rectangle(BodyRect.Left, BodyRect.Top + 20, BodyRect.Right, BodyRect.Bottom - 20);
    const bool live = ShowComponentStates && SimulationRunning;
    canvas.Font.Name = "ARIAL";
    canvas.Font.Style = 0;
    canvas.Font.Height = 25;
    canvas.Font.Color = live ? Red : Grey;
    canvas.Brush.Style = TBrushStyle::bsClear;
    const AnsiString text = live ? ShortValueText(Value) : AnsiString("TEST");
    canvas.TextOut(CentreX() - canvas.TextWidth(text) / 2, CentreY() - 12, text);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

void TBTTestpunkt::DrawLiveState(TCanvas& canvas)
{
    if (ShowComponentStates && SimulationRunning && Value != ShownValue) {
        ShownValue = Value;
        Draw(canvas);
    }
    TAnalogBT::DrawLiveState(canvas);
}

TRect TBTTestpunkt::GetBounds() const
{
    TRect r = TAnalogBT::GetBounds();
    r.Top += 20;
    r.Bottom -= 20;
    return r;
}

TRowList TestpunktRows()
{
    return RowList(Rows);
}
