// The clock generators on the fake clock: the fixed clock's schedule over
// thousands of toggles at any step rate, the tick-counted clock's periods
// and limits, and the voltage-controlled clock's limits and phase.
#include "DigitalRig.h"

#include "platform/Clock.h"

#include <cmath>
#include <limits>

namespace {

class TaktTest : public DigitalTest {
protected:
    TFakeClock clock{1'000'000'000};
    TScopedClock scoped{clock};

    // Steps every `interval` ns (or by the pattern of intervals) until
    // `toggles` output changes were seen or `limit` ns passed; returns the
    // times of the changes.
    std::vector<Int64> ToggleTimes(TRig& rig, std::vector<Int64> intervals, std::size_t toggles, Int64 limit)
    {
        std::vector<Int64> times;
        bool last = rig.High(0);
        const Int64 end = clock.Nanoseconds() + limit;
        for (std::size_t i = 0; times.size() < toggles && clock.Nanoseconds() < end; ++i) {
            clock.Advance(intervals[i % intervals.size()]);
            rig.Step();
            if (rig.High(0) != last) {
                last = !last;
                times.push_back(clock.Nanoseconds());
            }
        }
        return times;
    }
};

TEST_F(TaktTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Help, Inputs;
        const char* Output;
        bool Dialog, Tick;
    };
    for (const TCase& c : {
             TCase{"TBTHiTakt",
                   {"Taktgenerator\r1Hz...1kHz", "Pulse generator\r1Hz...1kHz", "Impulsion\r1Hz...1kHz"},
                   "G", 18275, 0, "", true, false},
             TCase{"TBTTaktgeber_ES",
                   {"Takt, einstellbar\r0,1s...1000s", "Pulse, adjustable\r0,1s...1000s",
                    "Impulsion ajustable\r0,1s...1000s"},
                   "G", 18285, 1, "CLK", false, true},
             TCase{"TBTVCO",
                   {"Takt, einstellbar\r0.01Hz...1kHz", "Pulse, adjustable\r0.01Hz...1kHz",
                    "Impulsion ajustable\r0.01Hz...1kHz"},
                   "VCO", 18290, 1, "CLK", false, false},
         }) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* clockPart = dynamic_cast<TIOBauteil*>(object.get());
            ASSERT_NE(clockPart, nullptr);
            EXPECT_EQ(clockPart->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(clockPart->Designator, c.Designator);
            EXPECT_EQ(clockPart->HelpContext, c.Help);
            EXPECT_EQ(clockPart->HasPropertyDialog, c.Dialog);
            EXPECT_EQ(clockPart->NeedsTimerTick, c.Tick);
            ASSERT_EQ(clockPart->InputCount, c.Inputs);
            if (c.Inputs == 1) {
                EXPECT_EQ(clockPart->Inputs[0].Name, "f");
            }
            ASSERT_EQ(clockPart->OutputCount, 1);
            EXPECT_EQ(clockPart->Outputs[0].Name, c.Output);
        }
    }
}

// Toggle k falls due k half periods after the start, whatever the step rate:
// each toggle comes within one step interval of its due time, also after
// the reference has moved on twice.
TEST_F(TaktTest, TheFixedClockDoesNotDrift)
{
    struct TCase {
        Integer Frequency;
        std::vector<Int64> Intervals;   // ns between steps, repeated
    };
    for (const TCase& c : {TCase{1, {1'000'000}}, TCase{7, {300'000, 1'700'000}}, TCase{333, {70'000, 13'000}}}) {
        SCOPED_TRACE(c.Frequency);
        TRig rig("TBTHiTakt");
        static_cast<TBTHiTakt*>(rig.Component)->Frequency = c.Frequency;
        rig.Start();
        EXPECT_FALSE(rig.High(0));
        const Int64 start = clock.Nanoseconds();
        const std::vector<Int64> times = ToggleTimes(rig, c.Intervals, 2000, Int64{3000} * 1'000'000'000);
        ASSERT_EQ(times.size(), 2000u);
        const Int64 longest = *std::max_element(c.Intervals.begin(), c.Intervals.end());
        for (std::size_t k = 1; k <= times.size(); ++k) {
            const auto due = static_cast<Int64>(std::llround(k * 1e9 / (2.0 * c.Frequency)));
            const Int64 late = times[k - 1] - (start + due);
            ASSERT_GE(late, -1) << "toggle " << k;
            ASSERT_LT(late, longest + 1) << "toggle " << k;
        }
    }
}

// A step rate below twice the frequency: one toggle per step, none skipped.
TEST_F(TaktTest, TheFixedClockTogglesOncePerStepWhenStepsAreSlow)
{
    TRig rig("TBTHiTakt");
    rig.Start();
    for (Integer i = 0; i < 100; ++i) {
        const bool before = rig.High(0);
        clock.AdvanceMs(2);
        rig.Step();
        ASSERT_NE(rig.High(0), before) << "step " << i;
    }
}

TEST_F(TaktTest, TheTickClockCountsItsInputInTenthsOfASecond)
{
    struct TCase {
        Extended Input;
        Integer N;
    };
    const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    for (const TCase& c : {TCase{0.0L, 1}, TCase{-3.0L, 1}, TCase{nan, 1}, TCase{0.05L, 1}, TCase{0.15L, 2},
                           TCase{1.0L, 10}, TCase{2000.0L, 10000}, TCase{1e300L, 10000}}) {
        SCOPED_TRACE(static_cast<double>(c.Input));
        TRig rig("TBTTaktgeber_ES");
        rig.SetValue(0, c.Input);
        rig.Start();
        rig.Step();
        auto* part = static_cast<TBTTaktgeber_ES*>(rig.Component);
        EXPECT_EQ(part->TickLimit, c.N);
        if (c.N > 10)
            continue;
        // A half period is N + 1 ticks; the output follows in the next step.
        std::vector<Integer> changes;
        bool last = rig.High(0);
        for (Integer tick = 1; tick <= 4 * (c.N + 1); ++tick) {
            rig.t.Board().Tick();
            rig.Step();
            if (rig.High(0) != last) {
                last = !last;
                changes.push_back(tick);
            }
        }
        EXPECT_EQ(changes, (std::vector<Integer>{c.N + 1, 2 * (c.N + 1), 3 * (c.N + 1), 4 * (c.N + 1)}));
    }
}

TEST_F(TaktTest, TheTickClockTakesANewLimitInTheRunningHalfPeriod)
{
    TRig rig("TBTTaktgeber_ES");
    rig.SetValue(0, 1.0L);   // N = 10
    rig.Start();
    rig.Step();
    for (Integer i = 0; i < 5; ++i)
        rig.t.Board().Tick();
    rig.SetValue(0, 0.2L);   // N = 2, already passed
    rig.Step();
    EXPECT_FALSE(rig.High(0));
    rig.t.Board().Tick();
    rig.Step();
    EXPECT_TRUE(rig.High(0));
}

// Only the tick count is cleared at a start: the state of the last run
// reaches the output in the first step.
TEST_F(TaktTest, TheTickClockKeepsItsStateAcrossARestart)
{
    TRig rig("TBTTaktgeber_ES");
    rig.Start();
    rig.Step();
    rig.t.Board().Tick();
    rig.t.Board().Tick();
    rig.Step();
    ASSERT_TRUE(rig.High(0));
    rig.t.Board().Tick();   // one tick counted, then cleared by the start
    rig.t.Board().StopSimulation();
    rig.Start();
    rig.Component->Outputs[0].Value = 0.0L;
    rig.Step();
    EXPECT_TRUE(rig.High(0));
    rig.t.Board().Tick();
    rig.Step();
    EXPECT_TRUE(rig.High(0));
    rig.t.Board().Tick();
    rig.Step();
    EXPECT_FALSE(rig.High(0));
}

TEST_F(TaktTest, TheVcoHonoursItsLimits)
{
    struct TCase {
        Extended Input;
        Extended Frequency;     // the working frequency after a step
        std::size_t Toggles;    // within one second, stepping every 0.1 ms
    };
    const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    for (const TCase& c : {TCase{0.0L, 0.001L, 0}, TCase{-7.0L, 0.001L, 0}, TCase{nan, 0.001L, 0},
                           TCase{0.0005L, 0.001L, 0}, TCase{5000.0L, 1000.0L, 2000}, TCase{1000.0L, 1000.0L, 2000},
                           TCase{10.0L, 10.0L, 20}}) {
        SCOPED_TRACE(static_cast<double>(c.Input));
        TRig rig("TBTVCO");
        rig.SetValue(0, c.Input);
        rig.Start();
        rig.Step();
        EXPECT_EQ(static_cast<TBTVCO*>(rig.Component)->Frequency, c.Frequency);
        const std::vector<Int64> times = ToggleTimes(rig, {100'000}, 100'000, 1'000'000'000);
        EXPECT_EQ(times.size(), c.Toggles);
    }
}

// A new frequency keeps the phase: the next toggle comes within one new
// half period of the change, and then one every new half period.
TEST_F(TaktTest, TheVcoKeepsItsPhaseWhenTheFrequencyChanges)
{
    for (const Int64 changeAfter : {Int64{3'000'000}, Int64{20'000'000}, Int64{49'000'000}}) {
        SCOPED_TRACE(changeAfter);
        TRig rig("TBTVCO");
        rig.SetValue(0, 10.0L);
        rig.Start();
        std::vector<Int64> times = ToggleTimes(rig, {100'000}, 3, 1'000'000'000);
        ASSERT_EQ(times.size(), 3u);
        EXPECT_NEAR(static_cast<double>(times[2] - times[1]), 50e6, 1e5);
        // Change between two toggles.
        clock.Advance(changeAfter);
        rig.Step();
        const Int64 change = clock.Nanoseconds();
        rig.SetValue(0, 20.0L);
        times = ToggleTimes(rig, {100'000}, 4, 1'000'000'000);
        ASSERT_EQ(times.size(), 4u);
        EXPECT_LE(times[0] - change, 25'000'000 + 100'000);
        for (std::size_t k = 1; k < times.size(); ++k)
            EXPECT_NEAR(static_cast<double>(times[k] - times[k - 1]), 25e6, 1e5);
    }
}

} // namespace
