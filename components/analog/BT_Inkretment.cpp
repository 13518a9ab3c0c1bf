#include "components/analog/BT_Inkretment.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBT_Inkretment>("TBT_Inkretment"),
     .TypeName = {"Inkrementation", "Incrementation", "Incrémentation"_ansi},
     .Designator = "INC",
     .HelpContext = 18426,
     .Inputs = {.Count = 5, .Names = "INC,U/D,|CLK,/RST,RES"},
     .Outputs = {.Count = 1, .Names = "Z"}},
    {.Class = RowClass<TBT_AnalogDelay>("TBT_AnalogDelay"),
     .TypeName = {"Analogverzögerung"_ansi, "Analogue delay", "Délai analogique"_ansi},
     .Designator = "ADL",
     .HelpContext = 18427,
     .HasDialog = true,
     .Inputs = {.Count = 2, .Names = "IN,|CLK"},
     .Outputs = {.Count = 1, .Names = "OUT"}},
};

} // namespace

// ---- Incrementer

TBT_Inkretment::TBT_Inkretment(const TComponentRow& row) : TAnalogBT(row) {}

void TBT_Inkretment::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, "INC", FigureColor());
}

void TBT_Inkretment::Calculate()
{
    const Extended inc = InputValue(0);
    const bool up = InputLogic(1);
    const bool clock = InputLogic(2);
    if (!InputLogic(3))
        Value = InputValue(4);
    else if (LastClock && !clock)
        Value = up ? Value + inc : Value - inc;
    SetOutputValue(0, Value);
    LastClock = clock;
}

void TBT_Inkretment::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    WriteStateValue(ini, StateSection(section), "Z", Value);
}

void TBT_Inkretment::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    Value = ReadStateValue(ini, StateSection(section), "Z");
}

// ---- Analog delay

TBT_AnalogDelay::TBT_AnalogDelay(const TComponentRow& row) : TAnalogBT(row)
{
    SetLength(Length);
}

void TBT_AnalogDelay::SetLength(Integer n)
{
    Length = std::clamp(n, MinLength, MaxLength);
    Cells.assign(static_cast<std::size_t>(Length), 0.0L);
    Position = 0;
}

void TBT_AnalogDelay::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, "ADL", FigureColor());
}

void TBT_AnalogDelay::ResetForStart()
{
    std::fill(Cells.begin(), Cells.end(), 0.0L);
    Position = 0;
}

void TBT_AnalogDelay::Calculate()
{
    const bool clock = InputLogic(1);
    if (LastClock && !clock) {
        Extended& cell = Cells[static_cast<std::size_t>(Position)];
        SetOutputValue(0, cell);
        cell = InputValue(0);
        if (++Position >= Length)
            Position = 0;
    }
    LastClock = clock;
}

// Closing the sheet empties the line, whatever its result.
Integer TBT_AnalogDelay::EditProperties()
{
    TSettingsSheet sheet(*this);
    sheet.Props().AddSpin(Translate("Verzögerung"_ansi) + " [x CLK]", Length, MinLength, MaxLength, 64);
    const Integer result = sheet.Show();
    SetLength(Length);
    return result;
}

void TBT_AnalogDelay::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteInteger(Length);
}

void TBT_AnalogDelay::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    SetLength(reader.ReadInteger());
}

TRowList InkretmentRows()
{
    return RowList(Rows);
}
