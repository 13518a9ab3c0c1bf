// The characteristic curve of the correction table: (input, output) pairs
// kept sorted by input, interpolated linearly between pairs and extrapolated
// along the first or last segment; its stream record; and the import of
// "input;output" lines from a text file.
#pragma once

#include "platform/SysTypes.h"

#include <optional>
#include <string_view>
#include <vector>

class TReader;
class TWriter;

struct TKorrekturwert {
    Extended Input = 0.0L;
    Extended Output = 0.0L;
};

class TKorrekturwerte {
public:
    // The most pairs a table holds: a record or a file with more is refused.
    static constexpr Integer MaxCount = 100'000;

    TKorrekturwerte() { Reset(); }   // the identity: (0, 0), (1, 1)

    Integer Count() const { return static_cast<Integer>(pairs_.size()); }
    const TKorrekturwert& operator[](Integer i) const { return pairs_[static_cast<std::size_t>(i)]; }
    const std::vector<TKorrekturwert>& Pairs() const { return pairs_; }

    // A new pair in its place: after every pair of lower or equal input.
    void Add(Extended input, Extended output);
    // Both values of the pair at index; no sort (ignored outside the list).
    void Change(Integer index, Extended input, Extended output);
    void Delete(Integer index);   // ignored outside the list
    void Reset();
    void Clear() { pairs_.clear(); }
    // The first index whose input is >= x; the last index when there is none.
    Integer FindIndex(Extended x) const;
    // The curve at x. Tables the editor does not make still give a finite
    // value for a finite x: none gives x, one pair gives its output, and a
    // segment of two equal inputs gives the output of the pair at or above x.
    Extended Interpolate(Extended x) const;

    void WriteTo(TWriter& writer) const;
    // The whole record or an EReadError with the list unchanged: a count
    // beyond MaxCount or below zero, or a value that is not a finite number.
    void ReadFrom(TReader& reader);

    friend bool operator==(const TKorrekturwerte& a, const TKorrekturwerte& b);

private:
    std::vector<TKorrekturwert> pairs_;
};

// The pairs of the lines of an import file: per line the input before the
// first ";" and the output after it (up to 1000 characters), decimal commas
// accepted; a line without ";" gives input 0 and its number as output, a line
// without a number 0. Lines whose numbers are not finite are skipped. Padded
// to two pairs, and of several equal inputs the first stays. Nothing when the
// text holds more than MaxCount lines.
std::optional<TKorrekturwerte> ImportCorrectionText(std::string_view text);
// The same from a file; nothing when it cannot be read.
std::optional<TKorrekturwerte> ImportCorrectionFile(const AnsiString& fileName);
