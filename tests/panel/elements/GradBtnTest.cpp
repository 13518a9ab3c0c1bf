// The gradient button: colour steps, the six fills, the bevel, caption
// accelerators, pressing and clicking, passive mode with SetDown, and the
// picture turns.
#include "panel/elements/GradBtn.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

namespace {

QRgb Rgb(TColor c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void Mouse(QWidget& w, QEvent::Type type, Qt::MouseButton button, QPoint at = {30, 12})
{
    QMouseEvent e(type, at, w.mapToGlobal(at), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

TEST(GradBtn, ColorStepsInterpolateEachChannelTruncatingTowardZero)
{
    struct Case { TColor b, e; int i, n; TColor want; };
    const Case cases[] = {
        {0x800000, 0xFFFF00, 0, 255, 0x800000},
        {0x800000, 0xFFFF00, 255, 255, 0xFFFF00},
        {0x000000, 0xFFFFFF, 1, 2, 0x7F7F7F},
        {0xFF0000, 0x000000, 1, 2, 0x800000},      // 255 - 127 (truncated toward zero)
        {TColor(0xFF0000FFu), 0x00000000, 1, 3, 0x0000AA},  // high bytes ignored
        {0x102030, 0x102030, 7, 9, 0x102030},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.i);
        EXPECT_EQ(TGradBtn::ColorStep(c.b, c.e, c.i, c.n), c.want);
    }
}

TEST(GradBtn, DefaultsAndFrameSizeLimitOnA75By25Button)
{
    TGradBtn b;
    EXPECT_EQ(b.size(), QSize(75, 25));
    EXPECT_EQ(b.BeginColor(), 0x800000);
    EXPECT_EQ(b.EndColor(), 0xFFFF00);
    EXPECT_EQ(b.GradientStyle(), gsVertCenter);
    EXPECT_EQ(b.TextStyle(), tsRaised);
    EXPECT_EQ(b.Justification(), jCenter);
    EXPECT_TRUE(b.SwapColors());
    EXPECT_TRUE(b.FrameSunken());
    EXPECT_EQ(b.BtnFrameSize(), 1);
    b.SetBtnFrameSize(7);
    EXPECT_EQ(b.BtnFrameSize(), 7);
    b.SetBtnFrameSize(8);
    EXPECT_EQ(b.BtnFrameSize(), 7);
    b.SetPresets(GoldCoast);
    EXPECT_EQ(b.Presets(), None);
}

TEST(GradBtn, EachGradientStyleFillsItsShape)
{
    TGradBtn b;
    b.SetBtnFrameSize(0);
    b.SetCaption("");
    b.SetBeginColor(0x000000);
    b.SetEndColor(0xFFFFFF);
    auto face = [&](TGradientStyle s) { b.SetGradientStyle(s); return b.RenderFace(); };

    QImage img = face(gsVertCenter);   // rows 0..12 from the top, 24..12 from the bottom
    EXPECT_EQ(img.pixel(40, 0), Rgb(0x000000));
    EXPECT_EQ(img.pixel(40, 24), Rgb(0x000000));
    EXPECT_EQ(img.pixel(40, 12), Rgb(0xFFFFFF));
    EXPECT_EQ(img.pixel(40, 1), Rgb(TGradBtn::ColorStep(0, 0xFFFFFF, 1, 12)));

    img = face(gsHorizCenter);
    EXPECT_EQ(img.pixel(0, 5), Rgb(0x000000));
    EXPECT_EQ(img.pixel(74, 5), Rgb(0x000000));
    EXPECT_EQ(img.pixel(37, 5), Rgb(0xFFFFFF));

    img = face(gsHorizontal);   // only the steps whose band is not empty show
    EXPECT_EQ(img.pixel(0, 10), Rgb(TGradBtn::ColorStep(0, 0xFFFFFF, 3, 255)));   // (3*75)/256=0, (4*75)/256=1
    EXPECT_EQ(img.pixel(74, 10), Rgb(0xFFFFFF));

    img = face(gsVertical);
    EXPECT_EQ(img.pixel(10, 0), Rgb(TGradBtn::ColorStep(0, 0xFFFFFF, 10, 255)));  // last step with band 0
    EXPECT_EQ(img.pixel(10, 24), Rgb(0xFFFFFF));

    img = face(gsElliptic);   // dark corners, light centre
    EXPECT_LT(qRed(img.pixel(0, 0)), 64);
    EXPECT_GT(qRed(img.pixel(37, 12)), 200);

    img = face(gsRectangle);   // the corner is covered until the left edge passes column 1
    EXPECT_EQ(img.pixel(0, 0), Rgb(TGradBtn::ColorStep(0, 0xFFFFFF, 5, 255)));
    EXPECT_GT(qRed(img.pixel(37, 12)), 200);
}

TEST(GradBtn, BevelRingsSwapTheirLightWhenPressed)
{
    TGradBtn b;
    b.SetBtnShadowClr(0x0000FF);
    b.SetBtnHiliteClr(0x00FF00);
    b.SetBtnFrameSize(2);
    QImage img = b.RenderFace();
    EXPECT_EQ(img.pixel(0, 10), Rgb(0x0000FF));    // left, outer ring: shadow at rest
    EXPECT_EQ(img.pixel(1, 10), Rgb(0x0000FF));    // inner ring
    EXPECT_EQ(img.pixel(30, 0), Rgb(0x0000FF));    // top
    EXPECT_EQ(img.pixel(74, 10), Rgb(0x00FF00));   // right
    EXPECT_EQ(img.pixel(30, 24), Rgb(0x00FF00));   // bottom
    EXPECT_EQ(img.pixel(0, 24), Rgb(0x00FF00));    // bottom-left corner belongs to the bottom edge
    EXPECT_NE(img.pixel(2, 10), Rgb(0x0000FF));    // face
    Mouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
    img = b.RenderFace();
    EXPECT_EQ(img.pixel(0, 10), Rgb(0x00FF00));
    EXPECT_EQ(img.pixel(74, 10), Rgb(0x0000FF));
}

TEST(GradBtn, AcceleratorMarksAreStrippedForMeasuring)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {{"&Start", "Start"}, {"a&&b", "a&b"}, {"End&", "End&"}, {"", ""}, {"&&&x", "&&x"}};
    for (const Case& c : cases) EXPECT_EQ(TGradBtn::StripAccelerator(c.in), QString(c.out)) << c.in;
}

TEST(GradBtn, CaptionIsCentredByItsStrippedWidthAndMovesUpLeftWhenPressed)
{
    TGradBtn b;
    b.SetBtnFrameSize(0);
    b.SetBeginColor(0xFFFFFF);
    b.SetEndColor(0xFFFFFF);
    b.SetSwapColors(false);
    b.SetTextStyle(tsNormal);
    b.SetCaption("&Start");
    auto inkBox = [](const QImage& img) {
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qRed(img.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect rest = inkBox(b.RenderFace());
    ASSERT_TRUE(rest.isValid());
    const int tw = QFontMetrics(b.font()).horizontalAdvance("Start");
    EXPECT_NEAR(rest.left(), (75 - tw) / 2, 2);
    Mouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
    const QRect pressed = inkBox(b.RenderFace());
    EXPECT_EQ(pressed.topLeft(), rest.topLeft() - QPoint(1, 1));
    EXPECT_EQ(b.BeginColor(), 0xFFFFFF);   // no swap: only the frame and text offset change
}

TEST(GradBtn, DisabledCaptionIsDrawnInsetInTheDisabledColour)
{
    TGradBtn b;
    b.SetBtnFrameSize(0);
    b.SetBeginColor(0x000000);
    b.SetEndColor(0x000000);
    b.SetTextStyle(tsNormal);
    b.SetDisabledColor(0x0000FF);
    b.SetTxtHiliteClr(0x00FF00);
    b.SetCaption("MMMM");
    b.setEnabled(false);
    const QImage img = b.RenderFace();
    bool red = false, green = false;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 75; ++x) {
            const QRgb p = img.pixel(x, y);
            red |= qRed(p) > 160 && qGreen(p) < 64;
            green |= qGreen(p) > 160 && qRed(p) < 64;
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(green);
}

TEST(GradBtn, PressReleaseAndClickPaths)
{
    TGradBtn b;
    int clicks = 0, downs = 0, ups = 0;
    b.OnClick = [&] { ++clicks; };
    b.OnMouseDown = [&](QMouseEvent*) { ++downs; };
    b.OnMouseUp = [&](QMouseEvent*) { ++ups; };

    Mouse(b, QEvent::MouseButtonPress, Qt::RightButton);   // right button: no look change
    EXPECT_TRUE(b.FrameSunken());
    Mouse(b, QEvent::MouseButtonRelease, Qt::RightButton);
    EXPECT_EQ(clicks, 0);

    Mouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_FALSE(b.FrameSunken());
    EXPECT_EQ(b.BeginColor(), 0xFFFF00);   // swapped while pressed
    Mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_TRUE(b.FrameSunken());
    EXPECT_EQ(b.BeginColor(), 0x800000);
    EXPECT_EQ(clicks, 1);

    Mouse(b, QEvent::MouseButtonPress, Qt::LeftButton);      // released outside: no click
    Mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, {200, 200});
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b.FrameSunken());

    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(&b, &enter);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(b.FrameSunken());
    EXPECT_EQ(b.BeginColor(), 0x800000);
    EXPECT_EQ(downs, 3);
    EXPECT_EQ(ups, 3);
}

TEST(GradBtn, AcceleratorClicksTheEnabledButtonOnly)
{
    QWidget window;
    auto* b = new TGradBtn(&window);
    int clicks = 0;
    b->OnClick = [&] { ++clicks; };
    b->SetCaption("&Start");
    window.show();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b->FrameSunken());
    b->setEnabled(false);
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    b->setEnabled(true);
    b->BisteKnopf = true;   // passive: no click from the accelerator either
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

TEST(GradBtn, PassiveModeLeavesTheLookToSetDown)
{
    TGradBtn b;
    b.BisteKnopf = true;
    b.SetSwapColors(false);
    int clicks = 0, downs = 0;
    b.OnClick = [&] { ++clicks; };
    b.OnMouseDown = [&](QMouseEvent*) { ++downs; };
    Mouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
    Mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(downs, 1);
    EXPECT_TRUE(b.FrameSunken());

    b.SetDown(true);
    EXPECT_TRUE(b.Down());
    EXPECT_TRUE(b.FrameSunken());
    EXPECT_EQ(b.BeginColor(), 0xFFFF00);
    EXPECT_EQ(b.EndColor(), 0x800000);
    b.SetDown(false);
    EXPECT_FALSE(b.FrameSunken());   // raised while the value is false
    EXPECT_EQ(b.BeginColor(), 0x800000);
    EXPECT_EQ(b.EndColor(), 0xFFFF00);
    b.SetDown(false);                // no change: no swap
    EXPECT_EQ(b.BeginColor(), 0x800000);
}

QImage Pattern(QImage::Format format, int w, int h)
{
    QImage img(w, h, format);
    if (format == QImage::Format_Mono || format == QImage::Format_Indexed8) {
        const int colours = format == QImage::Format_Mono ? 2 : 7;
        QVector<QRgb> table;
        for (int k = 0; k < colours; ++k) table << qRgb(k * 30, 255 - k * 30, k * 11);
        img.setColorTable(table);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.setPixel(x, y, uint((x * 3 + y * 5 + x * y) % colours));
    } else {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 7, y * 5, (x * y) & 0xFF));
    }
    return img;
}

TEST(GradBtn, PictureTurns)
{
    for (QImage::Format format : {QImage::Format_Mono, QImage::Format_Indexed8, QImage::Format_RGB888,
                                  QImage::Format_RGB32}) {
        SCOPED_TRACE(int(format));
        const QImage first = Pattern(format, 33, 46);
        QImage img = first;
        RotateBitmap90Left(img);
        EXPECT_EQ(img.size(), QSize(46, 33));
        EXPECT_EQ(img.format(), format);
        // Column x, row y lands at column y, row W-1-x.
        EXPECT_EQ(img.pixel(5, 32 - 2), first.pixel(2, 5));
        EXPECT_EQ(img.pixel(45, 0), first.pixel(32, 45));
        for (int k = 0; k < 3; ++k) RotateBitmap90Left(img);
        EXPECT_EQ(img, first);

        img = first;
        RotateBitmap90Left(img);
        RotateBitmap90Right(img);
        EXPECT_EQ(img.size(), first.size());
        EXPECT_EQ(img.convertToFormat(QImage::Format_RGB32), first.convertToFormat(QImage::Format_RGB32));

        img = first;
        RotateBitmap180(img);
        EXPECT_EQ(img.pixel(0, 0), first.pixel(32, 45));
        EXPECT_EQ(img.pixel(32, 0), first.pixel(0, 45));
    }
    QImage empty;
    RotateBitmap90Left(empty);
    RotateBitmap180(empty);
    EXPECT_TRUE(empty.isNull());
}

}  // namespace
