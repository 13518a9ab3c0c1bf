#include "components/digital/BT_Multiplexer.h"

#include "engine/AnsiLiteral.h"
#include "platform/Stream.h"

namespace {

const TMultiplexerInfo MUX2Info{
    {{"2-Kanal\rMultiplexer", "2-Channel\rMultiplexer", "Multiplexeur\r2 canaux"}}, "2MUX", "Mux (2)", 2, 1};
const TMultiplexerInfo MUX4Info{
    {{"4-Kanal\rMultiplexer", "4-Channel\rMultiplexer", "Multiplexeur\r4 canaux"}}, "4MUX", "Mux (4)", 4, 2};
const TMultiplexerInfo MUX8Info{
    {{"8-Kanal\rMultiplexer", "8-Channel\rMultiplexer", "Multplixeur\r8 canaux"}}, "8MUX", "Mux (8)", 8, 3};
const TMultiplexerInfo MUX16Info{
    {{"16-Kanal\rMultiplexer", "16-Channel\rMultiplexer", "Multiplexeur\r16 canaux"}}, "16MUX", "Mux (16)", 16, 4};

const TMultiplexerInfo DMUX2Info{
    {{"2-Kanal\rDemultiplexer", "2-Channel\rDemultiplexer", "Démultiplexeur\r2 canaux"_ansi}}, "2DMX", "DMux", 2, 1};
const TMultiplexerInfo DMUX4Info{
    {{"4-Kanal\rDemultiplexer", "4-Channel\rDemultiplexer", "Démultiplexeur\r4 canaux"_ansi}}, "4DMX", "DMux (4)", 4,
    2};
const TMultiplexerInfo DMUX8Info{
    {{"8-Kanal\rDemultiplexer", "8-Channel\rDemultiplexer", "Démultiplexeur\r8 canaux"_ansi}}, "8DMX", "DMux (8)", 8,
    3};
const TMultiplexerInfo DMUX16Info{
    {{"16-Kanal\rDemultiplexer", "16-Channel\rDemultiplexer", "Démultiplexeur\r16 canaux"_ansi}}, "16DMX",
    "DMux (16)", 16, 4};

// "EN", then "S0".."S(k-1)".
AnsiString EnableOrSelectName(Integer i)
{
    return i == 0 ? AnsiString("EN") : "S" + std::to_string(i - 1);
}

} // namespace

TMultiplexer::TMultiplexer(const TMultiplexerInfo& info)
    : info_(info), selectBits_(info.SelectBits), firstDataInput_(FirstSelectInput + info.SelectBits)
{
    SetInputCount(firstDataInput_ + info.Channels);
    SetOutputCount(2);
    Designator = info.Designator;
    HelpContext = 27000;
}

void TMultiplexer::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = i < firstDataInput_ ? EnableOrSelectName(i) : "D" + std::to_string(i - firstDataInput_);
}

void TMultiplexer::OutputsCreated()
{
    static constexpr const char* Names[] = {"/Q", "Q"};
    for (Integer o = 0; o < OutputCount && o < 2; ++o)
        Outputs[o].Name = Names[o];
}

void TMultiplexer::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, info_.BodyText, Selected ? SymbolRed : 0);
}

void TMultiplexer::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
}

void TMultiplexer::ResetForStart()
{
    SetOutputLogic(InvertedOutput, true);
    SetOutputLogic(Output, false);
}

TDemultiplexer::TDemultiplexer(const TMultiplexerInfo& info) : info_(info), selectBits_(info.SelectBits)
{
    SetInputCount(FirstSelectInput + info.SelectBits);
    SetOutputCount(info.Channels);
    Designator = info.Designator;
    HelpContext = 27000;
}

void TDemultiplexer::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = EnableOrSelectName(i);
}

void TDemultiplexer::OutputsCreated()
{
    for (Integer o = 0; o < OutputCount; ++o)
        Outputs[o].Name = "Q" + std::to_string(OutputCount - 1 - o);
}

void TDemultiplexer::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, info_.BodyText, Selected ? SymbolRed : 0);
}

void TDemultiplexer::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
}

void TDemultiplexer::ResetForStart()
{
    for (Integer o = 0; o < OutputCount; ++o)
        SetOutputLogic(o, false);
    LastSelection = NoSelection;
}

TBTMUX2::TBTMUX2() : TMultiplexer(MUX2Info) {}
TBTMUX4::TBTMUX4() : TMultiplexer(MUX4Info) {}
TBTMUX8::TBTMUX8() : TMultiplexer(MUX8Info) {}
TBTMUX16::TBTMUX16() : TMultiplexer(MUX16Info) {}
TBTDMUX2::TBTDMUX2() : TDemultiplexer(DMUX2Info) {}
TBTDMUX4::TBTDMUX4() : TDemultiplexer(DMUX4Info) {}
TBTDMUX8::TBTDMUX8() : TDemultiplexer(DMUX8Info) {}
TBTDMUX16::TBTDMUX16() : TDemultiplexer(DMUX16Info) {}
