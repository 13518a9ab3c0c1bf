// The mean value: the moving average of its input over the last N samples,
// sampled on the 50 ms timer tick (not in the step) at an interval between
// 0.1 s and 30 min from a fixed table.
#pragma once

#include "components/analog/AnalogBT.h"
#include "platform/Real48.h"

#include <array>

struct TMeanIntervalRow {
    const char* Caption;   // shown as it stands, in every language
    Extended Seconds;
};
inline constexpr Integer MeanIntervalCount = 14;
extern const std::array<TMeanIntervalRow, MeanIntervalCount> MeanIntervalTable;

class TBTMittelwert : public TAnalogBT {
public:
    static constexpr Integer MinSamples = 2;
    static constexpr Integer MaxSamples = 1000;

    explicit TBTMittelwert(const TComponentRow& row);
    Integer IntervalIndex = 0;
    TReal48 Interval{};            // seconds, as the file keeps them
    Integer TicksPerSample = 2;    // 50 ms ticks between samples
    Integer TickCount = 0;
    Integer SampleCount = 2;       // N
    Integer Count = 0;             // the newest sample's place in the ring, 1..N
    bool Filling = true;
    std::array<Extended, MaxSamples + 1> Samples{};   // entries 1..N used

    // The interval and the ticks that follow from it; the next tick samples.
    // Seconds outside the table's span (or not a number) are clamped to it.
    void SetInterval(const TReal48& seconds);

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void TimerTick() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// The row of TBTMittelwert.
TRowList MittelwertRows();
