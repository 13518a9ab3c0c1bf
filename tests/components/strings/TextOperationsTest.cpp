// The text conversions, joining, editing, searching and splitting: one table
// of input texts to outputs per family, with bytes 0 and 128..255 in the
// texts, open inputs reading their defaults, and numbers given as texts.
#include "StringRig.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

using TOut = std::variant<AnsiString, Extended>;

struct TCase {
    const char* Class;
    std::vector<std::optional<AnsiString>> Inputs;
    std::vector<TOut> Outputs;   // by output index
    Integer InputCount = -1;     // -1: the class's own
};

void Check(const TCase& c, Integer row)
{
    SCOPED_TRACE(std::string(c.Class) + " row " + std::to_string(row));
    TStringRig rig(c.Class, c.Inputs, c.InputCount);
    rig.Step();
    ASSERT_EQ(rig.C->OutputCount, static_cast<Integer>(c.Outputs.size()));
    for (std::size_t o = 0; o < c.Outputs.size(); ++o) {
        if (const auto* text = std::get_if<AnsiString>(&c.Outputs[o]))
            EXPECT_EQ(rig.Text(static_cast<Integer>(o)), *text) << "output " << o;
        else
            EXPECT_EQ(rig.Value(static_cast<Integer>(o)), std::get<Extended>(c.Outputs[o])) << "output " << o;
    }
}

class TextOperations : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
};

const AnsiString High = "\xC4\xFF\x80\x00z"s;   // Ä ÿ € NUL z

TEST_F(TextOperations, ConversionsAndJoining)
{
    const TCase cases[] = {
        {"TBT_Str_Value", {"U=-12,5V"}, {-12.5L}},
        {"TBT_Str_Value", {"$1F"}, {31.0L}},
        {"TBT_Str_Value", {"abc"}, {0.0L}},
        {"TBTStrChr", {"321"}, {"A"s}},
        {"TBTStrChr", {"0"}, {"\0"s}},
        {"TBTStrChr", {"-7"}, {"\0"s}},
        {"TBTStrChr", {"200"}, {"\xC8"s}},
        {"TBTStrChr", {"70000"}, {"\xFF"s}},   // clamped to 65535, low 8 bits
        {"TBTStrASCII", {""}, {0.0L}},
        {"TBTStrASCII", {"AB"}, {65.0L}},
        {"TBTStrASCII", {"\xFF"s}, {255.0L}},
        {"TBTStrASCII", {"\0x"s}, {0.0L}},
        {"TBTStrLength", {High}, {5.0L}},
        {"TBTStrLength", {Open}, {0.0L}},
        {"TBTStrUpper", {"ab\xE4z\0A"s, Open}, {"AB\xE4Z\0A"s}},      // open U/L reads high
        {"TBTStrUpper", {"ab\xC4Z\0A"s, "0"}, {"ab\xC4z\0a"s}},
        {"TBTStrTrim", {" \t\0x y\r\n\xA0"s, Open, Open}, {"x y\r\n\xA0"s}},   // 0xA0 is no blank here
        {"TBTStrTrim", {" \0x \n"s, Open, Open}, {"x"s}},
        {"TBTStrTrim", {" x "s, "0", Open}, {" x"s}},
        {"TBTStrTrim", {" x "s, Open, "0"}, {"x "s}},
        {"TBTStrTrim", {"\x01\x20"s, Open, Open}, {""s}},
        {"TBTStrPlus", {Open, Open}, {""s}},
        {"TBTStrPlus", {"a\0"s, High, "c"}, {"a\0"s + High + "c"}, 3},
        {"TBTStrCSV", {Open, Open, Open, Open}, {";;;"s}},
        {"TBTStrCSV", {"a", "", "\0"s, "\xE9"}, {"a;;\0;\xE9"s}},
    };
    Integer row = 0;
    for (const TCase& c : cases)
        Check(c, row++);
}

TEST_F(TextOperations, JoiningWithSeparatorZeroAndSixteenInputs)
{
    RegisterAllComponents();
    TStringRig csv("TBTStrCSV", {"a", "b", Open, "d"});
    static_cast<TStrJoin*>(csv.C)->Separator = 0;
    csv.Step();
    EXPECT_EQ(csv.Text(0), "a\0b\0\0d"s);

    std::vector<std::optional<AnsiString>> sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen.emplace_back(AnsiString(1, static_cast<char>('a' + i)));
    TStringRig plus("TBTStrPlus", sixteen, 16);
    plus.Step();
    EXPECT_EQ(plus.Text(0), "abcdefghijklmnop");
    EXPECT_EQ(plus.C->Inputs[15].Name, "$16");
}

TEST_F(TextOperations, EditingAndSearching)
{
    const TCase cases[] = {
        // Copy: "$", P, N
        {"TBTStrCopy", {"abcdef", "0", "3"}, {"abc"s}},
        {"TBTStrCopy", {"abcdef", "7", "1"}, {""s}},
        {"TBTStrCopy", {"abcdef", "6", "10"}, {"f"s}},
        {"TBTStrCopy", {"abcdef", "2", "0"}, {""s}},
        {"TBTStrCopy", {High, "3", "2"}, {"\x80\0"s}},
        {"TBTStrCopy", {"abc", Open, Open}, {""s}},   // open N reads 0
        {"TBTStrCopy", {"abc", "70000", "1"}, {""s}},
        // Insert: "$", "$Ins", Pos
        {"TBTStrInsert", {"abc", "\0X"s, "0"}, {"\0Xabc"s}},
        {"TBTStrInsert", {"abc", "X", "2"}, {"aXbc"s}},
        {"TBTStrInsert", {"abc", "X", "4"}, {"abcX"s}},
        {"TBTStrInsert", {"abc", "X", "99"}, {"abcX"s}},
        // Delete: "$", P, N
        {"TBTStrDelete", {"abcdef", "0", "3"}, {"abcdef"s}},
        {"TBTStrDelete", {"abcdef", "2", "2"}, {"adef"s}},
        {"TBTStrDelete", {"abcdef", "5", "10"}, {"abcd"s}},
        {"TBTStrDelete", {"abcdef", "7", "1"}, {"abcdef"s}},
        {"TBTStrDelete", {High, "4", "1"}, {"\xC4\xFF\x80z"s}},
        // Index: "$", [i]
        {"TBTStrIndex", {"abc", "0"}, {""s}},
        {"TBTStrIndex", {"abc", "4"}, {""s}},
        {"TBTStrIndex", {High, "4"}, {"\0"s}},
        // Pos: "$M", "$S"
        {"TBTStrPos", {"abcabc", "ca"}, {3.0L}},
        {"TBTStrPos", {"abc", ""}, {0.0L}},
        {"TBTStrPos", {"abc", "x"}, {0.0L}},
        {"TBTStrPos", {High, "\0z"s}, {4.0L}},
        // Replace: "$", "$Old", "$New", All, CS (open: all, case-sensitive)
        {"TBTStrReplace", {"aXaxa", "a", "bb", Open, Open}, {"bbXbbxbb"s}},
        {"TBTStrReplace", {"aaa", "a", "aa", Open, Open}, {"aaaaaa"s}},   // replaced text is not searched again
        {"TBTStrReplace", {"aXax", "x", "-", Open, Open}, {"aXa-"s}},
        {"TBTStrReplace", {"aXax", "x", "-", Open, "0"}, {"a-a-"s}},
        {"TBTStrReplace", {"aXax", "x", "-", "0", "0"}, {"a-ax"s}},
        {"TBTStrReplace", {"\xE4\xC4", "\xC4", "o", Open, "0"}, {"oo"s}},   // accented letters across case
        {"TBTStrReplace", {"a\0b\0"s, "\0"s, "\xFF", Open, Open}, {"a\xFF" "b\xFF"s}},
        {"TBTStrReplace", {"abc", "", "X", Open, Open}, {"abc"s}},
        // Compare: outputs A>B, A=B, A<B
        {"TBTStrCompare", {"", "a"}, {0.0L, 0.0L, 5.0L}},
        {"TBTStrCompare", {"abc", "abc"}, {0.0L, 5.0L, 0.0L}},
        {"TBTStrCompare", {"abc", "ABC"}, {5.0L, 0.0L, 0.0L}},
        {"TBTStrCompare", {"\x80", "z"}, {5.0L, 0.0L, 0.0L}},   // codes above 127 are the larger
        {"TBTStrCompare", {"a\0"s, "a"}, {5.0L, 0.0L, 0.0L}},    // a prefix is the smaller
        {"TBTStrCompare", {"a\0b"s, "a\0c"s}, {0.0L, 0.0L, 5.0L}},
        {"TBTStrCompare", {Open, Open}, {0.0L, 5.0L, 0.0L}},
    };
    Integer row = 0;
    for (const TCase& c : cases)
        Check(c, row++);
}

TEST_F(TextOperations, PartsFromTheTopWithTheRestOnTheLowest)
{
    struct TPartsCase {
        AnsiString Text;
        Integer Separator;
        std::vector<AnsiString> FromTop;
    };
    const TPartsCase cases[] = {
        {"a;b;c;d;e", ';', {"a", "b", "c", "d;e"}},
        {"a;b", ';', {"a", "b", "", ""}},
        {"a;b;c;d;", ';', {"a", "b", "c", "d"}},
        {"a;b;c;d;;", ';', {"a", "b", "c", "d;;"}},
        {";", ';', {"", "", "", ""}},
        {"", ';', {"", "", "", ""}},
        {"x\0y\0\xFF\0\0z"s, 0, {"x", "y", "\xFF", "\0z"s}},
        {"1\xA7" "2", 0xA7, {"1", "2", "", ""}},
    };
    RegisterAllComponents();
    for (const TPartsCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TStringRig rig("TBTStrParts", {c.Text});
        static_cast<TBTStrParts*>(rig.C)->Separator = c.Separator;
        rig.Step();
        for (std::size_t k = 0; k < c.FromTop.size(); ++k) {
            const Integer output = rig.C->OutputCount - 1 - static_cast<Integer>(k);
            EXPECT_EQ(rig.C->Outputs[output].Name, "$" + std::to_string(k + 1));
            EXPECT_EQ(rig.Text(output), c.FromTop[k]) << "$" << k + 1;
        }
    }
}

TEST_F(TextOperations, NumbersOnTextInputsAreTheirTexts)
{
    // A numeric driver is read as its ValueToStr text.
    RegisterAllComponents();
    TTestBoard t;
    auto* source = t.Place<TBTTestSource>(100, 100);
    auto* length = t.Place("TBTStrLength", 1000, 100);
    t.Connect(source, 0, length, 0);
    source->Values = {12.5L};
    t.CalculateAll();
    EXPECT_EQ(length->Outputs[0].Value, static_cast<Extended>(ValueToStr(12.5L).size()));
}

TEST_F(TextOperations, OutputsAreWrittenInEveryStep)
{
    RegisterAllComponents();
    TStringRig copy("TBTStrCopy", {"abc", "1", "2"});
    copy.Step();
    copy.C->Outputs[0].Text = "stale";
    copy.Step();
    EXPECT_EQ(copy.Text(0), "ab");
    copy.Set(0, "xyz");
    copy.Step();
    EXPECT_EQ(copy.Text(0), "xy");
}

} // namespace
