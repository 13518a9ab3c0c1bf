#include "components/analog/BT_AnalogMux.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"

#include <algorithm>

namespace {

const TAnalogInfo MuxInfo{{"Multiplexer\ranalog", "Analogue\rMultiplexer", "Multipléxeur\ranalogique"_ansi},
                          "AMUX", 18455, true, 4, 21, 1, 1};
const TAnalogInfo DemuxInfo{{"Demultiplexer\ranalog", "Analogue\rDemultiplexer", "Démultiplexeur\ranalogique"_ansi},
                            "ADMX", 18460, true, 3, 6, 2, 16};

constexpr Integer MuxInputs[4] = {4, 7, 12, 21};
constexpr Integer DemuxInputs[4] = {3, 4, 5, 6};

} // namespace

TAnalogMuxBT::TAnalogMuxBT(const TAnalogInfo& info, const Integer (&inputCounts)[4], bool channelOutputs)
    : TAnalogBT(info), inputCounts_(inputCounts), channelOutputs_(channelOutputs)
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
    TDefault_Dlg& dlg = OpenDialog(Designator.Str());
    const Integer shown = ChannelIndex();
    Integer entry = shown;
    dlg.Props->AddCombo(Translate("Kanäle"_ansi), entry, {"2", "4", "8", "16"}, 64);
    const Integer result = dlg.ShowModal();
    if (entry != shown)
        SetChannels(entry);
    return result;
}

TBTAnalogMux::TBTAnalogMux() : TAnalogMuxBT(MuxInfo, MuxInputs, false)
{
    SetChannels(DefaultChannelIndex);
}

void TBTAnalogMux::InputsCreated()
{
    const Integer c = ChannelIndex();
    NamePins(Inputs, {"EN"});
    for (Integer k = 0; k <= c && 1 + k < InputCount; ++k)
        Inputs[1 + k].Name = "S" + std::to_string(k);
    for (Integer i = c + 2; i < InputCount; ++i)
        Inputs[i].Name = "I" + std::to_string(i - c - 2);
}

// A record whose input count is none of the four sizes is set to the size
// below it, so that every channel the step reads exists.
void TBTAnalogMux::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    if (InputCount != MuxInputs[ChannelIndex()])
        SetChannels(ChannelIndex());
}

TBTAnalogDemux::TBTAnalogDemux() : TAnalogMuxBT(DemuxInfo, DemuxInputs, true)
{
    SetChannels(DefaultChannelIndex);
}

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

void TBTAnalogDemux::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    if (OutputCount != 2 << ChannelIndex())
        SetChannels(ChannelIndex());
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
