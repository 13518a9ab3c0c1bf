#include "ui/controls/BitmapButton.h"

#include "platform/AnsiText.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using B = TZVQCustomButton;

QRgb Rgb(TColor color)
{
    return ColorToQColor(color).rgb();
}

TEST(BitmapButton, KindsSetCaptionKeysGlyphsAndTheFormsModalResult)
{
    const struct {
        B::TKind Kind;
        const char* Caption;
        bool Default;
        bool Cancel;
        int ModalResult;   // -1: the form stays open
    } cases[] = {
        {B::skOK, "OK", true, false, 1},       {B::skCancel, "Cancel", false, true, 2},
        {B::skYes, "&Yes", true, false, 6},    {B::skNo, "&No", false, true, 7},
        {B::skAbort, "Abort", false, false, 3}, {B::skRetry, "&Retry", false, false, 4},
        {B::skIgnore, "&Ignore", false, false, 5}, {B::skAll, "&All", false, false, 8},
        {B::skSilly, "&Silly", false, false, -1}, {B::skHelp, "&Help", false, false, -1},
    };
    for (const auto& c : cases) {
        QDialog form;
        auto* button = new TZVQButton(&form);
        button->SetGlyph(QImage(32, 16, QImage::Format_RGB32));
        button->SetButtonKind(c.Kind);
        EXPECT_EQ(button->Caption(), c.Caption);
        EXPECT_EQ(button->Default(), c.Default) << c.Caption;
        EXPECT_EQ(button->Cancel, c.Cancel) << c.Caption;
        EXPECT_EQ(button->NumGlyphs(), 1);
        EXPECT_EQ(button->NumGlyphsHot(), 1);
        EXPECT_FALSE(button->Glyph().isNull());
        EXPECT_FALSE(button->GlyphHot().isNull());
        form.setResult(-1);
        form.show();
        int clicks = 0;
        button->OnClick = [&](B*) { ++clicks; };
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(form.result(), c.ModalResult) << c.Caption;
        EXPECT_EQ(form.isVisible(), c.ModalResult == -1) << c.Caption;
    }
}

TEST(BitmapButton, CloseKindClosesTheForm)
{
    QWidget form;
    auto* button = new TZVQButton(&form);
    button->SetButtonKind(B::skClose);
    EXPECT_EQ(button->Caption(), "&Close");
    form.show();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

TEST(BitmapButton, AssigningAGlyphDerivesItsImageCountAndMakesTheKindCustom)
{
    const struct {
        int Width, Height, Before, After;
    } cases[] = {
        {64, 16, 2, 4}, {80, 16, 2, 1}, {48, 16, 1, 3}, {32, 16, 3, 2}, {16, 16, 3, 1},
        {20, 16, 3, 1}, {10, 16, 3, 1}, {40, 16, 3, 3}, {40, 16, 4, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlyphCountForSize(QSize(c.Width, c.Height), c.Before), c.After) << c.Width << "x" << c.Height;

    TZVQButton button;
    button.SetButtonKind(B::skOK);
    button.SetGlyph(QImage(64, 16, QImage::Format_RGB32));
    EXPECT_EQ(button.ButtonKind(), B::skCustom);
    EXPECT_EQ(button.NumGlyphs(), 4);
    button.SetButtonKind(B::skOK);
    button.SetGlyphHot(QImage(48, 16, QImage::Format_RGB32));
    EXPECT_EQ(button.ButtonKind(), B::skCustom);
    EXPECT_EQ(button.NumGlyphsHot(), 3);
}

TEST(BitmapButton, GlyphAndCaptionArePlacedByTheLayout)
{
    TZVQPlacementInput in;
    in.Content = QRect(1, 1, 73, 23);   // 75 x 25 inside a one-pixel frame
    in.GlyphSize = QSize(16, 16);
    in.TextSize = QSize(20, 13);
    in.MarkSize = QSize(7, 4);
    in.Spacing = 4;
    in.SpacingLayout = 3;

    const struct {
        B::TLayout Layout;
        int Press;
        QPoint Glyph;
        QPoint Caption;
    } cases[] = {
        // (73-16-20)/2 = 18: 1+18-3 = 16; top 1+(23-16)/2 = 4; caption 16+16+4, 4+(16-13)/2
        {B::blGlyphLeft, 0, {16, 4}, {36, 5}},
        {B::blGlyphLeft, 1, {17, 5}, {37, 6}},
        // (73-16+20)/2 = 38: 1+38+3 = 42; caption 42-20-4
        {B::blGlyphRight, 0, {42, 4}, {18, 5}},
        // (73-16)/2 = 28: left 29; top 1+3+6+3 = 13; caption 29+8-10, 13-4-6-8
        {B::blGlyphBottom, 0, {29, 13}, {27, -5}},
        // top 1+3-6-3 = -5; caption below the glyph: -5+16+4
        {B::blGlyphTop, 0, {29, -5}, {27, 15}},
    };
    for (const auto& c : cases) {
        in.Layout = c.Layout;
        in.Press = c.Press;
        const TZVQPlacement p = PlaceGlyphAndCaption(in);
        EXPECT_EQ(p.Glyph.topLeft(), c.Glyph) << c.Layout << " press " << c.Press;
        EXPECT_EQ(p.Caption.topLeft(), c.Caption) << c.Layout << " press " << c.Press;
        EXPECT_TRUE(p.Mark.isEmpty());
    }

    in.Layout = B::blGlyphTop;
    in.Press = 0;
    in.PopupMenuMark = true;
    in.PopupMenuMarkGap = 5;
    EXPECT_EQ(PlaceGlyphAndCaption(in).Mark, QRect(29 + 16 + 5, -5 + 6, 7, 4));
    in.Layout = B::blGlyphLeft;   // beside a caption the mark needs the top or bottom layout
    EXPECT_TRUE(PlaceGlyphAndCaption(in).Mark.isEmpty());

    in.TextSize = QSize();        // glyph alone: centred, 5 further left with the mark
    EXPECT_EQ(PlaceGlyphAndCaption(in).Glyph.topLeft(), QPoint(1 + 28 - 5, 4));
    in.PopupMenuMark = false;
    EXPECT_EQ(PlaceGlyphAndCaption(in).Glyph.topLeft(), QPoint(29, 4));
    in.GlyphSize = QSize();
    in.TextSize = QSize(20, 13);  // caption alone
    EXPECT_EQ(PlaceGlyphAndCaption(in).Caption.topLeft(), QPoint(1 + 26, 1 + 5));
}

// The colour field of the property sheet's colour rows.
struct TColourField {
    QWidget Window;
    TZVQButton* Button;
    TColourField()
    {
        Window.resize(60, 40);
        Button = new TZVQButton(&Window);
        Button->setGeometry(4, 4, 34, 17);
        Button->SetButtonStyle(B::stRaised);
        Button->SetColor(clRed);
        Button->setFocusPolicy(Qt::StrongFocus);
        Window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }
    QImage Picture() const { return Button->grab().toImage(); }
};

TEST(BitmapButton, RaisedColourFieldShowsFrameFocusAndPress)
{
    TColourField f;
    f.Window.setFocus();
    QImage up = f.Picture();
    EXPECT_EQ(up.pixel(0, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(up.pixel(0, 15), Rgb(clBtnHighlight));
    EXPECT_EQ(up.pixel(33, 16), Rgb(clBtnShadow));
    EXPECT_EQ(up.pixel(33, 0), Rgb(clBtnShadow));
    EXPECT_EQ(up.pixel(3, 3), Rgb(clRed));    // no focus: no focus rectangle
    EXPECT_EQ(up.pixel(17, 8), Rgb(clRed));

    f.Button->setFocus();
    QImage focused = f.Picture();
    EXPECT_EQ(focused.pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(focused.pixel(17, 8), Rgb(clRed));

    QTest::mousePress(f.Button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    QImage pressed = f.Picture();
    EXPECT_EQ(pressed.pixel(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(pressed.pixel(33, 16), Rgb(clBtnHighlight));
    QTest::mouseRelease(f.Button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    EXPECT_EQ(f.Picture().pixel(0, 0), Rgb(clBtnHighlight));
}

TEST(BitmapButton, FaceStylesKeepTheButtonFaceAndCustomEdgesSwitchTheMarginStyle)
{
    TZVQButton button;
    button.SetButtonStyle(B::stDefault);
    button.SetColor(clRed);
    EXPECT_EQ(button.Color(), clBtnFace);
    EXPECT_EQ(button.ColorMarginRightBottom(), clBlack);

    button.SetButtonStyle(B::stFrameLowered);
    EXPECT_EQ(button.ColorMarginLeftTop(), clBtnShadow);
    EXPECT_EQ(button.ColorMarginStyle(), B::cmDefault);
    button.SetColorMarginLeftTop(clBtnShadow);    // the style's own colour
    EXPECT_EQ(button.ColorMarginStyle(), B::cmDefault);
    button.SetColorMarginLeftTop(clLime);
    EXPECT_EQ(button.ColorMarginStyle(), B::cmCustom);
    button.SetButtonStyle(B::stRaised);          // custom edges stay
    EXPECT_EQ(button.ColorMarginLeftTop(), clLime);
    button.SetColorMarginStyle(B::cmDefault);
    EXPECT_EQ(button.ColorMarginLeftTop(), clBtnHighlight);
    EXPECT_EQ(button.ColorMarginRightBottom(), clBtnShadow);

    const struct {
        B::TStyle Style;
        int Normal, Hot;
    } widths[] = {{B::stFlat, 0, 1}, {B::stDefault, 1, 1}, {B::stNone, 0, 0}, {B::stRaised, 1, 1},
                  {B::stFlatDot, 0, 1}, {B::stRaisedDot, 2, 2}, {B::stFrameLowered, 1, 1}, {B::stFrameRaised, 1, 1}};
    for (const auto& w : widths) {
        button.SetButtonStyle(w.Style);
        EXPECT_EQ(button.FrameWidth(false), w.Normal) << w.Style;
        EXPECT_EQ(button.FrameWidth(true), w.Hot) << w.Style;
    }
}

TEST(BitmapButton, HoldingRepeatsClicksUntilTheMouseLeaves)
{
    TColourField f;
    int clicks = 0;
    f.Button->OnClick = [&](B*) { ++clicks; };
    f.Button->RepeatAction = true;
    f.Button->RepeatStartInterval = 300;
    f.Button->RepeatInterval = 70;

    QTest::mousePress(f.Button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    EXPECT_TRUE(f.Button->RepeatStartTimer()->isActive());
    EXPECT_EQ(f.Button->RepeatStartTimer()->interval(), 300);
    f.Button->RepeatStartTimerTick();
    EXPECT_FALSE(f.Button->RepeatStartTimer()->isActive());
    EXPECT_TRUE(f.Button->RepeatTimer()->isActive());
    EXPECT_EQ(f.Button->RepeatTimer()->interval(), 70);
    f.Button->RepeatTimerTick();
    f.Button->RepeatTimerTick();
    EXPECT_EQ(clicks, 2);

    QTest::mouseMove(f.Button, QPoint(50, 8));   // the held mouse leaves the button
    EXPECT_FALSE(f.Button->RepeatTimer()->isActive());
    EXPECT_FALSE(f.Button->IsHot());
    QTest::mouseRelease(f.Button, Qt::LeftButton, Qt::NoModifier, QPoint(50, 8));
    EXPECT_FALSE(f.Button->IsHot());   // released outside: not drawn hot
    EXPECT_EQ(clicks, 2);              // and no click
}

TEST(BitmapButton, EscClicksTheCancelButtonAndEnterTheDefaultButton)
{
    QDialog form;
    auto* edit = new QLineEdit(&form);
    auto* ok = new TZVQButton(&form);
    auto* cancel = new TZVQButton(&form);
    ok->move(0, 30);
    cancel->move(80, 30);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](B*) { ++okClicks; };
    cancel->OnClick = [&](B*) { ++cancelClicks; };
    ok->SetDefault(true);
    cancel->Cancel = true;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    edit->setFocus();
    EXPECT_TRUE(ok->IsActiveDefault());

    QTest::keyClick(edit, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(cancelClicks, 0);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks, 1);
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(okClicks, 0);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);

    // Focus on another button of this class makes that one the default.
    cancel->setFocus();
    EXPECT_TRUE(cancel->IsActiveDefault());
    EXPECT_FALSE(ok->IsActiveDefault());
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_EQ(cancelClicks, 2);
    EXPECT_EQ(okClicks, 1);
}

TEST(BitmapButton, AcceleratorOfTheCaptionClicks)
{
    QDialog form;
    auto* edit = new QLineEdit(&form);
    auto* button = new TZVQButton(&form);
    button->move(0, 30);
    button->SetCaption("&Retry");
    int clicks = 0;
    button->OnClick = [&](B*) { ++clicks; };
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(edit, Qt::Key_R);   // the edit takes the letter
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit->text(), "r");
}

TEST(BitmapButton, PressingOpensTheAttachedMenuBelowTheButton)
{
    QWidget window;
    window.resize(200, 100);
    auto* button = new TZVQButton(&window);
    button->setGeometry(10, 10, 75, 25);
    QMenu menu;
    menu.addAction("Eintrag");
    button->SetPopupMenu(&menu);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QPoint shownAt;
    QTimer::singleShot(0, [&] {
        shownAt = menu.pos();
        menu.close();
    });
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(shownAt, button->mapToGlobal(QPoint(-1, 25)));
    EXPECT_FALSE(button->IsPressed());   // drawn released once the menu closed

    {
        QMenu gone;
        button->SetPopupMenu(&gone);
    }
    EXPECT_EQ(button->PopupMenu(), nullptr);   // a freed menu is forgotten
}

TEST(BitmapButton, HintSecondLineNeedsAHint)
{
    TZVQButton button;
    button.SetHintSecondLine("zweite");
    EXPECT_TRUE(button.toolTip().isEmpty());
    button.SetHint("erste");
    EXPECT_EQ(button.toolTip(), "erste\rzweite");
}

}   // namespace
