// Macros: pins that follow the macro pin components inside, names, the macro
// record with its three layouts, nesting, clipboard copies and removal.
#include "support/StreamBytes.h"
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Segment.h"
#include "engine/ShellHooks.h"

#include <gtest/gtest.h>

namespace {

class MacroTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ShellHooks.TextRowDialog = nullptr;
        ResetGlobals();
    }
    TTestBoard t;
    TPlatine& board = t.Board();
};

TEST_F(MacroTest, PinCountIsRoundedUpToEven)
{
    std::unique_ptr<TMakro> macro(CreateBauteil<TMakro>());
    struct TCase {
        Integer Asked, Count, Inputs;
    };
    for (const TCase& c : {TCase{3, 4, 2}, TCase{4, 4, 2}, TCase{1, 2, 1}, TCase{0, 0, 0}, TCase{-3, 0, 0}}) {
        macro->SetPinCount(c.Asked);
        EXPECT_EQ(macro->PinCount, c.Count);
        EXPECT_EQ(macro->InputCount, c.Inputs);
        EXPECT_EQ(macro->OutputCount, c.Inputs);
    }
}

TEST_F(MacroTest, ThreeMacroPinsGiveFourPins)
{
    TMakro* macro = t.PlaceMacro(100, 100, 3);
    TPlatine* inner = macro->InnerBoard();
    for (Integer k = 1; k <= 3; ++k)
        inner->FindMacroPin(k)->Label = std::string(1, char('a' + k - 1));
    TTestHost::UpdateMacroPins(*macro);
    EXPECT_EQ(macro->PinCount, 4);
    EXPECT_EQ(macro->Inputs[0].Name, "a");
    EXPECT_EQ(macro->Inputs[1].Name, "b");
    EXPECT_EQ(macro->Outputs[0].Name, "c");
    EXPECT_EQ(macro->Outputs[1].Name, "");
    EXPECT_EQ(inner->FindMacroPin(4), nullptr);
    EXPECT_EQ(inner->MacroPinName(4), "");
    EXPECT_EQ(macro->MacroPin(3), &macro->Outputs[0]);
    EXPECT_EQ(macro->MacroPin(5), nullptr);
    EXPECT_EQ(macro->MacroPin(0), nullptr);
    macro->SetPinName(9, "x");   // no such pin: nothing happens
}

TEST_F(MacroTest, EditedLabelRenamesTheMacroPin)
{
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    TBTPin* pin = macro->InnerBoard()->FindMacroPin(1);
    pin->Label = "CLOCK1";
    EXPECT_EQ(pin->Label, "CLOCK");
    ASSERT_TRUE(pin->OnEdited);
    pin->OnEdited(pin);
    EXPECT_EQ(macro->Inputs[0].Name, "CLOCK");
    EXPECT_EQ(pin->GetHintText(), "Pin 1\rPin (Makros)\rCLOCK");
}

TEST_F(MacroTest, SettingsSheetEditsTheNameAndTheLabelCutToTheirLength)
{
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    TBTPin* pin = macro->InnerBoard()->FindMacroPin(1);
    struct TShown {
        AnsiString Title;
        Integer HelpContext = 0;
        AnsiString Caption;
        AnsiString Text;
        Integer MaxLength = 0;
    } shown;
    Integer answer = 1;
    AnsiString typed;
    ShellHooks.TextRowDialog = [&](const AnsiString& title, Integer help, const AnsiString& caption, AnsiString& text,
                        Integer maxLength, Integer) {
        shown = {title, help, caption, text, maxLength};
        if (answer == 1)
            text = typed;
        return answer;
    };
    int macroEdits = 0;
    macro->OnEdited = [&](TMakro*) { ++macroEdits; };

    macro->Name = "Filter";
    typed = "Tiefpass-Filter";
    EXPECT_EQ(macro->EditProperties(), 1);
    EXPECT_EQ(shown.Title, "Filter");
    EXPECT_EQ(shown.HelpContext, 13010);
    EXPECT_EQ(shown.Caption, "Bezeichnung");
    EXPECT_EQ(shown.Text, "Filter");
    EXPECT_EQ(shown.MaxLength, 10);
    EXPECT_EQ(macro->Name, "Tiefpass-F");
    EXPECT_EQ(macroEdits, 1);

    // The label renames the macro's pin through the pin's own announcement.
    typed = "CLOCK1";
    EXPECT_EQ(pin->EditProperties(), 1);
    EXPECT_EQ(shown.Title, "Pin (Makros)");
    EXPECT_EQ(shown.MaxLength, 5);
    EXPECT_EQ(pin->Label, "CLOCK");
    EXPECT_EQ(macro->Inputs[0].Name, "CLOCK");

    // Cancel keeps the name.
    answer = 2;
    typed = "Other";
    EXPECT_EQ(macro->EditProperties(), 2);
    EXPECT_EQ(macro->Name, "Tiefpass-F");

    // Without the sheet nothing is shown.
    ShellHooks.TextRowDialog = nullptr;
    EXPECT_EQ(macro->EditProperties(), 0);
    EXPECT_EQ(macro->Name, "Tiefpass-F");
}

TEST_F(MacroTest, ObjectOrderInsideDecidesThePinNumbers)
{
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    TPlatine* inner = macro->InnerBoard();
    TBTPin* second = inner->FindMacroPin(2);
    inner->SelectObject(second, true);
    inner->SendToBack();
    inner->RenumberClass(TBTPin::StaticClass());
    EXPECT_EQ(second->Number, 1);
}

TEST_F(MacroTest, NamesAndTypeNames)
{
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    EXPECT_EQ(macro->GetTypeName(), "Makro");
    LanguageIndex = 2;
    EXPECT_EQ(macro->GetTypeName(), "Macro");
    macro->Name = "Filter";
    EXPECT_EQ(macro->GetTypeName(), "Filter");
    EXPECT_EQ(macro->GetHintText(), "Filter 1\rFilter");
    board.RenumberClass(TMakro::StaticClass());
    EXPECT_EQ(macro->SubDesign->ElementName(), "Filter 1: Filter");
    macro->Name = "LongerThanTen";
    EXPECT_EQ(macro->Name, "LongerThan");
}

// A macro record with no pins, an empty inner board and an empty design
// block; layout writes the panel values after the name.
template <class F>
TBytes MacroRecord(F layout)
{
    TStreamBytes b;
    b.Int(1).Str("TMakro").Int(0).Int(100).Int(100).Int(0).Int(0).Bool(false).Bool(false).Str("M").Str("N");
    layout(b);
    b.Int(0);
    b.Int(0).Int(0).Int(1).Int(0).Int(0).Int(5).Int(5).Bool(true).Bool(true).Int(0).Bool(false).Bool(false);
    b.Int(0).Int(0);
    b.Bool(false);
    return b.Bytes;
}

TEST_F(MacroTest, RecordLayouts)
{
    struct TCase {
        const char* Name;
        TBytes Bytes;
        Integer ZOrder;
        bool Transparent;
    };
    const std::vector<TCase> cases = {
        {"WithPage", MacroRecord([](TStreamBytes& b) { b.Int(-2).Int(3).Bool(true).Int(10).Int(20).Int(30).Int(40).Int(2); }),
         3, true},
        {"WithoutPage", MacroRecord([](TStreamBytes& b) { b.Int(-1).Int(3).Bool(true).Int(10).Int(20).Int(30).Int(40); }),
         3, true},
        {"Oldest", MacroRecord([](TStreamBytes& b) { b.Int(10).Int(20).Int(30).Int(40); }), 0, false},
    };
    for (const TCase& c : cases) {
        TTestBoard copy;
        copy.ReadFromMemory(c.Bytes);
        ASSERT_EQ(copy.Board().Objects.size(), 1u) << c.Name;
        auto* macro = dynamic_cast<TMakro*>(copy.Board().Objects[0]);
        ASSERT_NE(macro, nullptr);
        EXPECT_EQ(macro->Name, "N");
        EXPECT_EQ(macro->GetCaption(), "M");
        const auto* design = static_cast<const TFakeDesign*>(macro->SubDesign);
        EXPECT_EQ(design->ZOrder(), c.ZOrder) << c.Name;
        EXPECT_EQ(design->GetBisteTransparent(), c.Transparent) << c.Name;
        EXPECT_EQ(Rect(design->Left(), design->Top(), design->Width(), design->Height()), Rect(10, 20, 30, 40))
            << c.Name;
        EXPECT_EQ(design->FrontplattenNR(), 0) << c.Name;   // pages only from files
        EXPECT_EQ(design->BackgroundColour, 5);
        EXPECT_EQ(design->TransparencyRefreshes, 1);
    }
}

TEST_F(MacroTest, ClipboardCopyBringsInnerBoardPanelAndPinNames)
{
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    macro->Name = "Filter";
    TPlatine* inner = macro->InnerBoard();
    auto* source = CreateBauteil<TBTTestSource>();
    source->X = 600;
    source->LayoutPins();
    inner->InsertObject(source);
    inner->FindMacroPin(1)->Label = "IN";
    TTestHost::UpdateMacroPins(*macro);
    macro->SubDesign->SetFrontplattenNR(3);

    board.SelectObject(macro, true);
    board.CopySelection();
    board.PasteFromStream(t.Clipboard(), 46);
    ASSERT_EQ(CountOf<TMakro>(board), 2);
    auto* copy = dynamic_cast<TMakro*>(board.Objects[board.Objects.size() - 3]);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, macro);
    EXPECT_EQ(copy->Number, 2);
    EXPECT_EQ(copy->Name, "Filter");
    EXPECT_EQ(copy->Inputs[0].Name, "IN");
    EXPECT_EQ(CountOf<TBTTestSource>(*copy->InnerBoard()), 1);
    EXPECT_EQ(copy->InnerBoard()->BoardName, "MAIN_MCR2");
    EXPECT_EQ(copy->ParentDesign, &t.Host().RootDesign);
    EXPECT_EQ(copy->SubDesign->FrontplattenNR(), 0);   // the page is not taken from the clipboard
    EXPECT_TRUE(t.Host().RootDesign.IsSelected(copy->SubDesign));
}

TEST_F(MacroTest, NestedMacrosTravelInsideTheOuterRecord)
{
    TMakro* outer = t.PlaceMacro(100, 100, 2);
    TPlatine* inner = outer->InnerBoard();
    auto* nested = CreateBauteil<TMakro>();
    nested->SubDesign = static_cast<TFakeDesign*>(outer->SubDesign)->AddDesign();
    nested->ParentDesign = outer->SubDesign;
    TPlatine* deepest = inner->CreateInnerBoard(nested);
    t.Host().Attach(*deepest);
    inner->InsertObject(nested);
    auto* pin = CreateBauteil<TBTPin>();
    pin->Label = "deep";
    deepest->InsertObject(pin);
    TTestHost::UpdateMacroPins(*nested);
    EXPECT_EQ(deepest->BoardName, "MAIN_MCR1_MCR1");

    const auto bytes = t.WriteToMemory();
    TTestBoard copy;
    copy.ReadFromMemory(bytes);
    EXPECT_EQ(copy.WriteToMemory(), bytes);
    auto* readOuter = dynamic_cast<TMakro*>(copy.Board().Objects[0]);
    ASSERT_NE(readOuter, nullptr);
    TMakro* readNested = nullptr;
    for (TBauteil* o : readOuter->InnerBoard()->Objects)
        if (auto* m = dynamic_cast<TMakro*>(o))
            readNested = m;
    ASSERT_NE(readNested, nullptr);
    EXPECT_EQ(readNested->InnerBoard()->BoardName, "MAIN_MCR1_MCR1");
    EXPECT_EQ(readNested->Inputs[0].Name, "deep");
    EXPECT_EQ(readNested->ParentDesign, readOuter->SubDesign);
}

TEST_F(MacroTest, LibraryMacrosCarryNoElementFlagsInside)
{
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    board.WritingLibrary = true;
    const auto bytes = t.WriteToMemory();
    EXPECT_FALSE(macro->InnerBoard()->WritingLibrary);
    TTestBoard copy;
    LibraryLoading = true;
    copy.ReadFromMemory(bytes);
    LibraryLoading = false;
    ASSERT_EQ(CountOf<TMakro>(copy.Board()), 1);
    copy.Board().WritingLibrary = true;
    EXPECT_EQ(copy.WriteToMemory(), bytes);
}

TEST_F(MacroTest, AMacroWithoutPanelIsNotWritten)
{
    auto* macro = CreateBauteil<TMakro>();
    board.CreateInnerBoard(macro);
    board.InsertObject(macro);
    EXPECT_THROW(t.WriteToMemory(), EFilerError);
}

TEST_F(MacroTest, RemovingAMacroTakesItsCircuitAndLinksWithIt)
{
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    auto* innerSource = CreateBauteil<TBTTestSource>();
    macro->InnerBoard()->InsertObject(innerSource);
    auto* probe = t.Place<TBTTestProbe>(600, 100);
    probe->Inputs[0].Source = innerSource->Outputs[0].MarkReferenced();
    macro->InputDrivers = {&probe->Inputs[0]};
    t.Host().Removed.clear();
    board.RemoveObject(macro);
    EXPECT_EQ(probe->Inputs[0].Source, nullptr);
    ASSERT_EQ(t.Host().Removed.size(), 4u);   // the inner components, then the macro
    EXPECT_EQ(t.Host().Removed[3], static_cast<TIOBauteil*>(macro));
    EXPECT_EQ(t.Host().RootDesign.ElementCount(), 0);
    EXPECT_EQ(CountOf<TSegment>(board), 1);   // the probe's stub
}

} // namespace
