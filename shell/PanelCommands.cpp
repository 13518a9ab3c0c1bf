// The main window and the front-panel window: the callbacks the panel window
// calls (start, stop, hardware and configuration dialogs, the run-only close),
// showing it and keeping it on the screen.
#include "shell/MainForm.h"

#include "engine/Globals.h"
#include "engine/Platine.h"
#include "shell/MainMenu.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void TForm1::InstallPanelCallbacks(IFrontplatte& panel)
{
    panel.OnStopKey = [this] { StopRequest(); };
    panel.OnStartKey = [this] { StartRequest(); };
    // The board stops for the dialog and starts afresh after it.
    panel.OnHardwareDialog = [this] {
        TMainMenu* menu = MainMenu;
        if (!menu || !MainBoard)
            return;
        Guarded([this, menu] {
            const bool running = SimulationRunning;
            if (running)
                MainBoard->StopSimulation();
            menu->Commands.HardwareSettingsDialog();
            // Prepared afresh: the devices take their new settings.
            if (running)
                MainBoard->PrepareSimulation();
        });
    };
    if (RunOnlyMode)
        panel.OnCloseRequest = [this] { CloseRequest(); };
}

void TForm1::ShowPanelWindow()
{
    QWidget* window = Frontplatte ? Frontplatte->Window() : nullptr;
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TForm1::KeepPanelOnScreen()
{
    QWidget* window = Frontplatte ? Frontplatte->Window() : nullptr;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!window || !screen)
        return;
    // The desktop of all screens, so that a window on a second screen at
    // negative coordinates stays there while that screen is attached.
    const QRect area = screen->virtualGeometry();
    const QRect frame = window->frameGeometry();
    int left = std::max(area.left(), window->x());
    int top = std::max(area.top(), window->y());
    if (left + frame.width() > area.right() + 1)
        left = std::max(area.left(), area.right() + 1 - frame.width());
    if (top + frame.height() > area.bottom() + 1)
        top = std::max(area.top(), area.bottom() + 1 - frame.height());
    window->move(left, top);
}
