// The analog blocks' retained values through the program's run-state file:
// saved at stop, restored after the start reset, and the run continues from
// them.
#include "AnalogClock.h"

#include "components/analog/BT_Inkretment.h"
#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_Regler.h"
#include "components/analog/BT_Relais.h"
#include "components/analog/BT_Spiel.h"
#include "project/RunStateFile.h"
#include "support/TestBoard.h"

#include <QTemporaryDir>

namespace {

class RunState : public AnalogClockTest {};

TEST_F(RunState, RetainedValuesSurviveStopAndStart)
{
    QTemporaryDir dir;
    const AnsiString project = dir.path().toStdString() + "/p.prj";
    TTestBoard t;
    auto* integrator = PlaceAs<TBTIntegrierer>(t, "TBTIntegrierer", 1000, 100);
    auto* pt2 = PlaceAs<TPTGlied>(t, "TBTPT2", 1000, 500);
    auto* pid = PlaceAs<TBT_PID_Regler>(t, "TBT_PID_Regler", 1000, 1000);
    auto* onOff = PlaceAs<TBT_2_Punkt_Regler>(t, "TBT_2_Punkt_Regler", 1000, 1500);
    auto* backlash = PlaceAs<TBT_Spiel>(t, "TBT_Spiel", 1000, 1900);
    auto* hold = PlaceAs<TBTSample>(t, "TBTSample", 1000, 2300);
    auto* counter = PlaceAs<TBT_Inkretment>(t, "TBT_Inkretment", 1000, 2700);
    t.Board().PrepareSimulation();   // numbers and resets them
    integrator->Integral = 5.0L;
    pt2->Rate = -0.5L;
    pt2->State = 1.0L / 3;
    pid->Integral = 2.25L;
    onOff->On = true;
    backlash->LowLimit = 1.0L;
    backlash->HighLimit = 3.0L;
    backlash->Output = 2.0L;
    hold->Hold = 7.5L;
    counter->Value = -4.0L;
    {
        TRunStateFile ini(project);
        t.Board().SaveComponentStates(ini);
        EXPECT_EQ(ini.ReadString(t.Board().BoardName + ".INT" + std::to_string(integrator->Number), "Value", "?"),
                  "5");
    }
    // The next start resets, then restores.
    for (TBauteil* object : t.Board().Objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            component->ResetForStart();
    EXPECT_EQ(integrator->Integral, 0.0L);
    TRunStateFile ini(project);
    t.Board().LoadComponentStates(ini, 0);
    EXPECT_EQ(integrator->Outputs[0].Value, 5.0L);
    EXPECT_EQ(pt2->Rate, -0.5L);
    EXPECT_EQ(pt2->Outputs[0].Value, static_cast<Extended>(static_cast<double>(1.0L / 3)));   // kept as a double
    EXPECT_EQ(pid->Integral, 2.25L);
    EXPECT_TRUE(onOff->On);
    EXPECT_EQ(onOff->Outputs[0].Value, 5.0L);
    EXPECT_EQ(backlash->Outputs[0].Value, 2.0L);
    EXPECT_EQ(backlash->HighLimit, 3.0L);
    EXPECT_EQ(hold->Outputs[0].Value, 7.5L);
    EXPECT_EQ(counter->Value, -4.0L);

    // The integrator continues from its stored integral.
    clock.Advance(500 * Ms);
    feed.Step(*integrator, {2.0L});
    EXPECT_NEAR(static_cast<double>(integrator->Outputs[0].Value), 6.0, 1e-12);
}

// A damaged run-state file cannot park a block on NaN: such a value reads 0.
TEST_F(RunState, ValuesThatAreNoNumbersReadAsZero)
{
    QTemporaryDir dir;
    const AnsiString project = dir.path().toStdString() + "/p.prj";
    TTestBoard t;
    auto* integrator = PlaceAs<TBTIntegrierer>(t, "TBTIntegrierer", 1000, 100);
    auto* backlash = PlaceAs<TBT_Spiel>(t, "TBT_Spiel", 1000, 500);
    t.Board().PrepareSimulation();
    {
        TRunStateFile ini(project);
        ini.WriteString(t.Board().BoardName + ".INT" + std::to_string(integrator->Number), "Value", "NAN");
        ini.WriteString(t.Board().BoardName + ".HYS-" + std::to_string(backlash->Number), "HLimit", "-INF");
    }
    TRunStateFile ini(project);
    t.Board().LoadComponentStates(ini, 0);
    EXPECT_EQ(integrator->Integral, 0.0L);
    EXPECT_EQ(backlash->HighLimit, 0.0L);
}

} // namespace
