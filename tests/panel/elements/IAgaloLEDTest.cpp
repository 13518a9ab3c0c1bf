// The plastic lamp renderer: its box and window shape for plain and turned
// figures, the rim faces lit from the top left, the plastic's brightness on
// and off, values its setters refuse, and repeatable noise.
#include "panel/elements/IAgaloLED.h"

#include <gtest/gtest.h>

#include <QRegion>

namespace {

QRgb Pixel(const TIAgaloLED& led, int x, int y, bool on)
{
    return (on ? led.OnPicture : led.OffPicture).pixel(x, y);
}

int Grey(QRgb p)
{
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
    return qRed(p);
}

TEST(IAgaloLED, DefaultsFillTheControlInsideASunkenRimLitFromTheTopLeft)
{
    TIAgaloLED led;
    EXPECT_EQ(led.RimDepth(), 2);
    EXPECT_EQ(led.size(), QSize(24, 14));
    EXPECT_EQ(led.LedWidth(), 20);
    EXPECT_EQ(led.LedHeight(), 10);
    EXPECT_EQ(led.mask(), QRegion(0, 0, 24, 14));
    for (bool on : {false, true}) {
        SCOPED_TRACE(on);
        EXPECT_EQ(Grey(Pixel(led, 12, 0, on)), 96);    // top
        EXPECT_EQ(Grey(Pixel(led, 0, 7, on)), 96);     // left
        EXPECT_EQ(Grey(Pixel(led, 12, 13, on)), 160);  // bottom
        EXPECT_EQ(Grey(Pixel(led, 23, 7, on)), 160);   // right
    }
    led.SetOuterBorderStyle(iablsUp);
    EXPECT_EQ(Grey(Pixel(led, 12, 0, false)), 160);
    EXPECT_EQ(Grey(Pixel(led, 0, 7, false)), 160);
    EXPECT_EQ(Grey(Pixel(led, 12, 13, false)), 96);
    EXPECT_EQ(Grey(Pixel(led, 23, 7, false)), 96);
}

TEST(IAgaloLED, ThePlasticIsFullyLitInTheMiddleWhenOnAndHalfWhenOff)
{
    TIAgaloLED led;
    // The shallowest plastic, as the lamp element uses it: the noise only
    // adds 13 to 15 in the middle.
    led.SetLedPlasticDepth(1);
    EXPECT_EQ(Pixel(led, 12, 7, true), qRgb(255, 0, 0));
    EXPECT_EQ(Pixel(led, 12, 7, false), qRgb(127, 0, 0));
    // Deeper plastic is noisier: the middle may lose a little.
    led.SetLedPlasticDepth(10);
    EXPECT_GE(qRed(Pixel(led, 12, 7, true)), 240);
    // Darker towards the rim.
    EXPECT_LT(qRed(Pixel(led, 3, 3, true)), 200);
    led.SetLedOn(true);
    EXPECT_TRUE(led.LedOn());
}

TEST(IAgaloLED, TurnedFiguresTakeTheirBoxAndAnOddAngleKeepsIt)
{
    TIAgaloLED led;
    led.SetAngle(900);
    EXPECT_EQ(led.size(), QSize(14, 24));
    EXPECT_EQ(led.mask(), QRegion(0, 0, 14, 24));
    // The top face of the turned figure is its former left face: on a
    // sunken rim, turned counter-clockwise, the right face is now on top.
    EXPECT_EQ(Grey(Pixel(led, 7, 0, false)), 96);
    led.SetAngle(2700);
    EXPECT_EQ(led.Angle(), -900);
    led.SetAngle(-1800 - 3600 * 5);
    EXPECT_EQ(led.Angle(), 1800);
    led.SetAngle(450);
    EXPECT_EQ(led.size(), QSize(27, 27));
    // A diamond: the corners of the box are outside the window.
    EXPECT_FALSE(led.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(led.mask().contains(QPoint(13, 13)));
    led.resize(40, 30);
    led.SizeChanged();
    EXPECT_EQ(led.size(), QSize(27, 27));
    led.SetWidth(50);
    EXPECT_EQ(led.size(), QSize(27, 27));
}

TEST(IAgaloLED, ASizeChangeAtARightAngleGivesTheBodyTheRoomInsideTheRims)
{
    TIAgaloLED led;
    led.SetAngle(900);
    led.SetBounds(QRect(0, 0, 40, 60));
    EXPECT_EQ(led.LedWidth(), 56);
    EXPECT_EQ(led.LedHeight(), 36);
    EXPECT_EQ(led.size(), QSize(40, 60));
    led.SetBounds(QRect(0, 0, 3, 3));
    EXPECT_EQ(led.LedWidth(), 0);
    EXPECT_EQ(led.LedHeight(), 0);
    led.SetAngle(0);
    led.SetWidth(95);
    led.SetHeight(60);
    EXPECT_EQ(led.size(), QSize(95, 60));
    EXPECT_EQ(led.LedWidth(), 91);
    EXPECT_EQ(led.LedHeight(), 56);
}

TEST(IAgaloLED, ValuesOutsideTheirRangeAreIgnored)
{
    TIAgaloLED led;
    led.SetLedPlasticDepth(0);
    led.SetLedPlasticDepth(11);
    EXPECT_EQ(led.LedPlasticDepth(), 5);
    led.SetGaloSize(50);
    led.SetGaloSize(-1);
    EXPECT_EQ(led.GaloSize(), 10);
    led.SetGaloIntensity(0);
    led.SetGaloIntensity(11);
    EXPECT_EQ(led.GaloIntensity(), 5);
    led.SetGap(-1);
    led.SetInnerBorderDepth(-2);
    led.SetOuterBorderDepth(-3);
    led.SetLedWidth(-1);
    led.SetLedHeight(-1);
    EXPECT_EQ(led.Gap(), 0);
    EXPECT_EQ(led.InnerBorderDepth(), 0);
    EXPECT_EQ(led.OuterBorderDepth(), 2);
    EXPECT_EQ(led.LedWidth(), 20);
    EXPECT_EQ(led.LedHeight(), 10);
    led.SetLedClass(static_cast<TIALedClass>(6));
    led.SetOuterBorderStyle(static_cast<TIABorderLedStyle>(3));
    EXPECT_EQ(led.LedClass(), ialcRect);
    EXPECT_EQ(led.OuterBorderStyle(), iablsDown);
    // Switching the glow off remembers to erase it.
    led.SetGaloON(true);
    led.SetGaloON(false);
    EXPECT_TRUE(led.GlowErase);
}

TEST(IAgaloLED, EveryShapeIsCutToItsOutlineWithRimAndGap)
{
    for (TIALedClass shape : {ialcRect, ialcRound, ialcRomb, ialcHalfCircle, ialcTriangle, ialcTrapezium}) {
        SCOPED_TRACE(int(shape));
        TIAgaloLED led;
        led.SetLedClass(shape);
        led.SetGap(2);
        led.SetGapColor(0x00FF00);
        led.SetInnerBorderStyle(iablsUp);
        led.SetInnerBorderDepth(1);
        led.SetBounds(QRect(0, 0, 40, 40));
        EXPECT_EQ(led.LedWidth(), 30);
        EXPECT_EQ(led.size(), QSize(40, 40));
        // All four outlines have the same number of points.
        EXPECT_EQ(led.BodyPoly.size(), led.OuterPoly.size());
        EXPECT_EQ(led.GapPoly.size(), led.InnerPoly.size());
        // The middle belongs to the lamp and shows the plastic.
        EXPECT_TRUE(led.mask().contains(QPoint(20, 24)));
        EXPECT_GT(qRed(Pixel(led, 20, 24, true)), 150);
        // Every shape but the rectangle leaves the top right corner out.
        EXPECT_EQ(led.mask().contains(QPoint(39, 0)), shape == ialcRect);
        // The gap ring shows its colour somewhere between body and rims.
        bool gapSeen = false;
        for (int y = 0; y < 40 && !gapSeen; ++y)
            for (int x = 0; x < 40 && !gapSeen; ++x)
                gapSeen = Pixel(led, x, y, false) == qRgb(0, 255, 0);
        EXPECT_TRUE(gapSeen);
    }
}

TEST(IAgaloLED, TheNoiseRepeatsForTheSameSeed)
{
    TIAgaloLED a, b;
    a.SetNoiseSeed(7);
    b.SetNoiseSeed(7);
    a.RenderPictures();
    b.RenderPictures();
    EXPECT_EQ(a.OnPicture, b.OnPicture);
    EXPECT_EQ(a.OffPicture, b.OffPicture);
    b.SetNoiseSeed(8);
    b.RenderPictures();
    EXPECT_NE(a.OnPicture, b.OnPicture);
}

TEST(IAgaloLED, ShadedFacesPointFrom135To315Degrees)
{
    struct TCase {
        Integer Phi;
        bool Shaded;
    };
    for (const TCase& c : {TCase{0, false}, {900, false}, {1340, false}, {1350, true}, {1800, true}, {2700, true},
                           {3140, true}, {3160, false}, {3600, false}, {-900, true}}) {
        EXPECT_EQ(TIAgaloLED::IsShadedFace(c.Phi), c.Shaded) << c.Phi;
    }
}

TEST(IAgaloLED, ColoursAndPicturesAreShiftedWithinTheirRange)
{
    EXPECT_EQ(DarkenColor32(0x808080), 0x606060u);
    EXPECT_EQ(LightenColor32(0x808080), 0xA0A0A0u);
    EXPECT_EQ(DarkenColor32(0x10FF20), 0x00DF00u);
    EXPECT_EQ(LightenColor32(0x10FFE0), 0x30FFFFu);
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(10, 100, 250));
    image.setPixel(1, 0, qRgb(0, 0, 0));
    QImage light = image, dark = image;
    LightenBitmap(light, 64);
    DarkenBitmap(dark, 64);
    EXPECT_EQ(light.pixel(0, 0), qRgb(74, 164, 255));
    EXPECT_EQ(dark.pixel(0, 0), qRgb(0, 36, 186));
    EXPECT_EQ(dark.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(IAgaloLED, TexturesCoverThePlasticAndTheRims)
{
    TIAgaloLED led;
    QImage texture(3, 3, QImage::Format_RGB32);
    texture.fill(qRgb(100, 100, 100));
    led.SetBorderSubstance(texture);
    EXPECT_EQ(led.BorderLight.pixel(1, 1), qRgb(164, 164, 164));
    EXPECT_EQ(led.BorderDark.pixel(1, 1), qRgb(36, 36, 36));
    EXPECT_EQ(Grey(Pixel(led, 12, 0, false)), 36);
    EXPECT_EQ(Grey(Pixel(led, 12, 13, false)), 164);
    led.SetLedPlasticSubstance(texture);
    // The texture at full brightness on, half off.
    EXPECT_EQ(Grey(Pixel(led, 12, 7, true)), 100);
    EXPECT_EQ(Grey(Pixel(led, 12, 7, false)), 50);
    led.SetBorderSubstance(QImage());
    EXPECT_TRUE(led.BorderLight.isNull());
    EXPECT_EQ(Grey(Pixel(led, 12, 0, false)), 96);
}

} // namespace
