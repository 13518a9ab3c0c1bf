// The transfer elements of control engineering, stepped in real time: the
// first-order lag PT1, the second-order lag PT2 and the lagged
// differentiator DT1. Gains and time constants are input pins, so a circuit
// can change them while it runs.
#pragma once

#include "components/analog/AbtastBT.h"
#include "components/analog/Filter.h"

// T1 y' + y = X, Y = P y, one explicit Euler step per action. In the
// continuous mode the state is bounded to +-1e12.
class TBTPT1 : public TAbtastBT {
    ZK_CLASS(TBTPT1, TGrundBT)

public:
    static constexpr Extended StateLimit = 1e12L;

    TBTPT1();
    Extended State = 0.0L;   // y

    void InputsCreated() override { NamePins(Inputs, {"X", "P", "1/T1", "/RST"}); }
    void OutputsCreated() override { NamePins(Outputs, {"Y"}); }
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// T^2 y'' + 2 D T y' + y = P X with T = 1/k, stepped semi-implicitly: the
// rate first, the output from the new rate. With a period both are bounded
// to +-1e20.
class TBTPT2 : public TAbtastBT {
    ZK_CLASS(TBTPT2, TGrundBT)

public:
    static constexpr Extended StateLimit = 1e20L;

    TBTPT2();
    Extended Rate = 0.0L;    // v
    Extended State = 0.0L;   // y, the output

    void InputsCreated() override { NamePins(Inputs, {"X", "P", "1/T", "D", "/RST"}); }
    void OutputsCreated() override { NamePins(Outputs, {"Y"}); }
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// T1 y' + y = KD x', one backward-Euler step over the real time since the
// last action (a period only delays the action).
class TBTDT1 : public TAbtastBT {
    ZK_CLASS(TBTDT1, TGrundBT)

public:
    TBTDT1();
    Extended State = 0.0L;       // y, the output
    Extended LastInput = 0.0L;   // the filtered input at the last action; kept from run to run
    TFilter Filter;

    void InputsCreated() override { NamePins(Inputs, {"X", "KD", "T1"}); }
    void OutputsCreated() override { NamePins(Outputs, {"Y"}); }
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
