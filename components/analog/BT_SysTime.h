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
public:
    explicit TBTSysTime(const TComponentRow& row);
    void Draw(TCanvas& canvas) override;
    AnsiString GetHintText() override;
    void Calculate() override;
};

class TBTSysDate : public TAnalogBT {
public:
    explicit TBTSysDate(const TComponentRow& row);
    void Draw(TCanvas& canvas) override;
    AnsiString GetHintText() override;
    void Calculate() override;
};

class TBTFreqCount : public TAnalogBT {
public:
    explicit TBTFreqCount(const TComponentRow& row);
    Integer EdgeCount = 0;      // rising edges in the current one-second window
    bool LastClock = false;     // kept from run to run
    Int64 LastEdge = 0;         // counter reading at the last rising edge, kept from run to run
    Int64 WindowStart = 0;
    Extended Smoothed = 0.0L;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
};

// The rows of TBTSysTime, TBTSysDate and TBTFreqCount.
TRowList SysTimeRows();
