// The source blocks on the fake counter: the five waves from one phase, the
// phase that runs past one period when the frequency outruns the steps, the
// pulse timing with its carried remainder, the ramp from its start edge, and
// the random value replayed from the seed the fake clock gives it.
#include "AnalogClock.h"

#include "components/analog/BT_Generatoren.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "dialogs/PropEditors.h"
#include "engine/Language.h"
#include "platform/Stream.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <vector>

namespace {

using Generators = AnalogClockTest;

enum { DWN, RUP, TRI, REC, SIN };

TEST_F(Generators, FiveWavesShareOnePhase)
{
    auto gen = Make<TBTFktGenerator>("TBTFktGenerator");
    EXPECT_EQ(gen->Outputs[SIN].Name, "SIN");
    EXPECT_EQ(gen->Outputs[DWN].Name, "DWN");
    gen->ResetForStart();
    Step(*gen, {1.0L, 1.0L}, 250 * Ms);
    EXPECT_NEAR(Out(*gen, SIN), 1.0, 1e-12);
    EXPECT_EQ(Out(*gen, REC), 1.0L);
    EXPECT_NEAR(Out(*gen, TRI), 0.0, 1e-12);
    EXPECT_NEAR(Out(*gen, RUP), -0.5, 1e-12);
    EXPECT_NEAR(Out(*gen, DWN), 0.5, 1e-12);
    Step(*gen, {1.0L, 1.0L}, 500 * Ms);
    EXPECT_NEAR(Out(*gen, SIN), -1.0, 1e-12);
    EXPECT_EQ(Out(*gen, REC), -1.0L);
    EXPECT_NEAR(Out(*gen, TRI), 0.0, 1e-12);
    EXPECT_NEAR(Out(*gen, RUP), 0.5, 1e-12);
    EXPECT_NEAR(Out(*gen, DWN), -0.5, 1e-12);
    // Past the period the phase starts again (by one period).
    Step(*gen, {1.0L, 2.0L}, 500 * Ms);
    EXPECT_NEAR(Out(*gen, RUP), 2.0 * 2.0 * 0.25 - 2.0, 1e-12);
}

// Zero, negative and unreadable frequencies give the lowest, 0.001 Hz.
TEST_F(Generators, FrequenciesBelowTheLowestGiveAThousandSecondPeriod)
{
    for (const Extended f : {0.0L, -5.0L, NaN}) {
        auto gen = Make<TBTFktGenerator>("TBTFktGenerator");
        gen->ResetForStart();
        Step(*gen, {f, 1.0L}, 250'000 * Ms);
        EXPECT_NEAR(Out(*gen, SIN), 1.0, 1e-9) << f;
        EXPECT_NEAR(Out(*gen, RUP), -0.5, 1e-9) << f;
    }
    auto unconnected = Make<TBTFktGenerator>("TBTFktGenerator");
    unconnected->ResetForStart();
    feed.Pins[1].SetValue(1.0L);
    unconnected->Inputs[1].Source = &feed.Pins[1];
    clock.Advance(750'000 * Ms);
    unconnected->Calculate();
    EXPECT_NEAR(Out(*unconnected, RUP), 0.5, 1e-9);
}

// 10 Hz sampled every 250 ms: one period comes off per step, so the phase is
// 1.5 and the ramps leave [-A, A] until the accumulator catches up.
TEST_F(Generators, APhaseAboveOneIsReducedByOnePeriodPerStep)
{
    auto gen = Make<TBTFktGenerator>("TBTFktGenerator");
    gen->ResetForStart();
    Step(*gen, {10.0L, 1.0L}, 250 * Ms);
    EXPECT_NEAR(Out(*gen, RUP), 2.0, 1e-9);
    EXPECT_NEAR(Out(*gen, DWN), -2.0, 1e-9);
    EXPECT_NEAR(gen->Time, 0.15, 1e-12);
    Step(*gen, {10.0L, 1.0L}, 1 * Ms);
    EXPECT_NEAR(gen->Time, 0.051, 1e-12);
    Step(*gen, {10.0L, 1.0L}, 1 * Ms);
    EXPECT_NEAR(gen->Time, 0.052, 1e-12);
    EXPECT_NEAR(Out(*gen, RUP), 2.0 * 0.52 - 1.0, 1e-9);
}

// Rising and falling edges of CLK over ten seconds in 1 ms steps.
struct PulseRun {
    std::vector<double> Rising, Falling;
};

class PulseTest : public AnalogClockTest {
protected:
    PulseRun Run(Extended th, Extended tl, Integer steps)
    {
        auto pulse = Make<TBTPulse>("TBTPulse");
        pulse->ResetForStart();
        PulseRun run;
        bool last = false;
        for (Integer i = 1; i <= steps; ++i) {
            Step(*pulse, {th, tl});
            const bool now = pulse->Outputs[0].Level != 0;
            if (now != last)
                (now ? run.Rising : run.Falling).push_back(i / 1000.0);
            last = now;
        }
        return run;
    }
};

TEST_F(PulseTest, LowForTLThenHighForTHWithTheRemainderCarried)
{
    const PulseRun run = Run(0.1L, 0.4L, 10'000);
    ASSERT_GE(run.Rising.size(), 19U);
    EXPECT_NEAR(run.Rising[0], 0.4, 0.0015);   // the first step after TL
    EXPECT_NEAR(run.Falling[0], 0.5, 0.0025);
    // Carrying the overshoot keeps the period at 0.5 s over many periods.
    EXPECT_NEAR(run.Rising[19], 0.4 + 19 * 0.5, 0.0025);
    EXPECT_EQ(run.Rising.size(), 20U);
}

// A negative TL counts as 0: every low phase lasts one step.
TEST_F(PulseTest, NegativeTimesCountAsZero)
{
    const PulseRun run = Run(0.0045L, -1.0L, 60);
    ASSERT_GE(run.Falling.size(), 5U);
    for (std::size_t i = 0; i + 1 < run.Falling.size(); ++i)
        EXPECT_NEAR(run.Rising[i + 1] - run.Falling[i], 0.001, 1e-9);
    const PulseRun toggling = Run(0.0L, 0.0L, 10);
    EXPECT_EQ(toggling.Rising.size() + toggling.Falling.size(), 10U);
}

class RampTest : public AnalogClockTest {
protected:
    enum { RUN, T, Y };
    static constexpr Extended High = 5.0L, Low = 0.0L;
    void SetUp() override
    {
        AnalogClockTest::SetUp();
        ramp->ResetForStart();
        Step(*ramp, {0.0L, 10.0L, 2.0L, -1.0L, High});   // counts as a rising edge
        EXPECT_EQ(ramp->Outputs[RUN].Level, 0);
        Step(*ramp, {0.0L, 10.0L, 2.0L, -1.0L, High});
        EXPECT_EQ(Out(*ramp, Y), -1.0L);
        Step(*ramp, {0.0L, 10.0L, 2.0L, -1.0L, Low});    // the start edge
        EXPECT_EQ(ramp->Outputs[RUN].Level, 1);
    }
    std::unique_ptr<TBTRampenGenerator> ramp = Make<TBTRampenGenerator>("TBTRampenGenerator");
};

TEST_F(RampTest, RunsFromY1ToY2InTSecondsThenReturnsToY0)
{
    // Inputs changed during the ramp do not move it: Y1, Y2 and T were latched.
    Step(*ramp, {3.0L, 99.0L, 7.0L, -1.0L, Low}, 1000 * Ms);
    EXPECT_NEAR(Out(*ramp, Y), 5.0, 1e-12);
    EXPECT_NEAR(Out(*ramp, T), 1.0, 1e-12);
    EXPECT_EQ(ramp->Outputs[RUN].Level, 1);
    Step(*ramp, {3.0L, 99.0L, 7.0L, -1.0L, Low}, 1000 * Ms);
    EXPECT_NEAR(Out(*ramp, Y), 10.0, 1e-12);
    Step(*ramp, {3.0L, 99.0L, 7.0L, -1.0L, Low});
    EXPECT_EQ(ramp->Outputs[RUN].Level, 0);
    EXPECT_EQ(Out(*ramp, T), 2.0L);
    EXPECT_NEAR(Out(*ramp, Y), 10.0, 1e-12);   // held for the ending step
    Step(*ramp, {3.0L, 99.0L, 7.0L, -1.0L, Low});
    EXPECT_EQ(Out(*ramp, Y), -1.0L);
}

TEST_F(RampTest, ARisingEdgeStopsTheRampAtOnce)
{
    Step(*ramp, {0.0L, 10.0L, 2.0L, -1.0L, Low}, 500 * Ms);
    EXPECT_NEAR(Out(*ramp, Y), 2.5, 1e-12);
    Step(*ramp, {0.0L, 10.0L, 2.0L, -1.0L, High});
    EXPECT_EQ(ramp->Outputs[RUN].Level, 0);
    Step(*ramp, {0.0L, 10.0L, 2.0L, -1.0L, High});
    EXPECT_EQ(Out(*ramp, Y), -1.0L);
}

TEST_F(RampTest, ADurationOfZeroJumpsToY2AndEndsInTheNextStep)
{
    Step(*ramp, {0.0L, 10.0L, 0.0L, -1.0L, High});
    Step(*ramp, {0.0L, 10.0L, 0.0L, -1.0L, Low});
    Step(*ramp, {0.0L, 10.0L, 0.0L, -1.0L, Low}, 0);
    EXPECT_EQ(Out(*ramp, Y), 10.0L);
    EXPECT_EQ(ramp->Outputs[RUN].Level, 1);
    Step(*ramp, {0.0L, 10.0L, 0.0L, -1.0L, Low});
    EXPECT_EQ(ramp->Outputs[RUN].Level, 0);
}

class RandomTest : public AnalogClockTest {
protected:
    // The generator the block seeds at its reset, from the same counter.
    TRandomSource Replay() { return TRandomSource(static_cast<std::uint64_t>(clock.Nanoseconds())); }
    // The value its bit outputs show.
    static Int64 Bits(const TBTRandom& rnd)
    {
        Int64 v = 0;
        for (Integer i = 0; i < rnd.OutputCount; ++i)
            v = v * 2 + rnd.Outputs[i].Level;
        return v;
    }
};

TEST_F(RandomTest, AnalogValueEveryFifthStep)
{
    auto rnd = Make<TBTRandom>("TBTRandom");
    ASSERT_EQ(rnd->OutputCount, 1);
    EXPECT_EQ(rnd->Outputs[0].Name, "A");
    rnd->ResetForStart();
    TRandomSource expected = Replay();
    for (Integer round = 0; round < 20; ++round) {
        const Extended before = Out(*rnd);
        for (Integer i = 0; i < 4; ++i) {
            Step(*rnd, {});
            EXPECT_EQ(Out(*rnd), before);
        }
        Step(*rnd, {});
        const double u = expected.Unit();
        EXPECT_EQ(Out(*rnd), u);
        EXPECT_GE(u, 0.0);
        EXPECT_LT(u, 1.0);
    }
}

TEST_F(RandomTest, AReversedRangeStartsAtTheMinimum)
{
    auto rnd = Make<TBTRandom>("TBTRandom");
    rnd->RangeMin = 10;
    rnd->RangeMax = 4;
    rnd->ResetForStart();
    TRandomSource expected = Replay();
    for (Integer i = 0; i < 5; ++i)
        Step(*rnd, {});
    EXPECT_EQ(Out(*rnd), expected.Unit() * 6.0 + 10.0);
}

TEST_F(RandomTest, BitCountFollowsTheMaximum)
{
    const std::pair<Integer, Integer> cases[] = {{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 2},
                                                 {7, 3}, {128, 8}, {255, 8}, {65536, 17}, {99999, 17}};
    for (const auto& [max, n] : cases)
        EXPECT_EQ(TBTRandom::BitCount(max), n) << max;
}

TEST_F(RandomTest, DigitalModeShowsTheBitsOfAValueInTheRange)
{
    auto rnd = Make<TBTRandom>("TBTRandom");
    rnd->RangeMax = 7;
    rnd->Digital = true;
    rnd->BuildOutputs();
    ASSERT_EQ(rnd->OutputCount, 3);
    EXPECT_EQ(rnd->Outputs[0].Name, "B2");
    EXPECT_EQ(rnd->Outputs[2].Name, "B0");
    rnd->ResetForStart();
    TRandomSource expected = Replay();
    std::vector<bool> seen(8);
    for (Integer round = 0; round < 100; ++round) {
        for (Integer i = 0; i < 5; ++i)
            Step(*rnd, {});
        const Int64 v = expected.Below(8);
        EXPECT_EQ(Bits(*rnd), v);
        seen[static_cast<std::size_t>(v)] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 8);
}

// A negative value shows its two's complement in the bits there are.
TEST_F(RandomTest, NegativeValuesShowTheirTwosComplement)
{
    auto rnd = Make<TBTRandom>("TBTRandom");
    rnd->RangeMin = -4;
    rnd->RangeMax = -4;
    rnd->Digital = true;
    rnd->BuildOutputs();
    ASSERT_EQ(rnd->OutputCount, 1);
    rnd->RangeMax = 3;   // two bits, the minimum stays -4 .. 3
    rnd->BuildOutputs();
    rnd->ResetForStart();
    TRandomSource expected = Replay();
    for (Integer i = 0; i < 5; ++i)
        Step(*rnd, {});
    EXPECT_EQ(Bits(*rnd), (expected.Below(8) - 4) & 3);
}

TEST_F(RandomTest, TheRecordBringsTheBitOutputsBack)
{
    auto rnd = Make<TBTRandom>("TBTRandom");
    rnd->RangeMin = 2;
    rnd->RangeMax = 200;
    rnd->Digital = true;
    rnd->BuildOutputs();
    TMemoryStream stream;
    {
        TWriter writer(stream);
        rnd->WriteData(stream, writer);
    }
    auto read = Make<TBTRandom>("TBTRandom");
    stream.SetPosition(0);
    {
        TReader reader(stream);
        read->ReadData(stream, reader, 46);
    }
    EXPECT_TRUE(read->Digital);
    EXPECT_EQ(read->RangeMin, 2);
    EXPECT_EQ(read->RangeMax, 200);
    ASSERT_EQ(read->OutputCount, 8);
    EXPECT_EQ(read->Outputs[0].Name, "B7");
    EXPECT_EQ(read->GetHintText().substr(read->GetHintText().size() - 8), "\rdigital");
    read->Digital = false;
    EXPECT_EQ(read->GetHintText().substr(read->GetHintText().size() - 8), "\r2...200");
}

// The sheet: the mode list and the two range rows; OK with analog after
// digital with max 1 names the one output A, Cancel keeps the mode.
TEST_F(RandomTest, TheSheetSwitchesTheMode)
{
    auto rnd = Make<TBTRandom>("TBTRandom");
    rnd->Digital = true;
    rnd->BuildOutputs();
    EXPECT_EQ(rnd->Outputs[0].Name, "B0");
    QStringList captions;
    QStringList items;
    TFormHook hook({[&](TModalForm& form) {
        auto& dlg = static_cast<TDefault_Dlg&>(form);
        EXPECT_EQ(dlg.HelpContext(), 18545);
        for (const auto& row : dlg.Props->Rows)
            captions.push_back(row->Editor->NameLabel->text());
        auto& combo = *dynamic_cast<TComboPropEditor&>(*dlg.Props->Rows.at(0)->Editor).Combo;
        EXPECT_EQ(combo.currentIndex(), 1);
        for (int i = 0; i < combo.count(); ++i)
            items.push_back(combo.itemText(i));
        combo.setCurrentIndex(0);
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    },
                    [&](TModalForm& form) {
                        auto& dlg = static_cast<TDefault_Dlg&>(form);
                        dynamic_cast<TComboPropEditor&>(*dlg.Props->Rows.at(0)->Editor).Combo->setCurrentIndex(0);
                        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
                    }});
    EXPECT_EQ(rnd->EditProperties(), 2);
    EXPECT_TRUE(rnd->Digital);
    EXPECT_EQ(rnd->Outputs[0].Name, "B0");
    EXPECT_EQ(rnd->EditProperties(), 1);
    EXPECT_EQ(captions, (QStringList{"Ausgang", "Bereich [min]", "Bereich [max]"}));
    EXPECT_EQ(items, (QStringList{"Analog", "Digital"}));
    EXPECT_FALSE(rnd->Digital);
    ASSERT_EQ(rnd->OutputCount, 1);
    EXPECT_EQ(rnd->Outputs[0].Name, "A");
}

TEST_F(Generators, IdentityByLanguage)
{
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        auto gen = Make<TBTFktGenerator>("TBTFktGenerator");
        EXPECT_EQ(gen->Designator, language == 2 ? "GS" : "SG");
        EXPECT_EQ(gen->HelpContext, 18445);
    }
    LanguageIndex = 1;
    EXPECT_EQ(Make<TBTPulse>("TBTPulse")->GetTypeName(), "Pulse generator");
    EXPECT_EQ(Make<TBTRampenGenerator>("TBTRampenGenerator")->Inputs[4].Name, "|RUN");
    EXPECT_EQ(Make<TBTRandom>("TBTRandom")->HelpContext, 18545);
}

} // namespace
