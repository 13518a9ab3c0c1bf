// Digital multiplexers with 2, 4, 8 and 16 data inputs and demultiplexers
// with 2, 4, 8 and 16 outputs, selected by the binary number of their "S"
// inputs ("S0" the least significant bit) while "EN" reads high. The
// multiplexer writes "Q" and "/Q" in every step; the demultiplexer writes its
// outputs only when the selection changes.
#pragma once

#include "components/digital/BT_Digital.h"

struct TMultiplexerInfo {
    TTypeNames TypeName;
    const char* Designator;
    const char* BodyText;
    Integer Channels;
    Integer SelectBits;
};

// Inputs "EN", "S0".., "D0"..; output 0 "/Q", output 1 "Q".
class TMultiplexer : public TGrundBT {
public:
    static constexpr Integer EnableInput = 0;
    static constexpr Integer FirstSelectInput = 1;
    static constexpr Integer InvertedOutput = 0;
    static constexpr Integer Output = 1;

    void Calculate() override
    {
        bool q = false;
        if (InputLogic(EnableInput))
            q = InputLogic(firstDataInput_ + Selection());
        SetOutputLogic(Output, q);
        SetOutputLogic(InvertedOutput, !q);
    }
    void Draw(TCanvas& canvas) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    AnsiString GetTypeName() const override { return info_.TypeName.Pick(); }

protected:
    explicit TMultiplexer(const TMultiplexerInfo& info);

private:
    Integer Selection() const { return InputBits(*this, FirstSelectInput, selectBits_); }

    const TMultiplexerInfo& info_;
    const Integer selectBits_;
    const Integer firstDataInput_;
};

// Inputs "EN", "S0"..; output j is channel n - 1 - j, so "Q0" is drawn on top.
class TDemultiplexer : public TGrundBT {
public:
    static constexpr Integer EnableInput = 0;
    static constexpr Integer FirstSelectInput = 1;
    static constexpr Integer NoSelection = -1;

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
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    AnsiString GetTypeName() const override { return info_.TypeName.Pick(); }

protected:
    explicit TDemultiplexer(const TMultiplexerInfo& info);

private:
    const TMultiplexerInfo& info_;
    const Integer selectBits_;
};

class TBTMUX2 : public TMultiplexer {
    ZK_CLASS(TBTMUX2, TGrundBT)

public:
    TBTMUX2();
};

class TBTMUX4 : public TMultiplexer {
    ZK_CLASS(TBTMUX4, TGrundBT)

public:
    TBTMUX4();
};

class TBTMUX8 : public TMultiplexer {
    ZK_CLASS(TBTMUX8, TGrundBT)

public:
    TBTMUX8();
};

class TBTMUX16 : public TMultiplexer {
    ZK_CLASS(TBTMUX16, TGrundBT)

public:
    TBTMUX16();
};

class TBTDMUX2 : public TDemultiplexer {
    ZK_CLASS(TBTDMUX2, TGrundBT)

public:
    TBTDMUX2();
};

class TBTDMUX4 : public TDemultiplexer {
    ZK_CLASS(TBTDMUX4, TGrundBT)

public:
    TBTDMUX4();
};

class TBTDMUX8 : public TDemultiplexer {
    ZK_CLASS(TBTDMUX8, TGrundBT)

public:
    TBTDMUX8();
};

class TBTDMUX16 : public TDemultiplexer {
    ZK_CLASS(TBTDMUX16, TGrundBT)

public:
    TBTDMUX16();
};
