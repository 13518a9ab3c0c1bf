// The records of the time-based blocks: the period's six raw bytes and raw
// index behind the base record, the shift of old indexes, the filter record
// and its version gates, the controllers' limits, the delay's length, and
// values from a damaged file clamped to what the step can work with.
#include "AnalogClock.h"

#include "components/analog/BT_Inkretment.h"
#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_Regler.h"
#include "engine/GrundBT.h"
#include "platform/Stream.h"
#include "support/TestBoard.h"

#include <functional>
#include <numbers>
#include <vector>

namespace {

class ZeitRecords : public AnalogClockTest {
protected:
    using AnalogClockTest::Record;
    // The bytes after the block's base record.
    static std::vector<Byte> Tail(TIOBauteil& block)
    {
        const std::vector<Byte> base = BaseRecord(block);
        const std::vector<Byte> all = Record(block);
        return std::vector<Byte>(all.begin() + static_cast<std::ptrdiff_t>(base.size()), all.end());
    }
    // The record as a file of that version holds it: below 40 without the
    // run-time flag and the caption, below 3 also without the inversions.
    static std::vector<Byte> Record(TIOBauteil& block, Byte version)
    {
        std::vector<Byte> bytes = BaseRecord(block);
        if (version < 40)
            bytes.resize(bytes.size() - (1 + 2 + block.GetCaption().size()));
        if (version < 3)
            bytes.resize(bytes.size() - static_cast<std::size_t>(block.InputCount + block.OutputCount));
        const std::vector<Byte> tail = Tail(block);
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    }
    // The record read into a new block of the class as a file of the version
    // would bring it; how many bytes were left unread.
    template <class T>
    static std::unique_ptr<T> ReadAs(const char* className, const std::vector<Byte>& bytes, Byte version,
                                     std::size_t* left = nullptr)
    {
        auto block = Make<T>(className);
        TMemoryStream stream(bytes);
        {
            TReader reader(stream);
            block->ReadData(stream, reader, version);
        }
        if (left)
            *left = bytes.size() - static_cast<std::size_t>(stream.Position());
        return block;
    }
    // The base record of the block followed by the given own bytes.
    static std::vector<Byte> WithTail(TIOBauteil& block, const std::vector<Byte>& tail)
    {
        std::vector<Byte> bytes = BaseRecord(block);
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    }
    static std::vector<Byte> Float(Extended v)
    {
        std::vector<Byte> bytes{static_cast<Byte>(TValueType::vaExtended)};
        Byte raw[ExtendedSize];
        ExtendedToBytes(v, raw);
        bytes.insert(bytes.end(), raw, raw + ExtendedSize);
        return bytes;
    }
};

// A new block: "Max" (81 00 00 00 00 80) and index 0; the 100 ms row
// (7d cd cc cc cc 4c, index 7 as 07 00).
TEST_F(ZeitRecords, ThePeriodIsSixRawBytesThenTheRawIndex)
{
    auto block = Make<TBTIntegrierer>("TBTIntegrierer");
    EXPECT_EQ(Tail(*block), (std::vector<Byte>{0x81, 0, 0, 0, 0, 0x80, 0, 0}));
    block->SamplePeriod.Choose(7);
    EXPECT_EQ(Tail(*block), (std::vector<Byte>{0x7d, 0xcd, 0xcc, 0xcc, 0xcc, 0x4c, 7, 0}));
    for (Integer i = 0; i < SamplePeriodCount; ++i) {
        block->SamplePeriod.Choose(i);
        const auto read = ReadAs<TBTIntegrierer>("TBTIntegrierer", Record(*block), 46);
        EXPECT_EQ(read->SamplePeriod.Index(), i);
        EXPECT_EQ(read->SamplePeriod.Stored(), block->SamplePeriod.Stored());
        EXPECT_EQ(read->SamplePeriod.Seconds(), block->SamplePeriod.Seconds());
    }
}

// Below version 3 the index of the older table is moved by 7 (the value is
// read as stored) for integrator, differentiator, PT1, PT2 and DT1; the
// controllers never move it.
TEST_F(ZeitRecords, OldIndexesMoveBySevenForTheBlocksButNotForTheControllers)
{
    struct TCase {
        std::function<std::unique_ptr<TIOBauteil>(const std::vector<Byte>&, Byte)> Read;
        std::function<std::unique_ptr<TIOBauteil>()> New;
        bool Shifts;
    };
    auto index = [](TIOBauteil& b) { return dynamic_cast<TAbtastBT&>(b).SamplePeriod.Index(); };
    auto seconds = [](TIOBauteil& b) { return dynamic_cast<TAbtastBT&>(b).SamplePeriod.Seconds(); };
    const std::vector<std::pair<const char*, bool>> classes = {
        {"TBTIntegrierer", true}, {"TBTDifferenzierer", true}, {"TBTPT1", true},        {"TBTPT2", true},
        {"TBTDT1", true},         {"TBT_PI_Regler", false},    {"TBT_PID_Regler", false}, {"TBT_PD_Regler", false}};
    for (const auto& [name, shifts] : classes) {
        SCOPED_TRACE(name);
        auto original = Make(name);   // index 0, "Max"
        for (const Byte version : {Byte(2), Byte(3), Byte(46)}) {
            auto read = Make(name);
            TMemoryStream stream(Record(*original, version));
            {
                TReader reader(stream);
                read->ReadData(stream, reader, version);
            }
            EXPECT_EQ(index(*read), shifts && version < 3 ? 7 : 0) << int(version);
            EXPECT_EQ(seconds(*read), -1.0L);   // the stored value stays
        }
    }
}

// The filter record as typed values behind the period; the differentiator
// reads it from version 40 on, the DT1 element from 45 on.
TEST_F(ZeitRecords, TheFilterRecordAndItsVersionGates)
{
    auto differentiator = Make<TBTDifferenzierer>("TBTDifferenzierer");
    differentiator->Filter.Enabled = true;
    differentiator->Filter.Omega = 12.5L;
    differentiator->Filter.Reserved1 = 9;
    differentiator->Filter.Reserved2 = 3;
    differentiator->Filter.StageCount = 6;
    std::vector<Byte> filterRecord{0x02, 9, static_cast<Byte>(TValueType::vaTrue)};
    const std::vector<Byte> omega = Float(12.5L);
    filterRecord.insert(filterRecord.end(), omega.begin(), omega.end());
    filterRecord.insert(filterRecord.end(), {0x02, 3, 0x02, 6});
    std::vector<Byte> expected{0x81, 0, 0, 0, 0, 0x80, 0, 0};
    expected.insert(expected.end(), filterRecord.begin(), filterRecord.end());
    EXPECT_EQ(Tail(*differentiator), expected);

    struct TGate {
        Byte Version;
        bool Filter;
    };
    for (const TGate g : {TGate{39, false}, TGate{40, true}, TGate{255, true}}) {
        std::size_t left = 0;
        const auto read = ReadAs<TBTDifferenzierer>("TBTDifferenzierer", Record(*differentiator, g.Version), g.Version, &left);
        EXPECT_EQ(read->Filter.Enabled, g.Filter);
        EXPECT_EQ(read->Filter.Omega, g.Filter ? 12.5L : TFilter::DefaultOmega);
        EXPECT_EQ(read->Filter.StageCount, g.Filter ? 6 : 4);
        EXPECT_EQ(left, g.Filter ? 0u : filterRecord.size());
    }
    auto dt1 = Make<TBTDT1>("TBTDT1");
    dt1->Filter.Enabled = true;
    for (const TGate g : {TGate{44, false}, TGate{45, true}}) {
        const auto read = ReadAs<TBTDT1>("TBTDT1", Record(*dt1, g.Version), g.Version);
        EXPECT_EQ(read->Filter.Enabled, g.Filter);
    }
}

// PI: period, min, max, Init; PID: the same and the filter; PD: period,
// min, max and the filter. Read back from a board's stream.
TEST_F(ZeitRecords, ControllerRecordsRoundTripOnABoard)
{
    auto pi = Make<TBT_PI_Regler>("TBT_PI_Regler");
    pi->OutputMin = -2.0L;
    pi->OutputMax = 10.0L;
    pi->IntegralStart = 0.75L;
    std::vector<Byte> expected{0x81, 0, 0, 0, 0, 0x80, 0, 0};
    for (const Extended v : {-2.0L, 10.0L, 0.75L}) {
        const std::vector<Byte> f = Float(v);
        expected.insert(expected.end(), f.begin(), f.end());
    }
    EXPECT_EQ(Tail(*pi), expected);

    TTestBoard t;
    auto* pid = PlaceAs<TBT_PID_Regler>(t, "TBT_PID_Regler", 100, 100);
    pid->SamplePeriod.Choose(5);
    pid->OutputMin = 0.0L;
    pid->OutputMax = 5.0L;
    pid->IntegralStart = 1.5L;
    pid->Filter.Enabled = true;
    pid->Filter.Omega = 31.0L;
    auto* pd = PlaceAs<TBT_PD_Regler>(t, "TBT_PD_Regler", 100, 500);
    pd->OutputMax = 3.0L;
    pd->Filter.Omega = 7.0L;
    auto* delay = PlaceAs<TBT_AnalogDelay>(t, "TBT_AnalogDelay", 100, 900);
    delay->SetLength(42);
    const std::vector<Byte> bytes = t.WriteToMemory();
    TTestBoard copy;
    copy.ReadFromMemory(bytes);
    std::vector<TIOBauteil*> read;
    for (TBauteil* object : copy.Board().Objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            read.push_back(component);
    ASSERT_EQ(read.size(), 3u);
    auto* pid2 = dynamic_cast<TBT_PID_Regler*>(read[0]);
    auto* pd2 = dynamic_cast<TBT_PD_Regler*>(read[1]);
    auto* delay2 = dynamic_cast<TBT_AnalogDelay*>(read[2]);
    ASSERT_TRUE(pid2 && pd2 && delay2);
    EXPECT_EQ(pid2->SamplePeriod.Index(), 5);
    EXPECT_EQ(pid2->OutputMin, 0.0L);
    EXPECT_EQ(pid2->OutputMax, 5.0L);
    EXPECT_EQ(pid2->IntegralStart, 1.5L);
    EXPECT_TRUE(pid2->Filter.Enabled);
    EXPECT_EQ(pid2->Filter.Omega, 31.0L);
    EXPECT_EQ(pd2->OutputMax, 3.0L);
    EXPECT_EQ(pd2->OutputMin, DefaultOutputMin);
    EXPECT_EQ(pd2->Filter.Omega, 7.0L);
    EXPECT_EQ(delay2->Length, 42);
    EXPECT_EQ(delay2->Cells.size(), 42u);
}

// A damaged file: an index past the table, periods that are no period,
// limits and frequencies that are no number, a delay of no length. Each is
// clamped to what the step can work with; nothing is NaN afterwards.
TEST_F(ZeitRecords, ValuesFromADamagedFileAreClamped)
{
    auto integrator = Make<TBTIntegrierer>("TBTIntegrierer");
    struct TPeriodCase {
        std::vector<Byte> Tail;
        Integer Index;
        Extended Seconds;
    };
    for (const TPeriodCase& c : {
             TPeriodCase{{0x81, 0, 0, 0, 0, 0x00, 0xF4, 0x01}, 20, 1.0L},           // index 500
             TPeriodCase{{0x83, 0, 0, 0, 0, 0xA0, 1, 0}, 1, -1.0L},                 // -5 s: "Max"
             TPeriodCase{{0x00, 0, 0, 0, 0, 0x00, 2, 0}, 2, -1.0L},                 // 0 s: "Max"
             TPeriodCase{{0xE0, 0, 0, 0, 0, 0x00, 3, 0}, 3, LongestSamplePeriod},   // 2^95 s
             TPeriodCase{{0x78, 0x8d, 0x97, 0x6e, 0x12, 0x03, 0xFF, 0xFF}, 20, Real48ToExtended({0x78, 0x8d, 0x97, 0x6e, 0x12, 0x03})},
         }) {
        const auto read = ReadAs<TBTIntegrierer>("TBTIntegrierer", WithTail(*integrator, c.Tail), 46);
        EXPECT_EQ(read->SamplePeriod.Index(), c.Index);
        EXPECT_EQ(read->SamplePeriod.Seconds(), c.Seconds);
    }

    auto pi = Make<TBT_PI_Regler>("TBT_PI_Regler");
    std::vector<Byte> tail{0x81, 0, 0, 0, 0, 0x80, 0, 0};
    for (const Extended v : {NaN, Inf, -NaN}) {
        const std::vector<Byte> f = Float(v);
        tail.insert(tail.end(), f.begin(), f.end());
    }
    const auto readPi = ReadAs<TBT_PI_Regler>("TBT_PI_Regler", WithTail(*pi, tail), 46);
    EXPECT_EQ(readPi->OutputMin, DefaultOutputMin);
    EXPECT_EQ(readPi->OutputMax, 1e20L);
    EXPECT_EQ(readPi->IntegralStart, 0.0L);

    auto pd = Make<TBT_PD_Regler>("TBT_PD_Regler");
    std::vector<Byte> pdTail{0x81, 0, 0, 0, 0, 0x80, 0, 0};
    for (const Extended v : {0.0L, 1.0L}) {
        const std::vector<Byte> f = Float(v);
        pdTail.insert(pdTail.end(), f.begin(), f.end());
    }
    pdTail.insert(pdTail.end(), {0x02, 1, static_cast<Byte>(TValueType::vaTrue)});
    const std::vector<Byte> omega = Float(NaN);
    pdTail.insert(pdTail.end(), omega.begin(), omega.end());
    pdTail.insert(pdTail.end(), {0x02, 0, 0x02, 4});
    auto readPd = ReadAs<TBT_PD_Regler>("TBT_PD_Regler", WithTail(*pd, pdTail), 46);
    EXPECT_EQ(readPd->Filter.Omega, TFilter::DefaultOmega);
    readPd->ResetForStart();
    for (Integer i = 0; i < 10; ++i) {
        Step(*readPd, {1.0L, 0.0L, 1.0L, 1.0L});
        EXPECT_TRUE(std::isfinite(Out(*readPd)));
    }

    auto delay = Make<TBT_AnalogDelay>("TBT_AnalogDelay");
    for (const auto& [length, expected] : {std::pair{0, 1}, std::pair{-7, 1}, std::pair{100000, 1000}}) {
        std::vector<Byte> delayTail{0x04};
        for (Integer b = 0; b < 4; ++b)
            delayTail.push_back(static_cast<Byte>(static_cast<std::uint32_t>(length) >> (8 * b)));
        const auto read = ReadAs<TBT_AnalogDelay>("TBT_AnalogDelay", WithTail(*delay, delayTail), 46);
        EXPECT_EQ(read->Length, expected);
        EXPECT_EQ(read->Cells.size(), static_cast<std::size_t>(expected));
    }
}

// A record cut short is a stream read error, not a half-read block.
TEST_F(ZeitRecords, AShortRecordIsAReadError)
{
    auto pid = Make<TBT_PID_Regler>("TBT_PID_Regler");
    std::vector<Byte> bytes = Record(*pid);
    bytes.resize(bytes.size() - 3);
    EXPECT_THROW(ReadAs<TBT_PID_Regler>("TBT_PID_Regler", bytes, 46), EReadError);
}

} // namespace
