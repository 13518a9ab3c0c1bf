#include "components/digital/BT_Register.h"

#include "platform/IniFile.h"

namespace {

// The reset and clock inputs; the data inputs follow them.
constexpr const char* RegisterInputs = "/RST,|CK";
constexpr const char* LatchInputs = "/RST,CK";

const TRegisterRow Registers[] = {
    {.Component = {.Class = RowClass<TRegister>("TBTREG2"),
                   .TypeName = {"2-bit Register", "Register (2 bit)", "Registre (2 bits)"},
                   .Designator = "2REG",
                   .HelpContext = 25000,
                   .Inputs = {.Count = 4, .Names = RegisterInputs},
                   .Outputs = {.Count = 2}},
     .BodyText = {{"Regist.(2)", "Regist.(2)", "Regist.(2)"}},
     .Bits = 2,
     .Latch = false},
    {.Component = {.Class = RowClass<TRegister>("TBTREG4"),
                   .TypeName = {"4-bit Register", "Register (4 bit)", "Registre (4 bits)"},
                   .Designator = "4REG",
                   .HelpContext = 25000,
                   .Inputs = {.Count = 6, .Names = RegisterInputs},
                   .Outputs = {.Count = 4}},
     .BodyText = {{"Register (4)", "Register (4)", "Register (4)"}},
     .Bits = 4,
     .Latch = false},
    {.Component = {.Class = RowClass<TRegister>("TBTREG8"),
                   .TypeName = {"8-bit Register", "Register (8 bit)", "Registre 8 bits"},
                   .Designator = "8REG",
                   .HelpContext = 25000,
                   .Inputs = {.Count = 10, .Names = RegisterInputs},
                   .Outputs = {.Count = 8}},
     .BodyText = {{"Register (8)", "Register (8)", "Registre (8)"}},
     .Bits = 8,
     .Latch = false},
    {.Component = {.Class = RowClass<TRegister>("TBTREG16"),
                   .TypeName = {"16-bit Register", "Register (16 bit)", "Registre 16 bits"},
                   .Designator = "16REG",
                   .HelpContext = 25000,
                   .Inputs = {.Count = 18, .Names = RegisterInputs},
                   .Outputs = {.Count = 16}},
     .BodyText = {{"Register (16)", "Register (16)", "Registre (16)"}},
     .Bits = 16,
     .Latch = false},
    {.Component = {.Class = RowClass<TRegister>("TBTREG2_T"),
                   .TypeName = {"2-bit Latch", "Latch (2-bit)", "Latch (2 bits)"},
                   .Designator = "2LAT",
                   .HelpContext = 25000,
                   .Inputs = {.Count = 4, .Names = LatchInputs},
                   .Outputs = {.Count = 2}},
     .BodyText = {{"Latch (2)", "Latch (2)", "Latch (2)"}},
     .Bits = 2,
     .Latch = true},
    {.Component = {.Class = RowClass<TRegister>("TBTREG4_T"),
                   .TypeName = {"4-bit Latch", "Latch (4-bit)", "Latch 4 bits"},
                   .Designator = "4LAT",
                   .HelpContext = 25000,
                   .Inputs = {.Count = 6, .Names = LatchInputs},
                   .Outputs = {.Count = 4}},
     .BodyText = {{"Latch (4)", "Latch (4)", "Latch (4)"}},
     .Bits = 4,
     .Latch = true},
    {.Component = {.Class = RowClass<TRegister>("TBTREG8_T"),
                   .TypeName = {"8-bit Latch", "Latch (8-bit)", "Latch 8 bits"},
                   .Designator = "8LAT",
                   .HelpContext = 25000,
                   .Inputs = {.Count = 10, .Names = LatchInputs},
                   .Outputs = {.Count = 8}},
     .BodyText = {{"Latch (8)", "Latch (8)", "Latch (8)"}},
     .Bits = 8,
     .Latch = true},
    {.Component = {.Class = RowClass<TRegister>("TBTREG16_T"),
                   .TypeName = {"16-bit Latch", "Latch (16-bit)", "Latch (16 bits)"},
                   .Designator = "16LAT",
                   .HelpContext = 25000,
                   .Inputs = {.Count = 18, .Names = LatchInputs},
                   .Outputs = {.Count = 16}},
     .BodyText = {{"Latch (16)", "Latch (16)", "Latch (16)"}},
     .Bits = 16,
     .Latch = true},
};

} // namespace

TRegister::TRegister(const TComponentRow& row)
    : TGrundBT(row), info_(FamilyRow<TRegisterRow>(row)), bits_(info_.Bits), latch_(info_.Latch)
{
}

TRowList ParallelRegisterRows()
{
    return RowList(Registers);
}

void TRegister::InputsCreated()
{
    for (Integer i = FirstDataInput; i < InputCount; ++i)
        Inputs[i].Name = "D" + std::to_string(i - FirstDataInput);
}

void TRegister::OutputsCreated()
{
    for (Integer o = 0; o < OutputCount; ++o)
        Outputs[o].Name = "Q" + std::to_string(OutputCount - 1 - o);
}

void TRegister::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    if (!latch_)
        DrawClockWedge(canvas, ClockInput);
    DrawVerticalCaption(canvas, info_.BodyText.Pick(), FigureColor());
}

void TRegister::ResetForStart()
{
    for (Integer o = 0; o < OutputCount; ++o)
        SetOutputLogic(o, false);
    State = 0;
    StateInternal = 0;
}

void TRegister::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    const AnsiString own = StateSection(section);
    ini.WriteInteger(own, "State", State);
    if (!latch_)
        ini.WriteInteger(own, "StateInternal", StateInternal);
}

void TRegister::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    const AnsiString own = StateSection(section);
    State = ini.ReadInteger(own, "State", 0);
    if (!latch_)
        StateInternal = ini.ReadInteger(own, "StateInternal", 0);
    WriteState();
}
