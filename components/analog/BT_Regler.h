// The controllers: P, PI, PID, PD and the two-position controller with
// hysteresis. Set point on X+, actual value on X-; gains and hysteresis are
// input pins. PI, PID and PD time themselves on the sample period and keep
// their output (and integral) within [min, max]; PD and PID smooth the error
// of their derivative part with a filter.
#pragma once

#include "components/analog/AbtastBT.h"
#include "components/analog/Filter.h"

// Output limits of a new PI, PID or PD controller.
inline constexpr Extended DefaultOutputMax = 1e12L;
inline constexpr Extended DefaultOutputMin = -1e12L;

// The value limited to [min, max]: max when max is not >= the value, then
// min when min is above it (so with min above max the result is min).
inline Extended LimitToRange(Extended v, Extended min, Extended max)
{
    if (!(max >= v))
        v = max;
    if (min > v)
        v = min;
    return v;
}

// The timed controllers' sheet: the period, the output range and (PI, PID)
// the integral's start value; the texts are parsed back after the sheet
// closes, whatever its result, so Cancel re-parses the printed values.
class TReglerBT : public TAbtastBT {
public:
    Extended OutputMax = DefaultOutputMax;
    Extended OutputMin = DefaultOutputMin;

protected:
    using TAbtastBT::TAbtastBT;

    // filter: the PD and PID filter rows; start: the PI and PID "Init" row.
    Integer EditController(TFilter* filter, Extended* start);
    void WriteLimits(TWriter& writer);
    void ReadLimits(TReader& reader);
};

// Y := KP x ((X+) - (X-)), every step.
class TBT_P_Regler : public TAnalogBT {
public:
    explicit TBT_P_Regler(const TComponentRow& row);
    void Draw(TCanvas& canvas) override;
    void Calculate() override { SetOutputValue(0, InputValue(2) * (InputValue(0) - InputValue(1))); }
};

// The integral grows with the real time since the previous action's grid
// point and is itself limited to [min, max], so it winds up no further.
class TBT_PI_Regler : public TReglerBT {
public:
    explicit TBT_PI_Regler(const TComponentRow& row);
    Extended Integral = 0.0L;
    Extended IntegralStart = 0.0L;   // "Init"

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// P and I on the error, D on the filtered error over the real time since the
// last action.
class TBT_PID_Regler : public TReglerBT {
public:
    explicit TBT_PID_Regler(const TComponentRow& row);
    Extended Integral = 0.0L;
    Extended LastError = 0.0L;   // the filtered error at the last action; kept from run to run
    Extended IntegralStart = 0.0L;
    TFilter Filter;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

class TBT_PD_Regler : public TReglerBT {
public:
    explicit TBT_PD_Regler(const TComponentRow& row);
    Extended LastError = 0.0L;   // kept from run to run
    TFilter Filter;

    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;
    Integer EditProperties() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// ON goes high below the band (X+) - HYS/2, low above (X+) + HYS/2, and
// holds inside it; written only when it changes.
class TBT_2_Punkt_Regler : public TAnalogBT {
public:
    explicit TBT_2_Punkt_Regler(const TComponentRow& row);
    bool On = false;   // kept from run to run

    void Draw(TCanvas& canvas) override;
    void Calculate() override;
    void SaveState(TCustomIniFile& ini, const AnsiString& section) override;
    void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) override;
};

// The rows of TBT_P_Regler, TBT_PI_Regler, TBT_PID_Regler, TBT_PD_Regler and TBT_2_Punkt_Regler.
TRowList ReglerRows();
