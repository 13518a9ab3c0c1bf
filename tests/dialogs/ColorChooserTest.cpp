#include "dialogs/ColorChooser.h"

#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ColorChooserTest : public ::testing::Test {
protected:
    void SetUp() override { SetProgramFolder(folder.path().toStdString() + "/"); }
    void TearDown() override { SetProgramFolder(""); }

    QString ColorsFile() const { return folder.filePath("Settings/Colors.dat"); }
    QByteArray ReadColors() const
    {
        QFile file(ColorsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteColors(const QByteArray& text) const
    {
        QDir(folder.path()).mkpath("Settings");
        QFile file(ColorsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir folder;
};

TEST_F(ColorChooserTest, OkReturnsTheColourAndWritesAllSixteenCustomColours)
{
    WriteColors("ColorB=0000ff\n");
    TModalHook hook([](const TModalRequest& request) {
        EXPECT_EQ(request.Kind, TModalKind::ColorDialog);
        EXPECT_EQ(request.Color, 0x123456);
        EXPECT_EQ(request.CustomColors[0], 0xFFFFFF);   // not in the file: unset
        EXPECT_EQ(request.CustomColors[1], 0x0000FF);
        TModalAnswer answer = TModalAnswer::Colour(0x00FF00);
        TCustomColors custom = request.CustomColors;
        custom[0] = 0xABCDEF;
        custom[15] = 0x000001;
        answer.CustomColors = custom;
        return answer;
    });
    EXPECT_EQ(ChooseColor(0x123456), 0x00FF00);

    QByteArray expected = "ColorA=abcdef\r\nColorB=0000ff\r\n";
    for (char letter = 'C'; letter <= 'O'; ++letter)
        expected += QByteArray("Color") + letter + "=ffffff\r\n";
    expected += "ColorP=000001\r\n";
    EXPECT_EQ(ReadColors(), expected);
}

TEST_F(ColorChooserTest, CancelReturnsThePresetAndLeavesTheFile)
{
    const QByteArray before = "ColorA=010203\n";
    WriteColors(before);
    TModalHook hook({TModalAnswer::Cancel()});
    EXPECT_EQ(ChooseColor(0x445566), 0x445566);
    EXPECT_EQ(ReadColors(), before);
}

TEST_F(ColorChooserTest, CancelDoesNotCreateTheFileAndOkDoes)
{
    {
        TModalHook hook({TModalAnswer::Cancel()});
        ChooseColor(clRed);
    }
    EXPECT_FALSE(QFile::exists(ColorsFile()));
    TModalHook hook({TModalAnswer::Colour(clBlue)});
    EXPECT_EQ(ChooseColor(clRed), clBlue);
    EXPECT_TRUE(ReadColors().startsWith("ColorA=ffffff\r\n"));
}

TEST_F(ColorChooserTest, ReadsTheFileTolerantly)
{
    // Letter case, CRLF, blanks and bad lines: good lines count, the rest is unset.
    WriteColors("colorc=00FF00\r\n  ColorD=00ff01  \r\nColorQ=000000\nColorE=xyz\nColorF=1000000\n"
                "junk\n\nColorG=7\n");
    TModalHook hook({TModalAnswer::Cancel()});
    ChooseColor(clBlack);
    const TCustomColors& asked = hook.Requests().at(0).CustomColors;
    EXPECT_EQ(asked[2], 0x00FF00);
    EXPECT_EQ(asked[3], 0x00FF01);
    EXPECT_EQ(asked[4], 0xFFFFFF);
    EXPECT_EQ(asked[5], 0xFFFFFF);
    EXPECT_EQ(asked[6], 0x000007);
}

}   // namespace
