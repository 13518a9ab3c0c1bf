// Digital multiplexers with 2, 4, 8 and 16 data inputs and demultiplexers
// with 2, 4, 8 and 16 outputs, selected by the binary number of their "S"
// inputs ("S0" the least significant bit) while "EN" reads high. The
// multiplexer writes "Q" and "/Q" in every step; the demultiplexer writes its
// outputs only when the selection changes.
#pragma once

#include "components/digital/BT_Digital.h"

// A multiplexer's or demultiplexer's row.
struct TMultiplexerRow {
    TComponentRow Component;
    const char* BodyText = nullptr;
    Integer SelectBits = 0;
};

// Inputs "EN", "S0".., "D0"..; output 0 "/Q", output 1 "Q".
class TMultiplexer : public TGrundBT {
public:
    static constexpr Integer EnableInput = 0;
    static constexpr Integer FirstSelectInput = 1;
    static constexpr Integer InvertedOutput = 0;
    static constexpr Integer Output = 1;

    explicit TMultiplexer(const TComponentRow& row);

    void Calculate() override
    {
        bool q = false;
        if (InputLogic(EnableInput))
            q = InputLogic(firstDataInput_ + Selection());
        SetOutputLogic(Output, q);
        SetOutputLogic(InvertedOutput, !q);
    }
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void InputsCreated() override;

private:
    Integer Selection() const { return InputBits(*this, FirstSelectInput, selectBits_); }

    const TMultiplexerRow& info_;
    const Integer selectBits_;
    const Integer firstDataInput_;
};

// Inputs "EN", "S0"..; output j is channel n - 1 - j, so "Q0" is drawn on top.
class TDemultiplexer : public TGrundBT {
public:
    static constexpr Integer EnableInput = 0;
    static constexpr Integer FirstSelectInput = 1;
    static constexpr Integer NoSelection = -1;

    explicit TDemultiplexer(const TComponentRow& row);

    Integer LastSelection = NoSelection;

    void Calculate() override
    {
        Integer s = NoSelection;
        if (InputLogic(EnableInput))
            s = InputBits(*this, FirstSelectInput, selectBits_);
        if (s == LastSelection)
            return;
        for (Integer o = 0; o < OutputCount; ++o)
            SetOutputLogic(o, OutputCount - 1 - o == s);
        LastSelection = s;
    }
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void OutputsCreated() override;

private:
    const TMultiplexerRow& info_;
    const Integer selectBits_;
};

// TBTMUX2, TBTMUX4, TBTMUX8, TBTMUX16 and TBTDMUX2, TBTDMUX4, TBTDMUX8,
// TBTDMUX16.
TRowList MultiplexerRows();
