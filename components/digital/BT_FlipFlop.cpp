#include "components/digital/BT_FlipFlop.h"

#include "engine/AnsiLiteral.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

namespace {

const TFlipFlopInfo RSFFInfo{
    {"RS-FlipFlop", "RS-FF", "RS-FF"}, {"RS", "RS", "RS"}, 18300, {"S", "R"}, 2, false, false, false, nullptr,
    nullptr};
const TFlipFlopInfo RSFFZInfo{{"RS-FF\r(zustandsgest.)", "RS-FF\rwith clock", "RS-FF\ravec horloge"},
                              {"RSZ", "RSC", "RSC"},
                              18305,
                              {"1S", "C1", "1R"},
                              3,
                              false,
                              true,
                              false,
                              nullptr,
                              nullptr};
const TFlipFlopInfo RSFFFInfo{{"RS-FF\r(flankengest.)", "RS-FF\r(master-slave)", "RS-FF\r(maître-esclave)"_ansi},
                              {"RSF", "RS-MS", "RS-MS"},
                              18310,
                              {"/S", "1S", "|C1", "1R", "/R"},
                              5,
                              true,
                              true,
                              true,
                              "Qinternal",
                              nullptr};
const TFlipFlopInfo JKFFInfo{{"JK-FlipFlop\r(master-slave)", "JK-FF\r(master-slave)", "JK-FF\r(maître-esclave)"_ansi},
                             {"JK", "JK", "JK"},
                             18315,
                             {"/S", "1J", "|C1", "1K", "/R"},
                             5,
                             true,
                             true,
                             false,
                             "J1internal",
                             "K1internal"};
const TFlipFlopInfo DFFZInfo{{"D-FF\r(zustandsgest.)", "D-FF\r(transparent latch)", "Latch D-FF\r(transparent)"},
                             {"DZ", "DL", "LT"},
                             18320,
                             {"1D", "C1"},
                             2,
                             false,
                             true,
                             false,
                             nullptr,
                             nullptr};
const TFlipFlopInfo DFFFInfo{{"D-FF\r(flankengest.)", "D-FF\r(master-slave)", "D-FF\r(maître-esclave)"_ansi},
                             {"DF", "D-MS", "D-MS"},
                             18325,
                             {"/S", "1D", "|C1", "/R"},
                             4,
                             true,
                             false,
                             false,
                             "Qinternal",
                             nullptr};

} // namespace

TFlipFlop::TFlipFlop(const TFlipFlopInfo& info) : info_(info)
{
    SetInputCount(info.InputCount);
    SetOutputCount(2);
    Designator = info.Designator.Pick();
    HelpContext = info.HelpContext;
}

AnsiString TFlipFlop::GetTypeName() const
{
    return info_.TypeName.Pick();
}

void TFlipFlop::InputsCreated()
{
    for (Integer i = 0; i < InputCount && i < info_.InputCount; ++i)
        Inputs[i].Name = info_.Inputs[i];
}

void TFlipFlop::OutputsCreated()
{
    static constexpr const char* Names[] = {"/Q", "Q"};
    for (Integer i = 0; i < OutputCount && i < 2; ++i)
        Outputs[i].Name = Names[i];
}

void TFlipFlop::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    if (info_.EdgeTriggered)
        DrawClockWedge(canvas, 2);
}

void TFlipFlop::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
}

void TFlipFlop::ResetForStart()
{
    Q = info_.StartQ;
    Master = info_.StartMaster;
    KLatch = false;
    WriteOutputs();
}

void TFlipFlop::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    const AnsiString own = StateSection(section);
    ini.WriteBool(own, "Q", Q);
    if (info_.MasterKey)
        ini.WriteBool(own, info_.MasterKey, Master);
    if (info_.KLatchKey)
        ini.WriteBool(own, info_.KLatchKey, KLatch);
}

void TFlipFlop::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    const AnsiString own = StateSection(section);
    Q = ini.ReadBool(own, "Q", info_.StartQ);
    if (info_.MasterKey)
        Master = ini.ReadBool(own, info_.MasterKey, info_.StartMaster);
    if (info_.KLatchKey)
        KLatch = ini.ReadBool(own, info_.KLatchKey, false);
    if (info_.EdgeTriggered)
        WriteOutputs();
}

TBTRSFF::TBTRSFF() : TFlipFlop(RSFFInfo) {}
TBTRSFFZ::TBTRSFFZ() : TFlipFlop(RSFFZInfo) {}
TBTRSFFF::TBTRSFFF() : TFlipFlop(RSFFFInfo) {}
TBTJKFF::TBTJKFF() : TFlipFlop(JKFFInfo) {}
TBTDFFZ::TBTDFFZ() : TFlipFlop(DFFZInfo) {}
TBTDFFF::TBTDFFF() : TFlipFlop(DFFFInfo) {}
