// The controllers on the fake counter: the P part, the PI's integral without
// wind-up and its reset, the PID's filtered derivative and its range, the
// guarded steps without counter time, the two-position band, the retained
// states, and a PT2 plant under a PID controller on a board, settling in the
// fast loop and in the 1 ms loop.
#include "AnalogClock.h"

#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_Regler.h"
#include "platform/IniFile.h"
#include "support/TestBoard.h"

#include <QTemporaryDir>

#include <algorithm>

namespace {

class Regler : public AnalogClockTest {};

TEST_F(Regler, PIsOutputIsTheGainTimesTheError)
{
    auto block = Make<TBT_P_Regler>("TBT_P_Regler");
    feed.Step(*block, {5.0L, 2.0L});
    EXPECT_EQ(Out(*block), 0.0L);   // KP unconnected
    feed.Step(*block, {5.0L, 2.0L, -1.5L});
    EXPECT_EQ(Out(*block), -4.5L);
}

// KP = 0, KI = 1, e = 1: Y rises by 1 per second and the integral stops at
// max = 10, so a negative error brings Y down at once.
TEST_F(Regler, PIIntegratesWithoutWindUp)
{
    auto block = Make<TBT_PI_Regler>("TBT_PI_Regler");
    block->OutputMax = 10.0L;
    block->ResetForStart();
    for (Integer i = 0; i < 2000; ++i)
        Step(*block, {1.0L, 0.0L, 0.0L, 1.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), 2.0, 1e-9);
    for (Integer i = 0; i < 20'000; ++i)
        Step(*block, {1.0L, 0.0L, 0.0L, 1.0L});
    EXPECT_EQ(Out(*block), 10.0L);
    EXPECT_EQ(block->Integral, 10.0L);
    Step(*block, {0.0L, 1.0L, 0.0L, 1.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), 10.0 - 0.001, 1e-12);
}

// With a period of 1 s the PI acts once per second on the elapsed time; a
// held /RST freezes Y and reloads the integral, which starts again from Init.
TEST_F(Regler, PIWithAPeriodAndTheResetInput)
{
    auto block = Make<TBT_PI_Regler>("TBT_PI_Regler");
    block->SamplePeriod.Choose(10);
    block->IntegralStart = 0.5L;
    block->ResetForStart();
    Integer changes = 0;
    for (Integer i = 0; i < 3500; ++i) {
        const Extended before = Out(*block);
        Step(*block, {1.0L, 0.0L, 0.0L, 1.0L, 5.0L});
        changes += Out(*block) != before;
    }
    EXPECT_EQ(changes, 3);
    EXPECT_NEAR(static_cast<double>(Out(*block)), 3.5, 1e-12);
    const Extended frozen = Out(*block);
    for (Integer i = 0; i < 3000; ++i)
        Step(*block, {1.0L, 0.0L, 0.0L, 1.0L, 0.0L});
    EXPECT_EQ(Out(*block), frozen);
    EXPECT_EQ(block->Integral, 0.5L);
    for (Integer i = 0; i < 1000; ++i)
        Step(*block, {1.0L, 0.0L, 0.0L, 1.0L, 5.0L});
    EXPECT_NEAR(static_cast<double>(Out(*block)), 1.5, 1e-12);
}

TEST_F(Regler, PIWithMaxAndResetLowWritesTheStartValueEveryStep)
{
    auto block = Make<TBT_PI_Regler>("TBT_PI_Regler");
    block->IntegralStart = 0.25L;
    block->ResetForStart();
    for (Integer i = 0; i < 5; ++i) {
        Step(*block, {3.0L, 1.0L, 2.0L, 7.0L, 0.0L});
        EXPECT_EQ(Out(*block), 4.25L);
    }
}

// The filter turns the derivative kick of a step of the error into a smooth
// pulse of the same area.
TEST_F(Regler, PIDFilterSmoothsTheDerivativeKick)
{
    auto kick = [&](bool filtered) {
        auto block = Make<TBT_PID_Regler>("TBT_PID_Regler");
        block->Filter.Enabled = filtered;
        block->ResetForStart();
        Step(*block, {0.0L, 0.0L, 0.0L, 0.0L, 1.0L});
        Extended peak = 0, area = 0;
        Integer busy = 0;
        for (Integer i = 0; i < 1000; ++i) {
            Step(*block, {1.0L, 0.0L, 0.0L, 0.0L, 1.0L});
            peak = std::max(peak, Out(*block));
            area += Out(*block) * 0.001L;
            busy += Out(*block) > 1.0L;
        }
        return std::tuple{peak, area, busy};
    };
    const auto [spike, spikeArea, spikeSteps] = kick(false);
    const auto [pulse, pulseArea, pulseSteps] = kick(true);
    EXPECT_NEAR(static_cast<double>(spike), 1000.0, 1e-6);
    EXPECT_EQ(spikeSteps, 1);
    EXPECT_LT(pulse, 50.0L);
    EXPECT_GT(pulseSteps, 20);
    EXPECT_NEAR(static_cast<double>(pulseArea), static_cast<double>(spikeArea), 0.01);
}

TEST_F(Regler, PIDAndPDStayInTheirRange)
{
    auto pid = Make<TBT_PID_Regler>("TBT_PID_Regler");
    auto pd = Make<TBT_PD_Regler>("TBT_PD_Regler");
    for (TReglerBT* block : {static_cast<TReglerBT*>(pid.get()), static_cast<TReglerBT*>(pd.get())}) {
        block->OutputMin = 0.0L;
        block->OutputMax = 5.0L;
        block->ResetForStart();
    }
    for (Integer i = 0; i < 400; ++i) {
        const Extended e = (i % 37) * 3.0L - 50.0L;
        Step(*pid, {e, 0.0L, 7.0L, 30.0L, 0.5L});
        feed.Step(*pd, {e, 0.0L, 7.0L, 0.5L});
        for (TIOBauteil* block : {static_cast<TIOBauteil*>(pid.get()), static_cast<TIOBauteil*>(pd.get())}) {
            EXPECT_GE(Out(*block), 0.0L);
            EXPECT_LE(Out(*block), 5.0L);
        }
    }
    // Min above max gives min.
    EXPECT_EQ(LimitToRange(3.0L, 2.0L, 1.0L), 2.0L);
    EXPECT_EQ(LimitToRange(NaN, -1.0L, 1.0L), 1.0L);
}

// Unwired gains: only the limited integral start value.
TEST_F(Regler, AnUnwiredPIDOutputsItsLimitedStartValue)
{
    auto block = Make<TBT_PID_Regler>("TBT_PID_Regler");
    block->IntegralStart = 8.0L;
    block->OutputMax = 6.0L;
    block->ResetForStart();
    Step(*block, {});
    EXPECT_EQ(Out(*block), 6.0L);
}

// Two steps in one counter tick: the D part has no rate; the output holds.
TEST_F(Regler, StepsWithoutCounterTimeHoldTheOutput)
{
    auto pid = Make<TBT_PID_Regler>("TBT_PID_Regler");
    pid->ResetForStart();
    Step(*pid, {1.0L, 0.0L, 1.0L, 1.0L, 1.0L});
    const Extended pidOut = Out(*pid);
    for (Integer i = 0; i < 3; ++i) {
        feed.Step(*pid, {2.0L + i, 0.0L, 1.0L, 1.0L, 1.0L});
        EXPECT_EQ(Out(*pid), pidOut);
    }
    Step(*pid, {4.0L, 0.0L, 1.0L, 1.0L, 1.0L});
    EXPECT_TRUE(std::isfinite(Out(*pid)));
    EXPECT_NE(Out(*pid), pidOut);

    auto pd = Make<TBT_PD_Regler>("TBT_PD_Regler");
    pd->ResetForStart();
    Step(*pd, {1.0L, 0.0L, 1.0L, 1.0L});
    const Extended pdOut = Out(*pd);
    for (Integer i = 0; i < 3; ++i) {
        feed.Step(*pd, {2.0L + i, 0.0L, 1.0L, 1.0L});
        EXPECT_EQ(Out(*pd), pdOut);
    }
}

// X+ = 20, HYS = 2: on below 19, off above 21, the state held in between;
// HYS = 0 switches at X+ itself.
TEST_F(Regler, TwoPositionSwitchesAtTheBandEdges)
{
    struct TCase {
        Extended Hys;
        std::vector<std::pair<Extended, bool>> Sequence;   // actual value, ON after the step
    };
    for (const TCase& c : {TCase{2.0L, {{20.0L, false}, {19.0L, false}, {18.9L, true}, {20.0L, true}, {21.0L, true},
                                        {21.1L, false}, {19.5L, false}, {18.0L, true}}},
                           TCase{0.0L, {{20.0L, false}, {19.99L, true}, {20.0L, true}, {20.01L, false}}}}) {
        auto block = Make<TBT_2_Punkt_Regler>("TBT_2_Punkt_Regler");
        for (const auto& [actual, on] : c.Sequence) {
            feed.Step(*block, {20.0L, actual, c.Hys});
            EXPECT_EQ(block->On, on) << static_cast<double>(actual);
            EXPECT_EQ(block->Outputs[0].Level != 0, on);
        }
    }
}

// The on/off state survives a stop and start; the run-state file restores
// it and the output with it.
TEST_F(Regler, RetainedStatesOfTheControllers)
{
    QTemporaryDir folder;
    TIniFile ini(folder.filePath("p_Default.set").toStdString());
    auto onOff = Make<TBT_2_Punkt_Regler>("TBT_2_Punkt_Regler");
    onOff->SetNumber(2);
    feed.Step(*onOff, {20.0L, 10.0L, 2.0L});
    onOff->SimulationStopped();
    onOff->ResetForStart();
    EXPECT_TRUE(onOff->On);
    onOff->SaveState(ini, "MAIN");
    auto pid = Make<TBT_PID_Regler>("TBT_PID_Regler");
    pid->SetNumber(3);
    pid->Integral = 4.5L;
    pid->SaveState(ini, "MAIN");
    EXPECT_EQ(ini.ReadString("MAIN.PID-3", "Value", ""), "4.5");
    EXPECT_TRUE(ini.ReadBool("MAIN.2HYS-2", "Status", false));

    auto onOff2 = Make<TBT_2_Punkt_Regler>("TBT_2_Punkt_Regler");
    onOff2->SetNumber(2);
    onOff2->LoadState(ini, "MAIN", 0);
    EXPECT_TRUE(onOff2->On);
    EXPECT_EQ(onOff2->Outputs[0].Value, 5.0L);
    auto pid2 = Make<TBT_PID_Regler>("TBT_PID_Regler");
    pid2->SetNumber(3);
    pid2->IntegralStart = 1.0L;
    pid2->ResetForStart();
    pid2->LoadState(ini, "MAIN", 0);
    EXPECT_EQ(pid2->Integral, 4.5L);
    Step(*pid2, {});
    EXPECT_EQ(Out(*pid2), 4.5L);
}

// The closed loop: set point 1 on a PT2 plant (P = 1, T = 0.5 s, D = 0.5)
// under a PID (KP = 2, KI = 1, KD = 0.2, D filtered at 10 Hz, output within
// +-10). The loop's slowest pole lies near -0.35/s, so after 40 s the error
// has shrunk below 1e-4 of the step; the integral removes the rest.
struct TLoop {
    TTestBoard Board;
    TBT_PID_Regler* Pid;
    TPTGlied* Plant;

    // Drawn so that no two nets touch: each fixed value sits with its output
    // end 40 units before the input it feeds, on the input's line; the PID
    // drives the plant on one straight line; the feedback runs from the
    // plant's output over the top and down to the PID's input X-.
    TLoop()
    {
        Pid = PlaceAs<TBT_PID_Regler>(Board, "TBT_PID_Regler", 1000, 1000);
        Pid->Filter.Enabled = true;
        Pid->OutputMin = -10.0L;
        Pid->OutputMax = 10.0L;
        const TPoint plantInput = PinOffset("TBTPT2", false, 0);
        Plant = PlaceAs<TPTGlied>(Board, "TBTPT2", 2000 - plantInput.X, Pid->Outputs[0].Y - plantInput.Y);
        Feed(1.0L, Pid, 0);   // set point
        Feed(2.0L, Pid, 2);   // KP
        Feed(1.0L, Pid, 3);   // KI
        Feed(0.2L, Pid, 4);   // KD
        Feed(1.0L, Plant, 1);   // P
        Feed(2.0L, Plant, 2);   // 1/T
        Feed(0.5L, Plant, 3);   // D
        Board.Connect(Pid, 0, Plant, 0);
        const TBauteilPin& out = Plant->Outputs[0];
        const TBauteilPin& in = Pid->Inputs[1];
        const Integer top = Pid->BodyRect.Top - 400;
        const Integer left = in.X - 100;
        const TPoint route[] = {{out.X, out.Y}, {out.X + 60, out.Y}, {out.X + 60, top}, {left, top}, {left, in.Y},
                                {in.X, in.Y}};
        for (std::size_t i = 0; i + 1 < std::size(route); ++i)
            Board.Board().AddWireAndNormalise(route[i], route[i + 1]);
        // As the simulation start does: nets, links from the wires, resets.
        Board.Board().PrepareSimulation();
    }

    static TPoint PinOffset(const char* className, bool output, Integer i)
    {
        auto probe = Make(className);
        probe->LayoutPins();
        const TBauteilPin& pin = output ? probe->Outputs[static_cast<std::size_t>(i)] : probe->Inputs[static_cast<std::size_t>(i)];
        return {pin.X - probe->X, pin.Y - probe->Y};
    }
    void Feed(Extended value, TIOBauteil* to, Integer input)
    {
        const TBauteilPin& target = to->Inputs[static_cast<std::size_t>(input)];
        const TPoint end = PinOffset("TBTFest", true, 0);
        auto* fixed = PlaceAs<TBTFest>(Board, "TBTFest", target.X - 40 - end.X, target.Y - end.Y);
        fixed->Value = value;
        Board.Connect(fixed, 0, to, input);
        Feeds.push_back({fixed, to, input});
    }

    struct TFeed {
        TIOBauteil* From;
        TIOBauteil* To;
        Integer Input;
    };
    std::vector<TFeed> Feeds;
};

// The fast loop (50 000 steps per second), the 1 ms loop, and a 1 ms loop on
// a busy machine: late ticks, and steps that come twice in one tick. (Gaps
// beyond 2/Omega, 32 ms at 10 Hz, make the filter's Euler stages overshoot
// by design; the loop then chatters within the PID's limits.)
TEST_F(Regler, APT2PlantUnderAPIDSettlesInTheFastAndTheMillisecondLoop)
{
    const std::vector<std::vector<Int64>> rhythms = {{20'000}, {Ms}, {Ms, Ms, 0, 3 * Ms, Ms, 12 * Ms, 0, 0}};
    for (const std::vector<Int64>& rhythm : rhythms) {
        SCOPED_TRACE(rhythm.size() == 1 ? std::to_string(rhythm[0]) : "irregular");
        TLoop loop;
        ASSERT_EQ(loop.Pid->Inputs[1].Source, &loop.Plant->Outputs[0]);   // the feedback wire
        ASSERT_EQ(loop.Plant->Inputs[0].Source, &loop.Pid->Outputs[0]);
        for (const TLoop::TFeed& f : loop.Feeds)
            ASSERT_EQ(f.To->Inputs[static_cast<std::size_t>(f.Input)].Source, &f.From->Outputs[0]) << f.Input;
        Extended peak = 0;
        std::size_t beat = 0;
        auto step = [&] {
            clock.Advance(rhythm[beat++ % rhythm.size()]);
            loop.Board.Board().Step();
        };
        const Int64 start = clock.Nanoseconds();
        while (clock.Nanoseconds() - start < 40'000 * Ms) {
            step();
            peak = std::max(peak, Out(*loop.Plant));
            ASSERT_TRUE(std::isfinite(Out(*loop.Pid)));
        }
        EXPECT_NEAR(static_cast<double>(Out(*loop.Plant)), 1.0, 1e-4);
        EXPECT_LT(peak, 1.5L);   // a damped approach, no run-away
        // And it stays there.
        for (Integer i = 0; i < 1000; ++i)
            step();
        EXPECT_NEAR(static_cast<double>(Out(*loop.Plant)), 1.0, 1e-4);
    }
}

} // namespace
