#include "platform/Fonts.h"

#include <QFontInfo>
#include <gtest/gtest.h>

TEST(Fonts, WindowsFamiliesResolveToTheLiberationFamilies)
{
    RegisterFontSubstitutes();
    struct Case { const char* family; const char* expected; };
    const Case cases[] = {
        {"Arial", "Liberation Sans"},          {"MS Sans Serif", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},         {"Verdana", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QFontInfo(QFont(c.family, 10)).family(), c.expected) << c.family;
}
