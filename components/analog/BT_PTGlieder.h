// The transfer elements of control engineering, stepped in real time: the
// first-order lag PT1, the second-order lag PT2 and the lagged
// differentiator DT1. Gains and time constants are input pins, so a circuit
// can change them while it runs.
#pragma once

#include "components/analog/AbtastBT.h"
#include "components/analog/Filter.h"

// The lags' row: the order (1: PT1, 2: PT2) chooses the step, the curve and
// the retained keys.
struct TPTRow {
    TComponentRow Component;
    Integer Order = 0;
};

// PT1: T1 y' + y = X, Y = P y, one explicit Euler step per action; in the
// continuous mode the state is bounded to +-1e12.
// PT2: T^2 y'' + 2 D T y' + y = P X with T = 1/k, stepped semi-implicitly:
// the rate first, the output from the new rate; with a period both are
// bounded to +-1e20.
// Both act once per sample period (on the period's grid), or in every step
// over the real time since the last one when the period is 0; /RST, the last
// input, low clears them.
class TPTGlied : public TAbtastBT {
public:
    static constexpr Extended PT1StateLimit = 1e12L;
    static constexpr Extended PT2StateLimit = 1e20L;

    explicit TPTGlied(const TComponentRow& row);
    Extended Rate = 0.0L;    // v (PT2)
    Extended State = 0.0L;   // y

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;

private:
    // One action over dt seconds (the period itself when periodic).
    void Step(Extended dt, bool periodic);
    const TPTRow& pt_;
};

// T1 y' + y = KD x', one backward-Euler step over the real time since the
// last action (a period only delays the action).
class TBTDT1 : public TAbtastBT {
public:
    explicit TBTDT1(const TComponentRow& row);
    Extended State = 0.0L;       // y, the output
    Extended LastInput = 0.0L;   // the filtered input at the last action; kept from run to run
    TFilter Filter;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    void AddSettingsRows(TPropScrollbox& props) override;
    void ApplySettings() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// The rows of TBTPT1, TBTPT2 and TBTDT1.
TRowList PTGliederRows();
