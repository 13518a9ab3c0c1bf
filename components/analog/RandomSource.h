// The random numbers of the random value block: a 64-bit Mersenne twister
// with our own mapping to ranges, so a seed gives the same sequence on every
// standard library (tests seed it through the fake clock and replay it).
#pragma once

#include "platform/SysTypes.h"

#include <cstdint>
#include <random>

class TRandomSource {
public:
    explicit TRandomSource(std::uint64_t seed = 1) : engine_(seed) {}
    void Seed(std::uint64_t seed) { engine_.seed(seed); }

    // Uniform in [0, n); 0 for n below 1. Rejection keeps every value equally
    // likely however n divides 2^64.
    Int64 Below(Int64 n)
    {
        if (n <= 1)
            return 0;
        const std::uint64_t range = static_cast<std::uint64_t>(n);
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
        std::uint64_t x;
        do
            x = engine_();
        while (x >= limit);
        return static_cast<Int64>(x % range);
    }
    // Uniform in [0, 1) with 53 random bits.
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_;
};
