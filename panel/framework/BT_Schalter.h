// The switch and push-button components: an operator switch or push button
// on the front panel put into the circuit as a logic level, as a choice
// between two analog inputs, or as the routing of one analog input to one of
// two outputs. The element holds the state; the step reads it.
#pragma once

#include "engine/BTFront.h"

class ISwitchElement;

// A switch's row: what tells one from another beyond its class row.
struct TSwitchRow {
    TComponentRow Component;
    const char* Designators[3] = {};   // German, English, French: the designator depends on the language
    bool PushButton = false;           // the element becomes a momentary push button
};

// What the six share: the element link and the contact drawing.
class TSchalterBT : public TBTFront {
public:
    void SetPanelElement(IFP_Element* element) override;
    void Draw(TCanvas& canvas) override;

    bool LastState = false;   // logic: the state last written; analog: last drawn

protected:
    explicit TSchalterBT(const TComponentRow& row);
    ISwitchElement* Switch() const { return switch_; }
    // The state read from the element (false without one).
    bool ReadState() const;
    // A push button's element becomes momentary.
    bool IsPushButton() const { return row_.PushButton; }
    virtual void DrawSymbol(TCanvas& canvas) = 0;

private:
    const TSwitchRow& row_;
    ISwitchElement* switch_ = nullptr;
};

// TBTTaster and TBTSchalter: one output, 5 V while on; written only on a
// change.
class TLogicSchalterBT : public TSchalterBT {
public:
    explicit TLogicSchalterBT(const TComponentRow& row) : TSchalterBT(row) {}
    bool LastDrawnState = false;

    void ResetForStart() override;
    void Calculate() override;
    void DrawLiveState(TCanvas& canvas) override;

protected:
    void DrawSymbol(TCanvas& canvas) override;
};

// The analog members: a changeover contact, every step.
class TAnalogSchalterBT : public TSchalterBT {
public:
    using TSchalterBT::TSchalterBT;
    void DrawLiveState(TCanvas& canvas) override;

protected:
    // Two inputs to one output, or one input to two outputs.
    virtual bool TwoOutputs() const = 0;
    void DrawSymbol(TCanvas& canvas) override;
};

// TBTAnalogTaster and TBTAnalogSchalter: two inputs "E0", "E1"; the output
// carries E1 while on, E0 while off.
class TAnalogInputsSchalterBT : public TAnalogSchalterBT {
public:
    explicit TAnalogInputsSchalterBT(const TComponentRow& row) : TAnalogSchalterBT(row) {}
    void Calculate() override;

protected:
    bool TwoOutputs() const override { return false; }
};

// TBTAnalogTaster2 and TBTAnalogSchalter2: one input to "A1" while on, to
// "A0" while off; the other output is 0.
class TAnalogOutputsSchalterBT : public TAnalogSchalterBT {
public:
    explicit TAnalogOutputsSchalterBT(const TComponentRow& row) : TAnalogSchalterBT(row) {}
    void Calculate() override;

protected:
    bool TwoOutputs() const override { return true; }
};

// TBTTaster, TBTSchalter, TBTAnalogSchalter, TBTAnalogSchalter2,
// TBTAnalogTaster and TBTAnalogTaster2.
TRowList SwitchRows();
