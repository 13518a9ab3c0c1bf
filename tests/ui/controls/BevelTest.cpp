// The bevel: room it takes, change signalling, the shadow coupling, and the
// pixels of each drawing mode on an image.
#include "ui/controls/UCLBevel.h"

#include "platform/Colors.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

using S = TUCLBevelStyle;
using M = TUCLBevelMode;
using L = TUCLBorderStyle;

QImage Render(const TUCLBevel& bevel, int w, int h, TRect* inner = nullptr, bool noFill = false,
              TColor brush = clRed)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setBrush(ColorToQColor(brush));
    const TRect r = bevel.PaintBevel(p, Rect(0, 0, w, h), noFill);
    if (inner)
        *inner = r;
    return image;
}

QColor C(TColor c)
{
    return ColorToQColor(c);
}

QColor Px(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

}   // namespace

TEST(Bevel, ExtentAndClientRectPerMode)
{
    struct Case {
        const char* name;
        std::function<void(TUCLBevel&)> setup;
        Integer ext, extRightBottom;
    };
    const Case cases[] = {
        {"custom, no styles", [](TUCLBevel&) {}, 0, 0},
        {"custom, raised outer 2",
         [](TUCLBevel& b) {
             b.SetStyleOuter(S::bvRaised);
             b.SetWidthOuter(2);
         },
         2, 2},
        {"custom, frame raised 2",
         [](TUCLBevel& b) {
             b.SetStyleOuter(S::bvFrameRaised);
             b.SetWidthOuter(2);
         },
         3, 3},
        {"custom, both styles and both borders",
         [](TUCLBevel& b) {
             b.SetStyleOuter(S::bvRaised);
             b.SetWidthOuter(2);
             b.SetStyleInner(S::bvLowered);
             b.SetBorderWidth(3);
             b.SetBorderInnerWidth(1);
         },
         7, 7},
        {"custom, border without styles", [](TUCLBevel& b) { b.SetBorderWidth(4); }, 4, 4},
        {"custom shadow",
         [](TUCLBevel& b) {
             b.SetStyleInner(S::bvShadow);
             b.SetWidthInner(2);
             b.SetWidthOuter(4);
             b.SetBorderInnerWidth(1);
         },
         3, 7},
        {"standard single lowered", [](TUCLBevel& b) { b.SetMode(M::bmStandard); }, 1, 1},
        {"standard raised with inner border",
         [](TUCLBevel& b) {
             b.SetMode(M::bmStandard);
             b.SetStandardStyle(L::lsRaised);
             b.SetBorderInnerWidth(2);
         },
         4, 4},
        {"standard none",
         [](TUCLBevel& b) {
             b.SetMode(M::bmStandard);
             b.SetStandardStyle(L::lsNone);
         },
         0, 0},
        {"edge, bottom only", [](TUCLBevel& b) {
             b.SetMode(M::bmEdge);
             b.SetBorderSides(fsBottom);
         }, 2, 2},
        {"edge, no sides",
         [](TUCLBevel& b) {
             b.SetMode(M::bmEdge);
             b.SetBorderSides(0);
         },
         0, 0},
        {"windows, free-standing",
         [](TUCLBevel& b) {
             b.SetMode(M::bmWindows);
             b.SetBorderInnerWidth(1);
         },
         3, 3},
        {"windows, native border",
         [](TUCLBevel& b) {
             b.SetMode(M::bmWindows);
             b.NativeBorder = true;
         },
         0, 0},
    };
    for (const Case& c : cases) {
        TUCLBevel b;
        c.setup(b);
        EXPECT_EQ(b.Ext(), c.ext) << c.name;
        EXPECT_EQ(b.ExtRightBottom(), c.extRightBottom) << c.name;
        const TRect client = b.BevelClientRect(Rect(0, 0, 100, 50));
        const Integer leftTop = b.Mode() == M::bmCustom && b.StyleOuter() == S::bvShadow
                                    ? b.WidthInner() + b.BorderInnerWidth() : c.ext;
        EXPECT_EQ(client, Rect(leftTop, leftTop, 100 - c.extRightBottom, 50 - c.extRightBottom)) << c.name;
    }
}

TEST(Bevel, ShadowIsAStyleOfTheWholeBevel)
{
    TUCLBevel b;
    b.SetStyleOuter(S::bvRaised);
    b.SetStyleInner(S::bvShadow);
    EXPECT_EQ(b.StyleOuter(), S::bvShadow);
    b.SetStyleOuter(S::bvRaised);
    EXPECT_EQ(b.StyleInner(), S::bvNone);
    EXPECT_EQ(b.StyleOuter(), S::bvRaised);
}

TEST(Bevel, SettersSignalRealChangesOnlyAndAssignCopiesEverything)
{
    TUCLBevel b;
    int changes = 0;
    b.OnChange = [&](TPersistent*) { ++changes; };
    b.SetWidthInner(1);                        // unchanged
    b.SetColor(0, clBtnFace);                  // unchanged
    b.SetStandardStyle(L::lsRaised);           // stored, but bmCustom does not use it
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(b.StandardStyle(), L::lsRaised);
    b.SetMode(M::bmStandard);
    b.SetStandardStyle(L::lsLowered);
    b.SetColor(2, clRed);
    b.SetWidthOuter(99);                       // limited to 50
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(b.WidthOuter(), 50);
    EXPECT_EQ(b.ShadowColor(), clRed);
    EXPECT_EQ(b.DisplayText(), "{Standard style}");

    TUCLBevel copy;
    copy.OnChange = [&](TPersistent*) { ++changes; };
    b.NativeBorder = true;
    b.SetEdgeStyle(TUCLEdgeStyle::etBump);
    b.SetBorderSides(fsTop | fsLeft);
    changes = 0;
    copy.Assign(b);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Mode(), M::bmStandard);
    EXPECT_EQ(copy.StandardStyle(), L::lsLowered);
    EXPECT_EQ(copy.WidthOuter(), 50);
    EXPECT_EQ(copy.ShadowColor(), clRed);
    EXPECT_EQ(copy.EdgeStyle(), TUCLEdgeStyle::etBump);
    EXPECT_EQ(copy.BorderSides(), fsTop | fsLeft);
    EXPECT_TRUE(copy.NativeBorder);
}

TEST(Bevel, RaisedAndLoweredFramesLightTheirSides)
{
    struct Case {
        S style;
        int width;
        TColor topLeft, bottomRight;
    };
    for (const Case c : {Case{S::bvRaised, 1, clBtnHighlight, clBtnShadow}, Case{S::bvRaised, 3, clBtnHighlight, clBtnShadow},
                         Case{S::bvLowered, 2, clBtnShadow, clBtnHighlight}, Case{S::bvNormal, 2, clBlack, clBlack}}) {
        TUCLBevel b;
        b.SetStyleOuter(c.style);
        b.SetWidthOuter(c.width);
        TRect inner;
        const QImage img = Render(b, 20, 20, &inner);
        for (int d = 0; d < c.width; ++d) {
            EXPECT_EQ(Px(img, 10, d), C(c.topLeft)) << int(c.style) << " top " << d;
            EXPECT_EQ(Px(img, d, 10), C(c.topLeft)) << int(c.style) << " left " << d;
            EXPECT_EQ(Px(img, 10, 19 - d), C(c.bottomRight)) << int(c.style) << " bottom " << d;
            EXPECT_EQ(Px(img, 19 - d, 10), C(c.bottomRight)) << int(c.style) << " right " << d;
        }
        EXPECT_EQ(Px(img, 10, 10), QColor(Qt::white));
        EXPECT_EQ(inner, Rect(c.width, c.width, 20 - c.width, 20 - c.width));
    }
}

TEST(Bevel, OnePixelFrameGivesTheTopRightCornerToTheShadow)
{
    TUCLBevel b;
    b.SetStyleOuter(S::bvRaised);
    const QImage img = Render(b, 10, 10);
    EXPECT_EQ(Px(img, 0, 0), C(clBtnHighlight));
    EXPECT_EQ(Px(img, 0, 9), C(clBtnHighlight));
    EXPECT_EQ(Px(img, 9, 0), C(clBtnShadow));
    EXPECT_EQ(Px(img, 9, 9), C(clBtnShadow));
}

TEST(Bevel, FrameStyleTakesOneMorePixel)
{
    TUCLBevel b;
    b.SetStyleOuter(S::bvFrameLowered);
    TRect inner;
    const QImage img = Render(b, 10, 10, &inner);
    // Lowered: the light frame is one pixel in, the shadow frame outside it.
    EXPECT_EQ(Px(img, 5, 0), C(clBtnShadow));
    EXPECT_EQ(Px(img, 5, 1), C(clBtnHighlight));
    EXPECT_EQ(Px(img, 8, 5), C(clBtnShadow));
    EXPECT_EQ(Px(img, 9, 5), C(clBtnHighlight));
    EXPECT_EQ(inner, Rect(2, 2, 8, 8));
}

TEST(Bevel, EdgeModeDrawsOnlyTheChosenSidesAndFillsTheOtherBands)
{
    TUCLBevel b;
    b.SetMode(M::bmEdge);
    b.SetBorderSides(fsBottom);
    TRect inner;
    const QImage img = Render(b, 20, 20, &inner, false, clRed);
    EXPECT_EQ(Px(img, 10, 19), C(clBtnHighlight));   // etched: sunken outer ...
    EXPECT_EQ(Px(img, 10, 18), C(clBtnShadow));      // ... and raised inner
    for (const QPoint band : {QPoint(10, 0), QPoint(10, 1), QPoint(0, 10), QPoint(1, 10), QPoint(19, 10), QPoint(18, 10)})
        EXPECT_EQ(Px(img, band.x(), band.y()), QColor(Qt::red)) << band.x() << "," << band.y();
    EXPECT_EQ(Px(img, 10, 10), QColor(Qt::white));
    EXPECT_EQ(inner, Rect(0, 0, 20, 18));

    const QImage transparent = Render(b, 20, 20, nullptr, true);
    EXPECT_EQ(Px(transparent, 10, 0), QColor(Qt::white));
    EXPECT_EQ(Px(transparent, 10, 19), C(clBtnHighlight));
}

TEST(Bevel, WindowsModeDrawsTheSunkenEdgeUnlessTheControlHasItsOwnBorder)
{
    TUCLBevel b;
    b.SetMode(M::bmWindows);
    TRect inner;
    QImage img = Render(b, 20, 20, &inner);
    EXPECT_EQ(Px(img, 10, 0), C(clBtnShadow));
    EXPECT_EQ(Px(img, 10, 1), C(cl3DDkShadow));
    EXPECT_EQ(Px(img, 10, 19), C(clBtnHighlight));
    EXPECT_EQ(inner, Rect(2, 2, 18, 18));

    b.NativeBorder = true;
    img = Render(b, 20, 20, &inner);
    EXPECT_EQ(Px(img, 10, 0), QColor(Qt::white));
    EXPECT_EQ(inner, Rect(0, 0, 20, 20));
}

TEST(Bevel, ShadowStyleAndInnerBorderBand)
{
    TUCLBevel shadow;
    shadow.SetStyleInner(S::bvShadow);
    shadow.SetWidthOuter(3);
    shadow.SetColor(0, clBlue);   // the corners
    shadow.SetColor(2, clGray);
    TRect inner;
    QImage img = Render(shadow, 20, 20, &inner);
    EXPECT_EQ(Px(img, 18, 10), C(clGray));
    EXPECT_EQ(Px(img, 10, 18), C(clGray));
    EXPECT_EQ(Px(img, 18, 1), C(clBlue));
    EXPECT_EQ(Px(img, 1, 18), C(clBlue));
    EXPECT_EQ(Px(img, 5, 0), C(clBtnHighlight));
    EXPECT_EQ(inner, Rect(1, 1, 16, 16));
    img = Render(shadow, 20, 20, nullptr, true);
    EXPECT_EQ(Px(img, 18, 1), QColor(Qt::white));

    TUCLBevel band;
    band.SetBorderInnerWidth(2);
    band.SetColor(0, clLime);
    img = Render(band, 20, 20, &inner);
    EXPECT_EQ(Px(img, 0, 10), C(clLime));
    EXPECT_EQ(Px(img, 1, 10), C(clLime));
    EXPECT_EQ(Px(img, 2, 10), QColor(Qt::white));
    EXPECT_EQ(inner, Rect(2, 2, 18, 18));
    img = Render(band, 20, 20, nullptr, true);
    EXPECT_EQ(Px(img, 0, 10), QColor(Qt::white));
}

TEST(Bevel, StandardBordersShrinkTheRectangleByTheirEdges)
{
    // Left/top and right/bottom insets after drawing; the layout always uses
    // StandardBorderWidth on every side.
    struct Case {
        L style;
        Integer leftTop, rightBottom, width;
    };
    const Case cases[] = {
        {L::lsNone, 0, 0, 0},         {L::lsSingle, 1, 0, 1},        {L::lsLowered, 2, 2, 2},
        {L::lsRaised, 2, 2, 2},       {L::lsRaisedspb, 1, 2, 2},     {L::lsLoweredspb, 2, 1, 2},
        {L::lsRaisedExt, 2, 2, 2},    {L::lsLoweredExt, 2, 2, 2},    {L::lsFrameInset, 2, 2, 2},
        {L::lsFrameOffset, 2, 2, 2},  {L::lsWindowBorder, 2, 2, 2},  {L::lsSingleRaised, 1, 1, 1},
        {L::lsSingleLowered, 1, 1, 1}, {L::lsDoubleRaised, 2, 2, 2}, {L::lsDoubleLowered, 2, 2, 2},
    };
    for (const Case& c : cases) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QImage blank = image;
        TRect r = Rect(0, 0, 20, 20);
        {
            QPainter p(&image);
            DrawStandardBorder(p, r, c.style);
        }
        const int s = static_cast<int>(c.style);
        EXPECT_EQ(StandardBorderWidth(c.style), c.width) << s;
        EXPECT_EQ(r, Rect(c.leftTop, c.leftTop, 20 - c.rightBottom, 20 - c.rightBottom)) << s;
        EXPECT_EQ(image == blank, c.width == 0) << s;
    }
}
