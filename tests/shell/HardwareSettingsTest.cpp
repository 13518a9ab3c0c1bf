#include <gtest/gtest.h>

#include "engine/Globals.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "shell/HardwareSettings.h"
#include "shell/MainForm.h"
#include "support/TestBoard.h"
#include "shell/PortHardware.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Main board: hardware, a macro holding hardware and a nested macro with
// hardware, a second macro without any, then more hardware on the main board.
TEST(HardwareSettings, NumbersTheBoardsDepthFirstAfterTheirOuterBoard)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    TTestBoard test;
    TPlatine& main = test.Board();
    TBTPortHardware* first = PlaceHardware(main, 11);
    TMakro* outer = test.PlaceMacro(400, 0, 2);
    TBTPortHardware* inOuter = PlaceHardware(*outer->InnerBoard(), 21);
    auto* nested = CreateBauteil<TMakro>();
    outer->InnerBoard()->CreateInnerBoard(nested);
    outer->InnerBoard()->InsertObject(nested);
    TBTPortHardware* inNested = PlaceHardware(*nested->InnerBoard(), 31);
    test.PlaceMacro(800, 0, 2);
    TBTPortHardware* last = PlaceHardware(main, 12);

    TIniFile store(folder.filePath("HARDWARE.INI").toStdString());
    Integer counter = 1;
    WriteHardwareSettings(main, store, counter);
    EXPECT_EQ(counter, 4);
    EXPECT_EQ(store.ReadSections(), (std::vector<AnsiString>{"1.HW1", "1.HW2", "2.HW1", "3.HW1"}));
    EXPECT_EQ(store.ReadInteger("1.HW2", "Port", 0), 12);
    EXPECT_EQ(store.ReadInteger("2.HW1", "Port", 0), 21);
    EXPECT_EQ(store.ReadInteger("3.HW1", "Port", 0), 31);

    for (TBTPortHardware* hardware : {first, inOuter, inNested, last})
        hardware->Device().Port = 0;
    counter = 1;
    ReadHardwareSettings(main, store, counter);
    EXPECT_EQ(first->Device().Port, 11);
    EXPECT_EQ(last->Device().Port, 12);
    EXPECT_EQ(inOuter->Device().ReadFrom, "2.HW1");
    EXPECT_EQ(inNested->Device().Port, 31);

    // A component whose section is missing keeps its device's defaults.
    store.EraseSection("2.HW1");
    counter = 1;
    ReadHardwareSettings(main, store, counter);
    EXPECT_EQ(inOuter->Device().Port, -1);
}

} // namespace

namespace {

TEST(HardwareSettings, RunOnlyCloseWritesTheDeviceListAnew)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid() && QDir(folder.path()).mkpath("Settings"));
    SetProgramFolder(folder.path().toStdString());
    {
        QFile stale(folder.filePath("Settings/hardware.ini"));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("[7.ALT1]\r\nPort=3\r\n");
    }
    {
        TForm1 form(QStringList{folder.filePath("Anlage")});
        ASSERT_TRUE(RunOnlyMode);
        PlaceHardware(*form.MainBoard, 5);
        EXPECT_TRUE(form.close());
    }
    TIniFile store(folder.filePath("Settings/HARDWARE.INI").toStdString());
    EXPECT_EQ(store.ReadSections(), std::vector<AnsiString>{"1.HW1"});
    EXPECT_EQ(store.ReadInteger("1.HW1", "Port", 0), 5);
    SetProgramFolder("");
    ResetGlobals();
}

} // namespace
