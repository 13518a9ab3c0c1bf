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
// Not a registered class of its own: the three are TBTFront's children.
class TLedBT : public TBTFront {
public:
    void SetPanelElement(IFP_Element* element) override;
    void Draw(TCanvas& canvas) override;

protected:
    ILedElement* Led() const { return led_; }
    // The circle's fill while component states are shown.
    virtual TColor LiveFill() const;

private:
    ILedElement* led_ = nullptr;
};

class TBTLed : public TLedBT {
    ZK_CLASS(TBTLed, TBTFront)

public:
    TBTLed();

    bool LastInput = false;   // the input state last passed to the element
    bool LastShown = false;   // the element state last drawn on the symbol

    Integer EditProperties() override;
    void Calculate() override;
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    AnsiString GetTypeName() const override;
    void DrawLiveState(TCanvas& canvas) override;
};

class TBTDuoLED : public TLedBT {
    ZK_CLASS(TBTDuoLED, TBTFront)

public:
    TBTDuoLED();

    Byte LastStatus = 0;   // the status last passed to the element
    Byte LastShown = 0;    // the status last drawn on the symbol

    void Calculate() override;
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override {}
    AnsiString GetTypeName() const override;
    void DrawLiveState(TCanvas& canvas) override;
};

class TBTRGB_LED : public TLedBT {
    ZK_CLASS(TBTRGB_LED, TBTFront)

public:
    TBTRGB_LED();

    // One input's voltage as a colour channel: 5 V is 255, rounded half to
    // even; negative or no number gives 0.
    static Byte Channel(Extended volts);

    void Calculate() override;
    void InputsCreated() override;
    void OutputsCreated() override {}
    AnsiString GetTypeName() const override;

protected:
    TColor LiveFill() const override { return 0x000080; }
};
