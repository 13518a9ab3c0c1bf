// Steps per second of a board whose 200 LEDs follow a signal that changes in
// every step, with their elements on a shown panel and without elements, and
// with elements but a steady input. The elements only note a repaint; the
// panel is painted at the display's pace, not at every pass of the message
// loop, so the step rate stays within a small factor of the board without
// panel.
#include "components/digital/BT_Gatter.h"
#include "panel/elements/ElementClasses.h"
#include "panel/framework/BT_LED.h"
#include "panel/framework/BT_Lampe.h"
#include "panel/framework/Design.h"
#include "support/TestBoard.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <vector>

namespace {

constexpr Integer Leds = 200;   // indicators of one kind
// As the main window's fast loop: messages every 17 steps.
constexpr Int64 MessageInterval = 17;

void Indicators(benchmark::State& state, const char* componentClass, Integer size)
{
    const bool withElements = state.range(0) != 0;
    const bool changing = state.range(1) != 0;
    TDesign design;
    design.resize(1000, 800);
    design.SetisEditing(false);
    design.show();
    TTestBoard t;
    // An inverter fed by itself: its output changes in every step.
    auto* clock = t.Place("TBTInverter", 100, 100);
    t.Connect(clock, 0, clock, 0);
    std::vector<TIOBauteil*> indicators;
    for (Integer i = 0; i < Leds; ++i) {
        auto* indicator = t.Place(componentClass, 600 + 300 * (i % 20), 100 + 300 * (i / 20));
        if (changing)
            t.Connect(clock, 0, indicator, 0);
        if (withElements) {
            TFP_Element* element = design.AddElement(indicator->PanelElementClass);
            element->OwnerDesign = &design;
            element->SetBounds(10 + (size + 16) * (i % 20), 10 + (size + 16) * (i / 20), size, size);
            indicator->SetPanelElement(element);
        }
        indicators.push_back(indicator);
    }
    t.Board().PrepareSimulation();
    QCoreApplication::processEvents();
    Int64 steps = 0;
    for (auto _ : state) {
        t.Board().Step();
        if (++steps % MessageInterval == 0)
            QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(steps);
    t.Board().StopSimulation();
    for (TIOBauteil* indicator : indicators)
        indicator->SetPanelElement(nullptr);
}

void BM_LedPanel(benchmark::State& state)
{
    Indicators(state, "TBTLed", 24);
}

// The lamp recolours (renders its two looks) at every change of its voltage.
void BM_LampPanel(benchmark::State& state)
{
    Indicators(state, "TBTLampe", 32);
}

} // namespace

BENCHMARK(BM_LedPanel)->ArgNames({"elements", "changing"})->Args({0, 1})->Args({1, 1})->Args({1, 0});
BENCHMARK(BM_LampPanel)->ArgNames({"elements", "changing"})->Args({0, 1})->Args({1, 1})->Args({1, 0});

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    RegisterElementClasses();
    RegisterRows(GateRows());
    RegisterRows(LedRows());
    RegisterRows(LampRows());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
