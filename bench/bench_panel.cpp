// Steps per second of a board whose 200 LEDs follow a signal that changes in
// every step, with their elements on a shown panel and without elements, and
// with elements but a steady input. The elements only note a repaint; the
// panel is painted at the display's pace, not at every pass of the message
// loop, so the step rate stays within a small factor of the board without
// panel.
#include "components/digital/BT_Gatter.h"
#include "panel/elements/ElementClasses.h"
#include "panel/framework/BT_LED.h"
#include "panel/framework/Design.h"
#include "support/TestBoard.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <vector>

namespace {

constexpr Integer Leds = 200;
// As the main window's fast loop: messages every 17 steps.
constexpr Int64 MessageInterval = 17;

void BM_LedPanel(benchmark::State& state)
{
    const bool withElements = state.range(0) != 0;
    const bool changing = state.range(1) != 0;
    TDesign design;
    design.resize(1000, 700);
    design.SetisEditing(false);
    design.show();
    TTestBoard t;
    // An inverter fed by itself: its output changes in every step.
    auto* clock = t.Place<TBTInverter>(100, 100);
    t.Connect(clock, 0, clock, 0);
    std::vector<TBTLed*> leds;
    for (Integer i = 0; i < Leds; ++i) {
        auto* led = t.Place<TBTLed>(600 + 300 * (i % 20), 100 + 300 * (i / 20));
        if (changing)
            t.Connect(clock, 0, led, 0);
        if (withElements) {
            TFP_Element* element = design.AddElement("TPLed");
            element->OwnerDesign = &design;
            element->SetBounds(10 + 40 * (i % 20), 10 + 40 * (i / 20), 24, 24);
            led->SetPanelElement(element);
        }
        leds.push_back(led);
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
    for (TBTLed* led : leds)
        led->SetPanelElement(nullptr);
}

} // namespace

BENCHMARK(BM_LedPanel)->ArgNames({"elements", "changing"})->Args({0, 1})->Args({1, 1})->Args({1, 0});

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    RegisterElementClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
