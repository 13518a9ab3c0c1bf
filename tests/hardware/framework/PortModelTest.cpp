// Channels, ports and devices: values, median, raw scaling, the flattened
// channel groups and their routing, the stream records, the settings
// snapshot, the connection entry, the waits and the driver helpers.
#include "hardware/framework/IO_Interface.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();

// A device as drivers build one: ports in the order that fixes the channels.
class TTwoPortDevice : public TIOInterface {
public:
    TTwoPortDevice()
    {
        PortName = "Zweiport";
        Ports.push_back(std::make_unique<TDOutPort>());
        Ports.push_back(std::make_unique<TDInPort>());
        BuildPinList();
    }
};

class TCountingPort : public TIOPort {
public:
    int Transfers = 0;
    void MachEsJetzt() override { ++Transfers; }
};

std::vector<Byte> Record(TIOPort& port)
{
    TMemoryStream stream;
    {
        TWriter writer(stream, FilerBufferSize);
        port.writeToStream(stream, writer);
    }
    return stream.Bytes();
}

void ReadRecord(TIOPort& port, const std::vector<Byte>& bytes)
{
    TMemoryStream stream(bytes);
    TReader reader(stream, FilerBufferSize);
    port.readFromStream(stream, reader);
}

class PortModel : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
};

} // namespace

// ---- Channel values

TEST_F(PortModel, TheMedianOfTheHistoryFollowsItsDepth)
{
    struct TCase {
        Integer Depth;
        std::vector<Extended> Values;
        Extended Expected;
    };
    const TCase cases[] = {
        {3, {1, 9, 2}, 2},
        {4, {1, 2, 3, 4}, 3},        // even count: the upper middle value
        {2, {7, 1}, 1},              // two values: no filter
        {0, {1, 9, 2}, 2},
        {3, {5, 1, 9, 2, 8}, 8},     // only the last three count
    };
    for (const TCase& c : cases) {
        TPin pin;
        pin.HistoryDepth = c.Depth;
        for (const Extended value : c.Values)
            pin.SetValue(value);
        EXPECT_EQ(pin.GetValue(), c.Expected) << "depth " << c.Depth;
        EXPECT_EQ(pin.History.size(), static_cast<std::size_t>(c.Depth));
        if (c.Depth > 0) {
            EXPECT_EQ(pin.History.front(), c.Values.back()) << "newest first";
        }
    }
}

TEST_F(PortModel, RaisingTheDepthFillsTheHistoryWithTheNextValueAndLoweringDropsTheNewest)
{
    TPin pin;
    pin.SetValue(1);
    pin.HistoryDepth = 3;
    pin.SetValue(4);
    EXPECT_EQ(pin.History, (std::vector<Extended>{4, 4, 4}));
    pin.SetValue(6);
    pin.HistoryDepth = 2;
    pin.SetValue(9);
    // The newest entry is dropped before the oldest moves to the front.
    EXPECT_EQ(pin.History, (std::vector<Extended>{9, 4}));
}

TEST_F(PortModel, AHistoryWithNaNStillGivesAValue)
{
    TPin pin;
    pin.HistoryDepth = 5;
    for (const Extended value : {NaN, 3.0L, NaN, 1.0L, 2.0L})
        pin.SetValue(value);
    EXPECT_EQ(pin.GetValue(), 3);   // NaN sorts last
}

TEST_F(PortModel, ChangedIsSetByADifferentValueAndTakenOnce)
{
    TPin pin;
    pin.SetValue(0);
    EXPECT_FALSE(pin.TakeChanged());
    pin.SetValue(2);
    EXPECT_TRUE(pin.TakeChanged());
    EXPECT_FALSE(pin.TakeChanged());
    pin.SetValue(NaN);
    EXPECT_FALSE(pin.TakeChanged()) << "an unordered value is no difference";
    pin.SetValue(1);
    EXPECT_FALSE(pin.TakeChanged()) << "nor is the way back from NaN";
    pin.SetRawValue(10);
    EXPECT_TRUE(pin.TakeChanged());
}

TEST_F(PortModel, RawValuesClampAndRoundHalfToEven)
{
    struct TCase {
        Extended Value;
        Integer Raw;
    };
    const TCase cases[] = {{2.5L, 128}, {7.0L, 255}, {-1.0L, 0}, {0.0L, 0}, {5.0L, 255}, {NaN, 0}};
    for (const TCase& c : cases) {
        TPin pin;
        pin.Max = 5;
        pin.SetValue(c.Value);
        EXPECT_EQ(pin.GetRawValue(), c.Raw) << static_cast<double>(c.Value);
    }
    TPin offset;
    offset.Min = -10;
    offset.Max = 10;
    offset.RawMin = 1000;
    offset.RawMax = 3000;
    offset.SetRawValue(2000);
    EXPECT_EQ(offset.Value, 0);
    offset.SetRawValue(3000);
    EXPECT_EQ(offset.Value, 10);
}

TEST_F(PortModel, RawWritesBypassTheFilter)
{
    TPin pin;
    pin.Max = 5;
    pin.HistoryDepth = 3;
    for (const Extended value : {1.0L, 2.0L, 3.0L})
        pin.SetValue(value);
    pin.SetRawValue(255);
    EXPECT_EQ(pin.Value, 5);
    EXPECT_EQ(pin.GetValue(), 2) << "the median of the older values";
}

TEST_F(PortModel, GetIntegerRoundsHalfToEvenAndStaysInRange)
{
    TPin pin;
    for (const auto& [value, expected] : std::vector<std::pair<Extended, Integer>>{
             {2.5L, 2}, {3.5L, 4}, {-2.5L, -2}, {1e20L, std::numeric_limits<Integer>::max()}, {NaN, 0}}) {
        pin.SetValue(value);
        EXPECT_EQ(pin.GetInteger(), expected);
    }
}

TEST_F(PortModel, AssignCopiesTheDescriptionButNotTheState)
{
    TPin source;
    source.Description = "Kanal";
    source.ShortName = "K";
    source.Min = -1;
    source.Max = 1;
    source.Configurable = true;
    source.RawMin = 3;
    source.RawMax = 4000;
    source.Factor = 2;
    source.Offset = 0.5L;
    source.Direction = 2;
    source.DriverByte1 = 7;
    source.DriverByte2 = 8;
    source.ChannelMode = 1;
    source.DriverInts[10] = 42;
    source.PortIndex = 3;
    source.PinIndex = 4;
    source.HistoryDepth = 3;
    source.SetValue(1.5L);
    source.Text = "x";
    source.Used = true;

    TPin copy;
    copy.Assign(source);
    EXPECT_EQ(copy.Description, "Kanal");
    EXPECT_EQ(copy.ShortName, "K");
    EXPECT_EQ(copy.Max, 1);
    EXPECT_EQ(copy.RawMax, 4000);
    EXPECT_EQ(copy.Offset, 0.5L);
    EXPECT_EQ(copy.Direction, 2);
    EXPECT_EQ(copy.DriverByte2, 8);
    EXPECT_EQ(copy.ChannelMode, 1);
    EXPECT_EQ(copy.DriverInts[10], 42);
    EXPECT_EQ(copy.PortIndex, 3);
    EXPECT_EQ(copy.PinIndex, 4);
    EXPECT_EQ(copy.Value, 0);
    EXPECT_TRUE(copy.Text.empty());
    EXPECT_TRUE(copy.History.empty());
    EXPECT_EQ(copy.HistoryDepth, 0);
    EXPECT_FALSE(copy.Used);
    EXPECT_EQ(copy.TimeStamp, 0);
}

// ---- Ports

TEST_F(PortModel, StandardPortsNameTheirPortAndChannelsByLanguage)
{
    const char* names[3][4] = {
        {"Digitalausg\xE4nge", "Digitaleing\xE4nge", "Analogausg\xE4nge", "Analogeing\xE4nge"},
        {"Digital outputs", "Digital inputs", "Analogue outputs", "Analogue inputs"},
        {"Sorties digitales", "Entr\xE9"
                              "es digitales",
         "Sorties analogiques", "Entr\xE9"
                                "es analogiques"},
    };
    for (Integer language = 0; language < 3; ++language) {
        LanguageIndex = language;
        TDOutPort out;
        TDInPort in;
        TAOutPort analogOut;
        TAInPort analogIn;
        EXPECT_EQ(out.PortName, names[language][0]);
        EXPECT_EQ(in.PortName, names[language][1]);
        EXPECT_EQ(analogOut.PortName, names[language][2]);
        EXPECT_EQ(analogIn.PortName, names[language][3]);
        ASSERT_EQ(out.getPinCount(), 8);
        EXPECT_EQ(out.Pins[7]->Description, "Bit 7");
        EXPECT_EQ(out.Pins[7]->ShortName, "DO7");
        EXPECT_EQ(in.Pins[0]->ShortName, "DI0");
        EXPECT_EQ(out.Pins[0]->Direction, PinHardwareOutput);
        EXPECT_EQ(in.Pins[0]->Direction, PinHardwareInput);
        EXPECT_FALSE(out.IsInputPort);
        EXPECT_TRUE(in.IsInputPort);
        EXPECT_TRUE(analogIn.IsInputPort);
        EXPECT_EQ(analogIn.getPinCount(), 0);
    }
}

TEST_F(PortModel, APortReadsZeroAndWritesNothingOutsideItsChannels)
{
    TDInPort port;
    port.setPinValue(8, 5);
    port.setPinValue(-1, 5);
    port.setStringValue(99, "x");
    port.setInputUsed(8, true);
    port.setOutputUsed(-3, true);
    EXPECT_EQ(port.getPinValue(8), 0);
    EXPECT_EQ(port.getOutputValue(-1), 0);
    EXPECT_EQ(port.getStringInput(8), "");
    EXPECT_EQ(port.getTimeStamp(8), 0);
}

TEST_F(PortModel, MasksSetAndReadEightToThirtyTwoChannels)
{
    TFakeClock clock(1000);
    TScopedClock installed(clock);
    TIOPort port;
    for (int i = 0; i < 20; ++i)
        port.AddPin("c", "c", 0, 5, false);
    for (const auto& pin : port.Pins)
        pin->TakeChanged();
    port.SetPinsFromMask16(0x8005);
    EXPECT_EQ(port.Pins[0]->Value, 5);
    EXPECT_EQ(port.Pins[1]->Value, 0);
    EXPECT_EQ(port.Pins[15]->Value, 5);
    EXPECT_EQ(port.Pins[16]->Value, 0);
    EXPECT_FALSE(port.Pins[0]->Changed) << "mask writes set no Changed flag";
    EXPECT_EQ(port.GetPinsAsMask16(), 0x8005);
    port.SetPinsFromMask32(0x000F0000u);
    EXPECT_EQ(port.GetPinsAsMask32(), 0x000F0000u);
    EXPECT_EQ(port.GetPinsAsMask16(), 0);

    port.Pins[3]->SetValue(4);
    port.Pins[17]->SetValue(4);
    EXPECT_EQ(port.GetPortChangedMask16(), 1u << 3);
    EXPECT_EQ(port.GetPortChangedMask16(), 0);
}

TEST_F(PortModel, StartCountsUsedChannelsAndClearsUnusedInputs)
{
    TIOPort port;
    port.AddPin("a", "a", 0, 5, false).Used = true;
    port.AddPin("b", "b", 0, 5, false);
    port.AddPin("c", "c", 0, 5, false).Direction = PinHardwareOutput;
    for (const auto& pin : port.Pins)
        pin->SetValue(3);
    port.SimStart();
    EXPECT_EQ(port.UsedCount, 1);
    EXPECT_EQ(port.Pins[0]->Value, 3);
    EXPECT_EQ(port.Pins[1]->Value, 0);
    EXPECT_EQ(port.Pins[2]->Value, 3) << "a hardware output keeps its value";
    port.Pins[1]->Used = true;
    EXPECT_EQ(port.CountUsedPins(), 1) << "the count of the start holds while running";
}

TEST_F(PortModel, ResourcesNameTheAddressFromTheFirstPortAbove254)
{
    TIOPort port;
    port.PortName = "LPT";
    port.Address = 254;
    port.getResources();
    EXPECT_EQ(port.Resources, std::vector<AnsiString>{"LPT: keine"});
    port.Address = 0x378;
    port.applyKonfigData();
    EXPECT_EQ(port.Resources, std::vector<AnsiString>{"LPT: 0378"});

    TTwoPortDevice device;
    device.Address = 0x300;
    device.updatePorts();
    device.getResources();
    EXPECT_EQ(device.Resources.size(), 2u);
    EXPECT_EQ(device.Ports[1]->Address, 0x300);
}

// ---- Timing

TEST_F(PortModel, IntervalElapsedMeasuresFromTheMark)
{
    TFakeClock clock(5'000'000'000);
    TScopedClock installed(clock);
    TIOPort port;
    port.SimStart();
    EXPECT_FALSE(port.IntervalElapsed(0)) << "no time passed";
    clock.Advance(1);
    EXPECT_TRUE(port.IntervalElapsed(0));
    clock.AdvanceMs(10);
    EXPECT_FALSE(port.IntervalElapsed(10)) << "exactly 10 ms is not more";
    clock.Advance(1);
    EXPECT_TRUE(port.IntervalElapsed(10));
    EXPECT_FALSE(port.IntervalElapsed(10));
    port.IntervalMark = clock.Nanoseconds() + 1'000'000'000;   // a mark in the future
    clock.AdvanceMs(3);
    EXPECT_FALSE(port.IntervalElapsed(2));
    EXPECT_EQ(port.IntervalMark, clock.Nanoseconds());
}

TEST_F(PortModel, APositiveWaitKeepsTheCircuitSteppingAndBlocksTheDevicesTransfer)
{
    TFakeClock clock;
    TScopedClock installed(clock);
    SimSpeedFast = true;
    TIOInterface device;
    device.Ports.push_back(std::make_unique<TCountingPort>());
    auto& port = static_cast<TCountingPort&>(*device.Ports[0]);
    port.Running = true;
    int steps = 0;
    port.OnIdle = [&] {
        ++steps;
        EXPECT_TRUE(port.Waiting);
        EXPECT_TRUE(device.IsWaiting());
        device.MachEsJetzt();   // the board's step reaches the device again
        clock.AdvanceMs(1);
    };
    port.WaitMs(5);
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(port.Transfers, 0) << "no transfer inside the waiting one";
    EXPECT_FALSE(port.Waiting);
    device.MachEsJetzt();
    EXPECT_EQ(port.Transfers, 1);
}

TEST_F(PortModel, AWaitEndsWhenTheRunStopsOrAtOnceWhenNotRunning)
{
    TFakeClock clock;
    TScopedClock installed(clock);
    SimSpeedFast = true;
    TIOPort port;
    int steps = 0;
    port.OnIdle = [&] { ++steps; };
    port.WaitMs(5);
    EXPECT_EQ(steps, 0);

    port.Running = true;
    port.OnIdle = [&] {
        if (++steps == 2)
            port.SimStop();
    };
    port.WaitMs(1000);
    EXPECT_EQ(steps, 2);
}

TEST_F(PortModel, ANegativeWaitBusyWaitsWithoutStepping)
{
    TIOPort port;
    port.Running = true;
    int steps = 0;
    port.OnIdle = [&] { ++steps; };
    const Int64 start = QueryPerformanceCounter();
    port.WaitMs(-2);
    EXPECT_GE(QueryPerformanceCounter() - start, 2'000'000);
    EXPECT_EQ(steps, 0);
}

TEST_F(PortModel, AWaitLeftByAnExceptionIsNoLongerWaiting)
{
    TFakeClock clock;
    TScopedClock installed(clock);
    TIOPort port;
    port.Running = true;
    port.OnIdle = [] { throw std::runtime_error("step failed"); };
    EXPECT_THROW(port.WaitMs(5), std::runtime_error);
    EXPECT_FALSE(port.Waiting);
}

// ---- Devices: the two channel groups

TEST_F(PortModel, FirstGroupIsTheHardwareOutputsAndSecondTheInputs)
{
    TTwoPortDevice device;
    EXPECT_EQ(device.InputCount, 8);
    EXPECT_EQ(device.GetOutputCount(), 8);
    EXPECT_EQ(device.getPinCount(), 16);
    EXPECT_EQ(device.getInputShortName(0), "DO0");
    EXPECT_EQ(device.getOutputShortName(7), "DI7");
    EXPECT_EQ(device.getOutputLongName(7), "Bit 7");
    EXPECT_EQ(device.getInputShortName(8), "!!!");
    EXPECT_EQ(device.getOutputShortName(8), "!!!");
    EXPECT_EQ(device.getOutputShortName(-1), "!!!");
    EXPECT_EQ(device.getInputLongName(-1), "Pin nicht vorhanden!");
    EXPECT_EQ(device.getOutputLongName(8), "Pin nicht vorhanden!");

    device.setPinValue(2, 5);
    EXPECT_EQ(device.Ports[0]->Pins[2]->Value, 5);
    device.Ports[1]->Pins[3]->SetValue(4);
    EXPECT_EQ(device.getOutputValue(3), 4);
    device.setOutputUsed(3, true);
    EXPECT_TRUE(device.Ports[1]->Pins[3]->Used);
    device.setInputUsed(1, true);
    EXPECT_TRUE(device.Ports[0]->Pins[1]->Used);
    device.setStringValue(0, "abc");
    EXPECT_EQ(device.Ports[0]->Pins[0]->Text, "abc");
    device.Ports[1]->Pins[0]->Text = "in";
    EXPECT_EQ(device.getStringInput(0), "in");
}

TEST_F(PortModel, ChannelsOfAnyOtherDirectionAreInNeitherGroup)
{
    TIOInterface device;
    device.Ports.push_back(std::make_unique<TDInPort>());
    device.Ports[0]->Pins[4]->Direction = 2;
    device.BuildPinList();
    EXPECT_EQ(device.InputCount, 0) << "only input ports: only component outputs";
    EXPECT_EQ(device.GetOutputCount(), 7);
    EXPECT_EQ(device.getOutputShortName(4), "DI5");
}

TEST_F(PortModel, RoutedIndexesOutsideTheListGiveNothing)
{
    TTwoPortDevice device;
    // A channel removed during a run: the component still has its pin.
    device.Ports[1]->clearPins();
    EXPECT_EQ(device.getOutputValue(7), 0);
    EXPECT_EQ(device.getStringInput(7), "");
    EXPECT_EQ(device.getTimeStamp(7), 0);
    device.setOutputUsed(7, true);
    device.setPinValue(40, 1);
    device.setPinValue(-1, 1);
    device.setInputUsed(99, true);
    device.setStringValue(99, "x");
    EXPECT_EQ(device.getPinValue(99), 0);
    EXPECT_EQ(device.getOutputValue(99), 0);
}

// ---- Records

TEST_F(PortModel, APortRecordRoundTripsItsChannels)
{
    TIOPort port;
    port.PortName = "Ana^log";
    port.Address = 0x2F8;
    TPin& pin = port.AddPin("Ka^nal", "K0", -10, 10, true);
    pin.RawMin = 100;
    pin.RawMax = 4000;
    pin.Factor = 3;
    pin.Offset = -1;
    pin.DriverByte1 = 9;
    pin.ChannelMode = 1;
    pin.DriverInts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    pin.SetValue(2.25L);
    port.SetInputPort(true);
    const std::vector<Byte> record = Record(port);
    EXPECT_EQ(port.PortName, "Ana log") << "the version mark stays the only one";
    EXPECT_EQ(port.Pins[0]->Description, "Ka nal");

    TIOPort read;
    ReadRecord(read, record);
    EXPECT_EQ(read.LoadedVersion, 1);
    EXPECT_EQ(read.PortName, "") << "a port keeps the name of its constructor";
    EXPECT_EQ(read.Address, 0x2F8);
    EXPECT_TRUE(read.IsInputPort);
    ASSERT_EQ(read.getPinCount(), 1);
    const TPin& back = *read.Pins[0];
    EXPECT_EQ(back.Description, "Ka nal");
    EXPECT_EQ(back.ShortName, "K0");
    EXPECT_EQ(back.Min, -10);
    EXPECT_TRUE(back.Configurable);
    EXPECT_EQ(back.Value, 2.25L);
    EXPECT_EQ(back.RawMin, 100);
    EXPECT_EQ(back.RawMax, 4000);
    EXPECT_EQ(back.Factor, 3);
    EXPECT_EQ(back.Offset, -1);
    EXPECT_EQ(back.Direction, PinHardwareInput);
    EXPECT_EQ(back.DriverByte1, 9);
    EXPECT_EQ(back.ChannelMode, 1);
    EXPECT_EQ(back.DriverInts[10], 11);
    read.PortName = "Ana log";
    EXPECT_EQ(Record(read), record);
}

TEST_F(PortModel, AFilteredChannelStoresItsMedian)
{
    TIOPort port;
    TPin& pin = port.AddPin("a", "a", 0, 5, false);
    pin.HistoryDepth = 3;
    for (const Extended value : {1.0L, 9.0L, 2.0L})
        pin.SetValue(value);
    TIOPort read;
    ReadRecord(read, Record(port));
    EXPECT_EQ(read.Pins[0]->Value, 2);
}

TEST_F(PortModel, ARecordWithoutVersionMarksTakesDirectionsFromThePortKind)
{
    // Written by hand as an old version wrote it: no "^", channel records
    // without the scaling and driver fields.
    TMemoryStream stream;
    {
        TWriter writer(stream, FilerBufferSize);
        writer.WriteString("Alt");
        writer.WriteInteger(0x378);
        writer.WriteBoolean(false);
        writer.WriteInteger(2);
        for (int i = 0; i < 2; ++i) {
            writer.WriteString("Bit " + std::to_string(i));
            writer.WriteString("D" + std::to_string(i));
            writer.WriteInteger(0);
            writer.WriteInteger(i);
            writer.WriteFloat(0);
            writer.WriteFloat(5);
            writer.WriteBoolean(false);
            writer.WriteFloat(5);
            writer.WriteInteger(0);
            writer.WriteInteger(1);
        }
    }
    TIOPort port;
    ReadRecord(port, stream.Bytes());
    EXPECT_EQ(port.LoadedVersion, 0);
    ASSERT_EQ(port.getPinCount(), 2);
    EXPECT_EQ(port.Pins[1]->ShortName, "D1");
    EXPECT_EQ(port.Pins[1]->Direction, PinHardwareOutput);
    EXPECT_EQ(port.Pins[1]->RawMax, 1);
    EXPECT_EQ(port.Pins[1]->Factor, 1);
    EXPECT_EQ(port.Pins[1]->GetRawValue(), 1);
}

TEST_F(PortModel, ALibraryFileKeepsTheNamesOfTheCurrentLanguage)
{
    LanguageIndex = 0;
    TDInPort german;
    const std::vector<Byte> record = Record(german);
    LanguageIndex = 1;
    struct TCase {
        bool Library;
        Integer Channels;      // of the port read into
        const char* Description;
    };
    const TCase cases[] = {{true, 8, "Bit 0 (en)"}, {false, 8, "Bit 0"}, {true, 3, "Bit 0"}};
    for (const TCase& c : cases) {
        LibraryLoading = c.Library;
        TIOPort port;
        for (Integer i = 0; i < c.Channels; ++i)
            port.AddPin("Bit 0 (en)", "DE", 0, 5, false);
        ReadRecord(port, record);
        ASSERT_EQ(port.getPinCount(), 8);
        EXPECT_EQ(port.Pins[0]->Description, c.Description) << c.Library << " " << c.Channels;
        EXPECT_EQ(port.Pins[5]->PinIndex, 5);
    }
}

TEST_F(PortModel, DamagedCountsAreRefusedBeforeAnythingIsMade)
{
    for (const Integer count : {-1, 1 << 30, std::numeric_limits<Integer>::max()}) {
        TMemoryStream stream;
        {
            TWriter writer(stream, FilerBufferSize);
            writer.WriteString("P^1");
            writer.WriteInteger(0);
            writer.WriteBoolean(false);
            writer.WriteInteger(count);
        }
        TDOutPort port;
        EXPECT_THROW(ReadRecord(port, stream.Bytes()), EReadError) << count;
    }
    TDOutPort port;
    std::vector<Byte> record = Record(port);
    record.resize(record.size() / 2);
    EXPECT_THROW(ReadRecord(port, record), EReadError);
}

TEST_F(PortModel, ADeviceRecordHoldsItsOwnListAndEveryPort)
{
    TTwoPortDevice device;
    device.Address = 0x240;
    device.Ports[0]->Pins[1]->Description = "Motor";
    device.Ports[1]->Pins[2]->SetValue(5);
    device.BuildPinList();
    const std::vector<Byte> record = Record(device);

    TTwoPortDevice read;
    ReadRecord(read, record);
    EXPECT_EQ(read.Address, 0x240);
    EXPECT_EQ(read.getInputLongName(1), "Motor");
    EXPECT_EQ(read.getOutputValue(2), 5);
    EXPECT_EQ(read.InputCount, 8);
    EXPECT_EQ(Record(read), record);
}

TEST_F(PortModel, UserNamedDevicesKeepTheStoredName)
{
    class TDMMInterface : public TIOInterface {
    public:
        const TClassInfo& ClassType() const override
        {
            static const TClassInfo info{"TDMMInterface", &TIOInterface::StaticClass(), nullptr};
            return info;
        }
    };
    TDMMInterface meter;
    meter.PortName = "Bench meter";
    const std::vector<Byte> record = Record(meter);
    TDMMInterface read;
    read.PortName = "DMM";
    ReadRecord(read, record);
    EXPECT_EQ(read.PortName, "Bench meter");
    TIOInterface plain;
    plain.PortName = "Karte";
    ReadRecord(plain, record);
    EXPECT_EQ(plain.PortName, "Karte");
}

// ---- Settings snapshot and connection entry

TEST_F(PortModel, RestoringTheSnapshotUndoesEveryChange)
{
    TTwoPortDevice device;
    device.Address = 0x378;
    device.getKonfigData();
    EXPECT_TRUE(KonfigSnapshotExists());
    EXPECT_EQ(device.AddressText, "0378");
    EXPECT_EQ(device.KonfigAddress, 0x378);
    const std::vector<Byte> before = [&] {
        TTwoPortDevice copy;
        copy.Address = 0x378;
        return Record(copy);
    }();

    device.Address = 0x100;
    device.Ports[0]->Pins[0]->Description = "umbenannt";
    device.Ports[0]->Pins[1]->Max = 10;
    device.Ports[1]->AddPin("neu", "N", 0, 1, true);
    device.Ports[0]->Pins[2]->Direction = PinHardwareInput;
    device.BuildPinList();
    device.restoreKonfigData();
    EXPECT_FALSE(KonfigSnapshotExists());
    EXPECT_EQ(Record(device), before);
    EXPECT_EQ(device.InputCount, 8);
    EXPECT_EQ(device.GetOutputCount(), 8);

    device.getKonfigData();
    device.Address = 0x100;
    device.applyKonfigData();
    EXPECT_FALSE(KonfigSnapshotExists());
    device.restoreKonfigData();
    EXPECT_EQ(device.Address, 0x100) << "no snapshot: nothing to restore";
}

TEST_F(PortModel, TheConnectionEntryIsNameAndHexAddress)
{
    QTemporaryDir folder;
    TIniFile ini(QStringToAnsi(folder.filePath("TEMP.INI")));
    TTwoPortDevice device;
    device.Address = 888;
    device.writeConnection(ini, "1.HW1");
    EXPECT_EQ(ini.ReadString("1.HW1", "Name", ""), "Zweiport");
    EXPECT_EQ(ini.ReadString("1.HW1", "Basisadresse", ""), "0378");

    ini.WriteString("1.HW1", "Basisadresse", "2f8");
    device.readConnection(ini, "1.HW1");
    EXPECT_EQ(device.Address, 0x2F8);
    EXPECT_EQ(device.Ports[1]->Address, 0x2F8);
    device.readConnection(ini, "missing");
    EXPECT_EQ(device.Address, 0);
}

TEST_F(PortModel, ADeviceRowGivesNamesHelpAndPlace)
{
    static const TDeviceRow row{
        .Class = DeviceRowClass<TIOInterface>("TRowKarte"),
        .PortName = {"Karte", "Card"},
        .Praefix = "RK",
        .BiboName = {"Reihe\rKarte", "Row\rcard", "Carte"},
        .Beschriftung = {"RK"},
        .HelpContext = 36000,
        .ListAtEnd = 1,
    };
    const char* biboNames[] = {"Reihe\rKarte", "Row\rcard", "Carte"};
    for (Integer language = 0; language < 3; ++language) {
        LanguageIndex = language;
        std::unique_ptr<TPersistent> object(row.Class.Create(row.Class));
        auto* device = dynamic_cast<TIOInterface*>(object.get());
        ASSERT_NE(device, nullptr);
        EXPECT_STREQ(device->ClassName(), "TRowKarte");
        EXPECT_EQ(device->PortName, language == 1 ? "Card" : "Karte");
        EXPECT_EQ(device->BiboName(), biboNames[language]);
        EXPECT_EQ(device->Beschriftung(), "RK");
        EXPECT_EQ(device->Praefix(), "RK");
        EXPECT_EQ(device->HelpContext, 36000);
        EXPECT_TRUE(device->IsListedAtEnd());
    }
    TIOInterface plain;
    EXPECT_EQ(plain.Praefix(), "HW");
    EXPECT_EQ(plain.BiboName(), "Hardware");
    EXPECT_EQ(plain.Beschriftung(), "Interface");
    EXPECT_EQ(plain.HelpContext, 35500);
    EXPECT_EQ(plain.InputCount, 8);
}

// ---- Helpers

TEST_F(PortModel, HexToWordReadsTheLastFourDigits)
{
    const std::pair<const char*, Word> cases[] = {
        {"378", 0x0378}, {"12345", 0x2345}, {"G1", 1}, {"", 0}, {"ffff", 0xFFFF}, {"0x1F", 0x001F}, {"-1", 1}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(HexToWord(text), value) << text;
}

TEST_F(PortModel, RoundToSignificantKeepsNDigits)
{
    const Extended inf = std::numeric_limits<Extended>::infinity();
    struct TCase {
        Integer Digits;
        Extended X;
        Extended Expected;
    };
    const TCase cases[] = {
        {3, 123456.0L, 123000.0L}, {2, 0.012345L, 0.012L}, {1, -25.0L, -20.0L},   // half to even
        {0, 1.23456L, 1.23456L},   {12, 1.5L, 1.5L},        {3, 0.0L, 0.0L},
    };
    for (const TCase& c : cases)
        EXPECT_NEAR(static_cast<double>(RoundToSignificant(c.Digits, c.X)), static_cast<double>(c.Expected),
                    std::fabs(static_cast<double>(c.Expected)) * 1e-12)
            << c.Digits << " " << static_cast<double>(c.X);
    EXPECT_EQ(RoundToSignificant(3, inf), inf);
    EXPECT_TRUE(std::isnan(RoundToSignificant(3, NaN)));
}

TEST_F(PortModel, ClampValueAndTheModbusCrc)
{
    EXPECT_EQ(ClampValue(7, 0, 5), 5);
    EXPECT_EQ(ClampValue(-7, 0, 5), 0);
    EXPECT_EQ(ClampValue(3, 0, 5), 3);
    Word crc = 0xFFFF;
    for (const char c : std::string("123456789"))
        crc = Crc16ModbusStep(static_cast<Byte>(c), crc);
    EXPECT_EQ(crc, 0x4B37);
    // A Modbus request: 01 03 00 00 00 0A -> C5 CD (low byte first).
    crc = 0xFFFF;
    for (const Byte b : {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A})
        crc = Crc16ModbusStep(b, crc);
    EXPECT_EQ(crc, 0xCDC5);
}

TEST_F(PortModel, TheDriverMissingWarningFollowsTheLanguage)
{
    const char* starts[] = {"F\xFCr dieses Ger\xE4t", "This device needs", "Installez le logiciel"};
    for (Integer language = 0; language < 3; ++language) {
        LanguageIndex = language;
        TModalHook hook({TModalAnswer::Button(IDOK)});
        ShowDriverMissing("Relaiskarte");
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Caption, "Relaiskarte");
        EXPECT_EQ(hook.Requests()[0].Text.rfind(starts[language], 0), 0u);
        EXPECT_EQ(hook.Requests()[0].Flags, MB_OK | MB_ICONWARNING);
    }
}
