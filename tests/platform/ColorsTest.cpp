#include "platform/Colors.h"

#include <gtest/gtest.h>

TEST(Colors, ConvertToQtColours)
{
    struct Case { TColor color; QColor expected; };
    const Case cases[] = {
        {clBlack, QColor(0, 0, 0)},        {clRed, QColor(255, 0, 0)},
        {clLime, QColor(0, 255, 0)},       {clBlue, QColor(0, 0, 255)},
        {clYellow, QColor(255, 255, 0)},   {clAqua, QColor(0, 255, 255)},
        {clFuchsia, QColor(255, 0, 255)},  {clMaroon, QColor(128, 0, 0)},
        {clNavy, QColor(0, 0, 128)},       {clOlive, QColor(128, 128, 0)},
        {clTeal, QColor(0, 128, 128)},     {clSilver, QColor(192, 192, 192)},
        {0x123456, QColor(0x56, 0x34, 0x12)},
        {clBtnFace, QColor(0xEC, 0xE9, 0xD8)},
        {clWindow, QColor(255, 255, 255)}, {clWindowText, QColor(0, 0, 0)},
        {clInfoBk, QColor(255, 255, 225)},
        {SystemColor(99), QColor(0, 0, 0)},          // no such system colour
        {0x02FF0000, QColor(0, 0, 255)},             // palette-relative RGB
        {clNone, QColor(Qt::transparent)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToQColor(c.color), c.expected) << std::hex << c.color;
}

TEST(Colors, SystemColoursAreNegativeAndResolveToThePalette)
{
    EXPECT_EQ(clBtnFace, TColor(0x8000000F));
    EXPECT_LT(clBtnFace, 0);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xD8E9EC);
    EXPECT_EQ(ColorToRGB(clHighlight), 0xC56A31);
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
}

TEST(Colors, PlainColoursRoundTrip)
{
    for (TColor c : {clBlack, clWhite, clRed, clBlue, clMoneyGreen, clSkyBlue, TColor(0x0A0B0C)})
        EXPECT_EQ(QColorToColor(ColorToQColor(c)), c) << std::hex << c;
    EXPECT_EQ(QColorToColor(QColor(Qt::transparent)), clNone);
    EXPECT_EQ(QColorToColor(QColor(255, 0, 0, 128)), clRed);
}
