#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, FakeClockDrivesCounterTickCountAndWallClock)
{
    TFakeClock fake(5'000'000'123, 45000.0);
    TScopedClock installed(fake);
    EXPECT_EQ(QueryPerformanceFrequency(), 1'000'000'000);
    EXPECT_EQ(QueryPerformanceCounter(), 5'000'000'123);
    EXPECT_EQ(GetTickCount(), 5000u);
    fake.AdvanceMs(6 * 3600 * 1000);   // six hours
    EXPECT_EQ(QueryPerformanceCounter(), 5'000'000'123 + 21'600'000'000'000);
    EXPECT_DOUBLE_EQ(Now(), 45000.25);
    fake.SetNow(36526.5);
    EXPECT_DOUBLE_EQ(Now(), 36526.5);
    EXPECT_EQ(GetTickCount(), 21'605'000u);   // setting the wall clock leaves the counter
}

TEST(Clock, TickCountWrapsAfter32Bits)
{
    TFakeClock fake;
    TScopedClock installed(fake);
    fake.SetTickCount(0xFFFFFFFFu - 9);
    const Cardinal start = GetTickCount();
    fake.AdvanceMs(25);
    EXPECT_EQ(GetTickCount(), 15u);
    EXPECT_EQ(Cardinal(GetTickCount() - start), 25u);
    fake.AdvanceMs(Int64(1) << 32);   // a whole turn later the count is the same
    EXPECT_EQ(GetTickCount(), 15u);
    EXPECT_EQ(QueryPerformanceCounter(), ((Int64(1) << 32) - 10 + 25 + (Int64(1) << 32)) * 1'000'000);
}

TEST(Clock, ScopedClocksNestAndRestore)
{
    TFakeClock outer(1'000'000);
    TFakeClock inner(2'000'000);
    {
        TScopedClock a(outer);
        {
            TScopedClock b(inner);
            EXPECT_EQ(GetTickCount(), 2u);
        }
        EXPECT_EQ(GetTickCount(), 1u);
    }
    // The system clock again: its tick count is its counter in milliseconds.
    const Int64 before = QueryPerformanceCounter();
    const Cardinal ticks = GetTickCount();
    const Int64 after = QueryPerformanceCounter();
    EXPECT_LE(before, after);
    EXPECT_LE(Cardinal(ticks - Cardinal(before / 1'000'000)), Cardinal(after / 1'000'000 - before / 1'000'000));
}

TEST(Clock, DateTimeMatchesTheCalendar)
{
    struct Case { TDateTime value; QDateTime expected; };
    const Case cases[] = {
        {0.0, QDateTime(QDate(1899, 12, 30), QTime(0, 0))},
        {1.5, QDateTime(QDate(1899, 12, 31), QTime(12, 0))},
        {25569.0, QDateTime(QDate(1970, 1, 1), QTime(0, 0))},
        {36526.75, QDateTime(QDate(2000, 1, 1), QTime(18, 0))},
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0))},
        {45000.0 + (3600.0 + 2 * 60 + 5.5) / 86400.0, QDateTime(QDate(2023, 3, 15), QTime(1, 2, 5, 500))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateTimeToQDateTime(c.value), c.expected) << c.value;
        EXPECT_NEAR(QDateTimeToDateTime(c.expected), c.value, 1e-9) << c.value;
    }
    // A time that rounds to the next midnight is that midnight.
    EXPECT_EQ(DateTimeToQDateTime(1.0 - 1e-10), QDateTime(QDate(1899, 12, 31), QTime(0, 0)));
}

TEST(Clock, SystemWallClockIsLocalTime)
{
    const QDateTime before = QDateTime::currentDateTime();
    const TDateTime now = Now();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_GE(now, QDateTimeToDateTime(before) - 1e-8);
    EXPECT_LE(now, QDateTimeToDateTime(after) + 1e-8);
}
