// Parallel storage of 2, 4, 8 and 16 bits: the registers take their data at
// the rising clock edge and show them at the falling one; the latches follow
// their data while "CK" reads high and hold while it reads low. "/RST" low
// clears the outputs. Outputs are written only when the value changes; the
// values are kept across runs in the retained-state file.
#pragma once

#include "components/digital/BT_Digital.h"

// A register's or latch's row.
struct TRegisterRow {
    TComponentRow Component;
    TTypeNames BodyText = {};
    Integer Bits = 0;
    bool Latch = false;
};

// The registers and the latches in one family.
class TRegister : public TGrundBT {
public:
    static constexpr Integer ResetInput = 0;
    static constexpr Integer ClockInput = 1;
    static constexpr Integer FirstDataInput = 2;

    explicit TRegister(const TComponentRow& row);

    Integer State = 0;           // shown on the outputs
    Integer StateInternal = 0;   // registers: taken at the last rising edge
    bool LastClock = false;      // registers: the clock's level in the previous step

    void Calculate() override
    {
        const bool reset = !InputLogic(ResetInput);
        const bool clock = InputLogic(ClockInput);
        Integer next = State;
        if (latch_) {
            if (reset)
                next = 0;
            else if (clock)
                next = DataValue();
        } else {
            if (reset) {
                next = 0;
            } else {
                if (clock && !LastClock)
                    StateInternal = DataValue();
                if (!clock && LastClock)
                    next = StateInternal;
            }
        }
        if (next != State) {
            State = next;
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
    bool IsLatch() const { return latch_; }

private:
    Integer DataValue() const { return InputBits(*this, FirstDataInput, bits_); }
    // Bit i to "Qi", the output bits_ - 1 - i.
    void WriteState() { WriteOutputBits(*this, State, bits_ - 1, bits_); }

    const TRegisterRow& info_;
    const Integer bits_;
    const bool latch_;
};

// The registers TBTREG2, TBTREG4, TBTREG8, TBTREG16 and the latches
// TBTREG2_T, TBTREG4_T, TBTREG8_T, TBTREG16_T.
TRowList ParallelRegisterRows();
