#include "components/analog/TimeBase.h"

#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cmath>

const std::array<TSamplePeriodRow, SamplePeriodCount> SamplePeriodTable = {{
    {"Max", -1.0L},      {"1 ms", 0.001L},   {"2 ms", 0.002L},   {"5 ms", 0.005L},   {"10 ms", 0.01L},
    {"20 ms", 0.02L},    {"50 ms", 0.05L},   {"100 ms", 0.1L},   {"200 ms", 0.2L},   {"500 ms", 0.5L},
    {"1 s", 1.0L},       {"2 s", 2.0L},      {"5 s", 5.0L},      {"10 s", 10.0L},    {"30 s", 30.0L},
    {"1 min", 60.0L},    {"2 min", 120.0L},  {"5 min", 300.0L},  {"10 min", 600.0L}, {"20 min", 1200.0L},
    {"30 min", 1800.0L},
}};

namespace {

// Far beyond any span a reference moves by, far from the ends of Int64.
constexpr Extended MaxTicks = 4.0e18L;

std::array<TReal48, SamplePeriodCount> MakeTableBytes()
{
    std::array<TReal48, SamplePeriodCount> bytes{};
    for (Integer i = 0; i < SamplePeriodCount; ++i)
        bytes[static_cast<std::size_t>(i)] = ExtendedToReal48(SamplePeriodTable[static_cast<std::size_t>(i)].Seconds);
    return bytes;
}

} // namespace

Extended CounterSeconds(Int64 from, Int64 to)
{
    return static_cast<Extended>(to - from) / static_cast<Extended>(PerfFrequency);
}

Int64 CounterTicks(Extended seconds)
{
    const Extended ticks = std::nearbyint(seconds * static_cast<Extended>(PerfFrequency));
    if (!(ticks < MaxTicks))
        return ticks > 0 ? static_cast<Int64>(MaxTicks) : 0;   // NaN: no move
    if (ticks < -MaxTicks)
        return -static_cast<Int64>(MaxTicks);
    return static_cast<Int64>(ticks);
}

const TReal48& SamplePeriodBytes(Integer index)
{
    static const std::array<TReal48, SamplePeriodCount> bytes = MakeTableBytes();
    return bytes[static_cast<std::size_t>(std::clamp(index, 0, SamplePeriodCount - 1))];
}

void TSamplePeriod::Choose(Integer index)
{
    index_ = std::clamp(index, 0, SamplePeriodCount - 1);
    stored_ = SamplePeriodBytes(index_);
    seconds_ = Real48ToExtended(stored_);
}

void TSamplePeriod::SetStored(const TReal48& bytes)
{
    const Extended seconds = Real48ToExtended(bytes);
    if (!(seconds > 0.0L))
        stored_ = SamplePeriodBytes(0);
    else if (seconds > LongestSamplePeriod)
        stored_ = SamplePeriodBytes(SamplePeriodCount - 1);
    else
        stored_ = bytes;
    seconds_ = Real48ToExtended(stored_);
}

void TSamplePeriod::Write(TWriter& writer) const
{
    writer.Write(stored_.data(), stored_.size());
    const Word index = static_cast<Word>(index_);
    const Byte raw[2] = {static_cast<Byte>(index & 0xFF), static_cast<Byte>(index >> 8)};
    writer.Write(raw, sizeof raw);
}

void TSamplePeriod::Read(TReader& reader, Byte version, bool shiftOldIndex)
{
    TReal48 bytes{};
    reader.Read(bytes.data(), bytes.size());
    Byte raw[2] = {};
    reader.Read(raw, sizeof raw);
    Integer index = raw[0] | raw[1] << 8;
    if (shiftOldIndex && version < 3)
        index += 7;
    SetStored(bytes);
    index_ = std::clamp(index, 0, SamplePeriodCount - 1);
}

void TSamplePeriod::AddRow(TPropScrollbox& props)
{
    TPropScrollbox::TStrings captions;
    for (const TSamplePeriodRow& row : SamplePeriodTable)
        captions.emplace_back(row.Caption);
    rowIndex_ = index_;
    props.AddCombo(Translate("Abtastrate"), rowIndex_, captions, 64);
}
