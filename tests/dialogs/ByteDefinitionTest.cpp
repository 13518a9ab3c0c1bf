#include "dialogs/ByteDefinition.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
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
    const char* Text;
    std::vector<Byte> Bytes;
};

// Test names show the definition, not the case's memory.
void PrintTo(const TDefinitionCase& c, std::ostream* os)
{
    for (const char* p = c.Text; *p; ++p)
        *os << (std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_');
}

class ByteDefinitionCases : public ::testing::TestWithParam<TDefinitionCase> {};

TEST_P(ByteDefinitionCases, GiveTheirBytes)
{
    EXPECT_EQ(Parse(GetParam().Text), GetParam().Bytes) << "definition: " << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    ByteDefinition, ByteDefinitionCases,
    ::testing::Values(
        TDefinitionCase{"\"Hello\" $0D $0A", {0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x0D, 0x0A}},
        TDefinitionCase{"127", {0x7F}},
        TDefinitionCase{"300", {0x00}},
        TDefinitionCase{"-5", {0x05}},
        TDefinitionCase{"a1b2", {0x0C}},
        TDefinitionCase{"x", {0x00}},
        TDefinitionCase{"$1234", {0x12}},
        TDefinitionCase{"$F", {0x0F}},
        TDefinitionCase{"$G", {0x00}},
        TDefinitionCase{"$", {0x00}},
        TDefinitionCase{"$0x0D", {0x00}},
        TDefinitionCase{"\"a b\"", {0x61, 0x20, 0x62}},
        TDefinitionCase{"1 \"a b", {0x01, 0x61, 0x20, 0x62}},            // unclosed: rest of the text
        TDefinitionCase{"\"a \"\" b\"", {0x61, 0x20, 0x20, 0x62}},      // "" gives nothing
        TDefinitionCase{"12\"AB\"", {0x0C}},                              // one decimal token
        TDefinitionCase{"\"AB\"12", {0x41, 0x42, 0x0C}},
        TDefinitionCase{"$0D$0A", {0x0D}},                                // "$" inside a token
        TDefinitionCase{"", {}},
        TDefinitionCase{"   ", {}},
        TDefinitionCase{"  1   2  ", {0x01, 0x02}},
        TDefinitionCase{"0 $00", {0x00, 0x00}},
        TDefinitionCase{"00000000000000000000255", {0xFF}},
        TDefinitionCase{"99999999999999999999", {0x00}},
        TDefinitionCase{"\"\xE4\xFF\"", {0xE4, 0xFF}}));                   // CP1252 characters keep their codes

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
