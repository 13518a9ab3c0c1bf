// The math function (one of 36 functions chosen from a list, with 0 to 2
// inputs and 1 or 2 outputs) and the polynomial C0 + C1 X + ... + Cn X^n.
// A domain error or overflow of the math function leaves the outputs not yet
// written as they were; the polynomial then gives 1e99.
#pragma once

#include "components/analog/AnalogBT.h"

class TBTMath : public TAnalogBT {
public:
    static constexpr Integer FunctionCount = 36;

    explicit TBTMath(const TComponentRow& row);
    Byte FunctionIndex = 0;

    // Stores the index (limited to the table) and sets the pin counts.
    void SetFunction(Integer index);
    // The table's name; empty for an index outside it.
    static AnsiString FunctionName(Integer index);

    void Calculate() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    void Draw(TCanvas& canvas) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

class TBTPolynom : public TAnalogBT {
public:
    static constexpr Integer MaxOrder = 15;
    static constexpr Extended FaultValue = 1e99L;

    explicit TBTPolynom(const TComponentRow& row);

    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Calculate() override;
    void InputsCreated() override;
    void Draw(TCanvas& canvas) override;
    Integer EditProperties() override;
};

// The rows of TBTMath and TBTPolynom.
TRowList MathRows();
