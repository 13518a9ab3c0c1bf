// The stream records of the digital components: their own fields byte by
// byte, round trips, the monoflop's records before version 40, counts held
// within their ranges on reading, and damaged records refused with the
// stream error.
#include "DigitalRig.h"

#include "support/StreamBytes.h"

#include "platform/Stream.h"

#include <cmath>
#include <limits>

namespace {

using DigitalStreamTest = DigitalTest;

const char* const AllClasses[] = {"TBTHiTakt",  "TBTTaktgeber_ES", "TBTVCO",        "TBTMonoFlop",    "TBTMonoFlopDyn",
                                  "TBTOnOffDelay", "TBTVerzoegerung", "TBTRSFF",     "TBTRSFFZ",       "TBTRSFFF",
                                  "TBTJKFF",    "TBTDFFZ",         "TBTDFFF",       "TBTMasse",       "TBTVcc",
                                  "TBTPowerOnReset", "TBTBCDDekoder", "TBTSeg7Decoder",
                                  "TBTCNT4", "TBTCNT8", "TBTCNT16", "TBTCNT4D", "TBTCNTL", "TBTCNTL8", "TBTCNTL16",
                                  "TBTCNTLD", "TBTSREG", "TBTSREG8", "TBTSREG16", "TBTSREGL", "TBTSREGL8",
                                  "TBTSREGL16", "TBTMUX2", "TBTMUX4", "TBTMUX8", "TBTMUX16", "TBTDMUX2", "TBTDMUX4",
                                  "TBTDMUX8", "TBTDMUX16", "TBTBustreiber", "TBTAdressdekoder", "TBTREG2",
                                  "TBTREG4", "TBTREG8", "TBTREG16", "TBTREG2_T", "TBTREG4_T", "TBTREG8_T",
                                  "TBTREG16_T", "TBTADD2", "TBTADD4", "TBTADD8", "TBTVGL4", "TBTVGL8"};

// A board stream of one component at (100, 100): the base record (version
// 40 on, unless old); the component's own fields and the board's
// front-panel flag follow.
TStreamBytes OneRecord(const char* className, Integer inputs, Integer outputs, bool old,
                       const AnsiString& caption = {})
{
    TStreamBytes s;
    s.Int(1).Str(className).Int(0).Int(100).Int(100).Int(inputs).Int(outputs).Bool(false);
    for (Integer i = 0; i < inputs + outputs; ++i)
        s.Bool(false);
    if (!old)
        s.Bool(false).Str(caption);
    return s;
}

TIOBauteil* ReadOne(TTestBoard& board, const TBytes& bytes, Byte version)
{
    board.ReadFromMemory(bytes, version);
    for (TBauteil* object : board.Board().Objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            return component;
    return nullptr;
}

TEST_F(DigitalStreamTest, OwnFieldsByteByByte)
{
    TTestBoard t;
    auto* mono = static_cast<TBTMonoFlop*>(t.Place("TBTMonoFlop", 100, 100));
    mono->Duration = 0.5L;
    mono->Retrigger = false;
    EXPECT_EQ(t.WriteToMemory(), OneRecord("TBTMonoFlop", 2, 2, false, "MonoFlop").Int(0).Bool(false).Half().Bool(false).Bytes);

    struct TCase {
        const char* Class;
        std::function<void(TIOBauteil*)> Set;
        std::function<void(TStreamBytes&)> Own;
    };
    const TCase cases[] = {
        {"TBTHiTakt", [](TIOBauteil* p) { static_cast<TBTHiTakt*>(p)->Frequency = 250; },
         [](TStreamBytes& s) { s.Int(250); }},
        {"TBTMonoFlopDyn", [](TIOBauteil* p) { static_cast<TBTMonoFlopDyn*>(p)->Retrigger = false; },
         [](TStreamBytes& s) { s.Bool(false); }},
        {"TBTOnOffDelay",
         [](TIOBauteil* p) {
             static_cast<TBTOnOffDelay*>(p)->OnDelay = 20;
             static_cast<TBTOnOffDelay*>(p)->OffDelay = 9999;
         },
         [](TStreamBytes& s) { s.Int(20).Int(9999); }},
        {"TBTVerzoegerung", [](TIOBauteil* p) { static_cast<TBTVerzoegerung*>(p)->Steps = 42; },
         [](TStreamBytes& s) { s.Int(42); }},
        {"TBTJKFF", [](TIOBauteil*) {}, [](TStreamBytes&) {}},
        {"TBTVCO", [](TIOBauteil*) {}, [](TStreamBytes&) {}},
        {"TBTSeg7Decoder", [](TIOBauteil*) {}, [](TStreamBytes&) {}},
        {"TBTPowerOnReset", [](TIOBauteil*) {}, [](TStreamBytes&) {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        TTestBoard board;
        TIOBauteil* part = board.Place(c.Class, 100, 100);
        // Type names with a line break become captions with a blank when read.
        part->SetCaption("Teil");
        c.Set(part);
        TStreamBytes expected = OneRecord(c.Class, part->InputCount, part->OutputCount, false, part->Caption);
        c.Own(expected);
        expected.Bool(false);   // no front-panel element
        const TBytes bytes = board.WriteToMemory();
        EXPECT_EQ(bytes, expected.Bytes);
        TTestBoard copy;
        TIOBauteil* read = ReadOne(copy, bytes, 46);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(copy.WriteToMemory(), bytes);
    }
}

// Every class reads back what it wrote, with inverted pins and its caption.
TEST_F(DigitalStreamTest, EveryClassRoundTrips)
{
    for (const char* className : AllClasses) {
        SCOPED_TRACE(className);
        TTestBoard board;
        TIOBauteil* part = board.Place(className, 100, 100);
        part->Outputs[0].Inverted = true;
        part->SetCaption("Teil");
        const TBytes bytes = board.WriteToMemory();
        TTestBoard copy;
        TIOBauteil* read = ReadOne(copy, bytes, 46);
        ASSERT_NE(read, nullptr);
        EXPECT_STREQ(read->ClassName(), className);
        EXPECT_TRUE(read->Outputs[0].Inverted);
        EXPECT_EQ(read->Caption, "Teil");
        EXPECT_EQ(copy.WriteToMemory(), bytes);
    }
}

// Before version 40 the monoflop kept its duration as an Integer of 50 ms
// and nothing else; retrigger stays as constructed.
TEST_F(DigitalStreamTest, MonoFlopRecordsBeforeVersion40)
{
    struct TCase {
        Byte Version;
        TBytes Bytes;
        Extended Duration;
        bool Retrigger;
    };
    const TCase cases[] = {
        {39, OneRecord("TBTMonoFlop", 2, 2, true).Int(30).Bool(false).Bytes, 1.5L, true},
        {20, OneRecord("TBTMonoFlop", 2, 2, true).Int(1).Bool(false).Bytes, 0.05L, true},
        // From 40 on the Boolean and the Extended replace it.
        {40, OneRecord("TBTMonoFlop", 2, 2, false).Int(30).Bool(false).Half().Bool(false).Bytes, 0.5L, false},
        {255, OneRecord("TBTMonoFlop", 2, 2, false).Int(0).Bool(true).Half().Bool(false).Bytes, 0.5L, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Version);
        TTestBoard board;
        auto* mono = dynamic_cast<TBTMonoFlop*>(ReadOne(board, c.Bytes, c.Version));
        ASSERT_NE(mono, nullptr);
        EXPECT_EQ(mono->Duration, c.Duration);
        EXPECT_EQ(mono->Retrigger, c.Retrigger);
    }
}

// Counts and values from a file are held within their ranges: the step
// delay's Steps indexes its line of 100 entries, the clock's frequency
// divides.
TEST_F(DigitalStreamTest, ValuesReadAreHeldWithinTheirRanges)
{
    struct TCase {
        const char* Class;
        Integer Inputs, Outputs;
        std::function<void(TStreamBytes&)> Own;
        std::function<void(TIOBauteil*)> Check;
    };
    auto steps = [](Integer expected) {
        return [expected](TIOBauteil* p) { EXPECT_EQ(static_cast<TBTVerzoegerung*>(p)->Steps, expected); };
    };
    auto frequency = [](Integer expected) {
        return [expected](TIOBauteil* p) { EXPECT_EQ(static_cast<TBTHiTakt*>(p)->Frequency, expected); };
    };
    const TCase cases[] = {
        {"TBTVerzoegerung", 1, 1, [](TStreamBytes& s) { s.Int(100000); }, steps(100)},
        {"TBTVerzoegerung", 1, 1, [](TStreamBytes& s) { s.Int(101); }, steps(100)},
        {"TBTVerzoegerung", 1, 1, [](TStreamBytes& s) { s.Int(0); }, steps(1)},
        {"TBTVerzoegerung", 1, 1, [](TStreamBytes& s) { s.Int(-7); }, steps(1)},
        {"TBTHiTakt", 0, 1, [](TStreamBytes& s) { s.Int(0); }, frequency(1)},
        {"TBTHiTakt", 0, 1, [](TStreamBytes& s) { s.Int(1001); }, frequency(1000)},
        {"TBTOnOffDelay", 1, 1, [](TStreamBytes& s) { s.Int(-1).Int(70000); },
         [](TIOBauteil* p) {
             EXPECT_EQ(static_cast<TBTOnOffDelay*>(p)->OnDelay, 0);
             EXPECT_EQ(static_cast<TBTOnOffDelay*>(p)->OffDelay, 9999);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        TStreamBytes s = OneRecord(c.Class, c.Inputs, c.Outputs, false);
        c.Own(s);
        s.Bool(false);
        TTestBoard board;
        TIOBauteil* part = ReadOne(board, s.Bytes, 46);
        ASSERT_NE(part, nullptr);
        c.Check(part);
        // And the board runs with it.
        board.Board().PrepareSimulation();
        for (Integer i = 0; i < 120; ++i)
            board.Board().Step();
    }
}

// A NaN duration would keep the pulse up for ever: read as none.
TEST_F(DigitalStreamTest, ANanDurationReadsAsNone)
{
    TTestBoard t;
    auto* mono = static_cast<TBTMonoFlop*>(t.Place("TBTMonoFlop", 100, 100));
    mono->Duration = std::numeric_limits<Extended>::quiet_NaN();
    TTestBoard copy;
    auto* read = dynamic_cast<TBTMonoFlop*>(ReadOne(copy, t.WriteToMemory(), 46));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Duration, 0.0L);
}

// Damaged records raise the stream error and leave no component behind:
// cut anywhere, or with pin counts other than the class's own.
TEST_F(DigitalStreamTest, DamagedRecordsAreRefused)
{
    for (const char* className : AllClasses) {
        SCOPED_TRACE(className);
        TTestBoard board;
        TIOBauteil* part = board.Place(className, 100, 100);
        const Integer inputs = part->InputCount;
        const Integer outputs = part->OutputCount;
        const TBytes bytes = board.WriteToMemory();
        // The last byte is the board's front-panel flag, read after the record.
        for (std::size_t cut = 4; cut + 1 < bytes.size(); cut += 3) {
            TTestBoard copy;
            EXPECT_THROW(copy.ReadFromMemory(TBytes(bytes.begin(), bytes.begin() + cut)), EReadError) << cut;
            EXPECT_EQ(copy.Board().Objects.size(), 0u);
        }
        for (const auto& [in, out] : {std::pair{inputs + 1, outputs}, std::pair{inputs, outputs + 3},
                                      std::pair{inputs, outputs - 1}}) {
            TStreamBytes s = OneRecord(className, in, out, false);
            // Enough fields after it for any class.
            s.Int(5).Bool(true).Half();
            TTestBoard copy;
            EXPECT_THROW(copy.ReadFromMemory(s.Bytes), EReadError) << in << " " << out;
            EXPECT_EQ(copy.Board().Objects.size(), 0u);
        }
    }
}

} // namespace

namespace {

// Records written before version 40 (no run-time flag, no caption) read into
// the counters, registers, shift registers, multiplexers, bus components,
// adders and comparators, with the type name as caption; the bus driver's
// width follows from its pin counts.
TEST_F(DigitalStreamTest, RecordsBeforeVersion40OfTheWordComponents)
{
    for (const char* className :
         {"TBTCNT4", "TBTCNTL16", "TBTCNTLD", "TBTSREG", "TBTSREGL8", "TBTMUX16", "TBTDMUX2", "TBTBustreiber",
          "TBTREG16", "TBTREG2_T", "TBTADD8", "TBTVGL4"}) {
        SCOPED_TRACE(className);
        TTestBoard board;
        TIOBauteil* part = board.Place(className, 100, 100);
        if (auto* driver = dynamic_cast<TBTBustreiber*>(part))
            driver->SetWidth(0);
        TStreamBytes s = OneRecord(className, part->InputCount, part->OutputCount, true);
        s.Bool(false);
        TTestBoard copy;
        TIOBauteil* read = ReadOne(copy, s.Bytes, 39);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->InputCount, part->InputCount);
        EXPECT_EQ(read->OutputCount, part->OutputCount);
        EXPECT_EQ(read->Caption, read->GetTypeName());
        EXPECT_FALSE(read->RuntimeAdjustable);
        if (auto* driver = dynamic_cast<TBTBustreiber*>(read)) {
            EXPECT_EQ(driver->WidthIndex(), 0);
            EXPECT_EQ(std::string(driver->Inputs[2].Name), "EN");
        }
    }
}

} // namespace
