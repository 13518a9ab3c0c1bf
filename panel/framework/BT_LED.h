// The LED components: a single LED with optional sensor outputs, a two-colour
// LED and an RGB LED, each driving its panel LED element. They push into the
// element only what changed (the RGB LED leaves that test to its element), so
// a steady circuit causes no repaint. Without an element (a library palette
// entry) they do nothing in their step.
#pragma once

#include "engine/BTFront.h"

class ILedElement;

// The symbol shared by the three: the body with a lamp circle filled in the
// element's colour while component states are shown.
class TLedBT : public TBTFront {
public:
    using TBTFront::TBTFront;
    void SetPanelElement(IFP_Element* element) override;
    void Draw(TCanvas& canvas) override;

protected:
    ILedElement* Led() const { return led_; }
    // The circle's fill while component states are shown.
    virtual TColor LiveFill() const;

private:
    ILedElement* led_ = nullptr;
};

// TBTLed: one input; the settings sheet adds the sensor outputs "S", "R"
// and "L" (mouse over the LED, right and left button held).
class TSingleLedBT : public TLedBT {
public:
    using TLedBT::TLedBT;

    bool LastInput = false;   // the input state last passed to the element
    bool LastShown = false;   // the element state last drawn on the symbol

    Integer EditProperties() override;
    void Calculate() override;
    void ResetForStart() override;
    void DrawLiveState(TCanvas& canvas) override;
};

// TBTDuoLED: inputs "L1" and "L2" choose the colour.
class TDuoLedBT : public TLedBT {
public:
    using TLedBT::TLedBT;

    Byte LastStatus = 0;   // the status last passed to the element
    Byte LastShown = 0;    // the status last drawn on the symbol

    void Calculate() override;
    void ResetForStart() override;
    void DrawLiveState(TCanvas& canvas) override;
};

// TBTRGB_LED: inputs "R", "G" and "B" as voltages.
class TRGBLedBT : public TLedBT {
public:
    using TLedBT::TLedBT;

    // One input's voltage as a colour channel: 5 V is 255, rounded half to
    // even; negative or no number gives 0.
    static Byte Channel(Extended volts);

    void Calculate() override;

protected:
    TColor LiveFill() const override { return 0x000080; }
};

// TBTLed, TBTDuoLED and TBTRGB_LED.
TRowList LedRows();
