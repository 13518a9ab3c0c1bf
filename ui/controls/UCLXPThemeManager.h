// Keeps the library's visual-style switch in step with the desktop: when the
// owner's window is made the switch is set from what is available, and a
// theme change turns it off and on again so every control re-reads it.
#pragma once

#include "ui/controls/UCLWndProcComponent.h"

class TUCLXPThemeManager : public TUCLWndProcComponent {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLXPThemeManager, TUCLWndProcComponent)
public:
    explicit TUCLXPThemeManager(QObject* Owner = nullptr) : TUCLWndProcComponent(Owner) {}

protected:
    bool WndProc(QEvent* Event) override;
};

// The library's theme manager, made without owner at first use: it watches
// nothing, it only exists.
TUCLXPThemeManager& LibraryThemeManager();
