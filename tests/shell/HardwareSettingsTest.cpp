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

// The program's own hardware list and maker links, reached through the main
// window's commands with real hardware components holding fake cards.
#include "ShellFixture.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/ShellHooks.h"
#include "fakes/FakeCard.h"
#include "fakes/FakeWebBrowser.h"
#include "hardware/framework/BT_Hardware.h"
#include "hardware/framework/DLG_Hardware.h"
#include "hardware/framework/DLG_Hersteller.h"
#include "project/ProjectFile.h"
#include "shell/MainMenu.h"
#include "support/TestComponents.h"
#include "ui/controls/UCLListBox.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// A card of this test only, whose name runs over two lines.
const TDeviceRow AddressCardRows[] = {
    {.Class = DeviceRowClass<TFakeCard>("TAdresskarte"), .PortName = {"Adresskarte\rISA"}, .Praefix = "ADR"},
};

class HardwareCommands : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        RegisterDeviceRows(AddressCardRows);
    }
    static QAction* Action(TForm1& form, const char* name) { return form.findChild<QAction*>(name); }
    // A card placed by its class name, as the library places devices.
    static TBTHardware& Place(TPlatine& board, Integer address)
    {
        auto* hardware = dynamic_cast<TBTHardware*>(CreateLibraryObject("TAdresskarte"));
        hardware->Device()->Address = address;
        board.InsertObject(hardware);
        return *hardware;
    }
};

TEST_F(HardwareCommands, TheHardwareCommandChangesTheDevicesThroughTheList)
{
    TForm1& form = Create();
    TIOInterface& first = *Place(*form.MainBoard, 0x378).Device();
    TIOInterface& second = *Place(*form.MainBoard, 0x278).Device();
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        std::vector<QString> items;
        TFormHook hook({[&](TModalForm& form) {
                            auto& list = dynamic_cast<THardware_Dlg&>(form);
                            for (int i = 0; i < list.NewGrid->List()->ItemCount(); ++i)
                                items.push_back(list.NewGrid->List()->ItemText(i));
                            list.NewGrid->List()->SetSelected(1, true);
                            QTest::mouseClick(list.ChangeBtn, Qt::LeftButton);
                            QTest::mouseClick(ok ? list.OK_Btn : list.CancelBtn, Qt::LeftButton);
                        },
                        [](TModalForm& form) {
                            auto& sheet = dynamic_cast<TDefault_Dlg&>(form);
                            dynamic_cast<TEditPropEditor&>(*sheet.Props->Rows.at(0)->Editor).Edit->setText("2e8");
                            QTest::mouseClick(sheet.OKBtn, Qt::LeftButton);
                        }});
        Action(form, "Hardware2")->trigger();
        // The file keeps a name up to its line break.
        EXPECT_EQ(items, (std::vector<QString>{"1.ADR1;Adresskarte;PORT;0378", "1.ADR2;Adresskarte;PORT;0278"}));
        EXPECT_EQ(first.Address, 0x378);
        EXPECT_EQ(second.Address, ok ? 0x2E8 : 0x278);
        EXPECT_FALSE(QFile::exists(QtFileName(TMainCommands::HardwareIniFileName())));
    }
}

TEST_F(HardwareCommands, ThePopupItemShowsTheLinksOfTheSelectedDevice)
{
    TFakeBrowserScope browser;
    TForm1& form = Create();
    TMainMenu& menu = *form.findChild<TMainMenu*>();
    form.HardwareLinksIni->WriteString("TAdresskarte", "Link1", "www.karten.example");
    QAction* item = Action(form, "HerstellerDatenblattVertrieb1");

    // Another component, or none: no links.
    auto* gate = CreateBauteil<TBTTestGate>();
    form.MainBoard->InsertObject(gate);
    form.MainBoard->SelectAll(true);
    menu.UpdateCommandStates();
    EXPECT_FALSE(item->isEnabled());
    form.MainBoard->SelectAll(false);
    TBTHardware& hardware = Place(*form.MainBoard, 0x300);
    hardware.SetSelected(true);
    menu.UpdateCommandStates();
    ASSERT_TRUE(item->isEnabled());

    AnsiString caption;
    TFormHook hook({[&](TModalForm& dlg) {
        caption = dlg.Caption();
        dynamic_cast<THerstellerDlg&>(dlg).LinkEdit2->setText("www.daten.example");
        dlg.close();
    }});
    item->trigger();
    EXPECT_EQ(caption, "Adresskarte ISA");
    EXPECT_EQ(browser.Visited, std::vector<AnsiString>{"www.karten.example"});
    EXPECT_EQ(form.HardwareLinksIni->ReadString("TAdresskarte", "Link2", ""), "www.daten.example");
    // The library's information mark goes the same way.
    ShellHooks.ShowMakerLinks(*hardware.Driver());
    EXPECT_EQ(hook.Shown(), (std::vector<AnsiString>{"Adresskarte ISA", "Adresskarte ISA"}));
}

}   // namespace
