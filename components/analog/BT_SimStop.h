// The simulation stop: a falling edge on "|Stp" asks the program to end the
// run, as closing the front panel does. An unconnected input reads high and
// never stops the run; the level remembered at start is low, so a low first
// step does not stop it either.
#pragma once

#include "components/analog/AnalogBT.h"

class TBTStop : public TAnalogBT {
public:
    explicit TBTStop(const TComponentRow& row);
    bool LastLevel = false;

    void ResetForStart() override { LastLevel = false; }
    void Calculate() override;
    void Draw(TCanvas& canvas) override;
};

// The row of TBTStop.
TRowList SimStopRows();
