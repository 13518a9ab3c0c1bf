#include "components/digital/BT_Schieberegister.h"

#include "engine/AnsiLiteral.h"
#include "platform/IniFile.h"

namespace {

// The common inputs; the loadable registers' data inputs follow them.
constexpr const char* ShiftInputs = "|CK,/RST,L/R,DL,DR,/LD";

const TSchieberegisterRow ShiftRegisters[] = {
    {.Component = {.Class = RowClass<TSchieberegister>("TBTSREG"),
                   .TypeName = {"Schieberegister\r(4 bit)", "Shift register\r(4 bit)", "Reg. à décalage\r(4)"_ansi},
                   .Designator = "SR-",
                   .HelpContext = 26000,
                   .Inputs = {.Count = 5, .Names = ShiftInputs},
                   .Outputs = {.Count = 4}},
     .BodyText = "Shift (4)",
     .Bits = 4,
     .Loadable = false},
    {.Component = {.Class = RowClass<TSchieberegister>("TBTSREG8"),
                   .TypeName = {"Schieberegister\r(8 bit)", "Shift register\r(8 bit)", "Reg. à décalage\r(8)"_ansi},
                   .Designator = "SR8-",
                   .HelpContext = 26000,
                   .Inputs = {.Count = 5, .Names = ShiftInputs},
                   .Outputs = {.Count = 8}},
     .BodyText = "Shift (8)",
     .Bits = 8,
     .Loadable = false},
    {.Component = {.Class = RowClass<TSchieberegister>("TBTSREG16"),
                   .TypeName = {"Schieberegister\r(16 bit)", "Shift register\r(16 bit)", "Reg. à décalage\r(16)"_ansi},
                   .Designator = "SR16-",
                   .HelpContext = 26000,
                   .Inputs = {.Count = 5, .Names = ShiftInputs},
                   .Outputs = {.Count = 16}},
     .BodyText = "Shift (16)",
     .Bits = 16,
     .Loadable = false},
    {.Component = {.Class = RowClass<TSchieberegister>("TBTSREGL"),
                   .TypeName = {"Schieberegister\r(4 bit, ladbar)", "Shift register\rwith load (4 bit)", "Reg. à décalage\ravec charg. (4)"_ansi},
                   .Designator = "SRL-",
                   .HelpContext = 26000,
                   .Inputs = {.Count = 10, .Names = ShiftInputs},
                   .Outputs = {.Count = 4}},
     .BodyText = "Shift (4)",
     .Bits = 4,
     .Loadable = true},
    {.Component = {.Class = RowClass<TSchieberegister>("TBTSREGL8"),
                   .TypeName = {"Schieberegister\r(8 bit, ladbar)", "Shift register\rwith load (8 bit)", "Reg. à décalage\ravec charg.(8)"_ansi},
                   .Designator = "SRL8-",
                   .HelpContext = 26000,
                   .Inputs = {.Count = 14, .Names = ShiftInputs},
                   .Outputs = {.Count = 8}},
     .BodyText = "Shift (8)",
     .Bits = 8,
     .Loadable = true},
    {.Component = {.Class = RowClass<TSchieberegister>("TBTSREGL16"),
                   .TypeName = {"Schieberegister\r(16 Bit, ladbar)", "Shift register\rwith load (16 bit)", "Reg. à décalage\ravec charg. (16)"_ansi},
                   .Designator = "SRL16-",
                   .HelpContext = 26000,
                   .Inputs = {.Count = 22, .Names = ShiftInputs},
                   .Outputs = {.Count = 16}},
     .BodyText = "Shift (16)",
     .Bits = 16,
     .Loadable = true},
};

} // namespace

TSchieberegister::TSchieberegister(const TComponentRow& row)
    : TGrundBT(row), info_(FamilyRow<TSchieberegisterRow>(row)), bits_(info_.Bits),
      mask_((Cardinal(1) << info_.Bits) - 1), topBit_(Cardinal(1) << (info_.Bits - 1)), loadable_(info_.Loadable)
{
}

TRowList SchieberegisterRows()
{
    return RowList(ShiftRegisters);
}

void TSchieberegister::InputsCreated()
{
    for (Integer i = FirstDataInput; i < InputCount; ++i)
        Inputs[i].Name = "D" + std::to_string(i - FirstDataInput);
}

void TSchieberegister::OutputsCreated()
{
    for (Integer o = 0; o < OutputCount; ++o)
        Outputs[o].Name = "Q" + std::to_string(OutputCount - 1 - o);
}

void TSchieberegister::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawClockWedge(canvas, ClockInput);
    DrawVerticalCaption(canvas, info_.BodyText, FigureColor());
}

void TSchieberegister::ResetForStart()
{
    for (Integer o = 0; o < OutputCount; ++o)
        SetOutputLogic(o, false);
    State = 0;
    SampleDL = false;
    SampleDR = false;
    LoadValue = 0;
}

void TSchieberegister::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    ini.WriteInteger(StateSection(section), "State", State);
}

void TSchieberegister::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    State = ini.ReadInteger(StateSection(section), "State", 0);
    WriteState();
}
