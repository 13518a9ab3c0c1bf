#include "components/analog/BT_Generatoren.h"

#include "components/analog/TimeBase.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Stream.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTFktGenerator>("TBTFktGenerator"),
     .TypeName = {"Signalgenerator", "Signal generator", "Générateur\rde signal"_ansi},
     .Designator = "SG",
     .HelpContext = 18445,
     .Inputs = {.Count = 2, .Names = "f,A"},
     .Outputs = {.Count = 5, .Names = "DWN,RUP,TRI,REC,SIN"}},
    {.Class = RowClass<TBTPulse>("TBTPulse"),
     .TypeName = {"Pulsgenerator", "Pulse generator", "Générateur\rde impulsion"_ansi},
     .Designator = "PG",
     .HelpContext = 18296,
     .Inputs = {.Count = 2, .Names = "TH,TL"},
     .Outputs = {.Count = 1, .Names = "CLK"}},
    {.Class = RowClass<TBTRampenGenerator>("TBTRampenGenerator"),
     .TypeName = {"Rampengenerator", "Ramp generator", "Rampe"},
     .Designator = "RG",
     .HelpContext = 18446,
     .Inputs = {.Count = 5, .Names = "Y1,Y2,T,Y0,|RUN"},
     .Outputs = {.Count = 3, .Names = "RUN,T,Y"}},
    {.Class = RowClass<TBTRandom>("TBTRandom"),
     .TypeName = {"Random\rZufallswert", "Random", "Aléatoire"_ansi},
     .Designator = "RND",
     .HelpContext = 18545,
     .HasDialog = true,
     .Inputs = {.Count = 0},
     .Outputs = {.Count = 1, .Min = 1, .Max = 32}},
};

// The lowest frequency: zero, negative and unreadable frequencies give it.
constexpr double LowestFrequency = 0.001;

} // namespace

// ---- Signal generator

TBTFktGenerator::TBTFktGenerator(const TComponentRow& row) : TAnalogBT(row)
{
    Designator = ByLanguage("SG", "SG", "GS");
}

void TBTFktGenerator::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    // Each glyph beside its output: offsets from the right edge (the left one
    // when mirrored) and from the top edge (the bottom one when mirrored).
    const Integer x0 = Mirrored ? BodyRect.Left + 30 : BodyRect.Right - 30;
    const auto glyph = [&](Integer d, std::initializer_list<TPoint> points) {
        const Integer y = Mirrored ? BodyRect.Bottom - d : BodyRect.Top + d;
        std::vector<TPoint> line;
        for (const TPoint& p : points)
            line.push_back({x0 + p.X, y + p.Y});
        canvas.Pen.Style = TPenStyle::psSolid;
        canvas.Pen.Width = 2;
        canvas.Pen.Color = FigureColor();
        canvas.Polyline(line);
    };
    glyph(40, {{-15, 0}, {-13, -4}, {-12, -5}, {-10, -7}, {-8, -8}, {-6, -7}, {-4, -5}, {-2, -2}, {-1, 0}, {0, 2},
               {2, 5}, {4, 7}, {6, 8}, {8, 7}, {10, 5}, {13, 0}});
    glyph(80, {{-15, 0}, {-15, -8}, {-1, -8}, {-1, 8}, {13, 8}, {13, 0}});
    glyph(120, {{-15, 0}, {-8, -8}, {6, 8}, {13, 0}});
    glyph(160, {{-15, 8}, {13, -8}, {13, 8}});
    glyph(200, {{-15, 8}, {-15, -8}, {13, 8}});
}

void TBTFktGenerator::ResetForStart()
{
    SetOutputValue(0, 0.0L);
    LastCount = QueryPerformanceCounter();
    Time = 0.0;
}

void TBTFktGenerator::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    Time += static_cast<double>(CounterSeconds(LastCount, now));
    double f = static_cast<double>(InputValue(0));
    const Extended a = InputValue(1);
    if (!(f >= LowestFrequency))
        f = LowestFrequency;
    const double tp = 1.0 / f;
    // One period off per step at most: a frequency above the step rate lets
    // the phase run past 1 until the accumulator catches up.
    if (Time > tp)
        Time -= tp;
    // An infinite frequency has no period; the phase stays at its start.
    const Extended p = tp > 0.0 ? static_cast<Extended>(Time / tp) : 0.0L;
    const Extended r = a * p;
    const Extended s = std::sin(2.0L * std::numbers::pi_v<Extended> * p) * a;
    SetOutputValue(4, s);
    if (s >= 0.0L) {
        SetOutputValue(3, a);
        SetOutputValue(2, 4.0L * r - a);
    } else {
        SetOutputValue(3, -a);
        SetOutputValue(2, 4.0L * (a - r) - a);
    }
    SetOutputValue(1, 2.0L * r - a);
    SetOutputValue(0, a - 2.0L * r);
    LastCount = now;
}

// ---- Pulse generator

TBTPulse::TBTPulse(const TComponentRow& row) : TAnalogBT(row) {}

void TBTPulse::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer t = BodyRect.Top - CentreY();
    DrawLines(canvas,
              {{-25, t + 40}, {-20, t + 40}, {-20, t + 20}, {-10, t + 20}, {-10, t + 40}, {20, t + 40}, {20, t + 20},
               {25, t + 20}},
              FigureColor(), 2);
}

void TBTPulse::ResetForStart()
{
    SetOutputLogic(0, false);
    LastCount = QueryPerformanceCounter();
    Time = 0.0;
    High = false;
}

void TBTPulse::Calculate()
{
    const Int64 now = QueryPerformanceCounter();
    Time += static_cast<double>(CounterSeconds(LastCount, now));
    double th = static_cast<double>(InputValue(0));
    double tl = static_cast<double>(InputValue(1));
    if (th < 0.0)
        th = 0.0;
    if (tl < 0.0)
        tl = 0.0;
    // The time beyond a phase's end is carried into the next phase, so the
    // mean frequency stays 1 / (th + tl).
    if (High) {
        if (Time > th) {
            Time -= th;
            High = false;
            SetOutputLogic(0, false);
        }
    } else if (Time > tl) {
        Time -= tl;
        High = true;
        SetOutputLogic(0, true);
    }
    LastCount = now;
}

// ---- Ramp generator

TBTRampenGenerator::TBTRampenGenerator(const TComponentRow& row) : TAnalogBT(row) {}

void TBTRampenGenerator::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawLines(canvas, {{40, 6}, {30, 6}, {30, -34}, {-30, 6}, {-40, 6}}, FigureColor(), 2);
}

void TBTRampenGenerator::ResetForStart()
{
    SetOutputValue(0, 0.0L);
    StartCount = QueryPerformanceCounter();
    Elapsed = 0.0;
    Running = false;
    LastRun = false;
}

void TBTRampenGenerator::Calculate()
{
    const bool run = InputLogic(4);
    if (run != LastRun) {
        LastRun = run;
        if (!run) {
            StartCount = QueryPerformanceCounter();
            Running = true;
            SetOutputLogic(0, true);
            StartValue = InputValue(0);
            EndValue = InputValue(1);
            Duration = InputValue(2);
        } else {
            Running = false;
            SetOutputLogic(0, false);
        }
        return;
    }
    if (Running) {
        Elapsed = static_cast<double>(CounterSeconds(StartCount, QueryPerformanceCounter()));
        if (Duration < Elapsed) {
            SetOutputLogic(0, false);
            Running = false;
            SetOutputValue(1, Duration);
        } else {
            const Extended y =
                Duration == 0.0L ? EndValue : Elapsed / Duration * (EndValue - StartValue) + StartValue;
            SetOutputValue(2, y);
            SetOutputValue(1, Elapsed);
        }
    } else {
        SetOutputValue(2, InputValue(3));
    }
}

// ---- Random value

TBTRandom::TBTRandom(const TComponentRow& row) : TAnalogBT(row)
{
    BuildOutputs();
}

Integer TBTRandom::BitCount(Integer rangeMax)
{
    Integer n = 1;
    for (Integer m = rangeMax; m > 1; m /= 2)
        ++n;
    return n;
}

void TBTRandom::BuildOutputs()
{
    const Integer n = Digital ? BitCount(RangeMax) : 1;
    if (n != OutputCount)
        SetOutputCount(n);
    else
        OutputsCreated();
}

void TBTRandom::OutputsCreated()
{
    if (!Digital) {
        NamePins(Outputs, {"A"});
        return;
    }
    for (Integer i = 0; i < OutputCount; ++i)
        Outputs[i].Name = "B" + std::to_string(OutputCount - 1 - i);
}

void TBTRandom::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFigureText(canvas, "?", 40, CentreX() - 10, CentreY() - 34);
}

void TBTRandom::ResetForStart()
{
    // Every run another sequence; under a fake clock a repeatable one.
    Source.Seed(static_cast<std::uint64_t>(QueryPerformanceCounter()));
    StepCount = 0;
}

void TBTRandom::Calculate()
{
    if (++StepCount != 5)
        return;
    StepCount = 0;
    const Int64 width = static_cast<Int64>(RangeMax) - RangeMin;
    if (Digital) {
        const Int64 v = Source.Below(std::llabs(width + 1)) + RangeMin;
        for (Integer i = 0; i < OutputCount; ++i) {
            const Integer bit = OutputCount - 1 - i;
            SetOutputLogic(i, ((static_cast<std::uint64_t>(v) >> bit) & 1U) != 0);
        }
    } else {
        const double value = Source.Unit() * static_cast<double>(std::llabs(width)) + RangeMin;
        SetOutputValue(0, value);
    }
}

Integer TBTRandom::EditProperties()
{
    TSettingsSheet sheet(*this);
    Integer mode = Digital ? 1 : 0;
    sheet.Props().AddCombo(Translate("Ausgang"), mode, {Translate("Analog"), Translate("Digital")}, 90);
    sheet.Props().AddSpin(Translate("Bereich") + " [min]", RangeMin, -99999, 99999, 64);
    sheet.Props().AddSpin(Translate("Bereich") + " [max]", RangeMax, -99999, 99999, 64);
    const Integer result = sheet.Dialog().ShowModal();
    Digital = mode == 1;
    BuildOutputs();
    return result;
}

AnsiString TBTRandom::GetHintText()
{
    AnsiString text = TAnalogBT::GetHintText() + CR;
    if (Digital)
        return text + "digital";
    return text + std::to_string(RangeMin) + "..." + std::to_string(RangeMax);
}

void TBTRandom::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteBoolean(Digital);
    writer.WriteInteger(RangeMin);
    writer.WriteInteger(RangeMax);
}

void TBTRandom::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    Digital = reader.ReadBoolean();
    RangeMin = reader.ReadInteger();
    RangeMax = reader.ReadInteger();
    BuildOutputs();
}

TRowList GeneratorRows()
{
    return RowList(Rows);
}
