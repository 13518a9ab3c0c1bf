// High-resolution timer that drives the simulation's 1 ms step and 50 ms tick.
//
// Multimedia mode (UseThread false, what the program uses): a ticker thread
// sleeps to absolute deadlines and posts one event per tick, tagged with the
// id of the current arming. The handler runs on the timer's thread (the main
// thread) from its event processing, once per event: ticks are never merged,
// a backlog is worked off one call per tick, a tick of an earlier arming is
// dropped, and a tick that arrives while this timer's own handler runs (the
// handler processing events) is dropped, not postponed. Ticks of other timers
// are delivered inside it as usual.
//
// Thread mode (UseThread true): a worker sleeps the interval and runs the
// handler itself, or, with Synchronize, on the timer's thread while it waits.
//
// Every setter that changes something re-arms: the first tick comes one full
// Interval after the call.
#pragma once

#include "ui/controls/UCLBase.h"

#include <atomic>
#include <memory>

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TUCLHiTimerWindow;
class TUCLMultimediaEvent;
struct TUCLThreadedTimer;

class TUCLHiTimer : public TUCLCustomComponent {
    ZK_ABSTRACT_CLASS(TUCLHiTimer, TUCLCustomComponent)
public:
    explicit TUCLHiTimer(QObject* Owner = nullptr) : TUCLHiTimer(Owner, 1000) {}
    // The interval is stored as given (not clamped); nothing is armed.
    TUCLHiTimer(QObject* Owner, Word Interval);
    ~TUCLHiTimer() override;

    // The period range the timer accepts, in milliseconds.
    static void GetPeriodRange(Cardinal& Minimum, Cardinal& Maximum);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    // Clamped to the period range; an unchanged value does not restart the period.
    void SetInterval(Cardinal Value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    // Always re-arms; a timer without a handler does not run.
    void SetOnTimer(TNotifyEvent Handler);
    bool UseThread() const { return FUseThread; }
    void SetUseThread(bool Value);
    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    // Re-arms only in thread mode.
    void SetThreadPriority(TThreadPriority Value);
    // Read by the worker at every tick; takes effect without re-arming.
    std::atomic<bool> Synchronize{true};

    // Calls OnTimer(this) when assigned.
    virtual void DoTimer();

    // Id of the armed multimedia event, 0 when none is armed.
    Cardinal EventId() const { return FEventId; }
    // What the ticker thread does per tick: queue one tick for EventId.
    void PostTick(Cardinal EventId);

protected:
    bool event(QEvent* Event) override;

private:
    friend class TUCLHiTimerWindow;
    friend struct TUCLThreadedTimer;
    void Update();
    void HandleTick(Cardinal EventId);
    void FreeWindow();

    std::atomic<bool> FEnabled{false};
    bool FBusy = false;
    bool FDestroying = false;
    Cardinal FInterval;
    Cardinal FEventId = 0;
    Cardinal FMinPeriod;
    Cardinal FMaxPeriod;
    TNotifyEvent FOnTimer;
    TUCLHiTimerWindow* FWindow = nullptr;
    std::unique_ptr<TUCLMultimediaEvent> FEvent;
    std::shared_ptr<TUCLThreadedTimer> FThread;
    TThreadPriority FThreadPriority = tpNormal;
    bool FUseThread = true;
};
