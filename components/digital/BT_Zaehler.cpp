#include "components/digital/BT_Zaehler.h"

#include "engine/AnsiLiteral.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

namespace {

constexpr const char* CommonInputs[] = {"|CK", "/RST", "U/D", "/ENT", "/ENP", "/LD"};

const TZaehlerInfo CNT4Info{{{"4-bit Zähler"_ansi, "Counter\r(4 bit)", "Compteur\r4 bits"}},
                            {{"Zähler (4)"_ansi, "Counter (4)", "Compteur (4)"}},
                            "ZBIN",
                            4,
                            15,
                            false};
const TZaehlerInfo CNT8Info{{{"8-bit Zähler"_ansi, "Counter\r(8 bit)", "Compteur\r8 bits"}},
                            {{"Zähler (8)"_ansi, "Counter (8)", "Compteur (8)"}},
                            "Z8BIN",
                            8,
                            255,
                            false};
const TZaehlerInfo CNT16Info{{{"16-bit Zähler"_ansi, "Counter\r(16 bit)", "Compteur\r16 bits"}},
                             {{"Zähler (16)"_ansi, "Counter (16)", "Compteur (16)"}},
                             "Z16BIN",
                             16,
                             65535,
                             false};
const TZaehlerInfo CNT4DInfo{
    {{"4-bit Zähler\r(dekade)"_ansi, "Decade counter\r(4 bit)", "Compteur décade\r4 bits"_ansi}},
    {{"Zähler (Dez)"_ansi, "D-counter", "Compteur-D"}},
    "ZDEK",
    4,
    9,
    false};
const TZaehlerInfo CNTLDInfo{
    {{"4-bit Zähler\r(dekade, ladbar)"_ansi, "Decade counter\rwith load", "Compteur décade\ravec chargement"_ansi}},
    {{"Zähler, ladbar (Dez)"_ansi, "Decade counter", "Compteur décade"_ansi}},
    "ZDEKL",
    4,
    9,
    true};
const TZaehlerInfo CNTLInfo{
    {{"4-bit Zähler\r(ladbar)"_ansi, "Counter\rwith load (4 bit)", "Compteur avec\rchargement 4 bits"}},
    {{"Zähler, ladbar (4)"_ansi, "Counter (4)", "Compteur (4)"}},
    "ZBINL",
    4,
    15,
    true};
const TZaehlerInfo CNTL8Info{
    {{"8-bit Zähler\r(ladbar)"_ansi, "Counter (8 bit)\rwith load", "Compteur avec\rchargement 8 bits"}},
    {{"Zähler, ladbar (8)"_ansi, "Counter (8)", "Compteur (8)"}},
    "Z8BINL",
    8,
    255,
    true};
const TZaehlerInfo CNTL16Info{
    {{"16-bit Zähler\r(ladbar)"_ansi, "Counter (16 bit)\rwith load", "Coumpteur 16 bits\ravec chargement"}},
    {{"Zähler, ladbar (16)"_ansi, "Counter (16)", "Compteur (16)"}},
    "Z16BINL",
    16,
    65535,
    true};

} // namespace

TZaehler::TZaehler(const TZaehlerInfo& info)
    : info_(info), bits_(info.Bits), highest_(info.Highest), loadable_(info.Loadable)
{
    SetInputCount(info.Loadable ? FirstDataInput + info.Bits : LoadInput);
    SetOutputCount(1 + info.Bits);
    Designator = info.Designator;
    HelpContext = 24000;
}

void TZaehler::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = i < FirstDataInput ? AnsiString(CommonInputs[i]) : "D" + std::to_string(i - FirstDataInput);
}

void TZaehler::OutputsCreated()
{
    for (Integer o = 0; o < OutputCount; ++o)
        Outputs[o].Name = o == CarryOutput ? AnsiString("/RCO") : "Q" + std::to_string(OutputCount - 1 - o);
}

void TZaehler::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawClockWedge(canvas, ClockInput);
    DrawVerticalCaption(canvas, info_.BodyText.Pick(), Selected ? SymbolRed : 0);
}

void TZaehler::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
}

void TZaehler::ResetForStart()
{
    for (Integer o = 0; o < OutputCount; ++o)
        SetOutputLogic(o, false);
    Count = 0;
    CarryPending = false;
}

// Every counter keeps its count, the loadable 4-bit one included: a count
// that is lost on one counter of a family and kept on the others is a fault.
void TZaehler::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    ini.WriteInteger(StateSection(section), "Z", Count);
}

void TZaehler::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    Count = ini.ReadInteger(StateSection(section), "Z", 0);
    WriteCount();
}

TBTCNT4::TBTCNT4() : TZaehler(CNT4Info) {}
TBTCNT8::TBTCNT8() : TZaehler(CNT8Info) {}
TBTCNT16::TBTCNT16() : TZaehler(CNT16Info) {}
TBTCNT4D::TBTCNT4D() : TZaehler(CNT4DInfo) {}
TBTCNTL::TBTCNTL() : TZaehler(CNTLInfo) {}
TBTCNTL8::TBTCNTL8() : TZaehler(CNTL8Info) {}
TBTCNTL16::TBTCNTL16() : TZaehler(CNTL16Info) {}
TBTCNTLD::TBTCNTLD() : TZaehler(CNTLDInfo) {}
