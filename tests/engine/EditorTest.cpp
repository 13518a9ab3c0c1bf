// The board editor driven by the mouse on a real view: starting wires at pin
// ends, pin inversion, axis-parallel wire pieces, click and rectangle
// selection, double clicks, hints, dragging with rubber bands and the board's
// edges, placing, deleting, the list order and the tidy-up of loose wires.
#include "BoardViewFixture.h"

#include "engine/Segment.h"
#include "platform/Messages.h"

#include <algorithm>
#include <string>

namespace {

// The free pieces of a board as "x,y-x,y", sorted.
std::vector<std::string> Pieces(const TPlatine& board)
{
    std::vector<std::string> result;
    for (const TBauteil* o : board.Objects)
        if (const auto* w = dynamic_cast<const TSegment*>(o); w && !w->IsStub())
            result.push_back(std::to_string(w->StartPoint.X) + "," + std::to_string(w->StartPoint.Y) + "-" +
                             std::to_string(w->EndPoint.X) + "," + std::to_string(w->EndPoint.Y));
    std::sort(result.begin(), result.end());
    return result;
}
using TList = std::vector<std::string>;

std::vector<const TBauteil*> Selected(const TPlatine& board, bool withWires = true)
{
    std::vector<const TBauteil*> result;
    for (const TBauteil* o : board.Objects) {
        const auto* w = dynamic_cast<const TSegment*>(o);
        if (o->IsSelected() && !(w && w->IsStub()) && (withWires || !w))
            result.push_back(o);
    }
    return result;
}

class EditorTest : public BoardViewFixture {
protected:
    EditorTest()
    {
        // 20 board units are 12.6 pixels.
        board.SetZoom(10);
        board.OnModeChange = [this] { ++modeChanges; };
        board.OnPopupRequest = [this] { ++popups; };
    }
    void TearDown() override
    {
        TBTTestGate::EditScript = nullptr;
        BoardViewFixture::TearDown();
    }
    // A gate with its body at (300, 200)-(400, 320): inputs end at (260, 240)
    // and (260, 280), the output at (440, 260).
    TBTTestGate* Gate(Integer x = 300, Integer y = 200) { return t.Place<TBTTestGate>(x, y); }

    Integer modeChanges = 0;
    Integer popups = 0;
};

TEST_F(EditorTest, PinEndStartsAWireThatEndsWithRightClicks)
{
    TBTTestGate* gate = Gate();
    Click(Point(261, 239));
    EXPECT_EQ(board.Mode, TBoardMode::Wire);
    EXPECT_EQ(modeChanges, 1);
    EXPECT_TRUE(board.Tracking);
    EXPECT_EQ(board.TrackPoint, Point(260, 240));
    EXPECT_TRUE(board.CursorConfined);

    Move(Point(160, 250));
    ASSERT_TRUE(board.Templine);
    EXPECT_TRUE(board.Templine->Shown);
    EXPECT_EQ(board.Templine->EndPoint, Point(160, 240));
    Click(Point(160, 250));
    EXPECT_EQ(Pieces(board), (TList{"160,240-260,240"}));
    EXPECT_TRUE(gate->Inputs[0].Connected);
    EXPECT_EQ(board.TrackPoint, Point(160, 240));

    Click(Point(160, 250), Qt::RightButton);
    EXPECT_EQ(board.Mode, TBoardMode::Wire);
    EXPECT_FALSE(board.Tracking);
    EXPECT_FALSE(board.CursorConfined);
    EXPECT_FALSE(GetClipCursor());
    Click(Point(160, 250), Qt::RightButton);
    EXPECT_EQ(board.Mode, TBoardMode::Select);
    EXPECT_EQ(modeChanges, 2);
}

TEST_F(EditorTest, ClickWherePinMeetsBodyTogglesInversionAndSelects)
{
    TBTTestGate* gate = Gate();
    Click(Point(301, 281));
    EXPECT_TRUE(gate->Inputs[1].Inverted);
    EXPECT_FALSE(gate->Inputs[0].Inverted);
    EXPECT_TRUE(gate->IsSelected());
    EXPECT_EQ(board.Mode, TBoardMode::Select);
    Click(Point(301, 281));
    EXPECT_FALSE(gate->Inputs[1].Inverted);
}

TEST_F(EditorTest, WirePiecesRunAlongTheLongerDistance)
{
    board.Mode = TBoardMode::Wire;
    struct TCase {
        Integer Dx, Dy;
        const char* Piece;
    };
    for (const TCase& c : {TCase{100, 40, "600,400-700,400"}, TCase{40, 100, "600,400-600,500"},
                           TCase{60, 60, "600,400-600,460"}, TCase{-100, -20, "500,400-600,400"}}) {
        Click(Point(600, 400));
        Move(Point(600 + c.Dx, 400 + c.Dy));
        Click(Point(600 + c.Dx, 400 + c.Dy));
        Click(Point(600 + c.Dx, 400 + c.Dy), Qt::RightButton);
        EXPECT_EQ(Pieces(board), (TList{c.Piece})) << c.Dx << "," << c.Dy;
        board.SelectAll(true);
        board.DeleteSelected();
    }
}

TEST_F(EditorTest, ZeroLengthPieceFromASecondClickGoesAtTheTidyUp)
{
    board.Mode = TBoardMode::Wire;
    Click(Point(600, 400));
    Click(Point(600, 400));
    Click(Point(600, 400), Qt::RightButton);
    EXPECT_EQ(Pieces(board), (TList{"600,400-600,400"}));
    board.SelectAll(false);
    EXPECT_FALSE(board.SelectLooseWire());
    EXPECT_TRUE(Pieces(board).empty());
}

TEST_F(EditorTest, ClickSelectsTheLatestObjectAndShiftClickDeselects)
{
    TBTTestGate* lower = Gate(300, 200);
    TBTTestGate* upper = Gate(340, 220);
    Click(Point(370, 300));
    EXPECT_FALSE(lower->IsSelected());
    EXPECT_TRUE(upper->IsSelected());

    Press(Point(370, 300), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_FALSE(upper->IsSelected());
    EXPECT_TRUE(lower->IsSelected());   // under the mouse too, and toggled
    EXPECT_FALSE(board.Tracking);
    Release(Point(370, 300), Qt::LeftButton, Qt::ShiftModifier);

    // Empty space: everything deselected, a rubber rectangle opened.
    Press(Point(800, 500));
    EXPECT_TRUE(Selected(board).empty());
    EXPECT_TRUE(board.Selector);
    Release(Point(800, 500));
    EXPECT_FALSE(board.Selector);
    EXPECT_TRUE(Selected(board).empty());
}

TEST_F(EditorTest, RubberRectangleTakesWhatItTouches)
{
    board.AddWireAndNormalise(Point(100, 500), Point(800, 500));
    TSegment* wire = board.LastWire;
    TBTTestGate* gate = Gate();
    Drag({Point(400, 460), Point(450, 480), Point(500, 540)});
    EXPECT_EQ(Selected(board).size(), 1u);
    EXPECT_TRUE(wire->IsSelected());

    // With Shift the selection grows.
    Drag({Point(250, 150), Point(280, 210)}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(gate->IsSelected());
    EXPECT_TRUE(wire->IsSelected());
}

TEST_F(EditorTest, RightClickInTextModeReturnsToSelectModeWithTheMenu)
{
    board.Mode = TBoardMode::Text;
    Click(Point(600, 400), Qt::RightButton);
    EXPECT_EQ(board.Mode, TBoardMode::Select);
    EXPECT_EQ(popups, 1);
}

TEST_F(EditorTest, DoubleClickOpensTheDialogOnceAndStartsNothing)
{
    TBTTestGate* gate = Gate();
    Integer dialogs = 0;
    TBTTestGate::EditScript = [&](TBTTestGate*) {
        ++dialogs;
        return 2;
    };
    const TPoint body{350, 300};
    Click(body);
    QTest::mouseDClick(Port(), Qt::LeftButton, {}, At(body));
    EXPECT_FALSE(board.Tracking);
    EXPECT_FALSE(board.Selector);
    Move(Point(450, 350));
    Release(Point(450, 350));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(gate->X, 300);
    EXPECT_EQ(gate->Y, 200);
}

TEST_F(EditorTest, HintsOfTheObjectUnderTheMouse)
{
    TBTTestGate* gate = Gate();
    std::vector<std::string> hints;
    Integer hidden = 0;
    TWinHandle mainWindow([&](TMessage& m) {
        if (m.Msg != WM_BOARDHINT)
            return;
        if (m.LParam == 0)
            ++hidden;
        else
            hints.emplace_back(reinterpret_cast<const char*>(m.LParam));
    });
    board.MainWindowHandle = mainWindow.Handle();
    Move(Point(350, 300));
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0], gate->GetHintText());
    Move(Point(800, 500));
    EXPECT_EQ(hidden, 1);

    ShowComponentHints = false;
    Move(Point(350, 300));
    EXPECT_EQ(hints.size(), 1u);
    EXPECT_EQ(hidden, 2);
}

class DragTest : public EditorTest {
protected:
    DragTest()
    {
        gate = Gate();
        board.AddWireAndNormalise(Point(100, 240), Point(260, 240));
        board.SelectAll(false);
    }
    TBTTestGate* gate = nullptr;
};

TEST_F(DragTest, StraightDragKeepsTheWireAttached)
{
    Press(Point(350, 300));
    EXPECT_TRUE(board.CursorConfined);
    EXPECT_EQ(GetClipCursor(), view.ScrollBoxScreenRect());
    for (Integer x : {370, 390, 410})
        Move(Point(x, 300));
    EXPECT_TRUE(RubberBandsActive);
    ASSERT_EQ(board.RubberBands.size(), 1u);
    EXPECT_EQ(board.RubberBands[0].FixedEnd, Point(260, 240));
    EXPECT_EQ(board.RubberBands[0].MovingEnd, Point(320, 240));
    // The red preview is painted.
    const QImage preview = Picture();
    EXPECT_EQ(PixelAt(preview, Point(290, 240)), 0x0000FF);
    Release(Point(410, 300));

    EXPECT_EQ(gate->X, 360);
    EXPECT_EQ(Pieces(board), (TList{"100,240-320,240"}));
    EXPECT_TRUE(gate->Inputs[0].Connected);
    EXPECT_FALSE(RubberBandsActive);
    EXPECT_FALSE(board.CursorConfined);
    EXPECT_FALSE(GetClipCursor());
    EXPECT_TRUE(ProjectModified);
}

TEST_F(DragTest, DiagonalDragLeavesTheWireWhereItWas)
{
    Press(Point(350, 300));
    Move(Point(370, 320));
    EXPECT_FALSE(RubberBandsActive);
    Move(Point(410, 320));
    EXPECT_FALSE(RubberBandsActive);   // for the rest of the drag
    Release(Point(410, 320));
    EXPECT_EQ(gate->X, 360);
    EXPECT_EQ(gate->Y, 220);
    EXPECT_EQ(Pieces(board), (TList{"100,240-260,240"}));
    EXPECT_FALSE(gate->Inputs[0].Connected);
    EXPECT_EQ(PixelAt(Picture(), Point(290, 240)), BoardBackground);
}

TEST_F(DragTest, DragBackToTheStartAddsNothing)
{
    Press(Point(350, 300));
    Move(Point(390, 300));
    Move(Point(350, 300));
    EXPECT_FALSE(RubberBandsActive);
    Move(Point(370, 300));
    Move(Point(350, 300));
    Release(Point(350, 300));
    EXPECT_EQ(gate->X, 300);
    EXPECT_EQ(Pieces(board), (TList{"100,240-260,240"}));
    EXPECT_TRUE(gate->Inputs[0].Connected);
}

TEST_F(DragTest, StepsOffTheBoardAreRefused)
{
    // The gate's bounds begin 68 units left of its body.
    Press(Point(350, 300));
    Move(Point(0, 300));
    EXPECT_EQ(gate->X, 300);
    Move(Point(120, 300));
    EXPECT_EQ(gate->X, 80);
    Move(Point(100, 300));
    EXPECT_EQ(gate->X, 80);
    Release(Point(100, 300));
    EXPECT_EQ(gate->GetBounds().Left, 12);
}

TEST_F(EditorTest, RightPressWhilePlacingDeletesWhatWasPlaced)
{
    TBTTestGate* gate = Gate();
    board.SelectObject(gate, true);
    board.CopySelection();
    board.SelectAll(false);
    const std::size_t before = board.Objects.size();
    board.PasteFromStream(t.Clipboard(), 46);
    ASSERT_EQ(board.Mode, TBoardMode::Placing);
    Move(Point(700, 400));
    Press(Point(700, 400), Qt::RightButton);
    EXPECT_EQ(board.Mode, TBoardMode::Select);
    EXPECT_FALSE(board.Tracking);
    EXPECT_EQ(board.Objects.size(), before);
    EXPECT_EQ(t.Host().Removed.size(), 1u);
    Release(Point(700, 400), Qt::RightButton);
}

// A hardware component that counts its settings dialogs.
class TBTCountedHardware : public TBTTestHardware {
    ZK_CLASS(TBTCountedHardware, TBTTestHardware)

public:
    Integer EditProperties() override
    {
        ++Dialogs;
        return 1;
    }
    static inline Integer Dialogs = 0;
};

TEST_F(EditorTest, HardwarePlacedFromTheLibraryOpensItsPropertiesOnRelease)
{
    RegisterClass(TBTCountedHardware::StaticClass());
    TBTCountedHardware::Dialogs = 0;
    auto* hardware = t.Place<TBTCountedHardware>(300, 200);
    board.SelectObject(hardware, true);
    board.CopySelection();
    board.SelectAll(true);
    board.DeleteSelected();

    board.PasteFromStream(t.Clipboard(), 46);
    board.PlacedFromLibrary = true;
    Move(Point(600, 400));
    Click(Point(600, 400));
    EXPECT_EQ(TBTCountedHardware::Dialogs, 1);
    EXPECT_EQ(board.Mode, TBoardMode::Select);
    EXPECT_FALSE(board.PlacedFromLibrary);

    // Pasted, not from the library: no dialog.
    board.SelectAll(true);
    board.CopySelection();
    board.PasteFromStream(t.Clipboard(), 46);
    Move(Point(700, 400));
    Click(Point(700, 400));
    EXPECT_EQ(TBTCountedHardware::Dialogs, 1);
}

TEST_F(EditorTest, BringToFrontKeepsTheOrderOfTheSelection)
{
    std::vector<TSegment*> wires;
    for (Integer i = 0; i < 7; ++i)
        wires.push_back(board.AddWire(Point(100, 100 + 40 * i), Point(200, 100 + 40 * i)));
    board.SelectObject(wires[2], true);
    board.SelectObject(wires[5], true);
    ProjectModified = false;
    board.BringToFront();
    const std::vector<TBauteil*> expected{wires[0], wires[1], wires[3], wires[4], wires[6], wires[2], wires[5]};
    EXPECT_EQ(board.Objects, expected);
    EXPECT_TRUE(ProjectModified);
}

// Counts the board's full repaints.
class TCountingView : public TPlatineView {
public:
    using TPlatineView::TPlatineView;
    void RepaintBoard() override
    {
        ++Repaints;
        TPlatineView::RepaintBoard();
    }
    Integer Repaints = 0;
};

TEST_F(EditorTest, DeletingRemovesEachComponentOnceAndRepaintsOnce)
{
    TCountingView counting(board);
    std::vector<TBTTestGate*> gates;
    for (Integer i = 0; i < 4; ++i)
        gates.push_back(Gate(300 + 300 * (i % 2), 100 + 200 * (i / 2)));
    for (Integer i = 0; i < 3; ++i)
        board.SelectObject(gates[i], true);
    Integer tools = 0;
    board.OnAktTools = [&] { ++tools; };
    board.DeleteSelected();
    EXPECT_EQ(t.Host().Removed.size(), 3u);
    EXPECT_EQ(counting.Repaints, 1);
    EXPECT_EQ(tools, 1);
    EXPECT_EQ(CountOf<TBTTestGate>(board), 1);
    EXPECT_EQ(CountOf<TSegment>(board), 3);   // the stubs of the one left
}

TEST_F(EditorTest, DeletingAMacroPinIsAnnouncedOnlyForThatRemoval)
{
    TMakro* macro = t.PlaceMacro(1000, 1000, 2);
    TPlatine& inner = *macro->InnerBoard();
    auto* gate = CreateBauteil<TBTTestGate>();
    inner.InsertObject(gate);
    std::vector<std::pair<std::string, bool>> removals;
    auto hostHandler = inner.OnEntferneBauteil;
    inner.OnEntferneBauteil = [&](TPlatine* b, TIOBauteil* c) {
        removals.emplace_back(c->ClassName(), inner.DeletingMacroPin);
        hostHandler(b, c);
    };
    inner.SelectAll(false);
    inner.SelectObject(*std::find_if(inner.Objects.begin(), inner.Objects.end(),
                                     [](const TBauteil* o) { return dynamic_cast<const TBTPin*>(o); }),
                       true);
    inner.SelectObject(gate, true);
    inner.DeleteSelected();
    const std::vector<std::pair<std::string, bool>> expected{{"TBTPin", true}, {"TBTTestGate", false}};
    EXPECT_EQ(removals, expected);
    EXPECT_FALSE(inner.DeletingMacroPin);
    inner.OnEntferneBauteil = hostHandler;
}

TEST_F(EditorTest, TidyUpSelectsDanglingChainsOnly)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    TBTTestGate* gate = Gate(600, 300);
    t.Connect(source, 0, gate, 0);
    t.Connect(source, 0, gate, 1);
    board.SelectAll(false);
    EXPECT_FALSE(board.SelectLooseWire());
    EXPECT_TRUE(Selected(board).empty());

    board.AddWireAndNormalise(Point(1000, 100), Point(1100, 100));
    board.AddWireAndNormalise(Point(1100, 100), Point(1100, 200));
    board.AddWireAndNormalise(Point(1100, 200), Point(1200, 200));
    Integer selected = 0;
    while (board.SelectLooseWire())
        ++selected;
    EXPECT_EQ(selected, 3);
    TList chain;
    for (const TBauteil* o : Selected(board)) {
        const auto* w = static_cast<const TSegment*>(o);
        chain.push_back(std::to_string(w->StartPoint.X) + "," + std::to_string(w->StartPoint.Y));
    }
    std::sort(chain.begin(), chain.end());
    EXPECT_EQ(chain, (TList{"1000,100", "1100,100", "1100,200"}));
}

TEST_F(EditorTest, TidyUpInOnePassSelectsWhatRepeatedCallsSelect)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    TBTTestGate* gate = Gate(600, 300);
    t.Connect(source, 0, gate, 0);
    // A branching dangling tree, a closed square, a piece of no length and a
    // piece ending on a pin end.
    for (const auto& [a, b] : std::vector<std::pair<TPoint, TPoint>>{
             {{1000, 100}, {1100, 100}}, {{1100, 100}, {1200, 100}}, {{1100, 100}, {1100, 300}},
             {{1100, 300}, {1300, 300}}, {{1100, 300}, {1100, 400}},
             {{2000, 100}, {2100, 100}}, {{2100, 100}, {2100, 200}}, {{2100, 200}, {2000, 200}},
             {{2000, 200}, {2000, 100}}, {{3000, 100}, {3000, 100}}, {{500, 500}, {gate->Inputs[1].X, gate->Inputs[1].Y}}})
        board.AddWire(a, b);
    board.SelectAll(false);
    Integer steps = 0;
    while (board.SelectLooseWire())
        ++steps;
    const std::vector<const TBauteil*> oneByOne = Selected(board);
    EXPECT_EQ(steps, 6);   // the tree (5) and the piece to the pin; the square stays

    board.SelectAll(false);
    EXPECT_EQ(board.SelectAllLooseWires(), steps);
    EXPECT_EQ(Selected(board), oneByOne);
    EXPECT_EQ(board.SelectAllLooseWires(), 0);
}

} // namespace
