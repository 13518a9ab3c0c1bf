// Steps per second and nanoseconds per gate evaluation of the real board step
// on boards of N gates: a ring of inverters, a random netlist of two-input
// gates, and random netlists inside macros two levels deep. Beside them the
// same netlists evaluated from flat arrays with no objects: the floor of this
// machine for the same value model (80-bit pin values, 2.5 V threshold), and
// the floor of any model (one byte per signal, in place). Each board row
// also times the byte floor of its netlist in the same run and reports the
// board's step as a multiple of it ("x bytes").
#include "components/digital/BT_Gatter.h"
#include "engine/Makro.h"
#include "engine/Platine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

enum class TKind : Byte { Inverter, And, Nand, Or, Nor, Exor };

// Gate g reads the outputs of gates In0[g] and In1[g] (In1 unused by an
// inverter). Gates stand in the object list in index order.
struct TNetlist {
    std::vector<TKind> Kinds;
    std::vector<Integer> In0, In1;
    std::size_t Size() const { return Kinds.size(); }
};

// The last inverter feeds the first, so the ring keeps changing.
TNetlist InverterRing(Integer n)
{
    TNetlist net;
    for (Integer g = 0; g < n; ++g) {
        net.Kinds.push_back(TKind::Inverter);
        net.In0.push_back(g == 0 ? n - 1 : g - 1);
        net.In1.push_back(0);
    }
    return net;
}

// Random two-input gates, each input fed by any gate of its block (earlier or
// later in the object list), so some values arrive in the same step and
// others one step later.
TNetlist RandomGates(Integer n, Integer block)
{
    std::mt19937 rng(12345);
    TNetlist net;
    for (Integer g = 0; g < n; ++g) {
        const Integer first = g / block * block;
        const Integer count = std::min(block, n - first);
        std::uniform_int_distribution<Integer> source(first, first + count - 1);
        net.Kinds.push_back(static_cast<TKind>(1 + rng() % 5));
        net.In0.push_back(source(rng));
        net.In1.push_back(source(rng));
    }
    return net;
}

TIOBauteil* CreateGate(TKind kind)
{
    static const bool registered = (RegisterRows(GateRows()), true);
    (void)registered;
    switch (kind) {
    case TKind::Inverter: return CreateComponent("TBTInverter");
    case TKind::And: return CreateComponent("TBTAnd");
    case TKind::Nand: return CreateComponent("TBTNand");
    case TKind::Or: return CreateComponent("TBTOr");
    case TKind::Nor: return CreateComponent("TBTNor");
    case TKind::Exor: return CreateComponent("TBTExor");
    }
    return nullptr;
}

// Appends a component with its pin stubs. Placing through the editor
// renumbers the whole class at each insertion, which a board of 100,000
// gates cannot afford here.
void Put(TPlatine& board, TIOBauteil* component, Integer x, Integer y, Integer number)
{
    component->X = x;
    component->Y = y;
    component->LayoutPins();
    if (!dynamic_cast<TMakro*>(component))
        component->Board = &board;
    board.Objects.push_back(component);
    board.CreatePinStubs(component);
    component->SetNumber(number);
}

// Gates [first, last) of the netlist on one board: the gates on a grid, then
// one straight wire per input from the driving output's end to the input's
// end (the step never looks at wires, only preparation does).
void PutGates(TPlatine& board, const TNetlist& net, Integer first, Integer last, std::vector<TIOBauteil*>& gates)
{
    for (Integer g = first; g < last; ++g) {
        const Integer i = g - first;
        TIOBauteil* gate = CreateGate(net.Kinds[g]);
        Put(board, gate, 200 + i % 1000 * 200, 200 + i / 1000 * 200, i + 1);
        gates[g] = gate;
    }
    for (Integer g = first; g < last; ++g) {
        TIOBauteil* gate = gates[g];
        for (Integer input = 0; input < gate->InputCount; ++input) {
            const TBauteilPin& from = gates[input == 0 ? net.In0[g] : net.In1[g]]->Outputs[0];
            const TBauteilPin& to = gate->Inputs[input];
            board.AddWire({from.X, from.Y}, {to.X, to.Y});
        }
    }
}

struct TBenchBoard {
    TPlatine* Root = new TPlatine();
    std::vector<TIOBauteil*> Gates;
    TBenchBoard() = default;
    TBenchBoard(const TBenchBoard&) = delete;
    TBenchBoard& operator=(const TBenchBoard&) = delete;
    ~TBenchBoard() { delete Root; }
};

// Every gate on the root board.
std::unique_ptr<TBenchBoard> FlatBoard(const TNetlist& net)
{
    auto bench = std::make_unique<TBenchBoard>();
    bench->Gates.resize(net.Size());
    PutGates(*bench->Root, net, 0, static_cast<Integer>(net.Size()), bench->Gates);
    bench->Root->PrepareSimulation();
    return bench;
}

TMakro* PutMacro(TPlatine& board, Integer index)
{
    auto* macro = CreateBauteil<TMakro>();
    board.CreateInnerBoard(macro);
    Put(board, macro, 200 + index * 200, 200, index + 1);
    return macro;
}

// Blocks of `block` gates, each on the inner board of a macro that lies
// inside one of the root's macros (`perOuter` blocks to each).
std::unique_ptr<TBenchBoard> NestedBoard(const TNetlist& net, Integer block, Integer perOuter)
{
    auto bench = std::make_unique<TBenchBoard>();
    bench->Gates.resize(net.Size());
    const auto n = static_cast<Integer>(net.Size());
    TMakro* outer = nullptr;
    for (Integer first = 0, b = 0; first < n; first += block, ++b) {
        if (b % perOuter == 0)
            outer = PutMacro(*bench->Root, b / perOuter);
        TMakro* inner = PutMacro(*outer->InnerBoard(), b % perOuter);
        PutGates(*inner->InnerBoard(), net, first, std::min(first + block, n), bench->Gates);
    }
    bench->Root->PrepareSimulation();
    return bench;
}

// The floor: the same netlist and step semantics with values in one array,
// without a branch on the signals.
struct TFlatCircuit {
    // Per kind, bit (a << 1 | b) is the output for inputs a and b (the
    // inverter reads a only).
    static constexpr Byte Truth[] = {0b0011, 0b1000, 0b0111, 0b1110, 0b0001, 0b0110};
    static constexpr Extended Levels[] = {0.0L, 5.0L};

    const TNetlist& Net;
    std::vector<Extended> Values;

    explicit TFlatCircuit(const TNetlist& net) : Net(net), Values(net.Size(), 0.0L) {}

    void Step()
    {
        const std::size_t n = Net.Size();
        const TKind* kinds = Net.Kinds.data();
        const Integer* in0 = Net.In0.data();
        const Integer* in1 = Net.In1.data();
        Extended* v = Values.data();
        for (std::size_t g = 0; g < n; ++g) {
            const unsigned a = v[in0[g]] >= 2.5L;
            const unsigned b = v[in1[g]] >= 2.5L;
            const Extended& out = Levels[Truth[static_cast<Byte>(kinds[g])] >> (a << 1 | b) & 1];
            std::memcpy(&v[g], &out, ExtendedSize);   // as the pins are written
        }
    }
};

// The same netlist with one byte per signal, evaluated in place in object
// order: the least any step can do.
struct TByteCircuit {
    static constexpr Byte Truth[] = {0b0011, 0b1000, 0b0111, 0b1110, 0b0001, 0b0110};

    const TNetlist& Net;
    std::vector<Byte> Values;

    explicit TByteCircuit(const TNetlist& net) : Net(net), Values(net.Size(), 0) {}

    void Step()
    {
        const std::size_t n = Net.Size();
        const TKind* kinds = Net.Kinds.data();
        const Integer* in0 = Net.In0.data();
        const Integer* in1 = Net.In1.data();
        Byte* v = Values.data();
        for (std::size_t g = 0; g < n; ++g)
            v[g] = Truth[static_cast<Byte>(kinds[g])] >> (v[in0[g]] << 1 | v[in1[g]]) & 1;
    }
};

// Nanoseconds per step of the byte floor, over at least a tenth of a second.
double ByteFloorNanoseconds(const TNetlist& net)
{
    TByteCircuit bytes(net);
    using TClock = std::chrono::steady_clock;
    std::size_t steps = 0;
    const TClock::time_point start = TClock::now();
    TClock::duration elapsed{};
    while (elapsed < std::chrono::milliseconds(100)) {
        for (int k = 0; k < 64; ++k) {
            bytes.Step();
            benchmark::DoNotOptimize(bytes.Values.data());
            benchmark::ClobberMemory();
        }
        steps += 64;
        elapsed = TClock::now() - start;
    }
    return std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(steps);
}

// Both must agree after some steps, or the figures compare different work.
bool SameResults(const TNetlist& net, TBenchBoard& bench)
{
    TFlatCircuit flat(net);
    for (Integer step = 0; step < 7; ++step) {
        flat.Step();
        bench.Root->Step();
    }
    for (std::size_t g = 0; g < net.Size(); ++g)
        if (bench.Gates[g]->Outputs[0].Value != flat.Values[g])
            return false;
    return true;
}

void Report(benchmark::State& state, std::size_t gates)
{
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["s/gate"] = benchmark::Counter(static_cast<double>(state.iterations() * gates),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void RunBoard(benchmark::State& state, const TNetlist& net, std::unique_ptr<TBenchBoard> bench)
{
    if (!SameResults(net, *bench)) {
        state.SkipWithError("the board and the flat arrays disagree");
        return;
    }
    TPlatine& root = *bench->Root;
    using TClock = std::chrono::steady_clock;
    const TClock::time_point start = TClock::now();
    for (auto _ : state)
        root.Step();
    const double stepNanoseconds =
        std::chrono::duration<double, std::nano>(TClock::now() - start).count() / static_cast<double>(state.iterations());
    Report(state, net.Size());
    state.counters["x bytes"] = stepNanoseconds / ByteFloorNanoseconds(net);
}

void RunByteFloor(benchmark::State& state, const TNetlist& net)
{
    TByteCircuit bytes(net);
    for (auto _ : state) {
        bytes.Step();
        benchmark::DoNotOptimize(bytes.Values.data());
        benchmark::ClobberMemory();
    }
    Report(state, net.Size());
}

void RunFloor(benchmark::State& state, const TNetlist& net)
{
    TFlatCircuit flat(net);
    for (auto _ : state) {
        flat.Step();
        benchmark::DoNotOptimize(flat.Values.data());
        benchmark::ClobberMemory();
    }
    Report(state, net.Size());
}

constexpr Integer NestedBlock = 100;
constexpr Integer NestedPerOuter = 10;

void BM_StepInverterRing(benchmark::State& state)
{
    const TNetlist net = InverterRing(static_cast<Integer>(state.range(0)));
    RunBoard(state, net, FlatBoard(net));
}

void BM_FloorInverterRing(benchmark::State& state)
{
    RunFloor(state, InverterRing(static_cast<Integer>(state.range(0))));
}

void BM_BytesInverterRing(benchmark::State& state)
{
    RunByteFloor(state, InverterRing(static_cast<Integer>(state.range(0))));
}

void BM_BytesRandomGates(benchmark::State& state)
{
    const auto n = static_cast<Integer>(state.range(0));
    RunByteFloor(state, RandomGates(n, n));
}

void BM_BytesNestedMacros(benchmark::State& state)
{
    RunByteFloor(state, RandomGates(static_cast<Integer>(state.range(0)), NestedBlock));
}

void BM_StepRandomGates(benchmark::State& state)
{
    const auto n = static_cast<Integer>(state.range(0));
    const TNetlist net = RandomGates(n, n);
    RunBoard(state, net, FlatBoard(net));
}

void BM_FloorRandomGates(benchmark::State& state)
{
    const auto n = static_cast<Integer>(state.range(0));
    RunFloor(state, RandomGates(n, n));
}

void BM_StepNestedMacros(benchmark::State& state)
{
    const TNetlist net = RandomGates(static_cast<Integer>(state.range(0)), NestedBlock);
    RunBoard(state, net, NestedBoard(net, NestedBlock, NestedPerOuter));
}

void BM_FloorNestedMacros(benchmark::State& state)
{
    RunFloor(state, RandomGates(static_cast<Integer>(state.range(0)), NestedBlock));
}

} // namespace

BENCHMARK(BM_StepInverterRing)->RangeMultiplier(10)->Range(10, 100000);
BENCHMARK(BM_FloorInverterRing)->RangeMultiplier(10)->Range(10, 100000);
BENCHMARK(BM_StepRandomGates)->RangeMultiplier(10)->Range(10, 100000);
BENCHMARK(BM_FloorRandomGates)->RangeMultiplier(10)->Range(10, 100000);
BENCHMARK(BM_StepNestedMacros)->RangeMultiplier(10)->Range(10, 100000);
BENCHMARK(BM_FloorNestedMacros)->RangeMultiplier(10)->Range(10, 100000);
BENCHMARK(BM_BytesInverterRing)->RangeMultiplier(10)->Range(10, 100000);
BENCHMARK(BM_BytesRandomGates)->RangeMultiplier(10)->Range(10, 100000);
BENCHMARK(BM_BytesNestedMacros)->RangeMultiplier(10)->Range(10, 100000);

BENCHMARK_MAIN();
