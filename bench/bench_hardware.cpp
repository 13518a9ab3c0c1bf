// The hardware component in the step: a board of 100 hardware components on
// fake cards (two channels each), wired in a ring so that every card's input
// channels feed the next card's outputs, stepped with the cards and with the
// same board after the cards were taken away (same pins and wires, the
// component's step then returns at once). The difference is the cost of the
// device path: routing the channels through the card and its transfer.
#include "BenchBoard.h"
#include "engine/Platine.h"
#include "fakes/FakeCard.h"
#include "hardware/framework/BT_Hardware.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

struct THardwareBoard {
    explicit THardwareBoard(Integer n, bool withDevices)
    {
        static const bool registered = (RegisterClass(TBTHardware::StaticClass()), RegisterFakeCards(), true);
        (void)registered;
        for (Integer i = 0; i < n; ++i) {
            TBTHardware* hardware =
                TBTHardware::CreateHolding(static_cast<TFakeCard*>(CreateObjectByName("TFakeCard")));
            hardware->X = 200 + i % 10 * 600;
            hardware->Y = 200 + i / 10 * 600;
            hardware->LayoutPins();
            hardware->Board = &board;
            board.Objects.push_back(hardware);
            board.CreatePinStubs(hardware);
            hardware->SetNumber(i + 1);
            components.push_back(hardware);
        }
        for (Integer i = 0; i < n; ++i) {
            TBTHardware* from = components[static_cast<std::size_t>(i)];
            TBTHardware* to = components[static_cast<std::size_t>((i + 1) % n)];
            for (Integer pin = 0; pin < 2; ++pin)
                board.AddWire({from->Outputs[pin].X, from->Outputs[pin].Y}, {to->Inputs[pin].X, to->Inputs[pin].Y});
        }
        if (!withDevices)
            for (TBTHardware* hardware : components)
                hardware->FreeDriver();
        board.PrepareSimulation();
    }
    ~THardwareBoard()
    {
        board.StopSimulation();
        DropObjects(board);
    }
    THardwareBoard(const THardwareBoard&) = delete;
    THardwareBoard& operator=(const THardwareBoard&) = delete;

    TPlatine board;
    std::vector<TBTHardware*> components;
};

void BM_HardwareStep(benchmark::State& state)
{
    const auto n = static_cast<Integer>(state.range(0));
    THardwareBoard bench(n, state.range(1) != 0);
    for (auto _ : state)
        bench.board.Step();
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["s/component"] = benchmark::Counter(static_cast<double>(state.iterations()) * n,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HardwareStep)->ArgNames({"components", "devices"})->Args({100, 1})->Args({100, 0});

} // namespace

BENCHMARK_MAIN();
