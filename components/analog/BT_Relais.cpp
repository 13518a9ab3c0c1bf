#include "components/analog/BT_Relais.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/IniFile.h"

namespace {

const TAnalogInfo VergleicherInfo{{"Analog-\rVergleicher", "Analogue\rcomparator", "Comparateur\ranalogique"},
                                  "AVG", 18430, false, 2, 2, 3, 3};
const TAnalogInfo SampleInfo{{"Sample & Hold", "Sample & Hold", "Echantilloneur\rbloqueur"}, "S&H", 18425, false,
                             2, 2, 1, 1};
const TAnalogInfo RelaisInfo{{"Relais\r2 Eingänge"_ansi, "Relay\r2 Inputs", "Relais\r2 entrées"_ansi}, "REL", 18420,
                             false, 3, 3, 1, 1};
const TAnalogInfo Relais2Info{{"Relais\r2 Ausgänge"_ansi, "Relay\r2 Outputs", "Relais\r2 sorties"}, "REL", 18422,
                              false, 2, 2, 2, 2};

constexpr TColor Black = 0x000000;
constexpr TColor Red = 0x0000FF;

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

TBTAnalogVgl::TBTAnalogVgl() : TAnalogBT(VergleicherInfo)
{
    SetInputCount(2);
    SetOutputCount(3);
    Designator = ByLanguage("AVG", "ACP", "CPA");
}

void TBTAnalogVgl::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, ByLanguage("Vergl.", "Comp.", "Comp."), Selected ? Red : Black);
}

void TBTAnalogVgl::ResetForStart()
{
    for (Integer o = 0; o < 3; ++o)
        SetOutputValue(o, 0.0L);
}

// ---- Sample and hold

TBTSample::TBTSample() : TAnalogBT(SampleInfo)
{
    SetInputCount(2);
    SetOutputCount(1);
}

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

TBTRelais::TBTRelais() : TAnalogBT(RelaisInfo)
{
    SetInputCount(3);
    SetOutputCount(1);
}

void TBTRelais::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawContact(canvas, CentreX(), CentreY(), FigureColor());
}

TBTRelais_2::TBTRelais_2() : TAnalogBT(Relais2Info)
{
    SetInputCount(2);
    SetOutputCount(2);
}

void TBTRelais_2::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawContact(canvas, CentreX(), CentreY(), FigureColor());
}
