// The step of the counters, registers, shift registers, multiplexers, bus
// components, adders and comparators allocates nothing: the step is the hot
// path, and an allocation per component and step would show on every board.
#include "DigitalRig.h"
#include "support/AllocationCount.h"

namespace {

using AllocationTest = DigitalTest;

TEST_F(AllocationTest, StepsOfTheSequentialAndWordComponentsAllocateNothing)
{
    TTestBoard t;
    // Three signals changing every step, every second and every third step,
    // on the inputs in turn, so that edges, loads, resets and selections
    // happen.
    auto* source = t.Place<TBTTestSource>(100, 100);
    source->SetOutputCount(3);
    Integer y = 100;
    for (const char* className :
         {"TBTCNT4", "TBTCNT8", "TBTCNT16", "TBTCNT4D", "TBTCNTL", "TBTCNTL8", "TBTCNTL16", "TBTCNTLD", "TBTSREG",
          "TBTSREG8", "TBTSREG16", "TBTSREGL", "TBTSREGL8", "TBTSREGL16", "TBTMUX2", "TBTMUX4", "TBTMUX8", "TBTMUX16",
          "TBTDMUX2", "TBTDMUX4", "TBTDMUX8", "TBTDMUX16", "TBTBustreiber", "TBTAdressdekoder", "TBTREG2", "TBTREG4",
          "TBTREG8", "TBTREG16", "TBTREG2_T", "TBTREG4_T", "TBTREG8_T", "TBTREG16_T", "TBTADD2", "TBTADD4", "TBTADD8",
          "TBTVGL4", "TBTVGL8"}) {
        TIOBauteil* part = t.Place(className, 800, y);
        y += 600;
        for (Integer i = 0; i < part->InputCount; ++i)
            part->Inputs[i].Source = source->Outputs[i % 3].MarkReferenced();
        part->ResetForStart();
    }
    PinLinksChanged();
    auto run = [&](Integer steps) {
        for (Integer step = 0; step < steps; ++step) {
            for (Integer k = 0; k < 3; ++k)
                source->Values[k] = step % (k + 1) == 0 ? HighLevel - source->Values[k] : source->Values[k];
            t.CalculateAll();
        }
    };
    run(10);
    EXPECT_EQ(AllocationsDuring([&] { run(1000); }), 0);
}

} // namespace
