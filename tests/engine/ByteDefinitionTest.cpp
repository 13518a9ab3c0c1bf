#include "engine/ByteDefinition.h"

#include "support/TestNames.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<Byte> Parse(std::string_view text)
{
    TByteDefinitionBuffer buffer;
    buffer.fill(0xEE);
    const Integer count = ParseByteDefinition(text, buffer);
    EXPECT_EQ(buffer[count], 0) << "terminating 0 after the bytes";
    return {buffer.begin(), buffer.begin() + count};
}

struct TDefinitionCase {
    const char* Name;
    const char* Text;
    std::vector<Byte> Bytes;
};

class ByteDefinitionCases : public ::testing::TestWithParam<TDefinitionCase> {};

TEST_P(ByteDefinitionCases, GiveTheirBytes)
{
    EXPECT_EQ(Parse(GetParam().Text), GetParam().Bytes) << "definition: " << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    ByteDefinition, ByteDefinitionCases,
    ::testing::Values(
        TDefinitionCase{"QuotedTextAndHexBytes", "\"Hello\" $0D $0A", {0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x0D, 0x0A}},
        TDefinitionCase{"Decimal", "127", {0x7F}},
        TDefinitionCase{"DecimalAbove255GivesZero", "300", {0x00}},
        TDefinitionCase{"MinusIsNoDigit", "-5", {0x05}},
        TDefinitionCase{"LettersBetweenDigits", "a1b2", {0x0C}},
        TDefinitionCase{"LetterOnly", "x", {0x00}},
        TDefinitionCase{"HexTakesTwoDigits", "$1234", {0x12}},
        TDefinitionCase{"HexOneDigit", "$F", {0x0F}},
        TDefinitionCase{"HexNoDigit", "$G", {0x00}},
        TDefinitionCase{"HexSignAlone", "$", {0x00}},
        TDefinitionCase{"HexWithPrefix", "$0x0D", {0x00}},
        TDefinitionCase{"QuotedBlank", "\"a b\"", {0x61, 0x20, 0x62}},
        TDefinitionCase{"UnclosedQuote", "1 \"a b", {0x01, 0x61, 0x20, 0x62}},   // unclosed: rest of the text
        TDefinitionCase{"DoubledQuoteGivesNothing", "\"a \"\" b\"", {0x61, 0x20, 0x20, 0x62}},   // "" gives nothing
        TDefinitionCase{"DecimalThenQuote", "12\"AB\"", {0x0C}},   // one decimal token
        TDefinitionCase{"QuoteThenDecimal", "\"AB\"12", {0x41, 0x42, 0x0C}},
        TDefinitionCase{"HexSignInsideToken", "$0D$0A", {0x0D}},   // "$" inside a token
        TDefinitionCase{"Empty", "", {}},
        TDefinitionCase{"BlanksOnly", "   ", {}},
        TDefinitionCase{"BlanksAround", "  1   2  ", {0x01, 0x02}},
        TDefinitionCase{"ZeroTwice", "0 $00", {0x00, 0x00}},
        TDefinitionCase{"LeadingZeros", "00000000000000000000255", {0xFF}},
        TDefinitionCase{"DecimalOverflow", "99999999999999999999", {0x00}},
        TDefinitionCase{"Cp1252Characters", "\"\xE4\xFF\"", {0xE4, 0xFF}}),   // keep their codes
    TRowName());

TEST(ByteDefinition, NeverWritesPastTheBuffer)
{
    std::array<Byte, 6> guarded;   // 4 usable bytes, the 0, and a guard byte
    guarded.fill(0xEE);
    EXPECT_EQ(ParseByteDefinition("\"abcdefgh\" 1 2", guarded.data(), 5), 4);
    EXPECT_EQ(std::vector<Byte>(guarded.begin(), guarded.end()),
              (std::vector<Byte>{'a', 'b', 'c', 'd', 0, 0xEE}));

    guarded.fill(0xEE);
    EXPECT_EQ(ParseByteDefinition("1 2 3 4 5 6", guarded.data(), 1), 0);
    EXPECT_EQ(guarded[0], 0);
    EXPECT_EQ(guarded[1], 0xEE);

    guarded.fill(0xEE);
    EXPECT_EQ(ParseByteDefinition("1 2", guarded.data(), 0), 0);
    EXPECT_EQ(guarded[0], 0xEE);

    // A hand-edited definition longer than the usual buffer stops at 255 bytes.
    const std::string huge(1000, 'x');
    TByteDefinitionBuffer buffer;
    EXPECT_EQ(ParseByteDefinition("\"" + huge + "\"", buffer), 255);
    EXPECT_EQ(buffer[255], 0);
}

TEST(ByteDefinition, HexPreviewWritesABlankAndTwoUpperCaseDigitsPerByte)
{
    const Byte bytes[] = {0x48, 0x0D, 0xAF, 0x00};
    EXPECT_EQ(HexPreview(bytes, 4), " 48 0D AF 00");
    EXPECT_EQ(HexPreview(bytes, 0), "");
    EXPECT_EQ(HighNibble(0xAF), 0x0A);
    EXPECT_EQ(LowNibble(0xAF), 0x0F);
}

}   // namespace
