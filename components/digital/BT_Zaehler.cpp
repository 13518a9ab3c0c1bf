#include "components/digital/BT_Zaehler.h"

#include "engine/AnsiLiteral.h"
#include "platform/IniFile.h"

namespace {

// The common inputs; the loadable counters' data inputs follow them.
constexpr const char* CounterInputs = "|CK,/RST,U/D,/ENT,/ENP,/LD";

const TZaehlerRow Counters[] = {
    {.Component = {.Class = RowClass<TZaehler>("TBTCNT4"),
                   .TypeName = {"4-bit Zähler"_ansi, "Counter\r(4 bit)", "Compteur\r4 bits"},
                   .Designator = "ZBIN",
                   .HelpContext = 24000,
                   .Inputs = {.Count = TZaehler::LoadInput, .Names = CounterInputs},
                   .Outputs = {.Count = 5, .Names = "/RCO"}},
     .BodyText = {{"Zähler (4)"_ansi, "Counter (4)", "Compteur (4)"}},
     .Bits = 4,
     .Highest = 15,
     .Loadable = false},
    {.Component = {.Class = RowClass<TZaehler>("TBTCNT8"),
                   .TypeName = {"8-bit Zähler"_ansi, "Counter\r(8 bit)", "Compteur\r8 bits"},
                   .Designator = "Z8BIN",
                   .HelpContext = 24000,
                   .Inputs = {.Count = TZaehler::LoadInput, .Names = CounterInputs},
                   .Outputs = {.Count = 9, .Names = "/RCO"}},
     .BodyText = {{"Zähler (8)"_ansi, "Counter (8)", "Compteur (8)"}},
     .Bits = 8,
     .Highest = 255,
     .Loadable = false},
    {.Component = {.Class = RowClass<TZaehler>("TBTCNT16"),
                   .TypeName = {"16-bit Zähler"_ansi, "Counter\r(16 bit)", "Compteur\r16 bits"},
                   .Designator = "Z16BIN",
                   .HelpContext = 24000,
                   .Inputs = {.Count = TZaehler::LoadInput, .Names = CounterInputs},
                   .Outputs = {.Count = 17, .Names = "/RCO"}},
     .BodyText = {{"Zähler (16)"_ansi, "Counter (16)", "Compteur (16)"}},
     .Bits = 16,
     .Highest = 65535,
     .Loadable = false},
    {.Component = {.Class = RowClass<TZaehler>("TBTCNT4D"),
                   .TypeName = {"4-bit Zähler\r(dekade)"_ansi, "Decade counter\r(4 bit)", "Compteur décade\r4 bits"_ansi},
                   .Designator = "ZDEK",
                   .HelpContext = 24000,
                   .Inputs = {.Count = TZaehler::LoadInput, .Names = CounterInputs},
                   .Outputs = {.Count = 5, .Names = "/RCO"}},
     .BodyText = {{"Zähler (Dez)"_ansi, "D-counter", "Compteur-D"}},
     .Bits = 4,
     .Highest = 9,
     .Loadable = false},
    {.Component = {.Class = RowClass<TZaehler>("TBTCNTL"),
                   .TypeName = {"4-bit Zähler\r(ladbar)"_ansi, "Counter\rwith load (4 bit)", "Compteur avec\rchargement 4 bits"},
                   .Designator = "ZBINL",
                   .HelpContext = 24000,
                   .Inputs = {.Count = TZaehler::FirstDataInput + 4, .Names = CounterInputs},
                   .Outputs = {.Count = 5, .Names = "/RCO"}},
     .BodyText = {{"Zähler, ladbar (4)"_ansi, "Counter (4)", "Compteur (4)"}},
     .Bits = 4,
     .Highest = 15,
     .Loadable = true},
    {.Component = {.Class = RowClass<TZaehler>("TBTCNTL8"),
                   .TypeName = {"8-bit Zähler\r(ladbar)"_ansi, "Counter (8 bit)\rwith load", "Compteur avec\rchargement 8 bits"},
                   .Designator = "Z8BINL",
                   .HelpContext = 24000,
                   .Inputs = {.Count = TZaehler::FirstDataInput + 8, .Names = CounterInputs},
                   .Outputs = {.Count = 9, .Names = "/RCO"}},
     .BodyText = {{"Zähler, ladbar (8)"_ansi, "Counter (8)", "Compteur (8)"}},
     .Bits = 8,
     .Highest = 255,
     .Loadable = true},
    {.Component = {.Class = RowClass<TZaehler>("TBTCNTL16"),
                   .TypeName = {"16-bit Zähler\r(ladbar)"_ansi, "Counter (16 bit)\rwith load", "Coumpteur 16 bits\ravec chargement"},
                   .Designator = "Z16BINL",
                   .HelpContext = 24000,
                   .Inputs = {.Count = TZaehler::FirstDataInput + 16, .Names = CounterInputs},
                   .Outputs = {.Count = 17, .Names = "/RCO"}},
     .BodyText = {{"Zähler, ladbar (16)"_ansi, "Counter (16)", "Compteur (16)"}},
     .Bits = 16,
     .Highest = 65535,
     .Loadable = true},
    {.Component = {.Class = RowClass<TZaehler>("TBTCNTLD"),
                   .TypeName = {"4-bit Zähler\r(dekade, ladbar)"_ansi, "Decade counter\rwith load", "Compteur décade\ravec chargement"_ansi},
                   .Designator = "ZDEKL",
                   .HelpContext = 24000,
                   .Inputs = {.Count = TZaehler::FirstDataInput + 4, .Names = CounterInputs},
                   .Outputs = {.Count = 5, .Names = "/RCO"}},
     .BodyText = {{"Zähler, ladbar (Dez)"_ansi, "Decade counter", "Compteur décade"_ansi}},
     .Bits = 4,
     .Highest = 9,
     .Loadable = true},
};

} // namespace

TZaehler::TZaehler(const TComponentRow& row)
    : TGrundBT(row), info_(FamilyRow<TZaehlerRow>(row)), bits_(info_.Bits), highest_(info_.Highest),
      loadable_(info_.Loadable)
{
}

TRowList ZaehlerRows()
{
    return RowList(Counters);
}

void TZaehler::InputsCreated()
{
    for (Integer i = FirstDataInput; i < InputCount; ++i)
        Inputs[i].Name = "D" + std::to_string(i - FirstDataInput);
}

void TZaehler::OutputsCreated()
{
    for (Integer o = 1; o < OutputCount; ++o)
        Outputs[o].Name = "Q" + std::to_string(OutputCount - 1 - o);
}

void TZaehler::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawClockWedge(canvas, ClockInput);
    DrawVerticalCaption(canvas, info_.BodyText.Pick(), FigureColor());
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
