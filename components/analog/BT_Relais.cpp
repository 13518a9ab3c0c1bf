#include "components/analog/BT_Relais.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/IniFile.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTAnalogVgl>("TBTAnalogVgl"),
     .TypeName = {"Analog-\rVergleicher", "Analogue\rcomparator", "Comparateur\ranalogique"},
     .Designator = "AVG",
     .HelpContext = 18430,
     .Inputs = {.Count = 2, .Names = "A,B"},
     .Outputs = {.Count = 3, .Names = "A<B,A=B,A>B"}},
    {.Class = RowClass<TBTSample>("TBTSample"),
     .TypeName = {"Sample & Hold", "Sample & Hold", "Echantilloneur\rbloqueur"},
     .Designator = "S&H",
     .HelpContext = 18425,
     .Inputs = {.Count = 2, .Names = "E,/Hld"},
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTRelais>("TBTRelais"),
     .TypeName = {"Relais\r2 Eingänge"_ansi, "Relay\r2 Inputs", "Relais\r2 entrées"_ansi},
     .Designator = "REL",
     .HelpContext = 18420,
     .Inputs = {.Count = 3, .Names = "E0,E1,SEL"},
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTRelais_2>("TBTRelais_2"),
     .TypeName = {"Relais\r2 Ausgänge"_ansi, "Relay\r2 Outputs", "Relais\r2 sorties"},
     .Designator = "REL",
     .HelpContext = 18422,
     .Inputs = {.Count = 2, .Names = "E,SEL"},
     .Outputs = {.Count = 2, .Names = "A1,A0"}},
};

// The changeover contact both relays show, in the figure colour.
void DrawContact(TCanvas& canvas, Integer cx, Integer cy, TColor colour)
{
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Width = 3;
    canvas.Rectangle(cx - 20, cy - 54, cx + 20, cy + 26);
    canvas.Pen.Width = 2;
    canvas.Polyline({TPoint{cx - 20, cy + 6}, TPoint{cx + 18, cy - 32}});
    canvas.Polyline({TPoint{cx - 30, cy - 14}, TPoint{cx - 20, cy - 14}});
    canvas.Polyline({TPoint{cx + 20, cy - 14}, TPoint{cx + 30, cy - 14}});
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

} // namespace

// ---- Comparator

TBTAnalogVgl::TBTAnalogVgl(const TComponentRow& row) : TAnalogBT(row)
{
    Designator = ByLanguage("AVG", "ACP", "CPA");
}

void TBTAnalogVgl::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, ByLanguage("Vergl.", "Comp.", "Comp."), FigureColor());
}

void TBTAnalogVgl::ResetForStart()
{
    for (Integer o = 0; o < 3; ++o)
        SetOutputValue(o, 0.0L);
}

// ---- Sample and hold

TBTSample::TBTSample(const TComponentRow& row) : TAnalogBT(row) {}

void TBTSample::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFigureText(canvas, "S&H", 40, CentreX() - 35, CentreY() - 32);
}

void TBTSample::ResetForStart()
{
    SetOutputValue(0, 0.0L);
    Hold = 0.0L;
}

void TBTSample::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    WriteStateValue(ini, StateSection(section), "Hold", Hold);
}

void TBTSample::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    Hold = ReadStateValue(ini, StateSection(section), "Hold");
    SetOutputValue(0, Hold);
}

// ---- Relays

TBTRelais::TBTRelais(const TComponentRow& row) : TAnalogBT(row) {}

void TBTRelais::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawContact(canvas, CentreX(), CentreY(), FigureColor());
}

TBTRelais_2::TBTRelais_2(const TComponentRow& row) : TAnalogBT(row) {}

void TBTRelais_2::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawContact(canvas, CentreX(), CentreY(), FigureColor());
}

TRowList RelaisRows()
{
    return RowList(Rows);
}
