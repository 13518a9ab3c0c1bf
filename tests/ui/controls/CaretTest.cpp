#include "ui/controls/UCLCaret.h"

#include "platform/Caret.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

class Caret : public ::testing::Test {
protected:
    void SetUp() override { SetCaretBlinkTime(400); }
    void TearDown() override { SetCaretBlinkTime(500); }
    QWidget Owner;
};

TEST_F(Caret, ShowingSetsBlinkRateAndHidingRestoresPrevious)
{
    TUCLCaret caret(&Owner);
    EXPECT_EQ(caret.BlinkRate, 400) << "the blink rate starts as the program's";
    caret.BlinkRate = 530;
    caret.ShowCaret();
    EXPECT_EQ(GetCaretBlinkTime(), 530);
    EXPECT_EQ(CaretOwner(), &Owner);
    EXPECT_TRUE(CaretVisible());
    caret.HideCaret();
    EXPECT_EQ(GetCaretBlinkTime(), 400);
    EXPECT_FALSE(CaretVisible());
    caret.ShowCaret();
    caret.DestroyCaret();
    EXPECT_EQ(GetCaretBlinkTime(), 400);
    EXPECT_EQ(CaretOwner(), nullptr);
}

TEST_F(Caret, DisabledCaretIsNotShown)
{
    TUCLCaret caret(&Owner);
    caret.Enabled = false;
    caret.ShowCaret();
    EXPECT_FALSE(caret.Shown());
    EXPECT_EQ(CaretOwner(), nullptr);
}

TEST_F(Caret, SizeFollowsStyle)
{
    TUCLCaret caret(&Owner);
    caret.SetSize(0, 7);
    caret.SetSize(1, 12);
    caret.SetSize(4, 15);
    struct {
        TUCLCaretStyles Style;
        QSize Size;
    } const cases[] = {
        {TUCLCaretStyles::csDefault, QSize(1, 15)},  {TUCLCaretStyles::csBlock, QSize(7, 12)},
        {TUCLCaretStyles::csUnder, QSize(7, 1)},     {TUCLCaretStyles::csOver, QSize(7, 1)},
        {TUCLCaretStyles::csUnderBlock, QSize(7, 12)},
    };
    for (const auto& c : cases) {
        caret.Style = c.Style;
        caret.CreateCaret();
        EXPECT_EQ(CaretRect().Width(), c.Size.width()) << int(c.Style);
        EXPECT_EQ(CaretRect().Height(), c.Size.height()) << int(c.Style);
    }
    caret.Style = TUCLCaretStyles::csBitmap;
    caret.Bitmap = QImage(5, 9, QImage::Format_RGB32);
    caret.CreateCaret();
    EXPECT_EQ(CaretRect(), (TRect{0, 0, 5, 9}));
    caret.CaretBmpMode = TUCLCaretBitmap::cbStretch;
    caret.CreateCaret();
    EXPECT_EQ(CaretRect(), (TRect{0, 0, 7, 12}));
}

TEST_F(Caret, MovesOnlyWhileOwnerHasFocus)
{
    TUCLCaret caret(&Owner);
    caret.ShowCaret();
    caret.SetCaretPos(5, 6);
    EXPECT_EQ(GetCaretPos(), (TPoint{0, 0}));
}

TEST_F(Caret, AnotherWindowCannotDestroyOrHideIt)
{
    QWidget other;
    TUCLCaret caret(&Owner);
    caret.ShowCaret();
    EXPECT_FALSE(DestroyCaret(&other));
    EXPECT_FALSE(HideCaret(&other));
    EXPECT_TRUE(CaretVisible());
}

TEST_F(Caret, AssignCopiesRateSizeAndStyle)
{
    TUCLCaret a(&Owner), b(&Owner);
    a.BlinkRate = 123;
    a.SetSize(0, 4);
    a.SetSize(1, 5);
    a.Style = TUCLCaretStyles::csBlock;
    b.Assign(a);
    EXPECT_EQ(b.BlinkRate, 123);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_EQ(b.Style, TUCLCaretStyles::csBlock);
}

} // namespace
