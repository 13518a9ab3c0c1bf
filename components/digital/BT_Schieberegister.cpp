#include "components/digital/BT_Schieberegister.h"

#include "engine/AnsiLiteral.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

namespace {

constexpr const char* CommonInputs[] = {"|CK", "/RST", "L/R", "DL", "DR", "/LD"};

const TSchieberegisterInfo SREGInfo{
    {{"Schieberegister\r(4 bit)", "Shift register\r(4 bit)", "Reg. à décalage\r(4)"_ansi}}, "Shift (4)", "SR-", 4,
    false};
const TSchieberegisterInfo SREG8Info{
    {{"Schieberegister\r(8 bit)", "Shift register\r(8 bit)", "Reg. à décalage\r(8)"_ansi}}, "Shift (8)", "SR8-", 8,
    false};
const TSchieberegisterInfo SREG16Info{
    {{"Schieberegister\r(16 bit)", "Shift register\r(16 bit)", "Reg. à décalage\r(16)"_ansi}}, "Shift (16)", "SR16-",
    16, false};
const TSchieberegisterInfo SREGLInfo{{{"Schieberegister\r(4 bit, ladbar)", "Shift register\rwith load (4 bit)",
                                       "Reg. à décalage\ravec charg. (4)"_ansi}},
                                     "Shift (4)",
                                     "SRL-",
                                     4,
                                     true};
const TSchieberegisterInfo SREGL8Info{{{"Schieberegister\r(8 bit, ladbar)", "Shift register\rwith load (8 bit)",
                                        "Reg. à décalage\ravec charg.(8)"_ansi}},
                                      "Shift (8)",
                                      "SRL8-",
                                      8,
                                      true};
const TSchieberegisterInfo SREGL16Info{{{"Schieberegister\r(16 Bit, ladbar)", "Shift register\rwith load (16 bit)",
                                         "Reg. à décalage\ravec charg. (16)"_ansi}},
                                       "Shift (16)",
                                       "SRL16-",
                                       16,
                                       true};

} // namespace

TSchieberegister::TSchieberegister(const TSchieberegisterInfo& info)
    : info_(info), bits_(info.Bits), mask_((Cardinal(1) << info.Bits) - 1), topBit_(Cardinal(1) << (info.Bits - 1)),
      loadable_(info.Loadable)
{
    SetInputCount(info.Loadable ? FirstDataInput + info.Bits : LoadInput);
    SetOutputCount(info.Bits);
    Designator = info.Designator;
    HelpContext = 26000;
}

void TSchieberegister::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = i < FirstDataInput ? AnsiString(CommonInputs[i]) : "D" + std::to_string(i - FirstDataInput);
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
    DrawVerticalCaption(canvas, info_.BodyText, Selected ? SymbolRed : 0);
}

void TSchieberegister::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
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

TBTSREG::TBTSREG() : TSchieberegister(SREGInfo) {}
TBTSREG8::TBTSREG8() : TSchieberegister(SREG8Info) {}
TBTSREG16::TBTSREG16() : TSchieberegister(SREG16Info) {}
TBTSREGL::TBTSREGL() : TSchieberegister(SREGLInfo) {}
TBTSREGL8::TBTSREGL8() : TSchieberegister(SREGL8Info) {}
TBTSREGL16::TBTSREGL16() : TSchieberegister(SREGL16Info) {}
