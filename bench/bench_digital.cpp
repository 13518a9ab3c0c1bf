// Steps per second of boards of the sequential digital components: a ripple
// chain of JK flip-flops toggled by the fixed clock, free-running clocks,
// and chains of timing parts and decoders. Items are component evaluations.
#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_FlipFlop.h"
#include "components/digital/BT_MonoFlop.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/BT_Versorgung.h"

#include "support/TestBoard.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct TBench {
    std::unique_ptr<TTestBoard> Board = std::make_unique<TTestBoard>();
    Integer Components = 0;
    template <class T>
    T* Put(Integer x, Integer y)
    {
        ++Components;
        return Board->Place<T>(x, y);
    }
    void Run(benchmark::State& state)
    {
        Board->Board().PrepareSimulation();
        for (auto _ : state)
            Board->Board().Step();
        state.SetItemsProcessed(state.iterations() * Components);
    }
};

// Rows of 50: a clock feeds the first flip-flop's "|C1", each Q the next one's.
void BM_JKRippleChain(benchmark::State& state)
{
    TBench bench;
    TIOBauteil* previous = nullptr;
    for (Integer i = 0; i < state.range(0); ++i) {
        const Integer x = 100 + 300 * (i % 50);
        const Integer y = 200 + 400 * (i / 50);
        if (i % 50 == 0) {
            previous = bench.Put<TBTHiTakt>(x, y);
            continue;
        }
        auto* jk = bench.Put<TBTJKFF>(x, y);
        bench.Board->Connect(previous, previous->OutputCount - 1, jk, 2);
        previous = jk;
    }
    bench.Run(state);
}

// Fixed, tick-counted and voltage-controlled clocks side by side.
void BM_Clocks(benchmark::State& state)
{
    TBench bench;
    for (Integer i = 0; i < state.range(0); ++i) {
        const Integer x = 100 + 300 * (i % 50);
        const Integer y = 200 + 300 * (i / 50);
        switch (i % 3) {
        case 0: bench.Put<TBTHiTakt>(x, y); break;
        case 1: bench.Put<TBTTaktgeber_ES>(x, y); break;
        default: bench.Put<TBTVCO>(x, y); break;
        }
    }
    bench.Run(state);
}

// Per group: a clock through a D flip-flop, a monoflop, a step delay and a
// seven-segment decoder.
void BM_TimersAndDecoders(benchmark::State& state)
{
    TBench bench;
    for (Integer g = 0; g < state.range(0) / 5; ++g) {
        const Integer x = 100 + 2200 * (g % 8);
        const Integer y = 200 + 500 * (g / 8);
        auto* clock = bench.Put<TBTHiTakt>(x, y);
        auto* d = bench.Put<TBTDFFF>(x + 400, y);
        auto* mono = bench.Put<TBTMonoFlop>(x + 800, y);
        auto* delay = bench.Put<TBTVerzoegerung>(x + 1200, y);
        auto* seg7 = bench.Put<TBTSeg7Decoder>(x + 1600, y);
        mono->Duration = 0.001L;
        delay->Steps = 10;
        bench.Board->Connect(clock, 0, d, 2);
        bench.Board->Connect(d, 1, mono, 0);
        bench.Board->Connect(mono, 1, delay, 0);
        bench.Board->Connect(delay, 0, seg7, 0);
    }
    bench.Run(state);
}

} // namespace

BENCHMARK(BM_JKRippleChain)->Arg(100)->Arg(1000);
BENCHMARK(BM_Clocks)->Arg(1000);
BENCHMARK(BM_TimersAndDecoders)->Arg(1000);

BENCHMARK_MAIN();
