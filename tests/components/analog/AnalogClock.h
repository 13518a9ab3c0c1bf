// The fixture of the time-based block tests: the analog classes registered,
// a fake performance counter installed (1e9 ticks per second), and steps
// that advance it by a given time before the block computes. No test sleeps.
#pragma once

#include "AnalogTestSupport.h"

#include "engine/Globals.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

inline constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();
inline constexpr Extended Inf = std::numeric_limits<Extended>::infinity();

class AnalogClockTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override { ResetGlobals(); }

    static constexpr Int64 Ms = 1'000'000;   // counter ticks of a millisecond

    // Advances the counter, then one step of the block with these inputs.
    void Step(TIOBauteil& block, std::initializer_list<Extended> inputs, Int64 ticks = Ms)
    {
        clock.Advance(ticks);
        feed.Step(block, inputs);
    }
    static Extended Out(const TIOBauteil& block, Integer o = 0) { return block.Outputs[o].Value; }

    // The block's whole record, and its base record alone.
    static std::vector<Byte> Record(TIOBauteil& block)
    {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            block.WriteData(stream, writer);
        }
        return stream.Bytes();
    }
    static std::vector<Byte> BaseRecord(TIOBauteil& block)
    {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            block.TIOBauteil::WriteData(stream, writer);
        }
        return stream.Bytes();
    }

    TFakeClock clock{1'000 * Ms};
    TScopedClock installed{clock};
    TFeeder feed;
};
