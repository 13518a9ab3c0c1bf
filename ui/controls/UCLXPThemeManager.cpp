#include "ui/controls/UCLXPThemeManager.h"

#include "ui/controls/UCLApplication.h"

#include <QCoreApplication>
#include <QEvent>

bool TUCLXPThemeManager::WndProc(QEvent* Event)
{
    TUCLApplication& app = LibraryApplication();
    if (Event->type() == QEvent::WinIdChange) {
        app.SetUseXPThemes(TUCLApplication::ThemesAvailable());
    } else if (Event->type() == QEvent::ThemeChange && app.GetUseXPThemes()) {
        app.SetUseXPThemes(false);
        app.SetUseXPThemes(true);
    }
    return false;
}

namespace {

TUCLXPThemeManager* TheThemeManager = nullptr;

void FreeThemeManager()
{
    delete TheThemeManager;
    TheThemeManager = nullptr;
}

} // namespace

TUCLXPThemeManager& LibraryThemeManager()
{
    if (!TheThemeManager) {
        TheThemeManager = new TUCLXPThemeManager;
        qAddPostRoutine(FreeThemeManager);
    }
    return *TheThemeManager;
}
