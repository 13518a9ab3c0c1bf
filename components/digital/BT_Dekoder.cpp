#include "components/digital/BT_Dekoder.h"

#include "engine/AnsiLiteral.h"
#include "platform/Stream.h"

namespace {

const TTypeNames BCDNames{{"BCD-Dekoder", "BCD Decoder", "Décodeur BCD"_ansi}};
const TTypeNames Seg7Names{{"7-Segment-\rDekoder", "7-Segment\rDecoder", "Décodeur\r7 segments"_ansi}};
const TTypeNames Seg7Symbol{{"Seg7-Dekoder", "Seg7-Decoder", "Décodeur 7 seg."_ansi}};

constexpr const char* BCDOutputs[] = {"D9", "D8", "D7", "D6", "D5", "D4", "D3", "D2", "D1", "D0"};
constexpr const char* SegmentOutputs[] = {"g", "f", "e", "d", "c", "b", "a"};

} // namespace

TDekoder::TDekoder(const TTypeNames& typeName, const TTypeNames& symbolText, const char* designator,
                   Integer helpContext, char inputLetter, const char* const* outputNames, Integer outputs)
    : typeName_(typeName), symbolText_(symbolText), inputLetter_(inputLetter), outputNames_(outputNames),
      outputNameCount_(outputs)
{
    SetInputCount(4);
    SetOutputCount(outputs);
    Designator = designator;
    HelpContext = helpContext;
}

void TDekoder::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
}

void TDekoder::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = std::string(1, inputLetter_) + std::to_string(i);
}

void TDekoder::OutputsCreated()
{
    // A damaged record may ask for more pins before it is refused.
    for (Integer o = 0; o < OutputCount && o < outputNameCount_; ++o)
        Outputs[o].Name = outputNames_[o];
}

void TDekoder::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, symbolText_.Pick(), Selected ? SymbolRed : 0);
}

TBTBCDDekoder::TBTBCDDekoder() : TDekoder(BCDNames, BCDNames, "BCD", 18350, 'B', BCDOutputs, Digits) {}

TBTSeg7Decoder::TBTSeg7Decoder()
    : TDekoder(Seg7Names, Seg7Symbol, "7SDEC", 18355, 'S', SegmentOutputs, std::size(SegmentOutputs))
{
}
