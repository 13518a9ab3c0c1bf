#include "components/analog/AbtastBT.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {
constexpr Extended ParameterLimit = 1e20L;
} // namespace

TAbtastBT::TAbtastBT(const TComponentRow& row, bool shiftOldIndex) : TAnalogBT(row), shiftOldIndex_(shiftOldIndex) {}

void TAbtastBT::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    SamplePeriod.Write(writer);
}

void TAbtastBT::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    SamplePeriod.Read(reader, version, shiftOldIndex_);
}

Integer TAbtastBT::EditProperties()
{
    TSettingsSheet sheet(*this);
    SamplePeriod.AddRow(sheet.Props());
    AddSettingsRows(sheet.Props());
    const Integer result = sheet.Show();
    ApplySettings();
    SamplePeriod.Apply();
    return result;
}

void TAbtastBT::DrawFramedCurve(TCanvas& canvas, std::initializer_list<TPoint> curve)
{
    TGrundBT::Draw(canvas);
    DrawFramedLines(canvas, {curve});
}

void TAbtastBT::SaveValues(TCustomIniFile& ini, const AnsiString& section,
                           std::initializer_list<std::pair<const char*, const Extended*>> values) const
{
    const AnsiString own = StateSection(section);
    for (const auto& [key, value] : values)
        WriteStateValue(ini, own, key, *value);
}

void TAbtastBT::LoadValues(TCustomIniFile& ini, const AnsiString& section,
                           std::initializer_list<std::pair<const char*, Extended*>> values) const
{
    const AnsiString own = StateSection(section);
    for (const auto& [key, value] : values)
        *value = ReadStateValue(ini, own, key);
}

Extended FiniteParameter(Extended value, Extended fallback)
{
    if (value != value)
        return fallback;
    return std::clamp(value, -ParameterLimit, ParameterLimit);
}
