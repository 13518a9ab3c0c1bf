// The LED and lamp components with their real elements: what they push and
// how often, the sensor outputs, the RGB channels, the reset at start, the
// symbol drawn in the element's colour, and who they are.
#include "panel/elements/ElementClasses.h"
#include "panel/elements/FP_LED.h"
#include "panel/elements/FP_Lampe.h"
#include "panel/framework/BT_LED.h"
#include "panel/framework/BT_Lampe.h"
#include "panel/framework/Design.h"
#include "support/TestBoard.h"

#include "ElementComponentTest.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"

#include <limits>

#include <QCheckBox>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// An LED that counts what its component tells it.
class TCountingLED : public TPLED {
public:
    void SetEingeschaltet(bool on) override
    {
        ++Switches;
        TPLED::SetEingeschaltet(on);
    }
    void SetDuoLEDStatus(Byte status) override
    {
        ++Statuses;
        TPLED::SetDuoLEDStatus(status);
    }
    void SetRGBFarbe(TColor colour) override
    {
        ++Colours;
        TPLED::SetRGBFarbe(colour);
    }
    Integer Switches = 0, Statuses = 0, Colours = 0;
};

class Indicators : public ElementComponentTest {
protected:
    void SetUp() override
    {
        ResetGlobals();
        RegisterElementClasses();
        RegisterRows(LedRows());
        RegisterRows(LampRows());
    }

    // The colour of the symbol's lamp point with states shown.
    static QColor SymbolColour(TIOBauteil& component, QPoint at) { return Symbol(component).pixelColor(at); }
    static QPoint LedPoint(const TIOBauteil& c)
    {
        return {c.BodyRect.Left + c.BodyRect.Width() / 2, c.BodyRect.Top + c.BodyRect.Height() / 2 - 12};
    }
};

TEST_F(Indicators, TheLedIsToldOnlyOfChangesAndDarkAfterEveryStart)
{
    auto* led = Place<TSingleLedBT>("TBTLed", 1000, 100);
    TCountingLED element;
    led->SetPanelElement(&element);
    TBTTestSource* source = Feed(led, 1);

    led->ResetForStart();
    EXPECT_FALSE(element.GetEingeschaltet());
    element.Switches = 0;
    for (int i = 0; i < 3; ++i)
        t.CalculateAll();
    EXPECT_EQ(element.Switches, 0);   // low stays low
    source->Values[0] = 5;
    for (int i = 0; i < 3; ++i)
        t.CalculateAll();
    EXPECT_EQ(element.Switches, 1);
    EXPECT_TRUE(element.GetEingeschaltet());
    EXPECT_EQ(element.GetLedColor(), 0x00FF00u);
    // Stopped and started again: dark, then the first step lights it.
    led->SimulationStopped();
    EXPECT_FALSE(element.GetEingeschaltet());
    led->ResetForStart();
    t.CalculateAll();
    EXPECT_TRUE(element.GetEingeschaltet());
}

TEST_F(Indicators, SensorOutputsFollowTheMouseAndDropOnAHiddenPage)
{
    auto* led = Place<TSingleLedBT>("TBTLed", 1000, 100);
    EXPECT_TRUE(led->HasPropertyDialog);
    auto tick = [&](bool on) {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            EXPECT_EQ(dlg.Caption(), "LED");
            EXPECT_EQ(dlg.HelpContext(), 18005);
            ASSERT_EQ(dlg.Props->Rows.size(), 1u);
            auto* box = dlg.Props->findChild<QCheckBox*>();
            ASSERT_NE(box, nullptr);
            box->setChecked(on);
            QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        }});
        led->EditProperties();
    };
    tick(true);
    ASSERT_EQ(led->OutputCount, 3);
    EXPECT_EQ(led->Outputs[0].Name, "S");
    EXPECT_EQ(led->Outputs[1].Name, "R");
    EXPECT_EQ(led->Outputs[2].Name, "L");
    EXPECT_EQ(led->Inputs[0].Name, "");

    TDesign design;
    auto* element = dynamic_cast<TPLED*>(design.AddElement("TPLed"));
    ASSERT_NE(element, nullptr);
    element->OwnerDesign = &design;
    led->SetPanelElement(element);
    led->ResetForStart();
    struct TCase {
        bool Over, Right, Left;
    };
    for (const TCase& c : {TCase{true, false, false}, {true, true, false}, {false, false, true}, {false, false, false}}) {
        element->MouseOver_ = c.Over;
        element->RightPressed_ = c.Right;
        element->LeftPressed_ = c.Left;
        t.CalculateAll();
        EXPECT_EQ(led->Outputs[0].Level != 0, c.Over);
        EXPECT_EQ(led->Outputs[1].Level != 0, c.Right);
        EXPECT_EQ(led->Outputs[2].Level != 0, c.Left);
    }
    // The LED's page is not shown: all three drop.
    element->SetFrontplattenNR(1);
    design.SetAktiveFrontplatte(1);
    design.SetAktiveFrontplatte(0);
    ASSERT_TRUE(element->OnHiddenPage());
    element->MouseOver_ = element->RightPressed_ = element->LeftPressed_ = true;
    t.CalculateAll();
    for (Integer o = 0; o < 3; ++o)
        EXPECT_EQ(led->Outputs[o].Level, 0) << o;

    tick(false);
    EXPECT_EQ(led->OutputCount, 0);
    tick(true);
    EXPECT_EQ(led->OutputCount, 3);
    EXPECT_EQ(led->Outputs[2].Name, "L");
}

TEST_F(Indicators, TheDuoLedShowsTheStatusOfBothInputs)
{
    auto* duo = t.Place("TBTDuoLED", 1000, 100);
    EXPECT_EQ(duo->Inputs[0].Name, "L1");
    EXPECT_EQ(duo->Inputs[1].Name, "L2");
    TCountingLED element;
    element.IsDuo = true;
    duo->SetPanelElement(&element);
    TBTTestSource* source = Feed(duo, 2);
    duo->ResetForStart();
    struct TCase {
        Extended A, B;
        Byte Status;
        TColor Colour;
    };
    for (const TCase& c : {TCase{5, 0, 1, 0x00FF00}, {0, 5, 2, 0x0000FF}, {5, 5, 3, 0x00FFFF}, {0, 0, 0, 0x808080}}) {
        source->Values = {c.A, c.B};
        element.Statuses = 0;
        t.CalculateAll();
        t.CalculateAll();
        EXPECT_EQ(element.Statuses, 1);   // once per change
        EXPECT_EQ(element.GetDuoLEDStatus(), c.Status);
        EXPECT_EQ(element.GetLedColor(), c.Colour);
        EXPECT_EQ(SymbolColour(*duo, LedPoint(*duo)), QColor(ColorToQColor(c.Colour)));
    }
}

TEST_F(Indicators, TheRgbLedMapsFiveVoltsToFullBrightnessInEveryStep)
{
    EXPECT_EQ(TRGBLedBT::Channel(2.5L), 128);   // 127.5 rounds to even
    EXPECT_EQ(TRGBLedBT::Channel(5), 255);
    EXPECT_EQ(TRGBLedBT::Channel(10), 255);
    EXPECT_EQ(TRGBLedBT::Channel(-1), 0);
    EXPECT_EQ(TRGBLedBT::Channel(std::numeric_limits<Extended>::quiet_NaN()), 0);
    EXPECT_EQ(TRGBLedBT::Channel(0.5L / 255 * 5 * 3), 2);   // 1.5 rounds to 2

    auto* rgb = t.Place("TBTRGB_LED", 1000, 100);
    TCountingLED element;
    element.IsRGB = true;
    rgb->SetPanelElement(&element);
    TBTTestSource* source = Feed(rgb, 3);
    source->Values = {2.5L, 5, 10};
    for (int i = 0; i < 4; ++i)
        t.CalculateAll();
    EXPECT_EQ(element.Colours, 4);
    EXPECT_EQ(element.GetRGBFarbe(), 128u | 255u << 8 | 255u << 16);
    source->Values = {-3, 0, 2.5L};
    t.CalculateAll();   // the source comes after the LED in the step
    t.CalculateAll();
    EXPECT_EQ(element.GetRGBFarbe(), 128u << 16);
    // The symbol keeps its dark red.
    EXPECT_EQ(SymbolColour(*rgb, LedPoint(*rgb)), QColor(128, 0, 0));
}

TEST_F(Indicators, TheSymbolFollowsTheElementWhileStatesAreShown)
{
    auto* led = Place<TSingleLedBT>("TBTLed", 1000, 100);
    TPLED element;
    element.Colour1 = 0xFF0000;
    led->SetPanelElement(&element);
    EXPECT_EQ(SymbolColour(*led, LedPoint(*led)), QColor(128, 128, 128));
    element.SetEingeschaltet(true);
    EXPECT_EQ(SymbolColour(*led, LedPoint(*led)), QColor(0, 0, 255));
    // Without states shown: grey.
    QImage image(1400, 800, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanvas canvas(painter);
    led->ShowComponentStates = false;
    led->Draw(canvas);
    EXPECT_EQ(image.pixelColor(LedPoint(*led)), QColor(128, 128, 128));
    // The live state redraws once per change of the element.
    led->ShowComponentStates = true;
    led->LastShown = false;
    led->DrawLiveState(canvas);
    EXPECT_TRUE(led->LastShown);
}

TEST_F(Indicators, TheLampGetsTheVoltageInEveryStepAndKeepsItsLookAfterStop)
{
    auto* lamp = Place<TLampeBT>("TBTLampe", 1000, 100);
    TPLampe element;
    lamp->SetPanelElement(&element);
    TBTTestSource* source = Feed(lamp, 1);
    source->Values[0] = 3;
    t.CalculateAll();   // the source comes after the lamp in the step
    t.CalculateAll();
    EXPECT_EQ(element.GetLampColor(), 0x000099u);
    EXPECT_EQ(element.IstSpannung, 3.0L);
    source->Values[0] = -20;
    t.CalculateAll();
    t.CalculateAll();
    EXPECT_EQ(element.IstSpannung, 10.0L);
    lamp->SimulationStopped();
    EXPECT_EQ(element.IstSpannung, 10.0L);
    const QPoint middle(lamp->BodyRect.Left + lamp->BodyRect.Width() / 2,
                        lamp->BodyRect.Top + lamp->BodyRect.Height() / 2 - 10);
    EXPECT_EQ(SymbolColour(*lamp, middle), QColor(255, 0, 0));
    lamp->ShownColor = 0;
    QImage image(1400, 800, QImage::Format_RGB32);
    QPainter painter(&image);
    TCanvas canvas(painter);
    lamp->DrawLiveState(canvas);
    EXPECT_EQ(lamp->ShownColor, 0x0000FFu);
}

TEST_F(Indicators, WithoutAnElementTheStepDoesNothing)
{
    // Library palette entries have no element.
    for (const char* name : {"TBTLed", "TBTDuoLED", "TBTRGB_LED", "TBTLampe"}) {
        TIOBauteil* c = t.Place(name, 1000, 100);
        c->ResetForStart();
        c->Calculate();
        c->SimulationStopped();
        QImage image(1400, 800, QImage::Format_RGB32);
        QPainter painter(&image);
        TCanvas canvas(painter);
        c->ShowComponentStates = true;
        c->Draw(canvas);
    }
    // An element of another kind is no LED: the open input (high) does not
    // switch the lamp on.
    auto* led = Place<TSingleLedBT>("TBTLed", 1000, 100);
    TPLampe lamp;
    led->SetPanelElement(&lamp);
    led->Calculate();
    EXPECT_FALSE(lamp.Eingeschaltet);
}

TEST_F(Indicators, WhoTheyAre)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        const char* Element;
        Integer Help, Inputs;
        bool Dialog;
    };
    for (const TCase& c :
         {TCase{"TBTLed", {"LED", "LED", "Led"}, "LED", "TPLed", 18005, 1, true},
          TCase{"TBTDuoLED", {"Duo-LED", "Duo-LED", "Led double"}, "DLED", "TDuoLED", 18010, 2, false},
          TCase{"TBTRGB_LED", {"RGB-LED", "RGB-LED", "Led RGB"}, "RGB", "TRGBLED", 18012, 3, false},
          TCase{"TBTLampe", {"Plastikleuchte", "Plastic lamp", "Lampe plastique"}, "LA", "TPLampe", 18015, 1, false}}) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* component = dynamic_cast<TBTFront*>(object.get());
            ASSERT_NE(component, nullptr);
            EXPECT_EQ(object->ClassType().Parent, &TBTFront::StaticClass());
            EXPECT_EQ(component->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(component->Designator, c.Designator);
            EXPECT_EQ(component->PanelElementClass, c.Element);
            EXPECT_EQ(component->PanelElementClass, FrontElementClassOf(c.Class));
            EXPECT_EQ(component->HelpContext, c.Help);
            EXPECT_EQ(component->InputCount, c.Inputs);
            EXPECT_EQ(component->OutputCount, 0);
            EXPECT_EQ(component->HasPropertyDialog, c.Dialog);
            EXPECT_EQ(component->BodyColor1, 0xEAEAEAu);
            EXPECT_EQ(component->BodyColor2, 0xCAA0A0u);
            // The element class is found whatever its letter case.
            std::unique_ptr<TPersistent> element(CreateObjectByName(component->PanelElementClass.View()));
            EXPECT_NE(dynamic_cast<TFP_Element*>(element.get()), nullptr);
        }
    }
}

// A record whose pin counts the component cannot have is damaged: refused
// with the stream error; the counts it can have are read back (the LED's
// sensor outputs count 0 to 3).
TEST_F(Indicators, PinCountsOutsideTheRowAreRefused)
{
    CheckPinCounts({{"TBTLed", 1, 0, false}, {"TBTLed", 1, 3, false}, {"TBTLed", 1, 4, true},
                    {"TBTLed", 2, 0, true}, {"TBTDuoLED", 2, 0, false}, {"TBTDuoLED", 1, 0, true},
                    {"TBTRGB_LED", 3, 0, false}, {"TBTRGB_LED", 3, 1, true}, {"TBTLampe", 1, 0, false},
                    {"TBTLampe", 0, 0, true}});
}

} // namespace
