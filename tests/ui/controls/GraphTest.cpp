// Bitmap, glyph and button-face procedures.
#include "ui/controls/UCLGraph.h"

#include "platform/Colors.h"

#include <QFont>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage Filled(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QColor C(TColor c)
{
    return ColorToQColor(c);
}

}   // namespace

TEST(Graph, GreyImageHasFourShadesAndLeavesAPlainGlyphAlone)
{
    const QImage plain = Filled(4, 4, Qt::magenta);
    QImage grey;
    MakeGreyImage(grey, plain);
    EXPECT_EQ(grey, plain);

    // Brightness 0, 384 and 765 around their mean 383: black, shadow, white.
    QImage glyph = Filled(4, 1, Qt::magenta);
    glyph.setPixelColor(1, 0, Qt::black);
    glyph.setPixelColor(2, 0, QColor(128, 128, 128));
    glyph.setPixelColor(3, 0, Qt::white);
    MakeGreyImage(grey, glyph);
    EXPECT_EQ(grey.pixelColor(0, 0), QColor(Qt::magenta));
    EXPECT_EQ(grey.pixelColor(1, 0), QColor(Qt::black));
    EXPECT_EQ(grey.pixelColor(2, 0), C(clBtnShadow));
    EXPECT_EQ(grey.pixelColor(3, 0), QColor(Qt::white));
}

TEST(Graph, DisabledImageIsEmbossed)
{
    QImage glyph = Filled(4, 4, Qt::magenta);
    glyph.setPixelColor(1, 1, Qt::red);
    QImage disabled;
    MakeDisabledImage(disabled, glyph, clFuchsia, 0, 0);
    ASSERT_EQ(disabled.size(), glyph.size());
    EXPECT_EQ(disabled.pixelColor(1, 1), C(clBtnShadow));
    EXPECT_EQ(disabled.pixelColor(2, 2), C(clBtnHighlight));
    EXPECT_EQ(disabled.pixelColor(0, 0), QColor(Qt::magenta));
    EXPECT_EQ(disabled.pixelColor(3, 3), QColor(Qt::magenta));
}

TEST(Graph, ImageAndMaskOfATransparentColour)
{
    QImage bitmap = Filled(3, 2, Qt::green);
    bitmap.setPixelColor(2, 1, Qt::blue);
    QImage mask, image;
    MakeImageAndMask(bitmap, mask, image, clLime);
    EXPECT_EQ(mask.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(mask.pixelColor(2, 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(2, 1), QColor(Qt::blue));
}

TEST(Graph, DrawImagePlacement)
{
    const QImage source = Filled(10, 5, Qt::red);
    const TRect dest = Rect(0, 0, 40, 30);
    struct Case {
        Cardinal flags;
        TRect out;
    };
    const Case cases[] = {
        {0, Rect(0, 0, 10, 5)},
        {dfCenter, Rect(15, 12, 25, 17)},
        {dfStretch, dest},
        {dfStretch | dfKeepWidth | dfKeepHeight, Rect(0, 0, 40, 20)},
        {dfStretch | dfKeepWidth, Rect(0, 0, 40, 20)},
        {dfStretch | dfKeepHeight, Rect(0, 0, 60, 30)},
        {dfTile, dest},
    };
    for (const Case& c : cases) {
        QImage canvas = Filled(40, 30, Qt::white);
        QPainter p(&canvas);
        TRect out;
        DrawImageEx(p, dest, source, Rect(0, 0, 10, 5), c.flags, clNone, nullptr, out);
        p.end();
        EXPECT_EQ(out, c.out) << c.flags;
        EXPECT_EQ(canvas.pixelColor(out.Left, out.Top), QColor(Qt::red)) << c.flags;
    }
    QImage canvas = Filled(40, 30, Qt::white);
    QPainter p(&canvas);
    TRect out;
    DrawImageEx(p, Rect(0, 0, 0, 10), source, Rect(0, 0, 10, 5), 0, clNone, nullptr, out);
    p.end();
    EXPECT_EQ(out, TRect{});
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(Qt::white));
}

TEST(Graph, DrawImageTransparencyModes)
{
    QImage source = Filled(2, 2, Qt::green);   // bottom-left green: the bitmap's own transparent colour
    source.setPixelColor(1, 0, Qt::red);
    QImage mask = Filled(2, 2, Qt::black);
    mask.setPixelColor(0, 0, Qt::white);
    struct Case {
        Cardinal flags;
        QColor at00, at10;
    };
    const Case cases[] = {
        {0, Qt::green, Qt::red},
        {dfTransparentColor, Qt::white, Qt::red},   // Color (lime) pixels stay unpainted
        {dfBrushCopy, Qt::blue, Qt::red},           // the own transparent colour becomes Color
        {dfMasked, Qt::white, Qt::red},
    };
    for (const Case& c : cases) {
        QImage canvas = Filled(2, 2, Qt::white);
        QPainter p(&canvas);
        TRect out;
        DrawImageEx(p, Rect(0, 0, 2, 2), source, Rect(0, 0, 2, 2), c.flags,
                    c.flags == dfBrushCopy ? clBlue : clLime, &mask, out);
        p.end();
        EXPECT_EQ(canvas.pixelColor(0, 0), c.at00) << c.flags;
        EXPECT_EQ(canvas.pixelColor(1, 0), c.at10) << c.flags;
    }
}

TEST(Graph, ButtonFacesGiveTheContentRectangle)
{
    for (const Integer style : {0, 1, 2, 3, 6, 9, 11, 12, 13}) {
        for (const Integer state : {0, 3}) {
            QImage canvas = Filled(30, 30, Qt::white);
            QPainter p(&canvas);
            TRect r = Rect(0, 0, 30, 30);
            EXPECT_FALSE(DrawButtonFace(p, false, r, style, state, 0, clBtnFace));
            const Integer shift = state == 3 ? 1 : 0;
            EXPECT_EQ(r, Rect(3 + shift, 3 + shift, 27 + shift, 27 + shift)) << style << "/" << state;
        }
    }

    // A latched-down classic face is filled with the pattern of its colour.
    QImage canvas = Filled(30, 30, Qt::white);
    {
        QPainter p(&canvas);
        TRect r = Rect(0, 0, 30, 30);
        DrawClassicButtonFace(p, false, r, 13, 3, 0, clRed);
    }
    EXPECT_NE(canvas.pixelColor(10, 10), canvas.pixelColor(11, 10));
    EXPECT_TRUE(canvas.pixelColor(10, 10) == QColor(Qt::red) || canvas.pixelColor(11, 10) == QColor(Qt::red));

    // The office face shows its hot colour.
    canvas = Filled(30, 30, Qt::white);
    {
        QPainter p(&canvas);
        TRect r = Rect(0, 0, 30, 30);
        DrawButtonFace(p, true, r, 11, 0, 0, clBtnFace);
    }
    EXPECT_EQ(canvas.pixelColor(15, 15), C(0xEFD3C6));
    EXPECT_EQ(canvas.pixelColor(0, 15), C(0xC66931));
}

TEST(Graph, FontMeasures)
{
    QFont font("Liberation Sans");
    font.setPixelSize(20);
    EXPECT_TRUE(IsTrueTypeFont(font));
    EXPECT_GE(FontLineHeight(font), 20);
    EXPECT_EQ(ThemeStateIndex(0, 1, false), 1);
    EXPECT_EQ(ThemeStateIndex(2, 1, false), 2);
    EXPECT_EQ(ThemeStateIndex(2, 0, true), 0);
}
