// The step of hardware components on cards allocates nothing: routing the
// channels, the card's transfer and the outputs run in every step of every
// board with devices. This binary counts the allocations made through
// operator new while a counting scope is open.
#include "hardware/framework/BT_Hardware.h"

#include "engine/Globals.h"
#include "engine/ShellHooks.h"
#include "fakes/FakeCard.h"
#include "support/TestBoard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

thread_local bool Counting = false;
thread_local long Allocations = 0;

} // namespace

void* operator new(std::size_t size)
{
    if (Counting)
        ++Allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

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
    Counting = true;
    run(1000);
    Counting = false;
    EXPECT_EQ(Allocations, 0);
    t.Board().StopSimulation();
    ResetGlobals();
}

} // namespace
