// Protocol work on texts: the CRC of a text with every parameter from pins
// (any CRC of up to 32 bits), and the byte-string component that splits a
// text into byte values and builds a text from byte values.
#pragma once

#include "components/strings/BT_String.h"

#include <string_view>

// The low n bits of value in reverse order (bit 0 becomes bit n-1); higher
// bits are ignored. n is 1..32.
Cardinal ReverseBits(Cardinal value, Integer n);

// Flags of ComputeCrc.
inline constexpr Cardinal CrcInputReflected = 1;    // bytes taken as they are (no per-byte reversal)
inline constexpr Cardinal CrcOutputReflected = 2;   // no final reversal
inline constexpr Cardinal CrcPolyReflected = 4;     // the polynomial is given reflected (and is not masked)

// A right-shifting bitwise CRC of width 1..32 bits over the bytes of data;
// the final XOR is applied to all 32 bits.
Cardinal ComputeCrc(std::string_view data, Cardinal initial, Cardinal flags, Cardinal finalXor, Cardinal polynomial,
                    Integer width);

// CRC: the CRC of "$D" with width C (clamped to 1..32), polynomial P,
// initial value I, final XOR FX and the reflection switches "/R1" (input),
// "/R2" (polynomial given reflected) and "/R3" (output), active low.
class TBTStrCRC : public TStrBT {
public:
    using TStrBT::TStrBT;
    void Calculate() override;
};

// "$IN" split into byte outputs B1, B2 ... (0 beyond the text), and "$OUT"
// built from the byte inputs B1, B2 ... (each clamped to 0..255); 0 to 64
// bytes each way.
class TBTStrBytes : public TStrBT {
public:
    static constexpr Integer MaxBytes = 64;

    using TStrBT::TStrBT;
    void InputsCreated() override;
    void OutputsCreated() override;
    void Calculate() override;
    Integer EditProperties() override;

private:
    AnsiString built_;
};

// The CRC and the byte strings.
TRowList StrCrcRows();
