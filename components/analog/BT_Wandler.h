// The A/D converter (a value in a set range to 2..16 bit outputs) and the D/A
// converter (2..16 bit inputs to a value in the range). The bit count is the
// output (A/D) or input (D/A) count; the code step is computed at each start.
#pragma once

#include "components/analog/AnalogBT.h"

class TWandler : public TAnalogBT {
public:
    static constexpr Integer MinBits = 2;
    static constexpr Integer MaxBits = 16;

    Extended RangeMin = 0.0L;
    Extended RangeMax = 5.0L;
    Extended CodeStep = 0.0L;

    void ResetForStart() override;
    void Draw(TCanvas& canvas) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

protected:
    // symbol: the German/English and the French figure text; the bits are
    // outputs or inputs.
    TWandler(const TComponentRow& row, const char* symbol, const char* frenchSymbol, bool bitOutputs);
    Integer Bits() const { return bitOutputs_ ? OutputCount : InputCount; }

private:
    const char* symbol_;
    const char* frenchSymbol_;
    bool bitOutputs_;
};

// Output "D" + k carries bit k of the code; "D0" stands on top.
class TBTADC : public TWandler {
public:
    explicit TBTADC(const TComponentRow& row);
    void Calculate() override;
    void OutputsCreated() override;
};

// Input "D" + i is bit i of the code.
class TBTDAC : public TWandler {
public:
    explicit TBTDAC(const TComponentRow& row);
    void Calculate() override;
    void InputsCreated() override { NumberPins(Inputs, "D"); }
};

// The rows of TBTADC and TBTDAC.
TRowList WandlerRows();
