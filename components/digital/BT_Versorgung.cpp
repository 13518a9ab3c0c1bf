#include "components/digital/BT_Versorgung.h"

#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {

const TTypeNames VccNames{{"Vcc (+5V)", "Vcc (+5V)", "Vcc (+5V)"}};
const TTypeNames MasseNames{{"Masse", "Ground", "Masse"}};
const TTypeNames VerzoegerungNames{{"Verzögerung"_ansi, "Delay", "Délais"_ansi}};
const TTypeNames PowerOnResetNames{{"Power-On-Reset", "Power-On-Reset", "Reset à la mise\rsous tension"_ansi}};

} // namespace

// ---- Vcc and ground

TFesterPegel::TFesterPegel(const TTypeNames& typeName, Integer helpContext, bool high)
    : typeName_(typeName), high_(high)
{
    SetOutputCount(1);
    HelpContext = helpContext;
}

void TFesterPegel::OutputsCreated()
{
    for (TBauteilPin& pin : Outputs)
        pin.Name = "";
}

void TFesterPegel::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
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
    canvas.Brush.Color = SymbolColour(*this);
    canvas.FillRect({c.X - 3, c.Y - 24, c.X + 3, c.Y + 6});
    canvas.FillRect({c.X - 25, c.Y + 6, c.X + 25, c.Y + 22});
}

TBTVcc::TBTVcc() : TFesterPegel(VccNames, 18530, true) {}
TBTMasse::TBTMasse() : TFesterPegel(MasseNames, 18525, false) {}

// ---- Step delay

TBTVerzoegerung::TBTVerzoegerung()
{
    SetInputCount(1);
    SetOutputCount(1);
    Designator = "DLY";
    HelpContext = 18535;
    HasPropertyDialog = true;
}

AnsiString TBTVerzoegerung::GetTypeName() const
{
    return VerzoegerungNames.Pick();
}

void TBTVerzoegerung::InputsCreated()
{
    for (TBauteilPin& pin : Inputs)
        pin.Name = "E";
}

void TBTVerzoegerung::OutputsCreated()
{
    for (TBauteilPin& pin : Outputs)
        pin.Name = "A";
}

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
    ReadFixedPinsRecord(*this, stream, reader, version);
    // Steps indexes the line: held within it.
    Steps = std::clamp(reader.ReadInteger(), 1, MaxSteps);
}

Integer TBTVerzoegerung::EditProperties()
{
    TDigitalDialog dialog(*this);
    dialog.Props().AddSpin(Translate("Systemtakte"), Steps, 1, MaxSteps, 64);
    return dialog.Show();
}

AnsiString TBTVerzoegerung::GetHintText()
{
    return TGrundBT::GetHintText() + CR + "= " + std::to_string(Steps);
}

// ---- Power-on reset

TBTPowerOnReset::TBTPowerOnReset()
{
    SetOutputCount(1);
    Designator = "PON";
    HelpContext = 18540;
}

AnsiString TBTPowerOnReset::GetTypeName() const
{
    return PowerOnResetNames.Pick();
}

void TBTPowerOnReset::OutputsCreated()
{
    for (TBauteilPin& pin : Outputs)
        pin.Name = "";
}

void TBTPowerOnReset::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
}

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
