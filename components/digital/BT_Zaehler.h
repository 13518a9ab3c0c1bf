// The synchronous counters: binary of 4, 8 and 16 bits and a decade counter,
// each also with a parallel load. They count on the falling clock edge while
// "/ENT" and "/ENP" read high, up while "U/D" reads high, and reset while
// "/RST" reads low; "/RCO" shows the terminal count of the previous step, so
// a cascade counts alike whichever counter the board steps first. The count
// outputs are written only when the count changes; the count is kept across
// runs in the retained-state file.
#pragma once

#include "components/digital/BT_Digital.h"

struct TZaehlerInfo {
    TTypeNames TypeName;
    TTypeNames BodyText;
    const char* Designator;
    Integer Bits;         // count outputs
    Integer Highest;      // the terminal count upwards
    bool Loadable;        // "/LD" and the data inputs
};

// The shared body of the eight counters.
class TZaehler : public TGrundBT {
public:
    static constexpr Integer ClockInput = 0;
    static constexpr Integer ResetInput = 1;
    static constexpr Integer DirectionInput = 2;
    static constexpr Integer EnableTInput = 3;
    static constexpr Integer EnablePInput = 4;
    static constexpr Integer LoadInput = 5;
    static constexpr Integer FirstDataInput = 6;
    static constexpr Integer CarryOutput = 0;

    Integer Count = 0;
    bool LastClock = false;      // the clock's level in the previous step
    bool CarryPending = false;   // the terminal count seen in the previous step

    void Calculate() override
    {
        const bool clock = InputLogic(ClockInput);
        const bool up = InputLogic(DirectionInput);
        const bool enableT = InputLogic(EnableTInput);
        // 64 bits, so that a count restored from an edited state file at the
        // ends of the Integer range still wraps instead of overflowing.
        Int64 next = 0;
        if (InputLogic(ResetInput)) {
            next = Count;
            const bool load = loadable_ && !InputLogic(LoadInput);
            if (!clock && LastClock && enableT && InputLogic(EnablePInput) && !load) {
                next += up ? 1 : -1;
                if (next > highest_)
                    next = 0;
                if (next < 0)
                    next = highest_;
            }
            if (load)
                next = ParallelValue();
        }
        if (next != Count) {
            Count = static_cast<Integer>(next);
            WriteCount();
        }
        SetOutputLogic(CarryOutput, CarryPending);
        CarryPending = enableT && next == (up ? highest_ : 0);
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
    Integer Highest() const { return highest_; }

protected:
    explicit TZaehler(const TZaehlerInfo& info);

private:
    Integer ParallelValue() const { return InputBits(*this, FirstDataInput, bits_); }
    // Bit i of the count to "Qi", the output bits_ - i.
    void WriteCount() { WriteOutputBits(*this, Count, bits_, bits_); }

    const TZaehlerInfo& info_;
    const Integer bits_;
    const Integer highest_;
    const bool loadable_;
};

// 4-bit binary counter, 0..15.
class TBTCNT4 : public TZaehler {
    ZK_CLASS(TBTCNT4, TGrundBT)

public:
    TBTCNT4();
};

// 8-bit binary counter, 0..255.
class TBTCNT8 : public TZaehler {
    ZK_CLASS(TBTCNT8, TGrundBT)

public:
    TBTCNT8();
};

// 16-bit binary counter, 0..65535.
class TBTCNT16 : public TZaehler {
    ZK_CLASS(TBTCNT16, TGrundBT)

public:
    TBTCNT16();
};

// Decade counter, 0..9.
class TBTCNT4D : public TZaehler {
    ZK_CLASS(TBTCNT4D, TGrundBT)

public:
    TBTCNT4D();
};

// Loadable 4-bit binary counter.
class TBTCNTL : public TZaehler {
    ZK_CLASS(TBTCNTL, TGrundBT)

public:
    TBTCNTL();
};

// Loadable 8-bit binary counter.
class TBTCNTL8 : public TZaehler {
    ZK_CLASS(TBTCNTL8, TGrundBT)

public:
    TBTCNTL8();
};

// Loadable 16-bit binary counter.
class TBTCNTL16 : public TZaehler {
    ZK_CLASS(TBTCNTL16, TGrundBT)

public:
    TBTCNTL16();
};

// Loadable decade counter; it takes any 4-bit value, 10 to 15 included.
class TBTCNTLD : public TZaehler {
    ZK_CLASS(TBTCNTLD, TGrundBT)

public:
    TBTCNTLD();
};
