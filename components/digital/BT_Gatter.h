// The logic gates: inverter, AND, NAND, OR, NOR and EXOR. They hold no state
// of their own and write their output in every step; the multi-input gates
// take 2 to 16 inputs, whose count travels in the base record.
#pragma once

#include "engine/GrundBT.h"

// What a gate tests of the number of its inputs that read high.
enum class TGateTest : Byte { AllHigh, AnyHigh, OddHigh };

// What tells one gate from another.
struct TGateInfo {
    const char* TypeName[3];    // German, English, French
    const char* Designator;
    Integer HelpContext;
    Integer Inputs;             // after construction
    bool HasDialog;             // input count chooser
    // Symbol: up to three texts (height, x and y relative to the body centre).
    struct TSymbolText {
        const char* Text;
        Integer Height, DX, DY;
    } Symbol[3];
    TGateTest Test;
    bool Negated;               // the output is the test negated; drawn as a stroke
};

// The shared body of the six gates. Not a stream class of its own: each gate
// stands in the class registry directly below TGrundBT. One step serves all
// six, driven by the gate's table row, and it has no branch that depends on
// the signals: boards of mixed gates in any order step at the same speed.
class TGatter : public TGrundBT {
public:
    static constexpr Integer MinInputs = 2;
    static constexpr Integer MaxInputs = 16;

    void Calculate() override
    {
        Integer high = 0;
        for (Integer i = 0; i < InputCount; ++i)
            high += InputLogic(i);
        const bool results[] = {high == InputCount, high != 0, (high & 1) != 0};
        SetOutputLogic(0, results[static_cast<Byte>(info_.Test)] != info_.Negated);
    }
    // The same function as a table, for gates of one or two inputs.
    Integer PlainLogicTable() const override;
    void Draw(TCanvas& canvas) override;
    void InputsCreated() override;
    void OutputsCreated() override;
    AnsiString GetTypeName() const override;
    // The input count chooser of the multi-input gates.
    Integer EditProperties() override;

protected:
    explicit TGatter(const TGateInfo& info);

private:
    const TGateInfo& info_;
};

// Not input 0.
class TBTInverter : public TGatter {
    ZK_CLASS(TBTInverter, TGrundBT)

public:
    TBTInverter();
};

// High when every input reads high.
class TBTAnd : public TGatter {
    ZK_CLASS(TBTAnd, TGrundBT)

public:
    TBTAnd();
};

// Low when every input reads high.
class TBTNand : public TGatter {
    ZK_CLASS(TBTNand, TGrundBT)

public:
    TBTNand();
};

// High when an input reads high.
class TBTOr : public TGatter {
    ZK_CLASS(TBTOr, TGrundBT)

public:
    TBTOr();
};

// High when no input reads high.
class TBTNor : public TGatter {
    ZK_CLASS(TBTNor, TGrundBT)

public:
    TBTNor();
};

// High when an odd number of inputs read high.
class TBTExor : public TGatter {
    ZK_CLASS(TBTExor, TGrundBT)

public:
    TBTExor();
};
