// Vcc and ground, the step delay's line of levels and the power-on reset's
// pulse on the fake tick count.
#include "DigitalRig.h"

#include "platform/Clock.h"

namespace {

using VersorgungTest = DigitalTest;

TEST_F(VersorgungTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Help, Inputs;
        const char* Input;
        const char* Output;
        bool Dialog;
    };
    for (const TCase& c : {
             TCase{"TBTVcc", {"Vcc (+5V)", "Vcc (+5V)", "Vcc (+5V)"}, "", 18530, 0, "", "", false},
             TCase{"TBTMasse", {"Masse", "Ground", "Masse"}, "", 18525, 0, "", "", false},
             TCase{"TBTVerzoegerung", {"Verz\xF6gerung", "Delay", "D\xE9lais"}, "DLY", 18535, 1, "E", "A", true},
             TCase{"TBTPowerOnReset",
                   {"Power-On-Reset", "Power-On-Reset", "Reset \xE0 la mise\rsous tension"},
                   "PON", 18540, 0, "", "", false},
         }) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* part = dynamic_cast<TIOBauteil*>(object.get());
            ASSERT_NE(part, nullptr);
            EXPECT_EQ(part->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(part->Designator, c.Designator);
            EXPECT_EQ(part->HelpContext, c.Help);
            EXPECT_EQ(part->HasPropertyDialog, c.Dialog);
            ASSERT_EQ(part->InputCount, c.Inputs);
            if (c.Inputs == 1) {
                EXPECT_EQ(part->Inputs[0].Name, c.Input);
            }
            ASSERT_EQ(part->OutputCount, 1);
            EXPECT_EQ(part->Outputs[0].Name, c.Output);
        }
    }
}

// Set once at the start, kept through the run; the pin's inversion turns
// each into the other.
TEST_F(VersorgungTest, SupplyAndGround)
{
    struct TCase {
        const char* Class;
        bool Inverted;
        Extended Level;
    };
    for (const TCase& c : {TCase{"TBTVcc", false, 5.0L}, TCase{"TBTVcc", true, 0.0L},
                           TCase{"TBTMasse", false, 0.0L}, TCase{"TBTMasse", true, 5.0L}}) {
        SCOPED_TRACE(std::string(c.Class) + (c.Inverted ? " inverted" : ""));
        TRig rig(c.Class);
        rig.Component->Outputs[0].Inverted = c.Inverted;
        rig.Start();
        EXPECT_EQ(rig.Value(0), c.Level);
        rig.Step();
        EXPECT_EQ(rig.Value(0), c.Level);
    }
}

TEST_F(VersorgungTest, TheStepDelayReturnsTheLevelStepsLater)
{
    struct TCase {
        Integer Steps;
        bool InputInverted;
        std::vector<Extended> In, Out;
    };
    const TCase cases[] = {
        {1, false, {1.0L, 2.0L, 3.0L, 4.0L}, {0.0L, 1.0L, 2.0L, 3.0L}},
        {3, false, {1.5L, -2.25L, 3.0L, 4.0L, 5.0L}, {0.0L, 0.0L, 0.0L, 1.5L, -2.25L}},
        // An inverted input passes as a logic level.
        {2, true, {5.0L, 0.0L, 1.0L, 4.0L}, {0.0L, 0.0L, 0.0L, 5.0L}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Steps);
        TRig rig("TBTVerzoegerung");
        auto* delay = static_cast<TBTVerzoegerung*>(rig.Component);
        delay->Steps = c.Steps;
        rig.Component->Inputs[0].Inverted = c.InputInverted;
        rig.Start();
        for (std::size_t i = 0; i < c.In.size(); ++i) {
            rig.SetValue(0, c.In[i]);
            rig.Step();
            EXPECT_EQ(rig.Value(0), c.Out[i]) << "step " << i + 1;
        }
    }
}

// An open input reads 5.0; a restart clears the whole line.
TEST_F(VersorgungTest, TheStepDelayStartsEmptyEveryRun)
{
    TRig rig("TBTVerzoegerung", 0);
    static_cast<TBTVerzoegerung*>(rig.Component)->Steps = 4;
    for (Integer run = 0; run < 2; ++run) {
        rig.Start();
        std::vector<Extended> out;
        for (Integer i = 0; i < 6; ++i) {
            rig.Step();
            out.push_back(rig.Value(0));
        }
        EXPECT_EQ(out, (std::vector<Extended>{0.0L, 0.0L, 0.0L, 0.0L, 5.0L, 5.0L}));
        rig.t.Board().StopSimulation();
    }
}

// Lowering Steps while running: the next step reads entry Position - Steps,
// and the position starts again at 1.
TEST_F(VersorgungTest, LoweringTheStepsWhileRunning)
{
    TRig rig("TBTVerzoegerung");
    auto* delay = static_cast<TBTVerzoegerung*>(rig.Component);
    delay->Steps = 5;
    rig.Start();
    for (const Extended v : {10.0L, 20.0L, 30.0L}) {
        rig.SetValue(0, v);
        rig.Step();
    }
    ASSERT_EQ(delay->Position, 4);
    delay->Steps = 2;
    rig.SetValue(0, 40.0L);
    rig.Step();
    EXPECT_EQ(rig.Value(0), 20.0L);   // entry 2
    EXPECT_EQ(delay->Position, 1);
    rig.SetValue(0, 50.0L);
    rig.Step();
    EXPECT_EQ(rig.Value(0), 10.0L);   // entry 1, from before
}

TEST_F(VersorgungTest, PowerOnResetPulse)
{
    struct TCase {
        Cardinal Start;
        std::vector<std::pair<Cardinal, bool>> Steps;   // tick count of each step, output after it
    };
    const TCase cases[] = {
        {1000,
         {{0, true}, {5, true}, {10, true}, {11, false}, {15, false}, {21, false}, {22, true}, {40, true},
          {1000, true}}},
        // One step every 50 ms: the low phase covers one step.
        {7, {{0, true}, {50, false}, {100, true}, {150, true}}},
        // Across the wrap of the tick count.
        {0xFFFFFFF8u, {{0, true}, {11, false}, {22, true}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Start);
        TFakeClock clock;
        TScopedClock scoped(clock);
        TRig rig("TBTPowerOnReset");
        rig.Component->Outputs[0].Value = 0.0L;
        rig.Start();
        EXPECT_TRUE(rig.High(0));
        for (const auto& [offset, high] : c.Steps) {
            clock.SetTickCount(c.Start + offset);
            rig.Step();
            EXPECT_EQ(rig.High(0), high) << "at +" << offset << " ms";
        }
    }
}

TEST_F(VersorgungTest, AnInvertedPowerOnResetGivesAHighPulse)
{
    TFakeClock clock;
    TScopedClock scoped(clock);
    TRig rig("TBTPowerOnReset");
    rig.Component->Outputs[0].Inverted = true;
    rig.Start();
    std::string levels;
    for (const Cardinal tick : {0u, 11u, 22u}) {
        clock.SetTickCount(tick);
        rig.Step();
        levels += rig.High(0) ? '1' : '0';
    }
    EXPECT_EQ(levels, "010");
}

} // namespace
