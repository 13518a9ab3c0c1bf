#include "ui/controls/UCLSpinButton.h"

#include "MouseHelpers.h"
#include "platform/Colors.h"

#include <gtest/gtest.h>

namespace {

class SpinButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        Btn.SetButtons(sbUp | sbDown);
        Btn.OnUpClick = [this](TPersistent* Sender) {
            EXPECT_EQ(Sender, &Btn);
            ++Ups;
        };
        Btn.OnDownClick = [this](TPersistent*) { ++Downs; };
        Btn.show();
    }
    void Tick() { Btn.RepeatTimer()->DoTimer(); }
    TUCLSpinButton Btn;
    int Ups = 0;
    int Downs = 0;
};

TEST_F(SpinButton, DiagonalSplitGivesEachPointToOneTriangle)
{
    struct {
        QPoint P;
        bool Up;
    } const cases[] = {{{0, 0}, true},   {{5, 13}, true},  {{13, 5}, true},  {{9, 9}, true},
                       {{19, 19}, false}, {{13, 8}, false}, {{8, 13}, false}, {{11, 10}, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(Btn.ButtonRegion(sbUp).contains(c.P), c.Up) << c.P.x() << "," << c.P.y();
        EXPECT_EQ(Btn.ButtonRegion(sbDown).contains(c.P), !c.Up) << c.P.x() << "," << c.P.y();
    }
}

TEST_F(SpinButton, StackedButtonsAreUpperAndLowerHalves)
{
    Btn.SetDiagonal(false);
    Btn.resize(20, 21);
    EXPECT_TRUE(Btn.IsStacked());
    EXPECT_EQ(Btn.ButtonRegion(sbUp).boundingRect(), QRect(0, 0, 20, 10));
    EXPECT_EQ(Btn.ButtonRegion(sbDown).boundingRect(), QRect(0, 10, 20, 11));
    Btn.SetButtons(sbUp | sbLeft);
    EXPECT_TRUE(Btn.ButtonRegion(sbUp).isEmpty()) << "other combinations have no areas";
}

TEST_F(SpinButton, ClickReleasedBeforeRepeatActsOnce)
{
    Press(&Btn, {3, 3});
    EXPECT_EQ(Ups, 1);
    EXPECT_EQ(Btn.ButtonState(sbUp), sbsPressed);
    ASSERT_NE(Btn.RepeatTimer(), nullptr);
    EXPECT_EQ(Btn.RepeatTimer()->Interval(), 300);
    Release(&Btn, {3, 3});
    EXPECT_EQ(Btn.ButtonState(sbUp), sbsHot);
    Tick();
    EXPECT_EQ(Ups, 1);
    EXPECT_EQ(Downs, 0);
}

TEST_F(SpinButton, HeldButtonRepeatsAndFollowsTheMouse)
{
    Press(&Btn, {3, 3});
    Tick();
    EXPECT_EQ(Btn.RepeatTimer()->Interval(), 100) << "after the first repeat the plain interval";
    Tick();
    EXPECT_EQ(Ups, 3);
    Drag(&Btn, {17, 17});
    EXPECT_EQ(Btn.ButtonState(sbUp), sbsNormal);
    EXPECT_EQ(Btn.ButtonState(sbDown), sbsPressed);
    EXPECT_EQ(Downs, 0) << "moving onto a button does not click it";
    Tick();
    EXPECT_EQ(Ups, 3);
    EXPECT_EQ(Downs, 1);
    Drag(&Btn, {40, 40});
    Tick();
    EXPECT_EQ(Downs, 1) << "dragged off, nothing repeats";
    Release(&Btn, {40, 40});
    Press(&Btn, {17, 17});
    EXPECT_EQ(Downs, 2);
    EXPECT_EQ(Btn.RepeatTimer()->Interval(), 300) << "a new press waits longer again";
}

TEST_F(SpinButton, PressOnOneButtonDoesNotClickTheOneThatLosesHot)
{
    Hover(&Btn, {17, 17});
    EXPECT_EQ(Btn.ButtonState(sbDown), sbsHot);
    Press(&Btn, {3, 3});
    EXPECT_EQ(Ups, 1);
    EXPECT_EQ(Downs, 0);
}

TEST_F(SpinButton, DisabledShowsDisabledAndIgnoresPresses)
{
    Btn.setEnabled(false);
    EXPECT_EQ(Btn.ButtonState(sbUp), sbsDisabled);
    EXPECT_EQ(Btn.ButtonState(sbDown), sbsDisabled);
    Press(&Btn, {3, 3});
    EXPECT_EQ(Ups, 0);
    Btn.setEnabled(true);
    EXPECT_EQ(Btn.ButtonState(sbUp), sbsNormal);
}

TEST_F(SpinButton, ResetHoverReturnsButtonsToNormal)
{
    Hover(&Btn, {3, 3});
    EXPECT_EQ(Btn.ButtonState(sbUp), sbsHot);
    Btn.ResetHover();
    EXPECT_EQ(Btn.ButtonState(sbUp), sbsNormal);
}

TEST_F(SpinButton, HandlerFailureStopsRepeating)
{
    Press(&Btn, {3, 3});
    Btn.OnUpClick = [](TPersistent*) { throw std::runtime_error("boom"); };
    EXPECT_THROW(Tick(), std::runtime_error);
    EXPECT_EQ(Btn.RepeatTimer(), nullptr);
    QCoreApplication::processEvents();   // the stopped timer is freed after its tick
    Btn.OnUpClick = [this](TPersistent*) { ++Ups; };
    Release(&Btn, {3, 3});
    Press(&Btn, {3, 3});
    EXPECT_EQ(Ups, 2);
    EXPECT_NE(Btn.RepeatTimer(), nullptr);
}

// A left button of the arrow style: a filled triangle 3 deep and 5 high, in
// 0x808080 when disabled, with its tip where the face's centre formula puts it.
TEST(SpinButtonFace, DisabledLeftArrowIsGreyTriangle)
{
    TUCLSpinButton btn;
    btn.Style = ssArrow;
    btn.SetButtons(sbLeft);
    btn.SetColor(clWhite);
    btn.setEnabled(false);
    btn.resize(20, 20);
    const QImage face = btn.grab().toImage();
    const QRgb grey = qRgb(0x80, 0x80, 0x80);
    // r = (1, 1, 19, 18) inside the single raised frame: tip at (8, 9).
    const QPoint inside[] = {{8, 9}, {9, 8}, {9, 10}, {10, 7}, {10, 11}, {10, 9}};
    for (QPoint p : inside)
        EXPECT_EQ(face.pixel(p) & 0xFFFFFF, grey & 0xFFFFFF) << p.x() << "," << p.y();
    const QPoint outside[] = {{7, 9}, {11, 9}, {8, 8}, {9, 7}, {10, 6}, {10, 12}};
    for (QPoint p : outside)
        EXPECT_EQ(face.pixel(p) & 0xFFFFFF, 0xFFFFFFu) << p.x() << "," << p.y();
}

} // namespace
