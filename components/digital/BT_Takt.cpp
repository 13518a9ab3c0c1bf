#include "components/digital/BT_Takt.h"

#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cmath>

namespace {

const TTypeNames HiTaktNames{{"Taktgenerator\r1Hz...1kHz", "Pulse generator\r1Hz...1kHz", "Impulsion\r1Hz...1kHz"}};
const TTypeNames TaktgeberESNames{
    {"Takt, einstellbar\r0,1s...1000s", "Pulse, adjustable\r0,1s...1000s", "Impulsion ajustable\r0,1s...1000s"}};
const TTypeNames VCONames{
    {"Takt, einstellbar\r0.01Hz...1kHz", "Pulse, adjustable\r0.01Hz...1kHz", "Impulsion ajustable\r0.01Hz...1kHz"}};

// Counter ticks of a span in seconds, rounded half to even.
Int64 CounterTicks(Extended seconds)
{
    return static_cast<Int64>(std::nearbyint(seconds * PerfFrequency));
}

} // namespace

TTaktgeber::TTaktgeber(const TTypeNames& typeName, const char* designator, Integer helpContext, Integer inputs,
                       const char* outputName)
    : typeName_(typeName), outputName_(outputName)
{
    SetInputCount(inputs);
    SetOutputCount(1);
    Designator = designator;
    HelpContext = helpContext;
}

void TTaktgeber::InputsCreated()
{
    for (TBauteilPin& pin : Inputs)
        pin.Name = "f";
}

void TTaktgeber::OutputsCreated()
{
    for (TBauteilPin& pin : Outputs)
        pin.Name = outputName_;
}

void TTaktgeber::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
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

TBTHiTakt::TBTHiTakt() : TTaktgeber(HiTaktNames, "G", 18275, 0, "")
{
    HasPropertyDialog = true;
}

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
    TDigitalDialog dialog(*this);
    dialog.Props().AddSpin(Translate("Frequenz") + " [Hz]", Frequency, MinFrequency, MaxFrequency, 64);
    return dialog.Show();
}

AnsiString TBTHiTakt::GetHintText()
{
    return TTaktgeber::GetHintText() + CR + "f = " + std::to_string(Frequency) + " Hz";
}

// ---- Slow clock

TBTTaktgeber_ES::TBTTaktgeber_ES() : TTaktgeber(TaktgeberESNames, "G", 18285, 1, "CLK")
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

TBTVCO::TBTVCO() : TTaktgeber(VCONames, "VCO", 18290, 1, "CLK") {}

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
