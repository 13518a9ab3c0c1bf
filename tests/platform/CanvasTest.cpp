// The canvas: logical-to-device mapping, exclusive right and bottom edges,
// pen widths, palette-index colours, XOR pens and turned text.
#include "platform/Canvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(CanvasMapping, AnisotropicOriginsAndExtents)
{
    TMapping m;
    m.Mode = TMapMode::MM_ANISOTROPIC;
    m.WindowOrg = {100, 50};
    m.WindowExt = {254, 254};
    m.ViewportExt = {80, -80};
    m.ViewportOrg = {-10, 300};
    EXPECT_EQ(m.LPtoDP(Point(100, 50)), Point(-10, 300));
    EXPECT_EQ(m.LPtoDP(Point(354, 304)), Point(70, 220));
    EXPECT_EQ(m.DPtoLP(Point(70, 220)), Point(354, 304));
    // Corners are ordered after the conversion.
    EXPECT_EQ(m.LPtoDP(Rect(100, 50, 354, 304)), Rect(-10, 220, 70, 300));

    m.Mode = TMapMode::MM_TEXT;   // extents do not apply
    EXPECT_EQ(m.LPtoDP(Point(110, 60)), Point(0, 310));
}

TEST(CanvasMapping, ZeroExtentsAreRefused)
{
    TCanvas canvas;
    canvas.SetMapMode(TMapMode::MM_ANISOTROPIC);
    canvas.SetWindowExt(10, 10);
    canvas.SetWindowExt(0, 5);
    EXPECT_EQ(canvas.Mapping().WindowExt, Point(10, 10));
}

class CanvasDrawing : public ::testing::Test {
protected:
    CanvasDrawing() : image(40, 40, QImage::Format_RGB32) { image.fill(Qt::white); }
    QColor At(int x, int y) const { return image.pixelColor(x, y); }
    QImage image;
};

TEST_F(CanvasDrawing, RectanglesLeaveOutTheirRightAndBottomEdges)
{
    TCanvas canvas(&image);
    canvas.Brush.SetColor(0x00FF00);
    canvas.Pen.Color = 0x0000FF;
    canvas.Pen.Width = 1;
    canvas.Rectangle(5, 5, 15, 10);
    EXPECT_EQ(At(5, 5), QColor(Qt::red));
    EXPECT_EQ(At(14, 9), QColor(Qt::red));
    EXPECT_EQ(At(15, 9), QColor(Qt::white));
    EXPECT_EQ(At(14, 10), QColor(Qt::white));
    EXPECT_EQ(At(10, 7), QColor(Qt::green));
    canvas.Brush.Color = 0xFF0000;
    canvas.FillRect(Rect(20, 20, 22, 22));
    EXPECT_EQ(At(21, 21), QColor(Qt::blue));
    EXPECT_EQ(At(22, 21), QColor(Qt::white));
}

TEST_F(CanvasDrawing, PenWidthsScaleWithTheMappingAndZeroIsOnePixel)
{
    TCanvas canvas(&image);
    canvas.SetMapMode(TMapMode::MM_ANISOTROPIC);
    canvas.SetWindowExt(10, 10);
    canvas.SetViewportExt(20, 20);
    canvas.Pen.Width = 3;   // 6 pixels
    canvas.MoveTo(2, 5);
    canvas.LineTo(18, 5);
    EXPECT_EQ(At(20, 7), QColor(Qt::black));
    EXPECT_EQ(At(20, 12), QColor(Qt::black));
    EXPECT_EQ(At(20, 15), QColor(Qt::white));
    canvas.Pen.Width = 0;
    canvas.MoveTo(2, 15);
    canvas.LineTo(18, 15);
    EXPECT_EQ(At(20, 30), QColor(Qt::black));
    EXPECT_EQ(At(20, 31), QColor(Qt::white));
    EXPECT_EQ(canvas.PenPos(), Point(18, 15));
}

TEST_F(CanvasDrawing, PaletteIndexColours)
{
    TCanvas canvas(&image);
    const TPalette palette{{0x000000, 0xF6FFFF, 0xE6E6E6}};
    canvas.SelectPalette(&palette);
    EXPECT_EQ(canvas.ResolveColor(PaletteIndex(2)), QColor(230, 230, 230));
    EXPECT_EQ(canvas.ResolveColor(PaletteIndex(1)), QColor(255, 255, 246));
    EXPECT_EQ(canvas.ResolveColor(PaletteIndex(7)), QColor(0, 0, 0));   // no such entry
    EXPECT_EQ(canvas.ResolveColor(0x123456), QColor(0x56, 0x34, 0x12));
}

TEST_F(CanvasDrawing, XorPenDrawnTwiceLeavesNoTrace)
{
    image.fill(QColor(10, 200, 30));
    const QImage before = image;
    TCanvas canvas(&image);
    canvas.Pen.Mode = TPenMode::pmXor;
    canvas.Pen.Color = 0xFFFFFF;
    for (int pass = 0; pass < 2; ++pass) {
        canvas.MoveTo(0, 20);
        canvas.LineTo(39, 20);
        if (pass == 0) {
            EXPECT_EQ(At(10, 20), QColor(245, 55, 225));
        }
    }
    EXPECT_EQ(image, before);
}

TEST_F(CanvasDrawing, EscapementTurnsText)
{
    QImage wide(200, 200, QImage::Format_RGB32);
    wide.fill(Qt::white);
    TCanvas canvas(&wide);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.Height = 20;
    canvas.Font.Escapement = 900;
    canvas.TextOut(100, 150, "WWWWW");
    QRect inked;
    for (int y = 0; y < wide.height(); ++y)
        for (int x = 0; x < wide.width(); ++x)
            if (wide.pixelColor(x, y) != QColor(Qt::white))
                inked |= QRect(x, y, 1, 1);
    EXPECT_GT(inked.height(), 3 * inked.width());
    EXPECT_LT(inked.bottom(), 151);   // runs upwards from the start point
    EXPECT_GE(inked.left(), 99);
}

TEST(CanvasText, MetricsInLogicalUnits)
{
    TCanvas canvas;
    canvas.Font.Height = 26;
    const Integer pixels = canvas.TextWidth("ABCDEF");
    canvas.SetMapMode(TMapMode::MM_ANISOTROPIC);
    canvas.SetWindowExt(254, 254);
    canvas.SetViewportExt(127, 127);
    EXPECT_NEAR(canvas.TextHeight("A"), 26, 2);
    EXPECT_NEAR(canvas.TextWidth("ABCDEF"), pixels, 4);
    EXPECT_EQ(canvas.TextWidth(""), 0);
}

} // namespace
