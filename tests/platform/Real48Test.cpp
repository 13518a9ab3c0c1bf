// Six-byte reals: the sample-period table's bytes as project files hold
// them, exact round trips, rounding at the 40th bit, and the values the
// format cannot hold.
#include "platform/Real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct TRow {
    Extended Value;
    TReal48 Bytes;
};

// The periods of the sample-period table with their bytes, byte 0 first.
const TRow PeriodTable[] = {
    {-1.0L, {0x81, 0x00, 0x00, 0x00, 0x00, 0x80}},   {0.001L, {0x77, 0x8d, 0x97, 0x6e, 0x12, 0x03}},
    {0.002L, {0x78, 0x8d, 0x97, 0x6e, 0x12, 0x03}},  {0.005L, {0x79, 0x71, 0x3d, 0x0a, 0xd7, 0x23}},
    {0.01L, {0x7a, 0x71, 0x3d, 0x0a, 0xd7, 0x23}},   {0.02L, {0x7b, 0x71, 0x3d, 0x0a, 0xd7, 0x23}},
    {0.05L, {0x7c, 0xcd, 0xcc, 0xcc, 0xcc, 0x4c}},   {0.1L, {0x7d, 0xcd, 0xcc, 0xcc, 0xcc, 0x4c}},
    {0.2L, {0x7e, 0xcd, 0xcc, 0xcc, 0xcc, 0x4c}},    {0.5L, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {1.0L, {0x81, 0x00, 0x00, 0x00, 0x00, 0x00}},    {2.0L, {0x82, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {5.0L, {0x83, 0x00, 0x00, 0x00, 0x00, 0x20}},    {10.0L, {0x84, 0x00, 0x00, 0x00, 0x00, 0x20}},
    {30.0L, {0x85, 0x00, 0x00, 0x00, 0x00, 0x70}},   {60.0L, {0x86, 0x00, 0x00, 0x00, 0x00, 0x70}},
    {120.0L, {0x87, 0x00, 0x00, 0x00, 0x00, 0x70}},  {300.0L, {0x89, 0x00, 0x00, 0x00, 0x00, 0x16}},
    {600.0L, {0x8a, 0x00, 0x00, 0x00, 0x00, 0x16}},  {1200.0L, {0x8b, 0x00, 0x00, 0x00, 0x00, 0x16}},
    {1800.0L, {0x8b, 0x00, 0x00, 0x00, 0x00, 0x61}},
};

TEST(Real48, TheSamplePeriodsAreTheNearestSixByteReals)
{
    for (const TRow& row : PeriodTable) {
        SCOPED_TRACE(static_cast<double>(row.Value));
        EXPECT_EQ(ExtendedToReal48(row.Value), row.Bytes);
        // Read back, the value is within half a unit of the 40-bit significand.
        const Extended back = Real48ToExtended(row.Bytes);
        EXPECT_LE(std::fabs(back - row.Value), std::fabs(row.Value) * 0x1p-40L);
        EXPECT_EQ(ExtendedToReal48(back), row.Bytes);
    }
}

TEST(Real48, ValuesWithFortyBitsComeBackExactly)
{
    for (const Extended v : {1.0L, -3.25L, 0x1.fffffffffep0L, 0x1p-128L, -0x1p126L, 123456789.0L, 0x1.fffffffffep126L})
        EXPECT_EQ(Real48ToExtended(ExtendedToReal48(v)), v) << static_cast<double>(v);
}

// The 41st bit and below decide: halves go to the even significand, and a
// carry out of the significand moves the exponent.
TEST(Real48, RoundsHalvesToEven)
{
    const Extended ulp = 0x1p-39L;
    struct TCase {
        Extended In, Out;
    };
    for (const TCase& c : {TCase{1.0L + ulp / 2, 1.0L}, TCase{1.0L + ulp * 1.5L, 1.0L + 2 * ulp},
                           TCase{1.0L + ulp * 0.5001L, 1.0L + ulp}, TCase{2.0L - ulp / 2, 2.0L},
                           TCase{-(1.0L + ulp * 0.75L), -(1.0L + ulp)}})
        EXPECT_EQ(Real48ToExtended(ExtendedToReal48(c.In)), c.Out) << static_cast<double>(c.In);
}

TEST(Real48, ValuesTheFormatCannotHold)
{
    const TReal48 zero{};
    const TReal48 largest{0xff, 0xff, 0xff, 0xff, 0xff, 0x7f};
    const TReal48 smallestNegative{0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
    EXPECT_EQ(ExtendedToReal48(0.0L), zero);
    EXPECT_EQ(ExtendedToReal48(-0.0L), zero);
    EXPECT_EQ(ExtendedToReal48(std::numeric_limits<Extended>::quiet_NaN()), zero);
    EXPECT_EQ(ExtendedToReal48(0x1p-129L), zero);   // below the smallest
    EXPECT_EQ(ExtendedToReal48(std::numeric_limits<Extended>::denorm_min()), zero);
    EXPECT_EQ(ExtendedToReal48(std::numeric_limits<Extended>::infinity()), largest);
    EXPECT_EQ(ExtendedToReal48(-std::numeric_limits<Extended>::infinity()), smallestNegative);
    EXPECT_EQ(ExtendedToReal48(1e300L), largest);
}

// Whatever bytes a file holds read as a finite number; exponent byte 0 is 0
// whatever the other bytes say.
TEST(Real48, EveryPatternReadsAsAFiniteNumber)
{
    EXPECT_EQ(Real48ToExtended({0x00, 0xff, 0xff, 0xff, 0xff, 0xff}), 0.0L);
    for (int e = 0; e < 256; ++e)
        for (const Byte top : {Byte(0x00), Byte(0x7f), Byte(0x80), Byte(0xff)}) {
            const Extended v = Real48ToExtended({static_cast<Byte>(e), 0xff, 0x00, 0xff, 0x00, top});
            EXPECT_TRUE(std::isfinite(v)) << e;
        }
    EXPECT_EQ(Real48ToExtended({0xff, 0xff, 0xff, 0xff, 0xff, 0x7f}), 0x1.fffffffffep126L);
}

} // namespace
