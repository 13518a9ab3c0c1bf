// The monoflops and the switch delay on the fake clock and ticks: triggering
// on the falling edge, retriggering, reset, durations from the settings, the
// input and old records, the retained pulse, and the delays' edges.
#include "DigitalRig.h"

#include "platform/Clock.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>
#include <cmath>
#include <limits>

namespace {

class MonoFlopTest : public DigitalTest {
protected:
    TFakeClock clock{5'000'000'000};
    TScopedClock scoped{clock};

    // Steps with the inputs every millisecond for `ms` milliseconds; returns
    // how many of those steps ended with Q high.
    Integer HighSteps(TRig& rig, const char* inputs, Integer ms)
    {
        Integer high = 0;
        for (Integer i = 0; i < ms; ++i) {
            clock.AdvanceMs(1);
            if (inputs)
                rig.Step(inputs);
            else
                rig.Step();
            EXPECT_NE(rig.High(0), rig.High(1));
            high += rig.High(1);
        }
        return high;
    }
};

TEST_F(MonoFlopTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Help;
        std::vector<const char*> Inputs, Outputs;
        bool Tick;
    };
    const TCase cases[] = {
        {"TBTMonoFlop", {"MonoFlop", "Mono-flop", "Monoflop"}, "MF", 18280, {"|E", "/RST"}, {"/Q", "Q"}, false},
        {"TBTMonoFlopDyn",
         {"MonoFlop, einstellbar", "Mono-flop", "Monoflop ajustable"},
         "MFD",
         18281,
         {"|E", "T", "/RST"},
         {"/Q", "Q"},
         false},
        {"TBTOnOffDelay",
         {"Schaltverz\xF6gerung", "Switch delay", "Interrupteur\rtemporis\xE9"},
         "DLY",
         18295,
         {"In"},
         {"Out"},
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* part = dynamic_cast<TIOBauteil*>(object.get());
            ASSERT_NE(part, nullptr);
            EXPECT_EQ(part->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(part->Designator, c.Designator);
            EXPECT_EQ(part->HelpContext, c.Help);
            EXPECT_TRUE(part->HasPropertyDialog);
            EXPECT_EQ(part->NeedsTimerTick, c.Tick);
            ASSERT_EQ(part->InputCount, static_cast<Integer>(c.Inputs.size()));
            for (std::size_t i = 0; i < c.Inputs.size(); ++i)
                EXPECT_EQ(part->Inputs[i].Name, c.Inputs[i]);
            ASSERT_EQ(part->OutputCount, static_cast<Integer>(c.Outputs.size()));
            for (std::size_t o = 0; o < c.Outputs.size(); ++o)
                EXPECT_EQ(part->Outputs[o].Name, c.Outputs[o]);
        }
    }
}

// A falling edge of "|E" starts the pulse of one second; a second edge 800 ms
// in restarts it only with retrigger set.
TEST_F(MonoFlopTest, RetriggerRules)
{
    struct TCase {
        bool Retrigger;
        Integer HighMs;
    };
    for (const TCase& c : {TCase{false, 1000}, TCase{true, 1800}}) {
        SCOPED_TRACE(c.Retrigger);
        TRig rig("TBTMonoFlop");
        static_cast<TBTMonoFlop*>(rig.Component)->Retrigger = c.Retrigger;
        rig.Start();
        EXPECT_EQ(rig.Levels(), "01");
        rig.Step("11");
        Integer high = HighSteps(rig, "01", 799);   // the edge in the first of these steps
        high += HighSteps(rig, "11", 1);
        high += HighSteps(rig, "01", 3000);
        EXPECT_EQ(high, c.HighMs);
    }
}

TEST_F(MonoFlopTest, ResetEndsThePulseAndLosesEdges)
{
    TRig rig("TBTMonoFlop");
    rig.Start();
    rig.Step("11");
    EXPECT_EQ(HighSteps(rig, "01", 100), 100);
    EXPECT_EQ(HighSteps(rig, "00", 1), 0);   // reset ends the running pulse at once
    EXPECT_EQ(HighSteps(rig, "10", 1), 0);
    EXPECT_EQ(HighSteps(rig, "00", 1), 0);   // a falling edge while reset is lost
    EXPECT_EQ(HighSteps(rig, "01", 50), 0);
}

TEST_F(MonoFlopTest, OpenInputsNeverTrigger)
{
    TRig rig("TBTMonoFlop", 0);
    rig.Start();
    EXPECT_EQ(HighSteps(rig, "", 100), 0);
}

// A duration of 0 or less: Q written high and low in the same step.
TEST_F(MonoFlopTest, ADurationOfNothingGivesNoVisiblePulse)
{
    for (const Extended duration : {0.0L, -2.0L}) {
        TRig rig("TBTMonoFlop");
        static_cast<TBTMonoFlop*>(rig.Component)->Duration = duration;
        rig.Start();
        rig.Step("11");
        EXPECT_EQ(HighSteps(rig, "01", 10), 0);
        EXPECT_FALSE(static_cast<TBTMonoFlop*>(rig.Component)->Triggered);
    }
}

TEST_F(MonoFlopTest, TheDurationInputInSeconds)
{
    struct TCase {
        Extended T;
        bool Wired;
        Integer DurationMs;
    };
    const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    // Round(1073741.8235 s × 1000): about 2^30 ms.
    const auto longest = static_cast<Integer>(std::nearbyint(TBTMonoFlopDyn::MaxSeconds * 1000.0L));
    EXPECT_NEAR(longest, 1073741824, 1);
    for (const TCase& c : {TCase{0.0L, false, 0}, TCase{2.5L, true, 2500}, TCase{-1.0L, true, 0},
                           TCase{nan, true, 0}, TCase{0.0015L, true, 2}, TCase{1e12L, true, longest}}) {
        SCOPED_TRACE(static_cast<double>(c.T));
        TRig rig("TBTMonoFlopDyn", c.Wired ? 3 : 1);
        rig.Start();
        rig.Set("111");
        if (c.Wired)
            rig.SetValue(1, c.T);
        rig.Step();
        auto* mono = static_cast<TBTMonoFlopDyn*>(rig.Component);
        EXPECT_EQ(mono->DurationMs, c.DurationMs);
        if (c.DurationMs > 3000)
            continue;
        rig.Set("011");
        if (c.Wired)
            rig.SetValue(1, c.T);
        EXPECT_EQ(HighSteps(rig, nullptr, 3000), c.DurationMs);
    }
}

// Restored from the state file, a pulse runs for a full duration again.
TEST_F(MonoFlopTest, ARunningPulseSurvivesStopAndStart)
{
    QTemporaryDir dir;
    const AnsiString file = dir.path().toStdString() + "/ANLAGE_Default.set";
    TRig rig("TBTMonoFlop");
    rig.Start();
    rig.Step("11");
    HighSteps(rig, "01", 400);
    {
        TIniFile ini(file);
        rig.t.Board().SaveComponentStates(ini);
        rig.t.Board().StopSimulation();
        EXPECT_TRUE(ini.ReadBool("MAIN.MF1", "Triggered", false));
    }
    EXPECT_EQ(rig.Levels(), "01");
    clock.AdvanceMs(5000);
    rig.Start();
    TIniFile ini(file);
    rig.t.Board().LoadComponentStates(ini, 0);
    EXPECT_EQ(rig.Levels(), "10");
    EXPECT_EQ(HighSteps(rig, "01", 2000), 999);   // due at the 1000th millisecond after loading
}

TEST_F(MonoFlopTest, SwitchDelayEdges)
{
    struct TCase {
        Integer On, Off;
        std::vector<std::pair<char, Integer>> Inputs;   // input level, ticks held
        std::string Out;                                // after each tick's step
    };
    const TCase cases[] = {
        // About one second on, nothing off.
        {20, 0, {{'1', 21}, {'0', 2}}, "00000000000000000000" "1" "00"},
        {0, 0, {{'1', 2}, {'0', 2}, {'1', 1}}, "11001"},
        // A pulse shorter than the delay never arrives.
        {3, 3, {{'1', 2}, {'0', 5}}, "0000000"},
        {2, 4, {{'1', 4}, {'0', 6}}, "0011" "111100"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.On * 100 + c.Off);
        TRig rig("TBTOnOffDelay");
        auto* delay = static_cast<TBTOnOffDelay*>(rig.Component);
        delay->OnDelay = c.On;
        delay->OffDelay = c.Off;
        rig.Set("0");
        rig.Start();
        rig.Step();
        std::string out;
        for (const auto& [level, ticks] : c.Inputs) {
            rig.Set(std::string(1, level));
            for (Integer i = 0; i < ticks; ++i) {
                rig.Step();
                out += rig.High(0) ? '1' : '0';
                rig.t.Board().Tick();
            }
        }
        EXPECT_EQ(out, c.Out);
    }
}

// A delay lowered below the running count while running still lets the
// edge through at the next tick.
TEST_F(MonoFlopTest, ADelayLoweredWhileRunningStillFires)
{
    TRig rig("TBTOnOffDelay");
    auto* delay = static_cast<TBTOnOffDelay*>(rig.Component);
    delay->OnDelay = 100;
    rig.Set("0");
    rig.Start();
    rig.Step("1");
    for (Integer i = 0; i < 10; ++i)
        rig.t.Board().Tick();
    EXPECT_FALSE(rig.High(0));
    delay->OnDelay = 5;
    rig.t.Board().Tick();
    EXPECT_TRUE(rig.High(0));
}

TEST_F(MonoFlopTest, TheSwitchDelayStartsWithItsInput)
{
    TRig rig("TBTOnOffDelay", 0);
    static_cast<TBTOnOffDelay*>(rig.Component)->OnDelay = 50;
    rig.Start();
    EXPECT_TRUE(rig.High(0));   // an open input reads high
}

} // namespace
