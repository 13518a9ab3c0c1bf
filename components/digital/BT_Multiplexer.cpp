#include "components/digital/BT_Multiplexer.h"

#include "engine/AnsiLiteral.h"

namespace {

// "EN", then "S0".."S3": the first names of either kind.
constexpr const char* ControlInputs = "EN,S0,S1,S2,S3";

const TMultiplexerRow Multiplexers[] = {
    {.Component = {.Class = RowClass<TMultiplexer>("TBTMUX2"),
                   .TypeName = {"2-Kanal\rMultiplexer", "2-Channel\rMultiplexer", "Multiplexeur\r2 canaux"},
                   .Designator = "2MUX",
                   .HelpContext = 27000,
                   .Inputs = {.Count = 4, .Names = ControlInputs},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .BodyText = "Mux (2)",
     .SelectBits = 1},
    {.Component = {.Class = RowClass<TMultiplexer>("TBTMUX4"),
                   .TypeName = {"4-Kanal\rMultiplexer", "4-Channel\rMultiplexer", "Multiplexeur\r4 canaux"},
                   .Designator = "4MUX",
                   .HelpContext = 27000,
                   .Inputs = {.Count = 7, .Names = ControlInputs},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .BodyText = "Mux (4)",
     .SelectBits = 2},
    {.Component = {.Class = RowClass<TMultiplexer>("TBTMUX8"),
                   .TypeName = {"8-Kanal\rMultiplexer", "8-Channel\rMultiplexer", "Multplixeur\r8 canaux"},
                   .Designator = "8MUX",
                   .HelpContext = 27000,
                   .Inputs = {.Count = 12, .Names = ControlInputs},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .BodyText = "Mux (8)",
     .SelectBits = 3},
    {.Component = {.Class = RowClass<TMultiplexer>("TBTMUX16"),
                   .TypeName = {"16-Kanal\rMultiplexer", "16-Channel\rMultiplexer", "Multiplexeur\r16 canaux"},
                   .Designator = "16MUX",
                   .HelpContext = 27000,
                   .Inputs = {.Count = 21, .Names = ControlInputs},
                   .Outputs = {.Count = 2, .Names = "/Q,Q"}},
     .BodyText = "Mux (16)",
     .SelectBits = 4},
    {.Component = {.Class = RowClass<TDemultiplexer>("TBTDMUX2"),
                   .TypeName = {"2-Kanal\rDemultiplexer", "2-Channel\rDemultiplexer", "Démultiplexeur\r2 canaux"_ansi},
                   .Designator = "2DMX",
                   .HelpContext = 27000,
                   .Inputs = {.Count = 2, .Names = ControlInputs},
                   .Outputs = {.Count = 2}},
     .BodyText = "DMux",
     .SelectBits = 1},
    {.Component = {.Class = RowClass<TDemultiplexer>("TBTDMUX4"),
                   .TypeName = {"4-Kanal\rDemultiplexer", "4-Channel\rDemultiplexer", "Démultiplexeur\r4 canaux"_ansi},
                   .Designator = "4DMX",
                   .HelpContext = 27000,
                   .Inputs = {.Count = 3, .Names = ControlInputs},
                   .Outputs = {.Count = 4}},
     .BodyText = "DMux (4)",
     .SelectBits = 2},
    {.Component = {.Class = RowClass<TDemultiplexer>("TBTDMUX8"),
                   .TypeName = {"8-Kanal\rDemultiplexer", "8-Channel\rDemultiplexer", "Démultiplexeur\r8 canaux"_ansi},
                   .Designator = "8DMX",
                   .HelpContext = 27000,
                   .Inputs = {.Count = 4, .Names = ControlInputs},
                   .Outputs = {.Count = 8}},
     .BodyText = "DMux (8)",
     .SelectBits = 3},
    {.Component = {.Class = RowClass<TDemultiplexer>("TBTDMUX16"),
                   .TypeName = {"16-Kanal\rDemultiplexer", "16-Channel\rDemultiplexer", "Démultiplexeur\r16 canaux"_ansi},
                   .Designator = "16DMX",
                   .HelpContext = 27000,
                   .Inputs = {.Count = 5, .Names = ControlInputs},
                   .Outputs = {.Count = 16}},
     .BodyText = "DMux (16)",
     .SelectBits = 4},
};

} // namespace

TMultiplexer::TMultiplexer(const TComponentRow& row)
    : TGrundBT(row), info_(FamilyRow<TMultiplexerRow>(row)), selectBits_(info_.SelectBits),
      firstDataInput_(FirstSelectInput + info_.SelectBits)
{
}

TRowList MultiplexerRows()
{
    return RowList(Multiplexers);
}

void TMultiplexer::InputsCreated()
{
    for (Integer i = firstDataInput_; i < InputCount; ++i)
        Inputs[i].Name = "D" + std::to_string(i - firstDataInput_);
}

void TMultiplexer::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, info_.BodyText, FigureColor());
}

void TMultiplexer::ResetForStart()
{
    SetOutputLogic(InvertedOutput, true);
    SetOutputLogic(Output, false);
}

TDemultiplexer::TDemultiplexer(const TComponentRow& row)
    : TGrundBT(row), info_(FamilyRow<TMultiplexerRow>(row)), selectBits_(info_.SelectBits)
{
}

void TDemultiplexer::OutputsCreated()
{
    for (Integer o = 0; o < OutputCount; ++o)
        Outputs[o].Name = "Q" + std::to_string(OutputCount - 1 - o);
}

void TDemultiplexer::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, info_.BodyText, FigureColor());
}

void TDemultiplexer::ResetForStart()
{
    for (Integer o = 0; o < OutputCount; ++o)
        SetOutputLogic(o, false);
    LastSelection = NoSelection;
}
