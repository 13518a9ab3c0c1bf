#include "ui/controls/UCLTimerPool.h"

#include "ui/controls/UCLApplication.h"

#include <QTimer>
#include <QTimerEvent>

#include <algorithm>

TUCLTimerItem::TUCLTimerItem(TUCLTimerPool* Pool, Word Ident) : FPool(Pool), FIdent(Ident)
{
    if (!Pool)
        throw EInvalidOperation("TUCLTimerItem: Invalid Owner or List");
    FSteps = FInterval / Pool->MinInterval();
}

void TUCLTimerItem::SetEnabled(bool Value)
{
    if (Value == FEnabled || (Value && CallCount == 0))
        return;
    FEnabled = Value;
    Counter = 0;
}

void TUCLTimerItem::SetInterval(Word Value)
{
    const Word base = FPool->MinInterval();
    if (Value == FInterval || Value % base != 0)
        return;
    if (Value == 0)
        Value = base;
    FSteps = Value / base;
    FInterval = Value;
    Counter = 0;
}

void TUCLTimerItem::Fire()
{
    if (!FEnabled)
        return;
    Counter = Counter == std::numeric_limits<Integer>::max() ? 0 : Counter + 1;
    if (Counter == CallCount)
        FEnabled = false;
    if (OnTimer) {
        // The handler may remove this item: call a copy, touch nothing after.
        TNotifyEvent handler = OnTimer;
        handler(FPool);
    } else if (FPool->OnTimer) {
        FPool->OnTimer(FPool, FIdent, Counter);
    }
}

TUCLTimerPool::TUCLTimerPool(QObject* Owner, Word MinInterval)
    : TUCLCustomComponent(Owner), FMinInterval(std::max<Word>(MinInterval, 1))
{
}

TUCLTimerPool::~TUCLTimerPool()
{
    Clear();
}

int TUCLTimerPool::AddItem(Word Ident, Word Interval, TNotifyEvent Handler)
{
    if (FindItem(Ident))
        throw std::runtime_error("Listenindex \xFC" "berschreitet das Maximum (%d)");
    if (Interval < FMinInterval || Interval % FMinInterval != 0)
        throw std::runtime_error(SIntervalNotCompatible);
    auto item = std::make_unique<TUCLTimerItem>(this, Ident);
    item->SetInterval(Interval);
    item->OnTimer = std::move(Handler);
    FItems.push_back(std::move(item));
    UpdateWindowTimer(true);
    return Count() - 1;
}

void TUCLTimerPool::RemoveItem(Word Ident)
{
    FUpdating = true;
    auto it = std::find_if(FItems.begin(), FItems.end(), [&](const auto& i) { return i->Ident() == Ident; });
    if (it != FItems.end()) {
        (*it)->SetEnabled(false);
        (*it)->OnTimer = nullptr;
        FItems.erase(it);
        if (FItems.empty())
            UpdateWindowTimer(false);
    }
    FUpdating = false;
}

TUCLTimerItem* TUCLTimerPool::FindItem(Word Ident) const
{
    for (const auto& item : FItems)
        if (item->Ident() == Ident)
            return item.get();
    return nullptr;
}

void TUCLTimerPool::Clear()
{
    UpdateWindowTimer(false);
    while (!FItems.empty())
        FItems.pop_back();
}

int TUCLTimerPool::ActiveCount() const
{
    return static_cast<int>(std::count_if(FItems.begin(), FItems.end(), [](const auto& i) { return i->Enabled(); }));
}

void TUCLTimerPool::UpdateWindowTimer(bool Run)
{
    FActive = false;
    FTimer.stop();
    if (Run && ActiveCount() > 0) {
        FTimer.start(FMinInterval, this);
        FTickCounter = 1;
        FActive = true;
    }
}

void TUCLTimerPool::Tick()
{
    if (FUpdating)
        return;
    // Handlers may add or remove items: the count is read anew at every step.
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        TUCLTimerItem* item = FItems[i].get();
        if (item->Enabled() && FTickCounter % item->Steps() == 0)
            item->Fire();
    }
    FTickCounter = FTickCounter == std::numeric_limits<Integer>::max() ? 0 : FTickCounter + 1;
}

void TUCLTimerPool::timerEvent(QTimerEvent* Event)
{
    if (Event->timerId() != FTimer.timerId()) {
        TUCLCustomComponent::timerEvent(Event);
        return;
    }
    if (FBusy)
        return;
    FBusy = true;
    try {
        Tick();
    } catch (...) {
        FBusy = false;
        ApplicationHandleException(this);
        return;
    }
    FBusy = false;
}

TUCLTimer::TUCLTimer(Word Interval, TNotifyEvent OnTimer, bool Enabled, bool Pooled)
    : OnTimer(std::move(OnTimer)), FPooled(Pooled), FEnabled(Enabled), FInterval(Interval)
{
    Arm();
}

TUCLTimer::~TUCLTimer()
{
    Release();
}

void TUCLTimer::Arm()
{
    Release();
    if (FPooled) {
        const Word base = 50;
        const Word interval = static_cast<Word>((FInterval + base - 1) / base * base);
        TUCLApplication& app = LibraryApplication();
        FIdent = app.AddTimer(interval, [this](TPersistent*) { DoTimer(); });
        if (FIdent == 0)
            throw EOutOfResources(SOutOfResources);
        app.FindTimer(FIdent)->SetEnabled(FEnabled);
    } else {
        FTimer = std::make_unique<QTimer>();
        QObject::connect(FTimer.get(), &QTimer::timeout, [this] {
            try {
                DoTimer();
            } catch (...) {
                ApplicationHandleException(this);
            }
        });
        UpdatePlatformTimer();
    }
}

void TUCLTimer::Release()
{
    if (FPooled) {
        if (FIdent == 0)
            return;
        TUCLApplication& app = LibraryApplication();
        if (TUCLTimerItem* item = app.FindTimer(FIdent)) {
            item->SetEnabled(false);
            item->OnTimer = nullptr;
        }
        app.RemoveTimer(FIdent);
        FIdent = 0;
    } else {
        FTimer.reset();
    }
}

void TUCLTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    if (FPooled) {
        if (TUCLTimerItem* item = FIdent ? LibraryApplication().FindTimer(FIdent) : nullptr)
            item->SetEnabled(Value);
    } else {
        UpdatePlatformTimer();
    }
}

void TUCLTimer::SetInterval(Word Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    if (FPooled) {
        if (TUCLTimerItem* item = FIdent ? LibraryApplication().FindTimer(FIdent) : nullptr)
            item->SetInterval(Value);
    } else {
        UpdatePlatformTimer();
    }
}

void TUCLTimer::UpdatePlatformTimer()
{
    // Like the platform timer it stands for, an interval of 0 never fires
    // (a QTimer would fire at every pass of the event loop).
    if (FEnabled && FInterval > 0)
        FTimer->start(FInterval);
    else
        FTimer->stop();
}

void TUCLTimer::DoTimer()
{
    if (OnTimer)
        OnTimer(this);
}
