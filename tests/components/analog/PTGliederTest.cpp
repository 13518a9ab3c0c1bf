// PT1, PT2 and DT1 on the fake counter: their responses against the
// continuous solutions, the sampled and the continuous bounds, the reset,
// the restored states, and the DT1's guarded division.
#include "AnalogClock.h"

#include "components/analog/BT_PTGlieder.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>

#include <algorithm>

namespace {

class PTGlieder : public AnalogClockTest {};

TEST_F(PTGlieder, PT1ReachesSixtyThreePercentAfterOneTimeConstant)
{
    auto block = Make<TPTGlied>("TBTPT1");
    block->ResetForStart();
    for (Integer i = 0; i < 1000; ++i)
        Step(*block, {1.0L, 1.0L, 1.0L});
    // 1 - (1 - 0.001)^1000 with steps of 1 ms; 1 - 1/e = 0.632 exactly.
    EXPECT_NEAR(static_cast<double>(Out(*block)), 0.632, 0.001);
    for (Integer i = 0; i < 9000; ++i)
        Step(*block, {1.0L, 1.0L, 1.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), 1.0, 1e-4);
}

// P scales only the output; an unconnected 1/T1 holds the state.
TEST_F(PTGlieder, PT1GainAndTimeConstantInputs)
{
    auto block = Make<TPTGlied>("TBTPT1");
    block->ResetForStart();
    for (Integer i = 0; i < 100; ++i)
        Step(*block, {1.0L, 0.0L, 1.0L});
    EXPECT_EQ(Out(*block), 0.0L);
    EXPECT_GT(block->State, 0.09L);
    const Extended state = block->State;
    block->Inputs[2].Source = nullptr;
    for (Integer i = 0; i < 100; ++i)
        Step(*block, {1.0L, 3.0L});
    EXPECT_EQ(block->State, state);
    EXPECT_EQ(Out(*block), 3.0L * state);
}

// dt x k above 2 makes the Euler step unstable: continuous it ends
// alternating on the +-1e12 bounds, sampled it grows without a bound.
TEST_F(PTGlieder, PT1UnstableStepsAreBoundedOnlyWhenContinuous)
{
    auto continuous = Make<TPTGlied>("TBTPT1");
    continuous->ResetForStart();
    for (Integer i = 0; i < 200; ++i)
        Step(*continuous, {1.0L, 1.0L, 3000.0L});
    EXPECT_EQ(std::fabs(continuous->State), TPTGlied::PT1StateLimit);
    Step(*continuous, {1.0L, 1.0L, 3000.0L});
    EXPECT_EQ(std::fabs(continuous->State), TPTGlied::PT1StateLimit);

    auto sampled = Make<TPTGlied>("TBTPT1");
    sampled->SamplePeriod.Choose(1);   // 1 ms
    sampled->ResetForStart();
    for (Integer i = 0; i < 200; ++i)
        Step(*sampled, {1.0L, 1.0L, 3000.0L});
    EXPECT_GT(std::fabs(sampled->State), 1e20L);
}

// D = 0 keeps an oscillation of nearly constant amplitude around P x X;
// D = 1 settles without overshoot.
TEST_F(PTGlieder, PT2OscillatesUndampedAndSettlesCriticallyDamped)
{
    auto undamped = Make<TPTGlied>("TBTPT2");
    undamped->ResetForStart();
    Extended high = -Inf, low = Inf;
    for (Integer i = 0; i < 20'000; ++i) {   // 20 s, T = 1 s: about three periods
        Step(*undamped, {1.0L, 2.0L, 1.0L, 0.0L});
        if (i > 10'000) {
            high = std::max(high, Out(*undamped));
            low = std::min(low, Out(*undamped));
        }
    }
    EXPECT_NEAR(static_cast<double>(high), 4.0, 0.05);
    EXPECT_NEAR(static_cast<double>(low), 0.0, 0.05);

    auto damped = Make<TPTGlied>("TBTPT2");
    damped->ResetForStart();
    Extended peak = 0;
    for (Integer i = 0; i < 20'000; ++i) {
        Step(*damped, {1.0L, 2.0L, 1.0L, 1.0L});
        peak = std::max(peak, Out(*damped));
    }
    EXPECT_LE(peak, 2.0L);
    EXPECT_NEAR(static_cast<double>(Out(*damped)), 2.0, 1e-4);
}

TEST_F(PTGlieder, PT2WithAPeriodIsBoundedAndTheResetTimeIsNotIntegrated)
{
    auto block = Make<TPTGlied>("TBTPT2");
    block->SamplePeriod.Choose(1);
    block->ResetForStart();
    for (Integer i = 0; i < 100; ++i)
        Step(*block, {1.0L, 1.0L, 5000.0L, 0.0L});
    EXPECT_LE(std::fabs(block->Rate), TPTGlied::PT2StateLimit);
    EXPECT_LE(std::fabs(block->State), TPTGlied::PT2StateLimit);
    Step(*block, {1.0L, 1.0L, 1.0L, 1.0L, 0.0L}, 1000 * Ms);   // /RST low for a second
    EXPECT_EQ(Out(*block), 0.0L);
    EXPECT_EQ(block->Rate, 0.0L);
    Step(*block, {1.0L, 1.0L, 1.0L, 1.0L, 5.0L}, 2 * Ms);
    // Only the one period since the release: v = Ts, y = Ts^2.
    const Extended ts = block->SamplePeriod.Seconds();
    EXPECT_NEAR(static_cast<double>(Out(*block)), static_cast<double>(ts * ts), 1e-12);
}

// Backward Euler of T1 y' + y = KD x': a unit step jumps to 1/(1 + dt) and
// decays with T1.
TEST_F(PTGlieder, DT1JumpsAndDecays)
{
    auto block = Make<TBTDT1>("TBTDT1");
    block->ResetForStart();
    Step(*block, {0.0L, 1.0L, 1.0L});
    Step(*block, {1.0L, 1.0L, 1.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), 1.0 / 1.001, 1e-12);
    for (Integer i = 0; i < 1000; ++i)
        Step(*block, {1.0L, 1.0L, 1.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), std::exp(-1.0) / 1.001, 1e-3);
}

// With a period the output changes once per period, using the real time
// since the previous action.
TEST_F(PTGlieder, DT1WithAPeriodActsOncePerPeriodOnTheRealTime)
{
    auto block = Make<TBTDT1>("TBTDT1");
    block->SamplePeriod.Choose(7);   // 100 ms
    block->ResetForStart();
    Integer changes = 0;
    Extended x = 0;
    for (Integer i = 1; i <= 1000; ++i) {
        const Int64 before = block->LastCount;
        x += 0.001L;
        Step(*block, {x, 1.0L, 0.0L});   // T1 = 0: a pure differentiator
        if (block->LastCount != before) {
            ++changes;
            EXPECT_NEAR(static_cast<double>(Out(*block)), 1.0, 1e-9);   // dx/dt of the ramp
        }
    }
    EXPECT_EQ(changes, 9);
}

// T1 + dt = 0 has no step: the action waits, no NaN, no infinity.
TEST_F(PTGlieder, DT1GuardsItsDivision)
{
    auto block = Make<TBTDT1>("TBTDT1");
    block->ResetForStart();
    feed.Step(*block, {1.0L, 1.0L, 0.0L});   // T1 = 0, no time
    EXPECT_EQ(Out(*block), 0.0L);
    Step(*block, {1.0L, 1.0L, -0.001L});     // T1 = -dt
    EXPECT_EQ(Out(*block), 0.0L);
    Step(*block, {1.0L, 1.0L, 0.0L});
    EXPECT_TRUE(std::isfinite(Out(*block)));
    EXPECT_NEAR(static_cast<double>(Out(*block)), 500.0, 1e-9);   // the step of 1 over the 2 ms since the reset
}

// The filtered first step works on a freshly reset filter, and the last
// input stays from run to run.
TEST_F(PTGlieder, DT1FilterIsResetAtStartAndTheLastInputKept)
{
    auto block = Make<TBTDT1>("TBTDT1");
    block->Filter.Enabled = true;
    block->ResetForStart();
    for (Integer i = 0; i < 100; ++i)
        Step(*block, {1.0L, 1.0L, 1.0L});
    const Extended last = block->LastInput;
    EXPECT_GT(last, 0.0L);
    block->ResetForStart();
    EXPECT_EQ(block->LastInput, last);
    EXPECT_EQ(block->Filter.Stages[4], 0.0L);
    EXPECT_EQ(block->Filter.LastCount, block->LastCount);
}

TEST_F(PTGlieder, RestoredStatesShowUntilTheFirstAction)
{
    QTemporaryDir folder;
    TIniFile ini(folder.filePath("p_Default.set").toStdString());
    auto pt1 = Make<TPTGlied>("TBTPT1");
    pt1->SetNumber(1);
    pt1->State = 2.0L;
    pt1->SaveState(ini, "MAIN");
    EXPECT_EQ(ini.ReadString("MAIN.PT1-1", "Value", ""), "2");
    auto pt2 = Make<TPTGlied>("TBTPT2");
    pt2->SetNumber(4);
    pt2->Rate = 0.5L;
    pt2->State = -1.25L;
    pt2->SaveState(ini, "MAIN");

    auto restored = Make<TPTGlied>("TBTPT1");
    restored->SetNumber(1);
    restored->SamplePeriod.Choose(10);   // 1 s
    restored->ResetForStart();
    restored->LoadState(ini, "MAIN", 0);
    EXPECT_EQ(Out(*restored), 2.0L);
    Step(*restored, {2.0L, 3.0L, 0.5L}, 500 * Ms);
    EXPECT_EQ(Out(*restored), 2.0L);
    Step(*restored, {2.0L, 3.0L, 0.5L}, 600 * Ms);
    EXPECT_NEAR(static_cast<double>(Out(*restored)), 6.0, 1e-9);   // y stays 2 with X = 2

    auto restored2 = Make<TPTGlied>("TBTPT2");
    restored2->SetNumber(4);
    restored2->ResetForStart();
    restored2->LoadState(ini, "MAIN", 0);
    EXPECT_EQ(restored2->Rate, 0.5L);
    EXPECT_EQ(Out(*restored2), -1.25L);
}

} // namespace
