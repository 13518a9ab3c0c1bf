// The library's block codec (LZRW1/KH with an added run code) and the
// compressed block stream built from it. Every reader is bounds-checked:
// damaged data raises EReadError and never reads or writes outside its buffers.
#pragma once

#include "platform/Stream.h"

#include <cstddef>
#include <vector>

// Source bytes per compressed chunk.
inline constexpr std::size_t LZRWChunkSize = 32781;   // 0x800D
inline constexpr const char* SLZRWError = "LZRW Error!";

// One coded (0x40) or, when coding does not pay, stored (0x80) block.
std::vector<Byte> LZRWCompress(const Byte* source, std::size_t size);
// The bytes one block expands to; at most maxOutput of them, more is damage.
std::vector<Byte> LZRWDecompress(const Byte* block, std::size_t size,
                                 std::size_t maxOutput = LZRWChunkSize);

// The compressed block stream of the next count bytes of source: a total, then
// chunks of (size, block) for each piece of LZRWChunkSize source bytes.
void CompressStream(TStream& source, TStream& dest, std::size_t count);
// The most one compressed block stream may expand to. A run code turns four
// bytes into a whole chunk, so a small damaged file could otherwise ask for
// gigabytes; no picture, text or sound the library stores comes near this.
inline constexpr std::size_t MaxExpandedStream = std::size_t(256) << 20;

// Expands a compressed block stream at the position of source, appending to
// dest; a stream that would expand beyond maxTotal bytes is damage.
void DecompressStream(TStream& source, TStream& dest, std::size_t maxTotal = MaxExpandedStream);
