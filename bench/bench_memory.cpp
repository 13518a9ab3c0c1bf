// The memories: steps per second of boards of RAMs written and read by a
// clock on "|R/W" and of ROMs whose address a clock changes (items are
// component evaluations), and the memory editor's 64 KB binary view
// scrolled from top to bottom and painted (items are scrolls).
#include "components/digital/BT_Speicher.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/DLG_Speicher.h"

#include "support/TestBoard.h"

#include <QApplication>
#include <QComboBox>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// Per pair: a clock on a RAM's "|R/W" and its A0 and Di0, and on a ROM's A0.
void BM_Memories(benchmark::State& state)
{
    RegisterRows(TaktRows());
    RegisterRows(SpeicherRows());
    auto board = std::make_unique<TTestBoard>();
    Integer components = 0;
    for (Integer g = 0; g < state.range(0) / 3; ++g) {
        const Integer x = 100 + 1500 * (g % 10);
        const Integer y = 200 + 900 * (g / 10);
        auto* clock = board->Place("TBTHiTakt", x, y);
        auto* ram = board->Place("TBTRAM", x + 400, y);
        auto* rom = board->Place("TBTROM", x + 900, y);
        board->Connect(clock, 0, ram, ram->InputCount - 1);
        board->Connect(clock, 0, ram, 0);
        board->Connect(clock, 0, ram, 8);
        board->Connect(clock, 0, rom, 0);
        components += 3;
    }
    board->Board().PrepareSimulation();
    for (auto _ : state)
        board->Board().Step();
    state.SetItemsProcessed(state.iterations() * components);
}

void BM_EditorBinaryScroll(benchmark::State& state)
{
    THexEditor editor;
    editor.cb_Groesse->setCurrentIndex(8);
    editor.SetDisplayMode(1);
    editor.show();
    bool bottom = false;
    for (auto _ : state) {
        bottom = !bottom;
        bottom ? editor.HexGrid->scrollToBottom() : editor.HexGrid->scrollToTop();
        benchmark::DoNotOptimize(editor.HexGrid->grab());
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_Memories)->Arg(300);
BENCHMARK(BM_EditorBinaryScroll);

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
