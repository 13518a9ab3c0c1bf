// The smoothing filter of the differentiating blocks: four first-order
// low-pass stages in a chain, each stepped by one explicit Euler step over
// the counter time since the filter's previous call. A disabled filter passes
// its input through and leaves its stages and time reference alone.
#pragma once

#include "platform/SysTypes.h"

#include <array>
#include <numbers>

class TReader;
class TWriter;
class TPropScrollbox;

class TFilter {
public:
    static constexpr Extended DefaultOmega = 2.0L * std::numbers::pi_v<Extended> * 10.0L;   // 10 Hz
    // Stage values beyond this are bounded (a step longer than 1/Omega
    // overshoots); a value that is not a number lands on the upper bound.
    static constexpr Extended StageLimit = 1e20L;
    // A corner frequency from a file or the sheet beyond this (rad/s) is
    // clamped, so a step of any length keeps the stages finite.
    static constexpr Extended OmegaLimit = 1e12L;

    Integer Reserved1 = 1;    // carried through the stream
    bool Enabled = false;
    Extended Omega = DefaultOmega;   // corner angular frequency, rad/s
    std::array<Extended, 8> Stages{};   // 1 to 4 are used
    Int64 LastCount = 0;
    Byte Reserved2 = 0;       // carried through the stream (as an Integer)
    Integer StageCount = 4;   // carried through the stream; the chain has four stages

    // One input value through the stages; called once per step by the owner.
    Extended Filter(Extended x);
    // LastCount := now; stages 1 to 4 := 0.
    void Reset();

    void WriteTo(TWriter& writer) const;
    void ReadFrom(TReader& reader);

    // The rows "Filter" (heading), "Aktivieren" and "Filter fo [Hz]"; Apply
    // after the sheet has closed (whatever its result) sets Omega from the
    // frequency text (after Cancel the unchanged text).
    void AddRows(TPropScrollbox& props);
    void Apply();

private:
    AnsiString frequencyText_;
};

// A corner frequency as the filter takes it: not a number gives the default,
// the rest is clamped to +-OmegaLimit.
Extended ClampOmega(Extended omega);
