// The panel LEDs: the colour each state shows, the seven shapes as drawn,
// the mouse flags, the record (also of files before sizes were free) and
// the settings dialog.
#include "panel/elements/FP_LED.h"

#include "panel/elements/ElementClasses.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "panel/framework/Design.h"
#include "panel/framework/DisplayThrottle.h"
#include "panel/framework/PanelClasses.h"
#include "panel/framework/PanelGlobals.h"
#include "platform/Stream.h"
#include "support/StreamBytes.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class LedElement : public ::testing::Test {
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }

    static QImage Render(TPLED& led)
    {
        QImage image;
        led.PaintToBitmap(image);
        return image;
    }
};

TEST_F(LedElement, TheColourFollowsTheStateAndTheKindOfLed)
{
    TPLED single;
    EXPECT_EQ(single.size(), QSize(16, 16));
    EXPECT_EQ(single.Hint(), "LED");
    EXPECT_TRUE(single.GetBisteTransparent());
    EXPECT_EQ(single.GetLedColor(), 0x808080u);
    single.SetEingeschaltet(true);
    EXPECT_EQ(single.GetLedColor(), 0x00FF00u);

    TDuoLED duo;
    EXPECT_EQ(duo.Hint(), "Duo-LED");
    struct TCase {
        Byte Status, Shown;
        TColor Colour;
    };
    for (const TCase& c : {TCase{1, 1, 0x00FF00}, {2, 2, 0x0000FF}, {3, 3, 0x00FFFF}, {0, 0, 0x808080},
                           {5, 0, 0x808080}, {255, 0, 0x808080}}) {
        duo.SetDuoLEDStatus(c.Status);
        EXPECT_EQ(duo.GetDuoLEDStatus(), c.Shown) << int(c.Status);
        EXPECT_EQ(duo.GetEingeschaltet(), c.Shown != 0) << int(c.Status);
        EXPECT_EQ(duo.GetLedColor(), c.Colour) << int(c.Status);
    }

    TRGBLED rgb;
    EXPECT_EQ(rgb.Hint(), "RGB-LED");
    EXPECT_EQ(rgb.GetLedColor(), 0u);
    rgb.SetRGBFarbe(0x123456);
    EXPECT_EQ(rgb.GetLedColor(), 0x123456u);
}

TEST_F(LedElement, EachShapeIsDrawnInTheLedColourWithItsOutline)
{
    // Points in a 40 x 40 LED (frame 1) that lie inside (lit) or outside the shape.
    struct TCase {
        Byte Shape;
        QPoint Inside, Outside;
    };
    for (const TCase& c : {TCase{TPLED::Round, {20, 20}, {3, 3}}, {TPLED::Square, {8, 8}, {0, 0}},
                           {TPLED::TriangleUp, {20, 34}, {4, 4}}, {TPLED::TriangleDown, {20, 5}, {4, 35}},
                           {TPLED::TriangleLeft, {5, 20}, {4, 4}}, {TPLED::TriangleRight, {34, 20}, {35, 4}}}) {
        SCOPED_TRACE(int(c.Shape));
        TPLED led;
        led.resize(40, 40);
        led.Shape = c.Shape;
        led.Colour1 = 0xFF0000;   // blue
        led.SetEingeschaltet(true);
        QImage image = Render(led);
        const QColor in = image.pixelColor(c.Inside), out = image.pixelColor(c.Outside);
        EXPECT_GT(in.blue(), 120);
        EXPECT_LT(in.red(), in.blue() / 2 + 40);
        EXPECT_EQ(image.pixelColor(c.Outside), QColor(0xEC, 0xE9, 0xD8)) << out.name().toStdString();
        led.SetEingeschaltet(false);
        image = Render(led);
        const QColor off = image.pixelColor(c.Inside);
        EXPECT_EQ(off.red(), off.blue());
        EXPECT_EQ(off.green(), off.blue());
    }
    // The luminous text: only the text, in the LED colour.
    TPLED text;
    text.resize(60, 30);
    text.Shape = TPLED::LuminousText;
    text.LedText = "ON";
    text.Font.Height = -20;
    text.Font.Style = fsBold;
    text.SetEingeschaltet(true);
    const QImage image = Render(text);
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (p == QColor(0, 255, 0))
                ++lit;
        }
    EXPECT_GT(lit, 20);
}

TEST_F(LedElement, OnlyTheRoundLedKeepsItsAspect)
{
    TPLED led;
    EXPECT_EQ(led.GetAspectRatio(), 1.0L);
    for (Byte shape = 1; shape <= 6; ++shape) {
        led.Shape = shape;
        EXPECT_EQ(led.GetAspectRatio(), 0.0L) << int(shape);
    }
}

TEST_F(LedElement, TheMouseFlagsFollowTheButtonsAndThePointer)
{
    TPLED led;
    led.resize(20, 20);
    led.SetMouseTransparent(false);
    led.show();
    auto moveTo = [&led](QPointF p, Qt::MouseButtons held) {
        QMouseEvent move(QEvent::MouseMove, p, led.mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(&led, &move);
    };
    moveTo(QPointF(5, 5), Qt::NoButton);
    EXPECT_TRUE(led.MouseOver());
    QTest::mousePress(&led, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(led.LeftPressed());
    EXPECT_FALSE(led.RightPressed());
    QTest::mouseRelease(&led, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(led.LeftPressed());
    QTest::mousePress(&led, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(led.RightPressed());
    // Held and dragged outside: no longer over it, still held.
    moveTo(QPointF(30, 5), Qt::RightButton);
    EXPECT_FALSE(led.MouseOver());
    EXPECT_TRUE(led.RightPressed());
    QTest::mouseRelease(&led, Qt::RightButton, {}, QPoint(30, 5));
    EXPECT_FALSE(led.RightPressed());
    moveTo(QPointF(5, 5), Qt::NoButton);
    EXPECT_TRUE(led.MouseOver());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&led, &leave);
    EXPECT_FALSE(led.MouseOver());
    led.LeftPressed_ = led.RightPressed_ = led.MouseOver_ = true;
    led.ClearMouseFlags();
    EXPECT_FALSE(led.LeftPressed() || led.RightPressed() || led.MouseOver());
}

TEST_F(LedElement, TheRecordKeepsColoursShapeTextAndFont)
{
    TDuoLED led;
    led.Colour1 = 0x010203;
    led.Colour2 = 0x040506;
    led.Colour3 = 0x070809;
    led.Shape = TPLED::TriangleLeft;
    led.LedText = "P\xE9";
    led.Font.Name = "Liberation Serif";
    led.Font.Height = -17;
    led.Font.Style = fsItalic | fsStrikeOut;
    led.Font.Color = 0x445566;
    led.SetBounds(0, 0, 33, 22);
    TMemoryStream stream;
    {
        TWriter writer(stream);
        led.WriteData(stream, writer);
        writer.FlushBuffer();
    }
    stream.Seek(0, TSeekOrigin::soBeginning);
    TDuoLED copy;
    {
        TReader reader(stream);
        copy.ReadData(stream, reader, 46);
    }
    EXPECT_EQ(copy.Colour1, 0x010203u);
    EXPECT_EQ(copy.Colour2, 0x040506u);
    EXPECT_EQ(copy.Colour3, 0x070809u);
    EXPECT_EQ(copy.Shape, TPLED::TriangleLeft);
    EXPECT_EQ(copy.LedText, "P\xE9");
    EXPECT_EQ(copy.Font.Name, "Liberation Serif");
    EXPECT_EQ(copy.Font.Height, -17);
    EXPECT_EQ(copy.Font.Style, fsItalic | fsStrikeOut);
    EXPECT_EQ(copy.Font.Color, 0x445566u);
    EXPECT_EQ(copy.size(), QSize(33, 22));
}

// A record of a file before version 40: the base record, then colour 1,
// control colour, shape, size, colours 2 and 3.
std::vector<Byte> OldRecord(int shape, int size, std::initializer_list<int> control)
{
    TStreamBytes b;
    b.Int(0).Bool(true).Int(0).Str("LED").Bool(false);
    b.Raw({0x00, 0x00, 0xFF, 0x00}).Raw(control).Raw({shape}).Raw({size & 0xFF, (size >> 8) & 0xFF});
    b.Raw({1, 2, 3, 0}).Raw({4, 5, 6, 0});
    return b.Bytes;
}

TEST_F(LedElement, OldFilesGiveTheSizeFromTheOneNumber)
{
    struct TCase {
        int Shape, Size;
        QSize Expected;
        Byte ShapeAfter;
    };
    for (const TCase& c : {TCase{0, 20, {20, 20}, 0}, {1, 20, {20, 10}, 1}, {2, 20, {10, 20}, 1},
                           {0, -5, {0, 0}, 0}, {9, 20, {20, 20}, 0},
                           // A damaged size word gives at most the largest element.
                           {0, 32767, {MaxElementExtent, MaxElementExtent}, 0},
                           {2, 32767, {MaxElementExtent / 2, MaxElementExtent}, 1}}) {
        SCOPED_TRACE(c.Shape);
        TPLED led;
        TMemoryStream stream(OldRecord(c.Shape, c.Size, {0x11, 0x22, 0x33, 0x00}));
        TReader reader(stream);
        led.ReadData(stream, reader, 30);
        EXPECT_EQ(led.size(), c.Expected);
        EXPECT_EQ(led.Shape, c.ShapeAfter);
        EXPECT_EQ(led.Colour1, 0xFF0000u);
        EXPECT_EQ(led.Colour2, 0x030201u);
        EXPECT_EQ(led.Colour3, 0x060504u);
        EXPECT_EQ(led.Color(), 0x332211u);
    }
    // A system colour (negative) keeps the LED's own colour.
    TPLED led;
    const TColor before = led.Color();
    TMemoryStream stream(OldRecord(0, 16, {0x0F, 0x00, 0x00, 0x80}));
    TReader reader(stream);
    led.ReadData(stream, reader, 30);
    EXPECT_EQ(led.Color(), before);
}

TEST_F(LedElement, TheDialogShowsTheRowsOfItsKindAndTakesTheShapeOnOk)
{
    struct TCase {
        const char* Class;
        Integer Help, ColourRows;
    };
    RegisterElementClasses();
    for (const TCase& c : {TCase{"TPLED", 18005, 2}, {"TDuoLED", 18010, 4}, {"TRGBLED", 18012, 2}}) {
        SCOPED_TRACE(c.Class);
        std::unique_ptr<TPersistent> object(CreateObjectByName(c.Class));
        auto* led = dynamic_cast<TPLED*>(object.get());
        ASSERT_NE(led, nullptr);
        for (bool ok : {false, true}) {
            AnsiString caption;
            Integer help = 0, colourRows = 0;
            TFormHook hook({[&](TModalForm& form) {
                auto& dlg = static_cast<TDefault_Dlg&>(form);
                caption = dlg.Caption();
                help = dlg.HelpContext();
                for (const auto& row : dlg.Props->Rows) {
                    if (dynamic_cast<TColorPropEditor*>(row->Editor))
                        ++colourRows;
                    if (auto* combo = dynamic_cast<TComboPropEditor*>(row->Editor)) {
                        EXPECT_EQ(combo->Combo->count(), 7);
                        EXPECT_EQ(combo->Combo->itemText(6).toStdString(), "Leuchttext");
                        combo->Combo->setCurrentIndex(3);
                    }
                }
                QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
            }});
            EXPECT_EQ(led->EditProperties(), ok ? 1 : 2);
            EXPECT_EQ(caption, led->Hint());
            EXPECT_EQ(help, c.Help);
            // The LED colours and the font colour (no background row: transparent).
            EXPECT_EQ(colourRows, c.ColourRows);
            EXPECT_EQ(led->Shape, ok ? TPLED::TriangleDown : TPLED::Round);
        }
    }
}

} // namespace

namespace {

class TPaintCountingLED : public TPLED {
public:
    void Paint(TCanvas& canvas) override
    {
        ++Paints;
        TPLED::Paint(canvas);
    }
    Integer Paints = 0;
};

TEST(LedRepaint, ChangesArePaintedTogetherAtTheDisplaysPaceNotAtEveryChange)
{
    TPaintCountingLED led;
    led.show();
    QApplication::processEvents();
    FlushDisplayRepaints();
    QApplication::processEvents();
    led.Paints = 0;
    for (int i = 0; i < 100; ++i) {
        led.SetEingeschaltet(i % 2 == 0);
        led.SetDuoLEDStatus(static_cast<Byte>(i % 4));
        QApplication::processEvents();
    }
    EXPECT_EQ(led.Paints, 0);
    FlushDisplayRepaints();
    QApplication::processEvents();
    EXPECT_EQ(led.Paints, 1);
    // Nothing changed: nothing to paint.
    FlushDisplayRepaints();
    QApplication::processEvents();
    EXPECT_EQ(led.Paints, 1);
    // A waiting repaint of an LED that is gone is dropped.
    {
        TPLED gone;
        gone.SetEingeschaltet(true);
    }
    FlushDisplayRepaints();
}

} // namespace

namespace {

TEST(LedPages, AnLedIsOnAHiddenPageWhenItOrItsMacroPanelIsParked)
{
    ResetGlobals();
    RegisterPanelClasses();
    RegisterElementClasses();
    TDesign root;
    auto* led = dynamic_cast<TPLED*>(root.AddElement("TPLed"));
    auto* nested = dynamic_cast<TDesign*>(root.AddElement("TDesign"));
    ASSERT_TRUE(led && nested);
    led->OwnerDesign = &root;
    nested->OwnerDesign = &root;
    auto* inner = dynamic_cast<TPLED*>(nested->AddElement("TPLed"));
    ASSERT_NE(inner, nullptr);
    inner->OwnerDesign = nested;
    EXPECT_FALSE(led->OnHiddenPage());
    EXPECT_FALSE(inner->OnHiddenPage());
    nested->SetFrontplattenNR(1);
    root.SetAktiveFrontplatte(1);
    EXPECT_TRUE(led->OnHiddenPage());
    EXPECT_FALSE(inner->OnHiddenPage());
    root.SetAktiveFrontplatte(0);
    EXPECT_FALSE(led->OnHiddenPage());
    EXPECT_TRUE(inner->OnHiddenPage());
    TPLED alone;
    EXPECT_FALSE(alone.OnHiddenPage());
    ResetGlobals();
}

} // namespace
