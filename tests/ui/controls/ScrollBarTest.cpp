// The library's scroll bar and the panel fill its thumb is built on.
#include "ui/controls/UCLSBar.h"

#include "MouseHelpers.h"
#include "RenderHelpers.h"
#include "platform/Colors.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

class ScrollBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Track length 200: the bar less two 16-pixel buttons and the
        // 1-pixel bevel on each side.
        Bar.resize(200 + 2 * 16 + 2, 18);
        Bar.OnScroll = [this](TPersistent*, Integer Code, Integer&) { Codes.push_back(Code); };
        Bar.show();
    }
    void Key(int QtKey)
    {
        QKeyEvent e(QEvent::KeyPress, QtKey, Qt::NoModifier);
        QApplication::sendEvent(&Bar, &e);
    }
    TUCLScrollBar Bar;
    std::vector<Integer> Codes;
};

}   // namespace

TEST_F(ScrollBar, ThumbOffsetFollowsThePosition)
{
    ASSERT_EQ(Bar.TrackLength(), 200);
    Bar.SetPosition(50);
    EXPECT_EQ(Bar.Thumb().x() - (Bar.TrackRect().Left + 16), 92);   // N(50 / (100 / 184))
    EXPECT_EQ(Bar.Thumb().width(), 16);
    Bar.SetThumbMode(TUCLThumbMode::tmAuto);
    Bar.SetMax(1000);
    EXPECT_EQ(Bar.ThumbLength(), 8);
    Bar.SetMax(20);
    EXPECT_EQ(Bar.ThumbLength(), 180);
    Bar.SetByIndex(4, 30);   // only in tmFixed
    EXPECT_EQ(Bar.ThumbLength(), 180);
    EXPECT_TRUE(Codes.empty());
}

TEST_F(ScrollBar, RangeSettersClampWithoutScrollCodes)
{
    Bar.SetPosition(80);
    Bar.SetMax(50);
    EXPECT_EQ(Bar.Position(), 50);
    Bar.SetMin(60);
    EXPECT_EQ(Bar.Min(), 50);
    Bar.SetMin(20);
    Bar.SetPosition(5);
    EXPECT_EQ(Bar.Position(), 20);
    EXPECT_TRUE(Codes.empty());
}

TEST_F(ScrollBar, ArrowButtonsStepAndSendEightFirst)
{
    Press(&Bar.StartButton(), QPoint(4, 4));
    Release(&Bar.StartButton(), QPoint(4, 4));
    EXPECT_TRUE(Codes.empty());   // at Min: nothing
    Press(&Bar.EndButton(), QPoint(4, 4));
    Release(&Bar.EndButton(), QPoint(4, 4));
    EXPECT_EQ(Bar.Position(), 1);
    EXPECT_EQ(Codes, (std::vector<Integer>{8, 0}));
    Codes.clear();
    Press(&Bar.StartButton(), QPoint(4, 4));
    Release(&Bar.StartButton(), QPoint(4, 4));
    EXPECT_EQ(Codes, (std::vector<Integer>{8, 1}));
}

TEST_F(ScrollBar, KeysStepPageAndReportTheEnds)
{
    Bar.SetPosition(1);
    Key(Qt::Key_Left);
    EXPECT_EQ(Codes, (std::vector<Integer>{8, 1, 8, 6}));
    Codes.clear();
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Bar.Position(), 10);
    EXPECT_EQ(Codes, (std::vector<Integer>{2}));
    Bar.SetPosition(99);
    Codes.clear();
    Key(Qt::Key_Down);
    EXPECT_EQ(Codes, (std::vector<Integer>{8, 0, 8, 7}));
}

TEST_F(ScrollBar, HoldingInTheTrackPagesUntilTheThumbReachesTheMouse)
{
    const QPoint target(Bar.TrackRect().Left + 16 + 150, 8);
    Press(&Bar, target);
    EXPECT_EQ(Bar.Position(), 10);
    EXPECT_EQ(Codes, (std::vector<Integer>{8, 2}));
    ASSERT_NE(Bar.PageTimer(), nullptr);
    int ticks = 0;
    while (Bar.PageTimer() && ticks < 20) {
        Bar.PageTimer()->DoTimer();
        ++ticks;
    }
    EXPECT_EQ(Bar.PageTimer(), nullptr);
    EXPECT_TRUE(Bar.Thumb().geometry().contains(QPoint(target.x(), 8)));
    Release(&Bar, target);
}

TEST_F(ScrollBar, DraggingTheThumbSendsFiveThenFourOnRelease)
{
    Bar.SetThumbMode(TUCLThumbMode::tmAuto);   // 200 - 100 = 100 pixels long
    Press(&Bar.Thumb(), QPoint(5, 5));
    EXPECT_TRUE(Bar.Dragging());
    Drag(&Bar.Thumb(), QPoint(15, 5));
    EXPECT_EQ(Bar.Position(), 10);
    Drag(&Bar.Thumb(), QPoint(15, 5));   // the thumb moved with it
    Release(&Bar.Thumb(), QPoint(15, 5));
    ASSERT_GE(Codes.size(), 3u);
    EXPECT_EQ(Codes.front(), 5);
    EXPECT_EQ((std::vector<Integer>(Codes.end() - 2, Codes.end())), (std::vector<Integer>{8, 4}));
    EXPECT_FALSE(Bar.Dragging());
}

TEST_F(ScrollBar, BarWidthZeroTakesTheSystemSize)
{
    Bar.SetKind(TUCLScrollBarKind::skVertical);
    Bar.SetByIndex(5, 0);
    EXPECT_EQ(Bar.width(), SystemScrollBarSize());
    Bar.SetByIndex(5, 20);
    EXPECT_EQ(Bar.width(), 20);
}

TEST_F(ScrollBar, SettingsObjectAppliesToTheBar)
{
    TUCLScrollBarObject settings;
    settings.SetSize(2, 25);
    settings.SetSize(0, 12);
    settings.SetColor(1, clRed);
    settings.SetBarWidth(14);
    settings.ApplyTo(Bar);
    EXPECT_EQ(Bar.LargeChange, 25);
    EXPECT_EQ(Bar.ButtonWidth(), 12);
    EXPECT_EQ(Bar.ThumbColor(), clRed);
    EXPECT_EQ(Bar.height(), 14);
    TUCLScrollBarObject copy;
    copy.Assign(settings);
    EXPECT_EQ(copy.Size(2), 25);
    EXPECT_EQ(copy.Back().Brush().Color(), 0xFF0000u);
}

TEST_F(ScrollBar, RendersBothKinds)
{
    Bar.SetPosition(50);
    ExpectMatchesReference(Render(Bar), QStringLiteral("scrollbar_horizontal"));
    TUCLScrollBar vertical;
    vertical.SetKind(TUCLScrollBarKind::skVertical);
    vertical.resize(16, 120);
    vertical.SetThumbMode(TUCLThumbMode::tmAuto);
    vertical.SetMax(40);
    vertical.SetPosition(40);
    vertical.show();
    ExpectMatchesReference(Render(vertical), QStringLiteral("scrollbar_vertical"));
    vertical.setEnabled(false);
    EXPECT_FALSE(vertical.Thumb().isVisible());
}

namespace {

class PanelFill : public TUCLCustomPanelFill {
public:
    using TUCLCustomPanelFill::TUCLCustomPanelFill;
};

}   // namespace

TEST(PanelFill, KeepsABackgroundOnlyForANonEmptyOpaqueFill)
{
    PanelFill panel;
    panel.resize(40, 30);
    EXPECT_EQ(panel.BackgroundBitmap(), nullptr);
    panel.FillObject().SetStyle(TUCLFillStyle::sfGradient);
    ASSERT_NE(panel.BackgroundBitmap(), nullptr);
    EXPECT_EQ(panel.BackgroundBitmap()->size(), QSize(40, 30));
    EXPECT_TRUE(panel.SuppliesBackground());
    panel.SetTransparent(true);
    panel.FillObject().SetStyle(TUCLFillStyle::sfBrush);
    EXPECT_EQ(panel.BackgroundBitmap(), nullptr);
    panel.SetTransparent(false);
    panel.FillObject().SetStyle(TUCLFillStyle::sfNone);
    EXPECT_EQ(panel.BackgroundBitmap(), nullptr);
}

TEST(PanelFill, ResizeRebuildsAGradientAndTheAlphaBlendApplies)
{
    PanelFill panel;
    panel.resize(20, 20);
    panel.show();
    panel.FillObject().SetStyle(TUCLFillStyle::sfBrush);
    panel.FillObject().Brush().SetColor(0x0000C8);   // red 200
    EXPECT_EQ(panel.BackgroundBitmap()->pixel(5, 5) & 0xFFFFFF, 0xC80000u);
    panel.BackFX().AlphaBlend().FillObject().SetStyle(TUCLFillStyle::sfBrush);
    panel.BackFX().AlphaBlend().FillObject().Brush().SetColor(clBlack);
    EXPECT_EQ(panel.BackgroundBitmap()->pixel(5, 5) & 0xFFFFFF, 0x780000u);   // 60 % of 200
    panel.resize(30, 25);
    EXPECT_EQ(panel.BackgroundBitmap()->size(), QSize(30, 25));
}
