// The time base of the time-based analog blocks: performance-counter readings
// turned into seconds, spans in seconds turned into counter ticks, and the
// sample-period setting with its table of choices, its raw stream record and
// its row in the settings sheet. Blocks keep their own counter readings as
// references; nothing here is shared between blocks except PerfFrequency.
#pragma once

#include "platform/Real48.h"
#include "platform/SysTypes.h"

#include <array>

class TReader;
class TWriter;
class TPropScrollbox;

// Seconds between two counter readings, in 80-bit floating point.
Extended CounterSeconds(Int64 from, Int64 to);
// Counter ticks of a span in seconds, rounded half to even. A span whose
// ticks do not fit in 62 bits is clamped, so no reference can overflow.
Int64 CounterTicks(Extended seconds);

struct TSamplePeriodRow {
    const char* Caption;   // shown as it stands, in every language
    Extended Seconds;      // -1 is "Max": the block acts in every step
};

inline constexpr Integer SamplePeriodCount = 21;
extern const std::array<TSamplePeriodRow, SamplePeriodCount> SamplePeriodTable;
// The table's periods as the file keeps them (the nearest six-byte reals).
const TReal48& SamplePeriodBytes(Integer index);

// The longest period a file may bring (the table's last row); anything longer
// is clamped, anything not above zero means "Max".
inline constexpr Extended LongestSamplePeriod = 1800.0L;

// The sample period of a block: the six-byte value as stored, the chosen row,
// and the period as a number for the step (kept in step with the bytes).
class TSamplePeriod {
public:
    TSamplePeriod() { Choose(0); }

    // Ts: seconds, or -1 ("Max").
    Extended Seconds() const { return seconds_; }
    bool Continuous() const { return seconds_ <= 0.0L; }
    const TReal48& Stored() const { return stored_; }
    Integer Index() const { return index_; }

    // The row's index and the row's period.
    void Choose(Integer index);
    // Only what a file brings: the stored value, clamped to the table's span.
    void SetStored(const TReal48& bytes);

    // Six raw bytes of the period, then the index as two raw bytes
    // (little-endian). Reading from a file of version below 3 adds 7 to the
    // index when shiftOldIndex is set (that table began at today's row 7);
    // the index is clamped to the table either way.
    void Write(TWriter& writer) const;
    void Read(TReader& reader, Byte version, bool shiftOldIndex);

    // The "Abtastrate" row of the settings sheet, bound to a copy of the
    // index; Apply after the sheet has closed (whatever its result) chooses
    // the row's period, so Cancel re-derives the period from the index.
    void AddRow(TPropScrollbox& props);
    void Apply() { Choose(rowIndex_); }

private:
    TReal48 stored_{};
    Integer index_ = 0;
    Extended seconds_ = -1.0L;
    Integer rowIndex_ = 0;
};
