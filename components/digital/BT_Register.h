// Parallel storage of 2, 4, 8 and 16 bits: the registers take their data at
// the rising clock edge and show them at the falling one; the latches follow
// their data while "CK" reads high and hold while it reads low. "/RST" low
// clears the outputs. Outputs are written only when the value changes; the
// values are kept across runs in the retained-state file.
#pragma once

#include "components/digital/BT_Digital.h"

struct TRegisterInfo {
    TTypeNames TypeName;
    TTypeNames BodyText;
    const char* Designator;
    Integer Bits;
    bool Latch;
};

// The shared body of the registers and the latches.
class TRegister : public TGrundBT {
public:
    static constexpr Integer ResetInput = 0;
    static constexpr Integer ClockInput = 1;
    static constexpr Integer FirstDataInput = 2;

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
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    AnsiString GetTypeName() const override { return info_.TypeName.Pick(); }

    Integer Bits() const { return bits_; }
    bool IsLatch() const { return latch_; }

protected:
    explicit TRegister(const TRegisterInfo& info);

private:
    Integer DataValue() const { return InputBits(*this, FirstDataInput, bits_); }
    // Bit i to "Qi", the output bits_ - 1 - i.
    void WriteState() { WriteOutputBits(*this, State, bits_ - 1, bits_); }

    const TRegisterInfo& info_;
    const Integer bits_;
    const bool latch_;
};

class TBTREG2 : public TRegister {
    ZK_CLASS(TBTREG2, TGrundBT)

public:
    TBTREG2();
};

class TBTREG4 : public TRegister {
    ZK_CLASS(TBTREG4, TGrundBT)

public:
    TBTREG4();
};

class TBTREG8 : public TRegister {
    ZK_CLASS(TBTREG8, TGrundBT)

public:
    TBTREG8();
};

class TBTREG16 : public TRegister {
    ZK_CLASS(TBTREG16, TGrundBT)

public:
    TBTREG16();
};

class TBTREG2_T : public TRegister {
    ZK_CLASS(TBTREG2_T, TGrundBT)

public:
    TBTREG2_T();
};

class TBTREG4_T : public TRegister {
    ZK_CLASS(TBTREG4_T, TGrundBT)

public:
    TBTREG4_T();
};

class TBTREG8_T : public TRegister {
    ZK_CLASS(TBTREG8_T, TGrundBT)

public:
    TBTREG8_T();
};

class TBTREG16_T : public TRegister {
    ZK_CLASS(TBTREG16_T, TGrundBT)

public:
    TBTREG16_T();
};
