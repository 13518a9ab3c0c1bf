#include "ui/controls/UCLIniCtrl.h"

#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "ui/controls/UCLApplication.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniCtrl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Folder = Dir.path().toStdString() + "/";
        SetRegistryFolder(Folder + "registry");
    }
    void TearDown() override { SetRegistryFolder(""); }
    QTemporaryDir Dir;
    AnsiString Folder;
    TUCLIniCtrl Ini;
};

}   // namespace

TEST(IniCodec, ScrambleRoundTripsAndKeepsTheLength)
{
    const AnsiString text("Breite 120 \xE4\xF6\xFC\x00\xFF", 16);
    const AnsiString scrambled = ScrambleString(text, 0x1234);
    EXPECT_EQ(scrambled.size(), text.size());
    EXPECT_NE(scrambled, text);
    EXPECT_EQ(UnscrambleString(scrambled, 0x1234), text);
    EXPECT_NE(UnscrambleString(scrambled, 0x1235), text);
    // First byte: 'B' (0x42) xor 0x12; then R = (0x50 + 0x1234) x 52845 + 22719.
    EXPECT_EQ(Byte(scrambled[0]), 0x42 ^ 0x12);
    const Word r = Word((0x50 + 0x1234) * 52845u + 22719u);
    EXPECT_EQ(Byte(scrambled[1]), Byte('r' ^ (r >> 8)));
}

TEST(IniCodec, SixBitEncodingIsByteExact)
{
    // "abc": v = 0x616263 -> 24, 22, 9, 35 -> "HF9S".
    EXPECT_EQ(Encode6Bit("abc"), "3:HF9S");
    // "abcd" is padded with two blanks: "d  " = 0x642020 -> 25, 2, 0, 32.
    EXPECT_EQ(Encode6Bit("abcd"), "4:HF9SI20P");
    EXPECT_EQ(Encode6Bit(""), "0:820P");
    for (const AnsiString& s : {AnsiString("abc"), AnsiString("abcd"), AnsiString(""), AnsiString("\xFF\x01\x80 x", 5)})
        EXPECT_EQ(Decode6Bit(Encode6Bit(s)), s);
}

TEST(IniCodec, DecoderTakesDamagedTextWithoutReadingBeyondIt)
{
    struct {
        const char* Text;
        std::size_t Length;
    } const cases[] = {{"", 0}, {"no colon", 0}, {"x:HF9S", 0}, {"9:HF", 3}, {"999999999999:HF9S", 3},
                       {"3:", 0},  {":::::", 0},     {"-1:HF9S", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(Decode6Bit(c.Text).size(), c.Length) << c.Text;
}

TEST_F(IniCtrl, DefaultsWriteToTheApplicationKeyInSectionCommon)
{
    Ini.WriteString("", "Width", "120");
    TRegIniFile key(HKEY_CURRENT_USER, true, LibraryApplication().RegistryKey());
    EXPECT_EQ(key.ReadString("Common", "Width", "?"), "120");
    EXPECT_EQ(Ini.ReadString("", "Width", "0"), "120");
    EXPECT_EQ(Ini.RegistryPath().substr(0, 9), "Software\\");
    Ini.WriteString("#ROOT", "Direct", "1");
    EXPECT_EQ(key.ReadString("", "Direct", "?"), "1");
    Ini.DeleteKey("#ROOT", "Direct");
    EXPECT_EQ(key.ReadString("", "Direct", "gone"), "gone");
}

TEST_F(IniCtrl, IniTargetWithUserSectionsAndFileNames)
{
    Ini.SetTarget(TUCLIniTarget::itIniFile);
    Ini.IniPrefix = ppFixed;
    Ini.SetIniFile(Folder + "layout");
    EXPECT_EQ(Ini.IniFileName(), Folder + "layout.INI");
    Ini.Common = false;
    Ini.User = "ops";
    EXPECT_EQ(Ini.SectionName("Grid"), "ops.Grid");
    EXPECT_EQ(Ini.SectionName(" "), "ops.Grid");   // the last one used
    Ini.WriteString("Grid", "Widths", "50,60,70");
    EXPECT_EQ(TIniFile(Folder + "layout.INI").ReadString("ops.Grid", "Widths", ""), "50,60,70");
    Ini.SetIniFile(Folder + "other.cfg");
    EXPECT_EQ(Ini.IniFile(), Folder + "other.cfg");
    Ini.IniPrefix = ppProgram;
    EXPECT_EQ(Ini.IniFileName(), PathPrefixFolder(ppProgram, true) + "other.cfg");
}

TEST_F(IniCtrl, EncodedValuesReadBackInBothKeyModes)
{
    Ini.Encoded = true;
    for (TUCLIniCryptMode mode : {TUCLIniCryptMode::icmKey, TUCLIniCryptMode::icmTextKey}) {
        Ini.CryptMode = mode;
        Ini.WriteString("S", "Secret", "geheim 42");
        EXPECT_EQ(Ini.ReadString("S", "Secret", ""), "geheim 42");
        EXPECT_EQ(Ini.ReadString("S", "Missing", "dflt"), "dflt");
        TRegIniFile key(HKEY_CURRENT_USER, true, Ini.RegistryPath());
        const AnsiString stored = key.ReadString("S", "Secret", "");
        EXPECT_NE(stored, "geheim 42");
        if (mode == TUCLIniCryptMode::icmTextKey) {
            EXPECT_EQ(stored.substr(0, 2), "9:");
        }
    }
    Ini.CryptMode = TUCLIniCryptMode::icmCustom;
    Ini.OnEncodeString = [](TPersistent*, AnsiString& v) { v = "[" + v + "]"; };
    Ini.WriteString("S", "Custom", "x");
    Ini.Encoded = false;
    EXPECT_EQ(Ini.ReadString("S", "Custom", ""), "[x]");
}

TEST_F(IniCtrl, EntryLimitsAndNetUser)
{
    Ini.SetMaxEntries(30);
    Ini.SetAlphaCounter(true);
    EXPECT_EQ(Ini.MaxEntries(), 26);
    Ini.SetMaxEntries(27);
    EXPECT_EQ(Ini.MaxEntries(), 26);
    Ini.SetNetUser(true);
    EXPECT_EQ(Ini.User, Ini.GetNetUserName());
}

TEST_F(IniCtrl, ReadOnlyRegistryWritesAreRefused)
{
    TRegIniFile key(HKEY_CURRENT_USER, true, "Software\\X");
    EXPECT_FALSE(key.WriteString("S", "a", "1"));
    SetRegistryFolder("/proc/no-such-folder");
    EXPECT_THROW(Ini.WriteString("S", "a", "1"), ERegistryException);
}
