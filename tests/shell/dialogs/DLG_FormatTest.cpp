#include "shell/dialogs/DLG_Format.h"

#include <gtest/gtest.h>

namespace {

using O = TFormatOption;

struct TExampleCase {
    const char* Name;
    TFormatExampleInput Input;
    const char* Min;
    const char* Max;
};

TEST(FormatExamples, ShowTheSmallestAndLargestValue)
{
    const TExampleCase cases[] = {
        {"float 4", {{O::Float}, 4, 2, 4}, "0,001", "9999"},
        {"expo 4", {{O::Expo}, 4, 2, 4}, "0,001E-99", "9,999E+99"},
        {"expo 2", {{O::Expo}, 4, 2, 2}, "0,1E-99", "9,9E+99"},
        {"fixed 4.2", {{O::Fixed}, 4, 2, 4}, "0000,01", "9999,99"},
        {"fixed 4.2 no zeros", {{O::Fixed, O::NoZero}, 4, 2, 4}, "0,01", "9999,99"},
        {"fixed 3.0", {{O::Fixed}, 3, 0, 4}, "000", "999"},
        {"fixed 3.0 no zeros", {{O::Fixed, O::NoZero}, 3, 0, 4}, "0", "999"},
        {"hex 4", {{O::Hexadecimal}, 4, 2, 4}, "0000", "FFFF"},
        {"binary 3", {{O::Binary}, 4, 2, 3}, "000", "111"},
        {"unformatted", {{O::Unformatted}, 4, 2, 4, false, "T=", "!"}, "T=\"String\"!", "T=\"String\"!"},
        {"frame", {{O::Float}, 4, 2, 3, false, "U=", " V"}, "U=0,01 V", "U=999 V"},
        {"plus sign", {{O::Fixed}, 2, 1, 4, true, "U=", "V"}, "U=-00,1V", "U=+99,9V"},
        {"plus sign float", {{O::Float}, 2, 1, 2, true}, "-0,1", "+99"},
        {"plus sign expo", {{O::Expo}, 2, 1, 2, true}, "-0,1E-99", "+9,9E+99"},
        {"no plus sign for hex", {{O::Hexadecimal}, 4, 2, 2, true}, "00", "FF"},
        {"no plus sign for unformatted", {{O::Unformatted}, 4, 2, 2, true}, "\"String\"", "\"String\""},
        {"prefix of 10: no sign", {{O::Float}, 4, 2, 2, true, "0123456789"}, "01234567890,1", "012345678999"},
        {"prefix of 9: sign", {{O::Float}, 4, 2, 2, true, "012345678"}, "012345678-0,1", "012345678+99"},
        {"long prefix cut", {{O::Hexadecimal}, 4, 2, 1, false, "ABCDEFGHIJKL"}, "ABCDEFGHIJ0", "ABCDEFGHIJF"},
        {"no kind", {{}, 4, 2, 4, true, "P", "S"}, "PS", "PS"},
    };
    for (const auto& c : cases) {
        const TFormatExamples ex = BuildFormatExamples(c.Input);
        EXPECT_EQ(ex.Min, c.Min) << c.Name;
        EXPECT_EQ(ex.Max, c.Max) << c.Name;
    }
}

}   // namespace
