// The analog blocks in the step: nanoseconds per component of a board of
// mixed arithmetic blocks (adders, subtracters, multipliers, dividers, gains,
// offsets and amplifiers wired at random), of a board of the dynamic blocks
// (integrators, differentiators, PT1/PT2/DT1, P/PI/PD/PID controllers, each
// reading the performance counter) in control loops, and the formula
// component's evaluation of a 20-operator formula whose inputs change in
// every step.
#include "components/analog/BT_Arithmetik.h"
#include "components/analog/BT_Formel.h"
#include "components/analog/BT_Generatoren.h"
#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_Korrekturtabelle.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_Regler.h"
#include "engine/Globals.h"
#include "BenchBoard.h"
#include "engine/Platine.h"
#include "platform/Clock.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

// A component by its class name, as its family class T.
template <class T>
T* Create(const char* className)
{
    static const bool registered = [] {
        for (const auto rows : {&ArithmetikRows, &KonstantenRows, &ReglerRows, &PTGliederRows, &IntegriererRows,
                                &GeneratorRows, &KorrekturtabelleRows, &FormelRows})
            RegisterRows(rows());
        return true;
    }();
    (void)registered;
    return dynamic_cast<T*>(CreateComponent(className));
}

TIOBauteil* CreateBlock(unsigned kind)
{
    switch (kind % 7) {
    case 0: return Create<TBTAdd>("TBTAdd");
    case 1: return Create<TBTSub>("TBTSub");
    case 2: return Create<TBTMul>("TBTMul");
    case 3: return Create<TBTDiv>("TBTDiv");
    case 4: {
        auto* gain = Create<TBTGain>("TBTGain");
        gain->Gain = 0.5L;
        return gain;
    }
    case 5: {
        auto* offset = Create<TBTOffset>("TBTOffset");
        offset->Offset = 0.25L;
        return offset;
    }
    default: return Create<TBTVerstaerker>("TBTVerstaerker");
    }
}

// n blocks on a grid, each input wired to the output of a random block.
struct TArithmeticBoard {
    explicit TArithmeticBoard(Integer n)
    {
        std::mt19937 rng(4711);
        for (Integer i = 0; i < n; ++i) {
            TIOBauteil* block = CreateBlock(rng());
            block->X = 200 + i % 100 * 300;
            block->Y = 200 + i / 100 * 400;
            block->LayoutPins();
            block->Board = &board;
            board.Objects.push_back(block);
            board.CreatePinStubs(block);
            block->SetNumber(i + 1);
            blocks.push_back(block);
        }
        std::uniform_int_distribution<Integer> source(0, n - 1);
        for (TIOBauteil* block : blocks)
            for (const TBauteilPin& to : block->Inputs) {
                const TBauteilPin& from = blocks[source(rng)]->Outputs[0];
                board.AddWire({from.X, from.Y}, {to.X, to.Y});
            }
        board.PrepareSimulation();
    }
    ~TArithmeticBoard()
    {
        DropObjects(board);
    }
    TArithmeticBoard(const TArithmeticBoard&) = delete;
    TArithmeticBoard& operator=(const TArithmeticBoard&) = delete;

    TPlatine board;
    std::vector<TIOBauteil*> blocks;
};

void BM_MixedArithmeticStep(benchmark::State& state)
{
    const auto n = static_cast<Integer>(state.range(0));
    TArithmeticBoard bench(n);
    for (auto _ : state)
        bench.board.Step();
    state.counters["s/component"] = benchmark::Counter(static_cast<double>(state.iterations()) * n,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixedArithmeticStep)->Arg(1000);

// Loops of a set point, a PID (filter on), a PT2 plant, a PT1 sensor, a PI
// trim, a DT1, a PD, a P, an integrator and a differentiator: ten dynamic
// blocks per loop, all in "Max" so each one acts in every step.
struct TDynamicBoard {
    explicit TDynamicBoard(Integer loops)
    {
        PerfFrequency = static_cast<double>(QueryPerformanceFrequency());   // as the program sets it at start
        for (Integer l = 0; l < loops; ++l) {
            auto* setPoint = Add(Create<TBTFest>("TBTFest"));
            auto* pid = Add(Create<TBT_PID_Regler>("TBT_PID_Regler"));
            pid->Filter.Enabled = true;
            pid->OutputMin = -10.0L;
            pid->OutputMax = 10.0L;
            auto* plant = Add(Create<TPTGlied>("TBTPT2"));
            auto* sensor = Add(Create<TPTGlied>("TBTPT1"));
            auto* trim = Add(Create<TBT_PI_Regler>("TBT_PI_Regler"));
            auto* dt1 = Add(Create<TBTDT1>("TBTDT1"));
            auto* pd = Add(Create<TBT_PD_Regler>("TBT_PD_Regler"));
            auto* p = Add(Create<TBT_P_Regler>("TBT_P_Regler"));
            auto* integrator = Add(Create<TBTIntegrierer>("TBTIntegrierer"));
            auto* differentiator = Add(Create<TBTDifferenzierer>("TBTDifferenzierer"));
            auto* one = Add(Create<TBTFest>("TBTFest"));
            Link(setPoint, pid, 0);
            Link(sensor, pid, 1);
            for (Integer i = 2; i <= 4; ++i)
                Link(one, pid, i);
            Link(pid, plant, 0);
            for (Integer i = 1; i <= 3; ++i)
                Link(one, plant, i);
            Link(plant, sensor, 0);
            Link(one, sensor, 1);
            Link(one, sensor, 2);
            Link(setPoint, trim, 0);
            Link(plant, trim, 1);
            Link(one, trim, 2);
            Link(one, trim, 3);
            Link(plant, dt1, 0);
            Link(one, dt1, 1);
            Link(one, dt1, 2);
            Link(setPoint, pd, 0);
            Link(plant, pd, 1);
            Link(one, pd, 2);
            Link(one, pd, 3);
            Link(setPoint, p, 0);
            Link(plant, p, 1);
            Link(one, p, 2);
            Link(pid, integrator, 0);
            Link(plant, differentiator, 0);
        }
        for (TIOBauteil* block : blocks)
            block->ResetForStart();
    }
    ~TDynamicBoard()
    {
        for (TIOBauteil* block : blocks)
            delete block;
    }
    TDynamicBoard(const TDynamicBoard&) = delete;
    TDynamicBoard& operator=(const TDynamicBoard&) = delete;

    template <class T>
    T* Add(T* block)
    {
        blocks.push_back(block);
        return block;
    }
    static void Link(TIOBauteil* from, TIOBauteil* to, Integer input)
    {
        to->Inputs[static_cast<std::size_t>(input)].Source = from->Outputs[0].MarkReferenced();
    }
    void Step()
    {
        for (TIOBauteil* block : blocks)
            block->Calculate();
    }

    std::vector<TIOBauteil*> blocks;
};

void BM_DynamicBlocksStep(benchmark::State& state)
{
    TDynamicBoard bench(static_cast<Integer>(state.range(0)));
    Integer dynamic = 0;
    for (TIOBauteil* block : bench.blocks)
        dynamic += dynamic_cast<TBTFest*>(block) == nullptr;
    for (auto _ : state)
        bench.Step();
    state.counters["s/block"] = benchmark::Counter(static_cast<double>(state.iterations()) * dynamic,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DynamicBlocksStep)->Arg(100);

// Sources and conditioning: per chain a signal generator, a pulse generator,
// a ramp, a random value and a correction table of 100 pairs fed by the sine.
// The generators read the performance counter in every step.
void BM_SourcesAndCorrectionStep(benchmark::State& state)
{
    TDynamicBoard bench(0);
    for (Integer c = 0; c < state.range(0); ++c) {
        auto* f = bench.Add(Create<TBTFest>("TBTFest"));
        f->Value = 50.0L;
        auto* gen = bench.Add(Create<TBTFktGenerator>("TBTFktGenerator"));
        auto* pulse = bench.Add(Create<TBTPulse>("TBTPulse"));
        auto* ramp = bench.Add(Create<TBTRampenGenerator>("TBTRampenGenerator"));
        bench.Add(Create<TBTRandom>("TBTRandom"));
        auto* table = bench.Add(Create<TBTKorrekturtabelle>("TBTKorrekturtabelle"));
        table->Values.Clear();
        for (Integer i = 0; i < 100; ++i)
            table->Values.Add(i * 0.02L - 1.0L, std::sin(i * 0.1L));
        TDynamicBoard::Link(f, gen, 0);
        TDynamicBoard::Link(f, gen, 1);
        TDynamicBoard::Link(f, pulse, 0);
        TDynamicBoard::Link(f, ramp, 2);
        TDynamicBoard::Link(pulse, ramp, 4);
        table->Inputs[0].Source = gen->Outputs[4].MarkReferenced();
    }
    for (TIOBauteil* block : bench.blocks)
        block->ResetForStart();
    for (auto _ : state)
        bench.Step();
    state.counters["s/block"] = benchmark::Counter(static_cast<double>(state.iterations()) * 5 * state.range(0),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SourcesAndCorrectionStep)->Arg(100);

// 20 operators over two inputs; the inputs change in every step, so the text
// is evaluated in every step.
void BM_FormulaTwentyOperators(benchmark::State& state)
{
    std::unique_ptr<TBTFormel> formel(Create<TBTFormel>("TBTFormel"));
    formel->SetInputCount(2);
    formel->Formula = "SIN(E0)*2+E1/3-(E0+1)^2*E1+4*5-6/E0+E1*E1-7+8*9/E1+ABS(E0-E1)";
    TBauteilPin in[2];
    formel->Inputs[0].Source = &in[0];
    formel->Inputs[1].Source = &in[1];
    formel->ResetForStart();
    Extended x = 1;
    for (auto _ : state) {
        x += 0.001L;
        in[0].Value = x;
        in[1].Value = 2 * x;
        formel->Calculate();
        benchmark::DoNotOptimize(formel->Outputs[0].Value);
    }
}
BENCHMARK(BM_FormulaTwentyOperators);

} // namespace

BENCHMARK_MAIN();
