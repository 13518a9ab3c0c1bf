// The memory components' hex text files: one byte per line as two upper-case
// hexadecimal digits, lines ended by CR LF. The reader is lenient: on every
// line it takes each pair of upper-case hex digits it finds, so any other
// character (lower-case letters and blanks included) only separates pairs,
// an odd run of digits leaves its last digit out, and "$" or "0x" before a
// pair does no harm.
#pragma once

#include "platform/SysTypes.h"

#include <optional>
#include <string_view>

// Reads hex text in pieces: pairs never span a line end, and at most `size`
// bytes are stored into memory[0..size-1].
class THexReader {
public:
    THexReader(Byte* memory, Integer size) : memory_(memory), size_(size < 0 ? 0 : size) {}
    void Feed(std::string_view text);
    Integer Count() const { return count_; }
    bool Full() const { return count_ >= size_; }

private:
    Byte* memory_;
    Integer size_;
    Integer count_ = 0;
    int pending_ = -1;   // the value of a hex digit waiting for its partner
};

// The whole text at once; the first `size` bytes are cleared first.
Integer ParseHexText(std::string_view text, Byte* memory, Integer size);

// The file (looked up as a data file of the project) into memory[0..size-1]:
// those bytes are cleared, then filled from the file; returns the number of
// bytes taken. A file that cannot be opened returns nothing and leaves the
// memory as it was.
std::optional<Integer> LoadHexFile(const AnsiString& fileName, Byte* memory, Integer size);

// memory[0..size-1] as a hex text file, written under a temporary name and
// renamed; false when the file could not be written (the old one stays).
bool SaveHexFile(const AnsiString& fileName, const Byte* memory, Integer size);
