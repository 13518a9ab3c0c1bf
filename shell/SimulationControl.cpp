// Simulation control of the main window: the start sequence, the two ways of
// stepping the board (the free-running loop of speed "Fast" and one step per
// 1 ms tick of speed "Slow"), the 50 ms tick with the step rate, and the stop.
#include "shell/MainForm.h"

#include "engine/Globals.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "engine/Publics.h"
#include "panel/framework/HintBox.h"
#include "platform/AnsiText.h"
#include "platform/IniFile.h"
#include "platform/MouseCursor.h"
#include "platform/Paths.h"
#include "platform/ScreenCursors.h"
#include "project/RunStateFile.h"
#include "shell/BoardMouse.h"
#include "shell/HardwareSettings.h"
#include "shell/MainMenu.h"
#include "shell/Settings.h"
#include "ui/controls/UCLHiTimer.h"
#include "ui/controls/UCLSpeedButton.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cstdio>
#include <exception>
#include <vector>

namespace {

// Steps between two looks at the window messages in the fast loop.
constexpr Int64 FastLoopMessageInterval = 17;
// 50 ms ticks per display of the step rate.
constexpr Integer TicksPerRateDisplay = 20;
// "9999 Hz"; from 10000 on kilohertz with one decimal.
AnsiString StepRateText(Int64 rate)
{
    if (rate < 10000)
        return std::to_string(rate) + " Hz";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(rate) / 1000.0);
    return LocaliseDecimalSeparator(text) + " kHz";
}

// Counts a piece of simulation code on the stack for the life of the object.
struct TRunScope {
    explicit TRunScope(int& depth) : Depth(depth) { ++Depth; }
    ~TRunScope() { --Depth; }
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;
    int& Depth;
};


} // namespace

void TForm1::SB_StartClick()
{
    StartArmed = true;
}

void TForm1::SB_StartMouseMove()
{
    if (StartArmed)
        StartSimulation();
}

void TForm1::StartRequest()
{
    if (SimulationRunning)
        return;
    SB_Start->setChecked(true);
    StartSimulation();
}

void TForm1::StopRequest()
{
    if (!SimulationRunning)
        return;
    Guarded([this] { SB_StopClick(); });
    SB_Stop->setChecked(true);
}

void TForm1::StartSimulation()
{
    {
        TRunScope scope(runDepth_);
        try {
            // The panel returns to these bounds in edit mode.
            Frontplatte->RememberNormalBounds();
            if (!RunOnlyMode) {
                const AnsiString kept = ProjectFileName;
                try {
                    SaveProject(ProgramFolder() + "Backup.prj");
                } catch (...) {
                    SetProjectName(kept);
                    throw;
                }
                SetProjectName(kept);
            } else {
                TIniFile devices(ProgramFolder() + "Settings/HARDWARE.INI");
                Integer counter = 1;
                ReadHardwareSettings(*MainBoard, devices, counter);
            }
            StartArmed = false;
            if (SimulationRunning)
                return;

            Status->setText(QStringLiteral("Start..."));
            Status->repaint();
            {
                TWaitCursor wait;
                MainBoard->PrepareSimulation();   // leaves nothing prepared when it fails
                boardPrepared_ = true;
                MeasuredStepRate = 0;
            }
            CurrentDesign->DeselectIndex(-1);
            CurrentDesign->SortByZOrder();
            Frontplatte->SetRunMode(true);
            LockEditor(true);
            if (CurrentBoard->View)
                CurrentBoard->View->SetBoardCursor(crMagnifier);
            ShowPanelWindow();
            MainBoard->StepCounter = 0;
            TickCounter = 0;
            UCLHiTimer1->SetEnabled(true);
            SimulationRunning = true;
            SimTimer->SetEnabled(true);
            MainBoard->Running = true;
            CurrentBoard->Repaint();
            // The states of the last run, before any message can lead to a
            // step: the first step follows the reset and these states.
            if (Frontplatte->AutoSave())
                Frontplatte->LoadDefaultSettings(ProjectFileName);
            else
                Frontplatte->ResetElementsToDefault();
            ShowPanelWindow();
            LoadRunState(*MainBoard, ProjectFileName);
            CurrentDesign->RefreshTransparency(nullptr);
            if (QWidget* panel = Frontplatte->Window())
                panel->repaint();
        } catch (const std::exception& error) {
            AbortSimulation(error);
            return;
        }
    }
    if (cbSpeed->currentIndex() == 0)
        RunFastLoop();
}

void TForm1::RunFastLoop()
{
    TRunScope scope(runDepth_);
    try {
        while (SimulationRunning && SimSpeedFast) {
            MainBoard->Step();
            if (MainBoard->StepCounter % FastLoopMessageInterval == 0)
                QCoreApplication::processEvents();
        }
    } catch (const std::exception& error) {
        AbortSimulation(error);
    }
}

void TForm1::SimTimerTimer()
{
    if (SimTimerBusy || !MainBoard || CloseTimer->isActive())
        return;
    TRunScope scope(runDepth_);
    SimTimerBusy = true;
    SimTimer->SetEnabled(false);
    try {
        // Whatever is pending, once before and once after the step; what
        // arrives meanwhile waits for the next tick.
        QCoreApplication::processEvents();
        if (SimulationRunning && !SimSpeedFast) {
            MainBoard->Step();
            QCoreApplication::processEvents();
        }
    } catch (const std::exception& error) {
        SimTimerBusy = false;
        AbortSimulation(error);
        return;
    }
    SimTimerBusy = false;
    if (SimulationRunning)
        SimTimer->SetEnabled(true);
}

void TForm1::UCLHiTimer1Timer()
{
    if (!MainBoard || CloseTimer->isActive() || !SimulationRunning)
        return;
    TRunScope scope(runDepth_);
    try {
        if (++TickCounter >= TicksPerRateDisplay) {
            MeasuredStepRate = static_cast<double>(MainBoard->StepCounter);
            Status->setText(AnsiToQString(StepRateText(MainBoard->StepCounter)));
            Status->repaint();
            TickCounter = 0;
            MainBoard->StepCounter = 0;
        }
        MainBoard->Tick();
        BoardMouse->ShowHoveredPin();
    } catch (const std::exception& error) {
        AbortSimulation(error);
    }
}

void TForm1::SB_StopClick()
{
    SimTimer->SetEnabled(false);
    if (!SimulationRunning)
        return;
    UCLHiTimer1->SetEnabled(false);
    SimulationRunning = false;

    // Every part of the stop runs; the first error is raised at the end.
    std::exception_ptr failure;
    auto attempt = [&failure](const std::function<void()>& part) {
        try {
            part();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    attempt([this] {
        if (Frontplatte->AutoSave())
            Frontplatte->SaveDefaultSettings(ProjectFileName);
    });
    attempt([this] { SaveRunState(*MainBoard, ProjectFileName); });
    attempt([this] { Frontplatte->SetRunMode(false); });
    if (!RunOnlyMode)
        LockEditor(false);
    if (CurrentBoard->View)
        CurrentBoard->View->SetBoardCursor(0);
    Status->setText(QStringLiteral("---"));
    // Whichever way the stop came (button, key, close, error), the buttons show it.
    SB_Stop->setChecked(true);
    attempt([this] {
        // The level drawing goes; the switch stays on for the next start.
        if (MainBoard->ShowLineStates)
            MainBoard->SetShowLineStates(false);
    });
    attempt([this] { MainBoard->StopSimulation(); });
    boardPrepared_ = false;
    MainBoard->Running = false;
    CurrentBoard->Repaint();
    attempt([this] {
        Frontplatte->ShowPanel(CurrentDesign);
        Frontplatte->SetWebMode(Frontplatte->WebMode());
        if (!Frontplatte->AutoSave())
            Frontplatte->ResetElementsToDefault();
        if (QWidget* panel = Frontplatte->Window(); panel && panel->isVisible())
            panel->raise();
    });
    if (failure)
        std::rethrow_exception(failure);
}

void TForm1::AbortSimulation(const std::exception& error)
{
    try {
        SB_StopClick();
    } catch (...) {
        // The first error is the one to report.
    }
    // Whatever part of the start or stop ran, nothing of the run is left.
    SimTimer->SetEnabled(false);
    UCLHiTimer1->SetEnabled(false);
    SimulationRunning = false;
    StartArmed = false;
    if (boardPrepared_ && MainBoard) {
        try {
            MainBoard->StopSimulation();
        } catch (...) {
        }
    }
    boardPrepared_ = false;
    if (MainBoard)
        MainBoard->Running = false;
    if (!RunOnlyMode)
        LockEditor(false);
    try {
        Frontplatte->SetRunMode(false);
    } catch (...) {
    }
    Status->setText(QStringLiteral("---"));
    SB_Stop->setChecked(true);
    ShowError(error);
}

void TForm1::cbSpeedChange()
{
    SimSpeedFast = cbSpeed->currentIndex() == 0;
    WriteSpeedSetting(SimSpeedFast);
    if (SimSpeedFast)
        RunFastLoop();
    else
        SimTimer->SetEnabled(SimulationRunning);
}

void TForm1::LockEditor(bool running)
{
    ToolBar1->setEnabled(!running);
    for (QAction* menu : menuBar()->actions())
        menu->setEnabled(!running);
    // The library and the edit modes; the start, stop, display and speed controls stay.
    std::vector<QWidget*> locked = {SB_Bibliothek, BiboButton, cb_NurText, SearchBtn, sb_BiboPlus, sb_BiboMinus};
    if (MainMenu)
        for (QToolButton* mode : MainMenu->ModeButtons())
            locked.push_back(mode);
    for (QWidget* control : locked)
        if (control)
            control->setEnabled(!running);
    // The boards take no edits; the mouse over them zooms and shows wire values.
    for (TPlatine* board : OpenBoards)
        if (auto* view = dynamic_cast<TPlatineView*>(board->View))
            view->SetLocked(running);
    if (!running)
        BoardMouse->PinHintBox->hide();
}

void TForm1::SB_Hilo1Click()
{
    MainBoard->ShowLineStates = SB_HILO->isChecked();
    if (SimulationRunning)
        MainBoard->SetShowLineStates(SB_HILO->isChecked());
}

void TForm1::SB_StatusClick()
{
    MainBoard->ShowComponentStates = SB_Status->isChecked();
    MainBoard->SetShowComponentStates(SB_Status->isChecked());
}
