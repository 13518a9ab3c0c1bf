#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "shell/LanguageSetting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class LanguageSettingTest : public ::testing::Test {
protected:
    void TearDown() override { SetProgramFolder(""); }
};

struct TLanguageFileCase {
    const char* Name;      // file in the program folder; nullptr: none
    const char* Content;
    Integer Expected;
};

TEST_F(LanguageSettingTest, ReadsTheLanguageFileOfTheProgramFolder)
{
    const TLanguageFileCase cases[] = {
        {nullptr, "", 0},
        {"SPRACHE.INI", "[Sprache]\r\nSprache=1\r\n", 1},
        {"SPRACHE.INI", "[Sprache]\nSprache=2\n", 2},
        {"Sprache.ini", "[sprache]\r\nsprache=2\r\n", 2},   // as a compiled copy carries it
        {"SPRACHE.INI", "[Sprache]\r\nSprache=3\r\n", 3},   // kept; Translate then gives "???"
        {"SPRACHE.INI", "[Sprache]\r\nSprache=englisch\r\n", 0},
        {"SPRACHE.INI", "[Sprache]\r\n", 0},
        {"SPRACHE.INI", "[Andere]\r\nSprache=1\r\n", 0},
    };
    for (const TLanguageFileCase& c : cases) {
        SCOPED_TRACE(c.Content);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        if (c.Name) {
            QFile file(folder.filePath(c.Name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.Content);
        }
        SetProgramFolder(folder.path().toStdString());
        EXPECT_EQ(ReadLanguageSetting(), c.Expected);
    }
}

// The file belongs to the program, not to the folder the program was started in.
TEST_F(LanguageSettingTest, IgnoresALanguageFileInTheWorkingFolder)
{
    QTemporaryDir programFolder;
    QTemporaryDir workingFolder;
    ASSERT_TRUE(programFolder.isValid() && workingFolder.isValid());
    QFile file(workingFolder.filePath("SPRACHE.INI"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Sprache]\r\nSprache=2\r\n");
    file.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workingFolder.path());
    SetProgramFolder(programFolder.path().toStdString());
    const Integer language = ReadLanguageSetting();
    QDir::setCurrent(previous);
    EXPECT_EQ(language, 0);
}

} // namespace
