// Byte sequences typed as text by the serial and network components: text
// constants in double quotes, decimal numbers and "$" hexadecimal bytes,
// separated by blanks. No definition is rejected; what cannot be read becomes
// a 0 byte, and the user sees the result in the dialogs' previews.
#pragma once

#include "platform/SysTypes.h"

#include <array>
#include <cstddef>
#include <string_view>

// The usual buffer: up to 255 bytes of sequence and the terminating 0.
inline constexpr std::size_t ByteDefinitionBufferSize = 256;
using TByteDefinitionBuffer = std::array<Byte, ByteDefinitionBufferSize>;

// Writes the bytes of the definition to buffer, then a 0 byte, and returns
// the number of bytes without the 0. At most bufferSize - 1 bytes are
// written: a longer definition stops there, and nothing is written when
// bufferSize is 0.
Integer ParseByteDefinition(std::string_view text, Byte* buffer, std::size_t bufferSize);

template <std::size_t N>
Integer ParseByteDefinition(std::string_view text, std::array<Byte, N>& buffer)
{
    return ParseByteDefinition(text, buffer.data(), N);
}

// The first two hexadecimal digits of the token, the other characters
// dropped; 0 when there is none.
Integer ParseHexByte(std::string_view token);
// The decimal digits of the token as one number, the other characters
// dropped; 0 when there is none or the number is above 255.
Integer ParseDecimalByte(std::string_view token);

inline Byte HighNibble(Byte value) { return static_cast<Byte>(value >> 4); }
inline Byte LowNibble(Byte value) { return static_cast<Byte>(value & 15); }

// " 48 65 0D": a blank and two upper-case hexadecimal digits per byte.
AnsiString HexPreview(const Byte* bytes, std::size_t count);
