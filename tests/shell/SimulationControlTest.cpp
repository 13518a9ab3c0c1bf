#include <gtest/gtest.h>

#include "components/analog/BT_SimStop.h"
#include "components/digital/BT_Gatter.h"
#include "engine/Globals.h"
#include "engine/PlatineView.h"
#include "engine/Publics.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "shell/MainForm.h"
#include "panel/framework/Frontplatte.h"
#include "shell/PortHardware.h"
#include "shell/Settings.h"
#include "shell/ShellFixture.h"
#include "support/TestBoard.h"
#include "ui/controls/UCLHiTimer.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <stdexcept>

namespace {

enum class TFault { None, Reset, Step, Tick, Stop };

// Watches the run from inside the circuit: counts its steps and ticks, notes
// what it saw at its first step, reads its input, and raises where told.
class TBTRunProbe : public TGrundBT {
    ZK_CLASS(TBTRunProbe, TGrundBT)

public:
    TBTRunProbe()
    {
        SetInputCount(1);
        Designator = "RP";
        NeedsTimerTick = true;
    }

    Int64 Steps = 0;
    Integer Resets = 0;
    Integer Ticks = 0;
    Integer Stops = 0;
    Integer Loaded = -1;
    bool InputLow = true;
    struct {
        Integer Resets = -1, Ticks = -1, Loaded = -1;
        bool Running = false;
    } AtFirstStep;

    static inline std::function<void(TBTRunProbe&)> OnStep;
    static inline TFault Fault = TFault::None;
    static inline Int64 FaultStep = 1;

    void ResetForStart() override
    {
        ++Resets;
        Steps = 0;
        if (Fault == TFault::Reset)
            throw std::runtime_error("probe reset failed");
    }
    void Calculate() override
    {
        if (Steps == 0)
            AtFirstStep = {Resets, Ticks, Loaded, SimulationRunning};
        ++Steps;
        InputLow = InputLow && !InputLogic(0);
        if (Fault == TFault::Step && Steps == FaultStep)
            throw std::runtime_error("probe step failed");
        if (OnStep)
            OnStep(*this);
    }
    void TimerTick() override
    {
        ++Ticks;
        if (Fault == TFault::Tick)
            throw std::runtime_error("probe tick failed");
    }
    void SimulationStopped() override
    {
        ++Stops;
        if (Fault == TFault::Stop)
            throw std::runtime_error("probe stop failed");
    }
    AnsiString Section(const AnsiString& board) const { return board + "." + Designator + std::to_string(Number); }
    void SaveState(TCustomIniFile& ini, const AnsiString& board) override
    {
        ini.WriteInteger(Section(board), "Steps", static_cast<Integer>(Steps));
    }
    void LoadState(TCustomIniFile& ini, const AnsiString& board, Integer) override
    {
        Loaded = ini.ReadInteger(Section(board), "Loaded", -1);
    }
};

// An inverter and an AND gate in a chain ending at the probe: with the
// inverter's input open the probe reads low, once the start has linked the
// nets that the file holds as wires.
class SimulationTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        RegisterClass(TBTRunProbe::StaticClass());
        RegisterRows(GateRows());
        RegisterClass(TBTPortHardware::StaticClass());
        TBTRunProbe::OnStep = nullptr;
        TBTRunProbe::Fault = TFault::None;
        WriteGates(Program() + "Gatter.prj", false);
    }
    void TearDown() override
    {
        TBTRunProbe::OnStep = nullptr;
        TBTRunProbe::Fault = TFault::None;
        if (form_) {
            form_->SB_StopClick();
            form_->SimTimer->SetEnabled(false);
        }
        TShellFixture::TearDown();
    }

    void WriteGates(const AnsiString& fileName, bool compiled, bool withHardware = false)
    {
        TTestBoard test;
        auto* inverter = test.Place("TBTInverter", 100, 100);
        auto* gate = test.Place("TBTAnd", 400, 100);
        auto* probe = test.Place<TBTRunProbe>(800, 100);
        test.Connect(inverter, 0, gate, 0);
        test.Connect(gate, 0, probe, 0);
        if (withHardware)
            test.Place<TBTPortHardware>(100, 600);
        TFileStream file(QtFileName(fileName).toStdString(), TFileMode::fmCreate);
        TWriter writer(file);
        WriteFileHeader(writer, compiled);
        test.Board().WriteObjects(file, writer, false);
        // A project file ends with the panel's two blocks.
        TFrontplatte panel;
        panel.RootDesign()->WriteToStream(file, writer);
        panel.WriteToStream(file, writer);
    }

    void SetSpeed(bool fast) { WriteFile("Settings/SPEED.INI", fast ? "[Speed]\r\nFast=1\r\n" : "[Speed]\r\nFast=0\r\n"); }

    // The development program with the gates open.
    TForm1& OpenGates(bool fast)
    {
        SetSpeed(fast);
        TForm1& form = Create();
        form.OpenProject(Program() + "Gatter.prj");
        return form;
    }
    static TBTRunProbe* Probe(TForm1& form)
    {
        for (TBauteil* object : form.MainBoard->Objects)
            if (auto* probe = dynamic_cast<TBTRunProbe*>(object))
                return probe;
        return nullptr;
    }
    // Lets the timers deliver until done says so; false when that takes
    // unreasonably long (a hang, not a measurement).
    template <class Done>
    static bool ProcessUntil(Done done)
    {
        QElapsedTimer patience;
        patience.start();
        while (!done()) {
            if (patience.elapsed() > 30000)
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        return true;
    }
    // Runs the action from the message processing of the running loop.
    static void Later(TForm1& form, std::function<void()> action)
    {
        QMetaObject::invokeMethod(&form, std::move(action), Qt::QueuedConnection);
    }

    static void ExpectStopped(TForm1& form)
    {
        EXPECT_FALSE(SimulationRunning);
        EXPECT_FALSE(form.SimTimer->Enabled());
        EXPECT_FALSE(form.UCLHiTimer1->Enabled());
        EXPECT_FALSE(form.MainBoard->Running);
        EXPECT_EQ(form.Status->text(), QStringLiteral("---"));
        EXPECT_TRUE(form.SB_Stop->isChecked());
        EXPECT_TRUE(form.ToolBar1->isEnabled());
        EXPECT_TRUE(form.Datei1->menuAction()->isEnabled());
        EXPECT_FALSE(static_cast<TPlatineView*>(form.PlatineScrollbox)->Locked());
        EXPECT_TRUE(form.findChild<QWidget*>("StandardBtn")->isEnabled());
        EXPECT_TRUE(form.findChild<QWidget*>("BiboButton")->isEnabled());
    }
};

TEST_F(SimulationTest, FastLoopShowsTheStepRateAndStopsFromInside)
{
    enum class TStopBy { Button, Escape };
    for (TStopBy stopBy : {TStopBy::Button, TStopBy::Escape}) {
        SCOPED_TRACE(stopBy == TStopBy::Button ? "stop button" : "escape key");
        TForm1& form = OpenGates(true);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        const AnsiString project = form.ProjectFileName;
        bool editorLocked = false;
        bool stopPosted = false;
        QString rate;
        TBTRunProbe::OnStep = [&](TBTRunProbe& probe) {
            editorLocked = !form.ToolBar1->isEnabled() && !form.Datei1->menuAction()->isEnabled()
                           && static_cast<TPlatineView*>(form.PlatineScrollbox)->Locked() && form.cbSpeed->isEnabled()
                           && form.SB_Stop->isEnabled() && !form.findChild<QWidget*>("StandardBtn")->isEnabled()
                           && !form.findChild<QWidget*>("BiboButton")->isEnabled();
            if (stopPosted || !form.Status->text().endsWith("Hz"))
                return;
            stopPosted = true;
            rate = form.Status->text();
            Later(form, [&form, stopBy] {
                if (stopBy == TStopBy::Button)
                    QTest::mouseClick(form.SB_Stop, Qt::LeftButton);
                else   // the panel window is in front while the circuit runs
                    QTest::keyClick(form.Frontplatte->Window(), Qt::Key_Escape);
            });
        };
        form.StartRequest();   // returns when the loop has ended

        TBTRunProbe* probe = Probe(form);
        ASSERT_TRUE(stopPosted);
        EXPECT_TRUE(editorLocked);
        EXPECT_TRUE(QRegularExpression("^(\\d+ Hz|\\d+[.,]\\d kHz)$").match(rate).hasMatch()) << rate.toStdString();
        EXPECT_GT(MeasuredStepRate, 0.0);
        EXPECT_TRUE(probe->InputLow);
        EXPECT_EQ(probe->Stops, 1);
        ExpectStopped(form);
        // The backup of the start, entered like any saved project; the project keeps its name.
        EXPECT_TRUE(FileExists(Program() + "Backup.prj"));
        EXPECT_EQ(form.History.Entry(0), Program() + "Backup.prj");
        EXPECT_EQ(form.ProjectFileName, project);
    }
}

// The simulation stop ends the run from inside the step through the hook the
// main window installs, as the stop button does.
TEST_F(SimulationTest, AStopComponentEndsTheRunFromInside)
{
    TForm1& form = OpenGates(true);
    auto* stop = dynamic_cast<TBTStop*>(CreateComponent("TBTStop"));
    stop->X = 2000;
    stop->Y = 2000;
    stop->LayoutPins();
    stop->Board = form.MainBoard;
    form.MainBoard->Objects.push_back(stop);
    form.MainBoard->CreatePinStubs(stop);
    TBTRunProbe::OnStep = [stop](TBTRunProbe& probe) {
        // The open input reads high; inverted it reads low: a falling edge.
        if (probe.Steps == 5)
            stop->Inputs[0].Inverted = true;
    };
    form.StartRequest();   // returns when the loop has ended
    EXPECT_EQ(Probe(form)->Steps, 5);
    EXPECT_EQ(Probe(form)->Stops, 1);
    ExpectStopped(form);
}

TEST_F(SimulationTest, FirstStepFollowsTheResetAndTheRetainedStates)
{
    WriteFile("GATTER_Default.set", "[MAIN.RP1]\r\nLoaded=42\r\n");
    TForm1& form = OpenGates(false);
    TBTRunProbe* probe = Probe(form);
    form.StartRequest();
    ASSERT_TRUE(SimulationRunning);
    EXPECT_EQ(probe->Steps, 0);   // nothing stepped inside the start
    ASSERT_TRUE(ProcessUntil([&] { return probe->Steps >= 3; }));
    EXPECT_EQ(probe->AtFirstStep.Resets, 1);
    EXPECT_EQ(probe->AtFirstStep.Loaded, 42);
    EXPECT_EQ(probe->AtFirstStep.Ticks, 0);
    EXPECT_TRUE(probe->AtFirstStep.Running);
    EXPECT_EQ(MeasuredStepRate, 0.0);   // no rate before a whole second has passed

    form.StopRequest();
    ExpectStopped(form);
    TIniFile states(Program() + "GATTER_Default.set");
    EXPECT_EQ(states.ReadInteger("MAIN.RP1", "Steps", -1), probe->Steps);
}

TEST_F(SimulationTest, SlowSpeedMakesAtMostOneStepPerTick)
{
    TForm1& form = OpenGates(false);
    TBTRunProbe* probe = Probe(form);
    Int64 ticks = 0;
    form.SimTimer->SetOnTimer([&](TPersistent*) {
        ++ticks;
        form.SimTimerTimer();
    });
    form.StartRequest();
    ASSERT_TRUE(SimulationRunning);
    ASSERT_TRUE(ProcessUntil([&] { return probe->Steps >= 30; }));
    EXPECT_LE(probe->Steps, ticks);
    EXPECT_TRUE(probe->InputLow);
    form.StopRequest();
    ExpectStopped(form);
    const Int64 stepped = probe->Steps;
    QCoreApplication::processEvents();
    EXPECT_EQ(probe->Steps, stepped);
}

TEST_F(SimulationTest, SpeedChangesWhileRunningSwitchBetweenLoopAndTimer)
{
    TForm1& form = OpenGates(false);
    TBTRunProbe* probe = Probe(form);
    form.StartRequest();
    ASSERT_TRUE(ProcessUntil([&] { return probe->Steps >= 2; }));

    // "Fast" enters the loop from the speed box; "Slow" chosen inside it ends the loop.
    Int64 enteredAt = -1;
    TBTRunProbe::OnStep = [&](TBTRunProbe& p) {
        if (enteredAt < 0)
            enteredAt = p.Steps;
        if (p.Steps == enteredAt + 1000)
            Later(form, [&form] { form.cbSpeed->setCurrentIndex(1); });
    };
    form.cbSpeed->setCurrentIndex(0);
    TBTRunProbe::OnStep = nullptr;
    EXPECT_TRUE(SimulationRunning);
    EXPECT_FALSE(SimSpeedFast);
    EXPECT_GE(probe->Steps, enteredAt + 1000);
    EXPECT_EQ(ReadFile("Settings/SPEED.INI"), "[Speed]\r\nFast=0\r\n");
    EXPECT_TRUE(form.SimTimer->Enabled());
    const Int64 afterLoop = probe->Steps;
    ASSERT_TRUE(ProcessUntil([&] { return probe->Steps >= afterLoop + 3; }));   // the timer steps again
    form.StopRequest();

    // Stopped, a change only stores the choice.
    form.cbSpeed->setCurrentIndex(0);
    EXPECT_TRUE(SimSpeedFast);
    EXPECT_FALSE(SimulationRunning);
    EXPECT_EQ(ReadFile("Settings/SPEED.INI"), "[Speed]\r\nFast=1\r\n");
}

TEST_F(SimulationTest, StatusShowsTheRateOnceASecond)
{
    const struct {
        Integer Steps;
        AnsiString Label;
    } cases[] = {
        {0, "0 Hz"},
        {9999, "9999 Hz"},
        {10000, LocaliseDecimalSeparator("10.0") + " kHz"},
        {10049, LocaliseDecimalSeparator("10.0") + " kHz"},
        {1234567, LocaliseDecimalSeparator("1234.6") + " kHz"},
    };
    TForm1& form = OpenGates(false);
    form.StartRequest();
    ASSERT_TRUE(SimulationRunning);
    TBTRunProbe* probe = Probe(form);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Steps);
        form.Status->setText("?");
        form.MainBoard->StepCounter = c.Steps;
        form.TickCounter = 0;
        for (int tick = 1; tick < 20; ++tick)
            form.UCLHiTimer1Timer();
        EXPECT_EQ(form.Status->text(), QStringLiteral("?"));
        form.UCLHiTimer1Timer();
        EXPECT_EQ(form.Status->text(), AnsiToQString(c.Label));
        EXPECT_EQ(MeasuredStepRate, c.Steps);
        EXPECT_EQ(form.MainBoard->StepCounter, 0);
        EXPECT_EQ(form.TickCounter, 0);
    }
    EXPECT_EQ(probe->Ticks, 20 * static_cast<Integer>(std::size(cases)));
}

TEST_F(SimulationTest, ComponentErrorStopsTheRunCleanlyWithAnErrorBox)
{
    const struct {
        TFault Fault;
        bool Fast;
        Int64 AtStep;
        const char* Message;
    } cases[] = {
        {TFault::Reset, true, 1, "probe reset failed"},
        {TFault::Step, true, 5000, "probe step failed"},   // deep in the fast loop
        {TFault::Step, false, 3, "probe step failed"},
        {TFault::Tick, false, 1, "probe tick failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        SCOPED_TRACE(c.Fast ? "fast" : "slow");
        TForm1& form = OpenGates(c.Fast);
        TBTRunProbe::Fault = c.Fault;
        TBTRunProbe::FaultStep = c.AtStep;
        TModalHook hook(std::vector<TModalAnswer>{});
        form.StartRequest();
        ASSERT_TRUE(ProcessUntil([&] { return !hook.Requests().empty(); }));
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Text, c.Message);
        EXPECT_EQ(hook.Requests()[0].Flags, MB_OK | MB_ICONERROR);
        ExpectStopped(form);
        QCoreApplication::processEvents();

        // The next start runs.
        TBTRunProbe::Fault = TFault::None;
        form.cbSpeed->setCurrentIndex(1);
        form.StartRequest();
        EXPECT_TRUE(SimulationRunning);
        form.StopRequest();
    }
}

TEST_F(SimulationTest, ErrorOfAStopHookStillStopsEverything)
{
    TForm1& form = OpenGates(false);
    form.StartRequest();
    TBTRunProbe::Fault = TFault::Stop;
    TModalHook hook(std::vector<TModalAnswer>{});
    QTest::mouseClick(form.SB_Stop, Qt::LeftButton);
    ASSERT_EQ(hook.Requests().size(), 1u);
    EXPECT_EQ(hook.Requests()[0].Text, "probe stop failed");
    ExpectStopped(form);
    EXPECT_TRUE(FileExists(Program() + "GATTER_Default.set"));   // the states were saved all the same
}

TEST_F(SimulationTest, ClosingWhileRunningStopsFirstAndClosesASecondLater)
{
    TForm1& form = OpenGates(true);
    form.show();
    TBTRunProbe::OnStep = [&](TBTRunProbe& probe) {
        if (probe.Steps == 2000)
            Later(form, [&form] { form.close(); });
    };
    form.StartRequest();
    TBTRunProbe::OnStep = nullptr;
    EXPECT_FALSE(form.Closed());
    EXPECT_TRUE(form.CloseTimer->isActive());
    ExpectStopped(form);
    // Ticks of a pending close are left alone.
    form.SimTimerTimer();
    EXPECT_FALSE(form.SimTimerBusy);

    TModalHook hook({TModalAnswer::Button(IDNO)});
    ASSERT_TRUE(ProcessUntil([&] { return form.Closed(); }));
    EXPECT_EQ(hook.Requests().size(), 1u);   // the save prompt of the repeated close
    EXPECT_EQ(form.MainBoard, nullptr);
}

TEST_F(SimulationTest, StartButtonStartsOnTheMouseMoveAfterTheClick)
{
    TForm1& form = OpenGates(false);
    form.show();
    QTest::mouseClick(form.SB_Start, Qt::LeftButton);
    EXPECT_TRUE(form.StartArmed);
    EXPECT_FALSE(SimulationRunning);
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), form.SB_Start->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.SB_Start, &move);
    EXPECT_TRUE(SimulationRunning);
    EXPECT_FALSE(form.StartArmed);
    EXPECT_TRUE(form.SB_Start->isChecked());
    form.StopRequest();
    EXPECT_TRUE(form.SB_Stop->isChecked());
}

TEST_F(SimulationTest, CommandLineSwitchStartsTheOpenedProject)
{
    SetSpeed(false);
    TForm1& form = Create({Path("Gatter.prj"), "/Run"});
    form.show();
    EXPECT_FALSE(SimulationRunning);   // started from the message loop
    ASSERT_TRUE(ProcessUntil([] { return SimulationRunning; }));
    EXPECT_TRUE(form.SB_Start->isChecked());
    TBTRunProbe* probe = Probe(form);
    ASSERT_TRUE(ProcessUntil([&] { return probe->Steps >= 2; }));
    form.StopRequest();
}

TEST_F(SimulationTest, RunOnlyCopyStartsWithItsDeviceConnectionsAndStaysLocked)
{
    SetSpeed(false);
    WriteGates(Program() + "comp.mod", true, true);
    WriteFile("Settings/HARDWARE.INI", "[1.HW1]\r\nPort=7\r\n");
    TForm1& form = Create({}, "Anlage");
    form.show();
    ASSERT_FALSE(form.Closed());
    ASSERT_TRUE(ProcessUntil([] { return SimulationRunning; }));
    EXPECT_FALSE(FileExists(Program() + "Backup.prj"));
    TBTPortHardware* hardware = nullptr;
    for (TBauteil* object : form.MainBoard->Objects)
        if (auto* h = dynamic_cast<TBTPortHardware*>(object))
            hardware = h;
    ASSERT_NE(hardware, nullptr);
    EXPECT_EQ(hardware->Device().Port, 7);
    TBTRunProbe* probe = Probe(form);
    ASSERT_TRUE(ProcessUntil([&] { return probe->Steps >= 2; }));
    form.StopRequest();
    EXPECT_FALSE(SimulationRunning);
    EXPECT_FALSE(form.ToolBar1->isEnabled());   // a compiled program has no editor to give back
}

TEST_F(SimulationTest, DisplaySwitches)
{
    TForm1& form = OpenGates(false);
    const auto objectsShow = [&form](bool TBauteil::*flag) {
        for (TBauteil* object : form.MainBoard->Objects)
            if (!(object->*flag))
                return false;
        return true;
    };
    // Stopped: the wire states wait for the start, the component states hold at once.
    QTest::mouseClick(form.SB_HILO, Qt::LeftButton);
    EXPECT_TRUE(form.MainBoard->ShowLineStates);
    EXPECT_FALSE(objectsShow(&TBauteil::ShowLineStates));
    QTest::mouseClick(form.SB_Status, Qt::LeftButton);
    EXPECT_TRUE(form.MainBoard->ShowComponentStates);
    EXPECT_TRUE(objectsShow(&TBauteil::ShowComponentStates));

    form.StartRequest();
    EXPECT_TRUE(objectsShow(&TBauteil::ShowLineStates));
    QTest::mouseClick(form.SB_HILO, Qt::LeftButton);   // off while running: at once
    EXPECT_FALSE(objectsShow(&TBauteil::ShowLineStates));
    QTest::mouseClick(form.SB_HILO, Qt::LeftButton);
    EXPECT_TRUE(objectsShow(&TBauteil::ShowLineStates));
    form.StopRequest();
    // The level drawing goes with the stop; the switch stays for the next start.
    EXPECT_TRUE(form.MainBoard->ShowLineStates);
    EXPECT_FALSE(objectsShow(&TBauteil::ShowLineStates));
}

} // namespace
