// The integrator and the differentiator. Both measure real time on the
// performance counter, so their results do not depend on the step rate; with
// a sample period they act on a grid of periods from the start reference.
#pragma once

#include "components/analog/AbtastBT.h"
#include "components/analog/Filter.h"

// A := the integral of E over wall-clock time; /RST low clears it.
class TBTIntegrierer : public TAbtastBT {
public:
    explicit TBTIntegrierer(const TComponentRow& row);
    Extended Integral = 0.0L;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// Y := the change of the (optionally filtered) input X per second. With a
// period it acts at the reference plus 1, 2, ... 1000 periods, then the
// reference moves on by 1000 periods.
class TBTDifferenzierer : public TAbtastBT {
public:
    static constexpr Integer PeriodWindow = 1000;

    explicit TBTDifferenzierer(const TComponentRow& row);
    Extended LastInput = 0.0L;   // the filtered input at the last action
    Integer PeriodCount = 1;     // number of the next action since the reference
    TFilter Filter;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    void AddSettingsRows(TPropScrollbox& props) override;
    void ApplySettings() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// The rows of TBTIntegrierer and TBTDifferenzierer.
TRowList IntegriererRows();
