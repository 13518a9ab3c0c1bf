// The decoders of a 4-bit value (inputs 0..3 weigh 1, 2, 4, 8): the BCD
// decoder drives one of its ten outputs, the seven-segment decoder the
// segments of a digit; values 10 to 15 leave every output low.
#pragma once

#include "components/digital/BT_Digital.h"

// A decoder's row: the text on its body beside the class row.
struct TDekoderRow {
    TComponentRow Component;
    TTypeNames SymbolText = {};
};

// The shared body: four inputs and the vertical caption.
class TDekoder : public TGrundBT {
public:
    void Draw(TCanvas& canvas) override;

protected:
    explicit TDekoder(const TComponentRow& row) : TGrundBT(row), symbolText_(FamilyRow<TDekoderRow>(row).SymbolText)
    {
    }
    Integer InputNumber() const
    {
        return InputLogic(0) | InputLogic(1) << 1 | InputLogic(2) << 2 | InputLogic(3) << 3;
    }
    void SetAllOutputs(bool high)
    {
        for (Integer o = 0; o < OutputCount; ++o)
            SetOutputLogic(o, high);
    }

private:
    const TTypeNames& symbolText_;
};

// "Dk" high when the value is k; written in every step.
class TBTBCDDekoder : public TDekoder {
public:
    static constexpr Integer Digits = 10;

    explicit TBTBCDDekoder(const TComponentRow& row) : TDekoder(row) {}
    void Calculate() override
    {
        const Integer v = InputNumber();
        for (Integer k = 0; k < Digits; ++k)
            SetOutputLogic(Digits - 1 - k, v == k);
    }
    void ResetForStart() override { SetAllOutputs(true); }
};

// The segments a to g of the value; written only when the value changes.
class TBTSeg7Decoder : public TDekoder {
public:
    // Bit 6 is segment a, bit 0 segment g, for the values 0..15.
    static constexpr Byte Patterns[16] = {0x7E, 0x30, 0x6D, 0x79, 0x33, 0x5B, 0x5F, 0x70,
                                          0x7F, 0x7B, 0,    0,    0,    0,    0,    0};

    explicit TBTSeg7Decoder(const TComponentRow& row) : TDekoder(row) {}
    Integer LastValue = -1;   // the value whose pattern was written last

    void Calculate() override
    {
        const Integer v = InputNumber();
        if (v == LastValue)
            return;
        const Byte p = Patterns[v];
        SetSegments(p & 0x40, p & 0x20, p & 0x10, p & 0x08, p & 0x04, p & 0x02, p & 0x01);
        LastValue = v;
    }
    void ResetForStart() override
    {
        SetAllOutputs(true);
        LastValue = -1;
    }
    // Output 6 is a, output 0 is g; written in the order a to g.
    void SetSegments(bool a, bool b, bool c, bool d, bool e, bool f, bool g)
    {
        SetOutputLogic(6, a);
        SetOutputLogic(5, b);
        SetOutputLogic(4, c);
        SetOutputLogic(3, d);
        SetOutputLogic(2, e);
        SetOutputLogic(1, f);
        SetOutputLogic(0, g);
    }
};

// TBTBCDDekoder and TBTSeg7Decoder.
TRowList DekoderRows();
