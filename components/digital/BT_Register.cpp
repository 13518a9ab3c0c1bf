#include "components/digital/BT_Register.h"

#include "platform/IniFile.h"
#include "platform/Stream.h"

namespace {

const TRegisterInfo REG2Info{{{"2-bit Register", "Register (2 bit)", "Registre (2 bits)"}},
                             {{"Regist.(2)", "Regist.(2)", "Regist.(2)"}},
                             "2REG",
                             2,
                             false};
const TRegisterInfo REG4Info{{{"4-bit Register", "Register (4 bit)", "Registre (4 bits)"}},
                             {{"Register (4)", "Register (4)", "Register (4)"}},
                             "4REG",
                             4,
                             false};
const TRegisterInfo REG8Info{{{"8-bit Register", "Register (8 bit)", "Registre 8 bits"}},
                             {{"Register (8)", "Register (8)", "Registre (8)"}},
                             "8REG",
                             8,
                             false};
const TRegisterInfo REG16Info{{{"16-bit Register", "Register (16 bit)", "Registre 16 bits"}},
                              {{"Register (16)", "Register (16)", "Registre (16)"}},
                              "16REG",
                              16,
                              false};
const TRegisterInfo LAT2Info{{{"2-bit Latch", "Latch (2-bit)", "Latch (2 bits)"}},
                             {{"Latch (2)", "Latch (2)", "Latch (2)"}},
                             "2LAT",
                             2,
                             true};
const TRegisterInfo LAT4Info{{{"4-bit Latch", "Latch (4-bit)", "Latch 4 bits"}},
                             {{"Latch (4)", "Latch (4)", "Latch (4)"}},
                             "4LAT",
                             4,
                             true};
const TRegisterInfo LAT8Info{{{"8-bit Latch", "Latch (8-bit)", "Latch 8 bits"}},
                             {{"Latch (8)", "Latch (8)", "Latch (8)"}},
                             "8LAT",
                             8,
                             true};
const TRegisterInfo LAT16Info{{{"16-bit Latch", "Latch (16-bit)", "Latch (16 bits)"}},
                              {{"Latch (16)", "Latch (16)", "Latch (16)"}},
                              "16LAT",
                              16,
                              true};

} // namespace

TRegister::TRegister(const TRegisterInfo& info) : info_(info), bits_(info.Bits), latch_(info.Latch)
{
    SetInputCount(FirstDataInput + info.Bits);
    SetOutputCount(info.Bits);
    Designator = info.Designator;
    HelpContext = 25000;
}

void TRegister::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i) {
        if (i == ResetInput)
            Inputs[i].Name = "/RST";
        else if (i == ClockInput)
            Inputs[i].Name = latch_ ? "CK" : "|CK";
        else
            Inputs[i].Name = "D" + std::to_string(i - FirstDataInput);
    }
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
    DrawVerticalCaption(canvas, info_.BodyText.Pick(), Selected ? SymbolRed : 0);
}

void TRegister::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
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

TBTREG2::TBTREG2() : TRegister(REG2Info) {}
TBTREG4::TBTREG4() : TRegister(REG4Info) {}
TBTREG8::TBTREG8() : TRegister(REG8Info) {}
TBTREG16::TBTREG16() : TRegister(REG16Info) {}
TBTREG2_T::TBTREG2_T() : TRegister(LAT2Info) {}
TBTREG4_T::TBTREG4_T() : TRegister(LAT4Info) {}
TBTREG8_T::TBTREG8_T() : TRegister(LAT8Info) {}
TBTREG16_T::TBTREG16_T() : TRegister(LAT16Info) {}
