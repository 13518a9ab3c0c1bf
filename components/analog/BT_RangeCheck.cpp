#include "components/analog/BT_RangeCheck.h"

#include "engine/AnsiLiteral.h"
#include "platform/Canvas.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTRangeCheck>("TBTRangeCheck"),
     .TypeName = {"Bereichsprüfung"_ansi, "Range check", "Testeur de limites"},
     .Designator = "RGC",
     .HelpContext = 18416,
     .Inputs = {.Count = 3, .Names = "XH,X,XL"},
     .Outputs = {.Count = 3, .Names = "OL,OK,OH"}},
};

constexpr TColor Black = 0x000000;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Green = 0x008000;
constexpr TColor Red = 0x0000FF;
constexpr TColor BandGrey = 12632256;

} // namespace

TBTRangeCheck::TBTRangeCheck(const TComponentRow& row) : TAnalogBT(row) {}

// A grey band, a line rising through it (blue below, green inside, red
// above), arrows at the band's edges and a frame.
void TBTRangeCheck::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer cx = CentreX();
    const Integer cy = CentreY();
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = BandGrey;
    canvas.FillRect({cx - 30, cy - 14, cx + 30, cy + 6});

    canvas.Pen.Width = 2;
    const struct {
        TColor Colour;
        TPoint From, To;
    } pieces[] = {{Blue, {cx - 28, cy + 24}, {cx - 10, cy + 6}},
                  {Green, {cx - 10, cy + 6}, {cx + 10, cy - 14}},
                  {Red, {cx + 10, cy - 14}, {cx + 28, cy - 32}}};
    for (const auto& piece : pieces) {
        canvas.Pen.Color = piece.Colour;
        canvas.MoveTo(piece.From.X, piece.From.Y);
        canvas.LineTo(piece.To.X, piece.To.Y);
    }

    // Arrows on the centre line pointing at the band's upper and lower edge.
    canvas.Pen.Width = 1;
    canvas.Pen.Color = Black;
    for (const Integer edge : {cy - 14, cy + 6}) {
        const Integer dir = edge < cy ? -1 : 1;
        canvas.MoveTo(cx, cy - 4);
        canvas.LineTo(cx, edge);
        canvas.MoveTo(cx - 3, edge - 4 * dir);
        canvas.LineTo(cx, edge);
        canvas.LineTo(cx + 4, edge - 5 * dir);
    }

    canvas.Pen.Width = 2;
    canvas.Pen.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(cx - 30, cy - 34, cx + 30, cy + 26);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

TRowList RangeCheckRows()
{
    return RowList(Rows);
}
