// String, path and geometry procedures of the control library.
#include "ui/controls/UCLProcs.h"

#include <gtest/gtest.h>

TEST(Procs, ShortenPathDropsFoldersFromTheFront)
{
    struct Case {
        AnsiString path;
        int max;
        AnsiString expected;
    };
    const Case cases[] = {
        {"C:\\Programme\\Daten\\Projekte\\test.prj", 36, "C:\\Programme\\Daten\\Projekte\\test.prj"},
        {"C:\\Programme\\Daten\\Projekte\\test.prj", 30, "C:\\...\\Daten\\Projekte\\test.prj"},
        {"C:\\Programme\\Daten\\Projekte\\test.prj", 25, "C:\\...\\Projekte\\test.prj"},
        {"C:\\Programme\\Daten\\Projekte\\test.prj", 15, "C:\\...\\test.prj"},
        {"C:\\Programme\\Daten\\Projekte\\test.prj", 14, "...\\test.prj"},
        {"C:\\Programme\\Daten\\Projekte\\test.prj", 5, "test.prj"},
        {"C:test.prj", 5, "test.prj"},
        {"/home/anna/projekte/zentrika/lauflicht.prj", 30, "/.../zentrika/lauflicht.prj"},
        {"/home/anna/lauflicht.prj", 10, "lauflicht.prj"},
        {"lauflicht.prj", 3, "lauflicht.prj"},
        {"", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenPath(c.path, c.max), c.expected) << c.path << " " << c.max;
}

TEST(Procs, ShortenFolderPartSteps)
{
    struct Case {
        AnsiString part;
        AnsiString expected;
    };
    const Case cases[] = {
        {"\\", ""},
        {"\\Programme\\Daten\\", "\\...\\Daten\\"},
        {"\\...\\Daten\\", "\\...\\"},
        {"Programme\\Daten\\", "...\\Daten\\"},
        {"...\\", ""},
        {"Daten", ""},
        {"/usr/lib/", "/.../lib/"},
    };
    for (const Case& c : cases) {
        AnsiString part = c.part;
        ShortenFolderPart(part);
        EXPECT_EQ(part, c.expected) << c.part;
    }
}

TEST(Procs, StringRoutines)
{
    using List = std::vector<AnsiString>;
    EXPECT_EQ(SplitToStrings("a;;b;", ';'), (List{"a", "", "b"}));
    EXPECT_EQ(SplitToStrings(";a", ';'), (List{"", "a"}));
    EXPECT_EQ(SplitToStrings("", ';'), List{});
    EXPECT_EQ(SplitToStrings("abc", ';'), List{"abc"});

    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank(" x "));

    EXPECT_EQ(TextBefore("key=value", '='), "key");
    EXPECT_EQ(TextBefore("novalue", '='), "novalue");
    EXPECT_EQ(TextAfter("key=value", '='), "value");
    EXPECT_EQ(TextAfter("novalue", '='), "novalue");
    EXPECT_EQ(TextAfter("k=" + AnsiString(300, 'x'), '=').size(), 255u);

    struct Case {
        AnsiString in, added, removed;
    };
    const Case cases[] = {
        {"/tmp", "/tmp/", "/tmp"},
        {"/tmp/", "/tmp/", "/tmp"},
        {"C:\\Temp\\", "C:\\Temp\\", "C:\\Temp"},
        {"", "/", ""},
        {"  ", "  /", "  "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AddTrailingBackslash(c.in), c.added) << c.in;
        EXPECT_EQ(RemoveTrailingBackslash(c.in), c.removed) << c.in;
    }
    EXPECT_EQ(PathPrefixFolder(ppFixed, true), "");
    EXPECT_EQ(PathPrefixFolder(ppSystem, true), "/usr/lib/");
    EXPECT_EQ(PathPrefixFolder(ppWindows, false), "");
}

TEST(Procs, PlacePositionKeepsTheWindowOnTheDesktop)
{
    const TRect screen = Rect(0, 0, 1024, 768);
    struct Case {
        TUCLDlgPosition position;
        TRect area;
        TPoint expected;
    };
    const Case cases[] = {
        {bpBottomRight, screen, Point(724, 568)},
        {bpTopLeft, screen, Point(0, 0)},
        {bpCustom, Rect(10, 20, 500, 500), Point(10, 20)},
        {bpCenter, screen, Point(362, 284)},
        {bpTopCenter, screen, Point(362, 0)},
        {bpCenterRight, screen, Point(724, 284)},
        {bpBottomLeft, Rect(100, 100, 1200, 900), Point(100, 568)},   // pulled up onto the desktop
        {bpBottomRight, Rect(900, 700, 1300, 1000), Point(724, 568)},
        {bpTopLeft, Rect(-50, -40, 200, 200), Point(0, 0)},           // negative becomes 0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlacePosition(300, 200, c.area, c.position, screen), c.expected)
            << c.position << " " << c.area.Left;
    }
}

TEST(Procs, Geometry)
{
    EXPECT_EQ(FitRectProportional(Rect(0, 0, 40, 20), Rect(5, 5, 25, 105)), Rect(5, 5, 25, 15));
    EXPECT_EQ(FitRectProportional(Rect(0, 0, 16, 16), Rect(0, 0, 50, 30)), Rect(0, 0, 30, 30));
    EXPECT_TRUE(RectInRect(Rect(1, 1, 5, 5), Rect(0, 0, 10, 10)));
    EXPECT_FALSE(RectInRect(Rect(1, 1, 10, 5), Rect(0, 0, 10, 10)));   // right edge is outside
}
