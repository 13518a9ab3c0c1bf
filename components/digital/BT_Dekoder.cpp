#include "components/digital/BT_Dekoder.h"

#include "engine/AnsiLiteral.h"

namespace {

const TDekoderRow Decoders[] = {
    {.Component = {.Class = RowClass<TBTBCDDekoder>("TBTBCDDekoder"),
                   .TypeName = {"BCD-Dekoder", "BCD Decoder", "Décodeur BCD"_ansi},
                   .Designator = "BCD",
                   .HelpContext = 18350,
                   .Inputs = {.Count = 4, .Names = "B0,B1,B2,B3"},
                   .Outputs = {.Count = TBTBCDDekoder::Digits, .Names = "D9,D8,D7,D6,D5,D4,D3,D2,D1,D0"}},
     .SymbolText = {{"BCD-Dekoder", "BCD Decoder", "Décodeur BCD"_ansi}}},
    {.Component = {.Class = RowClass<TBTSeg7Decoder>("TBTSeg7Decoder"),
                   .TypeName = {"7-Segment-\rDekoder", "7-Segment\rDecoder", "Décodeur\r7 segments"_ansi},
                   .Designator = "7SDEC",
                   .HelpContext = 18355,
                   .Inputs = {.Count = 4, .Names = "S0,S1,S2,S3"},
                   .Outputs = {.Count = 7, .Names = "g,f,e,d,c,b,a"}},
     .SymbolText = {{"Seg7-Dekoder", "Seg7-Decoder", "Décodeur 7 seg."_ansi}}},
};

} // namespace

TRowList DekoderRows()
{
    return RowList(Decoders);
}

void TDekoder::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, symbolText_.Pick(), FigureColor());
}
