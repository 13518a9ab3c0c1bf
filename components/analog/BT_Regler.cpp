#include "components/analog/BT_Regler.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

#include <cmath>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBT_P_Regler>("TBT_P_Regler"),
     .TypeName = {"P-Regler", "P controller", "Contrôleur-P"_ansi},
     .Designator = "P-",
     .HelpContext = 18844,
     .Inputs = {.Count = 3, .Names = "X+,X-,KP"},
     .Outputs = {.Count = 1, .Names = "Y"}},
    {.Class = RowClass<TBT_PI_Regler>("TBT_PI_Regler"),
     .TypeName = {"PI-Regler", "PI controller", "Contrôleur-PI"_ansi},
     .Designator = "PI-",
     .HelpContext = 18847,
     .HasDialog = true,
     .Inputs = {.Count = 5, .Names = "X+,X-,KP,KI,/RST"},
     .Outputs = {.Count = 1, .Names = "Y"}},
    {.Class = RowClass<TBT_PID_Regler>("TBT_PID_Regler"),
     .TypeName = {"PID-Regler", "PID controller", "Contrôleur-PID"_ansi},
     .Designator = "PID-",
     .HelpContext = 18853,
     .HasDialog = true,
     .Inputs = {.Count = 6, .Names = "X+,X-,KP,KI,KD,/RST"},
     .Outputs = {.Count = 1, .Names = "Y"}},
    {.Class = RowClass<TBT_PD_Regler>("TBT_PD_Regler"),
     .TypeName = {"PD-Regler", "PD controller", "Contrôleur-PD"_ansi},
     .Designator = "PD-",
     .HelpContext = 18850,
     .HasDialog = true,
     .Inputs = {.Count = 4, .Names = "X+,X-,KP,KD"},
     .Outputs = {.Count = 1, .Names = "Y"}},
    {.Class = RowClass<TBT_2_Punkt_Regler>("TBT_2_Punkt_Regler"),
     .TypeName = {"2-Punkt-Regler", "Two-position\rcontroller", "Contrôleur\rdeux-positions"_ansi},
     .Designator = "2HYS-",
     .HelpContext = 18856,
     .Inputs = {.Count = 3, .Names = "X+,X-,HYS"},
     .Outputs = {.Count = 1, .Names = "ON"}},
};

} // namespace

// ---- Shared sheet and record parts

Integer TReglerBT::EditController(TFilter* filter, Extended* start)
{
    TSettingsSheet sheet(*this);
    TPropScrollbox& props = sheet.Props();
    SamplePeriod.AddRow(props);
    props.AddCaption(Translate("Ausgang"));
    AnsiString minText = ValueToStr(OutputMin);
    AnsiString maxText = ValueToStr(OutputMax);
    props.AddRange(Translate("Grenze") + " [min/max]", minText, maxText, 0);
    AnsiString initText;
    if (start) {
        props.AddCaption("Integration");
        initText = ValueToStr(*start);
        props.AddEdit("Init", initText, 0, 64);
    }
    if (filter)
        filter->AddRows(props);
    const Integer result = sheet.Show();
    if (filter)
        filter->Apply();
    OutputMin = FiniteParameter(StrToValue(minText), DefaultOutputMin);
    OutputMax = FiniteParameter(StrToValue(maxText), DefaultOutputMax);
    if (start)
        *start = FiniteParameter(StrToValue(initText), 0.0L);
    SamplePeriod.Apply();
    return result;
}

void TReglerBT::WriteLimits(TWriter& writer)
{
    writer.WriteFloat(OutputMin);
    writer.WriteFloat(OutputMax);
}

// A limit that is not a number would hold the output at NaN (max is taken
// when it is not >= the value): it reads as the default.
void TReglerBT::ReadLimits(TReader& reader)
{
    OutputMin = FiniteParameter(reader.ReadFloat(), DefaultOutputMin);
    OutputMax = FiniteParameter(reader.ReadFloat(), DefaultOutputMax);
}

// ---- P

TBT_P_Regler::TBT_P_Regler(const TComponentRow& row) : TAnalogBT(row) {}

void TBT_P_Regler::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFramedLines(canvas, {{{-39, -34}, {39, -34}}});
}

// ---- PI

TBT_PI_Regler::TBT_PI_Regler(const TComponentRow& row) : TReglerBT(row, false) {}

void TBT_PI_Regler::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFramedLines(canvas, {{{-36, 24}, {-36, -14}, {38, -44}}});
}

void TBT_PI_Regler::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    Integral = IntegralStart;
}

void TBT_PI_Regler::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    // The reset reloads the integral and the reference, and the step goes on:
    // with "Max" it acts from the start value, with a period it cannot act.
    if (!InputLogic(4)) {
        Integral = IntegralStart;
        LastCount = now;
    }
    const Extended e = InputValue(0) - InputValue(1);
    const Extended kp = InputValue(2);
    const Extended ki = InputValue(3);
    const Extended dt = CounterSeconds(LastCount, now);
    const Extended ts = SamplePeriod.Seconds();
    const bool continuous = ts <= 0.0L;
    if (!(continuous || dt >= ts))
        return;
    Integral = LimitToRange(e * ki * dt + Integral, OutputMin, OutputMax);
    SetOutputValue(0, LimitToRange(e * kp + Integral, OutputMin, OutputMax));
    if (continuous)
        LastCount = now;
    else
        LastCount += CounterTicks(ts);
}

Integer TBT_PI_Regler::EditProperties()
{
    return EditController(nullptr, &IntegralStart);
}

void TBT_PI_Regler::WriteData(TStream& stream, TWriter& writer)
{
    TAbtastBT::WriteData(stream, writer);
    WriteLimits(writer);
    writer.WriteFloat(IntegralStart);
}

void TBT_PI_Regler::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAbtastBT::ReadData(stream, reader, version);
    ReadLimits(reader);
    IntegralStart = FiniteParameter(reader.ReadFloat(), 0.0L);
}

void TBT_PI_Regler::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    SaveValues(ini, section, {{"Value", &Integral}});
}

void TBT_PI_Regler::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    LoadValues(ini, section, {{"Value", &Integral}});
}

// ---- PID

TBT_PID_Regler::TBT_PID_Regler(const TComponentRow& row) : TReglerBT(row, false) {}

void TBT_PID_Regler::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFramedLines(canvas, {{{-36, -52}, {-36, -14}, {38, -44}}});
}

// The last filtered error stays from the previous run, unless it is no
// finite number: then every later derivative part would be NaN.
void TBT_PID_Regler::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    Integral = IntegralStart;
    Filter.Reset();
    if (!std::isfinite(LastError))
        LastError = 0.0L;
}

void TBT_PID_Regler::Calculate()
{
    if (!InputLogic(5))
        Integral = IntegralStart;
    const Int64 now = QueryPerformanceCounter();
    const Extended e = InputValue(0) - InputValue(1);
    const Extended kp = InputValue(2);
    const Extended ki = InputValue(3);
    const Extended kd = InputValue(4);
    const Extended ef = Filter.Filter(e);
    const Extended dt = CounterSeconds(LastCount, now);
    const Extended ts = SamplePeriod.Seconds();
    if (!(dt >= ts || ts == 0.0L))
        return;
    // No counter time since the last action (two steps in one tick): the
    // derivative has no rate yet; the output holds until time has passed.
    if (dt <= 0.0L)
        return;
    Integral = LimitToRange(ki * e * dt + Integral, OutputMin, OutputMax);
    SetOutputValue(0, LimitToRange(kp * e + Integral + (ef - LastError) * kd / dt, OutputMin, OutputMax));
    LastError = ef;
    LastCount = now;
}

Integer TBT_PID_Regler::EditProperties()
{
    return EditController(&Filter, &IntegralStart);
}

void TBT_PID_Regler::WriteData(TStream& stream, TWriter& writer)
{
    TAbtastBT::WriteData(stream, writer);
    WriteLimits(writer);
    writer.WriteFloat(IntegralStart);
    Filter.WriteTo(writer);
}

void TBT_PID_Regler::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAbtastBT::ReadData(stream, reader, version);
    ReadLimits(reader);
    IntegralStart = FiniteParameter(reader.ReadFloat(), 0.0L);
    Filter.ReadFrom(reader);
}

void TBT_PID_Regler::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    SaveValues(ini, section, {{"Value", &Integral}});
}

void TBT_PID_Regler::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    LoadValues(ini, section, {{"Value", &Integral}});
}

// ---- PD

TBT_PD_Regler::TBT_PD_Regler(const TComponentRow& row) : TReglerBT(row, false) {}

void TBT_PD_Regler::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFramedLines(canvas, {{{-36, -52}, {-36, 6}, {38, 6}}});
}

void TBT_PD_Regler::ResetForStart()
{
    LastCount = QueryPerformanceCounter();
    Filter.Reset();
    if (!std::isfinite(LastError))
        LastError = 0.0L;
}

void TBT_PD_Regler::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    const Extended dt = CounterSeconds(LastCount, now);
    const Extended e = InputValue(0) - InputValue(1);
    const Extended kp = InputValue(2);
    const Extended kd = InputValue(3);
    const Extended ef = Filter.Filter(e);
    const Extended ts = SamplePeriod.Seconds();
    if (!(dt >= ts || ts == 0.0L))
        return;
    if (dt <= 0.0L)   // as the PID: no rate without counter time
        return;
    SetOutputValue(0, LimitToRange(kp * e + (ef - LastError) * kd / dt, OutputMin, OutputMax));
    LastError = ef;
    LastCount = now;
}

Integer TBT_PD_Regler::EditProperties()
{
    return EditController(&Filter, nullptr);
}

void TBT_PD_Regler::WriteData(TStream& stream, TWriter& writer)
{
    TAbtastBT::WriteData(stream, writer);
    WriteLimits(writer);
    Filter.WriteTo(writer);
}

void TBT_PD_Regler::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAbtastBT::ReadData(stream, reader, version);
    ReadLimits(reader);
    Filter.ReadFrom(reader);
}

// ---- Two-position

TBT_2_Punkt_Regler::TBT_2_Punkt_Regler(const TComponentRow& row) : TAnalogBT(row) {}

void TBT_2_Punkt_Regler::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFramedLines(canvas, {{{-39, 6}, {10, 6}}, {{-10, -34}, {39, -34}}, {{-10, -34}, {-10, 6}}, {{10, -34}, {10, 6}}});
}

void TBT_2_Punkt_Regler::Calculate()
{
    const Extended setPoint = InputValue(0);
    const Extended actual = InputValue(1);
    const Extended hys = InputValue(2);
    if (!On && actual < setPoint - hys / 2.0L) {
        On = true;
        SetOutputLogic(0, true);
    }
    if (On && actual > setPoint + hys / 2.0L) {
        On = false;
        SetOutputLogic(0, false);
    }
}

void TBT_2_Punkt_Regler::SaveState(TCustomIniFile& ini, const AnsiString& section)
{
    ini.WriteBool(StateSection(section), "Status", On);
}

void TBT_2_Punkt_Regler::LoadState(TCustomIniFile& ini, const AnsiString& section, Integer)
{
    On = ini.ReadBool(StateSection(section), "Status", false);
    SetOutputLogic(0, On);
}

TRowList ReglerRows()
{
    return RowList(Rows);
}
