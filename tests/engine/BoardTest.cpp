// The board's object list: stubs, numbering, names, removal, selection
// queries, editing a selection, mirroring, order and the clipboard.
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Segment.h"
#include "platform/Dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<TSegment*> StubsOf(const TPlatine& board, const TIOBauteil* owner)
{
    std::vector<TSegment*> stubs;
    for (TBauteil* o : board.Objects)
        if (auto* s = dynamic_cast<TSegment*>(o); s && s->Owner == owner)
            stubs.push_back(s);
    return stubs;
}

class BoardTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
    TTestBoard t;
    TPlatine& board = t.Board();
};

TEST_F(BoardTest, ComponentsGetStubsAndNumbersPerClass)
{
    auto* g1 = t.Place<TBTTestGate>(100, 100);
    auto* probe = t.Place<TBTTestProbe>(400, 100);
    auto* g2 = t.Place<TBTTestGate>(100, 400);
    EXPECT_EQ(g1->Number, 1);
    EXPECT_EQ(g2->Number, 2);
    EXPECT_EQ(probe->Number, 1);

    const auto stubs = StubsOf(board, g1);
    ASSERT_EQ(stubs.size(), 3u);
    for (std::size_t i = 0; i < stubs.size(); ++i) {
        const bool input = i < 2;
        const Integer index = input ? Integer(i) : 0;
        const TBauteilPin& pin = input ? g1->Inputs[index] : g1->Outputs[index];
        EXPECT_EQ(stubs[i]->IsInputStub, input);
        EXPECT_EQ(stubs[i]->PinIndex, index);
        EXPECT_EQ(pin.Stub, stubs[i]);
        EXPECT_EQ(stubs[i]->StartPoint, Point(pin.X, pin.Y));
        EXPECT_EQ(stubs[i]->EndPoint, Point(pin.X, pin.Y));
    }

    board.RemoveObject(g1);
    EXPECT_EQ(g2->Number, 1);
    EXPECT_EQ(CountOf<TSegment>(board), 4);   // the stubs of the probe and of g2
    EXPECT_EQ(t.Host().Removed, std::vector<TIOBauteil*>{g1});
}

TEST_F(BoardTest, RemovingAStubClearsItsPin)
{
    auto* gate = t.Place<TBTTestGate>(100, 100);
    TSegment* stub = gate->Outputs[0].Stub;
    board.RemoveObject(stub);
    EXPECT_EQ(gate->Outputs[0].Stub, nullptr);
    EXPECT_EQ(CountOf<TSegment>(board), 2);
}

TEST_F(BoardTest, PinRebuildReplacesTheStubs)
{
    auto* gate = t.Place<TBTTestGate>(100, 100);
    gate->SetInputCount(4);
    EXPECT_EQ(StubsOf(board, gate).size(), 5u);
    for (const TBauteilPin& pin : gate->Inputs)
        ASSERT_NE(pin.Stub, nullptr);
    EXPECT_EQ(gate->Inputs[3].Stub->StartPoint, Point(gate->Inputs[3].X, gate->Inputs[3].Y));
}

TEST_F(BoardTest, BoardNamesReachNestedMacrosAndDdeServers)
{
    auto* outer = t.PlaceMacro(100, 100, 2);
    auto* second = t.PlaceMacro(600, 100, 2);
    auto* server = t.Place<TBTTestDdeServer>(100, 600);
    TPlatine* inner = outer->InnerBoard();
    auto* nested = CreateBauteil<TMakro>();
    inner->CreateInnerBoard(nested);
    inner->InsertObject(nested);
    auto* innerServer = CreateBauteil<TBTTestDdeServer>();
    nested->InnerBoard()->InsertObject(innerServer);

    board.SetBoardName("MAIN");
    EXPECT_EQ(inner->BoardName, "MAIN_MCR1");
    EXPECT_EQ(second->InnerBoard()->BoardName, "MAIN_MCR2");
    EXPECT_EQ(nested->InnerBoard()->BoardName, "MAIN_MCR1_MCR1");
    EXPECT_EQ(server->BoardPath, "MAIN");
    EXPECT_EQ(innerServer->BoardPath, "MAIN_MCR1_MCR1");
    EXPECT_EQ(server->Items, 0);   // naming clears the items

    board.CreateDdeServerItems();
    EXPECT_EQ(server->Items, 2);
    EXPECT_EQ(innerServer->Items, 2);

    // An inner board not yet named by its parent creates no items.
    TPlatine lonely;
    TMakro* owner = CreateBauteil<TMakro>();
    lonely.CreateInnerBoard(owner);
    auto* orphan = CreateBauteil<TBTTestDdeServer>();
    owner->InnerBoard()->InsertObject(orphan);
    EXPECT_EQ(orphan->Creations, 0);
    delete owner;
}

TEST_F(BoardTest, SelectionQueries)
{
    auto* g1 = t.Place<TBTTestGate>(100, 100);
    auto* g2 = t.Place<TBTTestGate>(100, 400);
    auto* probe = t.Place<TBTTestProbe>(400, 100);
    auto* macro = t.PlaceMacro(400, 400, 2);
    TSegment* wire = board.AddWire(Point(0, 0), Point(0, 100));
    struct TCase {
        std::vector<TBauteil*> Selected;
        bool Any, OneComponent, Macro, CanEdit;
        Integer Count;
    };
    const std::vector<TCase> cases = {
        {{}, false, false, false, false, 0},
        {{wire}, true, false, false, false, 0},
        {{g1, wire}, true, true, false, true, 1},
        {{g1, g2}, true, false, false, true, 2},
        {{g1, probe}, true, false, false, false, 2},
        {{probe}, true, true, false, false, 1},
        {{macro}, true, true, true, true, 1},
    };
    for (const TCase& c : cases) {
        board.SelectAll(false);
        for (TBauteil* o : c.Selected)
            board.SelectObject(o, true);
        EXPECT_EQ(board.AnySelected(), c.Any);
        EXPECT_EQ(board.OneComponentSelected(), c.OneComponent);
        EXPECT_EQ(board.SelectedIsMacro(), c.Macro);
        EXPECT_EQ(board.CanEditSelection(), c.CanEdit);
        EXPECT_EQ(board.SelectedCount(), c.Count);
    }
}

TEST_F(BoardTest, SelectingFollowsPanelElementsAndMacroPanels)
{
    auto* macro = t.PlaceMacro(400, 400, 2);
    board.SelectObject(macro, true);
    EXPECT_TRUE(t.Host().RootDesign.IsSelected(macro->SubDesign));
    board.SelectAll(false);
    EXPECT_FALSE(t.Host().RootDesign.IsSelected(macro->SubDesign));
}

class EditSelectionTest : public BoardTest {
protected:
    void SetUp() override
    {
        for (Integer i = 0; i < 3; ++i)
            gates.push_back(t.Place<TBTTestGate>(100, 100 + 300 * i));
        for (TBTTestGate* g : gates)
            board.SelectObject(g, true);
        TBTTestGate::EditScript = [](TBTTestGate* g) {
            g->Threshold = 9;
            g->Outputs[0].Inverted = true;
            g->SetInputCount(3);
            return 1;
        };
    }
    void TearDown() override
    {
        TBTTestGate::EditScript = nullptr;
        BoardTest::TearDown();
    }
    std::vector<TBTTestGate*> gates;
};

TEST_F(EditSelectionTest, YesCopiesEverySettingAndKeepsPositions)
{
    TModalHook hook({TModalAnswer::Button(IDYES)});
    board.EditSelection();
    ASSERT_EQ(hook.Requests().size(), 1u);
    EXPECT_EQ(hook.Requests()[0].Caption, Translate("Eigenschaften"));
    EXPECT_EQ(hook.Requests()[0].Flags, MB_YESNO | MB_ICONQUESTION);
    for (Integer i = 0; i < 3; ++i) {
        EXPECT_EQ(gates[i]->Threshold, 9);
        EXPECT_TRUE(gates[i]->Outputs[0].Inverted);
        EXPECT_EQ(gates[i]->InputCount, 3);
        EXPECT_EQ(gates[i]->Y, 100 + 300 * i);
        EXPECT_EQ(StubsOf(board, gates[i]).size(), 4u);
        EXPECT_EQ(gates[i]->Inputs[2].Stub->StartPoint, Point(gates[i]->Inputs[2].X, gates[i]->Inputs[2].Y));
    }
    EXPECT_TRUE(ProjectModified);
}

TEST_F(EditSelectionTest, NoChangesOnlyTheFirst)
{
    TModalHook hook({TModalAnswer::Button(IDNO)});
    board.EditSelection();
    EXPECT_EQ(gates[0]->Threshold, 9);
    EXPECT_EQ(gates[1]->Threshold, 7);
    EXPECT_EQ(gates[2]->InputCount, 2);
}

TEST_F(EditSelectionTest, CancelAsksNothing)
{
    TBTTestGate::EditScript = [](TBTTestGate*) { return 2; };
    TModalHook hook(std::vector<TModalAnswer>{});
    board.EditSelection();
    EXPECT_TRUE(hook.Requests().empty());
}

TEST_F(BoardTest, EditSelectionRenewsHardwareDrivers)
{
    auto* a = t.Place<TBTTestHardware>(100, 100);
    auto* b = t.Place<TBTTestHardware>(100, 400);
    a->SetCaption("Copied");
    board.SelectObject(a, true);
    board.SelectObject(b, true);
    const Integer alive = TFakeDevice::Alive;
    const Integer created = TFakeDevice::Created;
    TModalHook hook({TModalAnswer::Button(IDYES)});
    board.EditSelection();
    EXPECT_EQ(b->GetCaption(), "Copied");
    EXPECT_EQ(TFakeDevice::Created, created + 1);   // b's record made a new device
    EXPECT_NE(b->Driver(), nullptr);
    EXPECT_EQ(TFakeDevice::Alive, alive);
}

// A macro whose settings dialog names it (the real one needs the property sheet).
class TNamedMacro : public TMakro {
public:
    Integer EditProperties() override
    {
        Name = "Filter";
        return 1;
    }
};

TEST_F(BoardTest, MacrosTakeOverOnlyTheName)
{
    auto* m1 = t.PlaceMacro<TNamedMacro>(100, 100, 2);
    auto* m2 = t.PlaceMacro<TNamedMacro>(600, 100, 4);
    const std::size_t innerObjects = m2->InnerBoard()->Objects.size();
    int edited = 0;
    m2->OnEdited = [&](TMakro*) { ++edited; };
    board.SelectObject(m1, true);
    board.SelectObject(m2, true);
    ASSERT_TRUE(board.CanEditSelection());
    TModalHook hook({TModalAnswer::Button(IDYES)});
    board.EditSelection();
    EXPECT_EQ(m2->Name, "Filter");
    EXPECT_EQ(edited, 1);
    EXPECT_EQ(m2->InnerBoard()->Objects.size(), innerObjects);
    EXPECT_EQ(m2->PinCount, 4);
}

TEST_F(BoardTest, MirroringTheFirstSelectedComponent)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    auto* gate = t.Place<TBTTestGate>(400, 100);
    t.Connect(source, 0, gate, 0);
    EXPECT_TRUE(gate->Inputs[0].Connected);
    board.SelectObject(gate, true);
    board.MirrorSelected();
    EXPECT_TRUE(gate->Mirrored);
    EXPECT_FALSE(gate->Inputs[0].Connected);   // its end moved away from the wire
    EXPECT_EQ(gate->Inputs[0].Stub->StartPoint, Point(gate->Inputs[0].X, gate->Inputs[0].Y));
    EXPECT_EQ(gate->Inputs[0].X, gate->BodyRect.Right + 40);
    EXPECT_EQ(StubsOf(board, gate).size(), 3u);
    board.MirrorSelected();
    EXPECT_FALSE(gate->Mirrored);
    EXPECT_TRUE(gate->Inputs[0].Connected);   // back on the wire's end
}

TEST_F(BoardTest, SendToBackPutsTheSelectionFirstReversed)
{
    std::vector<TBauteil*> objects;
    for (Integer i = 0; i < 7; ++i)
        objects.push_back(board.AddWire(Point(100 * i, 0), Point(100 * i, 40)));
    board.SelectObject(objects[2], true);
    board.SelectObject(objects[5], true);
    board.SendToBack();
    const std::vector<TBauteil*> expected = {objects[5], objects[2], objects[0], objects[1],
                                             objects[3], objects[4], objects[6]};
    EXPECT_EQ(board.Objects, expected);
}

// ---- Clipboard

TEST_F(BoardTest, CopyWritesOnlyTheSelectionAndNoStubs)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    auto* gate = t.Place<TBTTestGate>(400, 100);
    t.Connect(source, 0, gate, 0);
    TSegment* wire = board.LastWire;
    ASSERT_NE(wire, nullptr);
    board.SelectObject(gate, true);
    board.SelectObject(wire, true);
    int tools = 0;
    board.OnAktTools = [&] { ++tools; };
    board.CopySelection();
    EXPECT_EQ(tools, 1);
    EXPECT_EQ(t.Clipboard().Position(), 0);
    TReader reader(t.Clipboard());
    EXPECT_EQ(reader.ReadInteger(), 2);
    EXPECT_EQ(reader.ReadString(), "TBTTestGate");
}

// A paste numbers the pasted classes again over the whole list, so numbers
// that the list order no longer matches are mended; the read event already
// sees the pasted component's own number.
TEST_F(BoardTest, PasteNumbersTheClassInListOrder)
{
    auto* first = t.Place<TBTTestGate>(100, 100);
    auto* second = t.Place<TBTTestGate>(100, 400);
    auto* probe = t.Place<TBTTestProbe>(400, 100);
    board.SelectAll(false);
    board.SelectObject(second, true);
    board.SendToBack();   // second now lies first, still numbered 2
    EXPECT_EQ(second->Number, 2);
    board.SelectAll(false);
    board.SelectObject(first, true);
    board.CopySelection();
    std::vector<Integer> seen;
    board.OnNeuesBauteil = [&](TPlatine*, TIOBauteil* component, TStream&, TReader& reader, Byte) {
        seen.push_back(component->Number);
        reader.ReadBoolean();
    };
    board.PasteFromStream(t.Clipboard(), 46);
    EXPECT_EQ(seen, std::vector<Integer>{3});
    EXPECT_EQ(second->Number, 1);
    EXPECT_EQ(first->Number, 2);
    EXPECT_EQ(probe->Number, 1);
}

// Deleting a selection removes each component with its stubs, announces the
// removals in list order and numbers the classes left once.
TEST_F(BoardTest, DeletingASelectionRenumbersWhatIsLeft)
{
    std::vector<TBTTestGate*> gates;
    for (Integer i = 0; i < 5; ++i)
        gates.push_back(t.Place<TBTTestGate>(100, 100 + 400 * i));
    auto* probe = t.Place<TBTTestProbe>(400, 100);
    t.Connect(gates[0], 0, probe, 0);
    board.PrepareSimulation();
    board.SelectAll(false);
    for (Integer i : {0, 2, 3})
        board.SelectObject(gates[static_cast<std::size_t>(i)], true);
    board.DeleteSelected();
    EXPECT_EQ(t.Host().Removed, (std::vector<TIOBauteil*>{gates[0], gates[2], gates[3]}));
    EXPECT_EQ(gates[1]->Number, 1);
    EXPECT_EQ(gates[4]->Number, 2);
    EXPECT_EQ(CountOf<TBTTestGate>(board), 2);
    EXPECT_EQ(std::count_if(board.Objects.begin(), board.Objects.end(),
                            [](const TBauteil* o) {
                                const auto* w = dynamic_cast<const TSegment*>(o);
                                return w && w->IsStub();
                            }),
              3 + 3 + 1);   // stubs of the two gates and the probe
    EXPECT_EQ(probe->Inputs[0].Source, nullptr);      // its driver is gone
    EXPECT_EQ(std::count_if(board.Objects.begin(), board.Objects.end(),
                            [](const TBauteil* o) { return dynamic_cast<const TSegment*>(o) && o->IsSelected(); }),
              0);
}

TEST_F(BoardTest, PasteTwiceNumbersAfterTheExisting)
{
    auto* gate = t.Place<TBTTestGate>(100, 100);
    gate->SetCaption("Original");
    t.Place<TBTTestGate>(100, 400);
    board.SelectObject(gate, true);
    board.CopySelection();
    for (Integer copy = 1; copy <= 2; ++copy) {
        board.Mode = TBoardMode::Select;
        board.PasteFromStream(t.Clipboard(), 46);
        EXPECT_EQ(board.Mode, TBoardMode::Placing);
        EXPECT_EQ(board.PreviousMode, TBoardMode::Select);
        EXPECT_TRUE(board.Tracking);
        EXPECT_EQ(t.Clipboard().Position(), 0);
        std::vector<TBTTestGate*> gates;
        for (TBauteil* o : board.Objects)
            if (auto* g = dynamic_cast<TBTTestGate*>(o))
                gates.push_back(g);
        ASSERT_EQ(gates.size(), std::size_t(2 + copy));
        EXPECT_EQ(gates.back()->Number, 2 + copy);
        EXPECT_EQ(gates.back()->GetCaption(), "Original");
        EXPECT_TRUE(gates.back()->Selected);
        EXPECT_FALSE(gates.front()->Selected);
        EXPECT_EQ(StubsOf(board, gates.back()).size(), 3u);
    }
}

TEST_F(BoardTest, PasteDoesNothingWhilePlacingOrFromATinyStream)
{
    t.Place<TBTTestGate>(100, 100);
    const std::size_t before = board.Objects.size();
    TMemoryStream tiny(std::vector<Byte>{0x02, 0x01});
    board.PasteFromStream(tiny, 46);
    EXPECT_EQ(board.Mode, TBoardMode::Select);
    board.SelectAll(true);
    board.CopySelection();
    board.Mode = TBoardMode::Placing;
    board.PasteFromStream(t.Clipboard(), 46);
    EXPECT_EQ(board.Objects.size(), before);
}

TEST_F(BoardTest, FailedPasteLeavesPlacingMode)
{
    // One object of a class nobody registered.
    TMemoryStream damaged(std::vector<Byte>{0x02, 0x01, 0x06, 0x04, 'T', 'B', 'u', 'h'});
    EXPECT_THROW(board.PasteFromStream(damaged, 46), EClassNotFound);
    EXPECT_EQ(board.Mode, TBoardMode::Select);
    EXPECT_FALSE(board.Tracking);
    EXPECT_EQ(damaged.Position(), 0);
}

} // namespace
