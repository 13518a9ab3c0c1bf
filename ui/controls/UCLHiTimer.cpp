#include "ui/controls/UCLHiTimer.h"

#include "ui/controls/UCLApplication.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Period range of the ticker: 1 ms up to 1000 s.
constexpr Cardinal MinPeriod = 1;
constexpr Cardinal MaxPeriod = 1000000;
// Ticks queued for one timer and not yet delivered. As with the platform's
// message queue, a main thread that stays blocked does not make the queue
// grow without bound; further ticks are not posted until it drains.
constexpr int MaxPendingTicks = 10000;
// A ticker that wakes this far behind its schedule (the machine was
// suspended) starts a new schedule instead of posting a burst of catch-up ticks.
constexpr auto MaxLateness = std::chrono::seconds(1);

// Registered at first use; the ticker thread may be the first user.
QEvent::Type TickEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
QEvent::Type SyncCallEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
QEvent::Type WorkerFailedEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

struct TTickEvent : QEvent {
    explicit TTickEvent(Cardinal id) : QEvent(TickEventType()), Id(id) {}
    Cardinal Id;
};

struct TWorkerFailedEvent : QEvent {
    explicit TWorkerFailedEvent(std::exception_ptr error) : QEvent(WorkerFailedEventType()), Error(std::move(error)) {}
    std::exception_ptr Error;
};

Cardinal NextEventId()
{
    static std::atomic<Cardinal> last{0};
    Cardinal id;
    do
        id = ++last;
    while (id == 0);
    return id;
}

void ApplyThreadPriority(TThreadPriority priority)
{
    // Raising a thread above normal needs privileges; without them the
    // request fails and the worker runs at normal priority.
    if (priority == tpIdle) {
        sched_param param{};
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
        return;
    }
    static constexpr int niceness[] = {19, 10, 5, 0, -5, -10, -15};
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), niceness[priority]);
}

}   // namespace

// The hidden receiver of multimedia ticks; it exists while the timer is in
// multimedia mode, so switching to thread mode discards queued ticks with it.
class TUCLHiTimerWindow : public QObject {
public:
    explicit TUCLHiTimerWindow(TUCLHiTimer* owner) : Owner(owner) {}
    TUCLHiTimer* const Owner;
    std::atomic<int> Pending{0};

    bool event(QEvent* e) override
    {
        if (e->type() != TickEventType())
            return QObject::event(e);
        --Pending;
        // The handler may free the timer and with it this window: nothing of
        // this object is touched after the call.
        Owner->HandleTick(static_cast<TTickEvent*>(e)->Id);
        return true;
    }
};

// The periodic event of multimedia mode: a thread that sleeps to absolute
// deadlines and posts one tick per period. Destroying it stops the thread
// before it returns, so no tick is posted afterwards.
class TUCLMultimediaEvent {
public:
    TUCLMultimediaEvent(TUCLHiTimerWindow* window, Cardinal id, Cardinal interval)
        : FThread([this, window, id, interval] { Run(window, id, interval); })
    {
    }
    ~TUCLMultimediaEvent()
    {
        {
            std::lock_guard lock(FLock);
            FStop = true;
        }
        FWake.notify_all();
        FThread.join();
    }

private:
    void Run(TUCLHiTimerWindow* window, Cardinal id, Cardinal interval)
    {
        const auto period = std::chrono::milliseconds(interval);
        auto next = Clock::now() + period;
        std::unique_lock lock(FLock);
        while (!FWake.wait_until(lock, next, [this] { return FStop; })) {
            if (window->Pending.load() < MaxPendingTicks) {
                ++window->Pending;
                QCoreApplication::postEvent(window, new TTickEvent(id));
            }
            next += period;
            if (const auto now = Clock::now(); now - next > MaxLateness)
                next = now + period;
        }
    }

    std::mutex FLock;
    std::condition_variable FWake;
    bool FStop = false;
    std::thread FThread;   // last: started after the fields above exist
};

// The worker of thread mode. It is shared between the timer and its thread
// and ends with whichever lets go last, so the timer never touches a finished
// worker and the worker never touches a destroyed timer: the timer marks it
// terminated and then takes CallLock, which the worker holds whenever it
// reads the timer or calls its handler.
struct TUCLThreadedTimer : std::enable_shared_from_this<TUCLThreadedTimer> {
    TUCLHiTimer* Owner = nullptr;
    Cardinal Interval = 1000;   // the whole interval: 65536 ms and more are not cut to 16 bits
    std::atomic<bool> Terminated{false};
    std::recursive_mutex CallLock;
    std::mutex WaitLock;
    std::condition_variable Wake;
    bool CallDone = false;   // under WaitLock
    bool Failed = false;     // under WaitLock

    void Terminate()
    {
        {
            std::lock_guard lock(WaitLock);
            Terminated = true;
        }
        Wake.notify_all();
    }

    void Finish(bool failed)
    {
        {
            std::lock_guard lock(WaitLock);
            CallDone = true;
            Failed = Failed || failed;
        }
        Wake.notify_all();
    }

    void Start(TThreadPriority priority)
    {
        std::thread([self = shared_from_this(), priority] {
            ApplyThreadPriority(priority);
            self->Execute();
        }).detach();
    }

    void Execute();
};

// A handler call that the worker hands to the timer's thread and waits for.
// However the event ends (run, or dropped with its receiver), the worker is
// released.
struct TSyncCallEvent : QEvent {
    explicit TSyncCallEvent(std::shared_ptr<TUCLThreadedTimer> worker)
        : QEvent(SyncCallEventType()), Worker(std::move(worker))
    {
    }
    ~TSyncCallEvent() override { Worker->Finish(false); }
    std::shared_ptr<TUCLThreadedTimer> Worker;
};

void TUCLThreadedTimer::Execute()
{
    for (;;) {
        {
            std::unique_lock lock(WaitLock);
            if (Wake.wait_for(lock, std::chrono::milliseconds(Interval), [this] { return Terminated.load(); }))
                return;
        }
        if (QCoreApplication::closingDown())
            return;
        {
            std::lock_guard call(CallLock);
            if (Terminated || !Owner->FEnabled)
                continue;
            if (!Owner->Synchronize) {
                try {
                    Owner->DoTimer();
                } catch (...) {
                    // The handler may have freed its timer; report only to a live one.
                    if (!Terminated)
                        QCoreApplication::postEvent(Owner, new TWorkerFailedEvent(std::current_exception()));
                    return;
                }
                continue;
            }
            {
                std::lock_guard lock(WaitLock);
                CallDone = false;
            }
            QCoreApplication::postEvent(Owner, new TSyncCallEvent(shared_from_this()));
        }
        std::unique_lock lock(WaitLock);
        Wake.wait(lock, [this] { return CallDone || Terminated; });
        if (Terminated || Failed)
            return;
    }
}

TUCLHiTimer::TUCLHiTimer(QObject* Owner, Word Interval) : TUCLCustomComponent(Owner), FInterval(Interval)
{
    GetPeriodRange(FMinPeriod, FMaxPeriod);
}

TUCLHiTimer::~TUCLHiTimer()
{
    FOnTimer = nullptr;
    FDestroying = true;
    Update();
    FEnabled = false;
    FreeWindow();
}

void TUCLHiTimer::GetPeriodRange(Cardinal& Minimum, Cardinal& Maximum)
{
    Minimum = MinPeriod;
    Maximum = MaxPeriod;
}

void TUCLHiTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    Update();
}

void TUCLHiTimer::SetUseThread(bool Value)
{
    if (Value == FUseThread)
        return;
    FUseThread = Value;
    Update();
}

void TUCLHiTimer::SetInterval(Cardinal Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value < FMinPeriod ? FMinPeriod : Value > FMaxPeriod ? FMaxPeriod : Value;
    Update();
}

void TUCLHiTimer::SetOnTimer(TNotifyEvent Handler)
{
    FOnTimer = std::move(Handler);
    Update();
}

void TUCLHiTimer::SetThreadPriority(TThreadPriority Value)
{
    if (Value == FThreadPriority)
        return;
    FThreadPriority = Value;
    if (FUseThread)
        Update();
}

void TUCLHiTimer::DoTimer()
{
    if (FOnTimer)
        FOnTimer(this);
}

void TUCLHiTimer::PostTick(Cardinal EventId)
{
    if (!FWindow)
        return;
    ++FWindow->Pending;
    QCoreApplication::postEvent(FWindow, new TTickEvent(EventId));
}

void TUCLHiTimer::Update()
{
    if (FThread) {
        const auto worker = std::move(FThread);
        worker->Terminate();
        // Waits for a handler call of the worker in progress on another thread.
        std::lock_guard call(worker->CallLock);
    }
    // A killed event takes its id with it: ticks it queued are stale now, so
    // a disabled timer never runs its handler again.
    FEvent.reset();
    FEventId = 0;
    if (FDestroying)
        return;
    if (FUseThread) {
        FreeWindow();
        if (FEnabled && FOnTimer) {
            FThread = std::make_shared<TUCLThreadedTimer>();
            FThread->Owner = this;
            FThread->Interval = FInterval;
            FThread->Start(FThreadPriority);
        }
        return;
    }
    if (!FWindow) {
        FWindow = new TUCLHiTimerWindow(this);
        if (FWindow->thread() != thread())
            FWindow->moveToThread(thread());
    }
    if (FInterval != 0 && FEnabled && FOnTimer) {
        FEventId = NextEventId();
        FEvent = std::make_unique<TUCLMultimediaEvent>(FWindow, FEventId, FInterval);
    }
}

void TUCLHiTimer::FreeWindow()
{
    delete FWindow;
    FWindow = nullptr;
}

void TUCLHiTimer::HandleTick(Cardinal EventId)
{
    if (EventId == 0 || EventId != FEventId || FBusy)
        return;
    // The busy flag lives exactly as long as the handler: it is cleared also
    // when the handler raises, so one exception does not silence the timer.
    // Arming inside the handler leaves it set, so a handler that re-enables
    // its timer and then processes events is still not entered twice.
    QPointer<TUCLHiTimer> self(this);
    FBusy = true;
    try {
        DoTimer();
    } catch (...) {
        if (self)
            FBusy = false;
        ApplicationHandleException(self.data());
        return;
    }
    if (self)
        FBusy = false;
}

bool TUCLHiTimer::event(QEvent* Event)
{
    if (Event->type() == SyncCallEventType()) {
        const auto worker = static_cast<TSyncCallEvent*>(Event)->Worker;
        if (worker->Terminated)
            return true;
        QPointer<TUCLHiTimer> self(this);
        try {
            DoTimer();
        } catch (...) {
            worker->Finish(true);
            ApplicationHandleException(self.data());
        }
        return true;
    }
    if (Event->type() == WorkerFailedEventType()) {
        try {
            std::rethrow_exception(static_cast<TWorkerFailedEvent*>(Event)->Error);
        } catch (...) {
            ApplicationHandleException(this);
        }
        return true;
    }
    return TUCLCustomComponent::event(Event);
}
