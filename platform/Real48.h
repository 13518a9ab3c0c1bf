// The six-byte real of older project records: byte 0 is the binary exponent
// plus 129 (0 means 0.0), bytes 1 to 5 the 39 fraction bits below an implicit
// leading 1, least significant byte first, and the top bit of byte 5 the
// sign. It has no infinities, no NaN and no denormals.
#pragma once

#include "platform/SysTypes.h"

#include <array>

using TReal48 = std::array<Byte, 6>;

// The nearest six-byte real (halves to the even fraction). Values below the
// smallest magnitude (2^-128) give 0, above the largest (just under 2^127)
// the largest with their sign; NaN gives 0.
TReal48 ExtendedToReal48(Extended value);
// Every byte pattern is a finite number.
Extended Real48ToExtended(const TReal48& bytes);
