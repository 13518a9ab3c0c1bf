// The hardware component on a board with a fake card: the legacy names, the
// pins in channel order, the step through the card and back, the record with
// and without the device class name, the settings on a snapshot, the hint and
// the start (idle callback, opening, waiting inside a transfer).
#include "hardware/framework/BT_Hardware.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/ShellHooks.h"
#include "fakes/FakeCard.h"
#include "platform/Clock.h"
#include "platform/Stream.h"
#include "platform/TextLanguage.h"
#include "support/TestBoard.h"
#include "ui/controls/UCLSpinEdit.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {

// A legacy device class of this test only: older files stored it as the
// component class "TBTRelaiskarte", without the device class name.
const TDeviceRow LegacyRows[] = {
    {.Class = DeviceRowClass<TFakeCard>("TRelaiskarte"), .PortName = {"Relaiskarte"}, .Praefix = "REL"},
};

// Counts the board's steps and moves the fake clock by 1 ms in each.
class TBTClockStep : public TGrundBT {
    ZK_CLASS(TBTClockStep, TGrundBT)

public:
    static inline TFakeClock* Clock = nullptr;
    Integer Steps = 0;
    void Calculate() override
    {
        ++Steps;
        if (Clock)
            Clock->AdvanceMs(1);
    }
};

// A clock that moves 1 ms with every reading, so a busy wait ends without
// any step.
class TRunningClock : public TClock {
public:
    Int64 Nanoseconds() override { return now_ += 1'000'000; }
    TDateTime Now() override { return 0; }

private:
    Int64 now_ = 0;
};

class HardwareComponentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterClass(TBTHardware::StaticClass());
        RegisterClass(TBTClockStep::StaticClass());
        RegisterFakeCards();
        RegisterDeviceRows(LegacyRows);
        ShellHooks.CreateHardwareByLegacyName = TBTHardware::CreateByLegacyName;
        ShellHooks.CreateHardwareHolding = TBTHardware::CreateHolding;
    }
    void TearDown() override
    {
        ResetGlobals();
        LanguageIndex = 0;
    }

    // A hardware component holding a fake card, placed on the board.
    TBTHardware* PlaceCard(Integer x, Integer y, Integer channels = TFakeCard::DefaultChannels)
    {
        auto* card = static_cast<TFakeCard*>(CreateObjectByName("TFakeCard"));
        card->OutPort().SetChannels(channels);
        card->InPort().SetChannels(channels);
        card->BuildPinList();
        TBTHardware* hardware = TBTHardware::CreateHolding(card);
        hardware->X = x;
        hardware->Y = y;
        hardware->LayoutPins();
        t.Board().InsertObject(hardware);
        return hardware;
    }
    static TFakeCard& Card(TBTHardware* hardware) { return static_cast<TFakeCard&>(*hardware->Device()); }
    static std::vector<std::string> Names(const TPinList& pins)
    {
        std::vector<std::string> names;
        for (const TBauteilPin& pin : pins)
            names.push_back(pin.Name.Str());
        return names;
    }
    // Runs the component's settings with one action on the dialog.
    static Integer Edit(TBTHardware* hardware, const std::function<void(TDefault_Dlg&)>& action)
    {
        TFormHook hook({[&](TModalForm& form) { action(static_cast<TDefault_Dlg&>(form)); }});
        return hardware->EditProperties();
    }
    static std::vector<AnsiString> RowCaptions(const TDefault_Dlg& dlg)
    {
        std::vector<AnsiString> captions;
        for (const auto& row : dlg.Props->Rows)
            captions.push_back(row->Caption);
        return captions;
    }

    TTestBoard t;
};

TEST_F(HardwareComponentTest, LegacyNamesGiveTheirDeviceClassesWhateverTheLetterCase)
{
    const struct {
        const char* Stored;
        const char* Device;
    } cases[] = {
        {"TBTHardware", "TIOInterface"},
        {"tbthardware", "TIOInterface"},
        {"TBTLPT", "TLPTInterface"},
        {"TBTRelaiskarte", "TRelaiskarte"},
        {"TBTPORT_W", "TwPort"},
        {"TBTIntelligentExtension", "TFT_IntelligentExtension"},
        {"TBT_USB_Opto4_Out", "TOpto4Out"},
        {"TBTAnd", nullptr},
        {"TLPTInterface", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        const char* device = DriverClassByName(c.Stored);
        if (c.Device)
            EXPECT_STREQ(device, c.Device);
        else
            EXPECT_EQ(device, nullptr);
    }
}

TEST_F(HardwareComponentTest, ALegacyNameOfADeviceTheProgramLacksIsAClassNotFound)
{
    try {
        delete TBTHardware::CreateWithDriver("TBTLPT");
        FAIL() << "no error";
    } catch (const EClassNotFound& error) {
        EXPECT_EQ(std::string(error.what()), ClassNotFoundMessage("TLPTInterface"));
    }
    EXPECT_EQ(TBTHardware::CreateByLegacyName("TBTAnd"), nullptr);
}

TEST_F(HardwareComponentTest, WithoutADeviceTheComponentIsPlainHardware)
{
    std::unique_ptr<TBTHardware> hardware(TBTHardware::CreateWithDriver("TBTHardware"));
    EXPECT_EQ(hardware->Device(), nullptr);
    EXPECT_EQ(hardware->HelpContext, 35500);
    EXPECT_TRUE(hardware->HasPropertyDialog);
    EXPECT_TRUE(hardware->PanelElementClass.empty());
    EXPECT_EQ(hardware->BodyColor1, 0x909090u);
    EXPECT_EQ(hardware->BodyColor2, 0xD0D0D0u);
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        EXPECT_EQ(hardware->GetTypeName(), "Hardware");
        EXPECT_EQ(hardware->GetCaption(), "Hardware");
    }
    // Nothing to step, start or stop, and no settings.
    hardware->Calculate();
    hardware->ResetForStart();
    hardware->SimulationStopped();
    EXPECT_EQ(hardware->EditProperties(), mrNone);
}

TEST_F(HardwareComponentTest, PinsShowTheChannelsInputsInOrderOutputsLastChannelFirst)
{
    TBTHardware* hardware = PlaceCard(300, 100, 3);
    EXPECT_EQ(Names(hardware->Inputs), (std::vector<std::string>{"AO0", "AO1", "AO2"}));
    // The board draws the last output on top: the channels read top-down in order.
    EXPECT_EQ(Names(hardware->Outputs), (std::vector<std::string>{"AI2", "AI1", "AI0"}));
    EXPECT_EQ(hardware->Designator, "FK");
    EXPECT_EQ(hardware->Label, "Testkarte");
    EXPECT_EQ(hardware->HelpContext, 35501);
    EXPECT_EQ(hardware->GetTypeName(), "Testkarte");
    hardware->SetCaption("Meine Karte");
    EXPECT_EQ(hardware->GetCaption(), "Meine Karte");
    EXPECT_EQ(Card(hardware).PortName, "Meine Karte");
}

TEST_F(HardwareComponentTest, EachStepSendsTheInputsThroughTheCardToTheOutputs)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    source->SetOutputCount(2);
    TBTHardware* hardware = PlaceCard(300, 100);
    auto* probe = t.Place<TBTTestProbe>(600, 100);
    probe->SetInputCount(2);
    t.Connect(source, 0, hardware, 0);
    t.Connect(source, 1, hardware, 1);
    t.Connect(hardware, 0, probe, 0);
    t.Connect(hardware, 1, probe, 1);
    for (const auto& values : std::vector<std::vector<Extended>>{{1.0L, 2.5L}, {3.0L, 0.0L}}) {
        source->Values = values;
        t.CalculateAll();
        // Output 0 shows channel AI1 (twice AO1), output 1 channel AI0.
        EXPECT_EQ(hardware->Outputs[0].Value, 2 * values[1]);
        EXPECT_EQ(hardware->Outputs[1].Value, 2 * values[0]);
        EXPECT_EQ(probe->Readings.back().Level, 2 * values[0]);   // the probe's input 1
    }
    EXPECT_EQ(Card(hardware).Transfers, 2);
}

TEST_F(HardwareComponentTest, ChannelsGoneDuringARunReadAsNothing)
{
    // A driver that rebuilt its ports while the component still has the old pins.
    TBTHardware* hardware = PlaceCard(300, 100, 3);
    TFakeCard& card = Card(hardware);
    card.OutPort().SetChannels(1);
    card.InPort().SetChannels(1);
    card.BuildPinList();
    hardware->Calculate();
    ASSERT_EQ(hardware->OutputCount, 3);
    EXPECT_EQ(hardware->Outputs[0].Value, 0.0L);   // channel 2: gone
    EXPECT_EQ(hardware->Outputs[1].Value, 0.0L);   // channel 1: gone
    EXPECT_EQ(hardware->Outputs[2].Value, 10.0L);  // channel 0: twice the open input
    EXPECT_EQ(card.Transfers, 1);
}

TEST_F(HardwareComponentTest, AnUnconnectedInputFeedsHighAndAnInvertedOneLow)
{
    TBTHardware* hardware = PlaceCard(300, 100);
    hardware->Inputs[1].Inverted = true;
    hardware->Calculate();
    EXPECT_EQ(Card(hardware).OutPort().Pins[0]->GetValue(), 5.0L);
    EXPECT_EQ(Card(hardware).OutPort().Pins[1]->GetValue(), 0.0L);
    EXPECT_EQ(hardware->Outputs[1].Value, 10.0L);
}

TEST_F(HardwareComponentTest, RecordKeepsDeviceChannelsAndNamesThroughTheBoardStream)
{
    TBTHardware* hardware = PlaceCard(300, 100, 3);
    hardware->SetCaption("Karte A");
    Card(hardware).OutPort().Pins[2]->ShortName = "X2";
    Card(hardware).OutPort().Pins[2]->Max = 7.5L;
    hardware->RuntimeAdjustable = true;
    Card(hardware).BuildPinList();
    hardware->InputsCreated();
    const std::vector<Byte> bytes = t.WriteToMemory();

    TTestBoard copy;
    LanguageIndex = 1;
    copy.ReadFromMemory(bytes);
    ASSERT_EQ(CountOf<TBTHardware>(copy.Board()), 1);
    auto* read = static_cast<TBTHardware*>(FindComponent(copy.Board(), "TBTHardware"));
    ASSERT_NE(read->Device(), nullptr);
    EXPECT_STREQ(read->Device()->ClassName(), "TFakeCard");
    // The name given stays; the type name follows the language.
    EXPECT_EQ(read->GetCaption(), "Karte A");
    EXPECT_EQ(read->GetTypeName(), "Test card");
    EXPECT_TRUE(read->RuntimeAdjustable);
    EXPECT_EQ(Names(read->Inputs), (std::vector<std::string>{"AO0", "AO1", "X2"}));
    EXPECT_EQ(Names(read->Outputs), (std::vector<std::string>{"AI2", "AI1", "AI0"}));
    EXPECT_EQ(Card(read).OutPort().Pins[2]->Max, 7.5L);
    EXPECT_EQ(read->Designator, "FK");
    EXPECT_EQ(read->HelpContext, 35501);
}

TEST_F(HardwareComponentTest, AnOlderRecordWithoutTheDeviceClassNameReadsIntoTheLegacyDevice)
{
    // What an older program wrote under "TBTRelaiskarte": the component record,
    // then at once the device record.
    std::unique_ptr<TBTHardware> writer(TBTHardware::CreateWithDriver("TBTRelaiskarte"));
    Card(writer.get()).OutPort().Pins[1]->ShortName = "K2";
    Card(writer.get()).BuildPinList();
    writer->InputsCreated();
    TMemoryStream stream;
    {
        TWriter w(stream);
        writer->TGrundBT::WriteData(stream, w);
        writer->Device()->writeToStream(stream, w);
        w.FlushBuffer();
    }
    stream.SetPosition(0);
    std::unique_ptr<TBTHardware> read(TBTHardware::CreateByLegacyName("TBTRelaiskarte"));
    ASSERT_NE(read, nullptr);
    {
        TReader r(stream);
        read->ReadData(stream, r, 46);
    }
    EXPECT_STREQ(read->Device()->ClassName(), "TRelaiskarte");
    EXPECT_EQ(read->Designator, "REL");
    EXPECT_EQ(Names(read->Inputs), (std::vector<std::string>{"AO0", "K2"}));
    EXPECT_EQ(stream.Position(), stream.Size());

    // Written again, it takes the form with the device class name.
    t.Board().InsertObject(read.release());
    TTestBoard copy;
    copy.ReadFromMemory(t.WriteToMemory());
    auto* again = static_cast<TBTHardware*>(FindComponent(copy.Board(), "TBTHardware"));
    ASSERT_NE(again, nullptr);
    EXPECT_STREQ(again->Device()->ClassName(), "TRelaiskarte");
    EXPECT_EQ(Names(again->Inputs), (std::vector<std::string>{"AO0", "K2"}));
}

TEST_F(HardwareComponentTest, AnUnknownDeviceClassInARecordIsAClassNotFound)
{
    std::unique_ptr<TBTHardware> hardware(TBTHardware::CreateWithDriver("TBTHardware"));
    TMemoryStream stream;
    {
        TWriter w(stream);
        hardware->TGrundBT::WriteData(stream, w);
        w.WriteString("TGibtEsNicht");
        w.FlushBuffer();
    }
    stream.SetPosition(0);
    TReader r(stream);
    try {
        hardware->ReadData(stream, r, 46);
        FAIL() << "no error";
    } catch (const EClassNotFound& error) {
        EXPECT_EQ(std::string(error.what()), ClassNotFoundMessage("TGibtEsNicht"));
    }
    EXPECT_EQ(hardware->Device(), nullptr);
}

TEST_F(HardwareComponentTest, ComponentWithoutDeviceReadsBackWithoutDevice)
{
    t.Board().InsertObject(TBTHardware::CreateWithDriver("TBTHardware"));
    TTestBoard copy;
    copy.ReadFromMemory(t.WriteToMemory());
    auto* read = static_cast<TBTHardware*>(FindComponent(copy.Board(), "TBTHardware"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Device(), nullptr);
}

TEST_F(HardwareComponentTest, CancelInTheSettingsRestoresTheDeviceExactly)
{
    TBTHardware* hardware = PlaceCard(300, 100, 3);
    TFakeCard& card = Card(hardware);
    std::vector<AnsiString> captions;
    const Integer result = Edit(hardware, [&](TDefault_Dlg& dlg) {
        captions = RowCaptions(dlg);
        EXPECT_EQ(dlg.HelpContext(), 35501);
        // What the pins editor would change on the live channels.
        card.OutPort().Pins[0]->ShortName = "Y0";
        card.OutPort().Pins[0]->Min = -3;
        card.InPort().Pins[2]->Max = 99;
        card.InPort().clearPins();
        card.BuildPinList();
        dynamic_cast<TSpinPropEditor&>(*dlg.Props->Rows.at(0)->Editor).Spin->SetValue(5);
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(captions, (std::vector<AnsiString>{Translate("Kan\xE4le"), "Zur Laufzeit einstellbar"}));
    EXPECT_EQ(card.OutPort().Pins[0]->ShortName, "AO0");
    EXPECT_EQ(card.OutPort().Pins[0]->Min, 0.0L);
    ASSERT_EQ(card.InPort().Pins.size(), 3u);
    EXPECT_EQ(card.InPort().Pins[2]->Max, 20.0L);
    EXPECT_EQ(Names(hardware->Inputs), (std::vector<std::string>{"AO0", "AO1", "AO2"}));
    EXPECT_EQ(Names(hardware->Outputs), (std::vector<std::string>{"AI2", "AI1", "AI0"}));
    EXPECT_FALSE(KonfigSnapshotExists());
    EXPECT_EQ(card.KonfigDialog, nullptr);
}

TEST_F(HardwareComponentTest, OkWithAnotherChannelCountChangesThePins)
{
    TBTHardware* hardware = PlaceCard(300, 100, 3);
    const Integer result = Edit(hardware, [&](TDefault_Dlg& dlg) {
        dynamic_cast<TSpinPropEditor&>(*dlg.Props->Rows.at(0)->Editor).Spin->SetValue(5);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(hardware->InputCount, 5);
    EXPECT_EQ(hardware->OutputCount, 5);
    EXPECT_EQ(Names(hardware->Outputs), (std::vector<std::string>{"AI4", "AI3", "AI2", "AI1", "AI0"}));
    EXPECT_FALSE(KonfigSnapshotExists());
    EXPECT_EQ(Card(hardware).KonfigDialog, nullptr);

    // Fewer channels again: the pins follow, and the routing of the old
    // indexes reads nothing.
    Edit(hardware, [&](TDefault_Dlg& dlg) {
        dynamic_cast<TSpinPropEditor&>(*dlg.Props->Rows.at(0)->Editor).Spin->SetValue(1);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    EXPECT_EQ(Names(hardware->Inputs), (std::vector<std::string>{"AO0"}));
    EXPECT_EQ(Names(hardware->Outputs), (std::vector<std::string>{"AI0"}));
    hardware->Calculate();
    EXPECT_EQ(hardware->Outputs[0].Value, 10.0L);
}

TEST_F(HardwareComponentTest, RunTimeRowOnlyWhileStoppedAndNotRunOnly)
{
    const struct {
        bool Running;
        bool RunOnly;
        bool Row;
        Integer Help;
    } cases[] = {
        {false, false, true, 35501},
        {true, false, false, 35501},
        {false, true, false, 0},
        {true, true, false, 0},
    };
    TBTHardware* hardware = PlaceCard(300, 100);
    for (const auto& c : cases) {
        SimulationRunning = c.Running;
        RunOnlyMode = c.RunOnly;
        std::vector<AnsiString> captions;
        Integer help = -1;
        Edit(hardware, [&](TDefault_Dlg& dlg) {
            captions = RowCaptions(dlg);
            help = dlg.HelpContext();
            QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
        });
        const bool row = std::find(captions.begin(), captions.end(), "Zur Laufzeit einstellbar") != captions.end();
        EXPECT_EQ(row, c.Row) << c.Running << c.RunOnly;
        EXPECT_EQ(help, c.Help) << c.Running << c.RunOnly;
        EXPECT_EQ(Card(hardware).IsSimulating, c.Running);
        EXPECT_EQ(Card(hardware).IsCompiledRun, c.RunOnly);
    }
}

TEST_F(HardwareComponentTest, HintEndsInThePortLine)
{
    TBTHardware* hardware = PlaceCard(300, 100);
    hardware->Device()->Address = 888;
    const AnsiString hint = hardware->GetHintText();
    EXPECT_EQ(hint.substr(hint.rfind('\r') + 1), "Port 0378h ( 888 )");
    EXPECT_EQ(hint.substr(0, hint.find('\r')), "FK " + std::to_string(hardware->Number));
}

TEST_F(HardwareComponentTest, TheStartOpensTheCardAndPointsItsIdleAtTheBoard)
{
    TBTHardware* hardware = PlaceCard(300, 100);
    TFakeCard& card = Card(hardware);
    t.Board().PrepareSimulation();
    EXPECT_EQ(card.Openings, 1);
    EXPECT_TRUE(card.OnIdle);
    for (const auto& port : card.Ports)
        EXPECT_TRUE(port->OnIdle);
    EXPECT_TRUE(card.Running);
    t.Board().StopSimulation();
    EXPECT_FALSE(card.Running);
    EXPECT_FALSE(card.OnIdle);
}

// The driver waits on its port (the device's own transfer skips it) or makes
// its whole transfer on the device and waits there.
class HardwareWaitTest : public HardwareComponentTest, public ::testing::WithParamInterface<bool> {};

TEST_P(HardwareWaitTest, WaitingInATransferKeepsTheBoardSteppingWithoutAnotherTransfer)
{
    TFakeClock clock;
    TScopedClock installed(clock);
    TBTClockStep::Clock = &clock;
    auto* stepper = t.Place<TBTClockStep>(100, 100);
    TBTHardware* hardware = PlaceCard(300, 100);
    TFakeCard& card = Card(hardware);
    t.Board().PrepareSimulation();
    card.WaitInTransfer = 5;
    card.WaitOnDevice = GetParam();
    t.Board().Step();
    TBTClockStep::Clock = nullptr;
    // The outer step, then one step per millisecond of the wait.
    EXPECT_EQ(stepper->Steps, 1 + 5);
    EXPECT_EQ(card.Calls, 1) << "the nested steps do not reach the waiting device";
    EXPECT_EQ(card.Transfers, 1);
    EXPECT_FALSE(card.IsWaiting());
    t.Board().StopSimulation();
}

INSTANTIATE_TEST_SUITE_P(PortOrDevice, HardwareWaitTest, ::testing::Bool());

TEST_F(HardwareComponentTest, ABusyWaitStepsNothing)
{
    TRunningClock clock;
    TScopedClock installed(clock);
    auto* stepper = t.Place<TBTClockStep>(100, 100);
    TBTHardware* hardware = PlaceCard(300, 100);
    TFakeCard& card = Card(hardware);
    t.Board().PrepareSimulation();
    card.WaitInTransfer = -5;
    t.Board().Step();
    EXPECT_EQ(stepper->Steps, 1);
    EXPECT_EQ(card.Calls, 1);
    EXPECT_EQ(card.Transfers, 1);
    t.Board().StopSimulation();
}

} // namespace
