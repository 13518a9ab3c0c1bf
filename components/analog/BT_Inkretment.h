// The clocked analog blocks: the incrementer (an up/down accumulator that
// adds or subtracts a step on each clock edge) and the analog delay line (a
// ring of analog values clocked by an input). Both act on the falling edge
// of their clock: high at the previous step, low now.
#pragma once

#include "components/analog/AnalogBT.h"

#include <vector>

class TBT_Inkretment : public TAnalogBT {
public:
    explicit TBT_Inkretment(const TComponentRow& row);
    Extended Value = 0.0L;
    bool LastClock = false;   // kept from run to run

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override { Value = 0.0L; }
    void Calculate() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// At the k-th falling edge OUT shows the value IN had at edge k - n (0.0 for
// the first n edges after a reset); OUT holds between edges.
class TBT_AnalogDelay : public TAnalogBT {
public:
    static constexpr Integer MinLength = 1;
    static constexpr Integer MaxLength = 1000;

    explicit TBT_AnalogDelay(const TComponentRow& row);
    Integer Length = 100;   // n, in clock edges
    std::vector<Extended> Cells;
    Integer Position = 0;
    bool LastClock = false;

    // n cells of 0.0 (n clamped to 1..1000), from the first.
    void SetLength(Integer n);

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// The rows of TBT_Inkretment and TBT_AnalogDelay.
TRowList InkretmentRows();
