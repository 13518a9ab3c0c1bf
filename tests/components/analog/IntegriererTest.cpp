// The integrator, the differentiator and the smoothing filter on the fake
// counter: the continuous and the sampled timing schemes with their catch-up,
// the reset input, the filter's step response, and steps without counter time.
#include "AnalogClock.h"

#include "components/analog/BT_Integrierer.h"
#include "components/analog/Filter.h"

#include <numbers>
#include <vector>

namespace {

class Integrierer : public AnalogClockTest {};

// "Max" integrates wall-clock time, whatever the step rate.
TEST_F(Integrierer, MaxIntegratesWallClockTimeAtAnyStepRate)
{
    for (const Int64 stepTicks : {Ms, 10'000 * Int64(1), 7 * Ms, 250 * Ms}) {
        SCOPED_TRACE(stepTicks);
        auto block = Make<TBTIntegrierer>("TBTIntegrierer");
        block->ResetForStart();
        Int64 t = 0;
        for (; t < 2000 * Ms; t += stepTicks)
            Step(*block, {1.0L}, stepTicks);
        EXPECT_NEAR(static_cast<double>(Out(*block)), static_cast<double>(t) / 1e9, 1e-12);
        EXPECT_EQ(Out(*block), block->Integral);
    }
}

// "100 ms": steps of one period once per period on a grid; after a pause the
// following steps each add one period until the grid has caught up.
TEST_F(Integrierer, APeriodActsOnTheGridAndCatchesUpOnePeriodPerStep)
{
    auto block = Make<TBTIntegrierer>("TBTIntegrierer");
    block->SamplePeriod.Choose(7);
    const Extended ts = block->SamplePeriod.Seconds();
    block->ResetForStart();
    const Int64 start = block->LastCount;
    std::vector<Integer> actions;   // step numbers at which A changed
    for (Integer i = 1; i <= 1000; ++i) {
        const Extended before = Out(*block);
        Step(*block, {2.0L});
        if (Out(*block) != before)
            actions.push_back(i);
    }
    // The stored 100 ms lies a little above 0.1 s, so each action comes
    // with the first step after the period, every 100 steps.
    ASSERT_EQ(actions.size(), 9u);
    for (std::size_t k = 0; k < actions.size(); ++k)
        EXPECT_EQ(actions[k], static_cast<Integer>(100 * (k + 1) + 1));
    EXPECT_NEAR(static_cast<double>(Out(*block)), static_cast<double>(9 * ts * 2.0L), 1e-15);
    EXPECT_EQ(block->LastCount, start + 9 * 100 * Ms);

    // A pause of a second: ten steps in the same tick add a period each.
    clock.Advance(1000 * Ms);
    for (Integer k = 1; k <= 11; ++k) {
        feed.Step(*block, {2.0L});
        const Integer periods = std::min(9 + k, 19);
        EXPECT_NEAR(static_cast<double>(Out(*block)), periods * 0.2, 1e-12) << k;
    }
    EXPECT_EQ(block->LastCount, start + 19 * 100 * Ms);
}

TEST_F(Integrierer, ResetClearsAndTheResetTimeIsNotIntegrated)
{
    auto block = Make<TBTIntegrierer>("TBTIntegrierer");
    block->ResetForStart();
    for (Integer i = 0; i < 500; ++i)
        Step(*block, {1.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), 0.5, 1e-12);
    Step(*block, {1.0L, 0.0L}, 1000 * Ms);   // /RST low for a second
    EXPECT_EQ(Out(*block), 0.0L);
    Step(*block, {1.0L, 5.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), 0.001, 1e-15);
}

// Without a time step the continuous blocks do not move and divide by
// nothing: two steps in the same counter tick leave finite outputs.
TEST_F(Integrierer, StepsInTheSameTickLeaveFiniteOutputs)
{
    auto integrator = Make<TBTIntegrierer>("TBTIntegrierer");
    auto differentiator = Make<TBTDifferenzierer>("TBTDifferenzierer");
    differentiator->Filter.Enabled = true;
    integrator->ResetForStart();
    differentiator->ResetForStart();
    for (Integer i = 0; i < 3; ++i) {
        feed.Step(*integrator, {3.0L});
        feed.Step(*differentiator, {3.0L + i});
        EXPECT_EQ(Out(*integrator), 0.0L);
        EXPECT_EQ(Out(*differentiator), 0.0L);
    }
    Step(*differentiator, {4.0L});
    EXPECT_TRUE(std::isfinite(Out(*differentiator)));
    const Extended held = Out(*differentiator);
    feed.Step(*differentiator, {9.0L});   // no time: holds
    EXPECT_EQ(Out(*differentiator), held);
}

// With the filter off the first action after start divides the whole input
// by the step (a spike), then a constant input gives 0.
TEST_F(Integrierer, DifferentiatorSpikesOnceAfterStartThenFollowsTheSlope)
{
    auto block = Make<TBTDifferenzierer>("TBTDifferenzierer");
    block->ResetForStart();
    Step(*block, {2.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), 2000.0, 1e-9);
    Step(*block, {2.0L});
    EXPECT_EQ(Out(*block), 0.0L);
    Step(*block, {2.5L}, 10 * Ms);
    EXPECT_NEAR(static_cast<double>(Out(*block)), 50.0, 1e-9);
    Step(*block, {2.5L, 0.0L});   // /RST: the reset values
    EXPECT_EQ(Out(*block), 0.0L);
    EXPECT_EQ(block->LastInput, 0.0L);
    EXPECT_EQ(block->PeriodCount, 1);
}

// "10 ms": one action per period of a ramp, the rate as change / Ts, and no
// gap when the reference moves on after the 1000th action.
TEST_F(Integrierer, DifferentiatorPeriodsRunOnWithoutAGapAtTheThousandth)
{
    auto block = Make<TBTDifferenzierer>("TBTDifferenzierer");
    block->SamplePeriod.Choose(4);
    const Extended ts = block->SamplePeriod.Seconds();
    block->ResetForStart();
    const Int64 start = block->LastCount;
    std::vector<Integer> actions;
    Integer lastAction = 0;
    for (Integer i = 1; i <= 25'000; ++i) {
        const Integer before = block->PeriodCount;
        const Int64 referenceBefore = block->LastCount;
        Step(*block, {static_cast<Extended>(i) * 0.001L});   // X = t in seconds
        if (block->PeriodCount != before || block->LastCount != referenceBefore) {
            if (lastAction) {
                EXPECT_EQ(i - lastAction, 10) << "action " << actions.size();
            }
            lastAction = i;
            actions.push_back(i);
            if (actions.size() > 1) {
                EXPECT_NEAR(static_cast<double>(Out(*block)), static_cast<double>(0.01L / ts), 1e-9);
            }
        }
    }
    ASSERT_EQ(actions.size(), 2499u);
    // After 1000 and 2000 actions the reference moved by 1000 periods each.
    EXPECT_EQ(block->LastCount, start + 2 * 1000 * 10 * Ms);
    EXPECT_EQ(block->PeriodCount, 500);
}

// Four Euler stages of 1/(2 pi 10) s each: a unit step passes 0.5 at the
// 56th step of 1 ms, then settles at 1.
TEST_F(Integrierer, TheFilterAtTenHertzPassesHalfAtTheFiftySixthStep)
{
    TFilter filter;
    filter.Enabled = true;
    filter.Reset();
    Extended y = 0;
    for (Integer i = 1; i <= 56; ++i) {
        clock.Advance(Ms);
        y = filter.Filter(1.0L);
        if (i == 55) {
            EXPECT_LT(y, 0.5L);
        }
    }
    EXPECT_GE(y, 0.5L);
    for (Integer i = 0; i < 2000; ++i) {
        clock.Advance(Ms);
        y = filter.Filter(1.0L);
    }
    EXPECT_NEAR(static_cast<double>(y), 1.0, 1e-9);
}

TEST_F(Integrierer, ADisabledFilterKeepsItsStagesAndTime)
{
    TFilter filter;
    filter.Reset();
    const Int64 reset = filter.LastCount;
    clock.Advance(3 * Ms);
    EXPECT_EQ(filter.Filter(7.0L), 7.0L);
    EXPECT_EQ(filter.LastCount, reset);
    EXPECT_EQ(filter.Stages[1], 0.0L);
    // Enabled later, the first call steps over the whole time since the reset.
    filter.Enabled = true;
    filter.Omega = 100.0L;
    filter.Filter(1.0L);
    EXPECT_NEAR(static_cast<double>(filter.Stages[1]), 0.3, 1e-15);   // k = 0.003 s x 100 / s
    EXPECT_EQ(filter.LastCount, reset + 3 * Ms);
}

// A frequency of 0 holds the filter at its reset value; a negative one runs
// the stages away to their bounds; a value that is no number is bounded too.
TEST_F(Integrierer, FilterFrequenciesThatMakeNoSenseStayBounded)
{
    auto block = Make<TBTDifferenzierer>("TBTDifferenzierer");
    block->Filter.Enabled = true;
    block->Filter.Omega = 0.0L;
    block->ResetForStart();
    for (Integer i = 0; i < 10; ++i) {
        Step(*block, {5.0L + i});
        EXPECT_EQ(Out(*block), 0.0L);
    }
    TFilter runaway;
    runaway.Enabled = true;
    runaway.Omega = -1000.0L;
    runaway.Reset();
    Extended y = 0;
    for (Integer i = 0; i < 200; ++i) {
        clock.Advance(10 * Ms);
        y = runaway.Filter(1.0L);
        EXPECT_TRUE(std::isfinite(y));
        EXPECT_LE(std::fabs(y), TFilter::StageLimit);
    }
    clock.Advance(Ms);
    EXPECT_EQ(runaway.Filter(NaN), TFilter::StageLimit);
}

} // namespace
