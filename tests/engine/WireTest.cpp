// Wire pieces and their normalisation: direction, merging of collinear pieces,
// splitting at T-junctions, junction dots, pin connection marks and stubs.
#include "support/TestBoard.h"

#include "engine/Segment.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The free pieces of a board, each as "x,y-x,y" with "*" after a dotted end,
// sorted, so expectations do not depend on the list order.
std::vector<std::string> Pieces(const TPlatine& board)
{
    std::vector<std::string> result;
    for (const TBauteil* o : board.Objects) {
        const auto* w = dynamic_cast<const TSegment*>(o);
        if (!w || w->IsStub())
            continue;
        auto point = [](TPoint p, bool dot) {
            return std::to_string(p.X) + "," + std::to_string(p.Y) + (dot ? "*" : "");
        };
        result.push_back(point(w->StartPoint, w->DotAtStart) + "-" + point(w->EndPoint, w->DotAtEnd));
    }
    std::sort(result.begin(), result.end());
    return result;
}

using TList = std::vector<std::string>;

TSegment* Find(const TPlatine& board, TPoint start, TPoint end)
{
    for (TBauteil* o : board.Objects)
        if (auto* w = dynamic_cast<TSegment*>(o); w && w->StartPoint == start && w->EndPoint == end)
            return w;
    return nullptr;
}

class WireTest : public ::testing::Test {
protected:
    TSegment* Add(Integer x1, Integer y1, Integer x2, Integer y2)
    {
        board.AddWireAndNormalise(Point(x1, y1), Point(x2, y2));
        return board.LastWire;
    }
    TTestBoard t;
    TPlatine& board = t.Board();
};

TEST(Segment, NormaliseRunsLeftToRightAndTopDown)
{
    struct TCase {
        TPoint A, B, Start, End;
    };
    for (const TCase& c : {TCase{Point(0, 100), Point(0, 0), Point(0, 0), Point(0, 100)},
                           TCase{Point(100, 5), Point(0, 5), Point(0, 5), Point(100, 5)},
                           TCase{Point(0, 0), Point(100, 0), Point(0, 0), Point(100, 0)},
                           TCase{Point(7, 7), Point(7, 7), Point(7, 7), Point(7, 7)}}) {
        TSegment s;
        s.StartPoint = c.A;
        s.EndPoint = c.B;
        s.Normalise();
        EXPECT_EQ(s.StartPoint, c.Start);
        EXPECT_EQ(s.EndPoint, c.End);
    }
}

TEST(Segment, InnerPointsBoundsAndStubHits)
{
    TSegment s;
    s.StartPoint = Point(0, 0);
    s.EndPoint = Point(0, 100);
    EXPECT_TRUE(s.ContainsInner(Point(0, 50)));
    EXPECT_FALSE(s.ContainsInner(Point(0, 0)));
    EXPECT_FALSE(s.ContainsInner(Point(0, 100)));
    EXPECT_FALSE(s.ContainsInner(Point(1, 50)));
    EXPECT_EQ(s.GetBounds(), Rect(-8, -8, 8, 108));
    TPoint end;
    EXPECT_FALSE(s.HitEndPoint(Point(0, 0), end));   // wire pieces have no pin end

    TPlatine board;
    auto* gate = CreateBauteil<TBTTestGate>();
    board.InsertObject(gate);
    const TSegment* stub = gate->Inputs[0].Stub;   // at 260,340, body edge at 300
    EXPECT_TRUE(stub->HitEndPoint(Point(251, 331), end));
    EXPECT_EQ(end, Point(260, 340));
    EXPECT_FALSE(stub->HitEndPoint(Point(270, 340), end));
    EXPECT_TRUE(stub->HitPinEnd(Point(300, 340)));
    EXPECT_TRUE(stub->HitPinEnd(Point(290, 349)));
    EXPECT_FALSE(stub->HitPinEnd(Point(310, 340)));
    gate->SetMirrored(true);
    board.RemovePinStubs(gate);
    board.CreatePinStubs(gate);
    EXPECT_TRUE(gate->Inputs[0].Stub->HitPinEnd(Point(400, 380)));
}

TEST_F(WireTest, PiecesAreStoredNormalised)
{
    Add(0, 100, 0, 0);
    Add(300, 500, 100, 500);
    EXPECT_EQ(Pieces(board), (TList{"0,0-0,100", "100,500-300,500"}));
}

TEST_F(WireTest, ContinuingAndOverlappingPiecesMerge)
{
    Add(0, 0, 100, 0);
    Add(100, 0, 200, 0);
    EXPECT_EQ(Pieces(board), (TList{"0,0-200,0"}));
    Add(150, 0, 300, 0);
    EXPECT_EQ(Pieces(board), (TList{"0,0-300,0"}));
    Add(500, 100, 500, 0);
    Add(500, 50, 500, 300);
    EXPECT_EQ(Pieces(board), (TList{"0,0-300,0", "500,0-500,300"}));
}

TEST_F(WireTest, NoMergeWhereAThirdPieceEnds)
{
    Add(0, 0, 100, 0);
    Add(100, 0, 100, 100);
    Add(100, 0, 200, 0);
    EXPECT_EQ(Pieces(board), (TList{"0,0-100,0*", "100,0*-100,100", "100,0*-200,0"}));
}

TEST_F(WireTest, PieceEndingInTheMiddleSplitsTheOther)
{
    Add(0, 0, 200, 0);
    Add(100, 0, 100, 100);
    EXPECT_EQ(Pieces(board), (TList{"0,0-100,0*", "100,0*-100,100", "100,0*-200,0"}));
}

TEST_F(WireTest, CornersGetNoDot)
{
    Add(0, 0, 100, 0);
    Add(100, 0, 100, 100);
    EXPECT_EQ(Pieces(board), (TList{"0,0-100,0", "100,0-100,100"}));
}

TEST_F(WireTest, DeletingTheStemOfATMergesTheBar)
{
    Add(0, 0, 200, 0);
    Add(100, 0, 100, 100);
    TSegment* stem = Find(board, Point(100, 0), Point(100, 100));
    ASSERT_NE(stem, nullptr);
    board.SelectObject(stem, true);
    board.DetachWires();
    board.RemoveObject(stem);
    EXPECT_EQ(Pieces(board), (TList{"0,0-200,0"}));
}

TEST_F(WireTest, AZeroLengthPieceCountsAsVertical)
{
    Add(0, 0, 0, 100);
    Add(0, 100, 0, 100);
    EXPECT_EQ(Pieces(board), (TList{"0,0-0,100"}));
    Add(200, 0, 300, 0);
    Add(300, 0, 300, 0);
    EXPECT_EQ(Pieces(board), (TList{"0,0-0,100", "200,0-300,0", "300,0-300,0"}));
}

TEST_F(WireTest, ALoneDotFromTheFileStays)
{
    TSegment* w = board.AddWire(Point(0, 0), Point(100, 0));
    w->DotAtEnd = true;
    board.NormaliseAllWires();
    EXPECT_EQ(Pieces(board), (TList{"0,0-100,0*"}));
}

TEST_F(WireTest, WireOnAPinMarksItConnected)
{
    auto* gate = t.Place<TBTTestGate>(300, 300);
    TBauteilPin& pin = gate->Inputs[0];   // 260,340
    TSegment* wire = Add(100, 340, 260, 340);
    EXPECT_TRUE(pin.Connected);
    EXPECT_FALSE(gate->Inputs[1].Connected);
    EXPECT_EQ(Pieces(board), (TList{"100,340-260,340"}));   // two ends meet: no dot

    board.SelectObject(wire, true);
    board.DetachWires();
    EXPECT_FALSE(pin.Connected);
    wire->MoveBy(Point(0, 20));
    board.NormaliseSelectedWires();
    EXPECT_FALSE(pin.Connected);
}

TEST_F(WireTest, APieceAcrossAPinEndIsSplitThere)
{
    auto* gate = t.Place<TBTTestGate>(300, 300);
    Add(260, 300, 260, 400);
    EXPECT_TRUE(gate->Inputs[0].Connected);
    EXPECT_TRUE(gate->Inputs[1].Connected);
    EXPECT_EQ(Pieces(board), (TList{"260,300-260,340*", "260,340*-260,380*", "260,380*-260,400"}));
}

TEST_F(WireTest, StubsNeverMerge)
{
    // An output and an input whose ends lie on the same point.
    auto* source = t.Place<TBTTestSource>(0, 300);      // output at 140,340
    auto* gate = t.Place<TBTTestGate>(180, 300);        // input 0 at 140,340
    ASSERT_EQ(Point(source->Outputs[0].X, source->Outputs[0].Y), Point(gate->Inputs[0].X, gate->Inputs[0].Y));
    Add(140, 340, 140, 200);
    board.NormaliseAllWires();
    EXPECT_EQ(CountOf<TSegment>(board), 5);   // four stubs and the piece
    EXPECT_EQ(Pieces(board), (TList{"140,200-140,340*"}));
    EXPECT_TRUE(source->Outputs[0].Connected);
    EXPECT_TRUE(gate->Inputs[0].Connected);
}

TEST_F(WireTest, DrawingUsesSelectionAndLineState)
{
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    TSegment w;
    w.StartPoint = Point(10, 30);
    w.EndPoint = Point(50, 30);
    w.DotAtEnd = true;
    w.Draw(canvas);
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(50, 35), QColor(Qt::black));   // the dot, radius 6
    w.ShowLineStates = true;
    w.LastLevel = true;
    w.Draw(canvas);
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::red));
}

} // namespace
