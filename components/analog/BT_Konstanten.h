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
    TKonstanteBT(const TComponentRow& row, Extended& value, const char* rowTerm, bool translated);

private:
    Extended& value_;
    const char* rowTerm_;
    bool translated_;
};

class TBTGain : public TKonstanteBT {
public:
    explicit TBTGain(const TComponentRow& row);
    Extended Gain = 1.0L;

    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Calculate() override { SetOutputValue(0, InputValue(0) * Gain); }
    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

class TBTOffset : public TKonstanteBT {
public:
    explicit TBTOffset(const TComponentRow& row);
    Extended Offset = 0.0L;

    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Calculate() override { SetOutputValue(0, InputValue(0) + Offset); }
    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// Written at start only: a change while running reaches the output at the
// next start. Its designator follows the language in use when it is created
// or read ("FW", "FV", "VF"); the stream does not keep it.
class TBTFest : public TKonstanteBT {
public:
    explicit TBTFest(const TComponentRow& row);
    Extended Value = 1.0L;

    void ResetForStart() override { SetOutputValue(0, Value); }
    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// The rows of TBTGain, TBTOffset and TBTFest.
TRowList KonstantenRows();
