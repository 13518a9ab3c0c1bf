#include "components/digital/BT_Versorgung.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {

const TFesterPegelRow Levels[] = {
    {.Component = {.Class = RowClass<TFesterPegel>("TBTMasse"),
                   .TypeName = {"Masse", "Ground", "Masse"},
                   .HelpContext = 18525,
                   .Inputs = {.Count = 0},
                   .Outputs = {.Count = 1, .Names = ""}},
     .High = false},
    {.Component = {.Class = RowClass<TFesterPegel>("TBTVcc"),
                   .TypeName = {"Vcc (+5V)", "Vcc (+5V)", "Vcc (+5V)"},
                   .HelpContext = 18530,
                   .Inputs = {.Count = 0},
                   .Outputs = {.Count = 1, .Names = ""}},
     .High = true},
};

const TComponentRow Timing[] = {
    {.Class = RowClass<TBTVerzoegerung>("TBTVerzoegerung"),
     .TypeName = {"Verzögerung"_ansi, "Delay", "Délais"_ansi},
     .Designator = "DLY",
     .HelpContext = 18535,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Names = "E"},
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTPowerOnReset>("TBTPowerOnReset"),
     .TypeName = {"Power-On-Reset", "Power-On-Reset", "Reset à la mise\rsous tension"_ansi},
     .Designator = "PON",
     .HelpContext = 18540,
     .Inputs = {.Count = 0},
     .Outputs = {.Count = 1, .Names = ""}},
};

} // namespace

// ---- Vcc and ground

TRowList VersorgungRows()
{
    TRowList rows = RowList(Levels);
    for (const TComponentRow* row : RowList(Timing))
        rows.push_back(row);
    return rows;
}

void TFesterPegel::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TPoint c = BodyCentre(*this);
    if (high_) {
        DrawSymbolText(canvas, *this, c.X - 22, c.Y - 38, 80, "+");
        return;
    }
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = FigureColor();
    canvas.FillRect({c.X - 3, c.Y - 24, c.X + 3, c.Y + 6});
    canvas.FillRect({c.X - 25, c.Y + 6, c.X + 25, c.Y + 22});
}

// ---- Step delay

void TBTVerzoegerung::ResetForStart()
{
    Position = 1;
    std::fill(std::begin(Line), std::end(Line), 0.0L);
}

void TBTVerzoegerung::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TPoint c = BodyCentre(*this);
    DrawSymbolText(canvas, *this, c.X - 22, c.Y - 54, 60, "...");
}

void TBTVerzoegerung::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteInteger(Steps);
}

void TBTVerzoegerung::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    // Steps indexes the line: held within it.
    Steps = std::clamp(reader.ReadInteger(), 1, MaxSteps);
}

Integer TBTVerzoegerung::EditProperties()
{
    TSettingsSheet dialog(*this);
    dialog.Props().AddSpin(Translate("Systemtakte"), Steps, 1, MaxSteps, 64);
    return dialog.Show();
}

AnsiString TBTVerzoegerung::GetHintText()
{
    return TGrundBT::GetHintText() + CR + "= " + std::to_string(Steps);
}

// ---- Power-on reset

void TBTPowerOnReset::ResetForStart()
{
    Active = true;
    Started = 0;
    OutputHigh = true;
    SetOutputLogic(0, true);
}

void TBTPowerOnReset::Calculate()
{
    if (!Active)
        return;
    if (Started == 0) {
        StartTick = GetTickCount();
        Started = 1;
        return;
    }
    const Cardinal now = GetTickCount();
    if (now - StartTick <= PhaseMs)
        return;
    if (!OutputHigh) {
        OutputHigh = true;
        SetOutputLogic(0, true);
        Active = false;
    } else {
        OutputHigh = false;
        SetOutputLogic(0, false);
        StartTick = now;
    }
}

void TBTPowerOnReset::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TPoint c = BodyCentre(*this);
    DrawSymbolText(canvas, *this, c.X - 14, c.Y - 32, 40, "R");
}
