// Hardware components in project files: a card placed by its device class
// survives saving and opening, an older file's legacy component reads into
// its device, and a file naming a device class the program lacks is refused
// with the class named while the open project stays as it was.
#include "shell/ShellFixture.h"

#include "fakes/FakeCard.h"
#include "hardware/framework/BT_Hardware.h"
#include "platform/Dialogs.h"
#include "project/ProjectFile.h"

#include <QByteArray>

namespace {

// A legacy device class of this test only, stored by older files as the
// component class "TBTRelaiskarte".
const TDeviceRow LegacyRows[] = {
    {.Class = DeviceRowClass<TFakeCard>("TRelaiskarte"), .PortName = {"Relaiskarte"}, .Praefix = "REL"},
};

class HardwareFileTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        RegisterFakeCards();
        RegisterDeviceRows(LegacyRows);
    }

    QByteArray Bytes(const QString& name) const { return QByteArray::fromStdString(ReadFile(name)); }

    // A card of three channels placed by its class name, as the library and
    // the search place devices, with a changed channel name.
    static TBTHardware* PlaceCard(TForm1& form, const AnsiString& deviceClass)
    {
        std::unique_ptr<TBauteil> object(CreateLibraryObject(deviceClass));
        auto* hardware = dynamic_cast<TBTHardware*>(object.get());
        if (!hardware)
            return nullptr;
        auto& card = static_cast<TFakeCard&>(*hardware->Device());
        card.OutPort().SetChannels(3);
        card.InPort().SetChannels(3);
        card.OutPort().Pins[1]->ShortName = "SET";
        card.BuildPinList();
        hardware->SetInputCount(card.InputCount);
        hardware->SetOutputCount(card.GetOutputCount());
        hardware->InputsCreated();
        hardware->OutputsCreated();
        hardware->SetCaption("Karte 1");
        form.MainBoard->InsertObject(object.release());
        return hardware;
    }
};

TEST_F(HardwareFileTest, ACardKeepsItsDeviceChannelsAndNamesThroughSaveAndOpen)
{
    TForm1& form = Create();
    ASSERT_NE(PlaceCard(form, "TFakeCard"), nullptr);
    form.SaveProject(Program() + "Karte.prj");

    TForm1& again = Create();
    TModalHook hook(std::vector<TModalAnswer>{});
    ASSERT_TRUE(again.OpenProject(Program() + "Karte.prj"));
    auto* read = Find<TBTHardware>(*again.MainBoard);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->Device(), nullptr);
    EXPECT_STREQ(read->Device()->ClassName(), "TFakeCard");
    EXPECT_EQ(read->GetCaption(), "Karte 1");
    EXPECT_EQ(read->Designator, "FK");
    ASSERT_EQ(read->InputCount, 3);
    EXPECT_EQ(read->Inputs[1].Name, "SET");
    ASSERT_EQ(read->OutputCount, 3);
    EXPECT_EQ(read->Outputs[0].Name, "AI2");
}

TEST_F(HardwareFileTest, AnUnknownDeviceClassIsRefusedByNameAndTheProjectStays)
{
    {
        TForm1& writer = Create();
        ASSERT_NE(PlaceCard(writer, "TFakeCard"), nullptr);
        writer.SaveProject(Program() + "Karte.prj");
    }
    // The same file with a device class this program does not have.
    QByteArray bytes = Bytes("Karte.prj");
    const qsizetype at = bytes.indexOf("TFakeCard");
    ASSERT_GE(at, 0);
    bytes.replace(at, 9, "TFakeCarX");
    WriteFile("Fremd.prj", bytes);

    TForm1& form = Create();
    TBTHardware* own = PlaceCard(form, "TFakeCard");
    form.SetProjectName(Program() + "Aktuell.prj");
    TPlatine* board = form.MainBoard;
    const std::vector<TBauteil*> objects = board->Objects;
    TModalHook hook({TModalAnswer::File(Program() + "Fremd.prj"), TModalAnswer::Button(IDNO),
                     TModalAnswer::Button(IDOK)});
    form.ffnen2Click();
    ASSERT_EQ(hook.Requests().size(), 3u);
    EXPECT_EQ(hook.Requests()[2].Text, "Klasse TFakeCarX nicht gefunden");
    EXPECT_EQ(hook.Requests()[2].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(form.MainBoard, board);
    EXPECT_EQ(board->Objects, objects);
    EXPECT_EQ(Find<TBTHardware>(*board), own);
    EXPECT_EQ(form.ProjectFileName, Program() + "Aktuell.prj");
}

TEST_F(HardwareFileTest, AnOlderFilesLegacyComponentReadsIntoItsDevice)
{
    // The project as an older program wrote it: the legacy class name, the
    // component record and the device record without its class name. Made
    // from a saved one by cutting the device class name out.
    {
        TForm1& writer = Create();
        ASSERT_NE(PlaceCard(writer, "TRelaiskarte"), nullptr);
        writer.SaveProject(Program() + "Neu.prj");
    }
    QByteArray bytes = Bytes("Neu.prj");
    const QByteArray stored = QByteArray("\x06\x0BTBTHardware", 13);
    const QByteArray device = QByteArray("\x06\x0CTRelaiskarte", 14);
    const qsizetype classAt = bytes.indexOf(stored);
    const qsizetype deviceAt = bytes.indexOf(device);
    ASSERT_GE(classAt, 0);
    ASSERT_GT(deviceAt, classAt);
    bytes.remove(deviceAt, device.size());
    bytes.replace(classAt, stored.size(), QByteArray("\x06\x0ETBTRelaiskarte", 16));
    WriteFile("Alt.prj", bytes);

    TForm1& form = Create();
    TModalHook hook(std::vector<TModalAnswer>{});
    ASSERT_TRUE(form.OpenProject(Program() + "Alt.prj"));
    auto* read = Find<TBTHardware>(*form.MainBoard);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->Device(), nullptr);
    EXPECT_STREQ(read->Device()->ClassName(), "TRelaiskarte");
    EXPECT_EQ(read->Designator, "REL");
    ASSERT_EQ(read->InputCount, 3);
    EXPECT_EQ(read->Inputs[1].Name, "SET");
}

} // namespace
