// Gradients, fill objects, the alpha blend and the fill control.
#include "ui/controls/UCLBitmapEffect.h"
#include "ui/controls/UCLCont.h"
#include "ui/controls/UCLFill.h"

#include "RenderHelpers.h"
#include "platform/Colors.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage Paint(int W, int H, const std::function<void(QPainter&)>& Draw, QColor Background = Qt::magenta)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Background);
    QPainter p(&image);
    Draw(p);
    return image;
}

}   // namespace

TEST(Gradient, DefaultsRunFromBlueToBlackInSixteenVerticalBands)
{
    TUCLGradient g;
    ASSERT_EQ(g.ColorTable().size(), 16u);
    EXPECT_EQ(g.ColorTable().front(), clBlue);
    EXPECT_EQ(g.ColorTable().back(), clBlack);
    EXPECT_EQ(g.SummaryText(), "vertical, Col: 16, 2 col mode");
    const QImage image = Paint(10, 32, [&](QPainter& p) {
        FillGradient(p, Rect(0, 0, 10, 32), g.Style(), g.ColorTable(), {}, 0, 0);
    });
    EXPECT_EQ(PixelRgb(image, 5, 0), 0x0000FFu);   // colour 0 at the top
    EXPECT_EQ(PixelRgb(image, 5, 31), 0x000000u);
    EXPECT_EQ(PixelRgb(image, 0, 2), PixelRgb(image, 9, 2));
}

TEST(Gradient, ColourTables)
{
    TUCLGradient g;
    g.SetColorCount(2);
    EXPECT_EQ(g.ColorTable(), (std::vector<TColor>{clBlue, clBlack}));

    g.SetColorCount(16);
    g.SetColors({clRed, clLime, clBlue});
    g.SetTwoColors(false);
    ASSERT_EQ(g.ColorTable().size(), 9u);   // k = 5: 5 + 4
    EXPECT_EQ(g.ColorTable()[0], clRed);
    EXPECT_EQ(g.ColorTable()[4], clLime);
    EXPECT_EQ(g.ColorTable()[8], clBlue);
    EXPECT_EQ(g.SummaryText(), "vertical, Col: 16, mult. col mode");

    g.SetColors({clRed});
    EXPECT_TRUE(g.ColorTable().empty());
    const QImage image = Paint(4, 4, [&](QPainter& p) {
        FillGradient(p, Rect(0, 0, 4, 4), g.Style(), g.ColorTable(), {}, 0, 0);
    });
    EXPECT_EQ(PixelRgb(image, 1, 1), 0xFF00FFu);

    std::vector<TColor> run;
    BuildGradientColors(clRed, clBlue, 1, run, true);
    EXPECT_EQ(run, std::vector<TColor>{clRed});
}

TEST(Gradient, SettersNotifyOnceAndAssignCopiesTheList)
{
    TUCLGradient a;
    int changes = 0;
    a.OnChange = [&](TPersistent*) { ++changes; };
    a.SetColor(clBlue);
    a.SetStyle(TUCLGradientStyle::gstElliptic);
    a.SetEndColor(clSilver);
    EXPECT_EQ(changes, 2);
    TUCLGradient b;
    b.SetColors({clRed, clLime});
    b.SetTwoColors(false);
    a.Assign(b);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(a.ColorTable(), b.ColorTable());
    EXPECT_EQ(a.Style(), TUCLGradientStyle::gstVertical);
}

TEST(Gradient, ShapesPutColourZeroAtTheirOrigin)
{
    TUCLGradient g;
    g.SetColorCount(10);
    g.SetEndColor(clWhite);
    g.SetColor(clBlack);
    using G = TUCLGradientStyle;
    struct {
        G Style;
        QPoint Origin, Far;
    } const cases[] = {{G::gstHorizontal, {0, 50}, {99, 50}}, {G::gstSquare, {50, 50}, {0, 0}},
                       {G::gstElliptic, {50, 50}, {0, 0}},    {G::gstTopLeft, {0, 0}, {99, 99}},
                       {G::gstTopRight, {99, 0}, {0, 99}},    {G::gstBottomLeft, {0, 99}, {99, 0}},
                       {G::gstBottomRight, {99, 99}, {0, 0}}, {G::gstTopLeftDiagonal, {1, 0}, {99, 99}},
                       {G::gstTopRightDiagonal, {98, 0}, {0, 99}}};
    for (const auto& c : cases) {
        const QImage image = Paint(100, 100, [&](QPainter& p) {
            FillGradient(p, Rect(0, 0, 100, 100), c.Style, g.ColorTable(), {}, gfOffscreen, 0);
        });
        EXPECT_EQ(PixelRgb(image, c.Origin.x(), c.Origin.y()), 0x000000u) << int(c.Style);
        EXPECT_GT(PixelRgb(image, c.Far.x(), c.Far.y()) & 0xFF, 0xC0u) << int(c.Style);
        ExpectMatchesReference(image, QStringLiteral("gradient_%1").arg(int(c.Style)));
    }
    // The outer ellipse's half-axes are Round(100 / 1.4) = 71: it reaches
    // into the corners.
    const QImage ellipse = Paint(100, 100, [&](QPainter& p) {
        FillGradient(p, Rect(0, 0, 100, 100), G::gstElliptic, g.ColorTable(), {}, 0, 0);
    });
    EXPECT_NE(PixelRgb(ellipse, 0, 0), 0xFF00FFu);
    EXPECT_NE(PixelRgb(ellipse, 50, 0), 0xFF00FFu);
}

TEST(Gradient, EmptyRectangleOrClipPaintsNothingOutside)
{
    TUCLGradient g;
    QImage image = Paint(20, 20, [&](QPainter& p) {
        FillGradient(p, Rect(5, 5, 5, 15), g.Style(), g.ColorTable(), {}, 0, 0);
        FillGradient(p, Rect(0, 0, 10, 10), g.Style(), g.ColorTable(), {}, gfClip, (2u << 16) | 2u);
    });
    EXPECT_EQ(PixelRgb(image, 1, 1), 0xFF00FFu);   // clipped to the moved rectangle
    EXPECT_NE(PixelRgb(image, 5, 5), 0xFF00FFu);
    EXPECT_EQ(PixelRgb(image, 15, 15), 0xFF00FFu);
}

TEST(FillObject, NewFillIsNoneAndTransparent)
{
    TUCLFillObject fill;
    EXPECT_EQ(fill.Style(), TUCLFillStyle::sfNone);
    EXPECT_TRUE(fill.IsTransparent());
    EXPECT_TRUE(fill.IsEmpty());
    EXPECT_EQ(fill.SummaryText(), "{Disabled}");
    bool drawn = true;
    const QImage image = Paint(4, 4, [&](QPainter& p) { drawn = fill.FillRect(p, Rect(0, 0, 4, 4), clWhite); });
    EXPECT_FALSE(drawn);
    EXPECT_EQ(PixelRgb(image, 2, 2), 0xFF00FFu);
}

TEST(FillObject, StylesFillAndAnswer)
{
    QImage tile(2, 2, QImage::Format_RGB32);
    tile.fill(Qt::red);
    tile.setPixel(1, 1, qRgb(0, 0, 255));
    using F = TUCLFillStyle;
    using T = TUCLTileMode;
    struct {
        F Style;
        T Tile;
        bool WithBitmap;
        bool Drawn;
        bool Transparent;
        unsigned Corner;   // pixel (7, 7) of a 8 x 8 fill
    } const cases[] = {
        {F::sfBitmap, T::tmNone, false, false, false, 0x00FF00},   // the inner area in the colour
        {F::sfBitmap, T::tmTile, true, true, false, 0x0000FF},
        {F::sfBitmap, T::tmNone, true, true, false, 0x00FF00},
        {F::sfBitmap, T::tmStretch, true, true, false, 0x0000FF},
        {F::sfBrushBitmap, T::tmTile, true, true, false, 0x0000FF},
        {F::sfBrush, T::tmTile, false, true, false, 0xFFFF00},
    };
    for (const auto& c : cases) {
        TUCLFillObject fill;
        fill.Brush().SetColor(0x00FFFF);
        fill.SetStyle(c.Style);
        fill.SetTileMode(c.Tile);
        if (c.WithBitmap)
            fill.SetBitmap(tile);
        bool drawn = false;
        const QImage image = Paint(8, 8, [&](QPainter& p) { drawn = fill.FillRect(p, Rect(0, 0, 8, 8), clLime); });
        EXPECT_EQ(drawn, c.Drawn) << int(c.Style) << "/" << int(c.Tile);
        EXPECT_EQ(fill.IsTransparent(), c.Transparent) << int(c.Style) << "/" << int(c.Tile);
        EXPECT_EQ(PixelRgb(image, 7, 7), c.Corner) << int(c.Style) << "/" << int(c.Tile);
    }
}

TEST(FillObject, HatchShowsTheBackgroundColourBetweenItsLines)
{
    TUCLFillObject fill;
    fill.SetStyle(TUCLFillStyle::sfBrush);
    fill.Brush().SetColor(clBlack);
    fill.Brush().SetStyle(TUCLBrushStyle::bsCross);
    EXPECT_FALSE(fill.IsTransparent());   // foFillInner
    const QImage image = Paint(16, 16, [&](QPainter& p) { fill.FillRect(p, Rect(0, 0, 16, 16), clYellow); });
    int black = 0, yellow = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            black += PixelRgb(image, x, y) == 0;
            yellow += PixelRgb(image, x, y) == 0xFFFF00;
        }
    EXPECT_GT(black, 0);
    EXPECT_GT(yellow, black);
    fill.SetOptions(0);
    EXPECT_TRUE(fill.IsTransparent());
    const QImage bare = Paint(16, 16, [&](QPainter& p) { fill.FillRect(p, Rect(0, 0, 16, 16), clYellow); });
    int untouched = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            untouched += PixelRgb(bare, x, y) == 0xFF00FF;
    EXPECT_EQ(untouched, yellow);
}

TEST(FillObject, PlacementChangesShowOnlyForAnUntiledBitmap)
{
    TUCLFillObject fill;
    int changes = 0;
    fill.OnChange = [&](TPersistent*) { ++changes; };
    fill.SetStyle(TUCLFillStyle::sfBitmap);
    changes = 0;
    fill.SetAlignment(agBottomRight);
    fill.SetOffset(0, 3);
    EXPECT_EQ(changes, 0);
    fill.SetTileMode(TUCLTileMode::tmNone);
    EXPECT_EQ(changes, 1);
    QImage dot(2, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    fill.SetBitmap(dot);
    const QImage image = Paint(10, 10, [&](QPainter& p) { fill.FillRect(p, Rect(0, 0, 10, 10), clWhite); });
    EXPECT_EQ(PixelRgb(image, 8, 8), 0xFFFFFFu);   // shifted 3 to the right: outside
    fill.SetOffset(0, -1);
    EXPECT_EQ(changes, 3);
    const QImage moved = Paint(10, 10, [&](QPainter& p) { fill.FillRect(p, Rect(0, 0, 10, 10), clWhite); });
    EXPECT_EQ(PixelRgb(moved, 7, 9), 0xFF0000u);
}

TEST(FillObject, AssignCopiesAllButPlacement)
{
    TUCLFillObject a, b;
    a.SetStyle(TUCLFillStyle::sfGradient);
    a.SetAlignment(agCenter);
    a.Gradient().SetColorCount(4);
    a.Brush().SetColor(clRed);
    int changes = 0;
    b.OnChange = [&](TPersistent*) { ++changes; };
    b.Assign(a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Style(), TUCLFillStyle::sfGradient);
    EXPECT_EQ(b.Gradient().ColorTable().size(), 4u);
    EXPECT_EQ(b.Brush().Color(), clRed);
    EXPECT_EQ(b.Alignment(), agTopLeft);
}

TEST(AlphaBlend, EffectTextsAndNeutralSwitches)
{
    TUCLBitmapEffectObject fx;
    EXPECT_EQ(fx.SummaryText(), "{Disabled}");
    EXPECT_EQ(fx.AlphaBlend().SummaryText(), "{Disabled}");
    int changes = 0;
    fx.OnChange = [&](TPersistent*) { ++changes; };
    fx.SetSwitch(esFlipVertical, true);
    fx.SetBrightness(40);
    EXPECT_FALSE(fx.Switch(esFlipVertical));
    EXPECT_EQ(fx.Brightness(), 0);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(fx.IsEffectActive());
    fx.AlphaBlend().FillObject().SetStyle(TUCLFillStyle::sfGradient);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(fx.SummaryText(), "{alpha}");
    EXPECT_EQ(fx.AlphaBlend().SummaryText(), "{Enabled (grad), strength: 0.600}");
    EXPECT_FALSE(fx.AlphaBlend().StrengthStored());
    fx.AlphaBlend().SetStrength(0.5f);
    EXPECT_EQ(fx.AlphaBlend().Strength(), 0.0f);
    EXPECT_TRUE(fx.AlphaBlend().StrengthStored());
}

TEST(AlphaBlend, SixtyPercentBackgroundPerChannel)
{
    TUCLAlphaObject alpha;
    alpha.FillObject().SetStyle(TUCLFillStyle::sfBrush);
    alpha.FillObject().Brush().SetColor(0x000000);   // black fill
    QImage background(4, 4, QImage::Format_RGB32);
    background.fill(qRgb(200, 100, 50));
    AlphaBlendWithFill(alpha, background);
    // Round((c - 0) x 0.6) + 0.
    EXPECT_EQ(PixelRgb(background, 1, 1), 0x783C1Eu);
}

TEST(AlphaBlend, WrongPixelFormatIsRefusedWithItsName)
{
    QImage ok(2, 2, QImage::Format_RGB32), mono(2, 2, QImage::Format_Mono), target(2, 2, QImage::Format_RGB32);
    ok.fill(Qt::white);
    try {
        BlendBitmaps(ok, mono, Rect(0, 0, 2, 2), TPoint{}, 0.5f, target, TPoint{});
        FAIL();
    } catch (const EUCLWrongPixelFormat& e) {
        EXPECT_STREQ(e.what(), "Wrong PixelFormat in Source 2 bitmap!");
    }
}

TEST(GlobalContainer, InternalReferencesNameOnlyItsBitmapAndImageLists)
{
    TUCLContainer& global = GlobalContainer();
    EXPECT_EQ(WriteContainerListRef(&global.BitmapList()), "UCLBML30");
    EXPECT_EQ(WriteContainerListRef(&global.ImageList()), "UCLIML30");
    TUCLImageList other;
    EXPECT_EQ(WriteContainerListRef(&other), "");
    EXPECT_EQ(ReadContainerListRef("UCLIML30"), &global.ImageList());
    EXPECT_EQ(ReadContainerListRef("UCLSLL30"), nullptr);
    EXPECT_EQ(&GlobalContainer(), &global);
}

TEST(Caption, RotationNeedsAnOutlineFont)
{
    TUCLCaption caption;
    int changes = 0;
    caption.OnChange = [&](TPersistent*) { ++changes; };
    caption.SetCaption("x");
    caption.SetAlignment(agTopLeft);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(caption.SummaryText(), "{x}");
    caption.FontFX().SetAngle(90);
    EXPECT_EQ(caption.FontFX().Angle(), 90);
    TUCLCaption copy;
    copy.Assign(caption);
    EXPECT_EQ(copy.Caption(), "x");
    EXPECT_EQ(copy.FontFX().Angle(), 90);
    EXPECT_EQ(copy.Alignment(), agTopLeft);
}

TEST(FillControl, TransparencyFollowsTheFillObject)
{
    TUCLFill fill;
    EXPECT_TRUE(fill.IsEmpty());
    fill.FillObject().SetOptions(0);
    fill.FillObject().Brush().SetStyle(TUCLBrushStyle::bsCross);
    fill.FillObject().SetStyle(TUCLFillStyle::sfBrush);
    EXPECT_TRUE(fill.Transparent());
    fill.FillObject().Brush().SetStyle(TUCLBrushStyle::bsSolid);
    EXPECT_FALSE(fill.Transparent());
    EXPECT_FALSE(fill.IsEmpty());
}

// The slider's thumb and the info dialog's background.
TEST(FillControl, RendersBevelGradientAndCaption)
{
    QWidget host;
    host.resize(200, 60);
    host.setStyleSheet(QString());
    TUCLFill thumb(&host);
    thumb.setGeometry(4, 4, 26, 10);
    thumb.Bevel().SetStyleOuter(TUCLBevelStyle::bvRaised);
    thumb.FillObject().SetStyle(TUCLFillStyle::sfGradient);
    thumb.FillObject().Gradient().SetColor(clSilver);
    thumb.FillObject().Gradient().SetEndColor(clGray);
    TUCLFill info(&host);
    info.setGeometry(40, 4, 150, 50);
    info.FillObject().SetStyle(TUCLFillStyle::sfGradient);
    info.FillObject().Gradient().SetColor(clBlack);
    info.FillObject().Gradient().SetEndColor(clSilver);
    info.FillObject().Gradient().SetColorCount(64);
    info.Caption().SetCaption("Zentrika\r\nline 2");
    info.Caption().SetFontColor(clWhite);
    const QImage thumbImage = Render(thumb);
    ExpectMatchesReference(thumbImage, QStringLiteral("fill_thumb"));
    const QImage image = Render(host);
    image.save(QStringLiteral("/tmp/fill_controls.png"));
    EXPECT_EQ(PixelRgb(image, 41, 4), 0x000000u);   // the info fill's top is black
}
