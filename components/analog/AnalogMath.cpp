#include "components/analog/AnalogMath.h"

#include <cstdint>
#include <limits>

Extended Power(Extended b, Extended p)
{
    constexpr Extended MaxExponent = 2147483647.0L;
    if (p == truncl(p) && fabsl(p) <= MaxExponent) {
        auto n = static_cast<std::uint64_t>(fabsl(p));
        Extended result = 1.0L;
        Extended factor = b;
        while (n != 0) {
            if (n & 1)
                result *= factor;
            n >>= 1;
            if (n != 0)
                factor *= factor;
        }
        return p < 0 ? 1.0L / result : result;
    }
    if (b == 0)
        return 0.0L;
    if (b < 0)
        return std::numeric_limits<Extended>::quiet_NaN();
    return exp2l(p * log2l(b));
}

Cardinal Word32(Extended v)
{
    if (!(v == v))
        return 0;
    if (v > 4294967295.0L)
        v = 4294967295.0L;
    if (v < 0) {
        if (v < -2147483648.0L)
            v = -2147483648.0L;
        v += 4294967296.0L;
    }
    // Rounding 4294967295.5 (from -0.5 below) can reach 2^32: keep the low 32 bits.
    return static_cast<Cardinal>(static_cast<std::uint64_t>(nearbyintl(v)) & 0xFFFFFFFFu);
}

Integer SaturatedRound(Extended v, Integer lo, Integer hi)
{
    if (!(v >= lo))
        return lo;
    if (v >= hi)
        return hi;
    return static_cast<Integer>(nearbyintl(v));
}
