// Speed "Slow" on the main window (offscreen): steps per second of a small
// gate board run from the 1 ms timer for five seconds, the message processing
// around each step and the timer's re-arming included.
#include "components/digital/BT_Gatter.h"
#include "engine/Globals.h"
#include "engine/Platine.h"
#include "platform/ClassRegistry.h"
#include "platform/FileHeader.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "shell/MainForm.h"
#include "panel/framework/Frontplatte.h"
#include "support/TestBoard.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

// Counts the board's steps.
class TBTStepCounter : public TGrundBT {
    ZK_CLASS(TBTStepCounter, TGrundBT)

public:
    TBTStepCounter()
    {
        SetInputCount(1);
        Designator = "SC";
    }
    static inline Int64 Steps = 0;
    void Calculate() override { ++Steps; }
};

// Ten gates in a chain ending at the counter.
void WriteProject(const AnsiString& fileName)
{
    TTestBoard test;
    TIOBauteil* previous = nullptr;
    for (Integer g = 0; g < 10; ++g) {
        TIOBauteil* gate = g % 2 ? static_cast<TIOBauteil*>(test.Place("TBTNand", 100 + 400 * g, 100))
                                 : static_cast<TIOBauteil*>(test.Place("TBTInverter", 100 + 400 * g, 100));
        if (previous)
            test.Connect(previous, 0, gate, 0);
        previous = gate;
    }
    test.Connect(previous, 0, test.Place<TBTStepCounter>(4200, 100), 0);
    TFileStream file(fileName, TFileMode::fmCreate);
    TWriter writer(file);
    WriteFileHeader(writer, false);
    test.Board().WriteObjects(file, writer, false);
    TFrontplatte panel;
    panel.RootDesign()->WriteToStream(file, writer);
    panel.WriteToStream(file, writer);
    writer.FlushBuffer();
}

void BM_SlowModeStepsPerSecond(benchmark::State& state)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkpath("Settings");
    QFile speed(folder.filePath("Settings/SPEED.INI"));
    speed.open(QIODevice::WriteOnly);
    speed.write("[Speed]\r\nFast=0\r\n");
    speed.close();
    SetProgramFolder(folder.path().toStdString() + "/");
    ResetGlobals();
    RegisterClass(TBTStepCounter::StaticClass());
    RegisterRows(GateRows());
    const AnsiString project = folder.filePath("Gates.prj").toStdString();
    WriteProject(project);

    for (auto _ : state) {
        TForm1 form(QStringList{folder.filePath("zentrika40")});
        form.OpenProject(project);
        form.StartRequest();
        TBTStepCounter::Steps = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.counters["steps/s"] = static_cast<double>(TBTStepCounter::Steps) / seconds;
        form.SB_StopClick();
    }
    SetProgramFolder("");
    ResetGlobals();
}

} // namespace

BENCHMARK(BM_SlowModeStepsPerSecond)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
