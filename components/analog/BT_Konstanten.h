// The blocks that carry one set number: the gain (input times the factor), the
// offset (input plus the constant) and the fixed value (the constant on the
// output from the start on). Each edits its number in one row of the shared
// sheet followed by the options section, and hints it as "= value".
#pragma once

#include "components/analog/AnalogBT.h"

class TKonstanteBT : public TAnalogBT {
public:
    Integer EditProperties() override;
    AnsiString GetHintText() override;

protected:
    // The row's caption: the term, through Translate when translated is set.
    TKonstanteBT(const TAnalogInfo& info, Extended& value, const char* rowTerm, bool translated);

private:
    Extended& value_;
    const char* rowTerm_;
    bool translated_;
};

class TBTGain : public TKonstanteBT {
    ZK_CLASS(TBTGain, TGrundBT)

public:
    TBTGain();
    Extended Gain = 1.0L;

    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Calculate() override { SetOutputValue(0, InputValue(0) * Gain); }
    void InputsCreated() override { NamePins(Inputs, {""}); }
    void OutputsCreated() override { NamePins(Outputs, {""}); }
    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

class TBTOffset : public TKonstanteBT {
    ZK_CLASS(TBTOffset, TGrundBT)

public:
    TBTOffset();
    Extended Offset = 0.0L;

    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Calculate() override { SetOutputValue(0, InputValue(0) + Offset); }
    void InputsCreated() override { NamePins(Inputs, {"x"}); }
    void OutputsCreated() override { NamePins(Outputs, {"y"}); }
    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// Written at start only: a change while running reaches the output at the
// next start. Its designator follows the language in use when it is created
// or read ("FW", "FV", "VF"); the stream does not keep it.
class TBTFest : public TKonstanteBT {
    ZK_CLASS(TBTFest, TGrundBT)

public:
    TBTFest();
    Extended Value = 1.0L;

    void ResetForStart() override { SetOutputValue(0, Value); }
    void OutputsCreated() override { NamePins(Outputs, {""}); }
    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};
