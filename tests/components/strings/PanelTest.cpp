// The text display and the text entry through the element interfaces: what
// the display is told and how often, what the entry delivers and when, and
// both without an element.
#include "StringRig.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

class TextPanel : public StringTest {
protected:
    TFakeDesign design;
};

TEST_F(TextPanel, DisplayWritesOnlyOnChangeAndShowsItsIdleTextAtStartAndStop)
{
    TStringRig rig("TBTStrDisplay", {"a\0\xFF"s});
    TFakeTextDisplay element(&design, rig.C);
    rig.C->SetPanelElement(&element);

    rig.C->ResetForStart();
    EXPECT_EQ(element.NDUserText(), "$String");
    rig.Step();
    EXPECT_EQ(element.NDUserText(), "a\0\xFF"s);
    const Integer sets = element.Sets;
    rig.Step();
    rig.Step();
    EXPECT_EQ(element.Sets, sets);   // unchanged text: no repaint
    rig.Set(0, "b");
    rig.Step();
    EXPECT_EQ(element.NDUserText(), "b");
    EXPECT_EQ(element.Sets, sets + 1);
    rig.C->SimulationStopped();
    EXPECT_EQ(element.NDUserText(), "$String");
}

TEST_F(TextPanel, EntryTakesTheElementsTextAtStartAndOnEveryConfirmation)
{
    TTestBoard t;
    auto* edit = PlaceAs<TBTStrEdit>(t, "TBTStrEdit", 1000, 100);
    TFakeTextEntry element(&design, edit);
    element.Field = "typed\0\xE9"s;
    edit->SetPanelElement(&element);

    edit->ResetForStart();
    EXPECT_EQ(edit->Outputs[0].Text, "typed\0\xE9"s);
    element.Field = "not confirmed";
    t.CalculateAll();
    EXPECT_EQ(edit->Outputs[0].Text, "typed\0\xE9"s);
    element.Confirm("42");
    EXPECT_EQ(edit->Outputs[0].Text, "42");
    EXPECT_EQ(edit->Outputs[0].Value, 42.0L);
    element.Field = "at stop";
    edit->SimulationStopped();
    EXPECT_EQ(edit->Outputs[0].Text, "at stop");
}

TEST_F(TextPanel, WithoutAnElementNothingHappens)
{
    // Placed while a library loads, or its element could not be made; or an
    // element of another kind.
    TStringRig display("TBTStrDisplay", {"x"});
    display.C->ResetForStart();
    display.Step();
    TFakeElement plain(&design, display.C);
    display.C->SetPanelElement(&plain);
    display.C->ResetForStart();
    display.Step();

    TTestBoard t;
    auto* edit = PlaceAs<TBTStrEdit>(t, "TBTStrEdit", 1000, 100);
    edit->ResetForStart();
    edit->TextChanged();
    EXPECT_EQ(edit->Outputs[0].Text, "");
}

TEST_F(TextPanel, IdentityAndHint)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        const char* Element;
        Integer Help, Inputs, Outputs;
    };
    for (const TCase& c : {TCase{"TBTStrDisplay", {"$Display", "$Display", "$Afficheur"}, "$DSP", "TTDisplay", 18042, 1, 0},
                           TCase{"TBTStrEdit", {"$Eingabe", "$Edit", "$Entr\xE9" "e"}, "$EDT", "TFP_Str_Edit", 18180, 0, 1}}) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* component = dynamic_cast<TBTFront*>(object.get());
            ASSERT_NE(component, nullptr);
            EXPECT_EQ(component->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(component->Designator, c.Designator);
            EXPECT_EQ(component->PanelElementClass, c.Element);
            EXPECT_EQ(component->HelpContext, c.Help);
            EXPECT_EQ(component->InputCount, c.Inputs);
            EXPECT_EQ(component->OutputCount, c.Outputs);
            EXPECT_EQ(component->BodyColor1, 0xEAEAEAu);
            EXPECT_EQ(component->BodyColor2, 0xCAA0A0u);
            EXPECT_FALSE(component->HasPropertyDialog);
        }
    }
    LanguageIndex = 0;
    TTestBoard t;
    auto* display = t.Place("TBTStrDisplay", 1000, 100);
    const AnsiString plain = display->GetHintText();
    TFakeElement element(&design, display);
    element.HintText = "Anzeige";
    display->SetPanelElement(&element);
    EXPECT_EQ(display->GetHintText(), plain + "\r\"Anzeige\"");
}

} // namespace
