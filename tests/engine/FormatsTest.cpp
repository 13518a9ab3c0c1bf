#include "engine/Formats.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "InLocale.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using O = TFormatOption;

class FormatsInLocale : public InLocale {};

struct TValueCase {
    TFormatOptions Options;
    Integer Digits;
    Integer Decimals;
    double Value;
    const char* Expected;
};

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

const TValueCase ValueCases[] = {
    // Fixed: sign place, zero fill, overflow runs
    {{O::Fixed}, 3, 2, 3.5, " 003.50"},
    {{O::Fixed}, 3, 2, -3.5, "-003.50"},
    {{O::Fixed}, 3, 2, 0, " 000.00"},
    {{O::Fixed}, 3, 2, -0.0, " 000.00"},
    {{O::Fixed}, 3, 2, 1234.5, " >>>>>>"},
    {{O::Fixed}, 3, 2, -1234.5, "->>>>>>"},
    {{O::Fixed}, 3, 2, 999.999, " >>>>>>"},    // rounds to 1000.00
    {{O::Fixed}, 3, 2, 123.45, " 123.45"},
    {{O::Fixed}, 3, 2, -123.45, "-123.45"},    // the minus takes the sign place
    {{O::Fixed}, 3, 2, NaN, " >>>>>>"},
    {{O::Fixed}, 3, 2, -Inf, "->>>>>>"},
    {{O::Fixed, O::NoZero}, 3, 2, -3.5, "  -3.50"},
    {{O::Fixed, O::NoZero}, 3, 2, 12, "  12.00"},
    {{O::Fixed, O::NoZero}, 3, 2, 0, "   0.00"},
    {{O::Fixed, O::NoZero}, 3, 2, -1234.5, "->>>>>>"},
    // no decimals: no point, width Digits + 1; exact ties round to even
    {{O::Fixed}, 3, 0, 2.5, " 002"},
    {{O::Fixed}, 3, 0, 3.5, " 004"},
    {{O::Fixed}, 3, 0, -7, "-007"},
    {{O::Fixed}, 3, 0, 1000, " >>>"},
    {{O::Fixed}, 1, 2, 0.125, " 0.12"},
    {{O::Fixed}, 1, 2, 0.375, " 0.38"},
    {{O::Fixed}, 1, 2, 2.675, " 2.67"},        // the double lies below 2.675
    // Float: Digits digits in all, decimals cut after rounding
    {{O::Float}, 3, 0, 3.14159, " 3.14"},
    {{O::Float}, 3, 0, 12.3456, " 12.3"},
    {{O::Float}, 3, 0, 123.456, " 123 "},
    {{O::Float}, 3, 0, 1234.5, " >>>>"},
    {{O::Float}, 3, 0, -0.5, "-0.50"},
    {{O::Float}, 3, 0, -12.3456, "-12.3"},
    {{O::Float}, 3, 0, 999.9, " 999 "},
    {{O::Float}, 3, 0, 999.9996, " >>>>"},
    {{O::Float}, 3, 0, 0, " 0.00"},
    {{O::Float}, 3, 0, Inf, " >>>>"},
    {{O::Float}, 15, 0, 2e12, " >>>>>>>>>>>>>>>>"},
    {{O::Float}, 15, 0, -2e12, "->>>>>>>>>>>>>>>>"},
    {{O::Float}, 15, 0, 1e12, " 1000000000000.00"},
    // Expo: blank for values >= 0, signed exponent of two digits at least
    {{O::Expo}, 3, 0, 1234, " 1.23E+03"},
    {{O::Expo}, 3, 0, -4.5e-7, "-4.50E-07"},
    {{O::Expo}, 3, 0, 0, " 0.00E+00"},
    {{O::Expo}, 2, 0, 1e100, " 1.0E+100"},
    {{O::Expo}, 1, 0, 5, " 5E+00"},
    {{O::Expo}, 3, 0, 1.235, " 1.24E+00"},    // the double lies above 1.235
    // Hexadecimal: truncated, at least Digits digits, 32 bits at most
    {{O::Hexadecimal}, 4, 0, 255, "00FF"},
    {{O::Hexadecimal}, 4, 0, 65535.9, "FFFF"},
    {{O::Hexadecimal}, 4, 0, 65536, ">>>>"},
    {{O::Hexadecimal}, 4, 0, -1, ">>>>"},
    {{O::Hexadecimal}, 8, 0, 4294967295.0, "FFFFFFFF"},
    {{O::Hexadecimal}, 8, 0, 4294967296.0, ">>>>>>>>"},
    {{O::Hexadecimal, O::NoZero}, 2, 0, 10, "0A"},
    {{O::Hexadecimal}, 2, 0, NaN, ">>"},
    // Binary: exactly Digits digits
    {{O::Binary}, 4, 0, 5, "0101"},
    {{O::Binary}, 4, 0, 15.9, "1111"},
    {{O::Binary}, 4, 0, 16, ">>>>"},
    {{O::Binary}, 4, 0, -0.5, ">>>>"},
    {{O::Binary}, 40, 0, 549755813889.0, "1000000000000000000000000000000000000001"},   // 2^39 + 1
    // Unformatted: general format, 15 digits, exponent without padding
    {{O::Unformatted}, 3, 2, 1e20, "1E20"},
    {{O::Unformatted}, 3, 2, 1e-5, "1E-5"},
    {{O::Unformatted}, 3, 2, 0.1, "0.1"},
    {{O::Unformatted}, 3, 2, -2.5, "-2.5"},
    {{O::Unformatted}, 3, 2, 1.0 / 3, "0.333333333333333"},
    {{O::Unformatted}, 3, 2, 123456789012345678.0, "1.23456789012346E17"},
    {{O::Unformatted}, 3, 2, 999999999999999.0, "999999999999999"},
    // the first of Unformatted, Expo, Fixed, Float, Hexadecimal, Binary decides
    {{O::Fixed, O::Float}, 3, 2, 3.5, " 003.50"},
    {{O::Hexadecimal, O::Binary}, 4, 0, 5, "0005"},
    {{O::Unformatted, O::Fixed}, 3, 2, 3.5, "3.5"},
    {{O::Expo, O::Fixed}, 2, 2, 3.5, " 3.5E+00"},
    // no kind
    {{}, 3, 2, 3.5, ""},
    {{O::NoZero}, 3, 2, 3.5, ""},
};

TEST_P(FormatsInLocale, FormatValueWritesEveryKind)
{
    for (const TValueCase& c : ValueCases)
        EXPECT_EQ(FormatValue(c.Options, c.Digits, c.Decimals, c.Value), Localised(c.Expected))
            << "options " << int(c.Options.ToByte()) << ", " << c.Digits << ", " << c.Decimals
            << ", value " << c.Value;
}

TEST(FormatValue, WildDigitCountsStayBounded)
{
    // Counts come from files: negative ones act as 0, huge ones are capped.
    EXPECT_EQ(FormatValue({O::Hexadecimal}, -5, 0, 0), "");
    EXPECT_EQ(FormatValue({O::Binary}, -5, 0, 0), "");
    EXPECT_LE(FormatValue({O::Fixed}, 2000000000, 2000000000, 1e300).size(), 1000u);
    EXPECT_LE(FormatValue({O::Expo}, 2000000000, 0, -1e300).size(), 1000u);
    EXPECT_EQ(FormatValue({O::Expo}, 0, 0, 5), FormatValue({O::Expo}, 1, 0, 5));
}

struct TNumberCase {
    TFormatOptions Options;
    Integer Digits;
    double Value;
    const char* Expected;
};

TEST_P(FormatsInLocale, FormatNumberPutsPlusSignAndAffixes)
{
    const TNumberCase cases[] = {
        {{O::Fixed, O::NoZero}, 3, 3.5, "U=  +3.50 V"},
        {{O::Fixed}, 3, 3.5, "U=+003.50 V"},
        {{O::Fixed}, 3, -3.5, "U=-003.50 V"},
        {{O::Fixed, O::NoZero}, 3, -3.5, "U=  -3.50 V"},
        {{O::Fixed, O::NoZero}, 3, 123.45, "U=+123.45 V"},
        {{O::Fixed, O::NoZero}, 3, 0, "U=  +0.00 V"},
        {{O::Float}, 3, 3.14159, "U=+3.14 V"},
        {{O::Expo}, 3, 1234, "U=+1.23E+03 V"},
        {{O::Expo}, 3, -1234, "U=-1.23E+03 V"},
        {{O::Hexadecimal}, 4, 255, "U=00FF V"},
        {{O::Unformatted}, 3, 5, "U=5 V"},
    };
    for (const TNumberCase& c : cases) {
        TFormat format;
        format.Options = c.Options;
        format.Digits = c.Digits;
        format.Decimals = 2;
        format.PlusSign = true;
        format.Prefix = "U=";
        format.Suffix = " V";
        EXPECT_EQ(format.FormatNumber(c.Value), Localised(c.Expected))
            << "options " << int(c.Options.ToByte()) << ", value " << c.Value;
    }
}

TEST(TFormat, FormatNumberWithoutPlusSignKeepsTheBlank)
{
    TFormat format;
    EXPECT_EQ(format.FormatNumber(3.5), FormatValue({O::Float}, 3, 2, 3.5));
}

TEST(TFormat, FormatTextPutsPlusOnlyForNumericKinds)
{
    struct {
        TFormatOptions Options;
        bool PlusSign;
        const char* Text;
        const char* Expected;
    } const cases[] = {
        {{O::Fixed}, true, " 12", "<+12>"},
        {{O::Float}, true, " 12", "<+12>"},
        {{O::Expo}, true, " 12", "<+12>"},
        {{O::Fixed}, true, "-12", "<-12>"},
        {{O::Fixed}, true, "", "<>"},
        {{O::Fixed}, false, " 12", "< 12>"},
        {{O::Unformatted}, true, " 12", "< 12>"},
        {{O::Hexadecimal}, true, " 12", "< 12>"},
    };
    for (const auto& c : cases) {
        TFormat format;
        format.Options = c.Options;
        format.PlusSign = c.PlusSign;
        format.Prefix = "<";
        format.Suffix = ">";
        EXPECT_EQ(format.FormatText(c.Text), c.Expected) << c.Text;
    }
}

TEST(FormatKindName, NamesTheLastKindOfItsOrder)
{
    LanguageIndex = 0;
    const struct {
        TFormatOptions Options;
        const char* Expected;
    } cases[] = {
        {{O::Fixed}, "Fest"},
        {{O::Fixed, O::NoZero}, "Fest"},
        {{O::Float}, "Fliesskomma"},
        {{O::Expo}, "Exponentiell"},
        {{O::Binary}, "Binär"_ansi},
        {{O::Hexadecimal}, "Hexadezimal"},
        {{O::Unformatted}, "Unformatiert/$String"},
        {{}, ""},
        {{O::NoZero}, ""},
        // several kinds: the last of Float, Fixed, Hexadecimal, Binary, Expo, Unformatted
        {{O::Float, O::Fixed}, "Fest"},
        {{O::Fixed, O::Hexadecimal}, "Hexadezimal"},
        {{O::Hexadecimal, O::Binary}, "Binär"_ansi},
        {{O::Binary, O::Expo}, "Exponentiell"},
        {{O::Expo, O::Unformatted, O::Float}, "Unformatiert/$String"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatKindName(c.Options), c.Expected) << int(c.Options.ToByte());
}

TEST(FormatKindName, FollowsTheLanguage)
{
    LanguageIndex = 1;
    EXPECT_EQ(FormatKindName({O::Unformatted}), "Unformatted/$String");
    EXPECT_EQ(FormatKindName({O::Fixed}), "Fixed");
    LanguageIndex = 0;
}

TEST(BinaryText, ParseReadsDigitsAfterTheFirstCharacter)
{
    const struct {
        const char* Text;
        Integer Expected;
    } cases[] = {
        {"%0101", 5},
        {"% 1 0  1", 5},
        {"%10x1", 2},
        {"%", 0},
        {"", 0},
        {"x101", 5},                                   // the first character is not looked at
        {"%11111111111111111111111111111111", -1},     // all 32 bits
        {"%100000000000000000000000000000001", 1},     // the 33rd digit shifts the first out
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseBinaryText(c.Text), c.Expected) << c.Text;
}

TEST(BinaryText, FormatWritesMostSignificantFirst)
{
    EXPECT_EQ(FormatBinary(5, 4), "%0101");
    EXPECT_EQ(FormatBinary(5, 2), "%01");
    EXPECT_EQ(FormatBinary(-1, 8), "%11111111");
    EXPECT_EQ(FormatBinary(5, 0), "%");
    EXPECT_EQ(FormatBinary(5, -3), "%");
    // above bit 31 the sign repeats
    EXPECT_EQ(FormatBinary(-2, 34), "%" + AnsiString(33, '1') + "0");
    EXPECT_EQ(FormatBinary(5, 34), "%" + AnsiString(31, '0') + "101");
    EXPECT_EQ(ParseBinaryText(FormatBinary(-123456, 32)), -123456);
}

TEST(TFormat, DefaultsAndAssign)
{
    TFormat format;
    EXPECT_EQ(format.Options, TFormatOptions{O::Float});
    EXPECT_EQ(format.Digits, 3);
    EXPECT_EQ(format.Decimals, 2);
    EXPECT_FALSE(format.PlusSign);
    EXPECT_EQ(format.Prefix, "");
    EXPECT_EQ(format.Suffix, "");

    TFormat source;
    source.Options = {O::Fixed, O::NoZero};
    source.Digits = 5;
    source.Decimals = 1;
    source.PlusSign = true;
    source.Prefix = "p";
    source.Suffix = "s";
    format.Assign(source);
    EXPECT_EQ(format.Options, source.Options);
    EXPECT_EQ(format.Digits, 5);
    EXPECT_EQ(format.Decimals, 1);
    EXPECT_TRUE(format.PlusSign);
    EXPECT_EQ(format.Prefix, "p");
    EXPECT_EQ(format.Suffix, "s");
}

TEST(TFormat, StreamRecordAsTyped)
{
    TFormat format;
    format.Options = {O::Fixed, O::Hexadecimal};
    format.Digits = 4;
    format.Decimals = 300;
    format.PlusSign = true;
    format.Prefix = "U=";
    format.Suffix = "";
    TMemoryStream stream;
    {
        TWriter writer(stream);
        format.WriteData(writer);
    }
    const std::vector<Byte> expected = {
        0x02, 0x01,                 // record version 1 (vaInt8)
        0x02, 0x04,                 // Digits
        0x03, 0x2C, 0x01,           // Decimals 300 (vaInt16)
        0x09, 0x08, 0x08, 0x08,     // Fixed, NoZero, Float, Expo
        0x08, 0x09, 0x08,           // Binary, Hexadecimal, Unformatted
        0x09,                       // PlusSign
        0x06, 0x02, 'U', '=',       // Prefix
        0x06, 0x00,                 // Suffix
    };
    EXPECT_EQ(stream.Bytes(), expected);

    // Reading overwrites every field; the version is not checked.
    std::vector<Byte> bytes = expected;
    bytes[1] = 7;
    TMemoryStream input(bytes);
    TFormat read;
    read.Suffix = "old";
    {
        TReader reader(input);
        read.ReadData(reader);
    }
    EXPECT_EQ(read.Options, format.Options);
    EXPECT_EQ(read.Digits, 4);
    EXPECT_EQ(read.Decimals, 300);
    EXPECT_TRUE(read.PlusSign);
    EXPECT_EQ(read.Prefix, "U=");
    EXPECT_EQ(read.Suffix, "");
}

TEST(TFormat, ShortRecordRaisesReadError)
{
    TFormat format;
    TMemoryStream full;
    {
        TWriter writer(full);
        format.WriteData(writer);
    }
    std::vector<Byte> bytes = full.Bytes();
    bytes.resize(bytes.size() - 1);
    TMemoryStream input(bytes);
    TReader reader(input);
    EXPECT_THROW(format.ReadData(reader), EReadError);
}

ZK_IN_GERMAN_AND_ENGLISH(FormatsInLocale);

} // namespace
