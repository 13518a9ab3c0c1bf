// The formula component: its output is a typed formula over its inputs
// ("SIN(E0)*E1+2"), evaluated by the formula evaluator after each input's
// value is put into the text as a number. A formula that cannot be evaluated
// gives 1e33. The text is evaluated only when it differs from the last one.
#pragma once

#include "components/analog/AnalogBT.h"

class TBTFormel : public TAnalogBT {
public:
    static constexpr Integer MaxInputs = 16;
    static constexpr Extended ErrorValue = 1e33L;

    explicit TBTFormel(const TComponentRow& row);
    AnsiString Formula;
    AnsiString LastEvaluated;

    void ResetForStart() override;
    void Calculate() override;
    void Draw(TCanvas& canvas) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// The row of TBTFormel.
TRowList FormelRows();
