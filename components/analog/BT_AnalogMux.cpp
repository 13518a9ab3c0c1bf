#include "components/analog/BT_AnalogMux.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTAnalogMux>("TBTAnalogMux"),
     .TypeName = {"Multiplexer\ranalog", "Analogue\rMultiplexer", "Multipléxeur\ranalogique"_ansi},
     .Designator = "AMUX",
     .HelpContext = 18455,
     .HasDialog = true,
     .Inputs = {.Count = 12, .Min = 4, .Max = 21},
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTAnalogDemux>("TBTAnalogDemux"),
     .TypeName = {"Demultiplexer\ranalog", "Analogue\rDemultiplexer", "Démultiplexeur\ranalogique"_ansi},
     .Designator = "ADMX",
     .HelpContext = 18460,
     .HasDialog = true,
     .Inputs = {.Count = 5, .Min = 3, .Max = 6},
     .Outputs = {.Count = 8, .Min = 2, .Max = 16}},
};

constexpr Integer MuxInputs[4] = {4, 7, 12, 21};
constexpr Integer DemuxInputs[4] = {3, 4, 5, 6};

} // namespace

TAnalogMuxBT::TAnalogMuxBT(const TComponentRow& row, const Integer (&inputCounts)[4], bool channelOutputs)
    : TAnalogBT(row), inputCounts_(inputCounts), channelOutputs_(channelOutputs)
{
}

void TAnalogMuxBT::SetChannels(Integer c)
{
    c = std::clamp(c, 0, 3);
    SetOutputCount(channelOutputs_ ? 2 << c : 1);
    SetInputCount(inputCounts_[c]);
    InputsCreated();
    OutputsCreated();
}

Integer TAnalogMuxBT::ChannelIndex() const
{
    Integer c = 0;
    while (c < 3 && inputCounts_[c + 1] <= InputCount)
        ++c;
    return c;
}

void TAnalogMuxBT::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, Designator.Str(), FigureColor());
}

// Entries "2" to "16"; the pins are rebuilt only when the entry changed.
Integer TAnalogMuxBT::EditProperties()
{
    TSettingsSheet sheet(*this, Designator.Str());
    const Integer shown = ChannelIndex();
    Integer entry = shown;
    sheet.Props().AddCombo(Translate("Kanäle"_ansi), entry, {"2", "4", "8", "16"}, 64);
    const Integer result = sheet.Dialog().ShowModal();
    if (entry != shown)
        SetChannels(entry);
    return result;
}

TBTAnalogMux::TBTAnalogMux(const TComponentRow& row) : TAnalogMuxBT(row, MuxInputs, false) {}

void TBTAnalogMux::InputsCreated()
{
    const Integer c = ChannelIndex();
    NamePins(Inputs, {"EN"});
    for (Integer k = 0; k <= c && 1 + k < InputCount; ++k)
        Inputs[1 + k].Name = "S" + std::to_string(k);
    for (Integer i = c + 2; i < InputCount; ++i)
        Inputs[i].Name = "I" + std::to_string(i - c - 2);
}

// A record whose input count is none of the four sizes is damaged: a channel
// the step reads would be missing.
void TBTAnalogMux::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    if (InputCount != MuxInputs[ChannelIndex()])
        throw EReadError(SInvalidPropertyValue);
}

TBTAnalogDemux::TBTAnalogDemux(const TComponentRow& row) : TAnalogMuxBT(row, DemuxInputs, true) {}

void TBTAnalogDemux::InputsCreated()
{
    NamePins(Inputs, {"EN", "IN"});
    for (Integer k = 0; 2 + k < InputCount; ++k)
        Inputs[2 + k].Name = "S" + std::to_string(k);
}

void TBTAnalogDemux::OutputsCreated()
{
    const Integer n = OutputCount;
    for (Integer i = 0; i < n; ++i)
        Outputs[i].Name = "A" + std::to_string(n - 1 - i);
}

// A record whose output count does not match its select lines is damaged.
void TBTAnalogDemux::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    if (OutputCount != 2 << ChannelIndex())
        throw EReadError(SInvalidPropertyValue);
}

void TBTAnalogDemux::ResetForStart()
{
    for (Integer o = 0; o < OutputCount; ++o)
        SetOutputValue(o, 0.0L);
    LastSelection = -1;
    LastValue = 0.0L;
}

// Channel k is the output named "A" + k, index N - 1 - k.
void TBTAnalogDemux::Calculate()
{
    const bool enabled = InputLogic(0);
    const Extended in = InputValue(1);
    const Integer sel = enabled ? Selection(2) : -1;
    const Integer n = OutputCount;
    if (sel != LastSelection) {
        for (Integer o = 0; o < n; ++o)
            SetOutputValue(o, o == n - 1 - sel ? in : 0.0L);
        LastSelection = sel;
        LastValue = in;
    } else if (sel >= 0 && in != LastValue) {
        LastValue = in;
        SetOutputValue(n - 1 - sel, in);
    }
}

TRowList AnalogMuxRows()
{
    return RowList(Rows);
}
