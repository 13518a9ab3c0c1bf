// 3D and effect captions: settings, texts, measuring, and where each layer of
// a painted caption lands. Fonts differ between machines, so the painting
// tests compare the positions of colour layers with each other, never glyph
// pixels with fixed expectations.
#include "ui/controls/UCLCaption.h"

#include "platform/Colors.h"
#include "platform/GdiDraw.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

using T = TUCLThreeDStyle;

QFont TestFont()
{
    QFont font("Liberation Sans");
    font.setPixelSize(30);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage Paint(const std::function<void(QPainter&)>& paint)
{
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter p(&image);
    p.setFont(TestFont());
    p.setPen(Qt::black);
    paint(p);
    return image;
}

// Bounding box of the pixels of one colour; null when there are none.
QRect Extent(const QImage& image, const QColor& color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

const TRect Area = Rect(10, 10, 190, 110);

}   // namespace

TEST(Caption, SettersSignalRealChangesAndAssignCopiesAll)
{
    TUCLFxCaption fx;
    int changes = 0;
    fx.OnChange = [&](TPersistent*) { ++changes; };
    fx.SetDepth(0, 1);                  // unchanged
    fx.SetStyle(T::tdNone);             // unchanged
    EXPECT_EQ(changes, 0);
    fx.SetAngle(360);                   // stored as 0: no change
    EXPECT_EQ(fx.Angle(), 0);
    EXPECT_EQ(changes, 0);
    fx.SetAngle(45);
    fx.SetDepth(1, 3);
    fx.SetColor(1, clRed);
    fx.SetOrientation(TUCLThreeDOrientation::toBottomRight);
    EXPECT_EQ(changes, 4);
    fx.SetPosition(7, 9);               // silent
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(fx.PosX(), 7);
    EXPECT_EQ(fx.PosY(), 9);

    TUCLFxCaption copy;
    int copyChanges = 0;
    copy.OnChange = [&](TPersistent*) { ++copyChanges; };
    copy.Assign(fx);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.Orientation(), TUCLThreeDOrientation::toBottomRight);
    EXPECT_EQ(copy.ShadowDepth(), 3);
    EXPECT_EQ(copy.ShadowColor(), clRed);
    EXPECT_EQ(copy.Angle(), 45);
    EXPECT_EQ(copy.PosY(), 9);

    TUCL3DCaption plain;
    plain.Assign(fx);   // the 3D part of an effect caption
    EXPECT_EQ(plain.Orientation(), TUCLThreeDOrientation::toBottomRight);
}

TEST(Caption, SummaryTexts)
{
    struct Case {
        T style;
        Integer angle;
        AnsiString text;
    };
    const Case cases[] = {
        {T::tdNone, 0, "{Disabled}"},         {T::tdSunkenShadow, 0, "{sunken shadow}"},
        {T::tdPColorRaised, 0, "{}"},         {T::tdExtrudeEnh, 0, "{extrude enh}"},
        {T::tdRaised, 45, "{raised, rot: 45\xB0}"}, {T::tdNone, 30, "{ rot: 30\xB0}"},
    };
    for (const Case& c : cases) {
        TUCLFxCaption fx;
        fx.SetStyle(c.style);
        fx.SetAngle(c.angle);
        EXPECT_EQ(fx.SummaryText(), c.text);
        if (c.angle == 0) {
            TUCL3DCaption plain;
            plain.SetStyle(c.style);
            EXPECT_EQ(plain.SummaryText(), c.text);
        }
    }
}

TEST(Caption, BlendExtentAndRotatedBounds)
{
    EXPECT_EQ(BlendColor(clBlack, clWhite, 1, 2), 0x7F7F7F);
    EXPECT_EQ(BlendColor(clWhite, clBlack, 1, 4), 0xBFBFBF);
    EXPECT_EQ(BlendColor(clRed, clBlue, 0, 3), clRed);
    EXPECT_EQ(BlendColor(clRed, clBlue, 3, 0), clRed);   // no steps: the first colour

    struct ExtentCase {
        T style;
        Integer extent;
    };
    for (const ExtentCase c : {ExtentCase{T::tdNone, 0}, ExtentCase{T::tdRaised, 2}, ExtentCase{T::tdPColorSunken, 5},
                               ExtentCase{T::tdShadow, 3}, ExtentCase{T::tdOutline, 3}, ExtentCase{T::tdExtrude, 3}}) {
        TUCL3DCaption caption;
        caption.SetDepth(0, 2);
        caption.SetDepth(1, 3);
        caption.SetStyle(c.style);
        TRect r = Rect(1, 1, 11, 21);
        AddEffectExtent(r, caption);
        EXPECT_EQ(r, Rect(1, 1, 11 + c.extent, 21 + c.extent)) << int(c.style);
    }

    struct RotateCase {
        TRect in;
        Integer angle;
        TRect out;
    };
    for (const RotateCase c : {RotateCase{Rect(0, 0, 40, 10), 0, Rect(0, 0, 40, 10)},
                               RotateCase{Rect(0, 0, 40, 10), 90, Rect(0, 0, 10, 40)},
                               RotateCase{Rect(5, 5, 45, 15), 180, Rect(0, 0, 40, 10)},
                               RotateCase{Rect(0, 0, 20, 20), 45, Rect(0, 0, 28, 28)}}) {
        TRect r = c.in;
        RotatedBounds(r, c.angle);
        EXPECT_EQ(r, c.out) << c.angle;
    }
}

TEST(Caption, MeasuringAddsMarginsEffectAndSetsTheRotatedOrigin)
{
    const QFont font = TestFont();
    const QFontMetrics metrics(font);
    auto measure = [&](const QString& text, int margin) {
        TRect r = Rect(3, 4, 3, 4);
        MeasureCaption3D(text, nullptr, r, font, false, true, margin, 0);
        return r;
    };
    const TRect blank = measure(" ", 2);
    EXPECT_EQ(measure("", 2), blank);    // an empty text measures as one blank
    EXPECT_EQ(measure("&", 2), blank);   // so does a lone mnemonic mark
    EXPECT_EQ(blank.Left, 3);
    EXPECT_EQ(blank.Top, 4);
    EXPECT_EQ(blank.Width() - measure(" ", 0).Width(), 4);
    EXPECT_GE(measure(" ", 0).Width(), metrics.horizontalAdvance(' ') + 2);
    EXPECT_GE(measure(" ", 0).Height(), metrics.height() + 2);

    TUCL3DCaption raised;
    raised.SetStyle(T::tdRaised);
    raised.SetDepth(0, 2);
    TRect plain = Rect(0, 0, 0, 0), effect = plain;
    MeasureCaption("Wq", nullptr, plain, font, false, true, 0, DT_SINGLELINE);
    MeasureCaption("Wq", &raised, effect, font, false, true, 0, DT_SINGLELINE);
    EXPECT_EQ(effect.Width(), plain.Width() + 2);
    EXPECT_EQ(effect.Height(), plain.Height() + 2);

    TUCLFxCaption fx;
    fx.SetPosition(5, 5);
    int changes = 0;
    fx.OnChange = [&](TPersistent*) { ++changes; };
    TRect r;
    MeasureCaption3D("Wq", &fx, r, font, false, true, 0, 0);   // not rotated: origin reset silently
    EXPECT_EQ(fx.PosX(), 0);
    EXPECT_EQ(changes, 0);

    fx.SetAngle(90);
    changes = 0;
    r = Rect(0, 0, 0, 0);
    MeasureCaption3D("Wq", &fx, r, font, false, true, 0, 0);
    const int width = metrics.horizontalAdvance("Wq"), height = metrics.height();
    // Turned upright about the centre (whole-pixel halves), plus the margins.
    EXPECT_EQ(r.Width(), height / 2 * 2 + 2);
    EXPECT_EQ(r.Height(), width / 2 * 2 + 2);
    // At 90 degrees the text runs upwards from the bottom-left corner.
    EXPECT_EQ(fx.PosX(), (r.Width() - 2) / 2 - height / 2);
    EXPECT_EQ(fx.PosY(), width / 2 + (r.Height() - 2) / 2);
    EXPECT_GT(changes, 0);
}

TEST(Caption, DisabledRaisedCaptionIsGreyAndSunkenOnlyWhenAsked)
{
    TUCL3DCaption caption;
    caption.SetStyle(T::tdRaised);
    caption.SetDepth(0, 3);
    const QColor light = ColorToQColor(caption.LightColor()), grey = ColorToQColor(clGrayText);

    // Raised: light at the origin, the grey text 3 pixels down and right on top.
    QImage image = Paint([&](QPainter& p) { PaintCaption3D(p, "HH", &caption, Area, DT_SINGLELINE, 0); });
    const QRect l1 = Extent(image, light), g1 = Extent(image, grey);
    ASSERT_FALSE(l1.isNull());
    ASSERT_FALSE(g1.isNull());
    EXPECT_EQ(g1.topLeft(), l1.topLeft() + QPoint(3, 3));
    EXPECT_TRUE(Extent(image, Qt::black).isNull());   // not in the font colour

    // With the flag the disabled look is sunken: the light layer lies below right.
    image = Paint([&](QPainter& p) {
        PaintCaption3D(p, "HH", &caption, Area, DT_SINGLELINE, pcSunkenWhenDisabled);
    });
    const QRect l2 = Extent(image, light), g2 = Extent(image, grey);
    EXPECT_EQ(l2.bottomRight(), g2.bottomRight() + QPoint(3, 3));

    // Enabled: the font colour.
    image = Paint([&](QPainter& p) { PaintCaption3D(p, "HH", &caption, Area, DT_SINGLELINE, pcEnabled); });
    EXPECT_FALSE(Extent(image, Qt::black).isNull());
    EXPECT_TRUE(Extent(image, grey).isNull());
}

TEST(Caption, ShadowAndExtrusionLayers)
{
    TUCL3DCaption caption;
    caption.SetColor(1, clRed);
    caption.SetDepth(1, 4);
    caption.SetStyle(T::tdShadow);
    QImage image = Paint([&](QPainter& p) { PaintCaption3D(p, "HH", &caption, Area, DT_SINGLELINE, pcEnabled); });
    EXPECT_EQ(Extent(image, Qt::red).bottomRight(), Extent(image, Qt::black).bottomRight() + QPoint(4, 4));

    // Extruded towards the top left: the text sits S pixels down and right of
    // where it starts, the shadow layers reach back to the start.
    caption.SetStyle(T::tdExtrude);
    image = Paint([&](QPainter& p) { PaintCaption3D(p, "HH", &caption, Area, DT_SINGLELINE, pcEnabled); });
    const QRect shadow = Extent(image, Qt::red), text = Extent(image, Qt::black);
    EXPECT_EQ(shadow.topLeft() + QPoint(3, 3), text.topLeft());
    EXPECT_EQ(shadow.bottomRight(), text.bottomRight() - QPoint(1, 1));

    caption.SetDepth(1, 0);   // no depth: the text only
    image = Paint([&](QPainter& p) { PaintCaption3D(p, "HH", &caption, Area, DT_SINGLELINE, pcEnabled); });
    EXPECT_TRUE(Extent(image, Qt::red).isNull());
    EXPECT_FALSE(Extent(image, Qt::black).isNull());
}

TEST(Caption, ClippingAndRotation)
{
    const TRect clip = Rect(10, 10, 30, 30);
    QImage image = Paint([&](QPainter& p) { PaintCaption3D(p, "HHHH", nullptr, Area, 0, pcClip, &clip); });
    const QRect drawn = Extent(image, Qt::black);
    ASSERT_FALSE(drawn.isNull());
    EXPECT_TRUE(QRect(10, 10, 20, 20).contains(drawn));

    TUCLFxCaption fx;
    fx.SetAngle(90);
    fx.SetPosition(0, 100);
    image = Paint([&](QPainter& p) { PaintCaption3D(p, "HHHH", &fx, Rect(0, 0, 200, 120), 0, pcEnabled); });
    const QRect upright = Extent(image, Qt::black);
    ASSERT_FALSE(upright.isNull());
    EXPECT_GT(upright.height(), upright.width());
    EXPECT_LE(upright.bottom(), 100);

    image = Paint([&](QPainter& p) { PaintCaption3D(p, "", nullptr, Area, 0, 0); });
    EXPECT_TRUE(Extent(image, Qt::black).isNull());
}
