// State the front-panel window owns and other parts read: the repaint after
// run mode, the loader of settings files for the settings list element, the
// geometry lock while that element loads, the web-server link's values stored
// in the window block, and the components that receive keys in run mode.
#pragma once

#include "platform/SysTypes.h"

#include <functional>
#include <vector>

class THotkey;

// Set whenever the window leaves run mode; the root container repaints on the
// next mouse release and clears it.
extern bool PanelRepaintPending;
// The window's settings-file loader (a full file name), installed at creation.
extern std::function<void(const AnsiString&)> SettingsLoader;
// While set, loading a settings file leaves the window's geometry alone.
extern bool KeepWindowGeometry;
// The prefix of web ids: the root container's name.
extern AnsiString WebPanelPrefix;
// The web-server add-on's executable; empty when no add-on is installed.
extern AnsiString WebServerPath;
extern Integer WebRefreshSeconds;
// The hotkeys of the hotkey receiver components, in the order they were added.
extern std::vector<THotkey*> HotkeyReceivers;

void ResetFrontplatteGlobals();
