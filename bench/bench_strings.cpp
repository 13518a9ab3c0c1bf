// Nanoseconds per step of the text components in the fast loop: each
// component alone, 100 of a kind fed from text sources, and a protocol chain
// (constant, split, replace, join, compare, CRC, number) as a serial
// instrument's circuit would use it.
#include "components/strings/BT_StrCRC.h"
#include "components/strings/BT_StrConvert.h"
#include "components/strings/BT_StrMemory.h"
#include "components/strings/BT_StrOperations.h"
#include "support/TestBoard.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const AnsiString Reading = "T=23.5;H=40.1;P=1013.2;S=OK\r\n";

// Links the input to the output as the simulation start does; the step never
// looks at wires, and drawing hundreds of them is what would be measured.
void Link(TIOBauteil* from, Integer output, TIOBauteil* to, Integer input)
{
    to->Inputs[input].Source = from->Outputs[output].MarkReferenced();
}

void RegisterTextRows()
{
    static const bool registered = [] {
        for (TRowList (*family)() : {&StrConvertRows, &StrOperationRows, &StrMemoryRows, &StrCrcRows})
            RegisterRows(family());
        return true;
    }();
    (void)registered;
}

// Per input: a text ("" leaves the input open).
void BM_TextComponent(benchmark::State& state, const char* className, std::vector<AnsiString> inputs)
{
    constexpr Integer Copies = 100;
    RegisterTextRows();
    TTestBoard t;
    std::vector<TBTTestTextSource*> sources;
    for (const AnsiString& text : inputs) {
        auto* source = t.Place<TBTTestTextSource>(100, 100 + 200 * static_cast<Integer>(sources.size()));
        source->Texts[0] = text;
        sources.push_back(source);
    }
    std::vector<TIOBauteil*> components;
    for (Integer i = 0; i < Copies; ++i) {
        TIOBauteil* c = CreateComponent(className);
        c->X = 2000 + i % 10 * 400;
        c->Y = 100 + i / 10 * 600;
        c->LayoutPins();
        t.Board().InsertObject(c);
        for (std::size_t k = 0; k < inputs.size(); ++k)
            if (!inputs[k].empty())
                Link(sources[k], 0, c, static_cast<Integer>(k));
        components.push_back(c);
    }
    t.CalculateAll();
    for (auto _ : state)
        for (TIOBauteil* c : components)
            c->Calculate();
    state.SetItemsProcessed(state.iterations() * Copies);
}

BENCHMARK_CAPTURE(BM_TextComponent, Copy, "TBTStrCopy", {Reading, "3", "4"});
BENCHMARK_CAPTURE(BM_TextComponent, Position, "TBTStrPos", {Reading, "S=OK"});
BENCHMARK_CAPTURE(BM_TextComponent, ReplaceAll, "TBTStrReplace", {Reading, "=", ": ", "", ""});
BENCHMARK_CAPTURE(BM_TextComponent, ReplaceNoCase, "TBTStrReplace", {Reading, "s=ok", "-", "", "0"});
BENCHMARK_CAPTURE(BM_TextComponent, Parts, "TBTStrParts", {Reading});
BENCHMARK_CAPTURE(BM_TextComponent, Add, "TBTStrPlus", {Reading, Reading});
BENCHMARK_CAPTURE(BM_TextComponent, Compare, "TBTStrCompare", {Reading, Reading});
BENCHMARK_CAPTURE(BM_TextComponent, Trim, "TBTStrTrim", {Reading, "", ""});
BENCHMARK_CAPTURE(BM_TextComponent, Value, "TBT_Str_Value", {Reading});
BENCHMARK_CAPTURE(BM_TextComponent, Crc32, "TBTStrCRC", {Reading, "32", "79764919", "-1", "0", "", "0", "-1"});
BENCHMARK_CAPTURE(BM_TextComponent, Multiplexer, "TBTStrMux", {"", "", Reading, Reading});
BENCHMARK_CAPTURE(BM_TextComponent, Bytes, "TBTStrBytes", {Reading, "65", "66", "67", "68", "69", "70", "71", "72"});

// The chain: a reading split into its fields, the first field's "=" replaced,
// two fields joined, compared with the constant, its CRC, a field's number.
void BM_TextChain(benchmark::State& state)
{
    const auto chains = static_cast<Integer>(state.range(0));
    RegisterTextRows();
    TTestBoard t;
    for (Integer k = 0; k < chains; ++k) {
        const Integer y = 100 + k * 1200;
        auto* constant = static_cast<TBT_Str_Fest*>(t.Place("TBT_Str_Fest", 100, y));
        constant->Text = Reading;
        auto* parts = t.Place("TBTStrParts", 600, y);
        auto* replace = t.Place("TBTStrReplace", 1100, y);
        auto* plus = t.Place("TBTStrPlus", 1600, y);
        auto* compare = t.Place("TBTStrCompare", 2100, y);
        auto* crc = t.Place("TBTStrCRC", 2600, y);
        auto* value = t.Place("TBT_Str_Value", 3100, y);
        Link(constant, 0, parts, 0);
        Link(parts, 3, replace, 0);   // "$1"
        Link(parts, 2, plus, 0);
        Link(parts, 1, plus, 1);
        Link(replace, 0, compare, 0);
        Link(constant, 0, compare, 1);
        Link(plus, 0, crc, 0);
        Link(parts, 2, value, 0);
        constant->ResetForStart();
    }
    t.CalculateAll();
    for (auto _ : state)
        t.CalculateAll();
    state.SetItemsProcessed(state.iterations() * chains * 7);
}
BENCHMARK(BM_TextChain)->Arg(10)->Arg(100);

} // namespace

BENCHMARK_MAIN();
