// The CRC component against the published check values of the common CRCs,
// its width and parameter clamping, and the byte-string component.
#include "StringRig.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace std::string_literals;

namespace {

class TextCrc : public StringTest {};

// Inputs: "$D", C, P, I, "/R1", "/R2", "/R3", FX; switches as "0" (active)
// or open (inactive).
struct TCrcCase {
    const char* Name;
    AnsiString Data;
    const char* Width;
    const char* Poly;
    const char* Init;
    bool R1, R2, R3;   // active (low)
    const char* FinalXor;
    Extended Expected;
};

TEST_F(TextCrc, PublishedCheckValues)
{
    const TCrcCase cases[] = {
        {"CRC-32 abc", "abc", "32", "79764919", "4294967295", true, false, true, "4294967295", 891568578.0L},
        {"CRC-32", "123456789", "32", "79764919", "4294967295", true, false, true, "4294967295", 3421780262.0L},
        {"CRC-32 reflected poly", "123456789", "32", "3988292384", "4294967295", true, true, true, "4294967295",
         3421780262.0L},
        {"CRC-32 -1 for all ones", "123456789", "32", "79764919", "-1", true, false, true, "-1", 3421780262.0L},
        {"CRC-16 abc", "abc", "16", "32773", "0", true, false, true, "0", 38712.0L},
        {"CRC-16", "123456789", "16", "32773", "0", true, false, true, "0", 47933.0L},
        {"CRC-16/MODBUS", "123456789", "16", "32773", "65535", true, false, true, "0", 19255.0L},
        {"CCITT abc", "abc", "16", "4129", "0", false, false, false, "0", 40406.0L},
        {"CCITT", "123456789", "16", "4129", "0", false, false, false, "0", 12739.0L},
        {"empty, /R3 high", "", "16", "4129", "4660", false, false, false, "1", 4661.0L},   // 0x1234 ^ 1
        {"empty, /R3 low", "", "16", "4129", "4660", false, false, true, "1", 11337.0L},     // 0x2C48 ^ 1
    };
    for (const TCrcCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TStringRig rig("TBTStrCRC", {c.Data, c.Width, c.Poly, c.Init, c.R1 ? std::optional<AnsiString>("0") : Open,
                                     c.R2 ? std::optional<AnsiString>("0") : Open,
                                     c.R3 ? std::optional<AnsiString>("0") : Open, c.FinalXor});
        rig.Step();
        EXPECT_EQ(rig.Value(0), c.Expected);
    }
}

TEST_F(TextCrc, EveryByteCountsAndWidthsAreClamped)
{
    // NUL and bytes above 127 are data like any other.
    EXPECT_NE(ComputeCrc("a\0"s, 0, 0, 0, 0x1021, 16), ComputeCrc("a", 0, 0, 0, 0x1021, 16));
    EXPECT_EQ(ComputeCrc("\xFF", 0xFFFFFFFF, 3, 0xFFFFFFFF, 0x04C11DB7, 32), 0xFF000000u);

    // A width below 1 (or open, or not a number) computes a 1-bit CRC; above 32 a 32-bit one.
    const Cardinal oneBit = ComputeCrc("123456789", 0, 0, 0, 1, 1);
    for (const std::optional<AnsiString>& width : {std::optional<AnsiString>("0"), std::optional<AnsiString>("-5"),
                                                   Open, std::optional<AnsiString>("x")}) {
        TStringRig rig("TBTStrCRC", {"123456789", width, "1", "0", Open, Open, Open, "0"});
        rig.Step();
        EXPECT_EQ(rig.Value(0), static_cast<Extended>(oneBit));
    }
    TStringRig wide("TBTStrCRC", {"123456789", "40", "79764919", "-1", "0", Open, "0", "-1"});
    wide.Step();
    EXPECT_EQ(wide.Value(0), 3421780262.0L);
    // Values wrap to 32 bits; beyond 64 bits they saturate instead of overflowing.
    TStringRig huge("TBTStrCRC", {"", "32", "0", "4294967296", Open, Open, Open});
    auto* fx = huge.Board().Place<TBTTestSource>(100, 2000);
    huge.Board().Connect(fx, 0, huge.C, 7);
    for (const auto& [value, expected] : {std::pair{1e30L, 0xFFFFFFFFu}, std::pair{-1e30L, 0u},
                                          std::pair{static_cast<Extended>(NAN), 0u}}) {
        fx->Values = {value};
        huge.Step();
        huge.Step();
        EXPECT_EQ(huge.Value(0), static_cast<Extended>(expected)) << static_cast<double>(value);
    }
}

TEST_F(TextCrc, ReverseBitsKeepsOnlyTheLowBits)
{
    EXPECT_EQ(ReverseBits(0x1, 8), 0x80u);
    EXPECT_EQ(ReverseBits(0xF01, 8), 0x80u);
    EXPECT_EQ(ReverseBits(0x04C11DB7, 32), 0xEDB88320u);
    EXPECT_EQ(ReverseBits(0x3, 1), 0x1u);
}

TEST_F(TextCrc, BytesSplitAndBuild)
{
    // Inputs "$IN", B1..B8; outputs B8..B1 from index 0 up, "$OUT" on top.
    TStringRig rig("TBTStrBytes", {"A\0\xFF"s, "300", "-3", "65.4", "65.5", "66.5", Open, "x", "255"});
    rig.Step();
    auto* bytes = rig.C;
    ASSERT_EQ(bytes->OutputCount, 9);
    EXPECT_EQ(bytes->Outputs[8].Name, "$OUT");
    EXPECT_EQ(bytes->Outputs[7].Name, "B1");
    EXPECT_EQ(bytes->Inputs[1].Name, "B1");
    EXPECT_EQ(bytes->Inputs[8].Name, "B8");
    EXPECT_EQ(rig.Value(7), 65.0L);
    EXPECT_EQ(rig.Value(6), 0.0L);
    EXPECT_EQ(rig.Value(5), 255.0L);
    for (Integer o = 0; o < 5; ++o)
        EXPECT_EQ(rig.Value(o), 0.0L);
    EXPECT_EQ(rig.Text(8), "\xFF\0A\x42\x42\0\0\xFF"s);   // 300, -3, 65.4, 65.5, 66.5, open, "x", 255
}

} // namespace
