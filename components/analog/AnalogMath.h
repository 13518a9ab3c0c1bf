// Number rules the analog components share: limits, the power function, the
// fault test that stands in for the floating-point exceptions the blocks
// react to, and the 32-bit word of a pin value. Every check is explicit: no
// floating-point trap is ever armed.
#pragma once

#include "platform/SysTypes.h"

#include <cmath>
#include <initializer_list>

// v limited to [-m, m]; NaN gives -m.
inline Extended Lim(Extended v, Extended m)
{
    if (v > m)
        return m;
    if (v >= -m)
        return v;
    return -m;
}

// True when a result stands for a floating-point exception of its operation:
// an invalid operation (NaN out of operands that were numbers) or a division
// by zero or overflow (an infinity out of finite operands).
inline bool IsFloatFault(Extended result, std::initializer_list<Extended> operands)
{
    if (std::isnan(result)) {
        for (const Extended x : operands)
            if (std::isnan(x))
                return false;
        return true;
    }
    if (std::isinf(result)) {
        for (const Extended x : operands)
            if (!std::isfinite(x))
                return false;
        return true;
    }
    return false;
}

// b to the power p: an integral p within the 32-bit range by repeated
// squaring (0^0 = 1, a negative p gives the reciprocal, so 0^-1 is an
// infinity); otherwise 0 for b = 0, NaN for a negative b, else 2^(p log2 b).
Extended Power(Extended b, Extended p);

// The 32-bit word of a value: above 2^32 - 1 limited, a negative value limited
// to the 32-bit signed range and taken as two's complement, rounded half to
// even; NaN gives 0.
Cardinal Word32(Extended v);

// v limited to [lo, hi] (NaN gives lo), rounded half to even.
Integer SaturatedRound(Extended v, Integer lo, Integer hi);
