// The blocks without time base: backlash, dead zone, limiter, comparator,
// sample and hold, the two relays, the incrementer and the analog delay, with
// their resets and retained states.
#include "AnalogClock.h"

#include "components/analog/BT_Inkretment.h"
#include "components/analog/BT_Relais.h"
#include "components/analog/BT_Spiel.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>

#include <vector>

namespace {

class Kennlinien : public AnalogClockTest {};

// HYS = 2 in a new block: Y stands until X passes 1, then follows at X - 1;
// back down it stands until X falls below the band, then follows at X + 1.
TEST_F(Kennlinien, BacklashDragsItsBand)
{
    auto block = Make<TBT_Spiel>("TBT_Spiel");
    struct TStep {
        Extended X, Y;
    };
    for (const TStep& s : {TStep{0, 0}, TStep{0.5L, 0}, TStep{1, 0}, TStep{2, 1}, TStep{5, 4}, TStep{4, 4},
                           TStep{3, 4}, TStep{2.5L, 3.5L}, TStep{0, 1}}) {
        feed.Step(*block, {s.X, 2.0L});
        EXPECT_EQ(Out(*block), s.Y) << static_cast<double>(s.X);
    }
    // HYS = 0: Y = X.
    for (const Extended x : {3.0L, -7.5L, 0.25L}) {
        feed.Step(*block, {x, 0.0L});
        EXPECT_EQ(Out(*block), x);
    }
}

// The band stays from run to run and through the run-state file; a band
// that a value that is no number got into starts over at the next start.
TEST_F(Kennlinien, BacklashKeepsItsBandAcrossRuns)
{
    QTemporaryDir folder;
    TIniFile ini(folder.filePath("p_Default.set").toStdString());
    auto block = Make<TBT_Spiel>("TBT_Spiel");
    block->SetNumber(1);
    feed.Step(*block, {5.0L, 2.0L});
    block->SimulationStopped();
    block->ResetForStart();
    EXPECT_EQ(block->Output, 4.0L);
    block->SaveState(ini, "MAIN");
    auto restored = Make<TBT_Spiel>("TBT_Spiel");
    restored->SetNumber(1);
    restored->LoadState(ini, "MAIN", 0);
    EXPECT_EQ(Out(*restored), 4.0L);
    EXPECT_EQ(restored->HighLimit, 5.0L);
    EXPECT_EQ(restored->LowLimit, 3.0L);

    feed.Step(*block, {1.0L, NaN});
    feed.Step(*block, {1.0L, 2.0L});
    EXPECT_TRUE(std::isnan(block->HighLimit));   // stuck for the rest of the run
    block->ResetForStart();
    feed.Step(*block, {3.0L, 2.0L});
    EXPECT_EQ(Out(*block), 2.0L);
}

TEST_F(Kennlinien, DeadZone)
{
    auto block = Make<TBT_Totzone>("TBT_Totzone");
    struct TCase {
        Extended X, XL, XH, Y;
    };
    for (const TCase& c : {TCase{0.5L, -1, 1, 0}, TCase{3, -1, 1, 2}, TCase{-3, -1, 1, -2}, TCase{1, -1, 1, 0},
                           TCase{-1, -1, 1, 0}, TCase{5, 2, 2, 3}, TCase{-5, 3, 1, -8}, TCase{0, 0, 0, 0}}) {
        feed.Step(*block, {c.X, c.XL, c.XH});
        EXPECT_EQ(Out(*block), c.Y) << static_cast<double>(c.X) << " in " << static_cast<double>(c.XL) << ".."
                                    << static_cast<double>(c.XH);
    }
}

TEST_F(Kennlinien, LimiterWithItsFlags)
{
    auto block = Make<TBTLimiter>("TBTLimiter");
    struct TCase {
        Extended EN, IN, LiH, LiL, A;
        bool ClpL, ClpH;
    };
    for (const TCase& c : {TCase{5, 12, 10, 0, 10, false, true}, TCase{5, -3, 10, 0, 0, true, false},
                           TCase{5, 10, 10, 0, 10, false, false}, TCase{0, 12, 10, 0, 12, false, false},
                           TCase{5, 3, 1, 5, 5, true, true}, TCase{5, 20, 1, 5, 1, false, true}}) {
        feed.Step(*block, {c.EN, c.IN, c.LiH, c.LiL});
        EXPECT_EQ(Out(*block, 2), c.A) << static_cast<double>(c.IN);
        EXPECT_EQ(block->Outputs[0].Level != 0, c.ClpL);
        EXPECT_EQ(block->Outputs[1].Level != 0, c.ClpH);
    }
    // EN unconnected reads high: limiting is on.
    feed.Feed(*block, {0.0L, 12.0L, 10.0L, 0.0L});
    block->Inputs[0].Source = nullptr;
    block->Calculate();
    EXPECT_EQ(Out(*block, 2), 10.0L);
    block->ResetForStart();
    EXPECT_EQ(Out(*block, 2), 0.0L);
    EXPECT_EQ(block->Outputs[1].Level, 0);
}

TEST_F(Kennlinien, ComparatorIsExact)
{
    auto block = Make<TBTAnalogVgl>("TBTAnalogVgl");
    struct TCase {
        Extended A, B;
        bool Lt, Eq, Gt;
    };
    for (const TCase& c : {TCase{1, 1, false, true, false}, TCase{1, nextafterl(1.0L, 2.0L), true, false, false},
                           TCase{-2, -3, false, false, true}, TCase{NaN, 1, false, false, false}}) {
        feed.Step(*block, {c.A, c.B});
        EXPECT_EQ(block->Outputs[0].Level != 0, c.Lt);
        EXPECT_EQ(block->Outputs[1].Level != 0, c.Eq);
        EXPECT_EQ(block->Outputs[2].Level != 0, c.Gt);
    }
    auto unwired = Make<TBTAnalogVgl>("TBTAnalogVgl");
    unwired->Calculate();
    EXPECT_EQ(unwired->Outputs[1].Value, 5.0L);
    unwired->ResetForStart();
    for (Integer o = 0; o < 3; ++o)
        EXPECT_EQ(unwired->Outputs[o].Value, 0.0L);
}

TEST_F(Kennlinien, SampleAndHoldFollowsHoldsAndRestores)
{
    QTemporaryDir folder;
    TIniFile ini(folder.filePath("p_Default.set").toStdString());
    auto block = Make<TBTSample>("TBTSample");
    block->SetNumber(3);
    block->ResetForStart();
    feed.Step(*block, {1.5L, 0.0L});   // held from the start: 0.0
    EXPECT_EQ(Out(*block), 0.0L);
    feed.Step(*block, {2.5L, 5.0L});
    EXPECT_EQ(Out(*block), 2.5L);
    feed.Step(*block, {7.0L, 0.0L});
    EXPECT_EQ(Out(*block), 2.5L);
    block->SaveState(ini, "MAIN");
    block->ResetForStart();
    EXPECT_EQ(Out(*block), 0.0L);
    block->LoadState(ini, "MAIN", 0);
    EXPECT_EQ(Out(*block), 2.5L);
    feed.Step(*block, {7.0L, 0.0L});
    EXPECT_EQ(Out(*block), 2.5L);
    block->Inputs[1].Source = nullptr;   // /Hld unconnected: follow
    feed.Step(*block, {8.0L});
    EXPECT_EQ(Out(*block), 8.0L);
}

TEST_F(Kennlinien, RelaysRouteInTheSameStep)
{
    auto two = Make<TBTRelais>("TBTRelais");
    feed.Step(*two, {1.0L, 2.0L, 0.0L});
    EXPECT_EQ(Out(*two), 1.0L);
    feed.Step(*two, {1.0L, 2.0L, 5.0L});
    EXPECT_EQ(Out(*two), 2.0L);
    two->Inputs[2].Source = nullptr;
    two->Calculate();
    EXPECT_EQ(Out(*two), 2.0L);

    TFeeder feed2;
    auto outputs = Make<TBTRelais_2>("TBTRelais_2");
    feed2.Step(*outputs, {3.0L});   // SEL unconnected: to A1
    EXPECT_EQ(Out(*outputs, 0), 3.0L);
    EXPECT_EQ(Out(*outputs, 1), 0.0L);
    feed2.Step(*outputs, {3.0L, 0.0L});
    EXPECT_EQ(Out(*outputs, 0), 0.0L);
    EXPECT_EQ(Out(*outputs, 1), 3.0L);
}

// INC = 0.5: each falling edge of |CLK adds it (U/D high) or subtracts it;
// /RST low loads RES and ignores edges, but the clock level is still
// followed, so an edge under the reset does not count after it.
TEST_F(Kennlinien, IncrementerCountsFallingEdges)
{
    auto block = Make<TBT_Inkretment>("TBT_Inkretment");
    auto clockStep = [&](Extended upDown, Extended clk, Extended rst, Extended res) {
        feed.Step(*block, {0.5L, upDown, clk, rst, res});
        return Out(*block);
    };
    EXPECT_EQ(clockStep(5, 5, 5, 0), 0.0L);
    EXPECT_EQ(clockStep(5, 0, 5, 0), 0.5L);
    EXPECT_EQ(clockStep(5, 0, 5, 0), 0.5L);
    EXPECT_EQ(clockStep(5, 5, 5, 0), 0.5L);
    EXPECT_EQ(clockStep(5, 0, 5, 0), 1.0L);
    EXPECT_EQ(clockStep(0, 5, 5, 0), 1.0L);
    EXPECT_EQ(clockStep(0, 0, 5, 0), 0.5L);
    EXPECT_EQ(clockStep(0, 5, 0, 7), 7.0L);
    EXPECT_EQ(clockStep(0, 0, 0, 7), 7.0L);   // the edge under the reset
    EXPECT_EQ(clockStep(0, 0, 5, 7), 7.0L);   // not counted after it
    EXPECT_EQ(clockStep(5, 5, 5, 0), 7.0L);
    EXPECT_EQ(clockStep(5, 0, 5, 0), 7.5L);

    QTemporaryDir folder;
    TIniFile ini(folder.filePath("p_Default.set").toStdString());
    block->SetNumber(1);
    block->SaveState(ini, "MAIN");
    block->ResetForStart();
    EXPECT_EQ(block->Value, 0.0L);
    block->LoadState(ini, "MAIN", 0);
    EXPECT_EQ(clockStep(5, 5, 5, 0), 7.5L);
    EXPECT_EQ(clockStep(5, 0, 5, 0), 8.0L);
}

// n = 3: OUT is 0 at the first three falling edges, then the IN of edge
// k - 3; n = 1: the IN of the previous edge. OUT holds between edges.
TEST_F(Kennlinien, AnalogDelayShiftsOnFallingEdges)
{
    for (const Integer n : {3, 1}) {
        SCOPED_TRACE(n);
        auto block = Make<TBT_AnalogDelay>("TBT_AnalogDelay");
        block->SetLength(n);
        block->ResetForStart();
        std::vector<Extended> seen;
        for (Integer edge = 1; edge <= 8; ++edge) {
            feed.Step(*block, {10.0L * edge, 5.0L});
            feed.Step(*block, {10.0L * edge, 0.0L});
            seen.push_back(Out(*block));
            feed.Step(*block, {-1.0L, 0.0L});   // no edge: holds
            EXPECT_EQ(Out(*block), seen.back());
        }
        for (Integer edge = 1; edge <= 8; ++edge)
            EXPECT_EQ(seen[static_cast<std::size_t>(edge - 1)], edge <= n ? 0.0L : 10.0L * (edge - n)) << edge;
    }
}

TEST_F(Kennlinien, AnalogDelayLengthIsClampedAndTheResetEmptiesTheLine)
{
    auto block = Make<TBT_AnalogDelay>("TBT_AnalogDelay");
    EXPECT_EQ(block->Length, 100);
    EXPECT_EQ(block->Cells.size(), 100u);
    block->SetLength(0);
    EXPECT_EQ(block->Length, 1);
    block->SetLength(5000);
    EXPECT_EQ(block->Length, 1000);
    block->SetLength(2);
    feed.Step(*block, {4.0L, 5.0L});
    feed.Step(*block, {4.0L, 0.0L});
    block->ResetForStart();
    EXPECT_EQ(block->Cells, (std::vector<Extended>{0.0L, 0.0L}));
    EXPECT_EQ(block->Position, 0);
}

} // namespace
