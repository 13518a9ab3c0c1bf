// The test point: shows the value on its input inside its symbol while the
// simulation runs and the component states are shown, else "TEST" in grey.
// Its symbol is a framed box without the standard body.
#pragma once

#include "components/analog/AnalogBT.h"

class TBTTestpunkt : public TAnalogBT {
public:
    explicit TBTTestpunkt(const TComponentRow& row);
    Extended Value = 0.0L;
    Extended ShownValue = 0.0L;

    // Unlike the value itself, the shown value differs at start so that the
    // first live drawing shows the value.
    void ResetForStart() override { ShownValue = Value - 1; }
    void Calculate() override { Value = InputValue(0); }
    void Draw(TCanvas& canvas) override;
    void DrawLiveState(TCanvas& canvas) override;
    TRect GetBounds() const override;
};

// The row of TBTTestpunkt.
TRowList TestpunktRows();
