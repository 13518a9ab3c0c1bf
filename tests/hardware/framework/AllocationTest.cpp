// The step of hardware components on cards allocates nothing: routing the
// channels, the card's transfer and the outputs run in every step of every
// board with devices.
#include "hardware/framework/BT_Hardware.h"

#include "engine/Globals.h"
#include "engine/ShellHooks.h"
#include "fakes/FakeCard.h"
#include "support/AllocationCount.h"
#include "support/TestBoard.h"

#include <gtest/gtest.h>

namespace {

TEST(HardwareAllocationTest, StepsOfCardsAllocateNothing)
{
    RegisterClass(TBTHardware::StaticClass());
    RegisterFakeCards();
    TTestBoard t;
    auto* source = t.Place<TBTTestSource>(100, 100);
    source->SetOutputCount(2);
    TBTHardware* previous = nullptr;
    for (Integer i = 0; i < 10; ++i) {
        TBTHardware* hardware = TBTHardware::CreateHolding(static_cast<TFakeCard*>(CreateObjectByName("TFakeCard")));
        hardware->X = 400 + i * 600;
        hardware->Y = 100;
        hardware->LayoutPins();
        t.Board().InsertObject(hardware);
        for (Integer pin = 0; pin < 2; ++pin) {
            if (previous)
                t.Connect(previous, pin, hardware, pin);
            else
                t.Connect(source, pin, hardware, pin);
        }
        previous = hardware;
    }
    t.Board().PrepareSimulation();
    auto run = [&](Integer steps) {
        for (Integer step = 0; step < steps; ++step) {
            source->Values = {static_cast<Extended>(step % 5), static_cast<Extended>(step % 3)};
            t.Board().Step();
        }
    };
    run(10);
    EXPECT_EQ(AllocationsDuring([&] { run(1000); }), 0);
    t.Board().StopSimulation();
    ResetGlobals();
}

} // namespace
