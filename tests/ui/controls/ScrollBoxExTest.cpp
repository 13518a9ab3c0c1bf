#include "ui/controls/ScrollBoxEx.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A box of 100 x 100 over content of 300 x 1000.
struct TBox {
    TScrollBoxEx Box;
    QWidget* Child;
    struct TScroll {
        Word Code;
        bool Horz;
        int Position;   // the bar's value when the owner was told
    };
    std::vector<TScroll> Scrolls;

    TBox()
    {
        Box.resize(100, 100);
        Child = new QWidget(Box.Content());
        Child->setGeometry(0, 0, 300, 1000);
        Box.UpdateRange();
        Box.show();
        Box.OnScroll = [this](TScrollBoxEx* sender, Word code, bool horz) {
            EXPECT_EQ(sender, &Box);
            QScrollBar* bar = horz ? Box.horizontalScrollBar() : Box.verticalScrollBar();
            Scrolls.push_back({code, horz, bar->value()});
        };
    }
};

TEST(ScrollBoxEx, RangeFollowsTheVisibleChildren)
{
    TBox b;
    EXPECT_EQ(b.Box.VertRange(), 1000);
    auto* lower = new QWidget(b.Box.Content());
    lower->setGeometry(10, 1200, 20, 30);
    lower->show();
    b.Box.UpdateRange();
    EXPECT_EQ(b.Box.VertRange(), 1230);
    lower->hide();
    b.Box.UpdateRange();
    EXPECT_EQ(b.Box.VertRange(), 1000);
}

TEST(ScrollBoxEx, ReportsEachScrollStepAfterTheContentMoved)
{
    TBox b;
    QScrollBar* v = b.Box.verticalScrollBar();
    v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    v->triggerAction(QAbstractSlider::SliderToMaximum);
    b.Box.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    v->triggerAction(QAbstractSlider::SliderToMinimum);
    ASSERT_EQ(b.Scrolls.size(), 5u);
    EXPECT_EQ(b.Scrolls[0].Code, SB_LINEDOWN);
    EXPECT_GT(b.Scrolls[0].Position, 0);
    EXPECT_EQ(b.Scrolls[1].Code, SB_PAGEDOWN);
    EXPECT_GT(b.Scrolls[1].Position, b.Scrolls[0].Position);
    EXPECT_EQ(b.Scrolls[2].Code, SB_BOTTOM);
    EXPECT_EQ(b.Scrolls[2].Position, v->maximum());
    EXPECT_EQ(b.Scrolls[3].Code, SB_LINEDOWN);
    EXPECT_TRUE(b.Scrolls[3].Horz);
    EXPECT_EQ(b.Scrolls[4].Code, SB_TOP);
    EXPECT_EQ(b.Scrolls[4].Position, 0);
    EXPECT_FALSE(b.Scrolls[4].Horz);
}

TEST(ScrollBoxEx, ThumbDraggingMovesTheContentOnlyWithSmoothScrolling)
{
    for (bool smooth : {true, false}) {
        TBox b;
        b.Box.SetSmoothScrolling(smooth);
        QScrollBar* v = b.Box.verticalScrollBar();
        v->setSliderDown(true);
        v->setSliderPosition(500);   // the thumb dragged
        ASSERT_FALSE(b.Scrolls.empty());
        EXPECT_EQ(b.Scrolls.back().Code, SB_THUMBTRACK);
        EXPECT_EQ(b.Scrolls.back().Position, smooth ? 500 : 0) << smooth;
        EXPECT_EQ(-b.Box.Content()->y(), smooth ? 500 : 0) << smooth;
        v->setSliderDown(false);     // let go
        EXPECT_EQ(v->value(), 500);
    }
}

TEST(ScrollBoxEx, SpecialKeysReachTheKeyEventsOnlyWhenWanted)
{
    TBox b;
    std::vector<Word> down;
    std::vector<char> chars;
    b.Box.OnKeyDown = [&](TScrollBoxEx*, Word& key, Byte) { down.push_back(key); };
    b.Box.OnKeyPress = [&](TScrollBoxEx*, char& key) { chars.push_back(key); };
    std::vector<Word> asked;
    bool want = false;
    b.Box.OnWantSpecialKey = [&](TScrollBoxEx*, Word code, bool& wanted) {
        EXPECT_FALSE(wanted);
        asked.push_back(code);
        wanted = want;
    };

    QTest::keyClick(&b.Box, Qt::Key_Down);
    QTest::keyClick(&b.Box, Qt::Key_A);
    EXPECT_EQ(asked, std::vector<Word>{0x28});
    EXPECT_EQ(down, std::vector<Word>{'A'});
    EXPECT_EQ(chars, std::vector<char>{'a'});
    EXPECT_EQ(b.Box.verticalScrollBar()->value(), 0);   // an unwanted arrow does not scroll

    want = true;
    QTest::keyClick(&b.Box, Qt::Key_Down);
    EXPECT_EQ(down, (std::vector<Word>{'A', 0x28}));
}

}   // namespace
