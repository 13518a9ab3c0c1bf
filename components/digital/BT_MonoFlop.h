// The timing components: the monoflop (a pulse of a set duration in seconds
// after a falling edge of "|E"), the monoflop whose duration comes from
// input "T", and the switch delay, whose input edges reach the output after
// separate on and off delays counted in 50 ms ticks. The monoflops time the
// pulse on the performance counter and keep a running pulse across runs.
#pragma once

#include "components/digital/BT_Digital.h"
#include "engine/Globals.h"
#include "platform/Clock.h"

#include <cmath>

// A monoflop's row: where its pulse symbol's base line lies, 0 for the
// body's top + 40, else this far above the body centre.
struct TMonoFlopRow {
    TComponentRow Component;
    Integer PulseBase = 0;
};

// The shared pulse: trigger, reset, timing and the retained "Triggered".
class TMonoFlopBase : public TGrundBT {
public:
    void Draw(TCanvas& canvas) override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
    void ResetForStart() override;

    bool Triggered = false;
    bool Retrigger = true;
    bool LastEdge = false;    // "|E" in the previous step
    Int64 PulseStart = 0;     // performance counter

protected:
    explicit TMonoFlopBase(const TComponentRow& row);
    void WritePulse(bool high)
    {
        SetOutputLogic(0, !high);
        SetOutputLogic(1, high);
    }
    // One step; `due(elapsed seconds)` says whether the running pulse ends.
    template <class Due>
    void Run(Due due)
    {
        const bool edge = InputLogic(0);
        if (!InputLogic(InputCount - 1)) {
            Triggered = false;
            WritePulse(false);
        } else {
            if (!edge && LastEdge && (Retrigger || !Triggered)) {
                Triggered = true;
                WritePulse(true);
                PulseStart = QueryPerformanceCounter();
            }
            if (Triggered && due(static_cast<double>(QueryPerformanceCounter() - PulseStart) / PerfFrequency)) {
                Triggered = false;
                WritePulse(false);
            }
        }
        LastEdge = edge;
    }

private:
    Integer pulseBase_;
};

class TBTMonoFlop : public TMonoFlopBase {
public:
    // Files before this version keep the duration as an Integer of 50 ms.
    static constexpr Byte DurationVersion = 40;

    explicit TBTMonoFlop(const TComponentRow& row) : TMonoFlopBase(row) {}
    Extended Duration = 1.0L;   // seconds

    void Calculate() override
    {
        Run([this](double elapsed) { return elapsed >= Duration; });
    }
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
};

class TBTMonoFlopDyn : public TMonoFlopBase {
public:
    // The longest duration whose milliseconds fit an Integer.
    static constexpr Extended MaxSeconds = 1073741.8235L;

    explicit TBTMonoFlopDyn(const TComponentRow& row) : TMonoFlopBase(row) {}
    Integer DurationMs = 0;

    void Calculate() override
    {
        // Read in every step, also while a pulse runs.
        const Extended t = InputValue(1);
        DurationMs = static_cast<Integer>(std::nearbyint((t > MaxSeconds ? MaxSeconds : t >= 0 ? t : 0) * 1000.0L));
        Run([this](double elapsed) { return elapsed * 1000.0 >= DurationMs; });
    }
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
};

class TBTOnOffDelay : public TGrundBT {
public:
    static constexpr Integer MaxDelay = 9999;

    explicit TBTOnOffDelay(const TComponentRow& row);
    bool PendingOn = false;   // the direction of the edge on its way
    Integer TickCount = 0;
    Integer OnDelay = 0;      // ticks of 50 ms
    Integer OffDelay = 0;
    bool LastIn = false;

    void Calculate() override
    {
        const bool in = InputLogic(0);
        if (in != LastIn) {
            PendingOn = in;
            TickCount = 0;
            if ((in ? OnDelay : OffDelay) == 0)
                SetOutputLogic(0, in);
        }
        LastIn = in;
    }
    void TimerTick() override;
    void ResetForStart() override;
    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
};

// TBTMonoFlop, TBTMonoFlopDyn and TBTOnOffDelay.
TRowList MonoFlopRows();
