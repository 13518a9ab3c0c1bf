#include "platform/Real48.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int ExponentBias = 129;
constexpr int FractionBits = 39;

TReal48 Pack(bool negative, int exponentByte, std::uint64_t fraction)
{
    TReal48 out{};
    out[0] = static_cast<Byte>(exponentByte);
    for (int i = 0; i < 5; ++i)
        out[1 + i] = static_cast<Byte>(fraction >> (8 * i));
    if (negative)
        out[5] |= 0x80;
    return out;
}

} // namespace

TReal48 ExtendedToReal48(Extended value)
{
    if (std::isnan(value) || value == 0.0L)
        return TReal48{};
    const bool negative = std::signbit(value);
    const Extended magnitude = std::fabs(value);
    if (std::isinf(magnitude))
        return Pack(negative, 255, (std::uint64_t(1) << FractionBits) - 1);
    // magnitude = m x 2^e with m in [1, 2); the significand as 40 bits.
    int e = 0;
    const Extended m = std::frexp(magnitude, &e) * 2.0L;   // frexp gives [0.5, 1)
    --e;
    // 64 significant bits of m, then rounded to 40 (halves to even).
    const auto bits = static_cast<std::uint64_t>(std::ldexp(m, 63));
    constexpr int Drop = 64 - (FractionBits + 1);
    std::uint64_t kept = bits >> Drop;
    const std::uint64_t rest = bits & ((std::uint64_t(1) << Drop) - 1);
    const std::uint64_t half = std::uint64_t(1) << (Drop - 1);
    if (rest > half || (rest == half && (kept & 1)))
        ++kept;
    if (kept >> (FractionBits + 1)) {   // rounded up to 2.0
        kept >>= 1;
        ++e;
    }
    const int exponentByte = e + ExponentBias;
    if (exponentByte < 1)
        return TReal48{};
    if (exponentByte > 255)
        return Pack(negative, 255, (std::uint64_t(1) << FractionBits) - 1);
    return Pack(negative, exponentByte, kept & ((std::uint64_t(1) << FractionBits) - 1));
}

Extended Real48ToExtended(const TReal48& bytes)
{
    if (bytes[0] == 0)
        return 0.0L;
    std::uint64_t fraction = 0;
    for (int i = 4; i >= 0; --i)
        fraction = fraction << 8 | bytes[1 + i];
    fraction &= (std::uint64_t(1) << FractionBits) - 1;
    const Extended m = 1.0L + std::ldexp(static_cast<Extended>(fraction), -FractionBits);
    const Extended v = std::ldexp(m, bytes[0] - ExponentBias);
    return (bytes[5] & 0x80) ? -v : v;
}
