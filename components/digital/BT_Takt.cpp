#include "components/digital/BT_Takt.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cmath>

namespace {

const TComponentRow Clocks[] = {
    {.Class = RowClass<TBTHiTakt>("TBTHiTakt"),
     .TypeName = {"Taktgenerator\r1Hz...1kHz", "Pulse generator\r1Hz...1kHz", "Impulsion\r1Hz...1kHz"},
     .Designator = "G",
     .HelpContext = 18275,
     .HasDialog = true,
     .Inputs = {.Count = 0},
     .Outputs = {.Count = 1, .Names = ""}},
    {.Class = RowClass<TBTTaktgeber_ES>("TBTTaktgeber_ES"),
     .TypeName = {"Takt, einstellbar\r0,1s...1000s", "Pulse, adjustable\r0,1s...1000s",
                  "Impulsion ajustable\r0,1s...1000s"},
     .Designator = "G",
     .HelpContext = 18285,
     .Inputs = {.Count = 1, .Names = "f"},
     .Outputs = {.Count = 1, .Names = "CLK"}},
    {.Class = RowClass<TBTVCO>("TBTVCO"),
     .TypeName = {"Takt, einstellbar\r0.01Hz...1kHz", "Pulse, adjustable\r0.01Hz...1kHz",
                  "Impulsion ajustable\r0.01Hz...1kHz"},
     .Designator = "VCO",
     .HelpContext = 18290,
     .Inputs = {.Count = 1, .Names = "f"},
     .Outputs = {.Count = 1, .Names = "CLK"}},
};

// Counter ticks of a span in seconds, rounded half to even.
Int64 CounterTicks(Extended seconds)
{
    return static_cast<Int64>(std::nearbyint(seconds * PerfFrequency));
}

} // namespace

TRowList TaktRows()
{
    return RowList(Clocks);
}

void TTaktgeber::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer cx = BodyCentre(*this).X;
    const Integer t = BodyRect.Top;
    DrawSymbolLine(canvas, *this,
                   {{cx - 25, t + 20}, {cx - 20, t + 20}, {cx - 20, t + 40}, {cx - 10, t + 40}, {cx - 10, t + 20},
                    {cx, t + 20}, {cx, t + 40}, {cx + 10, t + 40}, {cx + 10, t + 20}, {cx + 20, t + 20},
                    {cx + 20, t + 40}, {cx + 25, t + 40}});
}

// ---- Fixed clock

void TBTHiTakt::Calculate()
{
    const double elapsed = static_cast<double>(QueryPerformanceCounter() - Reference) / PerfFrequency;
    if (Toggle / (2.0 * Frequency) > elapsed)
        return;
    State = !State;
    SetOutputLogic(0, State);
    if (++Toggle >= ToggleWindow) {
        Reference += CounterTicks((ToggleWindow - 1) / (2.0L * Frequency));
        Toggle = 1;
    }
}

void TBTHiTakt::ResetForStart()
{
    Reference = QueryPerformanceCounter();
    State = false;
    SetOutputLogic(0, false);
    Toggle = 1;
}

void TBTHiTakt::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteInteger(Frequency);
}

void TBTHiTakt::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TTaktgeber::ReadData(stream, reader, version);
    // The frequency divides: a damaged 0 must not reach the step.
    Frequency = std::clamp(reader.ReadInteger(), MinFrequency, MaxFrequency);
}

Integer TBTHiTakt::EditProperties()
{
    TSettingsSheet dialog(*this);
    dialog.Props().AddSpin(Translate("Frequenz") + " [Hz]", Frequency, MinFrequency, MaxFrequency, 64);
    return dialog.Show();
}

AnsiString TBTHiTakt::GetHintText()
{
    return TTaktgeber::GetHintText() + CR + "f = " + std::to_string(Frequency) + " Hz";
}

// ---- Slow clock

TBTTaktgeber_ES::TBTTaktgeber_ES(const TComponentRow& row) : TTaktgeber(row)
{
    NeedsTimerTick = true;
}

void TBTTaktgeber_ES::TimerTick()
{
    if (++TickCount > TickLimit) {
        State = !State;
        TickCount = 0;
    }
}

// ---- Voltage-controlled clock

void TBTVCO::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    const Extended f = InputValue(0);
    const Extended working = f > MaxFrequency ? MaxFrequency : f >= MinFrequency ? f : MinFrequency;
    if (working != Frequency) {
        // The phase moves to the new frequency: the last toggle's time by the
        // old half period, then the first new half period that reaches now
        // steps back once.
        Reference -= CounterTicks(1.0L / (2.0L * Frequency));
        const Int64 half = std::max<Int64>(CounterTicks(1.0L / (2.0L * working)), 1);
        if (Reference < now)
            Reference += (now - Reference + half - 1) / half * half;
        Reference -= half;
        Frequency = working;
    }
    const double elapsed = static_cast<double>(now - Reference) / PerfFrequency;
    if (1.0L / (2.0L * Frequency) > elapsed)
        return;
    // Below the lowest frequency the timing runs on without toggling.
    if (f >= MinFrequency) {
        State = !State;
        SetOutputLogic(0, State);
    }
    Reference += CounterTicks(1.0L / (2.0L * Frequency));
}

void TBTVCO::ResetForStart()
{
    Reference = QueryPerformanceCounter();
    State = false;
    SetOutputLogic(0, false);
}
