// Number display formats: the kind, digit counts, plus sign, prefix and suffix
// with which displays, tables, recorders and text components write values.
#pragma once

#include "platform/SysTypes.h"

#include <initializer_list>

class TWriter;
class TReader;

// The bit number of each option is its place in the stored option byte.
enum class TFormatOption : Byte {
    Fixed = 0,
    NoZero = 1,       // modifier of Fixed: blanks instead of leading zeros
    Float = 2,
    Expo = 3,
    Binary = 4,
    Hexadecimal = 5,
    Unformatted = 6,
};

inline constexpr int FormatOptionCount = 7;

// A set of options, stored as one byte in which bit i is option i.
class TFormatOptions {
public:
    constexpr TFormatOptions() = default;
    constexpr TFormatOptions(std::initializer_list<TFormatOption> options)
    {
        for (TFormatOption o : options)
            Include(o);
    }
    static constexpr TFormatOptions FromByte(Byte bits)
    {
        TFormatOptions s;
        s.bits_ = bits & 0x7F;
        return s;
    }
    constexpr Byte ToByte() const { return bits_; }
    constexpr bool Contains(TFormatOption o) const { return bits_ & Bit(o); }
    constexpr void Include(TFormatOption o) { bits_ |= Bit(o); }
    constexpr void Exclude(TFormatOption o) { bits_ &= static_cast<Byte>(~Bit(o)); }
    friend constexpr bool operator==(TFormatOptions, TFormatOptions) = default;

private:
    static constexpr Byte Bit(TFormatOption o) { return static_cast<Byte>(1u << static_cast<int>(o)); }
    Byte bits_ = 0;
};

class TFormat {
public:
    TFormatOptions Options{TFormatOption::Float};
    Integer Digits = 3;
    Integer Decimals = 2;
    AnsiString Prefix;
    AnsiString Suffix;
    bool PlusSign = false;

    // Prefix + the formatted value + Suffix, with "+" for positive values of
    // the kinds Fixed, Float and Expo when PlusSign is set.
    AnsiString FormatNumber(double value) const;
    // Prefix + text + Suffix; with PlusSign a leading blank becomes "+".
    AnsiString FormatText(const AnsiString& text) const;
    void Assign(const TFormat& source);

    // Record: Integer 1, Digits, Decimals, seven option Booleans in bit
    // order, PlusSign, Prefix, Suffix. The leading Integer is not checked.
    void WriteData(TWriter& writer) const;
    void ReadData(TReader& reader);
};

// The translated name of the kind ("Fest", "Fliesskomma" ...); empty when no
// kind bit is set.
AnsiString FormatKindName(TFormatOptions options);

// The value as the kind writes it, without prefix and suffix. Values that do
// not fit give a run of ">".
AnsiString FormatValue(TFormatOptions options, Integer digits, Integer decimals, double value);

// "%0101" text to its bits: after the first character blanks are skipped and
// "0"/"1" digits read up to the first other character; digits beyond 32 bits
// shift out.
Integer ParseBinaryText(const AnsiString& text);

// "%" followed by bitCount binary digits of value, most significant first;
// places above bit 31 repeat the sign bit.
AnsiString FormatBinary(Integer value, Integer bitCount);
