#include "components/analog/BT_SimStop.h"

#include "engine/ShellHooks.h"
#include "platform/Canvas.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTStop>("TBTStop"),
     .TypeName = {"Simulation\rStop", "Simulation\rStop", "Simulation\rStop"},
     .Designator = "Stp",
     .HelpContext = 18570,
     .Inputs = {.Count = 1, .Names = "|Stp"},
     .Outputs = {.Count = 0}},
};

} // namespace

TBTStop::TBTStop(const TComponentRow& row) : TAnalogBT(row) {}

void TBTStop::Calculate()
{
    const bool level = InputLogic(0);
    const bool falling = LastLevel && !level;
    LastLevel = level;
    if (falling && ShellHooks.RequestStop)
        ShellHooks.RequestStop();
}

void TBTStop::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawCentredText(canvas, "STOP", 30, CentreX(), CentreY() - 30);
}

TRowList SimStopRows()
{
    return RowList(Rows);
}
