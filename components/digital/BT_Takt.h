// The clock generators: the fixed clock (1 Hz to 1 kHz, set in its dialog),
// the slow clock counted in 50 ms ticks from input "f", and the
// voltage-controlled clock (0.001 Hz to 1 kHz from input "f"). The two fast
// ones time their half periods on the performance counter against a
// reference, so the schedule does not drift with the step rate; they toggle
// at most once per step and write their output only when it toggles.
#pragma once

#include "components/digital/BT_Digital.h"

// The square-wave symbol and the output state of the three.
class TTaktgeber : public TGrundBT {
public:
    using TGrundBT::TGrundBT;
    void Draw(TCanvas& canvas) override;

    bool State = false;
};

class TBTHiTakt : public TTaktgeber {
public:
    static constexpr Integer MinFrequency = 1;
    static constexpr Integer MaxFrequency = 1000;
    // Every this many toggles the reference moves on, keeping the toggle
    // number small.
    static constexpr Integer ToggleWindow = 1000;

    using TTaktgeber::TTaktgeber;
    Integer Frequency = 1000;   // Hz
    Integer Toggle = 1;         // number of the next toggle since the reference
    Int64 Reference = 0;        // performance counter

    void Calculate() override;
    void ResetForStart() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
};

class TBTTaktgeber_ES : public TTaktgeber {
public:
    static constexpr Integer MaxTicks = 10000;

    explicit TBTTaktgeber_ES(const TComponentRow& row);
    Integer TickLimit = 1;   // N: the state changes after N + 1 ticks
    Integer TickCount = 0;

    void Calculate() override
    {
        SetOutputLogic(0, State);
        TickLimit = RoundClamped(10.0L * InputValue(0), 1, MaxTicks);
    }
    void TimerTick() override;
    void ResetForStart() override { TickCount = 0; }
};

class TBTVCO : public TTaktgeber {
public:
    static constexpr Extended MinFrequency = 0.001L;
    static constexpr Extended MaxFrequency = 1000.0L;

    using TTaktgeber::TTaktgeber;
    Extended Frequency = 1000.0L;   // the current one; kept from run to run
    Int64 Reference = 0;            // performance counter

    void Calculate() override;
    void ResetForStart() override;
};

// TBTHiTakt, TBTTaktgeber_ES and TBTVCO.
TRowList TaktRows();
