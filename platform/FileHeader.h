// The start of every project, macro and library stream: an optional run-only
// prefix of 59 typed integers (only in a compiled program's package), then
// five raw header bytes 2, 0, 0 and the file version as a 16-bit number.
#pragma once

#include "platform/Stream.h"

inline constexpr Word FileVersion = 46;
inline constexpr int RunOnlyPrefixCount = 59;

// saveCompiled adds the run-only prefix of pseudo-random values 0..29999.
void WriteFileHeader(TWriter& writer, bool saveCompiled);
// Skips the prefix when saveCompiled, reads the header and returns its version
// byte (byte 3). Every header is accepted; only a short stream raises.
Byte ReadFileHeader(TReader& reader, bool saveCompiled);
