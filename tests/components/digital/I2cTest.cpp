// The I2C master: programs expanded into their micro-steps, the bus run
// against a slave on the same board that pulls the data line through the
// wired OR, the acknowledge timeout on the fake clock, received bytes, the
// program-wide flag that keeps a second master out (and is released when an
// expansion queues nothing), and the record with its damaged forms.
#include "DigitalRig.h"
#include "I2cSlave.h"

#include "components/digital/BT_I2C.h"

#include "support/StreamBytes.h"

#include "platform/Clock.h"
#include "platform/Stream.h"

#include <limits>

namespace {

using TSteps = std::vector<Byte>;

// The micro-steps of each program step, written from the step tables.
TSteps operator+(TSteps a, const TSteps& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const TSteps StartSteps{3, 1, 2, 0};
const TSteps StopSteps{2, 1, 3};
const TSteps WaitSteps{3, 1, 12, 0};
const TSteps AckSteps{2, 1, 0};
const TSteps NackSteps{3, 1, 0};
TSteps ByteSteps(int v)
{
    TSteps steps;
    for (int bit = 7; bit >= 0; --bit)
        steps = steps + TSteps{Byte(v >> bit & 1 ? 3 : 2), 1, 0};
    return steps;
}
TSteps ReceiveSteps()
{
    TSteps steps{3};
    for (int bit = 7; bit >= 0; --bit)
        steps = steps + TSteps{1, Byte(4 + bit), 0};
    return steps;
}

// One master with sources on "ADR", "$WR", "CLK" and "|NOW", placed before it
// so it reads their values of the same step. The bus is either open (the
// data line reads high), a source on "SDA", or a test slave whose "/SDA"
// shares the master's net: the lines are the inverted wired OR of the pulls,
// read on inverted inputs.
enum class TBus { Open, Source, Slave };

class TI2cBench {
public:
    explicit TI2cBench(TFakeClock& clock, TBus bus = TBus::Open, TTestBoard* shared = nullptr, Integer y = 1000)
        : Clock(clock), t(shared ? *shared : own_)
    {
        Adr = t.Place<TBTTestSource>(300, y + 100);
        Wr = t.Place<TBTTestTextSource>(300, y + 200);
        Clk = t.Place<TBTTestSource>(300, y + 300);
        Now = t.Place<TBTTestSource>(300, y + 400);
        if (bus == TBus::Source)
            Sda = t.Place<TBTTestSource>(300, y);
        Master = static_cast<TBT_I2C_Master*>(t.Place("TBT_I2C_Master", 1000, y));
        Wire(Adr, TBT_I2C_Master::AddressInput);
        Wire(Wr, TBT_I2C_Master::WriteInput);
        Wire(Clk, TBT_I2C_Master::ClockInput);
        Wire(Now, TBT_I2C_Master::StartInput);
        if (Sda)
            Wire(Sda, TBT_I2C_Master::SdaInput);
        if (bus == TBus::Slave)
            WireSlave(y);
        Adr->Values = {80.0L};
    }

    // A straight wire from the source's output to the master's input.
    void Wire(TIOBauteil* source, Integer input)
    {
        const TBauteilPin& out = source->Outputs[0];
        const TBauteilPin& in = Master->Inputs[input];
        t.Board().AddWireAndNormalise({out.X, out.Y}, {in.X, in.Y});
    }
    void Path(std::initializer_list<TPoint> points)
    {
        for (auto p = points.begin(); p + 1 != points.end(); ++p)
            t.Board().AddWireAndNormalise(*p, *(p + 1));
    }
    // The data net runs above the master, the clock net below it; wires
    // join only where their ends meet.
    void WireSlave(Integer y)
    {
        Slave = t.Place<TBTTestI2cSlave>(1800, y);
        const TBauteilPin& sdaOut = Master->Outputs[TBT_I2C_Master::SdaOutput];
        const TBauteilPin& sclOut = Master->Outputs[TBT_I2C_Master::SclOutput];
        const TBauteilPin& sdaIn = Master->Inputs[TBT_I2C_Master::SdaInput];
        const TBauteilPin& slaveOut = Slave->Outputs[TBTTestI2cSlave::SdaOutput];
        const TBauteilPin& slaveScl = Slave->Inputs[TBTTestI2cSlave::SclInput];
        const TBauteilPin& slaveSda = Slave->Inputs[TBTTestI2cSlave::SdaInput];
        const Integer top = y - 200;
        const Integer bottom = y + 700;
        const Integer lane = sdaOut.X + 100;
        Path({{sdaOut.X, sdaOut.Y}, {lane, sdaOut.Y}, {lane, top}, {sdaIn.X - 40, top}, {sdaIn.X - 40, sdaIn.Y},
              {sdaIn.X, sdaIn.Y}});
        Path({{slaveOut.X, slaveOut.Y}, {slaveOut.X + 60, slaveOut.Y}, {slaveOut.X + 60, top}, {lane, top}});
        Path({{slaveSda.X, slaveSda.Y}, {slaveSda.X - 40, slaveSda.Y}, {slaveSda.X - 40, top}});
        Path({{sclOut.X, sclOut.Y}, {sclOut.X + 60, sclOut.Y}, {sclOut.X + 60, bottom}, {slaveScl.X - 80, bottom},
              {slaveScl.X - 80, slaveScl.Y}, {slaveScl.X, slaveScl.Y}});
        Master->Inputs[TBT_I2C_Master::SdaInput].Inverted = true;
        Slave->Inputs[TBTTestI2cSlave::SclInput].Inverted = true;
        Slave->Inputs[TBTTestI2cSlave::SdaInput].Inverted = true;
        PinLinksChanged();
    }

    void Start() { t.Board().PrepareSimulation(); }
    // Prepared, and the two micro-steps of the start (release SCL, then SDA) done.
    void StartAndSettle()
    {
        Start();
        Step();
        Step();
    }
    void Step()
    {
        Clock.AdvanceMs(StepMs);
        t.Board().Step();
        if (ToggleClock)
            Clk->Values = {Clk->Values[0] > 0 ? LowLevel : HighLevel};
    }
    // "|NOW" high for one step, then low: the falling edge lands in the second.
    void Trigger()
    {
        Now->Values = {HighLevel};
        Step();
        Now->Values = {LowLevel};
        Step();
    }
    bool Busy() const { return Master->Outputs[TBT_I2C_Master::BusyOutput].Level != 0; }
    bool Error() const { return Master->Outputs[TBT_I2C_Master::ErrorOutput].Level != 0; }
    AnsiString Read() const { return Master->Outputs[TBT_I2C_Master::ReadOutput].GetText(); }
    // Steps until "BSY" falls; the number of steps taken, or -1 after `limit`.
    Integer RunToEnd(Integer limit = 5000)
    {
        for (Integer n = 1; n <= limit; ++n) {
            Step();
            if (!Busy())
                return n;
        }
        return -1;
    }

    TFakeClock& Clock;
    Integer StepMs = 1;
    bool ToggleClock = false;
    TTestBoard own_;
    TTestBoard& t;
    TBTTestSource* Adr = nullptr;
    TBTTestTextSource* Wr = nullptr;
    TBTTestSource* Clk = nullptr;
    TBTTestSource* Now = nullptr;
    TBTTestSource* Sda = nullptr;
    TBT_I2C_Master* Master = nullptr;
    TBTTestI2cSlave* Slave = nullptr;
};

const std::vector<Integer> ExampleProgram{I2cStart,        I2cSendWriteAddress, I2cWaitAcknowledge,
                                          I2cSendDataByte, I2cWaitAcknowledge,  I2cStop};

class I2cTest : public DigitalTest {
protected:
    void SetUp() override
    {
        DigitalTest::SetUp();
        RegisterRows(I2cRows());
    }

    TFakeClock Clock{0};
    TScopedClock Scoped{Clock};
};

TEST_F(I2cTest, PinsNamesAndClass)
{
    TTestBoard t;
    auto* master = static_cast<TBT_I2C_Master*>(t.Place("TBT_I2C_Master", 100, 100));
    EXPECT_EQ(PinNames(master->Inputs), (std::vector<std::string>{"SDA", "SCL", "ADR", "$WR", "CLK", "|NOW"}));
    EXPECT_EQ(PinNames(master->Outputs), (std::vector<std::string>{"ERR", "BSY", "$RD", "/SCL", "/SDA"}));
    EXPECT_EQ(master->GetTypeName(), "I\xB2"
                                     "C Master");
    EXPECT_EQ(master->Caption, master->GetTypeName());
    EXPECT_EQ(master->Designator, "I2CM");
    EXPECT_EQ(master->HelpContext, 18757);
    EXPECT_TRUE(master->HasPropertyDialog);
    EXPECT_TRUE(master->InternalClock);
    EXPECT_EQ(master->LoopCount, 1);
    EXPECT_TRUE(master->Program.empty());
}

// The queue after one falling edge of "|NOW", with the clock held so that
// nothing of it is carried out yet (the two start micro-steps lead).
TEST_F(I2cTest, ProgramsExpandIntoTheirMicroSteps)
{
    const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    struct TCase {
        const char* What;
        std::vector<Integer> Program;
        Extended Address;
        const char* Write;
        Integer Loops;
        TSteps Expected;
    };
    const TCase cases[] = {
        {"the example: address A0, data 41",
         ExampleProgram,
         80,
         "A",
         1,
         StartSteps + ByteSteps(0xA0) + WaitSteps + ByteSteps(0x41) + WaitSteps + StopSteps},
        {"read address A1", {I2cSendReadAddress}, 80, "", 1, ByteSteps(0xA1)},
        {"address clamped below", {I2cSendWriteAddress}, -3, "", 1, ByteSteps(0)},
        {"address clamped above", {I2cSendReadAddress}, 300, "", 1, ByteSteps(0xFF)},
        {"address not a number", {I2cSendWriteAddress}, nan, "", 1, ByteSteps(0)},
        {"address rounded half to even", {I2cSendWriteAddress, I2cSendWriteAddress}, 80.5L, "", 1,
         ByteSteps(0xA0) + ByteSteps(0xA0)},
        {"address rounded up", {I2cSendWriteAddress}, 81.5L, "", 1, ByteSteps(0xA4)},
        {"loop of 3 over XYZ",
         {I2cLoopStart, I2cSendDataByte, I2cLoopEnd},
         80,
         "XYZ",
         3,
         ByteSteps('X') + ByteSteps('Y') + ByteSteps('Z')},
        {"loop of 3 over X repeats the last character",
         {I2cLoopStart, I2cSendDataByte, I2cLoopEnd},
         80,
         "X",
         3,
         ByteSteps('X') + ByteSteps('X') + ByteSteps('X')},
        {"steps around the loop run once",
         {I2cStart, I2cLoopStart, I2cSendDataByte, I2cLoopEnd, I2cStop},
         80,
         "AB",
         2,
         StartSteps + ByteSteps('A') + ByteSteps('B') + StopSteps},
        {"loop end before loop start runs on",
         {I2cLoopEnd, I2cSendDataByte, I2cLoopStart},
         80,
         "Q",
         5,
         ByteSteps('Q')},
        {"START restarts the text",
         {I2cSendDataByte, I2cSendDataByte, I2cStart, I2cSendDataByte},
         80,
         "AB",
         1,
         ByteSteps('A') + ByteSteps('B') + StartSteps + ByteSteps('A')},
        {"a byte above 127 is sent as it is", {I2cSendDataByte}, 80, "\xE9", 1, ByteSteps(0xE9)},
        {"empty text sends no data", {I2cStart, I2cSendDataByte, I2cStop}, 80, "", 1, StartSteps + StopSteps},
        {"receive, acknowledges",
         {I2cReceiveDataByte, I2cAcknowledge, I2cNoAcknowledge},
         80,
         "",
         1,
         ReceiveSteps() + AckSteps + NackSteps},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TI2cBench bench(Clock);
        bench.Master->Program = c.Program;
        bench.Master->LoopCount = c.Loops;
        bench.Master->InternalClock = false;
        bench.Adr->Values = {c.Address};
        bench.Wr->Texts = {c.Write};
        bench.Start();
        bench.Trigger();
        EXPECT_TRUE(I2cSequenceActive);
        EXPECT_EQ(bench.Master->PendingSteps(), (TSteps{1, 3} + c.Expected));
        EXPECT_FALSE(bench.Busy());   // no clock event yet
    }
}

TEST_F(I2cTest, TheExampleQueuesSixtyThreeMicroSteps)
{
    TI2cBench bench(Clock);
    bench.Master->Program = ExampleProgram;
    bench.Master->InternalClock = false;
    bench.Wr->Texts = {"A"};
    bench.Start();
    bench.Step();
    bench.Clk->Values = {HighLevel};   // two clock events: the start micro-steps
    bench.Step();
    bench.Clk->Values = {LowLevel};
    bench.Step();
    ASSERT_EQ(bench.Master->QueueSize(), 0u);
    bench.Trigger();
    EXPECT_EQ(bench.Master->QueueSize(), 63u);
}

// A write and a read against the slave on the same board: the address and
// data bytes arrive at the slave, its acknowledges clear "ERR", and the bytes
// it returns come out on "$RD" once the queue is empty.
TEST_F(I2cTest, WritesAndReadsAgainstASlaveOnTheBoard)
{
    struct TCase {
        const char* What;
        std::vector<Integer> Program;
        const char* Write;
        Integer Loops;
        std::vector<Byte> SlaveGets;
        AnsiString Read;
        Integer MasterAcks;
        Integer MasterNacks;
    };
    const TCase cases[] = {
        {"the example", ExampleProgram, "A", 1, {0xA0, 0x41}, "", 0, 0},
        {"a loop of 3 over XYZ",
         {I2cStart, I2cSendWriteAddress, I2cWaitAcknowledge, I2cLoopStart, I2cSendDataByte, I2cWaitAcknowledge,
          I2cLoopEnd, I2cStop},
         "XYZ",
         3,
         {0xA0, 'X', 'Y', 'Z'},
         "",
         0,
         0},
        {"two bytes read",
         {I2cStart, I2cSendReadAddress, I2cWaitAcknowledge, I2cReceiveDataByte, I2cAcknowledge,
          I2cReceiveDataByte, I2cNoAcknowledge, I2cStop},
         "",
         1,
         {0xA1},
         "\x5A\xC3",
         1,
         1},
        {"register write, then read",
         {I2cStart, I2cSendWriteAddress, I2cWaitAcknowledge, I2cSendDataByte, I2cWaitAcknowledge, I2cStart,
          I2cSendReadAddress, I2cWaitAcknowledge, I2cReceiveDataByte, I2cNoAcknowledge, I2cStop},
         "\x07",
         1,
         {0xA0, 0x07, 0xA1},
         "\x5A",
         0,
         1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TI2cBench bench(Clock, TBus::Slave);
        bench.Master->Program = c.Program;
        bench.Master->LoopCount = c.Loops;
        bench.Wr->Texts = {c.Write};
        bench.Slave->ReadBytes = "\x5A\xC3";
        bench.StartAndSettle();
        ASSERT_EQ(bench.Master->Outputs[TBT_I2C_Master::SdaOutput].WiredGroup.size(), 2u);
        ASSERT_EQ(bench.Master->Inputs[TBT_I2C_Master::SdaInput].Source,
                  &bench.Master->Outputs[TBT_I2C_Master::SdaOutput]);
        bench.Trigger();
        EXPECT_TRUE(bench.Busy());
        EXPECT_EQ(bench.Read(), "");   // not before the queue is empty
        EXPECT_GT(bench.RunToEnd(), 0);
        EXPECT_EQ(bench.Slave->Received, c.SlaveGets);
        EXPECT_EQ(bench.Slave->Stops, 1);
        EXPECT_FALSE(bench.Error());
        EXPECT_EQ(bench.Read(), c.Read);
        EXPECT_EQ(bench.Slave->MasterAcks, c.MasterAcks);
        EXPECT_EQ(bench.Slave->MasterNacks, c.MasterNacks);
        EXPECT_FALSE(I2cSequenceActive);
    }
}

// A device that does not answer (another address, or none on the bus):
// each wait holds its step for more than 1000 ms of ticks, then "ERR" goes
// high and the rest runs on; an answering device clears it again.
TEST_F(I2cTest, AcknowledgeTimeoutOnTheTickCount)
{
    TI2cBench bench(Clock, TBus::Slave);
    bench.Slave->Address = 0x51;
    bench.Master->Program = ExampleProgram;
    bench.Wr->Texts = {"A"};
    bench.StepMs = 100;
    bench.StartAndSettle();
    bench.Trigger();
    // START, the address and the wait's release and clock: 4 + 24 + 2 micro-steps.
    for (Integer i = 0; i < 30 - 1; ++i)
        bench.Step();
    ASSERT_EQ(bench.Master->PendingSteps().front(), I2cWaitAck);
    // The wait begins in the next step; 1000 ms later it still holds, 100 ms more and it gives up.
    for (Integer i = 0; i < 11; ++i) {
        bench.Step();
        EXPECT_EQ(bench.Master->PendingSteps().front(), I2cWaitAck) << i;
        EXPECT_FALSE(bench.Error());
    }
    bench.Step();
    EXPECT_TRUE(bench.Error());
    EXPECT_EQ(bench.Master->PendingSteps().front(), I2cSclLow);
    // The data byte, then the second wait waits its own 1000 ms.
    for (Integer i = 0; i < 1 + 24 + 2; ++i)
        bench.Step();
    ASSERT_EQ(bench.Master->PendingSteps().front(), I2cWaitAck);
    for (Integer i = 0; i < 11; ++i)
        bench.Step();
    EXPECT_EQ(bench.Master->PendingSteps().front(), I2cWaitAck);
    bench.Step();
    EXPECT_EQ(bench.Master->PendingSteps().front(), I2cSclLow);
    EXPECT_TRUE(bench.Error());
    EXPECT_GT(bench.RunToEnd(), 0);
    EXPECT_EQ(bench.Slave->Received, (std::vector<Byte>{0xA0}));   // not addressed: the data byte is not taken

    // The right device acknowledges: "ERR" falls.
    bench.Slave->Address = 0x50;
    bench.Trigger();
    EXPECT_GT(bench.RunToEnd(), 0);
    EXPECT_FALSE(bench.Error());
}

// Where the tick count stands when the wait begins does not matter: at 0,
// and across the 32-bit wrap.
TEST_F(I2cTest, AcknowledgeWaitAtAnyTickCount)
{
    for (const Cardinal startTick : {Cardinal(0), Cardinal(0xFFFFFF00u), Cardinal(12345)}) {
        SCOPED_TRACE(startTick);
        TI2cBench bench(Clock);   // "SDA" open: reads high, nobody acknowledges
        bench.Master->Program = {I2cWaitAcknowledge};
        bench.StepMs = 0;
        bench.StartAndSettle();
        bench.Trigger();   // micro-step 3
        bench.Step();      // 1
        bench.Clock.SetTickCount(startTick);
        bench.Step();      // the wait begins
        ASSERT_EQ(bench.Master->PendingSteps().front(), I2cWaitAck);
        bench.Clock.SetTickCount(startTick + 1000);
        bench.Step();
        EXPECT_EQ(bench.Master->PendingSteps().front(), I2cWaitAck);
        bench.Clock.SetTickCount(startTick + 1001);
        bench.Step();
        EXPECT_TRUE(bench.Error());
        EXPECT_EQ(bench.Master->PendingSteps(), TSteps{0});
    }
}

// Sampling a line held high gives 255, held low 0; "$RD" changes only when
// the queue has run empty.
TEST_F(I2cTest, ReceivedBytesFromAHeldLine)
{
    for (const auto& [level, expected] : {std::pair{HighLevel, AnsiString("\xFF\xFF")}, std::pair{LowLevel, AnsiString(2, '\0')}}) {
        TI2cBench bench(Clock, TBus::Source);
        bench.Sda->Values = {level};
        bench.Master->Program = {I2cReceiveDataByte, I2cReceiveDataByte};
        bench.StartAndSettle();
        bench.Trigger();
        for (Integer i = 0; i < 40; ++i)
            bench.Step();
        EXPECT_EQ(bench.Master->ReceivedText.size(), 1u);
        EXPECT_EQ(bench.Read(), "");
        EXPECT_GT(bench.RunToEnd(), 0);
        EXPECT_EQ(bench.Read(), expected);
    }
}

// With the external clock both edges of "CLK" count, and nothing moves while it stands.
TEST_F(I2cTest, ExternalClockCountsBothEdges)
{
    TI2cBench bench(Clock, TBus::Slave);
    bench.Master->Program = ExampleProgram;
    bench.Master->InternalClock = false;
    bench.Wr->Texts = {"A"};
    bench.Start();
    for (Integer i = 0; i < 5; ++i)
        bench.Step();
    EXPECT_EQ(bench.Master->QueueSize(), 2u);   // the start micro-steps wait for the clock
    bench.ToggleClock = true;
    bench.Step();   // CLK goes high in the next step
    bench.Step();
    bench.Step();
    ASSERT_EQ(bench.Master->QueueSize(), 0u);
    bench.Trigger();
    EXPECT_EQ(bench.Master->QueueSize(), 63u - 1);   // the edge's step is a clock event too
    EXPECT_EQ(bench.RunToEnd(), 63);   // "BSY" falls at the event after the last micro-step
    EXPECT_EQ(bench.Slave->Received, (std::vector<Byte>{0xA0, 0x41}));
}

// With the internal clock a START and a STOP run their 7 micro-steps in the
// step of the edge and the 6 after it; "BSY" falls in the step after those.
TEST_F(I2cTest, InternalClockRunsOneMicroStepPerStep)
{
    TI2cBench bench(Clock);
    bench.Master->Program = {I2cStart, I2cStop};
    bench.StartAndSettle();
    bench.Trigger();
    EXPECT_TRUE(bench.Busy());
    EXPECT_EQ(bench.Master->QueueSize(), 6u);
    for (Integer i = 0; i < 6; ++i) {
        EXPECT_TRUE(I2cSequenceActive);
        bench.Step();
        EXPECT_TRUE(bench.Busy());
    }
    EXPECT_FALSE(I2cSequenceActive);
    bench.Step();
    EXPECT_FALSE(bench.Busy());
}

// Two masters on one board: the second one's edge while the first runs is
// lost; once the first is done, it starts.
TEST_F(I2cTest, SecondMastersEdgeIsLostWhileASequenceRuns)
{
    TTestBoard t;
    TI2cBench first(Clock, TBus::Open, &t, 1000);
    TI2cBench second(Clock, TBus::Open, &t, 3000);
    first.Master->Program = ExampleProgram;
    second.Master->Program = {I2cStart, I2cStop};
    first.Wr->Texts = {"A"};
    first.StepMs = 50;
    second.StepMs = 0;
    first.StartAndSettle();
    first.Trigger();
    ASSERT_TRUE(I2cSequenceActive);
    second.Trigger();
    EXPECT_EQ(second.Master->QueueSize(), 0u);
    for (Integer i = 0; i < 5; ++i) {
        first.Step();
        EXPECT_FALSE(second.Busy());
    }
    EXPECT_GT(first.RunToEnd(), 0);   // with its two acknowledge timeouts
    EXPECT_FALSE(I2cSequenceActive);
    second.Trigger();
    EXPECT_TRUE(second.Busy());
}

// An expansion that queues nothing runs no sequence, so it must not keep
// the other masters out.
TEST_F(I2cTest, AnExpansionThatQueuesNothingReleasesTheOtherMasters)
{
    const std::vector<std::vector<Integer>> programs{
        {}, {I2cLoopStart, I2cLoopEnd}, {I2cSendDataByte, I2cSendDataByte}, {I2cLoopStart, I2cSendDataByte, I2cLoopEnd}};
    for (const std::vector<Integer>& program : programs) {
        SCOPED_TRACE(program.size());
        TTestBoard t;
        TI2cBench idle(Clock, TBus::Open, &t, 1000);
        TI2cBench other(Clock, TBus::Open, &t, 3000);
        idle.Master->Program = program;
        idle.Master->LoopCount = 4;
        idle.Wr->Texts = {""};
        other.Master->Program = {I2cStart, I2cStop};
        idle.StartAndSettle();
        idle.Trigger();
        EXPECT_FALSE(I2cSequenceActive);
        EXPECT_FALSE(idle.Busy());
        other.Trigger();
        EXPECT_TRUE(other.Busy());
        EXPECT_TRUE(I2cSequenceActive);
    }
}

// The bus lines are released at every start, and "ERR" and "BSY" written low.
TEST_F(I2cTest, StartReleasesTheLinesAndClearsTheFlags)
{
    TI2cBench bench(Clock);
    bench.Master->Program = {I2cStart, I2cSendWriteAddress, I2cWaitAcknowledge};
    bench.StepMs = 600;
    bench.StartAndSettle();
    bench.Trigger();
    EXPECT_GT(bench.RunToEnd(), 0);
    EXPECT_TRUE(bench.Error());
    bench.Trigger();
    for (Integer i = 0; i < 3; ++i)
        bench.Step();
    ASSERT_TRUE(bench.Busy());
    ASSERT_TRUE(bench.Master->Outputs[TBT_I2C_Master::SclOutput].Level);
    bench.t.Board().StopSimulation();
    bench.Start();
    EXPECT_FALSE(bench.Error());
    EXPECT_FALSE(bench.Busy());
    EXPECT_FALSE(I2cSequenceActive);
    EXPECT_EQ(bench.Master->PendingSteps(), (TSteps{1, 3}));
    bench.Step();
    bench.Step();
    EXPECT_FALSE(bench.Master->Outputs[TBT_I2C_Master::SclOutput].Level);
    EXPECT_FALSE(bench.Master->Outputs[TBT_I2C_Master::SdaOutput].Level);
}

// A program that loops long is cut at the expansion's budget instead of
// taking the memory of the machine.
TEST_F(I2cTest, ExpansionIsBounded)
{
    TI2cBench bench(Clock);
    bench.Master->InternalClock = false;
    bench.Master->LoopCount = TBT_I2C_Master::MaxLoopCount;
    bench.Master->Program = {I2cLoopStart};
    for (Integer i = 0; i < 100; ++i)
        bench.Master->Program.push_back(I2cSendWriteAddress);
    bench.Master->Program.push_back(I2cLoopEnd);
    bench.Start();
    bench.Trigger();
    EXPECT_LE(bench.Master->QueueSize(), TBT_I2C_Master::ExpansionBudget + 2);
    EXPECT_GT(bench.Master->QueueSize(), TBT_I2C_Master::ExpansionBudget / 2);
}

// ---- Record

// The record of a master with the given pin counts, loop count and program,
// its base record as the file version writes it.
TStreamBytes MasterRecord(Integer inputs, Integer outputs, Integer loops, Integer count, std::vector<Integer> steps,
                          Byte version = 46)
{
    TStreamBytes s;
    s.Int(1).Str("TBT_I2C_Master").Int(0).Int(100).Int(100).Int(inputs).Int(outputs).Bool(false);
    if (version >= 3)
        for (Integer i = 0; i < inputs + outputs; ++i)
            s.Bool(false);
    if (version >= 40)
        s.Bool(false).Str("I2C");
    s.Bool(true).Int(loops).Int(count);
    for (Integer step : steps)
        s.Int(step);
    return s;
}

TEST_F(I2cTest, RecordRoundTripsInItsOrder)
{
    TTestBoard t;
    auto* master = static_cast<TBT_I2C_Master*>(t.Place("TBT_I2C_Master", 100, 100));
    master->InternalClock = false;
    master->LoopCount = 300;
    master->Program = {I2cStart, I2cLoopStart, I2cSendDataByte, I2cLoopEnd, I2cStop};
    const TBytes bytes = t.WriteToMemory();
    TStreamBytes tail;
    tail.Bool(false).Int(300).Int(5).Int(0).Int(9).Int(3).Int(10).Int(5);
    ASSERT_GT(bytes.size(), tail.Bytes.size() + 1);
    EXPECT_TRUE(std::equal(tail.Bytes.begin(), tail.Bytes.end(), bytes.end() - 1 - std::ptrdiff_t(tail.Bytes.size())));

    TTestBoard copy;
    copy.ReadFromMemory(bytes);
    auto* back = dynamic_cast<TBT_I2C_Master*>(copy.Board().Objects.at(0));
    ASSERT_NE(back, nullptr);
    EXPECT_FALSE(back->InternalClock);
    EXPECT_EQ(back->LoopCount, 300);
    EXPECT_EQ(back->Program, master->Program);
}

// The own fields follow the base record alike in files of every version.
TEST_F(I2cTest, OwnFieldsAreReadAlikeInEveryVersion)
{
    for (const Byte version : {Byte(1), Byte(3), Byte(39), Byte(40), Byte(46)}) {
        SCOPED_TRACE(int(version));
        TTestBoard t;
        t.ReadFromMemory(MasterRecord(6, 5, 7, 3, {I2cStart, I2cSendReadAddress, I2cStop}, version).Bool(false).Bytes,
                         version);
        auto* back = dynamic_cast<TBT_I2C_Master*>(t.Board().Objects.at(0));
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(back->InternalClock);
        EXPECT_EQ(back->LoopCount, 7);
        EXPECT_EQ(back->Program, (std::vector<Integer>{I2cStart, I2cSendReadAddress, I2cStop}));
    }
}

TEST_F(I2cTest, LoopCountsFromFilesAreClamped)
{
    for (const auto& [stored, kept] : {std::pair{0, 1}, std::pair{-7, 1}, std::pair{100000, 100000},
                                       std::pair{2000000000, 100000}}) {
        TTestBoard t;
        t.ReadFromMemory(MasterRecord(6, 5, stored, 1, {I2cStart}).Bool(false).Bytes);
        auto* back = dynamic_cast<TBT_I2C_Master*>(t.Board().Objects.at(0));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->LoopCount, kept) << stored;
    }
}

// Cut anywhere, other pin counts, a program count out of range, an unknown
// step or a loop marker twice: the stream error, and no component.
TEST_F(I2cTest, DamagedRecordsAreRefused)
{
    TTestBoard board;
    auto* master = static_cast<TBT_I2C_Master*>(board.Place("TBT_I2C_Master", 100, 100));
    master->Program = ExampleProgram;
    const TBytes bytes = board.WriteToMemory();
    for (std::size_t cut = 4; cut + 1 < bytes.size(); cut += 5) {
        TTestBoard copy;
        EXPECT_THROW(copy.ReadFromMemory(TBytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut))), EReadError)
            << cut;
        EXPECT_EQ(copy.Board().Objects.size(), 0u);
    }
    struct TCase {
        const char* What;
        TStreamBytes Record;
    };
    const TCase cases[] = {
        {"fewer inputs", MasterRecord(4, 5, 1, 0, {})},
        {"more outputs", MasterRecord(6, 9, 1, 0, {})},
        {"no inputs", MasterRecord(0, 5, 1, 0, {})},
        {"negative count", MasterRecord(6, 5, 1, -1, {})},
        {"count past the longest program", MasterRecord(6, 5, 1, TBT_I2C_Master::MaxProgramSteps + 1, {0, 0})},
        {"count past the record", MasterRecord(6, 5, 1, 1000, {0, 5})},
        {"unknown step", MasterRecord(6, 5, 1, 2, {0, 11})},
        {"negative step", MasterRecord(6, 5, 1, 1, {-1})},
        {"loop start twice", MasterRecord(6, 5, 1, 4, {9, 3, 9, 10})},
        {"loop end twice", MasterRecord(6, 5, 1, 3, {10, 3, 10})},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TTestBoard copy;
        TStreamBytes record = c.Record;
        EXPECT_THROW(copy.ReadFromMemory(record.Bool(false).Bytes), EReadError);
        EXPECT_EQ(copy.Board().Objects.size(), 0u);
    }
}

} // namespace
