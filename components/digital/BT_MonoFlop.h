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

// The shared pulse: trigger, reset, timing and the retained "Triggered".
class TMonoFlopBase : public TGrundBT {
public:
    void Draw(TCanvas& canvas) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    AnsiString GetTypeName() const override { return typeName_.Pick(); }

    bool Triggered = false;
    bool Retrigger = true;
    bool LastEdge = false;    // "|E" in the previous step
    Int64 PulseStart = 0;     // performance counter

protected:
    TMonoFlopBase(const TTypeNames& typeName, const char* designator, Integer helpContext, Integer pulseBase);
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
    const TTypeNames& typeName_;
    Integer pulseBase_;   // the symbol's base line below the body centre
};

class TBTMonoFlop : public TMonoFlopBase {
    ZK_CLASS(TBTMonoFlop, TGrundBT)

public:
    // Files before this version keep the duration as an Integer of 50 ms.
    static constexpr Byte DurationVersion = 40;

    TBTMonoFlop();
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
    ZK_CLASS(TBTMonoFlopDyn, TGrundBT)

public:
    // The longest duration whose milliseconds fit an Integer.
    static constexpr Extended MaxSeconds = 1073741.8235L;

    TBTMonoFlopDyn();
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
    ZK_CLASS(TBTOnOffDelay, TGrundBT)

public:
    static constexpr Integer MaxDelay = 9999;

    TBTOnOffDelay();
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
    void InputsCreated() override;
    void OutputsCreated() override;
    AnsiString GetTypeName() const override;
};
