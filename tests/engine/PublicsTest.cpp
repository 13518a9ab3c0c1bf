#include "engine/Publics.h"

#include "InLocale.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/HtmlHelp.h"
#include "platform/Paths.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

const Extended Inf = std::numeric_limits<Extended>::infinity();

struct TParseCase {
    AnsiString Text;
    Extended Parsed;     // ParseValueText
    Extended Value;      // StrToValue
};

const TParseCase ParseCases[] = {
    {"", 0, 0},
    {"abc", 0, 0},
    {"3,5", 3.5L, 3.5L},
    {"1 000", 1000, 1000},
    {"-2.5e3", -2500, -2500},
    {"x-5", -5, -5},
    {"U=-12,5V", -12.5L, -12.5L},
    {".5", 0.5L, 0.5L},
    {"-.5", -0.5L, -0.5L},
    {"a-.5V", -0.5L, -0.5L},
    {"--5", -5, -5},
    {"5-", 5, 5},
    {"1e-3", 0.001L, 0.001L},
    {"0.1", 0.1L, 0.1L},      // read into the 80-bit value, not through double
    {"3.14159265358979323846", 3.14159265358979323846L, 3.14159265358979323846L},
    // malformed runs: the longest well-formed beginning counts
    {"1.2.3", 1.2L, 1.2L},
    {"1-2", 1, 1},
    {"1E", 1, 1},
    {"2e+x", 2, 2},
    // beyond the 80-bit range
    {"1e99999", Inf, Inf},
    {"-1e99999", -Inf, -Inf},
    {"1e-99999", 0, 0},
    // logic words
    {"true", 5, 5},
    {"Untrue", 5, 5},
    {"false", 0, 0},
    {"FALSE TRUE", 5, 5},
    {"3 false", 0, 0},
    // hexadecimal: a whole 32-bit two's-complement number or nothing
    {"$1A", 26, 26},
    {"$ff", 255, 255},
    {"$FFFFFFFF", -1, -1},
    {"$000000001", 1, 1},
    {"$1A ", 1, 1},                  // not hexadecimal: the decimal search finds the "1"
    {"$100000000", 1e8L, 1e8L},      // above 32 bits
    {"$-1", -1, -1},
    {"$", 0, 0},
    {"$true", 5, 5},
    // binary: unsigned 32 bits
    {"%1010", 10, 10},
    {"%10x1", 2, 2},
    {"%11111111111111111111111111111111", 4294967295.0L, 4294967295.0L},
    {"%1true", 1, 5},
};

TEST(ParseValueText, ReadsTheTable)
{
    for (const TParseCase& c : ParseCases) {
        EXPECT_EQ(ParseValueText(c.Text), c.Parsed) << '"' << c.Text << '"';
        EXPECT_EQ(StrToValue(c.Text), c.Value) << '"' << c.Text << '"';
    }
}

TEST(ParseValueText, KeepsDenormalResults)
{
    const Extended value = ParseValueText("1e-4940");
    EXPECT_GT(value, 0);
    EXPECT_LT(value, LDBL_MIN);
}

TEST(ParseValueText, SurvivesRandomBytes)
{
    // Mostly characters the rules react to, and now and then any byte.
    const std::string alphabet = "0123456789.,-+eE$% xTRUEFALStruefals";
    std::mt19937 random(20260);
    for (int round = 0; round < 5000; ++round) {
        AnsiString text(random() % 40, '\0');
        for (char& c : text)
            c = random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
        EXPECT_FALSE(std::isnan(ParseValueText(text))) << text;
        EXPECT_FALSE(std::isnan(StrToValue(text))) << text;
    }
}

class PublicsInLocale : public InLocale {};

TEST_P(PublicsInLocale, ParsingIgnoresTheLocale)
{
    EXPECT_EQ(ParseValueText("1.5"), 1.5L);
    EXPECT_EQ(ParseValueText("1,5"), 1.5L);
    EXPECT_EQ(ParseValueText("1e3"), 1000);
}

TEST_P(PublicsInLocale, ValueToStrWritesTheGeneralFormat)
{
    const struct {
        Extended Value;
        const char* Expected;
    } cases[] = {
        {0, "0"},
        {-0.0L, "0"},
        {5, "5"},
        {-2.5L, "-2.5"},
        {0.1L, "0.1"},
        {0.0001L, "0.0001"},
        {0.00001L, "1E-0005"},
        {0.0000999999999L, "0.0001"},       // fixed after rounding to 8 digits
        {12345678, "12345678"},
        {12345.678L, "12345.678"},
        {123456789, "1.2345679E0008"},
        {99999999.5L, "1E0008"},
        {123456785, "1.2345678E0008"},     // exact tie: to even
        {123456775, "1.2345678E0008"},
        {1e10L, "1E0010"},
        {1.0L / 3, "0.33333333"},
        {-1e-300L, "-1E-0300"},
        {1e4000L, "1E4000"},
        {std::numeric_limits<Extended>::quiet_NaN(), "NAN"},
        {Inf, "INF"},
        {-Inf, "-INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValueToStr(c.Value), Localised(c.Expected)) << static_cast<double>(c.Value);
}

TEST_P(PublicsInLocale, ValueToStrReadsBackThroughStrToValue)
{
    for (Extended value : {3.5L, -0.125L, 1e-7L, 123456789.0L, 0.1L})
        EXPECT_EQ(StrToValue(ValueToStr(value)), StrToValue(FormatGeneral(value, 8, 4)))
            << ValueToStr(value);
}

TEST_P(PublicsInLocale, LocaliseDecimalSeparatorReplacesPointsAndCommas)
{
    EXPECT_EQ(LocaliseDecimalSeparator("1.5,2;x"), Localised("1.5.2;x"));
}

TEST(LocaliseDecimalSeparator, LeavesTextWhenSeparatorIsNoAnsiCharacter)
{
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const bool nonAscii = QLocale().decimalPoint().size() != 1 || QLocale().decimalPoint()[0].unicode() >= 0x80;
    const AnsiString text = LocaliseDecimalSeparator("1.5,2");
    QLocale::setDefault(QLocale::system());
    if (!nonAscii)
        GTEST_SKIP() << "this Qt gives an ASCII separator for ar_EG";
    EXPECT_EQ(text, "1.5,2");
}

const TDateTime Midnight = 0;
const TDateTime MarchFifth2009Noon = QDate(1899, 12, 30).daysTo(QDate(2009, 3, 5)) + 0.5;

class TimeTexts : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    static void German() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    static void English() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

TEST_F(TimeTexts, ClockTimeInGermanLongFormat)
{
    German();
    const struct {
        bool TrimZeros;
        double Seconds;
        TDateTime Origin;
        const char* Expected;
    } cases[] = {
        {true, 3725.5, Midnight, "01:02:05,5"},
        {false, 3725.5, Midnight, "01:02:05,500"},
        {true, 3725.25, Midnight, "01:02:05,25"},
        {false, 3725, Midnight, "01:02:05,000"},
        {true, 3725, Midnight, "01:02:05"},
        // rounded milliseconds carry into the seconds and on into the next day
        {false, 59.9996, Midnight, "00:01:00,000"},
        {true, 59.9996, Midnight, "00:01:00"},
        {false, 86399.9996, Midnight, "00:00:00,000"},
        // the origin's time of day counts
        {true, 13 * 3600.0 + 1.5, MarchFifth2009Noon, "01:00:01,5"},
        {true, 18 * 3600.0, -1.25, "00:00:00"},      // 29.12.1899 06:00 + 18 h
        {true, -1, Midnight, ""},
        {true, std::nan(""), Midnight, ""},
        {true, 1e300, Midnight, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatClockTime(c.TrimZeros, c.Seconds, c.Origin), c.Expected) << c.Seconds;
}

TEST_F(TimeTexts, ClockTimeFollowsTheLocalesTimeFormat)
{
    English();
    EXPECT_EQ(FormatClockTime(true, 3725.5, Midnight), "1:02:05 AM,5");
    EXPECT_EQ(FormatClockTime(false, 13 * 3600.0, Midnight), "1:00:00 PM,000");
}

TEST_F(TimeTexts, DateOfTheSameInstant)
{
    German();
    EXPECT_EQ(FormatDateAndTime(3600, MarchFifth2009Noon), "05.03.09");
    EXPECT_EQ(FormatDateAndTime(12 * 3600.0, MarchFifth2009Noon), "06.03.09");
    EXPECT_EQ(FormatDateAndTime(86400.0 * 3 - 43200.0005, MarchFifth2009Noon), "08.03.09");   // carried
    EXPECT_EQ(FormatDateAndTime(18 * 3600.0, -1.25), "30.12.99");
    EXPECT_EQ(FormatDateAndTime(-1, MarchFifth2009Noon), "");
    English();
    EXPECT_EQ(FormatDateAndTime(0, MarchFifth2009Noon), "3/5/09");
}

TEST_P(PublicsInLocale, DurationTexts)
{
    const struct {
        double Seconds;
        const char* Expected;   // always with "."
    } cases[] = {
        {0, "0"},
        {5, "5"},
        {65, "1:05"},
        {3725.25, "1h 02:05.250"},
        {90000, "1d 1h 00"},
        {3605, "1h 05"},
        {-65, "-1:05"},
        {0.5, "0.500"},
        {-0.5, "-0.500"},
        {5.9996, "6"},          // the rounded fraction carries into the seconds
        {59.9996, "1:00"},
        {86399.9996, "1d 00"},
        {std::nan(""), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDuration(c.Seconds), c.Expected) << c.Seconds;
}

TEST(ColorToHtml, WritesRedGreenBlue)
{
    const struct {
        TColor Color;
        const char* Expected;
    } cases[] = {
        {255, "#FF0000"},
        {0x00FF00, "#00FF00"},
        {0xFF0000, "#0000FF"},
        {0x123456, "#563412"},
        {0x7F123456, "#563412"},
        {0, "#000000"},
        {-1, "#ECE9D8"},
        {std::numeric_limits<TColor>::min(), "#ECE9D8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorToHtml(c.Color), c.Expected) << c.Color;
}

TEST(SanitizeFileName, ReplacesTheNineReservedCharacters)
{
    EXPECT_EQ(SanitizeFileName("a\"b*c/d:e<f>g?h\\i|j"), "a_b_c_d_e_f_g_h_i_j");
    const AnsiString others("\x01\t\xE4\x7F.txt\0x", 10);
    EXPECT_EQ(SanitizeFileName(others), others);
}

// A program folder with Data/ and help/ and a project folder, both in a
// temporary folder; the globals are put back afterwards.
class FolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        root = temp.path().toStdString();
        QDir(temp.path()).mkpath("prog/Data");
        QDir(temp.path()).mkpath("prog/help");
        QDir(temp.path()).mkpath("proj");
        QDir(temp.path()).mkpath("other");
        SetProgramFolder(root + "/prog/");
        ProjectFolder = root + "/proj";
    }
    void TearDown() override
    {
        SetProgramFolder("");
        ProjectFolder.clear();
        SetHelpOpener({});
    }
    void Touch(const AnsiString& relative)
    {
        QFile file(QString::fromStdString(root + "/" + relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir temp;
    AnsiString root;
};

TEST_F(FolderTest, ResolveDataFilePrefersDataOverProject)
{
    Touch("prog/Data/both.txt");
    Touch("proj/both.txt");
    Touch("proj/project.txt");
    Touch("other/project.txt");
    Touch("other/given.txt");
    Touch("prog/Data/Lower.txt");

    const struct {
        AnsiString FileName;
        AnsiString Expected;
    } cases[] = {
        {root + "/other/both.txt", root + "/prog/Data/both.txt"},
        {"both.txt", root + "/prog/Data/both.txt"},
        {root + "/other/project.txt", root + "/proj/project.txt"},   // even though the given path exists
        {root + "/other/given.txt", root + "/other/given.txt"},
        {root + "/other/missing.txt", root + "/prog/Data/missing.txt"},
        {"C:\\Daten\\both.txt", root + "/prog/Data/both.txt"},
        {"C:\\Daten\\new.txt", root + "/prog/Data/new.txt"},
        {"LOWER.TXT", root + "/prog/Data/Lower.txt"},                // found whatever the case
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveDataFile(c.FileName), c.Expected) << c.FileName;
}

TEST_F(FolderTest, ResolveDataFileWithoutProjectFolder)
{
    Touch("prog/Data/both.txt");
    ProjectFolder.clear();
    EXPECT_EQ(ResolveDataFile("both.txt"), root + "/prog/Data/both.txt");
    EXPECT_EQ(ResolveDataFile("none.txt"), root + "/prog/Data/none.txt");
}

TEST_F(FolderTest, ShowHelpTopicOpensTheContextsPage)
{
    Touch("prog/help/18415.html");
    std::vector<QUrl> opened;
    SetHelpOpener([&](const QUrl& url) { opened.push_back(url); });
    ShowHelpTopic(18415);
    ShowHelpTopic(99);   // no page: nothing happens
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(root + "/prog/help/18415.html")));
}

TEST_F(FolderTest, ShowHelpTopicOpensThePageOfTheProgramsLanguage)
{
    QDir(QString::fromStdString(root)).mkpath("prog/help/en");
    QDir(QString::fromStdString(root)).mkpath("prog/help/fr");
    Touch("prog/help/en/18000.html");
    Touch("prog/help/fr/18000.html");
    Touch("prog/help/18000.html");
    std::vector<QUrl> opened;
    SetHelpOpener([&](const QUrl& url) { opened.push_back(url); });
    const struct {
        Integer Language;
        const char* Page;
    } cases[] = {{1, "/prog/help/en/18000.html"}, {2, "/prog/help/fr/18000.html"}, {0, "/prog/help/18000.html"}};
    for (const auto& c : cases) {
        LanguageIndex = c.Language;
        ShowHelpTopic(18000);
        ASSERT_FALSE(opened.empty());
        EXPECT_EQ(opened.back(), QUrl::fromLocalFile(QString::fromStdString(root + c.Page)));
    }
    LanguageIndex = 0;
}

ZK_IN_GERMAN_AND_ENGLISH(PublicsInLocale);

} // namespace
