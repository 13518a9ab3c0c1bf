// Steps per second of boards of the sequential digital components: a ripple
// chain of JK flip-flops toggled by the fixed clock, free-running clocks,
// chains of timing parts and decoders, and counters and shift registers each
// clocked by an inverter wired to itself. Items are component evaluations.
#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_FlipFlop.h"
#include "components/digital/BT_Gatter.h"
#include "components/digital/BT_I2C.h"
#include "components/digital/BT_MonoFlop.h"
#include "components/digital/BT_Schieberegister.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/BT_Versorgung.h"
#include "components/digital/BT_Zaehler.h"

#include "support/TestBoard.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string_view>

namespace {

struct TBench {
    std::unique_ptr<TTestBoard> Board = std::make_unique<TTestBoard>();
    Integer Components = 0;
    TBench()
    {
        static const bool registered = [] {
            for (const TRowList& rows : {GateRows(), TaktRows(), FlipFlopRows(), MonoFlopRows(), VersorgungRows(),
                                         DekoderRows(), ZaehlerRows(), SchieberegisterRows(), I2cRows()})
                RegisterRows(rows);
            return true;
        }();
        (void)registered;
    }
    // A component of the registered class, as the family's class T.
    template <class T = TIOBauteil>
    T* Put(std::string_view className, Integer x, Integer y)
    {
        ++Components;
        return static_cast<T*>(Board->Place(className, x, y));
    }
    // An inverter whose output is wired round to its own input: a clock that
    // toggles every step.
    TIOBauteil* PutToggle(Integer x, Integer y)
    {
        TIOBauteil* inverter = Put("TBTInverter", x, y);
        const TBauteilPin& out = inverter->Outputs[0];
        const TBauteilPin& in = inverter->Inputs[0];
        const Integer below = inverter->GetBounds().Bottom / 20 * 20 + 40;
        const TPoint loop[] = {{out.X, out.Y},      {out.X + 20, out.Y}, {out.X + 20, below},
                               {in.X - 20, below}, {in.X - 20, in.Y},   {in.X, in.Y}};
        for (std::size_t i = 1; i < std::size(loop); ++i)
            Board->Board().AddWireAndNormalise(loop[i - 1], loop[i]);
        return inverter;
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
            previous = bench.Put("TBTHiTakt", x, y);
            continue;
        }
        auto* jk = bench.Put("TBTJKFF", x, y);
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
        case 0: bench.Put("TBTHiTakt", x, y); break;
        case 1: bench.Put("TBTTaktgeber_ES", x, y); break;
        default: bench.Put("TBTVCO", x, y); break;
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
        auto* clock = bench.Put("TBTHiTakt", x, y);
        auto* d = bench.Put("TBTDFFF", x + 400, y);
        auto* mono = bench.Put<TBTMonoFlop>("TBTMonoFlop", x + 800, y);
        auto* delay = bench.Put<TBTVerzoegerung>("TBTVerzoegerung", x + 1200, y);
        auto* seg7 = bench.Put("TBTSeg7Decoder", x + 1600, y);
        mono->Duration = 0.001L;
        delay->Steps = 10;
        bench.Board->Connect(clock, 0, d, 2);
        bench.Board->Connect(d, 1, mono, 0);
        bench.Board->Connect(mono, 1, delay, 0);
        bench.Board->Connect(delay, 0, seg7, 0);
    }
    bench.Run(state);
}

// Per group: an inverter whose output runs back to its input around its
// body (it toggles in every step) clocks one of six counters and shift
// registers; state.range(0) groups, each of two components.
void BM_CountersAndShiftRegisters(benchmark::State& state)
{
    TBench bench;
    std::vector<TZaehler*> counters;
    for (Integer g = 0; g < state.range(0); ++g) {
        // Clear of the next group's pins: the loop turns down between the
        // inverter and the part's inputs.
        const Integer x = 100 + 700 * (g % 25);
        const Integer y = 200 + 450 * (g / 25);
        auto* clock = bench.PutToggle(x, y);
        TIOBauteil* part = nullptr;
        switch (g % 6) {
        case 0: part = bench.Put("TBTCNT4", x + 260, y); break;
        case 1: part = bench.Put("TBTSREG", x + 260, y); break;
        case 2: part = bench.Put("TBTCNT16", x + 260, y); break;
        case 3: part = bench.Put("TBTSREG16", x + 260, y); break;
        case 4: part = bench.Put("TBTCNTL8", x + 260, y); break;
        default: part = bench.Put("TBTSREGL8", x + 260, y); break;
        }
        if (auto* counter = dynamic_cast<TZaehler*>(part))
            counters.push_back(counter);
        bench.Board->Connect(clock, 0, part, 0);
    }
    bench.Run(state);
    // Every counter has counted once per two steps: the wiring holds.
    const auto edges = static_cast<Integer>(state.iterations() / 2);
    for (const TZaehler* counter : counters)
        if (counter->Count != edges % (counter->Highest() + 1)) {
            state.SkipWithError("a counter did not count");
            break;
        }
}

// I2C masters on the internal clock, their "|NOW" fed by one inverter wired
// to itself: masters free of the shared flag at a falling edge run their
// looped writes (one micro-step a step), the others step with empty queues.
void BM_I2cMasters(benchmark::State& state)
{
    TBench bench;
    auto* clock = bench.PutToggle(100, 200);
    for (Integer i = 0; i < state.range(0); ++i) {
        auto* master = bench.Put<TBT_I2C_Master>("TBT_I2C_Master", 600 + 400 * (i % 40), 200 + 500 * (i / 40));
        master->Program = {I2cStart,        I2cSendWriteAddress, I2cWaitAcknowledge, I2cLoopStart,
                           I2cSendDataByte, I2cNoAcknowledge,    I2cLoopEnd,         I2cStop};
        master->LoopCount = 1000;
        bench.Board->Connect(clock, 0, master, TBT_I2C_Master::StartInput);
    }
    bench.Run(state);
}

} // namespace

BENCHMARK(BM_CountersAndShiftRegisters)->Arg(1000);
BENCHMARK(BM_I2cMasters)->Arg(200);
BENCHMARK(BM_JKRippleChain)->Arg(100)->Arg(1000);
BENCHMARK(BM_Clocks)->Arg(1000);
BENCHMARK(BM_TimersAndDecoders)->Arg(1000);

BENCHMARK_MAIN();
