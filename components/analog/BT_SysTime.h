// The computer's clock in the circuit: the time of day, the date, and a
// frequency counter that measures a logic signal on the performance counter
// and outputs once a second.
#pragma once

#include "components/analog/AnalogBT.h"

// The texts of the time and date outputs and hints: the locale's long time
// format (without time zone) and its short date format with a four-digit year.
AnsiString LongTimeText(TDateTime when);
AnsiString ShortDateText(TDateTime when);

class TBTSysTime : public TAnalogBT {
    ZK_CLASS(TBTSysTime, TGrundBT)

public:
    TBTSysTime();
    void OutputsCreated() override { NamePins(Outputs, {"ms", "S", "M", "H", "$"}); }
    void Draw(TCanvas& canvas) override;
    AnsiString GetHintText() override;
    void Calculate() override;
};

class TBTSysDate : public TAnalogBT {
    ZK_CLASS(TBTSysDate, TGrundBT)

public:
    TBTSysDate();
    void OutputsCreated() override { NamePins(Outputs, {"DOW", "D", "M", "Y", "$"}); }
    void Draw(TCanvas& canvas) override;
    AnsiString GetHintText() override;
    void Calculate() override;
};

class TBTFreqCount : public TAnalogBT {
    ZK_CLASS(TBTFreqCount, TGrundBT)

public:
    TBTFreqCount();
    Integer EdgeCount = 0;      // rising edges in the current one-second window
    bool LastClock = false;     // kept from run to run
    Int64 LastEdge = 0;         // counter reading at the last rising edge, kept from run to run
    Int64 WindowStart = 0;
    Extended Smoothed = 0.0L;

    void InputsCreated() override { NamePins(Inputs, {"CLK"}); }
    void OutputsCreated() override { NamePins(Outputs, {"f"}); }
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
};
