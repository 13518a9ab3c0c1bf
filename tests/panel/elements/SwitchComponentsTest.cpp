// The six switch and push-button components with a real switch element:
// logic outputs written on a change of state only, analog members choosing
// and routing in every step, and the symbol following the state.
#include "panel/elements/FP_Schalter.h"
#include "panel/framework/BT_Schalter.h"

#include "ElementComponentTest.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "support/TestBoard.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

class SwitchComponents : public ElementComponentTest {
protected:
    void SetUp() override { RegisterRows(SwitchRows()); }
};

TEST_F(SwitchComponents, PushButtonClassesMakeTheirElementMomentary)
{
    TSchalter a, b, c, d;
    auto* taster = t.Place("TBTTaster", 1000, 100);
    auto* schalter = t.Place("TBTSchalter", 1000, 300);
    auto* analogTaster = t.Place("TBTAnalogTaster", 1000, 500);
    auto* analogTaster2 = t.Place("TBTAnalogTaster2", 1000, 700);
    taster->SetPanelElement(&a);
    schalter->SetPanelElement(&b);
    analogTaster->SetPanelElement(&c);
    analogTaster2->SetPanelElement(&d);
    EXPECT_TRUE(a.Taster());
    EXPECT_FALSE(b.Taster());
    EXPECT_TRUE(c.Taster());
    EXPECT_TRUE(d.Taster());
    EXPECT_EQ(taster->Outputs[0].Name, "");
    EXPECT_EQ(analogTaster->Inputs[1].Name, "E1");
    EXPECT_EQ(analogTaster2->Outputs[0].Name, "A1");
    EXPECT_EQ(analogTaster2->Outputs[1].Name, "A0");
}

TEST_F(SwitchComponents, LogicOutputIsWrittenOnAChangeOfStateOnly)
{
    TSchalter element;
    auto* sw = t.Place("TBTSchalter", 1000, 100);
    sw->SetPanelElement(&element);
    element.SetEingeschaltet(true);
    sw->ResetForStart();
    EXPECT_EQ(sw->Outputs[0].Value, 5.0L);   // before the first step
    element.SetEingeschaltet(false);
    EXPECT_EQ(sw->Outputs[0].Value, 5.0L);   // the next step writes it
    t.CalculateAll();
    EXPECT_EQ(sw->Outputs[0].Value, 0.0L);
    // Between changes the pin keeps what was written last.
    sw->SetOutputValue(0, 2.5L);
    t.CalculateAll();
    EXPECT_EQ(sw->Outputs[0].Value, 2.5L);
    element.SetEingeschaltet(true);
    t.CalculateAll();
    EXPECT_EQ(sw->Outputs[0].Value, 5.0L);
}

TEST_F(SwitchComponents, APushButtonTappedBetweenStepsLeavesNoTraceButAWebPressShowsOnce)
{
    TFakeClock clock;
    TScopedClock installed(clock);
    clock.SetTickCount(5000);
    TSchalter element;
    auto* push = t.Place("TBTTaster", 1000, 100);
    push->SetPanelElement(&element);
    push->ResetForStart();
    element.SetEingeschaltet(true);
    element.SetEingeschaltet(false);
    t.CalculateAll();
    EXPECT_EQ(push->Outputs[0].Value, 0.0L);
    element.WebAction(2);
    clock.AdvanceMs(400);   // the press ends at the first read, which still sees it
    t.CalculateAll();
    EXPECT_EQ(push->Outputs[0].Value, 5.0L);
    t.CalculateAll();
    EXPECT_EQ(push->Outputs[0].Value, 0.0L);
}

TEST_F(SwitchComponents, AnalogMembersChooseAndRouteEveryStep)
{
    TSchalter e1, e2;
    auto* chooser = t.Place("TBTAnalogSchalter", 1000, 100);
    auto* router = t.Place("TBTAnalogTaster2", 1000, 400);
    chooser->SetPanelElement(&e1);
    router->SetPanelElement(&e2);
    TBTTestSource* in = Feed(chooser, 2);
    in->Values[0] = 1.5L;
    in->Values[1] = 3.0L;
    TBTTestSource* single = Feed(router, 1);
    single->Values[0] = 7.0L;
    t.CalculateAll();
    t.CalculateAll();
    EXPECT_EQ(chooser->Outputs[0].Value, 1.5L);
    EXPECT_EQ(router->Outputs[0].Value, 0.0L);   // A1 off
    EXPECT_EQ(router->Outputs[1].Value, 7.0L);   // A0 carries the input
    e1.SetEingeschaltet(true);
    e2.SetEingeschaltet(true);
    t.CalculateAll();
    EXPECT_EQ(chooser->Outputs[0].Value, 3.0L);
    EXPECT_EQ(router->Outputs[0].Value, 7.0L);
    EXPECT_EQ(router->Outputs[1].Value, 0.0L);

    // An unconnected selected input reads 0.
    TSchalter e3;
    auto* open = t.Place("TBTAnalogTaster", 1000, 700);
    open->SetPanelElement(&e3);
    e3.SetEingeschaltet(true);
    t.CalculateAll();
    EXPECT_EQ(open->Outputs[0].Value, 0.0L);
}

TEST_F(SwitchComponents, SymbolFollowsTheStateWhenShown)
{
    for (bool analog : {false, true}) {
        SCOPED_TRACE(analog);
        TSchalter element;
        auto* c = Place<TSchalterBT>(analog ? "TBTAnalogSchalter2" : "TBTTaster", 1000, 100);
        ASSERT_NE(c, nullptr);
        c->SetPanelElement(&element);
        const QImage off = Symbol(*c);
        element.SetEingeschaltet(true);
        QImage picture(1400, 800, QImage::Format_RGB32);
        picture.fill(Qt::white);
        {
            QPainter painter(&picture);
            TCanvas canvas(painter);
            c->DrawLiveState(canvas);   // redraws with the new state
        }
        const QImage on = Symbol(*c);
        EXPECT_NE(on, off);
        c->SetPanelElement(nullptr);
    }
}

TEST_F(SwitchComponents, WhoTheyAre)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designators[3];
        Integer Help, Inputs, Outputs;
        const char* Pins;   // the input names, then the output names
    };
    const TCase cases[] = {
        {"TBTTaster", {"Taster\rlogisch", "Push button", "Boutton-poussoir"}, {"T", "PB", "BP"}, 18105, 0, 1, ","},
        {"TBTSchalter", {"Schalter\rlogisch", "Switch", "Interrupteur"}, {"S", "SW", "IN"}, 18100, 0, 1, ","},
        {"TBTAnalogSchalter",
         {"Schalter\r2 Eing\xE4nge", "Switch\r2 inputs", "Commutateur\r2 Entr\xE9""es"},
         {"SB", "SWB", "CM"}, 18165, 2, 1, "E0E1,"},
        {"TBTAnalogSchalter2",
         {"Schalter\r2 Ausg\xE4nge", "Switch\r2 outputs", "Interrupteur\r2 Sorties"},
         {"SA", "SWA", "INA"}, 18170, 1, 2, ",A1A0"},
        {"TBTAnalogTaster",
         {"Taster\r2 Eing\xE4nge", "Push button\r2 inputs", "Bouton-poussoir\r2 Entr\xE9""es"},
         {"TB", "PBB", "BP"}, 18165, 2, 1, "E0E1,"},
        {"TBTAnalogTaster2",
         {"Taster\r2 Ausg\xE4nge", "Push button\r2 outputs", "Bouton-poussoir\r2 Sorties"},
         {"TA", "PBA", "PBA"}, 18170, 1, 2, ",A1A0"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TIOBauteil> component(CreateComponent(c.Class));
            ASSERT_NE(component, nullptr);
            EXPECT_EQ(component->ClassType().Parent, &TBTFront::StaticClass());
            EXPECT_EQ(component->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(component->Designator, c.Designators[language]);
            EXPECT_EQ(component->PanelElementClass, "TSchalter");
            EXPECT_EQ(component->HelpContext, c.Help);
            EXPECT_FALSE(component->HasPropertyDialog);
            ASSERT_EQ(component->InputCount, c.Inputs);
            ASSERT_EQ(component->OutputCount, c.Outputs);
            AnsiString pins;
            for (const TBauteilPin& pin : component->Inputs)
                pins += pin.Name;
            pins += ",";
            for (const TBauteilPin& pin : component->Outputs)
                pins += pin.Name;
            EXPECT_EQ(pins, c.Pins);
        }
    }
    LanguageIndex = 0;
}

// A record whose pin counts the component cannot have is damaged: refused
// with the stream error; the counts it can have are read back.
TEST_F(SwitchComponents, PinCountsOutsideTheRowAreRefused)
{
    CheckPinCounts({{"TBTTaster", 0, 1, false}, {"TBTTaster", 0, 0, true}, {"TBTTaster", 1, 1, true},
                    {"TBTAnalogSchalter", 2, 1, false}, {"TBTAnalogSchalter", 3, 1, true},
                    {"TBTAnalogTaster2", 1, 2, false}, {"TBTAnalogTaster2", 1, 3, true}});
}

} // namespace
