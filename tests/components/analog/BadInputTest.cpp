// Values that are no finite number on every input of every block of the
// family, in steps with and without counter time: after the next reset the
// block computes finite values again from finite inputs.
#include "AnalogClock.h"

#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_Regler.h"

#include <string>

namespace {

class BadInput : public AnalogClockTest {};

const char* const Classes[] = {
    "TBTIntegrierer", "TBTDifferenzierer", "TBTPT1",       "TBTPT2",        "TBTDT1",
    "TBT_P_Regler",   "TBT_PI_Regler",     "TBT_PID_Regler", "TBT_PD_Regler", "TBT_2_Punkt_Regler",
    "TBT_Spiel",      "TBT_Totzone",       "TBTLimiter",   "TBTAnalogVgl",  "TBTSample",
    "TBTRelais",      "TBTRelais_2",       "TBT_Inkretment", "TBT_AnalogDelay",
    "TBTFktGenerator", "TBTPulse",         "TBTKorrekturtabelle",
    "TBTFreqCount",
};

// The filters on as well, so the filtered paths meet the bad values too.
void EnableFilter(TIOBauteil& block)
{
    if (auto* b = dynamic_cast<TBTDifferenzierer*>(&block))
        b->Filter.Enabled = true;
    if (auto* b = dynamic_cast<TBTDT1*>(&block))
        b->Filter.Enabled = true;
    if (auto* b = dynamic_cast<TBT_PID_Regler*>(&block))
        b->Filter.Enabled = true;
    if (auto* b = dynamic_cast<TBT_PD_Regler*>(&block))
        b->Filter.Enabled = true;
}

TEST_F(BadInput, NoBlockStaysOnNaNAfterAReset)
{
    for (const char* name : Classes)
        for (const bool filtered : {false, true})
            for (const Extended bad : {NaN, Inf, -Inf}) {
                SCOPED_TRACE(std::string(name) + (filtered ? " filtered " : " ") + std::to_string(double(bad)));
                auto block = Make(name);
                if (filtered)
                    EnableFilter(*block);
                block->ResetForStart();
                for (Integer i = 0; i < block->InputCount; ++i) {
                    feed.Pins[static_cast<std::size_t>(i)].SetValue(bad);
                    block->Inputs[static_cast<std::size_t>(i)].Source = &feed.Pins[static_cast<std::size_t>(i)];
                }
                for (const Int64 ticks : {Ms, Int64(0), 7 * Ms, Int64(0), 1000 * Ms}) {
                    clock.Advance(ticks);
                    block->Calculate();
                }
                block->SimulationStopped();
                block->ResetForStart();
                // Finite inputs: every level high, clocks toggling.
                for (Integer step = 0; step < 20; ++step) {
                    for (Integer i = 0; i < block->InputCount; ++i) {
                        const bool clockPin = block->Inputs[static_cast<std::size_t>(i)].Name[0] == '|';
                        feed.Pins[static_cast<std::size_t>(i)].SetValue(clockPin && step % 2 ? 0.0L : 5.0L);
                    }
                    clock.Advance(Ms);
                    block->Calculate();
                }
                for (Integer o = 0; o < block->OutputCount; ++o)
                    EXPECT_TRUE(std::isfinite(block->Outputs[static_cast<std::size_t>(o)].Value)) << "output " << o;
            }
}

} // namespace
