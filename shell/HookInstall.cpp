#include "shell/HookInstall.h"

#include "dialogs/DLG_Default.h"
#include "engine/Globals.h"
#include "engine/Platine.h"
#include "engine/ShellHooks.h"
#include "hardware/framework/BT_Hardware.h"
#include "hardware/framework/DLG_Hardware.h"
#include "hardware/framework/DLG_Hersteller.h"
#include "hardware/framework/DLG_PinPort.h"
#include "hardware/framework/IO_Interface.h"
#include "shell/MainForm.h"
#include "shell/MainMenu.h"
#include "shell/ProgressWindow.h"

void InstallHardwareHooks()
{
    ShellHooks.CreateHardwareByLegacyName = TBTHardware::CreateByLegacyName;
    ShellHooks.CreateHardwareHolding = TBTHardware::CreateHolding;
    // The maker's links of a device (the library's information mark, the
    // board's "Weitere Informationen..."); only the framework's devices have them.
    ShellHooks.ShowMakerLinks = [](IDevice& device) {
        if (auto* driver = dynamic_cast<TIOInterface*>(&device))
            ShowMakerLinks(*driver);
    };
}

void InstallShellHooks(TForm1& form)
{
    InstallHardwareHooks();
    // The progress window may come and go (the program makes one after the
    // main window): each call goes to the one that exists.
    ShellHooks.Progress.Start = [](const AnsiString& title, bool show) {
        if (ProgressWindow)
            ProgressWindow->Start(title, show);
    };
    ShellHooks.Progress.SetTitle = [](const AnsiString& title) {
        if (ProgressWindow)
            ProgressWindow->SetTitle(title);
    };
    ShellHooks.Progress.SetPosition = [](Integer percent) {
        if (ProgressWindow)
            ProgressWindow->SetPosition(percent);
    };
    ShellHooks.Progress.Close = [] {
        if (ProgressWindow)
            ProgressWindow->Close();
    };
    // Macros and macro pins edit their names in the shared property sheet.
    ShellHooks.TextRowDialog = EditTextRow;
    ShellHooks.TextLabelDialog = EditTextLabel;
    // The settings dialog's pin button opens the devices' pins-and-ports form.
    InstallPinPortDialogLink();
    // A component's close request: the front panel's close ends the run; a
    // run-only copy has only its main window, whose close ends the program.
    ShellHooks.RequestStop = [&form] {
        if (RunOnlyMode)
            form.close();
        else
            form.StopRequest();
    };
    ShellHooks.TakeSnapshot = [&form] {
        if (form.CurrentBoard)
            form.CurrentBoard->TakeSnapshot();
    };
    form.MainMenu->Commands.HardwareDialog = EditHardwareIni;
    form.MainMenu->UpdateCommandStates();
}
