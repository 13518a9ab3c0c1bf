#include "components/analog/BT_Konstanten.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTGain>("TBTGain"),
     .TypeName = {"Verstärkung"_ansi, "Gain", "Gain"},
     .Designator = "GAIN",
     .HelpContext = 18406,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Names = ""},
     .Outputs = {.Count = 1, .Names = ""}},
    {.Class = RowClass<TBTOffset>("TBTOffset"),
     .TypeName = {"Offset", "Offset", "Offset"},
     .Designator = "BIAS",
     .HelpContext = 18407,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Names = "x"},
     .Outputs = {.Count = 1, .Names = "y"}},
    {.Class = RowClass<TBTFest>("TBTFest"),
     .TypeName = {"Festwert", "Fixed value", "Valeur fixe"},
     .Designator = "FW",
     .HelpContext = 18440,
     .HasDialog = true,
     .Inputs = {.Count = 0},
     .Outputs = {.Count = 1, .Names = ""}},
};

} // namespace

TKonstanteBT::TKonstanteBT(const TComponentRow& row, Extended& value, const char* rowTerm, bool translated)
    : TAnalogBT(row), value_(value), rowTerm_(rowTerm), translated_(translated)
{
}

// The row holds the number as ValueToStr shows it; whatever the result, the
// number is read back from the row (after Cancel the unchanged text).
Integer TKonstanteBT::EditProperties()
{
    TSettingsSheet sheet(*this);
    AnsiString text = ValueToStr(value_);
    sheet.Props().AddEdit(translated_ ? Translate(rowTerm_) : AnsiString(rowTerm_), text, 0, 64);
    const Integer result = sheet.Show();
    value_ = StrToValue(text);
    return result;
}

AnsiString TKonstanteBT::GetHintText()
{
    return TAnalogBT::GetHintText() + CR + "= " + ValueToStr(value_);
}

TBTGain::TBTGain(const TComponentRow& row) : TKonstanteBT(row, Gain, "Verstärkung"_ansi, true) {}

void TBTGain::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer cx = CentreX();
    const Integer c = CentreY() - 2;
    const Integer back = Mirrored ? cx + 12 : cx - 12;
    const Integer tip = Mirrored ? cx - 12 : cx + 12;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Polygon({TPoint{back, c - 12}, TPoint{tip, c}, TPoint{back, c + 12}});
    DrawCentredText(canvas, ShortValueText(Gain), 25, cx, BodyRect.Top + 1);
}

void TBTGain::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteFloat(Gain);
}

void TBTGain::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    Gain = reader.ReadFloat();
}

TBTOffset::TBTOffset(const TComponentRow& row) : TKonstanteBT(row, Offset, "Offset", false) {}

void TBTOffset::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const AnsiString text = (Offset >= 0 ? "+" : "") + ShortValueText(Offset);
    DrawCentredText(canvas, text, 25, CentreX(), CentreY() - 14);
}

void TBTOffset::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteFloat(Offset);
}

void TBTOffset::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    Offset = reader.ReadFloat();
}

TBTFest::TBTFest(const TComponentRow& row) : TKonstanteBT(row, Value, "Wert", true)
{
    Designator = ByLanguage("FW", "FV", "VF");
}

void TBTFest::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawCentredText(canvas, ShortValueText(Value), 30, CentreX(), CentreY() - 32);
}

void TBTFest::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    Byte bytes[ExtendedSize];
    ExtendedToBytes(Value, bytes);
    writer.Write(bytes, ExtendedSize);
}

void TBTFest::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    Byte bytes[ExtendedSize];
    reader.Read(bytes, ExtendedSize);
    Value = ExtendedFromBytes(bytes);
}

TRowList KonstantenRows()
{
    return RowList(Rows);
}
