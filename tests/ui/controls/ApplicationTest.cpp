// The library's application object, its 50 ms timer pool and TUCLTimer. The
// pool's firing rules are driven tick by tick; only the exception path runs on
// the real base timer.
#include "ui/controls/UCLApplication.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<int> FiringTicks(TUCLTimerPool& pool, TUCLTimerItem& item, int ticks)
{
    std::vector<int> fired;
    item.OnTimer = [&](TPersistent* sender) {
        EXPECT_EQ(sender, &pool);
        fired.push_back(pool.TickCounter());
    };
    for (int i = 0; i < ticks; ++i)
        pool.Tick();
    item.OnTimer = nullptr;
    return fired;
}

}   // namespace

TEST(TimerPool, ItemsShareTheCounterRestartedAtOneByEachAddition)
{
    TUCLTimerPool pool(nullptr, 50);
    pool.AddItem(1, 500, nullptr);
    pool.AddItem(2, 100, nullptr);
    EXPECT_TRUE(pool.Active());
    EXPECT_EQ(pool.TickCounter(), 1);
    std::vector<std::pair<Word, int>> fired;
    pool.OnTimer = [&](TPersistent*, Word ident, Integer) { fired.emplace_back(ident, pool.TickCounter()); };
    for (int i = 0; i < 20; ++i)
        pool.Tick();
    const std::vector<std::pair<Word, int>> expected = {
        {2, 2}, {2, 4}, {2, 6}, {2, 8}, {1, 10}, {2, 10}, {2, 12}, {2, 14}, {2, 16}, {2, 18}, {1, 20}, {2, 20}};
    EXPECT_EQ(fired, expected);
}

TEST(TimerPool, CallCountDisablesAndReEnablingAllowsAsManyAgain)
{
    TUCLTimerPool pool(nullptr, 50);
    pool.AddItem(7, 50, nullptr);
    TUCLTimerItem& item = *pool.FindItem(7);
    item.CallCount = 3;
    EXPECT_EQ(FiringTicks(pool, item, 6).size(), 3u);
    EXPECT_FALSE(item.Enabled());
    item.SetEnabled(true);
    EXPECT_EQ(item.Counter, 0);
    EXPECT_EQ(FiringTicks(pool, item, 6).size(), 3u);

    item.CallCount = 0;   // an item that may never fire cannot be enabled
    item.SetEnabled(true);
    EXPECT_FALSE(item.Enabled());
}

TEST(TimerPool, RefusesDuplicatesIncompatibleIntervalsAndOrphanItems)
{
    TUCLTimerPool pool(nullptr, 50);
    pool.AddItem(1, 100, nullptr);
    EXPECT_THROW(pool.AddItem(1, 100, nullptr), std::runtime_error);
    for (Word interval : {0, 30, 120}) {
        try {
            pool.AddItem(2, interval, nullptr);
            ADD_FAILURE() << interval;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), SIntervalNotCompatible);
        }
    }
    try {
        TUCLTimerItem orphan(nullptr, 3);
        ADD_FAILURE();
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "TUCLTimerItem: Invalid Owner or List");
    }

    // Only multiples of the base are taken; 0 is not a change to a valid value.
    TUCLTimerItem& item = *pool.FindItem(1);
    item.SetInterval(120);
    EXPECT_EQ(item.Interval(), 100);
    item.SetInterval(250);
    EXPECT_EQ(item.Steps(), 5);

    pool.RemoveItem(1);
    EXPECT_EQ(pool.Count(), 0);
    EXPECT_FALSE(pool.Active());
    pool.RemoveItem(1);   // absent: nothing
}

TEST(UCLTimer, PooledIntervalsRoundUpToTheBaseAndLaterChangesMustFit)
{
    struct Case {
        Word interval;
        Word itemInterval;
    };
    for (const Case c : {Case{120, 150}, Case{100, 100}, Case{1, 50}}) {
        TUCLTimer timer(c.interval, nullptr, true, true);
        ASSERT_NE(timer.Ident(), 0);
        EXPECT_EQ(LibraryApplication().FindTimer(timer.Ident())->Interval(), c.itemInterval) << c.interval;
    }

    try {
        TUCLTimer zero(0, nullptr, true, true);
        ADD_FAILURE();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), SIntervalNotCompatible);
    }

    TUCLTimer timer(100, nullptr, false, true);
    TUCLTimerItem* item = LibraryApplication().FindTimer(timer.Ident());
    EXPECT_FALSE(item->Enabled());
    timer.SetInterval(120);   // forwarded unrounded: the item keeps 100
    EXPECT_EQ(item->Interval(), 100);
    timer.SetInterval(150);
    EXPECT_EQ(item->Interval(), 150);
    timer.SetEnabled(true);
    EXPECT_TRUE(item->Enabled());

    const Word ident = timer.Ident();
    timer.Release();
    EXPECT_EQ(timer.Ident(), 0);
    EXPECT_EQ(LibraryApplication().FindTimer(ident), nullptr);
}

TEST(UCLTimer, TheTwoHundredFiftyFirstPooledTimerFails)
{
    std::vector<std::unique_ptr<TUCLTimer>> timers;
    try {
        for (int i = 0; i <= PoolTimerSlots; ++i)
            timers.push_back(std::make_unique<TUCLTimer>(50, nullptr, false, true));
        ADD_FAILURE() << "no failure";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Nicht gen\xFCgend Timer verf\xFCgbar");
    }
    EXPECT_EQ(timers.size(), static_cast<std::size_t>(PoolTimerSlots));
    EXPECT_EQ(timers.front()->Ident(), PoolTimerBase + 1);
    EXPECT_EQ(timers.back()->Ident(), PoolTimerBase + PoolTimerSlots);

    timers.erase(timers.begin() + 10);   // a freed slot is taken again
    timers.push_back(std::make_unique<TUCLTimer>(50, nullptr, false, true));
    EXPECT_EQ(timers.back()->Ident(), PoolTimerBase + 11);
}

TEST(UCLTimer, HandlersRunOnTheirTimersAndExceptionsAreReported)
{
    std::vector<std::pair<TPersistent*, AnsiString>> reports;
    SetApplicationExceptionHandler([&](TPersistent* sender, std::exception_ptr e) {
        reports.emplace_back(sender, ExceptionMessage(e));
    });
    int pooledCalls = 0, ownCalls = 0;
    TUCLTimer pooled(50, nullptr, true, true);
    pooled.OnTimer = [&](TPersistent* sender) {
        EXPECT_EQ(sender, &pooled);
        if (++pooledCalls == 1)
            throw std::runtime_error("blink failed");
    };
    TUCLTimer own(10, nullptr, true, false);
    own.OnTimer = [&](TPersistent* sender) {
        EXPECT_EQ(sender, &own);
        if (++ownCalls == 1)
            throw std::runtime_error("repeat failed");
    };
    QDeadlineTimer deadline(20000);
    while ((pooledCalls < 3 || ownCalls < 3) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    SetApplicationExceptionHandler(nullptr);
    EXPECT_GE(pooledCalls, 3);
    EXPECT_GE(ownCalls, 3);
    // The pool reports for its items, an own timer for itself.
    ASSERT_EQ(reports.size(), 2u);
    for (const auto& [sender, text] : reports)
        EXPECT_EQ(text, sender == &LibraryApplication().TimerPool() ? "blink failed"
                        : sender == &own                           ? "repeat failed"
                                                                   : "?");
}

TEST(UCLTimer, OwnTimerWithIntervalZeroNeverFires)
{
    int calls = 0;
    TUCLTimer timer(0, [&](TPersistent*) { ++calls; }, true, false);
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);
}

TEST(LibraryApplication, SecondInstanceOfTheSameExecutableIsSeen)
{
    LibraryApplication();   // the first holds the name (or another run does)
    TUCLApplication second;
    EXPECT_TRUE(second.PreviousInstance());
}

TEST(LibraryApplication, PatternBitmapIsCachedAndRedrawsOnlyOddParity)
{
    TUCLApplication& app = LibraryApplication();
    const QImage& red = app.PatternBitmap(0x0000FF);
    ASSERT_EQ(red.size(), QSize(8, 8));
    EXPECT_EQ(&app.PatternBitmap(0x0000FF), &red);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(QColor(red.pixel(x, y)), (x + y) % 2 ? QColor(Qt::red) : QColor(Qt::white)) << x << y;
    const QImage& blue = app.PatternBitmap(0xFF0000);
    EXPECT_EQ(QColor(blue.pixel(1, 0)), QColor(Qt::blue));
    EXPECT_EQ(QColor(blue.pixel(0, 0)), QColor(Qt::white));
}

TEST(LibraryApplication, EditModeNotifiesOnChangeOnly)
{
    TUCLApplication& app = LibraryApplication();
    const TUCLEditMode before = app.EditMode();
    int calls = 0;
    app.OnEditModeChange = [&](TPersistent* sender) {
        EXPECT_EQ(sender, &app);
        ++calls;
    };
    app.SetEditMode(before);
    app.SetEditMode(before ^ emShift);
    app.SetEditMode(before);
    app.OnEditModeChange = nullptr;
    EXPECT_EQ(calls, 2);
}

TEST(LibraryApplication, RegistryKeyAndLogFileName)
{
    TUCLApplication& app = LibraryApplication();
    const QString oldTitle = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName("Zentrika 4.0");
    EXPECT_EQ(app.RegistryKey(), "Software\\Zentrika 4.0\\");
    app.Company = "Quorin";
    app.Version = "4.0\\";
    EXPECT_EQ(app.RegistryKey(), "Software\\Quorin\\Zentrika 4.0\\4.0\\");
    app.Company.clear();
    app.Version.clear();
    QGuiApplication::setApplicationDisplayName(oldTitle);

    const AnsiString exe = ExtractFileName(QCoreApplication::applicationFilePath().toStdString());
    struct Case {
        TUCLPathPrefix prefix;
        AnsiString name;
        AnsiString expected;
    };
    const Case cases[] = {
        {ppProgram, "  ", ProgramFolder() + ChangeFileExt(exe, ".LOG")},
        {ppProgram, "/var/log/trace", ProgramFolder() + "trace.LOG"},
        {ppProgram, "trace.txt", ProgramFolder() + "trace.txt"},
        {ppFixed, "/var/log/trace.txt", "/var/log/trace.txt"},
        {ppFixed, "/var/log/trace", "/var/log/trace.LOG"},
    };
    for (const Case& c : cases) {
        app.LogPathPrefix = c.prefix;
        app.SetLogFileName(c.name);
        EXPECT_EQ(app.LogFileName(), c.expected) << c.name;
    }
    app.LogPathPrefix = ppProgram;
}
