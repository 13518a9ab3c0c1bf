#include "components/digital/BT_FlipFlop.h"

#include "engine/AnsiLiteral.h"
#include "platform/IniFile.h"

namespace {

const TFlipFlopRow FlipFlops[] = {
    {.Component = {.Class = RowClass<TBTRSFF>("TBTRSFF"),
                   .TypeName = {"RS-FlipFlop", "RS-FF", "RS-FF"},
                   .HelpContext = 18300,
                   .Inputs = {.Count = 2, .Names = "S,R"},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .Designators = {{"RS", "RS", "RS"}}},
    {.Component = {.Class = RowClass<TBTRSFFZ>("TBTRSFFZ"),
                   .TypeName = {"RS-FF\r(zustandsgest.)", "RS-FF\rwith clock", "RS-FF\ravec horloge"},
                   .HelpContext = 18305,
                   .Inputs = {.Count = 3, .Names = "1S,C1,1R"},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .Designators = {{"RSZ", "RSC", "RSC"}},
     .StartQ = true},
    {.Component = {.Class = RowClass<TBTRSFFF>("TBTRSFFF"),
                   .TypeName = {"RS-FF\r(flankengest.)", "RS-FF\r(master-slave)", "RS-FF\r(maître-esclave)"_ansi},
                   .HelpContext = 18310,
                   .Inputs = {.Count = 5, .Names = "/S,1S,|C1,1R,/R"},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .Designators = {{"RSF", "RS-MS", "RS-MS"}},
     .EdgeTriggered = true,
     .StartQ = true,
     .StartMaster = true,
     .MasterKey = "Qinternal"},
    {.Component = {.Class = RowClass<TBTJKFF>("TBTJKFF"),
                   .TypeName = {"JK-FlipFlop\r(master-slave)", "JK-FF\r(master-slave)", "JK-FF\r(maître-esclave)"_ansi},
                   .HelpContext = 18315,
                   .Inputs = {.Count = 5, .Names = "/S,1J,|C1,1K,/R"},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .Designators = {{"JK", "JK", "JK"}},
     .EdgeTriggered = true,
     .StartQ = true,
     .MasterKey = "J1internal",
     .KLatchKey = "K1internal"},
    {.Component = {.Class = RowClass<TBTDFFZ>("TBTDFFZ"),
                   .TypeName = {"D-FF\r(zustandsgest.)", "D-FF\r(transparent latch)", "Latch D-FF\r(transparent)"},
                   .HelpContext = 18320,
                   .Inputs = {.Count = 2, .Names = "1D,C1"},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .Designators = {{"DZ", "DL", "LT"}},
     .StartQ = true},
    {.Component = {.Class = RowClass<TBTDFFF>("TBTDFFF"),
                   .TypeName = {"D-FF\r(flankengest.)", "D-FF\r(master-slave)", "D-FF\r(maître-esclave)"_ansi},
                   .HelpContext = 18325,
                   .Inputs = {.Count = 4, .Names = "/S,1D,|C1,/R"},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .Designators = {{"DF", "D-MS", "D-MS"}},
     .EdgeTriggered = true,
     .MasterKey = "Qinternal"},
};

} // namespace

TFlipFlop::TFlipFlop(const TComponentRow& row) : TGrundBT(row), info_(FamilyRow<TFlipFlopRow>(row))
{
    Designator = info_.Designators.Pick();
}

TRowList FlipFlopRows()
{
    return RowList(FlipFlops);
}

void TFlipFlop::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    if (info_.EdgeTriggered)
        DrawClockWedge(canvas, 2);
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
