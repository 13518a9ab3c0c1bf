// The plastic lamp component: its input voltage goes to the lamp element in
// every step (the element ignores an unchanged voltage). No reset: after
// Stop the lamp keeps its last look.
#pragma once

#include "engine/BTFront.h"

class ILampElement;

class TLampeBT : public TBTFront {
public:
    using TBTFront::TBTFront;

    TColor ShownColor = 0x808080;   // the lamp colour last drawn on the symbol

    void SetPanelElement(IFP_Element* element) override;
    void Draw(TCanvas& canvas) override;
    void Calculate() override;
    void DrawLiveState(TCanvas& canvas) override;

private:
    ILampElement* lamp_ = nullptr;
};

// TBTLampe.
TRowList LampRows();
