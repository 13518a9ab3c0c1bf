#include "components/analog/BT_SimStop.h"

#include "engine/ShellHooks.h"
#include "platform/Canvas.h"

namespace {

const TAnalogInfo StopInfo{{"Simulation\rStop", "Simulation\rStop", "Simulation\rStop"}, "Stp", 18570, false,
                           1, 1, 0, 0};

} // namespace

TBTStop::TBTStop() : TAnalogBT(StopInfo)
{
    SetInputCount(1);
}

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
