// The switch and push-button components: an operator switch or push button
// on the front panel put into the circuit as a logic level, as a choice
// between two analog inputs, or as the routing of one analog input to one of
// two outputs. The element holds the state; the step reads it.
#pragma once

#include "engine/BTFront.h"

class ISwitchElement;

// What tells the six apart: their names, help, pins, and whether the
// element is a push button.
struct TSwitchInfo {
    const char* TypeNames[3];
    const char* Designators[3];
    Integer HelpContext;
    Integer Inputs;
    Integer Outputs;
    bool PushButton;
};

// What the six share: the element link and the contact drawing.
// Not a registered class of its own.
class TSchalterBT : public TBTFront {
public:
    void SetPanelElement(IFP_Element* element) override;
    void Draw(TCanvas& canvas) override;
    AnsiString GetTypeName() const override;

    bool LastState = false;   // logic: the state last written; analog: last drawn

protected:
    explicit TSchalterBT(const TSwitchInfo& info);
    ISwitchElement* Switch() const { return switch_; }
    // The state read from the element (false without one).
    bool ReadState() const;
    // A push button's element becomes momentary.
    bool IsPushButton() const { return info_.PushButton; }
    virtual void DrawSymbol(TCanvas& canvas) = 0;

private:
    const TSwitchInfo& info_;
    ISwitchElement* switch_ = nullptr;
};

// Logic members: one output, 5 V while on; written only on a change.
class TLogicSchalterBT : public TSchalterBT {
public:
    // The pins are made here, where this class's pin naming is in force.
    explicit TLogicSchalterBT(const TSwitchInfo& info);
    bool LastDrawnState = false;

    void ResetForStart() override;
    void Calculate() override;
    void OutputsCreated() override;
    void InputsCreated() override {}
    void DrawLiveState(TCanvas& canvas) override;

protected:
    void DrawSymbol(TCanvas& canvas) override;
};

class TBTTaster : public TLogicSchalterBT {
    ZK_CLASS(TBTTaster, TBTFront)
public:
    TBTTaster();
};

class TBTSchalter : public TLogicSchalterBT {
    ZK_CLASS(TBTSchalter, TBTFront)
public:
    TBTSchalter();
};

// Analog members: a changeover contact, every step.
class TAnalogSchalterBT : public TSchalterBT {
public:
    using TSchalterBT::TSchalterBT;
    void DrawLiveState(TCanvas& canvas) override;

protected:
    // Two inputs to one output, or one input to two outputs.
    virtual bool TwoOutputs() const = 0;
    void DrawSymbol(TCanvas& canvas) override;
};

// Two inputs "E0", "E1": the output carries E1 while on, E0 while off.
class TAnalogInputsSchalterBT : public TAnalogSchalterBT {
public:
    // The pins are made here, where this class's pin naming is in force.
    explicit TAnalogInputsSchalterBT(const TSwitchInfo& info);
    void Calculate() override;
    void InputsCreated() override;
    void OutputsCreated() override;

protected:
    bool TwoOutputs() const override { return false; }
};

// One input to "A1" while on, to "A0" while off; the other output is 0.
class TAnalogOutputsSchalterBT : public TAnalogSchalterBT {
public:
    // The pins are made here, where this class's pin naming is in force.
    explicit TAnalogOutputsSchalterBT(const TSwitchInfo& info);
    void Calculate() override;
    void InputsCreated() override;
    void OutputsCreated() override;

protected:
    bool TwoOutputs() const override { return true; }
};

class TBTAnalogTaster : public TAnalogInputsSchalterBT {
    ZK_CLASS(TBTAnalogTaster, TBTFront)
public:
    TBTAnalogTaster();
};

class TBTAnalogSchalter : public TAnalogInputsSchalterBT {
    ZK_CLASS(TBTAnalogSchalter, TBTFront)
public:
    TBTAnalogSchalter();
};

class TBTAnalogTaster2 : public TAnalogOutputsSchalterBT {
    ZK_CLASS(TBTAnalogTaster2, TBTFront)
public:
    TBTAnalogTaster2();
};

class TBTAnalogSchalter2 : public TAnalogOutputsSchalterBT {
    ZK_CLASS(TBTAnalogSchalter2, TBTFront)
public:
    TBTAnalogSchalter2();
};
