#include "platform/IniFile.h"

#include "platform/AnsiText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cerrno>
#include <map>
#include <random>

using namespace std::string_literals;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    AnsiString Name(const char* file = "test.ini") const { return QStringToAnsi(dir_.path()) + "/" + file; }

    void Put(const AnsiString& bytes, const char* file = "test.ini")
    {
        QFile f(dir_.path() + "/" + file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), qsizetype(bytes.size()));
    }

    AnsiString Get(const char* file = "test.ini") const
    {
        QFile f(dir_.path() + "/" + file);
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return f.readAll().toStdString();
    }

    QTemporaryDir dir_;
};

using TAllValues = std::map<std::pair<AnsiString, AnsiString>, AnsiString>;

TAllValues AllValues(TIniFile& ini)
{
    TAllValues all;
    for (const AnsiString& section : ini.ReadSections())
        for (const auto& [key, value] : ini.ReadSectionValues(section))
            all[{AnsiUpperCase(section), AnsiUpperCase(key)}] = value;
    return all;
}

}   // namespace

TEST_F(IniFileTest, ReadsLikeTheWindowsProfileFunctions)
{
    Put("\xEF\xBB\xBF"
        "orphan=before any section\n"
        "[Options]\r\n"
        "; RASTER=9 is a comment\r\n"
        "  RASTER =  1  \r\n"
        "Hint=first\n"
        "HINT=second\n"
        "no equals sign here\n"
        "=no key\n"
        "Empty=\n"
        "\tPath = C:\\Projekte\\a=b.prj\t\n"
        "[ Sprache ]\n"
        "Sprache=2\n"
        "[OPTIONS]\n"
        "Extra=shadowed\n");
    TIniFile ini(Name());
    struct Case { const char* section; const char* key; const char* expected; };
    const Case cases[] = {
        {"Options", "RASTER", "1"},
        {"options", "raster", "1"},
        {"Options", "hint", "first"},
        {"Options", "Path", "C:\\Projekte\\a=b.prj"},
        {"Options", "Empty", ""},
        {"Options", "Extra", "<default>"},           // only the first section counts
        {"Options", "no equals sign here", "<default>"},
        {"Options", "orphan", "<default>"},
        {"Sprache", "SPRACHE", "2"},
        {"Missing", "RASTER", "<default>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.expected) << c.section << "/" << c.key;

    EXPECT_EQ(ini.ReadSections(), (std::vector<AnsiString>{"Options", "Sprache"}));
    EXPECT_EQ(ini.ReadSection("OPTIONS"), (std::vector<AnsiString>{"RASTER", "Hint", "Empty", "Path"}));
    EXPECT_EQ(ini.ReadSectionValues("options"),
              (TIniValues{{"RASTER", "1"}, {"Hint", "first"}, {"Empty", ""}, {"Path", "C:\\Projekte\\a=b.prj"}}));
    EXPECT_TRUE(ini.ValueExists("Options", "empty"));
    EXPECT_FALSE(ini.ValueExists("Options", "Extra"));
    EXPECT_TRUE(ini.SectionExists("sprache"));
    EXPECT_FALSE(ini.SectionExists("Missing"));
}

TEST_F(IniFileTest, BlanksAroundNamesAreNotPartOfThem)
{
    TIniFile ini(Name());
    ASSERT_TRUE(ini.WriteString(" Options\t", "Key ", "v"));
    EXPECT_EQ(Get(), "[Options]\r\nKey=v\r\n");
    for (const char* key : {"Key", "Key ", " key", "\tKEY\t"}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(ini.ValueExists("Options ", key));
        EXPECT_EQ(ini.ReadString("Options ", key, "<default>"), "v");
    }
    EXPECT_FALSE(ini.ValueExists("Options", "Ke y"));
}

TEST_F(IniFileTest, ReadsTypedValues)
{
    Put("[T]\n"
        "dec=12\nneg=-7\nplus=+5\nhex=$FF\nhex0x=0x10\nallbits=$FFFFFFFF\nmin=-2147483648\n"
        "big=2147483648\nhexbig=$100000000\ntail=12abc\nblank=\nword=true\ntwo=2\n"
        "point=3.5\ncomma=3,5\nexp=-2.5e-3\nbigexp=1E20\nbad=1.2.3\n");
    TIniFile ini(Name());
    struct IntCase { const char* key; Integer expected; };
    const IntCase ints[] = {
        {"dec", 12}, {"neg", -7}, {"plus", 5}, {"hex", 255}, {"hex0x", 16}, {"allbits", -1},
        {"min", -2147483647 - 1}, {"big", 99}, {"hexbig", 99}, {"tail", 99}, {"blank", 99},
        {"word", 99}, {"missing", 99},
    };
    for (const IntCase& c : ints)
        EXPECT_EQ(ini.ReadInteger("T", c.key, 99), c.expected) << c.key;

    struct BoolCase { const char* key; bool defaultValue; bool expected; };
    const BoolCase bools[] = {
        {"dec", false, true}, {"two", false, true}, {"neg", false, true}, {"word", false, false},
        {"word", true, true}, {"blank", true, true}, {"missing", false, false},
    };
    for (const BoolCase& c : bools)
        EXPECT_EQ(ini.ReadBool("T", c.key, c.defaultValue), c.expected) << c.key;

    struct FloatCase { const char* key; double expected; };
    const FloatCase floats[] = {
        {"point", 3.5}, {"comma", 3.5}, {"exp", -2.5e-3}, {"bigexp", 1e20}, {"dec", 12},
        {"bad", -1}, {"word", -1}, {"blank", -1},
    };
    for (const FloatCase& c : floats)
        EXPECT_EQ(ini.ReadFloat("T", c.key, -1), c.expected) << c.key;
}

TEST_F(IniFileTest, WritesTypedValuesThatReadBackExactly)
{
    TIniFile ini(Name());
    for (double v : {0.1, -1.5e-7, 1e20, 123456.789, 2.0 / 3.0, -0.0}) {
        ASSERT_TRUE(ini.WriteFloat("F", "v", v));
        EXPECT_EQ(ini.ReadFloat("F", "v", 99), v) << ini.ReadString("F", "v", "");
    }
    ASSERT_TRUE(ini.WriteFloat("F", "v", 1.5e-7));
    EXPECT_EQ(ini.ReadString("F", "v", ""), "1.5E-7");
    ASSERT_TRUE(ini.WriteInteger("F", "i", -2147483647 - 1));
    EXPECT_EQ(ini.ReadInteger("F", "i", 0), -2147483647 - 1);
    ASSERT_TRUE(ini.WriteBool("F", "yes", true));
    ASSERT_TRUE(ini.WriteBool("F", "no", false));
    EXPECT_EQ(Get(), "[F]\r\nv=1.5E-7\r\ni=-2147483648\r\nyes=1\r\nno=0\r\n");
}

TEST_F(IniFileTest, EachWriteReachesTheFileAtOnce)
{
    TIniFile first(Name());
    TIniFile second(Name());
    ASSERT_TRUE(first.WriteString("History", "D1", "a.prj"));
    EXPECT_EQ(second.ReadString("history", "d1", ""), "a.prj");
    ASSERT_TRUE(second.WriteString("HISTORY", "D1", "b.prj"));
    ASSERT_TRUE(second.WriteString("Speed", "Fast", "0"));
    EXPECT_EQ(first.ReadString("History", "D1", ""), "b.prj");
    EXPECT_EQ(first.ReadString("Speed", "Fast", ""), "0");
    EXPECT_EQ(Get(), "[History]\r\nD1=b.prj\r\n\r\n[Speed]\r\nFast=0\r\n");
    // The temporary file of each write was renamed into place.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"test.ini"});
}

TEST_F(IniFileTest, ReplacingTheFileKeepsItsPermissionsAndLinks)
{
    Put("[S]\r\nk=1\r\n", "real.ini");
    const QString real = dir_.path() + "/real.ini";
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(real, dir_.path() + "/link.ini"));
    TIniFile ini(Name("link.ini"));
    ASSERT_TRUE(ini.WriteString("S", "k", "2"));
    EXPECT_TRUE(QFileInfo(dir_.path() + "/link.ini").isSymLink());
    EXPECT_EQ(Get("real.ini"), "[S]\r\nk=2\r\n");
    EXPECT_EQ(QFile::permissions(real), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                            | QFile::ReadGroup);
}

TEST_F(IniFileTest, EditsKeepTheRestOfTheFile)
{
    Put("; settings\n[A]\nx=1\n; note\n\n[B]\ny=2\n");
    TIniFile ini(Name());
    ASSERT_TRUE(ini.WriteString("a", "X", "10"));      // replaced in place
    ASSERT_TRUE(ini.WriteString("A", "z", "3"));       // after the section's last key
    ASSERT_TRUE(ini.WriteString("B", "y", "2"));       // unchanged
    EXPECT_EQ(Get(), "; settings\r\n[A]\r\nX=10\r\nz=3\r\n; note\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(ini.DeleteKey("A", "x"));
    ASSERT_TRUE(ini.EraseSection("b"));
    EXPECT_EQ(Get(), "; settings\r\n[A]\r\nz=3\r\n; note\r\n\r\n");
}

TEST_F(IniFileTest, DeletingReachesDuplicates)
{
    Put("[S]\nk=1\nK=2\n[s]\nk=3\n[T]\nt=1\n");
    TIniFile ini(Name());
    ASSERT_TRUE(ini.DeleteKey("S", "k"));
    EXPECT_EQ(ini.ReadString("S", "k", "gone"), "gone");
    ASSERT_TRUE(ini.EraseSection("S"));
    EXPECT_EQ(ini.ReadSections(), std::vector<AnsiString>{"T"});
    EXPECT_EQ(ini.ReadString("S", "k", "gone"), "gone");
}

TEST_F(IniFileTest, KeepsWindows1252ValuesByteForByte)
{
    AnsiString value;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            value.push_back(char(b));
    value = "x" + value + "x";   // blanks inside stay
    TIniFile ini(Name());
    ASSERT_TRUE(ini.WriteString("Gr\xFC\xDF" "e", "Schl\xFC" "ssel", value));
    EXPECT_EQ(TIniFile(Name()).ReadString("GR\xDC\xDF" "E", "SCHL\xDC" "SSEL", ""), value);
    EXPECT_NE(Get().find("[Gr\xFC\xDF" "e]\r\nSchl\xFC" "ssel=x\x01"), AnsiString::npos);
}

TEST_F(IniFileTest, RefusesWhatTheFormatCannotHold)
{
    TIniFile ini(Name());
    ASSERT_TRUE(ini.WriteString("S", "k", "v"));
    const AnsiString before = Get();
    struct Case { const char* section; const char* key; };
    const Case refused[] = {{"", "k"}, {"a]b", "k"}, {"a\nb", "k"}, {"S", ""}, {"S", "a=b"},
                            {"S", "a\r\nb"}, {"S", ";k"}, {"S", "[k"}, {"  ", "k"}};
    for (const Case& c : refused)
        EXPECT_FALSE(ini.WriteString(c.section, c.key, "v")) << c.section << "/" << c.key;
    EXPECT_EQ(Get(), before);

    // A line break ends the value instead of starting a key of its own.
    ASSERT_TRUE(ini.WriteString("S", "text", "line1\r\n[Evil]\r\nk=2"));
    EXPECT_EQ(ini.ReadString("S", "text", ""), "line1");
    EXPECT_EQ(ini.ReadSections(), std::vector<AnsiString>{"S"});
    // Blanks around a value are not kept, as with the Windows functions.
    ASSERT_TRUE(ini.WriteString(" S ", " pad ", "  v  "));
    EXPECT_EQ(ini.ReadString("S", "pad", ""), "v");
}

TEST_F(IniFileTest, WriteIntoAMissingFolderCreatesIt)
{
    TIniFile ini(Name("Settings/Neu/SPEED.INI"));
    EXPECT_TRUE(ini.WriteString("Speed", "Fast", "0"));
    EXPECT_FALSE(ini.ReadBool("Speed", "Fast", true));
    EXPECT_EQ(Get("Settings/Neu/SPEED.INI"), "[Speed]\r\nFast=0\r\n");
}

TEST_F(IniFileTest, FindsTheFileWithoutRegardToCase)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Settings"));
    Put("[Speed]\r\nFast=0\r\n", "Settings/SPEED.INI");
    TIniFile ini(Name("settings\\speed.ini"));
    EXPECT_FALSE(ini.ReadBool("speed", "fast", true));
    ASSERT_TRUE(ini.WriteBool("Speed", "Fast", true));
    EXPECT_EQ(Get("Settings/SPEED.INI"), "[Speed]\r\nFast=1\r\n");
    EXPECT_EQ(QDir(dir_.path() + "/Settings").entryList(QDir::Files), QStringList{"SPEED.INI"});
}

TEST_F(IniFileTest, DamagedFilesReadAsDefaults)
{
    const AnsiString cases[] = {
        AnsiString("\0\0\0\x01\xFF\xFE[\0]=\0", 12),
        "no sections at all\nkey=value\n",
        "[" + AnsiString(1 << 20, 'x'),
        "[S]\nk" + AnsiString(1 << 20, ' ') + "\n",
        "[\n]\n=\n;\n[[]]\n",
        AnsiString(4096, '\n'),
    };
    for (const AnsiString& content : cases) {
        Put(content);
        TIniFile ini(Name());
        EXPECT_EQ(ini.ReadString("S", "k", "default"), "default");
        EXPECT_EQ(ini.ReadInteger("S", "k", 7), 7);
        ASSERT_TRUE(ini.WriteString("S", "k", "v"));
        EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
    }
}

// Random files, half of them made of the characters that structure an INI
// file: reading never fails, and a write changes exactly the value written.
TEST_F(IniFileTest, RandomContentNeverBreaksReadingOrWriting)
{
    std::mt19937 random(20240611);
    const AnsiString alphabet = "[]=;\r\n \tabSk\xE4\xC4\0"s;
    for (int round = 0; round < 300; ++round) {
        const std::size_t size = random() % 400;
        AnsiString content;
        for (std::size_t i = 0; i < size; ++i)
            content.push_back(round % 2 ? char(random()) : alphabet[random() % alphabet.size()]);
        Put(content);
        TIniFile ini(Name());
        TAllValues expected = AllValues(ini);
        for (const AnsiString& section : ini.ReadSections())
            for (const AnsiString& key : ini.ReadSection(section))
                (void)ini.ReadString(section, key, "");
        ASSERT_TRUE(ini.WriteString("S", "k", "written")) << "round " << round;
        expected[{"S", "K"}] = "written";
        EXPECT_EQ(AllValues(ini), expected) << "round " << round;
    }
}

namespace {

TEST_F(IniFileTest, FailedWriteIsReportedWithTheFileAndTheReason)
{
    Put("kein Ordner", "Settings");   // a file where the folder should be
    std::vector<std::pair<AnsiString, int>> reported;
    SetIniWriteFailureHandler([&](const AnsiString& file, int err) { reported.emplace_back(file, err); });
    TIniFile ini(Name("Settings/EXPKIT.INI"));
    EXPECT_FALSE(ini.WriteString("History", "D1", "/x/Anlage.prj"));
    EXPECT_FALSE(ini.WriteBool("OPTIONS", "HINT", false));
    SetIniWriteFailureHandler(nullptr);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0].first, Name("Settings/EXPKIT.INI"));
    EXPECT_EQ(reported[0].second, ENOTDIR);
    EXPECT_EQ(ini.ReadString("History", "D1", "-"), "-");   // nothing kept that is not in the file
    EXPECT_EQ(Get("Settings"), "kein Ordner");
}

}   // namespace
