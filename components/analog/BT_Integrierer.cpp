#include "components/analog/BT_Integrierer.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTIntegrierer>("TBTIntegrierer"),
     .TypeName = {"Integrierer", "Integral", "Intégrale"_ansi},
     .Designator = "INT",
     .HelpContext = 18485,
     .HasDialog = true,
     .Inputs = {.Count = 2, .Names = "E,/RST"},
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTDifferenzierer>("TBTDifferenzierer"),
     .TypeName = {"Differenzierer", "Differential", "Différentiel"_ansi},
     .Designator = "DIF",
     .HelpContext = 18490,
     .HasDialog = true,
     .Inputs = {.Count = 2, .Names = "X,/RST"},
     .Outputs = {.Count = 1, .Names = "Y"}},
};

// Files before this version carry no filter record behind the differentiator.
constexpr Byte FilterRecordVersion = 40;

} // namespace

// ---- Integrator

TBTIntegrierer::TBTIntegrierer(const TComponentRow& row) : TAbtastBT(row, true) {}

void TBTIntegrierer::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFigureText(canvas, "d(+)", 50, CentreX() - 34, CentreY() - 50);
}

void TBTIntegrierer::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    Integral = 0.0L;
    SetOutputValue(0, 0.0L);
}

void TBTIntegrierer::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    if (!InputLogic(1)) {
        Integral = 0.0L;
        SetOutputValue(0, 0.0L);
        LastCount = now;
        return;
    }
    const Extended ts = SamplePeriod.Seconds();
    if (ts > 0.0L) {
        // On the grid: one period per step, so a block that fell behind
        // catches up over the following steps.
        if (CounterSeconds(LastCount, now) < ts)
            return;
        Integral = ts * InputValue(0) + Integral;
        SetOutputValue(0, Integral);
        LastCount += CounterTicks(ts);
        return;
    }
    Integral = InputValue(0) * CounterSeconds(LastCount, now) + Integral;
    SetOutputValue(0, Integral);
    LastCount = now;
}

void TBTIntegrierer::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    SaveValues(ini, section, {{"Value", &Integral}});
}

void TBTIntegrierer::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    LoadValues(ini, section, {{"Value", &Integral}});
    SetOutputValue(0, Integral);
}

// ---- Differentiator

TBTDifferenzierer::TBTDifferenzierer(const TComponentRow& row) : TAbtastBT(row, true) {}

void TBTDifferenzierer::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFigureText(canvas, "dx/dt", 44, CentreX() - 40, CentreY() - 50);
}

void TBTDifferenzierer::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    PeriodCount = 1;
    LastInput = 0.0L;
    SetOutputValue(0, 0.0L);
    Filter.Reset();
}

void TBTDifferenzierer::Calculate()
{
    if (!InputLogic(1)) {
        ResetForStart();
        return;
    }
    const Extended x = InputValue(0);
    const Int64 now = QueryPerformanceCounter();
    const Extended dt = CounterSeconds(LastCount, now);
    const Extended xf = Filter.Filter(x);
    const Extended ts = SamplePeriod.Seconds();
    if (ts > 0.0L) {
        if (dt < PeriodCount * ts)
            return;
        SetOutputValue(0, (xf - LastInput) / ts);
        LastInput = xf;
        if (++PeriodCount > PeriodWindow) {
            LastCount += CounterTicks(PeriodWindow * ts);
            PeriodCount = 1;
        }
        return;
    }
    // No counter time since the last action (two steps in one tick): the
    // change has no rate yet; the output holds and the next step measures
    // from the same reference.
    if (dt <= 0.0L)
        return;
    SetOutputValue(0, (xf - LastInput) / dt);
    LastInput = xf;
    LastCount = now;
}

void TBTDifferenzierer::AddSettingsRows(TPropScrollbox& props)
{
    Filter.AddRows(props);
}

void TBTDifferenzierer::ApplySettings()
{
    Filter.Apply();
}

void TBTDifferenzierer::WriteData(TStream& stream, TWriter& writer)
{
    TAbtastBT::WriteData(stream, writer);
    Filter.WriteTo(writer);
}

void TBTDifferenzierer::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAbtastBT::ReadData(stream, reader, version);
    if (version >= FilterRecordVersion)
        Filter.ReadFrom(reader);
}

TRowList IntegriererRows()
{
    return RowList(Rows);
}
