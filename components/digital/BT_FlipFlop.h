// The flip-flops: plain and clocked RS, the transparent D latch, and the
// edge-triggered (master-slave) RS, JK and D flip-flops. Output 1 is Q and
// output 0 is /Q. The level-controlled ones write both outputs in every
// step; the edge-triggered ones only when Q changes, taking their data at
// the rising clock edge and showing it at the falling one. Q and the
// internal latches are kept across runs in the retained-state file.
#pragma once

#include "components/digital/BT_Digital.h"

// A flip-flop's row.
struct TFlipFlopRow {
    TComponentRow Component;
    TTypeNames Designators;       // by language
    bool EdgeTriggered = false;   // clock wedge at input 2; outputs written on change; LoadState writes them
    bool StartQ = false;          // also the key's default
    bool StartMaster = false;     // master, or the J latch; also the key's default
    // Retained keys beside "Q": the master (or the J latch), and the K latch.
    const char* MasterKey = nullptr;
    const char* KLatchKey = nullptr;
};

// The shared body: pins, start values, retained state and symbol.
class TFlipFlop : public TGrundBT {
public:
    void Draw(TCanvas& canvas) override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
    void ResetForStart() override;

    bool Q = false;
    bool Master = false;       // the J latch in the JK flip-flop
    bool KLatch = false;
    bool LastClock = false;    // the clock's level in the previous step

protected:
    explicit TFlipFlop(const TComponentRow& row);
    void WriteOutputs()
    {
        SetOutputLogic(1, Q);
        SetOutputLogic(0, !Q);
    }
    // Edge-triggered: Q takes the new value, the outputs are written when
    // it changed, and the clock level is remembered.
    void Settle(bool newQ, bool clock)
    {
        if (newQ != Q) {
            Q = newQ;
            WriteOutputs();
        }
        LastClock = clock;
    }

private:
    const TFlipFlopRow& info_;
};

// "S" sets, "R" resets; reset wins.
class TBTRSFF : public TFlipFlop {
public:
    explicit TBTRSFF(const TComponentRow& row) : TFlipFlop(row) {}
    void Calculate() override
    {
        if (InputLogic(0))
            Q = true;
        if (InputLogic(1))
            Q = false;
        WriteOutputs();
    }
};

// Set or reset while "C1" is high; both or neither keep Q.
class TBTRSFFZ : public TFlipFlop {
public:
    explicit TBTRSFFZ(const TComponentRow& row) : TFlipFlop(row) {}
    void Calculate() override
    {
        if (InputLogic(1)) {
            const bool s = InputLogic(0);
            const bool r = InputLogic(2);
            if (s != r)
                Q = s;
        }
        WriteOutputs();
    }
};

// Master-slave RS: "/S" and "/R" act at once ("/R" wins); otherwise "1S" and
// "1R" go to the master at the rising edge ("1R" wins), the master to Q at
// the falling edge.
class TBTRSFFF : public TFlipFlop {
public:
    explicit TBTRSFFF(const TComponentRow& row) : TFlipFlop(row) {}
    void Calculate() override
    {
        const bool clock = InputLogic(2);
        const bool set = InputLogic(0);
        const bool reset = InputLogic(4);
        bool newQ = Q;
        if (!set)
            Master = newQ = true;
        if (!reset)
            Master = newQ = false;
        if (set && reset) {
            if (!clock && LastClock)
                newQ = Master;
            if (clock && !LastClock) {
                if (InputLogic(1))
                    Master = true;
                if (InputLogic(3))
                    Master = false;
            }
        }
        Settle(newQ, clock);
    }
};

// Master-slave JK: J and K latched at the rising edge; at the falling edge
// set, reset, toggle or hold. "/R" beats "/S"; neither touches the latches.
class TBTJKFF : public TFlipFlop {
public:
    explicit TBTJKFF(const TComponentRow& row) : TFlipFlop(row) {}
    void Calculate() override
    {
        const bool clock = InputLogic(2);
        const bool set = InputLogic(0);
        const bool reset = InputLogic(4);
        bool newQ = !reset ? false : !set ? true : Q;
        if (set && reset) {
            if (!clock && LastClock) {
                if (Master && KLatch)
                    newQ = !Q;
                else if (Master || KLatch)
                    newQ = Master;
            }
            if (clock && !LastClock) {
                Master = InputLogic(1);
                KLatch = InputLogic(3);
            }
        }
        Settle(newQ, clock);
    }
};

// Transparent while "C1" is high.
class TBTDFFZ : public TFlipFlop {
public:
    explicit TBTDFFZ(const TComponentRow& row) : TFlipFlop(row) {}
    void Calculate() override
    {
        if (InputLogic(1))
            Q = InputLogic(0);
        WriteOutputs();
    }
};

// Master-slave D: "1D" to the master at the rising edge, the master to Q at
// the falling edge; "/R" beats "/S", neither touches the master.
class TBTDFFF : public TFlipFlop {
public:
    explicit TBTDFFF(const TComponentRow& row) : TFlipFlop(row) {}
    void Calculate() override
    {
        const bool clock = InputLogic(2);
        const bool set = InputLogic(0);
        const bool reset = InputLogic(3);
        bool newQ = !reset ? false : !set ? true : Q;
        if (set && reset) {
            if (!clock && LastClock)
                newQ = Master;
            if (clock && !LastClock)
                Master = InputLogic(1);
        }
        Settle(newQ, clock);
    }
};

// TBTRSFF, TBTRSFFZ, TBTRSFFF, TBTJKFF, TBTDFFZ and TBTDFFF.
TRowList FlipFlopRows();
