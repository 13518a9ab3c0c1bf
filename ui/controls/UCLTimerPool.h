// Coarse timers of the controls (auto-repeat, hover tests, blinking, delayed
// actions): a pool of items ticking on one base timer, and TUCLTimer, through
// which a control uses either the pool or a timer of its own.
#pragma once

#include "ui/controls/UCLBase.h"

#include <QBasicTimer>

#include <memory>
#include <vector>

class QTimer;
class TUCLTimerPool;

inline constexpr const char* SIntervalNotCompatible = "Interval not compatible with MinInterval property!";

using TUCLTimerPoolEvent = std::function<void(TPersistent* Sender, Word Ident, Integer Counter)>;

// One timer of the pool, found by its identifier.
class TUCLTimerItem {
public:
    // Raises EInvalidOperation "TUCLTimerItem: Invalid Owner or List" without a pool.
    TUCLTimerItem(TUCLTimerPool* Pool, Word Ident);

    Integer CallCount = -1;   // -1 unlimited; the item disables itself when Counter reaches it
    Integer Counter = 0;      // firings since the last enable
    TNotifyEvent OnTimer;     // called with the pool as sender

    bool Enabled() const { return FEnabled; }
    Word Ident() const { return FIdent; }
    Word Interval() const { return FInterval; }
    Integer Steps() const { return FSteps; }
    TUCLTimerPool* Pool() const { return FPool; }

    // Enabling an item whose CallCount is 0 does nothing; a change resets Counter.
    void SetEnabled(bool Value);
    // Only multiples of the pool's MinInterval are taken; 0 becomes MinInterval.
    void SetInterval(Word Value);
    void Fire();

private:
    TUCLTimerPool* FPool;
    bool FEnabled = true;
    Word FIdent;
    Word FInterval = 1000;
    Integer FSteps;
};

// Items ticking on one base timer of MinInterval milliseconds. Every item fires
// when the shared tick counter is a multiple of its Steps.
class TUCLTimerPool : public TUCLCustomComponent {
    ZK_ABSTRACT_CLASS(TUCLTimerPool, TUCLCustomComponent)
public:
    // MinInterval is fixed at creation: the property only changes while a
    // form is loaded, which here is the constructor.
    explicit TUCLTimerPool(QObject* Owner = nullptr, Word MinInterval = 1000);
    ~TUCLTimerPool() override;

    TUCLTimerPoolEvent OnTimer;   // for items without a handler of their own

    Word MinInterval() const { return FMinInterval; }
    bool Active() const { return FActive; }
    Integer TickCounter() const { return FTickCounter; }

    // Index of the new item. Raises for a duplicate identifier and for an
    // interval that is no multiple of MinInterval.
    int AddItem(Word Ident, Word Interval, TNotifyEvent Handler);
    void RemoveItem(Word Ident);
    TUCLTimerItem* FindItem(Word Ident) const;
    void Clear();
    int ActiveCount() const;
    int Count() const { return static_cast<int>(FItems.size()); }

    // (Re)starts the base timer with the counter at 1 when Run and an item is
    // enabled; stops it otherwise.
    void UpdateWindowTimer(bool Run);
    // One base tick: fires the items that are due.
    void Tick();

protected:
    void timerEvent(QTimerEvent* Event) override;

private:
    Word FMinInterval;
    bool FActive = false;
    bool FBusy = false;
    bool FUpdating = false;   // ticks are suppressed while an item is removed
    Integer FTickCounter = 0;
    QBasicTimer FTimer;
    std::vector<std::unique_ptr<TUCLTimerItem>> FItems;
};

// What a control holds: a pooled item (interval rounded up to the pool's 50 ms)
// or a timer of its own. OnTimer is called with the TUCLTimer as sender.
class TUCLTimer : public TPersistent {
    ZK_ABSTRACT_CLASS(TUCLTimer, TPersistent)
public:
    // Raises EOutOfResources "Nicht genügend Timer verfügbar" when the pool
    // has no free slot.
    TUCLTimer(Word Interval, TNotifyEvent OnTimer, bool Enabled, bool Pooled);
    ~TUCLTimer() override;
    TUCLTimer(const TUCLTimer&) = delete;
    TUCLTimer& operator=(const TUCLTimer&) = delete;

    TNotifyEvent OnTimer;

    bool Enabled() const { return FEnabled; }
    Word Interval() const { return FInterval; }
    bool Pooled() const { return FPooled; }
    Word Ident() const { return FIdent; }   // pool identifier, 0 = none

    void SetEnabled(bool Value);
    // Forwarded unrounded: a pooled item ignores an interval that is no
    // multiple of the pool's base.
    void SetInterval(Word Value);
    void Arm();
    void Release();
    void DoTimer();

private:
    void UpdatePlatformTimer();

    std::unique_ptr<QTimer> FTimer;
    Word FIdent = 0;
    bool FPooled;
    bool FEnabled;
    Word FInterval;
};
