// The high-resolution timer: arming rules, one handler call per tick, dropped
// stale and re-entrant ticks, exceptions, and both thread modes. Real ticks are
// counted loosely (a loaded CI machine may deliver late); most cases inject
// ticks with PostTick so they do not depend on timing at all.
#include "ui/controls/UCLApplication.h"
#include "ui/controls/UCLHiTimer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>

namespace {

// Processes events until the condition holds; false when it never does.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::yieldCurrentThread();
    }
    return true;
}

void ProcessFor(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Collects what reaches the application's error handling during one test.
struct ExceptionCatcher {
    std::vector<std::pair<TPersistent*, AnsiString>> reports;
    ExceptionCatcher()
    {
        SetApplicationExceptionHandler([this](TPersistent* sender, std::exception_ptr e) {
            reports.emplace_back(sender, ExceptionMessage(e));
        });
    }
    ~ExceptionCatcher() { SetApplicationExceptionHandler(nullptr); }
};

// A multimedia-mode timer whose real ticks are too far apart to interfere.
std::unique_ptr<TUCLHiTimer> QuietTimer(TNotifyEvent handler)
{
    auto timer = std::make_unique<TUCLHiTimer>();
    timer->SetUseThread(false);
    timer->SetInterval(600000);
    timer->SetOnTimer(std::move(handler));
    timer->SetEnabled(true);
    return timer;
}

}   // namespace

TEST(HiTimer, SettersClampIntervalAndReArmOnlyOnRealChanges)
{
    Cardinal minimum, maximum;
    TUCLHiTimer::GetPeriodRange(minimum, maximum);
    EXPECT_EQ(minimum, 1u);

    TUCLHiTimer fresh;
    EXPECT_EQ(fresh.Interval(), 1000u);
    EXPECT_FALSE(fresh.Enabled());
    EXPECT_TRUE(fresh.UseThread());
    EXPECT_TRUE(fresh.Synchronize);
    EXPECT_EQ(fresh.ThreadPriority(), tpNormal);
    TUCLHiTimer unclamped(nullptr, 0);   // the constructor stores its argument as given
    EXPECT_EQ(unclamped.Interval(), 0u);

    struct Case {
        Cardinal set;
        Cardinal stored;
    };
    for (const Case c : {Case{0, minimum}, Case{maximum + 1, maximum}, Case{0xFFFFFFFF, maximum}, Case{250, 250}}) {
        TUCLHiTimer t;
        t.SetInterval(c.set);
        EXPECT_EQ(t.Interval(), c.stored) << c.set;
    }

    auto timer = QuietTimer([](TPersistent*) {});
    const Cardinal armed = timer->EventId();
    EXPECT_NE(armed, 0u);
    timer->SetInterval(timer->Interval());   // unchanged: the period goes on
    timer->SetEnabled(true);
    timer->SetThreadPriority(tpHighest);     // multimedia mode: stored only
    EXPECT_EQ(timer->EventId(), armed);
    EXPECT_EQ(timer->ThreadPriority(), tpHighest);
    timer->SetInterval(500000);              // a real change re-arms
    EXPECT_NE(timer->EventId(), armed);
}

TEST(HiTimer, ArmsOnlyWithHandlerAndEnabled)
{
    TUCLHiTimer timer;
    timer.SetUseThread(false);
    timer.SetInterval(600000);
    timer.SetEnabled(true);
    EXPECT_EQ(timer.EventId(), 0u);   // no handler: nothing armed
    timer.SetOnTimer([](TPersistent*) {});
    EXPECT_NE(timer.EventId(), 0u);
    timer.SetOnTimer(nullptr);        // an empty handler stops it
    EXPECT_EQ(timer.EventId(), 0u);
}

// The one test on real time: a smoke test that the ticker keeps ticking,
// with bounds that hold on a loaded two-core machine.
TEST(HiTimer, RealTicksKeepComingAtOneMillisecond)
{
    int ticks = 0;
    TUCLHiTimer timer;
    timer.SetUseThread(false);
    timer.SetInterval(1);
    timer.SetOnTimer([&](TPersistent* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    });
    QElapsedTimer elapsed;
    elapsed.start();
    timer.SetEnabled(true);
    EXPECT_TRUE(WaitUntil([&] { return ticks >= 20; }));
    timer.SetEnabled(false);
    // Never more ticks than milliseconds passed, whatever catching up the
    // ticker does (one tick per armed period at most, plus the first).
    EXPECT_LE(ticks, elapsed.elapsed() + 2);
}

TEST(HiTimer, TickArrivingInsideOwnHandlerIsDroppedButOtherTimersTick)
{
    int own = 0, nested = 0, other = 0;
    TUCLHiTimer* self = nullptr;
    auto otherTimer = QuietTimer([&](TPersistent*) { ++other; });
    auto timer = QuietTimer([&](TPersistent*) {
        if (++own > 1) {
            ++nested;
            return;
        }
        self->PostTick(self->EventId());
        self->PostTick(self->EventId());
        otherTimer->PostTick(otherTimer->EventId());
        QCoreApplication::processEvents();   // ProcessMessages inside the handler
        EXPECT_EQ(other, 1);                 // delivered inside
    });
    self = timer.get();
    timer->PostTick(timer->EventId());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(nested, 0);   // dropped, not postponed
    EXPECT_EQ(other, 1);
}

TEST(HiTimer, BacklogIsWorkedOffOneCallPerTick)
{
    int calls = 0;
    auto timer = QuietTimer([&](TPersistent*) { ++calls; });
    for (int i = 0; i < 5; ++i)
        timer->PostTick(timer->EventId());
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 5);
}

TEST(HiTimer, TicksOfAnEarlierArmingOrAfterDisablingAreDropped)
{
    int calls = 0;
    auto timer = QuietTimer([&](TPersistent*) { ++calls; });
    const Cardinal before = timer->EventId();
    timer->PostTick(before);
    timer->PostTick(before);
    timer->SetInterval(500000);   // re-armed: a new id
    timer->PostTick(timer->EventId());
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);

    timer->PostTick(timer->EventId());
    timer->SetEnabled(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
}

TEST(HiTimer, ExceptionIsReportedOnceAndTheTimerKeepsTicking)
{
    ExceptionCatcher catcher;
    int calls = 0;
    auto timer = QuietTimer([&](TPersistent*) {
        if (++calls == 1)
            throw std::runtime_error("step failed");
    });
    timer->PostTick(timer->EventId());
    QCoreApplication::processEvents();
    ASSERT_EQ(catcher.reports.size(), 1u);
    EXPECT_EQ(catcher.reports[0].first, timer.get());
    EXPECT_EQ(catcher.reports[0].second, "step failed");

    timer->PostTick(timer->EventId());
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(catcher.reports.size(), 1u);
}

TEST(HiTimer, HandlerMayFreeItsOwnTimer)
{
    TUCLHiTimer* timer = nullptr;
    bool ran = false;
    timer = QuietTimer([&](TPersistent*) {
        ran = true;
        delete timer;
    }).release();
    timer->PostTick(timer->EventId());
    timer->PostTick(timer->EventId());   // discarded with the timer
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST(HiTimer, HandlerThatDisablesAndReEnablesItselfKeepsTicking)
{
    int calls = 0;
    TUCLHiTimer timer;
    timer.SetUseThread(false);
    timer.SetInterval(1);
    timer.SetOnTimer([&](TPersistent*) {
        timer.SetEnabled(false);
        ++calls;
        QCoreApplication::processEvents();
        timer.SetEnabled(true);
    });
    timer.SetEnabled(true);
    EXPECT_TRUE(WaitUntil([&] { return calls >= 20; }));
    timer.SetEnabled(false);
}

TEST(HiTimer, ThreadModeRunsTheHandlerOnTheWorkerOrSynchronized)
{
    for (const bool synchronize : {false, true}) {
        std::atomic<int> calls{0};
        std::atomic<bool> onMain{false}, onWorker{false};
        QThread* const main = QThread::currentThread();
        auto timer = std::make_unique<TUCLHiTimer>();
        timer->Synchronize = synchronize;
        timer->SetInterval(1);
        timer->SetOnTimer([&](TPersistent* sender) {
            EXPECT_EQ(sender, timer.get());
            (QThread::currentThread() == main ? onMain : onWorker) = true;
            ++calls;
        });
        timer->SetEnabled(true);
        EXPECT_TRUE(WaitUntil([&] { return calls >= 3; })) << synchronize;
        timer.reset();   // stops the worker safely while it runs
        EXPECT_EQ(onMain.load(), synchronize);
        EXPECT_EQ(onWorker.load(), !synchronize);
    }
}

TEST(HiTimer, ThreadModeExceptionEndsTheWorkerAndIsReportedOnTheMainThread)
{
    for (const bool synchronize : {false, true}) {
        ExceptionCatcher catcher;
        std::atomic<int> calls{0};
        TUCLHiTimer timer;
        timer.Synchronize = synchronize;
        timer.SetInterval(1);
        timer.SetOnTimer([&](TPersistent*) {
            ++calls;
            throw std::runtime_error("worker failed");
        });
        timer.SetEnabled(true);
        ASSERT_TRUE(WaitUntil([&] { return !catcher.reports.empty(); })) << synchronize;
        ProcessFor(50);
        EXPECT_EQ(calls.load(), 1);
        ASSERT_EQ(catcher.reports.size(), 1u);
        EXPECT_EQ(catcher.reports[0].first, &timer);
        EXPECT_EQ(catcher.reports[0].second, "worker failed");

        timer.SetEnabled(false);   // re-arming starts a new worker
        timer.SetEnabled(true);
        EXPECT_TRUE(WaitUntil([&] { return calls >= 2; }));
    }
}
