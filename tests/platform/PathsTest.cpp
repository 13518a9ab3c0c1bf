#include "platform/Paths.h"

#include "platform/AnsiText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        root_ = QStringToAnsi(dir_.path()) + "/";
        for (const char* folder : {"Settings", "Data", "MAKROS/TTL"})
            ASSERT_TRUE(QDir(dir_.path()).mkpath(folder));
        for (const char* file : {"Settings/EXPKIT.INI", "Data/Messung.TXT", "Twin.txt", "TWIN.TXT",
                                 "Gr\xC3\xBC\xC3\x9F" "e.ini"})
            Touch(QString::fromUtf8(file));
    }
    void Touch(const QString& name)
    {
        QFile f(dir_.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir_;
    AnsiString root_;
};

}   // namespace

TEST_F(PathsTest, ResolvesExistingNamesWithoutRegardToCase)
{
    struct Case { const char* given; const char* expected; };
    const Case cases[] = {
        {"Settings/EXPKIT.INI", "Settings/EXPKIT.INI"},   // exact spelling
        {"settings\\expkit.ini", "Settings/EXPKIT.INI"},
        {"SETTINGS/Expkit.Ini", "Settings/EXPKIT.INI"},
        {"data\\MESSUNG.txt", "Data/Messung.TXT"},
        {"Makros\\ttl\\", "MAKROS/TTL/"},
        {"GR\xDC\xDF" "E.INI", "Gr\xFC\xDF" "e.ini"},         // Windows-1252 name, UTF-8 on disk
        {"settings/New.ini", "Settings/New.ini"},          // a file to create keeps its name
        {"Nowhere/Sub/File.txt", "Nowhere/Sub/File.txt"},
        {"twin.TXT", "TWIN.TXT"},                          // two candidates: name order
        {"Twin.txt", "Twin.txt"},
        {"Data/../settings/expkit.ini", "Data/../Settings/EXPKIT.INI"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvePath(root_ + c.given), root_ + c.expected) << c.given;
}

TEST_F(PathsTest, ResolvesRelativeNamesFromTheCurrentFolder)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    EXPECT_EQ(ResolvePath("settings\\Expkit.ini"), "Settings/EXPKIT.INI");
    EXPECT_TRUE(FileExists("DATA/messung.txt"));
    QDir::setCurrent(previous);
}

TEST_F(PathsTest, ExistenceTellsFilesFromFolders)
{
    EXPECT_TRUE(FileExists(root_ + "settings\\expkit.ini"));
    EXPECT_FALSE(FileExists(root_ + "settings"));
    EXPECT_FALSE(FileExists(root_ + "settings\\missing.ini"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(root_ + "makros\\ttl"));
    EXPECT_FALSE(DirectoryExists(root_ + "settings\\expkit.ini"));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(Paths, SplitsNamesLikeWindows)
{
    struct Case { const char* name; const char* file; const char* path; const char* ext; };
    const Case cases[] = {
        {"C:\\Projekte\\Anlage 1.prj", "Anlage 1.prj", "C:\\Projekte\\", ".prj"},
        {"/home/u/data/mess.dat", "mess.dat", "/home/u/data/", ".dat"},
        {"Settings\\EXPKIT.INI", "EXPKIT.INI", "Settings\\", ".INI"},
        {"mixed/dir\\file", "file", "mixed/dir\\", ""},
        {"dir.d\\file", "file", "dir.d\\", ""},
        {"archive.tar.gz", "archive.tar.gz", "", ".gz"},
        {"C:name.txt", "name.txt", "C:", ".txt"},
        {"folder/", "", "folder/", ""},
        {"trailing.", "trailing.", "", "."},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
}

TEST(Paths, ChangesTheExtension)
{
    struct Case { const char* name; const char* ext; const char* expected; };
    const Case cases[] = {
        {"Anlage.prj", ".set", "Anlage.set"},
        {"Anlage", ".prj", "Anlage.prj"},
        {"dir.d\\Anlage", ".prj", "dir.d\\Anlage.prj"},
        {"a.b.c", "", "a.b"},
        {"x/y.old", ".new", "x/y.new"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangeFileExt(c.name, c.ext), c.expected) << c.name;
}

TEST(Paths, ProgramFolderIsTheExecutablesFolderUnlessSet)
{
    const AnsiString own = QStringToAnsi(QCoreApplication::applicationDirPath()) + "/";
    EXPECT_EQ(ProgramFolder(), own);
    SetProgramFolder("C:\\Zentrika");
    EXPECT_EQ(ProgramFolder(), "C:/Zentrika/");
    SetProgramFolder("/opt/zentrika/");
    EXPECT_EQ(ProgramFolder(), "/opt/zentrika/");
    SetProgramFolder("");
    EXPECT_EQ(ProgramFolder(), own);
}

TEST(Paths, ConvertsSeparators)
{
    EXPECT_EQ(UnixPathName("Settings\\HardwareLinks.ini"), "Settings/HardwareLinks.ini");
    EXPECT_EQ(QtFileName("Data\\M\xE4rz.txt"), QString::fromUtf8("Data/M\xC3\xA4rz.txt"));
}
