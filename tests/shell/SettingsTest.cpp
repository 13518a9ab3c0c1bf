#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "project/RunStateFile.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QDir(folder_.path()).mkpath("Settings"));
        SetProgramFolder(Program());
    }
    void TearDown() override { SetProgramFolder(""); }

    AnsiString Program() const { return folder_.path().toStdString() + "/"; }
    void WriteFile(const QString& name, const QByteArray& content)
    {
        QFile file(folder_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    std::string ReadFile(const QString& name) const
    {
        QFile file(folder_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    QTemporaryDir folder_;
};

TEST_F(SettingsTest, SpeedFileDefaultsToFastAndKeepsTheChoice)
{
    EXPECT_TRUE(ReadSpeedSetting());
    WriteSpeedSetting(false);
    EXPECT_FALSE(ReadSpeedSetting());
    EXPECT_EQ(ReadFile("Settings/SPEED.INI"), std::string("[Speed]\r\nFast=0\r\n"));
    WriteSpeedSetting(true);
    EXPECT_TRUE(ReadSpeedSetting());
}

TEST_F(SettingsTest, MissingSettingsReadAsDefaults)
{
    TIniFile ini(SettingsFileName());
    TProgramSettings s;
    s.MacroFolder = "m/";
    s.ProjectFolder = "p/";
    s.MainX = 7;
    s.MainW = 800;
    ReadProgramSettings(ini, s);
    EXPECT_EQ(s.MacroFolder, "m/");
    EXPECT_EQ(s.ProjectFolder, "p/");
    EXPECT_FALSE(s.Raster);
    EXPECT_FALSE(s.FPGridVisible);
    EXPECT_EQ(s.FPGridColor, 12632256);
    EXPECT_EQ(s.FPGrid, 16);
    EXPECT_FALSE(s.UpdateInfo);
    EXPECT_FALSE(s.TextOnly);
    EXPECT_TRUE(s.ComponentHint);
    EXPECT_TRUE(s.Hint);
    EXPECT_TRUE(s.MainMax);
    EXPECT_EQ(s.MainX, 7);
    EXPECT_EQ(s.MainW, 800);
}

TEST_F(SettingsTest, ReadsStoredSettingsAndLeavesThePanelWindowKeysUnread)
{
    WriteFile("Settings/expkit.ini",
              "[OPTIONS]\r\nRASTER=1\r\nFPGridVisible=1\r\nFPGridColor=255\r\nFPGrid=12\r\n"
              "UpdateInfo=1\r\nTextOnly=1\r\nCOMPONENTHINT=0\r\nHINT=0\r\nFPX=99\r\n"
              "[HAUPTFENSTER]\r\nMAX=0\r\nX=10\r\nY=20\r\nW=300\r\nH=200\r\n"
              "[DIRECTORIES]\r\nMACROS=/m/\r\nPROJECTS=/p\r\n");
    TIniFile ini(SettingsFileName());
    TProgramSettings s;
    ReadProgramSettings(ini, s);
    EXPECT_TRUE(s.Raster);
    EXPECT_TRUE(s.FPGridVisible);
    EXPECT_EQ(s.FPGridColor, 255);
    EXPECT_EQ(s.FPGrid, 12);   // kept as stored; no grid button matches it
    EXPECT_TRUE(s.UpdateInfo);
    EXPECT_TRUE(s.TextOnly);
    EXPECT_FALSE(s.ComponentHint);
    EXPECT_FALSE(s.Hint);
    EXPECT_EQ(s.FPX, 0);
    EXPECT_FALSE(s.MainMax);
    EXPECT_EQ(s.MainX, 10);
    EXPECT_EQ(s.MainY, 20);
    EXPECT_EQ(s.MainW, 300);
    EXPECT_EQ(s.MainH, 200);
    EXPECT_EQ(s.MacroFolder, "/m/");
    EXPECT_EQ(s.ProjectFolder, "/p");
}

TEST_F(SettingsTest, WritesTheCloseKeysInTheirOrder)
{
    TIniFile ini(SettingsFileName());
    TProgramSettings s;
    s.Raster = true;
    s.FPGrid = 8;
    s.FPMax = true;
    s.FPX = 1;
    s.FPY = 2;
    s.FPW = 3;
    s.FPH = 4;
    s.MainMax = false;
    s.MainX = -5;
    s.MainY = 6;
    s.MainW = 700;
    s.MainH = 500;
    s.MacroFolder = "/a/";
    s.ProjectFolder = "/b";
    WriteProgramSettings(ini, s);
    EXPECT_EQ(ReadFile("Settings/EXPKIT.INI"),
              std::string("[OPTIONS]\r\nFPGridColor=12632256\r\nFPGridVisible=0\r\nFPGrid=8\r\nUpdateInfo=0\r\n"
                         "RASTER=1\r\nTextOnly=0\r\nHINT=1\r\nCOMPONENTHINT=1\r\nFPMAX=1\r\nFPX=1\r\nFPY=2\r\n"
                         "FPW=3\r\nFPH=4\r\n\r\n"
                         "[HAUPTFENSTER]\r\nMAX=0\r\nX=-5\r\nY=6\r\nW=700\r\nH=500\r\n\r\n"
                         "[DIRECTORIES]\r\nMACROS=/a/\r\nPROJECTS=/b\r\n"));
    TProgramSettings back;
    ReadProgramSettings(ini, back);
    EXPECT_EQ(back.MainX, -5);
    EXPECT_EQ(back.FPGrid, 8);
}

TEST_F(SettingsTest, MacroFolderDefaultsToTheTtlMacrosWhenPresent)
{
    EXPECT_EQ(DefaultMacroFolder(), Program());
    ASSERT_TRUE(QDir(folder_.path()).mkpath("makros/ttl"));
    const AnsiString folder = DefaultMacroFolder();
    EXPECT_EQ(folder, Program() + "Makros/TTL/");
    EXPECT_TRUE(DirectoryExists(folder));   // found whatever the letter case on disk
}

TEST(RecentFiles, EntersProjectFilesNewestFirstWithoutDuplicates)
{
    struct TStep {
        const char* FileName;
        bool Changed;
        const char* Expected[TRecentFiles::Count];
    };
    const TStep steps[] = {
        {"/x/a.prj", true, {"/x/a.prj", "", "", ""}},
        {"/x/a.prj", false, {"/x/a.prj", "", "", ""}},
        {"/X/A.PRJ", true, {"/X/A.PRJ", "/x/a.prj", "", ""}},   // another file on Linux: neither leads to the other
        {"/x/m.mak", false, {"/X/A.PRJ", "/x/a.prj", "", ""}},
        {"/x/b.PRJ", true, {"/x/b.PRJ", "/X/A.PRJ", "/x/a.prj", ""}},
        {"/x/a.prj.bak", false, {"/x/b.PRJ", "/X/A.PRJ", "/x/a.prj", ""}},
        {"/x/c.prj", true, {"/x/c.prj", "/x/b.PRJ", "/X/A.PRJ", "/x/a.prj"}},
        {"/x/a.prj", false, {"/x/c.prj", "/x/b.PRJ", "/X/A.PRJ", "/x/a.prj"}},   // an old entry is not moved up
        {"/x/d.prj", true, {"/x/d.prj", "/x/c.prj", "/x/b.PRJ", "/X/A.PRJ"}},
        {"/x/e.prj", true, {"/x/e.prj", "/x/d.prj", "/x/c.prj", "/x/b.PRJ"}},
    };
    TRecentFiles recent;
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.FileName);
        EXPECT_EQ(recent.Add(step.FileName), step.Changed);
        for (int i = 0; i < TRecentFiles::Count; ++i)
            EXPECT_EQ(recent.Entry(i), step.Expected[i]);
    }
    EXPECT_EQ(recent.Caption(1), "&2 /x/d.prj");
}

TEST_F(SettingsTest, RecentFilesSurviveInTheHistorySection)
{
    TIniFile ini(SettingsFileName());
    TRecentFiles recent;
    recent.Add("/x/Eins.prj");
    recent.Add("/x/Zwei.prj");
    recent.Write(ini);
    TRecentFiles back;
    back.Load(ini);
    EXPECT_EQ(back.Entry(0), "/x/Zwei.prj");
    EXPECT_EQ(back.Entry(1), "/x/Eins.prj");
    EXPECT_EQ(back.Entry(2), "");
    EXPECT_EQ(back.Caption(0), "&1 /x/Zwei.prj");   // as it is spelt
    EXPECT_EQ(back.Caption(3), "&4 ");
}

TEST_F(SettingsTest, RunStateFileIsNamedAfterTheProjectTitle)
{
    const struct {
        AnsiString Project;
        AnsiString Expected;
    } cases[] = {
        {"D:\\x\\Anlage 1.prj", "D:\\x\\ANLAGE 1_Default.set"},
        {"/home/u/Pumpe.v2.PRJ", "/home/u/PUMPE.V2_Default.set"},
        {"/home/u/k\xE4lte.prj", "/home/u/K\xC4LTE_Default.set"},   // upper case of the code page
        {"ohne", "OHNE_Default.set"},
        {"", Program() + "UNSAVED_Default.set"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Project);
        EXPECT_EQ(RunStateFileName(c.Project), c.Expected);
    }
}

TEST_F(SettingsTest, RetainedTextsSurviveTheFileWhateverTheyHold)
{
    const AnsiString texts[] = {
        "plain",
        "",
        "line 1\r\nline 2",
        "only\nLF",
        AnsiString("nul\0byte", 8),
        " blank at the front",
        "blank at the end\t",
        " ",
        "%%looks escaped",
        "50 % of %41",
        "\xE4\xF6\xFC\xFF",
    };
    {
        TRunStateFile file("");
        for (std::size_t i = 0; i < std::size(texts); ++i)
            ASSERT_TRUE(file.WriteString("MAIN.TXT1", "T" + std::to_string(i), texts[i]));
        file.WriteInteger("MAIN.TXT1", "After", 42);
    }
    TRunStateFile file("");
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(file.ReadString("MAIN.TXT1", "T" + std::to_string(i), "absent"), texts[i]);
    }
    EXPECT_EQ(file.ReadInteger("MAIN.TXT1", "After", 0), 42);   // the breaks did not split the section
    EXPECT_EQ(file.ReadString("MAIN.TXT1", "Missing", "%%default"), "%%default");
    const TIniValues values = file.ReadSectionValues("MAIN.TXT1");
    ASSERT_EQ(values.size(), std::size(texts) + 1);
    EXPECT_EQ(values[2].second, texts[2]);
}

TEST_F(SettingsTest, RetainedKeysWithBlanksAtTheirEndsReadBack)
{
    {
        TRunStateFile file("");
        ASSERT_TRUE(file.WriteString("MAIN.TXT1", "Key ", " text "));
        ASSERT_TRUE(file.WriteString("MAIN.TXT1", "\tOther", "plain"));
    }
    TRunStateFile file("");
    EXPECT_EQ(file.ReadString("MAIN.TXT1", "Key ", "absent"), " text ");
    EXPECT_EQ(file.ReadString("MAIN.TXT1", "Key", "absent"), " text ");
    EXPECT_EQ(file.ReadString("MAIN.TXT1", "\tOther", "absent"), "plain");
    EXPECT_EQ(file.ReadString("MAIN.TXT1", "Missing ", "absent"), "absent");
}

TEST_F(SettingsTest, PlainRetainedTextsAreStoredAsTheyAre)
{
    TRunStateFile file("");
    file.WriteString("MAIN.TXT1", "Text", "100% plain");
    file.WriteString("MAIN.TXT1", "Broken", "a\r\nb");
    EXPECT_EQ(ReadFile("UNSAVED_Default.set"),
              std::string("[MAIN.TXT1]\r\nText=100% plain\r\nBroken=%%a%0D%0Ab\r\n"));

    // A file written before escaping existed reads as it always did.
    WriteFile("OLD_Default.set", "[MAIN.TXT2]\r\nText=C:\\daten\\%1.txt\r\n");
    TRunStateFile old(Program() + "old.prj");
    EXPECT_EQ(old.ReadString("MAIN.TXT2", "Text", ""), "C:\\daten\\%1.txt");
}

}   // namespace
