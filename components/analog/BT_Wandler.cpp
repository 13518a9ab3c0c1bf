#include "components/analog/BT_Wandler.h"

#include "components/analog/AnalogMath.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <cstdio>
#include <limits>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTADC>("TBTADC"),
     .TypeName = {"A/D-Wandler", "ADC", "Convertisseur\rA/N"},
     .Designator = "ADC",
     .HelpContext = 18395,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Names = "E"},
     .Outputs = {.Count = 8, .Min = 2, .Max = 16}},
    {.Class = RowClass<TBTDAC>("TBTDAC"),
     .TypeName = {"D/A-Wandler", "DAC", "Convertisseur\rN/A"},
     .Designator = "DAC",
     .HelpContext = 18400,
     .HasDialog = true,
     .Inputs = {.Count = 8, .Min = 2, .Max = 16},
     .Outputs = {.Count = 1, .Names = "A"}},
};

void WriteExtended(TWriter& writer, Extended value)
{
    Byte bytes[ExtendedSize];
    ExtendedToBytes(value, bytes);
    writer.Write(bytes, ExtendedSize);
}

Extended ReadExtended(TReader& reader)
{
    Byte bytes[ExtendedSize];
    reader.Read(bytes, ExtendedSize);
    return ExtendedFromBytes(bytes);
}

} // namespace

TWandler::TWandler(const TComponentRow& row, const char* symbol, const char* frenchSymbol, bool bitOutputs)
    : TAnalogBT(row), symbol_(symbol), frenchSymbol_(frenchSymbol), bitOutputs_(bitOutputs)
{
}

void TWandler::ResetForStart()
{
    CodeStep = (RangeMax - RangeMin) / static_cast<Extended>((1u << Bits()) - 1);
}

void TWandler::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    canvas.Font.Name = "ARIAL";
    canvas.Font.Height = 50;
    const Integer width = canvas.TextWidth(symbol_);
    DrawFigureText(canvas, ByLanguage(symbol_, symbol_, frenchSymbol_), 50, CentreX() - width / 2, CentreY() - 30);
}

// The bit count follows the spin (shown only while stopped), the range the
// two texts, whatever the result.
Integer TWandler::EditProperties()
{
    TSettingsSheet sheet(*this);
    Integer bits = Bits();
    if (!SimulationRunning && !RunOnlyMode)
        sheet.Props().AddSpin(Translate("Auflösung"_ansi) + " [bit]", bits, MinBits, MaxBits, 64);
    AnsiString from = ValueToStr(RangeMin);
    AnsiString to = ValueToStr(RangeMax);
    sheet.Props().AddRange(Translate("Bereich") + " [min/max]", from, to, 0);
    const Integer result = sheet.Show();
    RangeMin = StrToValue(from);
    RangeMax = StrToValue(to);
    if (bitOutputs_)
        SetOutputCount(bits);
    else
        SetInputCount(bits);
    return result;
}

AnsiString TWandler::GetHintText()
{
    char codes[32];
    std::snprintf(codes, sizeof codes, "0000h ... %04Xh", (1u << Bits()) - 1);
    return TAnalogBT::GetHintText() + CR + ValueToStr(RangeMin) + " ... " + ValueToStr(RangeMax) + CR + codes;
}

void TWandler::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    WriteExtended(writer, RangeMin);
    WriteExtended(writer, RangeMax);
}

void TWandler::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    RangeMin = ReadExtended(reader);
    RangeMax = ReadExtended(reader);
}

TBTADC::TBTADC(const TComponentRow& row) : TWandler(row, "A/D", "A/N", true) {}

void TBTADC::OutputsCreated()
{
    const Integer n = OutputCount;
    for (Integer i = 0; i < n; ++i)
        Outputs[i].Name = "D" + std::to_string(n - 1 - i);
}

// The code is the position in the range times the top code, not the
// quotient by the rounded code step: 2.5 of 0..5 at 8 bits is exactly 127.5
// and rounds to 128, where the quotient gives 127.49999... A range of no
// width (0 / 0) and a NaN input give the code 0.
void TBTADC::Calculate()
{
    Extended x = InputValue(0);
    if (x < RangeMin)
        x = RangeMin;
    if (x > RangeMax)
        x = RangeMax;
    const auto top = static_cast<Extended>((1u << OutputCount) - 1);
    const Integer code =
        SaturatedRound((x - RangeMin) * top / (RangeMax - RangeMin), 0, std::numeric_limits<Integer>::max()) & 0xFFFF;
    const Integer n = OutputCount;
    for (Integer k = 0; k < n; ++k)
        SetOutputLogic(n - 1 - k, (code >> k & 1) != 0);
}

TBTDAC::TBTDAC(const TComponentRow& row) : TWandler(row, "D/A", "N/A", false) {}

void TBTDAC::Calculate()
{
    Cardinal code = 0;
    for (Integer i = 0; i < InputCount; ++i)
        code |= static_cast<Cardinal>(InputLogic(i)) << i;
    SetOutputValue(0, (code & 0xFFFF) * CodeStep + RangeMin);
}

TRowList WandlerRows()
{
    return RowList(Rows);
}
