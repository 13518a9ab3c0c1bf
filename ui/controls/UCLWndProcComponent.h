// A non-visual component that watches the events of the widget that owns it
// (a window procedure hook, here an event filter): every
// event goes on to the owner unchanged, and descendants react to those they
// care about in WndProc. With HandleApp it also sees the application's own
// events (AppWndProc).
#pragma once

#include "ui/controls/UCLBase.h"

class QEvent;

class TUCLWndProcComponent : public TUCLCustomComponent {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLWndProcComponent, TUCLCustomComponent)
public:
    explicit TUCLWndProcComponent(QObject* Owner = nullptr);
    ~TUCLWndProcComponent() override;

    // Hook when possible (after loading or an explicit Init).
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Removing the hook leaves the owner as it is (the owner is going).
    bool Silent = false;
    // Also watch the application's events.
    bool HandleApp = false;

    bool Hooked() const { return FHooked; }
    bool Destroying() const { return FDestroying; }

    // Hooks when enabled and not hooked yet.
    virtual void Init();
    // Hooks the owner: only a widget owner can be hooked, and only once.
    bool NewWndProc();
    void RestoreWndProc();
    virtual void RestoreState() { RestoreWndProc(); }
    void Loaded() override;

protected:
    // An event of the owner; true keeps it from the owner. Nothing while the
    // component is being destroyed.
    virtual bool WndProc(QEvent* Event) { return false; }
    // An event of the application; true keeps it from the application.
    virtual bool AppWndProc(QEvent* Event) { return false; }
    virtual void EnabledChanged() {}

    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    bool FEnabled = true;
    bool FHooked = false;
    bool FAppHooked = false;
    bool FDestroying = false;
    QObject* FHookedOwner = nullptr;
};
