// The board view: zoom and its limits, centring, the zoom rectangle, fitting,
// the grid and the run colour in the painted picture, clipping, automatic
// scrolling while dragging, the picture of the selection, and the feedback
// figures drawn over the board.
#include "BoardViewFixture.h"

#include "engine/Globals.h"
#include "engine/Segment.h"

#include <QClipboard>
#include <QCursor>
#include <QWheelEvent>
#include <QMimeData>
#include <QScrollBar>
#include <cmath>
#include <limits>

namespace {

class PlatineViewTest : public BoardViewFixture {
protected:
    // The board point in the middle of the scroll box (its outer size, as
    // the zoom operations centre).
    TPoint CentrePoint() const
    {
        return board.DeviceToBoard(TPoint{board.ScrollX + view.width() / 2, board.ScrollY + view.height() / 2});
    }
    void ScrollTo(int x, int y)
    {
        view.horizontalScrollBar()->setValue(x);
        view.verticalScrollBar()->setValue(y);
    }
};

// Within a few pixels at the current zoom.
void ExpectNear(TPoint actual, TPoint expected, Integer tolerance)
{
    EXPECT_NEAR(actual.X, expected.X, tolerance);
    EXPECT_NEAR(actual.Y, expected.Y, tolerance);
}

TEST_F(PlatineViewTest, ZoomStaysWithinItsLimitsAndSizesTheBoard)
{
    struct TCase {
        double Request, Zoom;
        Integer Width;
    };
    for (const TCase& c : {TCase{25, 20, 25196}, TCase{0.3, 0.5, 629}, TCase{5, 5, 6299}, TCase{0.5, 0.5, 629},
                           TCase{std::numeric_limits<double>::quiet_NaN(), 0.5, 629}}) {
        board.SetZoom(c.Request);
        EXPECT_EQ(board.Zoom, c.Zoom) << c.Request;
        EXPECT_EQ(board.Width, c.Width) << c.Request;
        EXPECT_EQ(board.Height, c.Width) << c.Request;
        EXPECT_EQ(view.horizontalScrollBar()->maximum(), std::max(0, c.Width - Port()->width())) << c.Request;
    }
}

TEST_F(PlatineViewTest, ZoomInCentresTheClickedPointAsFarAsTheBoxScrolls)
{
    ScrollTo(1000, 800);
    const TPoint click{1000 + 150, 800 + 90};
    const TPoint b = board.DeviceToBoard(click);
    board.ZoomIn(click);
    EXPECT_DOUBLE_EQ(board.Zoom, 7.0);
    ExpectNear(CentrePoint(), b, 4);
    EXPECT_EQ(board.Left, -board.ScrollX);
    EXPECT_EQ(view.horizontalScrollBar()->value(), board.ScrollX);

    // At the limit the zoom stays, the view still moves to the point.
    board.SetZoom(20);
    ScrollTo(5000, 5000);
    const TPoint c{5000 + 100, 5000 + 300};
    const TPoint b20 = board.DeviceToBoard(c);
    board.ZoomIn(c);
    EXPECT_EQ(board.Zoom, 20.0);
    ExpectNear(CentrePoint(), b20, 2);

    // Near the corner the box cannot scroll further than 0.
    ScrollTo(0, 0);
    board.ZoomOut(TPoint{10, 10});
    EXPECT_EQ(board.ScrollX, 0);
    EXPECT_EQ(board.ScrollY, 0);
}

TEST_F(PlatineViewTest, WheelZoomsAtThePointerOnlyInZoomAndSelectModes)
{
    ScrollTo(1000, 1000);
    const QPoint p(200, 150);
    const TPoint b = BoardAt(p);
    auto turn = [&](int delta) {
        QWheelEvent wheel(p, Port()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Port(), &wheel);
    };
    turn(120);
    EXPECT_DOUBLE_EQ(board.Zoom, 5.5);
    ExpectNear(CentrePoint(), b, 3);
    // The pointer follows the point it was over.
    EXPECT_EQ(QCursor::pos(), Port()->mapToGlobal(At(b)));

    board.Mode = TBoardMode::Wire;
    turn(-120);
    EXPECT_DOUBLE_EQ(board.Zoom, 5.5);
    board.Mode = TBoardMode::Zoom;
    turn(-120);
    EXPECT_DOUBLE_EQ(board.Zoom, 5.0);
}

TEST_F(PlatineViewTest, ZoomRectangle)
{
    board.Mode = TBoardMode::Zoom;
    ScrollTo(600, 600);
    // Narrower than 5 pixels: a click, zoom by 1.4 around the press.
    const TPoint from = BoardAt(QPoint(200, 100));
    const TPoint to = BoardAt(QPoint(204, 200));
    Drag({from, to});
    EXPECT_DOUBLE_EQ(board.Zoom, 7.0);
    ExpectNear(CentrePoint(), to, 4);
    EXPECT_FALSE(board.Selector);

    // A real rectangle fills the box with its smaller side's ratio.
    board.SetZoom(5);
    ScrollTo(600, 600);
    const TPoint a = BoardAt(QPoint(100, 100));
    const TPoint z = BoardAt(QPoint(300, 300));
    Drag({a, BoardAt(QPoint(200, 200)), z});
    EXPECT_NEAR(board.Zoom, 5.0 * std::min(view.width(), view.height()) / 200.0, 0.1);
    ExpectNear(CentrePoint(), Point((a.X + z.X) / 2, (a.Y + z.Y) / 2), 3);
}

TEST_F(PlatineViewTest, ZoomToObjectsWithoutQualifyingObjectsChangesNothing)
{
    ScrollTo(300, 200);
    board.ZoomToObjects(false);
    t.Place<TBTTestGate>(400, 400);
    board.ZoomToObjects(true);
    EXPECT_EQ(board.Zoom, 5.0);
    EXPECT_EQ(board.ScrollX, 300);
    EXPECT_EQ(board.ScrollY, 200);

    // With objects: all of them in view, 30 pixels to spare.
    t.Place<TBTTestGate>(900, 600);
    board.ZoomToObjects(false);
    const TRect r = board.BoardMapping().LPtoDP(board.GetObjectsRect(false));
    EXPECT_GE(r.Left, 0);
    EXPECT_GE(r.Top, 0);
    EXPECT_LE(r.Right, view.width());
    EXPECT_LE(r.Bottom, view.height());
    EXPECT_GT(board.Zoom, 5.0);
}

TEST_F(PlatineViewTest, ZoomToFitShowsTheWholeBoardFromTheCorner)
{
    view.resize(1000, 800);
    ScrollTo(500, 500);
    board.ZoomToFit();
    EXPECT_DOUBLE_EQ(board.Zoom, 0.6);
    EXPECT_EQ(board.ScrollX, 0);
    EXPECT_EQ(board.ScrollY, 0);
    // The whole board fits: nothing left to scroll.
    QApplication::processEvents();
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
}

TEST_F(PlatineViewTest, GridSpacingFollowsTheZoom)
{
    board.GridVisible = true;
    struct TCase {
        double Zoom;
        Integer Step;
    };
    for (const TCase& c : {TCase{5, 40}, TCase{10, 20}, TCase{0.5, 320}}) {
        board.SetZoom(c.Zoom);
        const QImage image = Picture();
        const Integer y = c.Step / 2;   // between two horizontal lines
        for (Integer k = 1; k <= 4; ++k) {
            EXPECT_EQ(PixelAt(image, Point(k * c.Step, y)), GridColour) << c.Zoom << " line " << k;
            EXPECT_EQ(PixelAt(image, Point(k * c.Step + c.Step / 2, y)), BoardBackground) << c.Zoom << " gap " << k;
        }
    }
}

TEST_F(PlatineViewTest, RunningBoardsShowTheRunColourAndOnlyMacroBoardsKeepTheGrid)
{
    constexpr TColor RunColour = 0xEFECEA;
    board.GridVisible = true;
    TMakro* macro = t.PlaceMacro(2000, 2000, 2);
    TPlatine& inner = *macro->InnerBoard();
    inner.BoardPalette = &palette;
    TPlatineView innerView(inner);
    innerView.resize(600, 400);
    innerView.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&innerView));

    board.Running = true;
    const QImage root = Picture();
    EXPECT_EQ(PixelAt(root, Point(40, 20)), RunColour);
    EXPECT_EQ(PixelAt(root, Point(60, 20)), RunColour);

    const QImage innerImage = innerView.viewport()->grab().toImage();
    const QPoint line = QPoint(inner.BoardToParent(Point(40, 20)).X, inner.BoardToParent(Point(40, 20)).Y);
    const QPoint gap = QPoint(inner.BoardToParent(Point(60, 20)).X, inner.BoardToParent(Point(60, 20)).Y);
    EXPECT_EQ(QColor(innerImage.pixel(line)), QColor(0xE6, 0xE6, 0xE6));
    EXPECT_EQ(QColor(innerImage.pixel(gap)), QColor(0xEA, 0xEC, 0xEF));
}

// Counts its drawings.
class TDrawCounter : public TBauteil {
public:
    explicit TDrawCounter(TRect bounds) : bounds_(bounds) {}
    TRect GetBounds() const override { return bounds_; }
    void Draw(TCanvas&) override { ++Drawn; }
    Integer Drawn = 0;

private:
    TRect bounds_;
};

TEST_F(PlatineViewTest, PaintingSkipsObjectsOutsideThePaintedArea)
{
    auto* inside = new TDrawCounter({100, 100, 200, 200});
    auto* outside = new TDrawCounter({3000, 100, 3100, 200});
    auto* straddling = new TDrawCounter({250, 100, 400, 200});
    board.InsertObject(inside);
    board.InsertObject(outside);
    board.InsertObject(straddling);
    QImage image(600, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    // The board units 0 .. 300 at zoom 5.
    painter.setClipRect(QRect(0, 0, board.BoardToParent(Point(300, 0)).X, 400));
    TCanvas canvas(painter);
    board.Paint(canvas);
    EXPECT_EQ(inside->Drawn, 1);
    EXPECT_EQ(outside->Drawn, 0);
    EXPECT_EQ(straddling->Drawn, 1);
}

TEST_F(PlatineViewTest, HoldingTheMouseNearAnEdgeScrollsOnlyDuringADrag)
{
    TIOBauteil* gate = t.Place<TBTTestGate>(400, 400);
    const QPoint nearBottom(300, Port()->height() - 10);
    Press(Point(gate->X + 50, gate->Y + 50));
    ASSERT_TRUE(board.CursorConfined);
    Move(BoardAt(nearBottom));
    EXPECT_EQ(board.AutoScrollDir, 2);
    board.AutoScrollTick();
    board.AutoScrollTick();
    EXPECT_EQ(board.ScrollY, 20);   // round(5 * 2) pixels a tick
    EXPECT_EQ(board.ScrollX, 0);
    Release(BoardAt(nearBottom));
    EXPECT_FALSE(board.CursorConfined);

    Move(BoardAt(QPoint(300, Port()->height() - 12)));
    EXPECT_EQ(board.AutoScrollDir, 2);
    board.AutoScrollTick();
    EXPECT_EQ(board.ScrollY, 20);
}

TEST_F(PlatineViewTest, SelectionPictureHoldsOnlyTheSelectedObjectsUnselected)
{
    TIOBauteil* left = t.Place<TBTTestGate>(400, 400);
    t.Place<TBTTestGate>(1400, 400);
    board.SelectObject(left, true);
    QGuiApplication::clipboard()->clear();
    board.CopySelection();

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime);
    EXPECT_TRUE(mime->data("image/svg+xml").contains("<svg"));
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    ASSERT_FALSE(image.isNull());
    // The bounds of the one gate at 192 pixels per 254 units.
    const TRect bounds = left->GetBounds();
    EXPECT_NEAR(image.width(), bounds.Width() * 192 / 254, 2);
    EXPECT_NEAR(image.height(), bounds.Height() * 192 / 254, 2);
    Integer red = 0;
    Integer drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            drawn += c.alpha() > 0;
            red += c.red() == 255 && c.green() == 0 && c.blue() == 0 && c.alpha() == 255;
        }
    EXPECT_GT(drawn, 100);
    EXPECT_EQ(red, 0);
    EXPECT_TRUE(left->IsSelected());
}

TEST_F(PlatineViewTest, SelectorKeepsSquaresAndCentres)
{
    struct TCase {
        bool Square, Centred;
        TPoint Anchor, To;
        TRect Expected;
    };
    for (const TCase& c : {TCase{true, false, {0, 0}, {30, 10}, {0, 0, 30, 30}},
                           TCase{true, false, {0, 0}, {10, 30}, {0, 0, 30, 30}},
                           TCase{true, false, {0, 0}, {-30, 10}, {0, 0, 10, 10}},
                           TCase{false, true, {100, 100}, {130, 120}, {70, 80, 130, 120}},
                           TCase{false, false, {100, 100}, {50, 70}, {100, 100, 50, 70}}}) {
        TSelector selector(board);
        selector.Start(c.Anchor);
        selector.Square = c.Square;
        selector.Centred = c.Centred;
        selector.MoveTo(c.To);
        EXPECT_EQ(selector.Rect, c.Expected) << c.To.X << "," << c.To.Y;
        EXPECT_EQ(selector.LastRect, c.Expected);
    }
}

TEST_F(PlatineViewTest, FiguresAreDrawnOnceHoweverOftenTheyAreShown)
{
    board.SetZoom(10);
    board.Mode = TBoardMode::Wire;
    board.Tracking = true;
    board.Templine = std::make_unique<TTempline>(board);
    board.Templine->StartPoint = Point(200, 300);
    board.Templine->EndPoint = Point(800, 300);
    const TPoint onLine{500, 300};

    board.Templine->Show();
    board.Templine->Show();
    // XOR of the rubber-line colour with the background: dark.
    EXPECT_EQ(PixelAt(Picture(), onLine), 0x101919);
    board.Templine->Hide();
    board.Templine->Hide();
    EXPECT_EQ(PixelAt(Picture(), onLine), BoardBackground);

    board.Crosshair = std::make_unique<TFadenKreuz>(board);
    board.Crosshair->Position = Point(600, 600);
    board.Crosshair->Show();
    board.Crosshair->Show();
    const QImage crossed = Picture();
    // The background colour XOR itself.
    EXPECT_EQ(PixelAt(crossed, Point(100, 600)), 0x000000);
    EXPECT_EQ(PixelAt(crossed, Point(600, 100)), 0x000000);

    // A rectangle started and finished at once leaves nothing behind.
    TSelector selector(board);
    selector.Start(Point(300, 300));
    selector.Finish();
    EXPECT_EQ(selector.LastRect.Left, -1);
    EXPECT_FALSE(selector.Active);
}

TEST(PlatineViewLifetime, ViewOutlivesItsBoard)
{
    auto board = std::make_unique<TPlatine>();
    TPlatineView view(*board);
    EXPECT_EQ(board->View, &view);
    board.reset();
    EXPECT_EQ(view.Board(), nullptr);
    EXPECT_FALSE(view.viewport()->grab().isNull());
}

} // namespace
