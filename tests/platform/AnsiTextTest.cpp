#include "platform/AnsiText.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

AnsiString AllBytes()
{
    AnsiString s;
    for (int b = 0; b < 256; ++b)
        s.push_back(char(b));
    return s;
}

}   // namespace

TEST(AnsiText, EveryByteSurvivesTheRoundTrip)
{
    const AnsiString bytes = AllBytes();
    const QString text = AnsiToQString(bytes);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(QStringToAnsi(text), bytes);
}

TEST(AnsiText, DecodesTheCodePage)
{
    struct Case { Byte byte; char16_t unicode; };
    const Case cases[] = {
        {0x41, u'A'},    {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A},
        {0x8A, 0x0160},  {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
        {0x96, 0x2013},  {0x99, 0x2122}, {0x9D, 0x009D}, {0x9F, 0x0178},
        {0xA0, 0x00A0},  {0xE4, 0x00E4}, {0xFF, 0x00FF}, {0x00, 0x0000},
    };
    for (const Case& c : cases) {
        const QString text = AnsiToQString(AnsiString(1, char(c.byte)));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text.at(0).unicode(), c.unicode) << "byte " << int(c.byte);
    }
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // U+0100, a CJK character, U+0080 (a C1 control Windows-1252 does not
    // have) and a character beyond 16 bits, which is one "?" and not two.
    const QString text = QString::fromUtf8("a\xC4\x80" "b\xE4\xB8\xAD" "c\xC2\x80" "d\xF0\x9F\x98\x80" "e");
    EXPECT_EQ(QStringToAnsi(text), "a?b?c?d?e");
    EXPECT_EQ(QStringToAnsi(QString::fromUtf8("\xE2\x82\xAC \xC3\xA4")), "\x80 \xE4");
}

// Qt's Unicode case rules are the independent reference: a byte changes case
// exactly when its partner is a Windows-1252 character too.
TEST(AnsiText, CaseMappingAgreesWithUnicodeWithinTheCodePage)
{
    for (int b = 0; b < 256; ++b) {
        const AnsiString one(1, char(b));
        const QChar c = AnsiToQString(one).at(0);
        for (bool upper : {true, false}) {
            const QString mapped(upper ? c.toUpper() : c.toLower());
            const AnsiString back = QStringToAnsi(mapped);
            const AnsiString expected = back == "?" && c != QLatin1Char('?') ? one : back;
            EXPECT_EQ(upper ? AnsiUpperCase(one) : AnsiLowerCase(one), expected)
                << (upper ? "upper " : "lower ") << b;
        }
    }
    EXPECT_EQ(AnsiUpperCase("gr\xFC\xDF \x9A\x9C\x9E\xFF \xB5"), "GR\xDC\xDF \x8A\x8C\x8E\x9F \xB5");
    EXPECT_EQ(AnsiLowerCase("\xC4\xD7\xDE"), "\xE4\xD7\xFE");
}

TEST(AnsiText, ComparesWithoutRegardToCase)
{
    struct Case { const char* a; const char* b; int sign; };
    const Case cases[] = {
        {"Sprache", "SPRACHE", 0},
        {"\xC4nderung", "\xE4NDERUNG", 0},   // Ä / ä
        {"\x8A", "\x9A", 0},                 // Š / š
        {"abc", "abd", -1},
        {"ab", "abc", -1},
        {"B", "a", 1},
        {"", "", 0},
        {"\xDF", "SS", 1},                   // ß has no single-letter upper case
    };
    for (const Case& c : cases) {
        const int r = AnsiCompareText(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ(AnsiSameText(c.a, c.b), c.sign == 0) << c.a << " / " << c.b;
    }
}

TEST(AnsiText, ReadsHexDigits)
{
    const std::pair<char, int> cases[] = {
        {'0', 0}, {'9', 9}, {'A', 10}, {'F', 15}, {'a', 10}, {'f', 15},
        {'G', -1}, {'g', -1}, {'/', -1}, {':', -1}, {'@', -1}, {' ', -1}, {'\xC4', -1},
    };
    for (const auto& [c, value] : cases)
        EXPECT_EQ(AnsiHexDigit(c), value) << int(Byte(c));
}
