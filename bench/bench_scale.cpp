// Large projects: the time of one open, save, close, wire normalisation,
// preparation, select all, delete, paste, duplicate, tidy-up and drag end of
// a board of N gates, each gate with its pin stubs and seven wire pieces from
// its neighbour (eleven objects a gate). The rows measured at several sizes
// end with the growth exponent fitted to them (time ~ N^k): 1 is linear.
#include "components/digital/BT_Gatter.h"
#include "engine/Globals.h"
#include "engine/Platine.h"
#include "engine/Segment.h"
#include "platform/FileHeader.h"
#include "platform/Stream.h"
#include "shell/ComponentClasses.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

constexpr Integer GatesPerRow = 100;
constexpr Integer Pitch = 400;

// Gate g sits on a grid; from the second gate of a row on, both inputs are
// wired from the output of the gate before it along two routes that touch
// nothing else (a dot where the two routes leave the output).
void PutGate(TPlatine& board, Integer g, TIOBauteil* previous, std::vector<TIOBauteil*>& gates)
{
    TIOBauteil* gate = CreateComponent(g % 3 == 0 ? "TBTNand" : "TBTExor");
    gate->X = 200 + g % GatesPerRow * Pitch;
    gate->Y = 200 + g / GatesPerRow * Pitch;
    gate->LayoutPins();
    gate->Board = &board;
    board.Objects.push_back(gate);
    board.CreatePinStubs(gate);
    gate->SetNumber(g + 1);
    gate->SetSelected(false);
    gates.push_back(gate);
    if (!previous)
        return;
    const TBauteilPin& out = previous->Outputs[0];
    const TBauteilPin& in0 = gate->Inputs[0];
    const TBauteilPin& in1 = gate->Inputs[1];
    const Integer midX = (out.X + in0.X) / 2;
    const TPoint route0[] = {{out.X, out.Y}, {midX, out.Y}, {midX, in0.Y}, {in0.X, in0.Y}};
    const TPoint route1[] = {{out.X, out.Y}, {out.X, out.Y + 90}, {in1.X - 60, out.Y + 90}, {in1.X - 60, in1.Y},
                             {in1.X, in1.Y}};
    for (std::size_t k = 0; k + 1 < std::size(route0); ++k)
        board.AddWire(route0[k], route0[k + 1]);
    for (std::size_t k = 0; k + 1 < std::size(route1); ++k)
        board.AddWire(route1[k], route1[k + 1]);
}

std::unique_ptr<TPlatine> BuildBoard(Integer gateCount)
{
    auto board = std::make_unique<TPlatine>();
    board->BoardWidth = board->BoardHeight = 100000000;
    std::vector<TIOBauteil*> gates;
    gates.reserve(static_cast<std::size_t>(gateCount));
    for (Integer g = 0; g < gateCount; ++g)
        PutGate(*board, g, g % GatesPerRow == 0 ? nullptr : gates.back(), gates);
    for (TBauteil* object : board->Objects)
        object->SetSelected(false);
    board->NormaliseAllWires();
    return board;
}

// A saved project of N gates, made once per size.
const std::string& ProjectFile(Integer gateCount)
{
    static QTemporaryDir folder;
    static std::map<Integer, std::string> files;
    std::string& file = files[gateCount];
    if (file.empty()) {
        file = folder.filePath(QString("gates%1.prj").arg(gateCount)).toStdString();
        std::unique_ptr<TPlatine> board = BuildBoard(gateCount);
        TFileStream stream(file, TFileMode::fmCreate);
        TWriter writer(stream);
        board->WriteObjects(stream, writer, false);
        writer.FlushBuffer();
    }
    return file;
}

// Opening as the main window does: the objects read, then every wire
// normalised. The gates have no panel elements: the read event takes only
// the has-element flag.
std::unique_ptr<TPlatine> Open(Integer gateCount)
{
    auto board = std::make_unique<TPlatine>();
    board->BoardWidth = board->BoardHeight = 100000000;
    board->OnNeuesBauteil = [](TPlatine*, TIOBauteil*, TStream&, TReader& reader, Byte) { reader.ReadBoolean(); };
    TFileStream stream(ProjectFile(gateCount), TFileMode::fmOpenRead);
    TReader reader(stream);
    board->ReadObjects(stream, reader, static_cast<Byte>(FileVersion));
    board->SelectAll(false);
    board->NormaliseAllWires();
    return board;
}

template <class F>
double Seconds(F&& f)
{
    const TClock::time_point start = TClock::now();
    f();
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// Times the operation on a board opened afresh for each iteration.
template <class F>
void OnOpenBoard(benchmark::State& state, F&& operation)
{
    const auto gates = static_cast<Integer>(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<TPlatine> board = Open(gates);
        state.SetIterationTime(Seconds([&] { operation(*board); }));
    }
    state.counters["gates"] = static_cast<double>(gates);
}

void BM_Open(benchmark::State& state)
{
    const auto gates = static_cast<Integer>(state.range(0));
    ProjectFile(gates);
    for (auto _ : state) {
        std::unique_ptr<TPlatine> board;
        state.SetIterationTime(Seconds([&] { board = Open(gates); }));
        state.counters["objects"] = static_cast<double>(board->Objects.size());
    }
    state.counters["gates"] = static_cast<double>(gates);
}

void BM_Save(benchmark::State& state)
{
    OnOpenBoard(state, [](TPlatine& board) {
        TMemoryStream stream;
        TWriter writer(stream);
        board.WriteObjects(stream, writer, false);
        writer.FlushBuffer();
    });
}

void BM_Close(benchmark::State& state)
{
    const auto gates = static_cast<Integer>(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<TPlatine> board = Open(gates);
        state.SetIterationTime(Seconds([&] { board.reset(); }));
    }
    state.counters["gates"] = static_cast<double>(gates);
}

void BM_NormaliseAll(benchmark::State& state)
{
    OnOpenBoard(state, [](TPlatine& board) { board.NormaliseAllWires(); });
}

void BM_Prepare(benchmark::State& state)
{
    OnOpenBoard(state, [](TPlatine& board) { board.PrepareSimulation(); });
}

void BM_SelectAll(benchmark::State& state)
{
    OnOpenBoard(state, [](TPlatine& board) {
        board.SelectAll(true);
        board.SelectAll(false);
    });
}

void BM_DeleteAll(benchmark::State& state)
{
    OnOpenBoard(state, [](TPlatine& board) {
        board.SelectAll(true);
        board.DeleteSelected();
    });
}

// Everything copied and pasted beside itself, then put down.
void BM_Duplicate(benchmark::State& state)
{
    OnOpenBoard(state, [](TPlatine& board) {
        TMemoryStream clipboard;
        board.ClipboardStream = &clipboard;
        board.SelectAll(true);
        board.CopySelection();
        board.PasteFromStream(clipboard, static_cast<Byte>(FileVersion));
        board.EndDrag(0, 0, 0, TMouseButton::mbLeft);
        board.ClipboardStream = nullptr;
    });
}

// The first half of the board moved one grid step and put down.
void BM_DragEnd(benchmark::State& state)
{
    OnOpenBoard(state, [](TPlatine& board) {
        const std::size_t half = board.Objects.size() / 2;
        for (std::size_t i = 0; i < half; ++i)
            board.SelectObject(board.Objects[i], true);
        board.DetachWires();
        for (TBauteil* object : board.Objects)
            if (object->IsSelected())
                object->MoveBy({0, 20});
        board.EndDrag(0, 0, 0, TMouseButton::mbLeft);
    });
}

// The last wire piece of each route cut off its input first, so each route
// dangles and the tidy-up takes it piece by piece.
void BM_TidyUp(benchmark::State& state)
{
    const auto gates = static_cast<Integer>(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<TPlatine> board = Open(gates);
        for (TBauteil* object : board->Objects)
            if (auto* wire = dynamic_cast<TSegment*>(object); wire && !wire->IsStub() && wire->IsVertical() == false &&
                                                                wire->EndPoint.X - wire->StartPoint.X == 60)
                wire->SetSelected(true);
        board->DeleteSelected();
        state.SetIterationTime(Seconds([&] {
            board->SelectAll(false);
            benchmark::DoNotOptimize(board->SelectAllLooseWires());
        }));
    }
    state.counters["gates"] = static_cast<double>(gates);
}

// The console table, and per benchmark measured at several sizes the least
// squares slope of log time over log gates.
class TGrowthReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const auto gates = run.counters.find("gates");
            if (gates != run.counters.end() && run.iterations > 0)
                points_[run.run_name.function_name].push_back(
                    {std::log(static_cast<double>(gates->second)), std::log(run.GetAdjustedRealTime())});
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintExponents() const
    {
        std::printf("\nGrowth exponent k of time ~ gates^k:\n");
        for (const auto& [name, points] : points_) {
            if (points.size() < 2)
                continue;
            double mx = 0, my = 0;
            for (const auto& [x, y] : points) {
                mx += x;
                my += y;
            }
            mx /= static_cast<double>(points.size());
            my /= static_cast<double>(points.size());
            double sxy = 0, sxx = 0;
            for (const auto& [x, y] : points) {
                sxy += (x - mx) * (y - my);
                sxx += (x - mx) * (x - mx);
            }
            std::printf("  %-20s k = %.2f\n", name.c_str(), sxy / sxx);
        }
    }

private:
    std::map<std::string, std::vector<std::pair<double, double>>> points_;
};

} // namespace

BENCHMARK(BM_Open)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Close)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_NormaliseAll)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Prepare)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SelectAll)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DeleteAll)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Duplicate)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DragEnd)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TidyUp)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    RegisterBaseClasses();
    RegisterComponentClasses();
    benchmark::Initialize(&argc, argv);
    TGrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintExponents();
    benchmark::Shutdown();
    return 0;
}
