#include "components/analog/BT_PTGlieder.h"

#include "dialogs/DLG_Default.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <cmath>

namespace {

const TAnalogInfo PT1Info{{"PT1", "PT1", "PT1"}, "PT1-", 18838, true, 4, 4, 1, 1};
const TAnalogInfo PT2Info{{"PT2", "PT2", "PT2"}, "PT2-", 18841, true, 5, 5, 1, 1};
const TAnalogInfo DT1Info{{"DT1", "DT1", "DT1"}, "DT1-", 18842, true, 3, 3, 1, 1};

// Files before this version carry no filter record behind the DT1 element.
constexpr Byte DT1FilterRecordVersion = 45;

// To +-limit; a value that compares with nothing lands on +limit.
Extended Bound(Extended v, Extended limit)
{
    if (!(v <= limit))
        v = limit;
    if (v < -limit)
        v = -limit;
    return v;
}

} // namespace

// ---- PT1

TBTPT1::TBTPT1() : TAbtastBT(PT1Info, true)
{
    SetInputCount(4);
    SetOutputCount(1);
}

void TBTPT1::Draw(TCanvas& canvas)
{
    DrawFramedCurve(canvas, {{-38, 23}, {-36, -6}, {-32, -21}, {-24, -28}, {-8, -32}, {14, -34}, {38, -34}});
}

void TBTPT1::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    State = 0.0L;
    SetOutputValue(0, 0.0L);
}

void TBTPT1::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    if (!InputLogic(3)) {
        State = 0.0L;
        SetOutputValue(0, 0.0L);
        LastCount = now;
        return;
    }
    const Extended x = InputValue(0);
    const Extended p = InputValue(1);
    const Extended k = InputValue(2);
    const Extended ts = SamplePeriod.Seconds();
    if (ts > 0.0L) {
        if (CounterSeconds(LastCount, now) < ts)
            return;
        State = ts * (x - State) * k + State;
        SetOutputValue(0, p * State);
        LastCount += CounterTicks(ts);
        return;
    }
    State = Bound(CounterSeconds(LastCount, now) * (x - State) * k + State, StateLimit);
    SetOutputValue(0, p * State);
    LastCount = now;
}

void TBTPT1::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    SaveValues(ini, section, {{"Value", &State}});
}

// Y shows the stored state itself until the first action writes P x y.
void TBTPT1::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    LoadValues(ini, section, {{"Value", &State}});
    SetOutputValue(0, State);
}

// ---- PT2

TBTPT2::TBTPT2() : TAbtastBT(PT2Info, true)
{
    SetInputCount(5);
    SetOutputCount(1);
}

void TBTPT2::Draw(TCanvas& canvas)
{
    DrawFramedCurve(canvas, {{-38, 24}, {-31, -24}, {-27, -33}, {-25, -35}, {-23, -36}, {-20, -35}, {-15, -25},
                             {-13, -23}, {-10, -22}, {-4, -28},  {-1, -30},  {0, -30},   {3, -28},   {6, -25},
                             {8, -24},   {12, -26},  {38, -26}});
}

void TBTPT2::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    Rate = 0.0L;
    State = 0.0L;
    SetOutputValue(0, 0.0L);
}

void TBTPT2::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    if (!InputLogic(4)) {
        Rate = 0.0L;
        State = 0.0L;
        SetOutputValue(0, 0.0L);
        LastCount = now;
        return;
    }
    const Extended x = InputValue(0);
    const Extended p = InputValue(1);
    const Extended k = InputValue(2);
    const Extended d = InputValue(3);
    const Extended ts = SamplePeriod.Seconds();
    if (ts > 0.0L) {
        if (CounterSeconds(LastCount, now) < ts)
            return;
        Rate = Bound(ts * ((p * x - State) - 2.0L * d * Rate) * k + Rate, StateLimit);
        State = Bound(ts * Rate * k + State, StateLimit);
        SetOutputValue(0, State);
        LastCount += CounterTicks(ts);
        return;
    }
    const Extended dt = CounterSeconds(LastCount, now);
    Rate = ((p * x - State) - 2.0L * d * Rate) * dt * k + Rate;
    State = dt * Rate * k + State;
    SetOutputValue(0, State);
    LastCount = now;
}

void TBTPT2::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    SaveValues(ini, section, {{"Value1", &Rate}, {"Value2", &State}});
}

void TBTPT2::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    LoadValues(ini, section, {{"Value1", &Rate}, {"Value2", &State}});
    SetOutputValue(0, State);
}

// ---- DT1

TBTDT1::TBTDT1() : TAbtastBT(DT1Info, true)
{
    SetInputCount(3);
    SetOutputCount(1);
}

void TBTDT1::Draw(TCanvas& canvas)
{
    DrawFramedCurve(canvas, {{-38, -26}, {-17, -1}, {-7, 9}, {6, 16}, {19, 20}, {38, 21}});
}

// The last filtered input stays from the previous run, unless it is no
// finite number: then it would keep every later action at NaN.
void TBTDT1::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    State = 0.0L;
    SetOutputValue(0, 0.0L);
    Filter.Reset();
    if (!std::isfinite(LastInput))
        LastInput = 0.0L;
}

void TBTDT1::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    const Extended dt = CounterSeconds(LastCount, now);
    const Extended x = InputValue(0);
    const Extended kd = InputValue(1);
    const Extended t1 = InputValue(2);
    const Extended xf = Filter.Filter(x);
    const Extended ts = SamplePeriod.Seconds();
    if (!(dt >= ts || ts == 0.0L))
        return;
    // T1 + dt of zero (T1 = 0 with no counter time since the last action, or
    // T1 = -dt) has no backward-Euler step: the action waits for the next
    // step, which measures from the same reference.
    const Extended denominator = t1 + dt;
    if (denominator == 0.0L)
        return;
    State = (State * t1 + (xf - LastInput) * kd) / denominator;
    SetOutputValue(0, State);
    LastInput = xf;
    LastCount = now;
}

void TBTDT1::AddSettingsRows(TPropScrollbox& props)
{
    Filter.AddRows(props);
}

void TBTDT1::ApplySettings()
{
    Filter.Apply();
}

void TBTDT1::WriteData(TStream& stream, TWriter& writer)
{
    TAbtastBT::WriteData(stream, writer);
    Filter.WriteTo(writer);
}

void TBTDT1::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAbtastBT::ReadData(stream, reader, version);
    if (version >= DT1FilterRecordVersion)
        Filter.ReadFrom(reader);
}

void TBTDT1::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    SaveValues(ini, section, {{"Value", &State}});
}

void TBTDT1::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    LoadValues(ini, section, {{"Value", &State}});
    SetOutputValue(0, State);
}
