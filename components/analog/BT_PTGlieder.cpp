#include "components/analog/BT_PTGlieder.h"

#include "dialogs/DLG_Default.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <cmath>

namespace {

constexpr TPinSide OutputY{.Count = 1, .Names = "Y"};

const TPTRow Lags[] = {
    {.Component = {.Class = RowClass<TPTGlied>("TBTPT1"),
                   .TypeName = {"PT1", "PT1", "PT1"},
                   .Designator = "PT1-",
                   .HelpContext = 18838,
                   .HasDialog = true,
                   .Inputs = {.Count = 4, .Names = "X,P,1/T1,/RST"},
                   .Outputs = OutputY},
     .Order = 1},
    {.Component = {.Class = RowClass<TPTGlied>("TBTPT2"),
                   .TypeName = {"PT2", "PT2", "PT2"},
                   .Designator = "PT2-",
                   .HelpContext = 18841,
                   .HasDialog = true,
                   .Inputs = {.Count = 5, .Names = "X,P,1/T,D,/RST"},
                   .Outputs = OutputY},
     .Order = 2},
};

const TComponentRow DT1[] = {
    {.Class = RowClass<TBTDT1>("TBTDT1"),
     .TypeName = {"DT1", "DT1", "DT1"},
     .Designator = "DT1-",
     .HelpContext = 18842,
     .HasDialog = true,
     .Inputs = {.Count = 3, .Names = "X,KD,T1"},
     .Outputs = OutputY},
};

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

// ---- PT1 and PT2

TPTGlied::TPTGlied(const TComponentRow& row) : TAbtastBT(row, true), pt_(FamilyRow<TPTRow>(row)) {}

void TPTGlied::Draw(TCanvas& canvas)
{
    if (pt_.Order == 1) {
        DrawFramedCurve(canvas, {{-38, 23}, {-36, -6}, {-32, -21}, {-24, -28}, {-8, -32}, {14, -34}, {38, -34}});
        return;
    }
    DrawFramedCurve(canvas, {{-38, 24}, {-31, -24}, {-27, -33}, {-25, -35}, {-23, -36}, {-20, -35}, {-15, -25},
                             {-13, -23}, {-10, -22}, {-4, -28},  {-1, -30},  {0, -30},   {3, -28},   {6, -25},
                             {8, -24},   {12, -26},  {38, -26}});
}

void TPTGlied::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    Rate = 0.0L;
    State = 0.0L;
    SetOutputValue(0, 0.0L);
}

void TPTGlied::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    if (!InputLogic(InputCount - 1)) {
        Rate = 0.0L;
        State = 0.0L;
        SetOutputValue(0, 0.0L);
        LastCount = now;
        return;
    }
    const Extended ts = SamplePeriod.Seconds();
    if (ts > 0.0L) {
        if (CounterSeconds(LastCount, now) < ts)
            return;
        Step(ts, true);
        LastCount += CounterTicks(ts);
        return;
    }
    Step(CounterSeconds(LastCount, now), false);
    LastCount = now;
}

void TPTGlied::Step(Extended dt, bool periodic)
{
    const Extended x = InputValue(0);
    const Extended p = InputValue(1);
    const Extended k = InputValue(2);
    if (pt_.Order == 1) {
        State = dt * (x - State) * k + State;
        if (!periodic)
            State = Bound(State, PT1StateLimit);
        SetOutputValue(0, p * State);
        return;
    }
    const Extended d = InputValue(3);
    Rate = dt * ((p * x - State) - 2.0L * d * Rate) * k + Rate;
    if (periodic)
        Rate = Bound(Rate, PT2StateLimit);
    State = dt * Rate * k + State;
    if (periodic)
        State = Bound(State, PT2StateLimit);
    SetOutputValue(0, State);
}

void TPTGlied::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    if (pt_.Order == 1)
        SaveValues(ini, section, {{"Value", &State}});
    else
        SaveValues(ini, section, {{"Value1", &Rate}, {"Value2", &State}});
}

// Y shows the stored state itself until the first action (for PT1 that
// writes P x y).
void TPTGlied::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    if (pt_.Order == 1)
        LoadValues(ini, section, {{"Value", &State}});
    else
        LoadValues(ini, section, {{"Value1", &Rate}, {"Value2", &State}});
    SetOutputValue(0, State);
}

// ---- DT1

TBTDT1::TBTDT1(const TComponentRow& row) : TAbtastBT(row, true) {}

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

TRowList PTGliederRows()
{
    TRowList rows = RowList(Lags);
    rows.push_back(&DT1[0]);
    return rows;
}
