#include "components/analog/BT_Mittelwert.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Language.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cmath>

const std::array<TMeanIntervalRow, MeanIntervalCount> MeanIntervalTable = {{
    {"0.1 s", 0.1L},
    {"0.2 s", 0.2L},
    {"0.5 s", 0.5L},
    {"1 s", 1.0L},
    {"2 s", 2.0L},
    {"5 s", 5.0L},
    {"10 s", 10.0L},
    {"30 s", 30.0L},
    {"1 min", 60.0L},
    {"2 min", 120.0L},
    {"5 min", 300.0L},
    {"10 min", 600.0L},
    {"20 min", 1200.0L},
    {"30 min", 1800.0L},
}};

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTMittelwert>("TBTMittelwert"),
     .TypeName = {"Mittelwert", "Mean value", "Valeur moyenne"},
     .Designator = "MW",
     .HelpContext = 18435,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Names = "E"},
     .Outputs = {.Count = 1, .Names = "A"}},
};

const char* DesignatorText()
{
    return ByLanguage("MW", "MV", "VM");
}

} // namespace

TBTMittelwert::TBTMittelwert(const TComponentRow& row) : TAnalogBT(row)
{
    Designator = DesignatorText();
    NeedsTimerTick = true;
    SetInterval(ExtendedToReal48(MeanIntervalTable[0].Seconds));
}

void TBTMittelwert::SetInterval(const TReal48& seconds)
{
    Interval = seconds;
    Extended s = Real48ToExtended(seconds);
    // One tick at least (a sample every tick), the table's longest at most:
    // the tick count is a 16-bit number.
    if (!(s >= 0.05L))
        s = 0.05L;
    s = std::min(s, MeanIntervalTable.back().Seconds);
    TicksPerSample = static_cast<Integer>(std::nearbyint(s * 20.0L));
    TickCount = TicksPerSample - 1;
}

void TBTMittelwert::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFigureText(canvas, DesignatorText(), 40, CentreX() - 32, CentreY() - 34);
}

void TBTMittelwert::ResetForStart()
{
    SetOutputValue(0, InputValue(0));
    TickCount = TicksPerSample - 1;
    Filling = true;
    Count = 0;
    Samples.fill(0.0L);
}

void TBTMittelwert::TimerTick()
{
    if (++TickCount != TicksPerSample)
        return;
    TickCount = 0;
    Samples[static_cast<std::size_t>(++Count)] = InputValue(0);
    const Integer n = Filling ? Count : SampleCount;
    Extended sum = 0.0L;
    for (Integer i = 1; i <= n; ++i)
        sum += Samples[static_cast<std::size_t>(i)];
    SetOutputValue(0, sum / n);
    if (Count == SampleCount) {
        Filling = false;
        Count = 0;
    }
}

// Every closing restarts the averaging, also while the simulation runs.
Integer TBTMittelwert::EditProperties()
{
    TSettingsSheet sheet(*this);
    TPropScrollbox::TStrings captions;
    for (const TMeanIntervalRow& row : MeanIntervalTable)
        captions.emplace_back(row.Caption);
    sheet.Props().AddCombo(Translate("Abtastrate"), IntervalIndex, captions, 64);
    sheet.Props().AddSpin(Translate("Anzahl der Messwerte zur Bildung des Mittelwertes"), SampleCount, MinSamples,
                       MaxSamples, 64);
    const Integer result = sheet.Show();
    IntervalIndex = std::clamp(IntervalIndex, 0, MeanIntervalCount - 1);
    SampleCount = std::clamp(SampleCount, MinSamples, MaxSamples);
    SetInterval(ExtendedToReal48(MeanIntervalTable[static_cast<std::size_t>(IntervalIndex)].Seconds));
    ResetForStart();
    return result;
}

void TBTMittelwert::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.Write(Interval.data(), Interval.size());
    const Byte index[2] = {static_cast<Byte>(IntervalIndex & 0xFF), static_cast<Byte>(IntervalIndex >> 8 & 0xFF)};
    writer.Write(index, sizeof index);
    writer.WriteInteger(SampleCount);
}

void TBTMittelwert::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    TReal48 interval{};
    reader.Read(interval.data(), interval.size());
    Byte index[2] = {};
    reader.Read(index, sizeof index);
    const Integer count = reader.ReadInteger();
    SetInterval(interval);
    IntervalIndex = std::clamp(index[0] | index[1] << 8, 0, MeanIntervalCount - 1);
    // The ring holds 1000 samples: a count from a damaged file is clamped.
    SampleCount = std::clamp(count, MinSamples, MaxSamples);
}

TRowList MittelwertRows()
{
    return RowList(Rows);
}
