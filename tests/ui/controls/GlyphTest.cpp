#include "ui/controls/UCLGlyph.h"

#include "platform/Colors.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A glyph strip of square cells: cell i is filled with Colors[i] except a
// one-pixel border in the transparent colour (the bottom-left pixel).
QImage Strip(int Size, std::initializer_list<QRgb> Colors)
{
    QImage image(Size * int(Colors.size()), Size, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    int i = 0;
    for (QRgb c : Colors) {
        for (int y = 1; y < Size - 1; ++y)
            for (int x = 1; x < Size - 1; ++x)
                image.setPixel(i * Size + x, y, c);
        ++i;
    }
    return image;
}

TEST(Glyph, NumGlyphsFollowsSquareCells)
{
    TUCLGlyph glyph;
    struct {
        int Width;
        Integer NumGlyphs;
    } const cases[] = {{64, 4}, {96, 1}, {32, 2}, {50, 2}, {16, 1}, {80, 5}};
    for (const auto& c : cases) {
        QImage image(c.Width, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        glyph.SetBitmap(image);
        EXPECT_EQ(glyph.NumGlyphs(), c.NumGlyphs) << c.Width << " x 16";
    }
}

TEST(Glyph, TransparentColourIsBottomLeftPixelAndChangeIsReported)
{
    TUCLGlyph glyph;
    int changes = 0;
    glyph.OnChange = [&](TUCLGlyph*) { ++changes; };
    glyph.SetBitmap(Strip(16, {qRgb(0, 0, 255)}));
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    EXPECT_EQ(changes, 1);
}

// The disabled state: the embossed image made from cell 0 with one cell, the
// bitmap's own second cell with two.
TEST(Glyph, DisabledImageIsEmbossedOrSecondCell)
{
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0);
    TUCLGlyph one;
    one.SetBitmap(Strip(16, {red}));
    const int slot = one.StateImage(bsDisabled);
    ASSERT_GE(slot, 0);
    const TRect cell = one.Strip()->CellRect(slot);
    const QImage& images = one.Strip()->Images();
    EXPECT_EQ(images.pixel(cell.Left + 5, 5) & 0xFFFFFF, ColorToQColor(clBtnShadow).rgb() & 0xFFFFFF);
    EXPECT_EQ(one.StateImage(bsDownDisabled), slot) << "both disabled states share the image";

    TUCLGlyph two;
    two.SetBitmap(Strip(16, {red, green}));
    const int slot2 = two.StateImage(bsDisabled);
    const TRect cell2 = two.Strip()->CellRect(slot2);
    EXPECT_EQ(two.Strip()->Images().pixel(cell2.Left + 5, 5) & 0xFFFFFF, green & 0xFFFFFF);
    EXPECT_EQ(two.StateImage(bsHot), two.StateImage(bsUp)) << "a state without a cell shows cell 0";
}

// The hot style: grey until hot, and the hot state shows cell 0 in colour.
TEST(Glyph, HotStyleShowsGreyUntilHot)
{
    const QRgb blue = qRgb(0, 0, 200);
    TUCLGlyph glyph;
    glyph.SetBitmap(Strip(16, {blue}));
    glyph.SetStyle(1);
    const auto pixel = [&](Byte state) {
        const int slot = glyph.StateImage(state);
        return glyph.Strip()->Images().pixel(glyph.Strip()->CellRect(slot).Left + 5, 5) & 0xFFFFFF;
    };
    EXPECT_NE(pixel(bsUp), blue & 0xFFFFFF);
    EXPECT_EQ(pixel(bsHot), blue & 0xFFFFFF);
    EXPECT_NE(glyph.StateImage(bsDropped), glyph.StateImage(bsHot)) << "dropped has a slot of its own";
}

TEST(Glyph, SameSizeGlyphsShareOneStripFreedWithThem)
{
    auto* a = new TUCLGlyph;
    auto* b = new TUCLGlyph;
    a->SetBitmap(Strip(16, {qRgb(1, 2, 3)}));
    b->SetBitmap(Strip(16, {qRgb(4, 5, 6)}));
    a->StateImage(bsUp);
    b->StateImage(bsUp);
    b->StateImage(bsDisabled);
    ASSERT_NE(GlyphCache(), nullptr);
    EXPECT_EQ(a->Strip(), b->Strip());
    EXPECT_EQ(GlyphCache()->Count(), 1);
    EXPECT_EQ(a->Strip()->Users(), 3);
    delete a;
    EXPECT_EQ(GlyphCache()->Count(), 1);
    delete b;
    EXPECT_EQ(GlyphCache(), nullptr);
}

TEST(Glyph, FreedSlotIsReused)
{
    TUCLGlyph a, b;
    a.SetBitmap(Strip(8, {qRgb(1, 2, 3)}));
    b.SetBitmap(Strip(8, {qRgb(4, 5, 6)}));
    const int first = a.StateImage(bsUp);
    b.StateImage(bsUp);
    a.SetBitmap(Strip(8, {qRgb(7, 8, 9)}));
    EXPECT_EQ(a.StateImage(bsUp), first);
}

TEST(Glyph, EmptyBitmapHasNoImage)
{
    TUCLGlyph glyph;
    EXPECT_EQ(glyph.StateImage(bsUp), -1);
}

// Rows of a down arrow of size 3 at (2, 1): 5, 3, then the tip.
TEST(DropArrow, DrawsRowsAndNothingOutsideSizeRange)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    DrawDropArrow(p, 2, 1, 3, clBlack, true, true);
    DrawDropArrow(p, 10, 10, 1, clBlack, true, true);
    DrawDropArrow(p, 10, 10, 16, clBlack, true, true);
    p.end();
    auto row = [&](int y) {
        QString s;
        for (int x = 0; x < 20; ++x)
            s += image.pixel(x, y) == qRgb(0, 0, 0) ? '#' : '.';
        return s;
    };
    EXPECT_EQ(row(1), "..#####.............");
    EXPECT_EQ(row(2), "...###..............");
    EXPECT_EQ(row(3), "....#...............");
    for (int y = 4; y < 20; ++y)
        EXPECT_EQ(row(y), QString(20, '.')) << y;
}

class GlyphAndText : public ::testing::Test {
protected:
    GlyphAndText() : Image(1, 1, QImage::Format_RGB32), Canvas(&Image) {}
    TRect TextSize(const QString& Text)
    {
        TRect r{0, 0, 1000, 0};
        MeasureCaption(Text, nullptr, r, Canvas.font(), false, true, 0, 0);
        return r;
    }
    QImage Image;
    QPainter Canvas;
};

TEST_F(GlyphAndText, TextAloneIsCentredOnePixelRightAndDown)
{
    TUCLGlyphTextLayout layout;
    layout.SetAlignment(agCenter);
    const TRect client{0, 0, 101, 41};
    TRect cell;
    TUCLGlyphTextRects rects;
    PaintGlyphAndText(Canvas, "OK", nullptr, client, nullptr, cell, nullptr, clNone, layout, false, true, true,
                      goMeasureOnly, 0, rects);
    const TRect size = TextSize("OK");
    EXPECT_EQ(rects.Text.Left, (101 - size.Width()) / 2 + 1);
    EXPECT_EQ(rects.Text.Top, (41 - size.Height()) / 2 + 1);
    EXPECT_EQ(rects.Text.Width(), size.Width()) << "no spacing without a glyph";
    EXPECT_TRUE(rects.Glyph.IsEmpty());
}

// A 10 x 10 glyph and a taller, wider text arranged by AlignText2Glyph at
// the top left.
TEST_F(GlyphAndText, ArrangementTable)
{
    const TRect ts = TextSize("Abcd");
    const Integer tw = ts.Width(), th = ts.Height(), s = 2, gs = 10;
    ASSERT_GT(th, gs);
    ASSERT_GT(tw, gs);
    const Integer gy = (th - gs) / 2, gx = (tw - gs) / 2;
    struct {
        TUCLTextArrange Arrange;
        TPoint Glyph;
        TPoint Text;
    } const cases[] = {
        {taLeft, {tw + s, gy}, {0, 0}},       {taLeftTop, {tw + s, 0}, {0, 0}},
        {taRight, {0, gy}, {gs + s, 0}},      {taRightTop, {0, 1}, {gs + s, 0}},
        {taTop, {gx, th + s}, {0, 0}},        {taTopLeft, {0, th + s}, {0, 0}},
        {taBottom, {gx, 0}, {0, gs + s}},     {taBottomLeft, {0, 0}, {0, gs + s}},
    };
    for (const auto& c : cases) {
        TUCLGlyphTextLayout layout;
        layout.SetAlignText2Glyph(c.Arrange);
        TRect cell{0, 0, gs, gs};
        TUCLGlyphTextRects rects;
        PaintGlyphAndText(Canvas, "Abcd", nullptr, TRect{0, 0, 300, 300}, nullptr, cell, nullptr, clNone, layout,
                          false, true, true, goMeasureOnly | goGlyphAlways | goNoMove, 0, rects);
        EXPECT_EQ((TPoint{rects.Glyph.Left, rects.Glyph.Top}), c.Glyph) << int(c.Arrange);
        EXPECT_EQ((TPoint{rects.Text.Left, rects.Text.Top}), c.Text) << int(c.Arrange);
    }
}

TEST_F(GlyphAndText, ArrowWidensTextOrGlyph)
{
    TUCLButtonLayout layout;
    layout.SetArrow(true);
    layout.SetArrowSize(4);   // adds 2 x 4 + 3 - 1 = 10
    TRect cell{0, 0, 16, 16};
    TUCLGlyphTextRects rects;
    PaintGlyphAndText(Canvas, "Ab", nullptr, TRect{0, 0, 300, 300}, nullptr, cell, nullptr, clNone, layout, false,
                      true, true, goMeasureOnly | goGlyphAlways | goNoMove, 0, rects);
    EXPECT_EQ(rects.Text.Width(), TextSize("Ab").Width() + 10);
    layout.SetArrowPosition(apRightGlyph);
    cell = TRect{0, 0, 16, 16};
    PaintGlyphAndText(Canvas, "Ab", nullptr, TRect{0, 0, 300, 300}, nullptr, cell, nullptr, clNone, layout, false,
                      true, true, goMeasureOnly | goGlyphAlways | goNoMove, 0, rects);
    EXPECT_EQ(rects.Glyph.Width(), 26);
}

} // namespace
