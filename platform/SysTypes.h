// Value types shared by every subsystem. The names follow the program's own
// vocabulary so code reads the same across engine, panel and drivers.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

using Extended = long double;   // pin value type: x87 80-bit on x86-64
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using Word = std::uint16_t;
using Byte = std::uint8_t;
using Int64 = std::int64_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;

// 8-bit text in Windows-1252: every byte 0..255 is carried unchanged.
// Convert to QString only at the Qt boundary (platform/AnsiText.h).
using AnsiString = std::string;

// 0x00BBGGRR; negative values are system colours.
using TColor = std::int32_t;

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the x87 80-bit format (64-bit mantissa)");

struct TPoint {
    Integer X = 0;
    Integer Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Windows semantics: Right and Bottom are exclusive.
struct TRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;
    Integer Width() const { return Right - Left; }
    Integer Height() const { return Bottom - Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(Integer x, Integer y) { return TPoint{x, y}; }
inline TRect Rect(Integer l, Integer t, Integer r, Integer b) { return TRect{l, t, r, b}; }
