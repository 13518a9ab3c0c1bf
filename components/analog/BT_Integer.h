// The integer components: the format converter (signed and unsigned words of
// 2 to 32 bits), the bitwise operation of two 32-bit words, a word split into
// bytes and joined from them, the value of one bit and the test of one bit.
// Pins are read as 32-bit words (Word32) where the word matters; each writes
// 0.0 to its outputs at start.
#pragma once

#include "components/analog/AnalogBT.h"

class TIntegerBT : public TAnalogBT {
public:
    void ResetForStart() override;

protected:
    using TAnalogBT::TAnalogBT;
    // The symbol text in height 30, centred, at cy - 18.
    void DrawSymbol(TCanvas& canvas, const AnsiString& text);
    // The shared sheet with a heading and one combo, all captions untranslated.
    Integer EditCombo(const char* heading, const char* caption, Integer& entry, const std::vector<AnsiString>& items);
};

class TBTIntConv : public TIntegerBT {
public:
    explicit TBTIntConv(const TComponentRow& row);
    Integer InputBits = 16;
    Integer OutputBits = 16;
    Integer InputSigned = 0;    // 0 unsigned, 1 signed
    Integer OutputSigned = 0;

    void Calculate() override;
    void Draw(TCanvas& canvas) override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

class TBTIntOp : public TIntegerBT {
public:
    explicit TBTIntOp(const TComponentRow& row);
    Integer Operation = 0;   // AND, OR, NAND, NOR, XOR

    void Calculate() override;
    void Draw(TCanvas& canvas) override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// "B3" (bits 24..31) to "B0".
class TBTIntToBytes : public TIntegerBT {
public:
    explicit TBTIntToBytes(const TComponentRow& row);
    void Calculate() override;
    void Draw(TCanvas& canvas) override { DrawSymbol(canvas, "Bytes"); }
};

class TBTIntFromBytes : public TIntegerBT {
public:
    explicit TBTIntFromBytes(const TComponentRow& row);
    void Calculate() override;
    void Draw(TCanvas& canvas) override { DrawSymbol(canvas, "INT"); }
};

// The bit's own stream field and dialog, shared by the bit value and the bit test.
class TIntegerBitBT : public TIntegerBT {
public:
    Integer BitNumber = 0;

    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

protected:
    using TIntegerBT::TIntegerBT;
};

// 2^n while "EN" reads high, else 0.
class TBTIntBit : public TIntegerBitBT {
public:
    explicit TBTIntBit(const TComponentRow& row);
    void Calculate() override;
    void Draw(TCanvas& canvas) override;
};

class TBTIntCheckBit : public TIntegerBitBT {
public:
    explicit TBTIntCheckBit(const TComponentRow& row);
    void Calculate() override;
    void Draw(TCanvas& canvas) override;
};

// The rows of TBTIntConv, TBTIntOp, TBTIntToBytes, TBTIntBit, TBTIntCheckBit and TBTIntFromBytes.
TRowList IntegerRows();
