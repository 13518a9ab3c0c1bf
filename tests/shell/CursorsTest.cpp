// The editor's own cursors: each picture loads as a 32 x 32 cursor whose hot
// spot lies on the drawing, and the board view shows them by number.
#include "ShellFixture.h"

#include "platform/ScreenCursors.h"
#include "shell/Cursors.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QToolButton>

namespace {

constexpr Integer CursorNumbers[] = {1, 2, 3, 4, 14, 15, 16};

// Whether a pixel of the picture near the hot spot is drawn.
bool DrawnNear(const QImage& image, QPoint spot)
{
    for (int y = spot.y() - 1; y <= spot.y() + 1; ++y)
        for (int x = spot.x() - 1; x <= spot.x() + 1; ++x)
            if (image.rect().contains(x, y) && qAlpha(image.pixel(x, y)) >= 128)
                return true;
    return false;
}

} // namespace

class CursorsTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        ResetScreenCursors();
    }
    void TearDown() override
    {
        ResetScreenCursors();
        TShellFixture::TearDown();
    }
};

TEST_F(CursorsTest, EachOfTheSevenPicturesLoadsAsItsOwnCursorWithTheHotSpotOnTheDrawing)
{
    LoadCustomCursors();
    std::vector<QImage> pictures;
    for (Integer number : CursorNumbers) {
        SCOPED_TRACE(number);
        const QCursor cursor = ScreenCursor(number);
        ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
        const QPixmap pixmap = cursor.pixmap();
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(32, 32));
        const QPoint spot = cursor.hotSpot();
        EXPECT_TRUE(QRect(0, 0, 32, 32).contains(spot)) << spot.x() << "," << spot.y();
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        const qreal ratio = pixmap.devicePixelRatio();
        EXPECT_TRUE(DrawnNear(image, (QPointF(spot) * ratio).toPoint()));
        // Black outline and white fill, so it reads on the light board.
        bool black = false;
        bool white = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                black = black || p == qRgba(0, 0, 0, 255);
                white = white || p == qRgba(255, 255, 255, 255);
            }
        EXPECT_TRUE(black && white);
        for (const QImage& other : pictures)
            EXPECT_NE(image, other);
        pictures.push_back(image);
    }
}

TEST_F(CursorsTest, ModeButtonsGiveTheBoardViewItsCursor)
{
    TForm1& form = Create();
    const QWidget* board = form.findChild<QAbstractScrollArea*>("PlatineScrollbox")->viewport();
    const QImage magnifier = ScreenCursor(1).pixmap().toImage();
    ASSERT_FALSE(magnifier.isNull());

    struct Case { const char* button; Qt::CursorShape shape; };
    const Case cases[] = {{"ZoomBtn", Qt::BitmapCursor}, {"LineBtn", Qt::BlankCursor},
                          {"StandardBtn", Qt::ArrowCursor}};
    for (const Case& c : cases) {
        form.findChild<QToolButton*>(c.button)->click();
        EXPECT_EQ(board->cursor().shape(), c.shape) << c.button;
    }
    form.findChild<QToolButton*>("ZoomBtn")->click();
    EXPECT_EQ(board->cursor().pixmap().toImage(), magnifier);
}
