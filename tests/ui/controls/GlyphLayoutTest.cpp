#include "ui/controls/UCLButtonBase.h"
#include "ui/controls/UCLButtonLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(GlyphLayout, AlignRectInPlacesByRowAndColumn)
{
    const TRect area{10, 20, 31, 41};   // 21 x 21
    const TRect size{0, 0, 6, 4};
    struct {
        TUCLAlignment Alignment;
        TRect Expected;
    } const cases[] = {
        {agTopLeft, {10, 20, 16, 24}},     {agTopCenter, {17, 20, 23, 24}},  {agTopRight, {25, 20, 31, 24}},
        {agCenterLeft, {10, 28, 16, 32}},  {agCenter, {17, 28, 23, 32}},     {agCenterRight, {25, 28, 31, 32}},
        {agBottomLeft, {10, 37, 16, 41}},  {agBottomCenter, {17, 37, 23, 41}}, {agBottomRight, {25, 37, 31, 41}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AlignRectIn(c.Alignment, size, area), c.Expected) << int(c.Alignment);
    // A size larger than the area: the half difference rounds toward zero.
    EXPECT_EQ(AlignRectIn(agCenter, TRect{0, 0, 5, 5}, TRect{0, 0, 2, 2}), (TRect{-1, -1, 4, 4}));
}

TEST(GlyphLayout, SettersNotifyOnlyOnChangeAndAssignOnce)
{
    TUCLButtonLayout a, b;
    int changes = 0;
    b.OnChange = [&](TPersistent*) { ++changes; };
    b.SetSpacing(2);
    b.SetArrowSize(1);
    b.SetArrowSize(11);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(b.ArrowSize(), 3);
    EXPECT_EQ(b.Alignment(), agCenter);

    a.SetAlignText2Glyph(taBottom);
    a.SetOffset(1, 4);
    a.SetArrow(true);
    a.SetArrowPosition(apLeftGlyph);
    a.SetArrowSize(5);
    b.Assign(a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.AlignText2Glyph(), taBottom);
    EXPECT_EQ(b.OffsetY(), 4);
    EXPECT_TRUE(b.Arrow());
    EXPECT_EQ(b.ArrowPosition(), apLeftGlyph);
    EXPECT_EQ(b.ArrowSize(), 5);
}

TEST(ButtonStyles, StoredNamesIncludingRetiredXPStyles)
{
    struct {
        const char* Name;
        bool Known;
        TUCLUserButtonStyle Style;
        bool XP;
    } const cases[] = {
        {"ubsWinXP", true, ubsWin40, true},       {"ubsWinXPCombo", true, ubsCombo, true},
        {"ubsWinXPTool", true, ubsExplorer, true}, {"ubsFlat", true, ubsFlat, false},
        {"UBSOFFICETRANSP", true, ubsOfficeTransp, false}, {"ubsNoSuch", false, ubsIntegrated, false},
    };
    for (const auto& c : cases) {
        TUCLUserButtonStyle style = ubsIntegrated;
        bool xp = false;
        EXPECT_EQ(ReadButtonStyle(c.Name, style, xp), c.Known) << c.Name;
        EXPECT_EQ(style, c.Style) << c.Name;
        EXPECT_EQ(xp, c.XP) << c.Name;
    }
}

TEST(ButtonStyles, GroupAndBorderValue)
{
    const int values[] = {3, 2, 2, 2, 1, 1, 2, 1, 1, 2, 1, 1, 1, 2};
    const bool groupA[] = {false, false, true, true, true, false, true, true, true, false, false, true, true, false};
    for (int s = 0; s <= ubsWin40Ext; ++s) {
        EXPECT_EQ(ButtonStyleValue(Byte(s)), values[s]) << s;
        EXPECT_EQ(ButtonStyleValue(Byte(s | 0x80)), values[s]) << s;
        EXPECT_EQ(ButtonStyleIsGroupA(TUCLUserButtonStyle(s)), groupA[s]) << s;
    }
}

} // namespace
