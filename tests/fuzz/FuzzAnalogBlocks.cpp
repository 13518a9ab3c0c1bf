// Fuzz entry for the records of the time-based and clocked analog blocks and
// their steps. Input layout: one byte picks the class (table below), one the
// file version, one the number of steps (at most 63); then per step one byte
// of counter time (0 = none, else that many times 0.37 ms; 255 = an hour)
// and one byte per input, picking its value from a table that holds NaN and
// the infinities; the rest are the block's own record bytes, read behind a
// base record of the class. Reading may only end with EReadError. After the
// steps a reset and twenty steps of finite inputs (levels high, clocks
// toggling, one millisecond apart) must leave every output finite.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "components/analog/BT_Inkretment.h"
#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_Regler.h"
#include "components/analog/BT_Relais.h"
#include "components/analog/BT_Spiel.h"
#include "engine/Globals.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace {

const char* const Blocks[] = {
    "TBTIntegrierer", "TBTDifferenzierer", "TBTPT1",         "TBTPT2",        "TBTDT1",
    "TBT_P_Regler",   "TBT_PI_Regler",     "TBT_PID_Regler", "TBT_PD_Regler", "TBT_2_Punkt_Regler",
    "TBT_Spiel",      "TBT_Totzone",       "TBTLimiter",     "TBTAnalogVgl",  "TBTSample",
    "TBTRelais",      "TBTRelais_2",       "TBT_Inkretment", "TBT_AnalogDelay",
};

TIOBauteil* MakeBlock(const char* className)
{
    static const bool registered = [] {
        for (const auto rows :
             {&IntegriererRows, &PTGliederRows, &ReglerRows, &SpielRows, &RelaisRows, &InkretmentRows})
            RegisterRows(rows());
        return true;
    }();
    (void)registered;
    return CreateComponent(className);
}

constexpr Extended Inf = std::numeric_limits<Extended>::infinity();
const Extended InputValues[16] = {0.0L, 5.0L, 1.0L, -1.0L, 0.5L, 2.5L, 1000.0L, -0.001L,
                                  1e300L, -1e300L, 1e-300L, std::numeric_limits<Extended>::quiet_NaN(),
                                  Inf, -Inf, 1e4000L, 0.1L};

constexpr Int64 Ms = 1'000'000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput in(data, size);
    const std::unique_ptr<TIOBauteil> block(MakeBlock(Blocks[in.Byte() % std::size(Blocks)]));
    const Byte version = in.Byte();
    const Integer steps = in.Byte() % 64;
    struct TStep {
        Int64 Ticks;
        std::array<Extended, 8> Inputs;
    };
    std::vector<TStep> script(static_cast<std::size_t>(steps));
    for (TStep& step : script) {
        const std::uint8_t t = in.Byte();
        step.Ticks = t == 255 ? 3600'000 * Ms : Int64(t) * 370'000;
        for (Integer i = 0; i < block->InputCount && i < 8; ++i)
            step.Inputs[static_cast<std::size_t>(i)] = InputValues[in.Byte() % 16];
    }

    TFakeClock clock(1000 * Ms);
    TScopedClock installed(clock);
    PerfFrequency = 1e9;

    // The base record of the class, then the fuzzer's own bytes.
    TMemoryStream record;
    {
        TWriter writer(record);
        block->TIOBauteil::WriteData(record, writer);
    }
    std::vector<Byte> bytes = record.Bytes();
    const std::string_view rest = in.Rest();
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    TMemoryStream stream(bytes);
    try {
        TReader reader(stream);
        block->ReadData(stream, reader, version);
    } catch (const EReadError&) {
        return 0;
    }

    std::array<TBauteilPin, 8> pins;
    const Integer inputs = std::min<Integer>(block->InputCount, 8);
    for (Integer i = 0; i < inputs; ++i)
        block->Inputs[static_cast<std::size_t>(i)].Source = &pins[static_cast<std::size_t>(i)];
    block->ResetForStart();
    for (const TStep& step : script) {
        for (Integer i = 0; i < inputs; ++i)
            pins[static_cast<std::size_t>(i)].SetValue(step.Inputs[static_cast<std::size_t>(i)]);
        clock.Advance(step.Ticks);
        block->Calculate();
    }

    block->SimulationStopped();
    block->ResetForStart();
    for (Integer s = 0; s < 20; ++s) {
        for (Integer i = 0; i < inputs; ++i) {
            const bool clockPin = block->Inputs[static_cast<std::size_t>(i)].Name[0] == '|';
            pins[static_cast<std::size_t>(i)].SetValue(clockPin && s % 2 ? 0.0L : 5.0L);
        }
        clock.Advance(Ms);
        block->Calculate();
    }
    for (Integer o = 0; o < block->OutputCount; ++o)
        FUZZ_CHECK(std::isfinite(block->Outputs[static_cast<std::size_t>(o)].Value));
    return 0;
}
