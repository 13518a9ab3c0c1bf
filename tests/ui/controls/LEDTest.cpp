#include "ui/controls/UCLLEDLabel.h"

#include "RenderHelpers.h"
#include "platform/Colors.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Lit pixels (pure ActiveColor) inside cell Column of Row of an image drawn
// from (0, 0) with the painter's cell size.
int LitPixels(const QImage& Image, const TUCLLED& Led, int Column, int Row = 0)
{
    int lit = 0;
    const int x0 = Column * Led.CellWidth(), y0 = Row * Led.CellHeight();
    for (int y = y0; y < y0 + Led.CellHeight() && y < Image.height(); ++y)
        for (int x = x0; x < x0 + Led.CellWidth() && x < Image.width(); ++x)
            lit += PixelRgb(Image, x, y) == 0x00FF00;
    return lit;
}

QImage DrawLED(TUCLLED& Led, const AnsiString& Text, bool Enabled = true)
{
    const TRect size = Led.MeasureText(Text, 0);
    QImage image(std::max(size.Width(), 1), std::max(size.Height(), 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    Led.DrawText(&p, Rect(0, 0, image.width(), image.height()), true, Enabled, Text);
    return image;
}

// The pixels that segment S alone lights in an otherwise dark cell.
int SegmentArea(TUCLLED& Led, int S)
{
    QImage image(Led.CellWidth(), Led.CellHeight(), QImage::Format_RGB32);
    image.fill(Qt::black);
    Led.BuildCell();
    QPainter p(&image);
    p.setPen(QPen(QColor(0, 255, 0), 1));
    p.setBrush(QColor(0, 255, 0));
    p.drawPolygon(Led.Segments()[S]);
    p.end();
    return LitPixels(image, Led, 0);
}

}   // namespace

TEST(LED, ConstructorSizesGiveA19By28CellAndDefaultColours)
{
    TUCLLED led;
    EXPECT_EQ(led.Horzsize(), 9);
    EXPECT_EQ(led.Vertsize(), 7);
    EXPECT_EQ(led.Thickness(), 2);
    EXPECT_EQ(led.CellWidth(), 19);
    EXPECT_EQ(led.CellHeight(), 28);
    EXPECT_EQ(led.ActiveColor(), 0x00FF00u);
    EXPECT_EQ(led.InActiveColor(), 0x008000u);
    EXPECT_TRUE(led.DisabledDigits());
}

TEST(LED, SegmentPolygonsFollowTheShapeTable)
{
    TUCLLED led;
    led.BuildSegments();
    const auto& s = led.Segments();
    // Top bar H(2T, T, h, L) with T 2, h 1, L 9.
    EXPECT_EQ(s[0], QPolygon({QPoint(4, 3), QPoint(5, 2), QPoint(14, 2), QPoint(15, 3), QPoint(14, 4), QPoint(5, 4)}));
    // Upper right V(L + 3T, 2T, V, h).
    EXPECT_EQ(s[2], QPolygon({QPoint(16, 4), QPoint(17, 5), QPoint(17, 12), QPoint(16, 13), QPoint(15, 12),
                              QPoint(15, 5)}));
    // Upper-left diagonal D(c - h, V + 2T, T - V, T - l): c 8, l 4, dx N(-1) -1, dy N(-1) -1.
    EXPECT_EQ(s[9], QPolygon({QPoint(7, 11), QPoint(6, 11), QPoint(5, 7), QPoint(5, 6), QPoint(6, 6), QPoint(7, 10)}));
    // Bottom dot S(c - 1, 2V + 5T, T, T).
    EXPECT_EQ(s[15], QPolygon({QPoint(9, 23), QPoint(9, 25), QPoint(7, 25), QPoint(7, 23), QPoint(7, 23),
                               QPoint(7, 23)}));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(s[i].size(), 6) << i;
}

TEST(LED, CharacterTableIsCaseBlindAndEmptyOutsideIt)
{
    struct {
        char C;
        std::initializer_list<int> Segments;
    } const cases[] = {{'0', {0, 1, 2, 4, 5, 6, 9, 12}}, {'i', {7, 8}}, {'K', {1, 3, 4, 10, 12}},
                       {'k', {1, 3, 4, 10, 12}},        {'.', {15}},   {':', {13, 15}},
                       {'"', {1, 7}},                   {'\\', {9, 12}}, {'*', {7, 8, 9, 10, 11, 12}},
                       {' ', {}},                       {'#', {}},     {'X', {9, 10, 11, 12}}};
    for (const auto& c : cases) {
        Word expected = 0;
        for (int s : c.Segments)
            expected = Word(expected | (1u << s));
        EXPECT_EQ(LEDCharSegments(c.C), expected) << c.C;
    }
}

TEST(LED, CheckerShowsBackgroundWhereExactlyOneCoordinateIsOdd)
{
    TUCLLED led;
    led.BuildCell();
    const QImage& cell = led.Cell();
    ASSERT_EQ(cell.size(), QSize(19, 28));
    // Inside the top bar (rows 2..4, columns 5..13).
    for (int x = 6; x < 12; ++x)
        EXPECT_EQ(PixelRgb(cell, x, 3), ((x & 1) != 1) ? 0x000000u : 0x008000u) << x;
    EXPECT_EQ(PixelRgb(cell, 0, 0), 0x000000u);
}

TEST(LED, TextCountsCellsRowsAndSkipsControlCharacters)
{
    struct {
        const char* Text;
        int Columns, Rows;
    } const cases[] = {{"12.5", 4, 1}, {"", 1, 1}, {"a\tb\nc", 3, 1}, {"ab\rcde", 3, 2}, {" ", 1, 1}};
    for (const auto& c : cases) {
        TUCLLED led;
        const TRect r = led.MeasureText(c.Text, 2);
        EXPECT_EQ(led.ColCount(), c.Columns) << c.Text;
        EXPECT_EQ(led.RowCount(), c.Rows) << c.Text;
        EXPECT_EQ(r.Width(), 19 * c.Columns + 4 + 1) << c.Text;
        EXPECT_EQ(r.Height(), 28 * c.Rows + 4) << c.Text;
    }
}

TEST(LED, DotCellLightsOnlyTheBottomDotAndSpaceNothing)
{
    TUCLLED led;
    const QImage image = DrawLED(led, "12.5 ");
    EXPECT_EQ(LitPixels(image, led, 2), SegmentArea(led, 15));
    EXPECT_EQ(LitPixels(image, led, 4), 0);
    EXPECT_GT(LitPixels(image, led, 0), 0);
}

TEST(LED, SmallVerticalSizeLightsOnlyTheSevenOuterSegments)
{
    TUCLLED led;
    led.SetSize(3, 3);
    const QImage image = DrawLED(led, "K");
    int expected = 0;
    QImage only(led.CellWidth(), led.CellHeight(), QImage::Format_RGB32);
    only.fill(Qt::black);
    {
        QPainter p(&only);
        p.setPen(QPen(QColor(0, 255, 0), 1));
        p.setBrush(QColor(0, 255, 0));
        for (int s : {1, 3, 4})
            p.drawPolygon(led.Segments()[s]);
    }
    expected = LitPixels(only, led, 0);
    EXPECT_EQ(LitPixels(image, led, 0), expected);
}

TEST(LED, DisabledOwnerShowsDarkSegmentsUnlessDisabledDigitsIsOff)
{
    TUCLLED led;
    EXPECT_EQ(LitPixels(DrawLED(led, "8", false), led, 0), 0);
    led.SetDisabledDigits(false);
    EXPECT_GT(LitPixels(DrawLED(led, "8", false), led, 0), 0);
}

TEST(LED, SettersNotifyOnChangeOnlyAndAssignLeavesBackground)
{
    TUCLLED led;
    int changes = 0;
    led.OnChange = [&](TPersistent*) { ++changes; };
    led.SetSize(1, 9);
    led.SetColor(0, 0x00FF00);
    EXPECT_EQ(changes, 0);
    led.SetSize(1, 8);
    led.SetColor(1, 0x808080);
    led.SetSize(7, 0);   // any other index rebuilds and notifies
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(led.CellWidth(), 18);

    TUCLLED other;
    other.SetColor(2, 0x123456);
    other.Assign(led);
    EXPECT_EQ(other.Horzsize(), 8);
    EXPECT_EQ(other.InActiveColor(), 0x808080u);
    EXPECT_EQ(other.BackgroundColor(), 0x123456u);
}

TEST(LEDLabel, IntegerStyleFillsWithZerosOrShowsMinusSigns)
{
    TUCLLEDLabel label;
    label.SetStyle(TUCLLEDStyle::lsInteger);
    struct {
        Integer Value;
        Byte Digits;
        const char* Text;
    } const cases[] = {{7, 2, "07"}, {123, 2, "--"}, {-5, 3, "0-5"}, {0, 1, "0"}, {-12, 2, "--"}};
    for (const auto& c : cases) {
        label.SetDigits(c.Digits);
        label.SetValue(c.Value);
        EXPECT_EQ(label.GetDisplayText(), c.Text) << c.Value;
    }
    label.SetDigits(0);
    EXPECT_EQ(label.Digits(), 2);
}

TEST(LEDLabel, AutoSizeFollowsTextRowsAndBevel)
{
    TUCLLEDLabel label;
    label.SetCaption("12.5");
    label.SetAutoSize(true);
    EXPECT_EQ(label.size(), QSize(4 * 19 + 1, 28));
    label.SetCaption("AB\rC");
    EXPECT_EQ(label.size(), QSize(2 * 19 + 1, 2 * 28));
    label.Bevel().SetStyleOuter(TUCLBevelStyle::bvRaised);
    EXPECT_EQ(label.size(), QSize(2 * 19 + 1 + 2, 2 * 28 + 2));
    label.LED().SetSize(1, 5);
    EXPECT_EQ(label.width(), 2 * 15 + 1 + 2);
}

// The LED display's use: white on the label's colour, vertical 5, horizontal 8.
TEST(LEDLabel, RendersLikeTheReferenceImages)
{
    struct {
        const char* Name;
        const char* Caption;
        bool Enabled;
        bool Display;
    } const cases[] = {
        {"led_digits", "0123456789", true, false},
        {"led_letters", "ABCDEFGHIJKLM\rNOPQRSTUVWXYZ", true, false},
        {"led_signs", "\"'()*+-=_/\\.:[]<>", true, false},
        {"led_disabled", "12.5", false, false},
        {"led_display", "-12.50", true, true},
    };
    for (const auto& c : cases) {
        TUCLLEDLabel label;
        label.SetAutoSize(true);
        if (c.Display) {
            label.LED().SetColor(0, 0xFFFFFF);
            label.LED().SetColor(1, 0x808080);
            label.LED().SetSize(3, 5);
            label.LED().SetSize(1, 8);
        }
        label.SetCaption(c.Caption);
        label.setEnabled(c.Enabled);
        ExpectMatchesReference(Render(label), c.Name);
    }
}
