// The synchronous counters: binary of 4, 8 and 16 bits and a decade counter,
// each also with a parallel load. They count on the falling clock edge while
// "/ENT" and "/ENP" read high, up while "U/D" reads high, and reset while
// "/RST" reads low; "/RCO" shows the terminal count of the previous step, so
// a cascade counts alike whichever counter the board steps first. The count
// outputs are written only when the count changes; the count is kept across
// runs in the retained-state file.
#pragma once

#include "components/digital/BT_Digital.h"

// A counter's row.
struct TZaehlerRow {
    TComponentRow Component;
    TTypeNames BodyText = {};
    Integer Bits = 0;        // count outputs
    Integer Highest = 0;     // the terminal count upwards
    bool Loadable = false;   // "/LD" and the data inputs
};

// The eight counters in one family.
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

    explicit TZaehler(const TComponentRow& row);

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
    void ResetForStart() override;
    void InputsCreated() override;
    void OutputsCreated() override;

    Integer Bits() const { return bits_; }
    Integer Highest() const { return highest_; }

private:
    Integer ParallelValue() const { return InputBits(*this, FirstDataInput, bits_); }
    // Bit i of the count to "Qi", the output bits_ - i.
    void WriteCount() { WriteOutputBits(*this, Count, bits_, bits_); }

    const TZaehlerRow& info_;
    const Integer bits_;
    const Integer highest_;
    const bool loadable_;
};

// TBTCNT4, TBTCNT8, TBTCNT16, TBTCNT4D (decade) and the loadable TBTCNTL,
// TBTCNTL8, TBTCNTL16 and TBTCNTLD (which takes any 4-bit value, 10 to 15
// included).
TRowList ZaehlerRows();
