// Speed buttons: the state machine under mouse sequences, radio groups,
// repeat, drop-down and split parts, glyph strips and the hot caption colour.
#include "ui/controls/UCLSpeedButton.h"

#include "MouseHelpers.h"
#include "platform/Colors.h"
#include "platform/PopupMenu.h"
#include "support/TestNames.h"

#include <QCursor>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SpeedButton : public ::testing::Test {
protected:
    TUCLSpeedButton* Add(Integer Group = 0)
    {
        auto* b = new TUCLSpeedButton(&Window);
        b->setGeometry(10 + 30 * Buttons.size(), 10, 23, 22);
        b->SetGroupIndex(Group);
        b->OnClick = [this, b](TPersistent* Sender) {
            EXPECT_EQ(Sender, b);
            ++Clicks[b];
        };
        Buttons.push_back(b);
        b->show();
        return b;
    }
    void Click(TUCLSpeedButton* B)
    {
        Press(B, {5, 5});
        Release(B, {5, 5});
    }
    void SetUp() override
    {
        Window.resize(300, 100);
        Window.show();
    }
    void TearDown() override { SetPopupMenuHook(nullptr); }

    QWidget Window;
    std::vector<TUCLSpeedButton*> Buttons;
    std::map<TUCLSpeedButton*, int> Clicks;
};

enum TStep { Down, MoveIn, MoveOut, UpIn, UpOut };

struct TMouseCase {
    const char* Name;
    Integer Group;
    bool AllowAllUp;
    bool Pressed;
    bool Enabled;
    std::vector<TStep> Steps;
    int Clicks;
    Byte State;
    bool PressedAfter;
};

class MouseCases : public SpeedButton, public ::testing::WithParamInterface<TMouseCase> {};

TEST_P(MouseCases, StateClicksAndLatch)
{
    const TMouseCase& c = GetParam();
    TUCLSpeedButton* b = Add(c.Group);
    b->SetAllowAllUp(c.AllowAllUp);
    b->SetPressed(c.Pressed);
    b->setEnabled(c.Enabled);
    for (TStep step : c.Steps) {
        switch (step) {
        case Down: Press(b, {5, 5}); break;
        case MoveIn: Drag(b, {6, 6}); break;
        case MoveOut: Drag(b, {60, 60}); break;
        case UpIn: Release(b, {5, 5}); break;
        case UpOut: Release(b, {60, 60}); break;
        }
    }
    EXPECT_EQ(Clicks[b], c.Clicks);
    EXPECT_EQ(b->State(), c.State);
    EXPECT_EQ(b->Pressed(), c.PressedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MouseCases,
    ::testing::Values(
        TMouseCase{"ClickInside", 0, false, false, true, {Down, UpIn}, 1, bsHot, false},
        TMouseCase{"HeldShowsPushed", 0, false, false, true, {Down, MoveIn}, 0, bsPushed, false},
        TMouseCase{"ReleasedOutsideNoClick", 0, false, false, true, {Down, MoveOut, UpOut}, 0, bsUp, false},
        TMouseCase{"DraggedOutAndBack", 0, false, false, true, {Down, MoveOut, MoveIn, UpIn}, 1, bsHot, false},
        TMouseCase{"UngroupedNeverLatches", 0, true, true, true, {Down, UpIn}, 1, bsHot, false},
        TMouseCase{"GroupedLatches", 1, false, false, true, {Down, UpIn}, 1, bsDown, true},
        TMouseCase{"LatchedWithoutAllowAllUpNoClick", 1, false, true, true, {Down, UpIn}, 0, bsDown, true},
        TMouseCase{"LatchedWithAllowAllUpReleases", 1, true, true, true, {Down, UpIn}, 1, bsUp, false},
        TMouseCase{"LatchedReleasedOutsideStaysDown", 1, true, true, true, {Down, MoveOut, UpOut}, 0, bsDown, true},
        TMouseCase{"DisabledIgnoresPress", 0, false, false, false, {Down, UpIn}, 0, bsDisabled, false},
        TMouseCase{"DisabledLatched", 1, false, true, false, {Down, UpIn}, 0, bsDownDisabled, true}),
    TRowName());

TEST_F(SpeedButton, RadioGroupWithoutAllowAllUp)
{
    TUCLSpeedButton* a = Add(1);
    TUCLSpeedButton* b = Add(1);
    TUCLSpeedButton* c = Add(1);
    TUCLSpeedButton* other = Add(2);
    other->SetPressed(true);
    a->SetPressed(true);
    Click(b);
    EXPECT_FALSE(a->Pressed());
    EXPECT_TRUE(b->Pressed());
    EXPECT_FALSE(c->Pressed());
    EXPECT_TRUE(other->Pressed()) << "another group is not touched";
    EXPECT_EQ(a->State(), bsUp);
    Click(b);
    EXPECT_EQ(Clicks[b], 1) << "clicking the latched button again does nothing";
    b->SetPressed(false);
    EXPECT_TRUE(b->Pressed()) << "code cannot release it either";
    c->SetPressed(true);
    EXPECT_FALSE(b->Pressed());
}

TEST_F(SpeedButton, AllowAllUpIsSharedByTheGroup)
{
    TUCLSpeedButton* a = Add(3);
    TUCLSpeedButton* b = Add(3);
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    Click(b);
    EXPECT_TRUE(b->Pressed());
    Click(b);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(Clicks[b], 2);
}

TEST_F(SpeedButton, SetPressedWithoutGroupDoesNothing)
{
    TUCLSpeedButton* b = Add(0);
    b->SetPressed(true);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(b->State(), bsUp);
}

// Held for 1 s: a click at once, then at 500 ms and every 100 ms after.
TEST_F(SpeedButton, RepeatedClickWhileHeld)
{
    TUCLSpeedButton* b = Add();
    b->RepeatedClick = true;
    Press(b, {5, 5});
    EXPECT_EQ(Clicks[b], 1);
    ASSERT_NE(b->RepeatTimer(), nullptr);
    EXPECT_EQ(b->RepeatTimer()->Interval(), 500);
    b->RepeatTimer()->DoTimer();
    EXPECT_EQ(b->RepeatTimer()->Interval(), 100);
    for (int i = 0; i < 5; ++i)
        b->RepeatTimer()->DoTimer();
    EXPECT_EQ(Clicks[b], 7);
    Drag(b, {60, 60});
    b->RepeatTimer()->DoTimer();
    EXPECT_EQ(Clicks[b], 7) << "no repeat while the mouse is off the button";
    Drag(b, {5, 5});
    Release(b, {5, 5});
    EXPECT_EQ(Clicks[b], 7) << "the release adds no click";
    EXPECT_EQ(b->RepeatTimer(), nullptr);
}

TEST_F(SpeedButton, DropDownMenuOpensOnPressWithoutClick)
{
    TUCLSpeedButton* b = Add();
    QMenu menu;
    menu.addAction("Item");
    b->SetDropDownMenu(&menu);
    int dropDowns = 0;
    b->OnDropDown = [&](TPersistent*) { ++dropDowns; };
    QPoint shownAt;
    Byte stateWhileOpen = 0;
    SetPopupMenuHook([&](QMenu& Menu, QPoint At) {
        EXPECT_EQ(&Menu, &menu);
        shownAt = At;
        stateWhileOpen = b->State();
    });
    Click(b);
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(Clicks[b], 0);
    EXPECT_EQ(stateWhileOpen, bsDropped);
    EXPECT_EQ(b->State(), bsHot);
    EXPECT_EQ(shownAt, b->mapToGlobal(QPoint(0, b->height())));
    b->SetDropDownIndent(4);
    b->SetDropDownRight(true);
    Click(b);
    EXPECT_EQ(shownAt, b->mapToGlobal(QPoint(b->width(), 4)));
}

TEST_F(SpeedButton, SplitButtonOpensMenuOnlyFromArrowPart)
{
    TUCLSpeedButton* b = Add();
    QMenu menu;
    b->SetDropDownMenu(&menu);
    const int width = b->width();
    b->SetDropDownCombo(true);
    EXPECT_EQ(b->width(), width + 12);
    int shown = 0;
    SetPopupMenuHook([&](QMenu&, QPoint) { ++shown; });
    Click(b);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(Clicks[b], 1);
    Press(b, {b->width() - 3, 5});
    Release(b, {b->width() - 3, 5});
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Clicks[b], 1);
    b->SetDropDownComboWidth(16);
    EXPECT_EQ(b->width(), width + 16);
}

TEST_F(SpeedButton, HoverCheckCatchesMissedLeave)
{
    TUCLSpeedButton* b = Add();
    Hover(b, {5, 5});
    EXPECT_EQ(b->State(), bsHot);
    ASSERT_NE(b->HoverTimer(), nullptr);
    QCursor::setPos(b->mapToGlobal(QPoint(5, 5)));
    b->HoverTimer()->DoTimer();
    EXPECT_EQ(b->State(), bsHot);
    QCursor::setPos(b->mapToGlobal(QPoint(200, 200)));
    b->HoverTimer()->DoTimer();
    EXPECT_EQ(b->State(), bsUp);
    EXPECT_EQ(b->HoverTimer(), nullptr);
}

TEST_F(SpeedButton, EnterColorWhileHot)
{
    TUCLSpeedButton* b = Add();
    b->resize(60, 22);
    b->SetButtonStyle(ubsFlat);
    b->SetCaption("MMM");
    b->SetEnterColor(clRed);
    b->SetEnterColorChange(true);
    const auto redPixels = [&] {
        const QImage image = b->grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
        return n;
    };
    EXPECT_EQ(redPixels(), 0);
    Hover(b, {5, 5});
    EXPECT_GT(redPixels(), 0);
    QCursor::setPos(b->mapToGlobal(QPoint(200, 200)));
    b->HoverTimer()->DoTimer();
    EXPECT_EQ(redPixels(), 0);
}

TEST_F(SpeedButton, GlyphStripSetsNumGlyphs)
{
    TUCLSpeedButton* b = Add();
    QImage strip(64, 16, QImage::Format_RGB32);
    strip.fill(Qt::gray);
    b->SetGlyph(strip);
    EXPECT_EQ(b->NumGlyphs(), 4);
    EXPECT_EQ(b->GetGlyph().size(), QSize(64, 16));
}

TEST_F(SpeedButton, DoubleClickOnLatchedButton)
{
    TUCLSpeedButton* b = Add(1);
    int doubles = 0;
    b->OnDblClick = [&](TPersistent*) { ++doubles; };
    Click(b);
    SendMouse(b, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    Release(b, {5, 5});
    EXPECT_EQ(doubles, 1);
}

TEST_F(SpeedButton, AcceleratorClicks)
{
    TUCLSpeedButton* b = Add();
    b->SetCaption("&Go");
    QApplication::setActiveWindow(&Window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    QTest::keyClick(&Window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(Clicks[b], 1);
}

} // namespace
