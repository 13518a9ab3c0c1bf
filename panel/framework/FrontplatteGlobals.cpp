#include "panel/framework/FrontplatteGlobals.h"

#include "engine/Globals.h"

bool PanelRepaintPending = false;
std::function<void(const AnsiString&)> SettingsLoader;
bool KeepWindowGeometry = false;
AnsiString WebPanelPrefix;
AnsiString WebServerPath;
Integer WebRefreshSeconds = 5;
std::vector<THotkey*> HotkeyReceivers;

void ResetFrontplatteGlobals()
{
    PanelRepaintPending = false;
    SettingsLoader = nullptr;
    KeepWindowGeometry = false;
    WebPanelPrefix.clear();
    WebServerPath.clear();
    WebRefreshSeconds = 5;
    HotkeyReceivers.clear();
}

static const bool FrontplatteGlobalsReset = AddGlobalsReset(ResetFrontplatteGlobals);
