// The logic gates: inverter, AND, NAND, OR, NOR and EXOR. They hold no state
// of their own and write their output in every step; the multi-input gates
// take 2 to 16 inputs, whose count travels in the base record.
#pragma once

#include "engine/GrundBT.h"

// What a gate tests of the number of its inputs that read high.
enum class TGateTest : Byte { AllHigh, AnyHigh, OddHigh };

// A gate's row: what tells one gate from another beyond its class row.
struct TGateRow {
    TComponentRow Component;
    // Symbol: up to three texts (height, x and y relative to the body centre).
    struct TSymbolText {
        const char* Text = nullptr;
        Integer Height = 0, DX = 0, DY = 0;
    } Symbol[3] = {};
    TGateTest Test = {};
    bool Negated = false;   // the output is the test negated; drawn as a stroke
};

// The six gates in one family, each registered name a row directly below
// TGrundBT. One step serves all six, driven by the gate's row, and it has
// no branch that depends on the signals: boards of mixed gates in any order
// step at the same speed.
class TGatter : public TGrundBT {
public:
    static constexpr Integer MinInputs = 2;
    static constexpr Integer MaxInputs = 16;

    explicit TGatter(const TComponentRow& row);

    void Calculate() override
    {
        Integer high = 0;
        for (Integer i = 0; i < InputCount; ++i)
            high += InputLogic(i);
        const bool results[] = {high == InputCount, high != 0, (high & 1) != 0};
        SetOutputLogic(0, results[static_cast<Byte>(gate_.Test)] != gate_.Negated);
    }
    // The same function as a table, for gates of one or two inputs.
    Integer PlainLogicTable() const override;
    void Draw(TCanvas& canvas) override;
    // The input count chooser of the multi-input gates.
    Integer EditProperties() override;

private:
    const TGateRow& gate_;
};

// TBTInverter, TBTAnd, TBTOr, TBTNand, TBTNor and TBTExor.
TRowList GateRows();
