// Bidirectional shift registers of 4, 8 and 16 bits, each also with a
// parallel load. The serial inputs are sampled in every step without a
// falling clock edge; at the falling edge the contents move toward the most
// significant output ("L/R" high, the sample of "DL" enters at "Q0") or
// toward "Q0" ("L/R" low, the sample of "DR" enters at the top). "/LD" low
// shows the parallel value sampled with them, and wins over "/RST". Outputs
// are written only when the contents change; the contents are kept across
// runs in the retained-state file.
#pragma once

#include "components/digital/BT_Digital.h"

// A shift register's row.
struct TSchieberegisterRow {
    TComponentRow Component;
    const char* BodyText = nullptr;
    Integer Bits = 0;
    bool Loadable = false;
};

// The six shift registers in one family.
class TSchieberegister : public TGrundBT {
public:
    static constexpr Integer ClockInput = 0;
    static constexpr Integer ResetInput = 1;
    static constexpr Integer DirectionInput = 2;
    static constexpr Integer LeftDataInput = 3;    // "DL", enters at "Q0"
    static constexpr Integer RightDataInput = 4;   // "DR", enters at the top
    static constexpr Integer LoadInput = 5;
    static constexpr Integer FirstDataInput = 6;

    explicit TSchieberegister(const TComponentRow& row);

    Integer State = 0;
    Integer LoadValue = 0;
    bool LastClock = false;
    bool SampleDL = false;
    bool SampleDR = false;

    void Calculate() override
    {
        const bool clock = InputLogic(ClockInput);
        // Shifted as 32 unsigned bits: contents restored from an edited state
        // file may be negative.
        auto next = static_cast<Cardinal>(State);
        if (!InputLogic(ResetInput)) {
            next = 0;
        } else if (clock || !LastClock) {
            SampleDL = InputLogic(LeftDataInput);
            SampleDR = InputLogic(RightDataInput);
            if (loadable_)
                LoadValue = ParallelValue();
        } else if (InputLogic(DirectionInput)) {
            next = ((next << 1) & mask_) + Cardinal(SampleDL);
        } else {
            next = (next >> 1) + (SampleDR ? topBit_ : 0);
        }
        if (loadable_ && !InputLogic(LoadInput))
            next = static_cast<Cardinal>(LoadValue);
        if (static_cast<Integer>(next) != State) {
            State = static_cast<Integer>(next);
            WriteState();
        }
        LastClock = clock;
    }
    void Draw(TCanvas& canvas) override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override;

    Integer Bits() const { return bits_; }

private:
    Integer ParallelValue() const { return InputBits(*this, FirstDataInput, bits_); }
    // Bit i to "Qi", the output bits_ - 1 - i.
    void WriteState() { WriteOutputBits(*this, State, bits_ - 1, bits_); }

    const TSchieberegisterRow& info_;
    const Integer bits_;
    const Cardinal mask_;
    const Cardinal topBit_;
    const bool loadable_;
};

// TBTSREG (4 bits), TBTSREG8, TBTSREG16 and the loadable TBTSREGL,
// TBTSREGL8, TBTSREGL16.
TRowList SchieberegisterRows();
