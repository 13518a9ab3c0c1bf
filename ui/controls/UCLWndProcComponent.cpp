#include "ui/controls/UCLWndProcComponent.h"

#include <QCoreApplication>
#include <QWidget>

TUCLWndProcComponent::TUCLWndProcComponent(QObject* Owner) : TUCLCustomComponent(Owner)
{
}

TUCLWndProcComponent::~TUCLWndProcComponent()
{
    FDestroying = true;
    RestoreWndProc();
}

void TUCLWndProcComponent::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    EnabledChanged();
}

void TUCLWndProcComponent::Init()
{
    if (FEnabled && !FHooked)
        NewWndProc();
}

bool TUCLWndProcComponent::NewWndProc()
{
    auto* owner = qobject_cast<QWidget*>(parent());
    if (!owner || FHooked)
        return false;
    FDestroying = false;
    if (HandleApp && QCoreApplication::instance()) {
        QCoreApplication::instance()->installEventFilter(this);
        FAppHooked = true;
    }
    owner->installEventFilter(this);
    FHookedOwner = owner;
    FHooked = true;
    return true;
}

void TUCLWndProcComponent::RestoreWndProc()
{
    if (!Silent && FHooked && FHookedOwner)
        FHookedOwner->removeEventFilter(this);
    FHooked = false;
    FHookedOwner = nullptr;
    if (FAppHooked && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    FAppHooked = false;
    Silent = false;
    FDestroying = false;
}

void TUCLWndProcComponent::Loaded()
{
    TUCLCustomComponent::Loaded();
    Init();
}

bool TUCLWndProcComponent::eventFilter(QObject* Watched, QEvent* Event)
{
    if (FDestroying)
        return false;
    if (FHooked && Watched == FHookedOwner)
        return WndProc(Event);
    if (FAppHooked && Watched == QCoreApplication::instance())
        return AppWndProc(Event);
    return false;
}
