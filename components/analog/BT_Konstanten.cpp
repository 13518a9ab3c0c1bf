#include "components/analog/BT_Konstanten.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

namespace {

const TAnalogInfo GainInfo{{"Verstärkung"_ansi, "Gain", "Gain"}, "GAIN", 18406, true, 1, 1, 1, 1};
const TAnalogInfo OffsetInfo{{"Offset", "Offset", "Offset"}, "BIAS", 18407, true, 1, 1, 1, 1};
const TAnalogInfo FestInfo{{"Festwert", "Fixed value", "Valeur fixe"}, "FW", 18440, true, 0, 0, 1, 1};

} // namespace

TKonstanteBT::TKonstanteBT(const TAnalogInfo& info, Extended& value, const char* rowTerm, bool translated)
    : TAnalogBT(info), value_(value), rowTerm_(rowTerm), translated_(translated)
{
}

// The row holds the number as ValueToStr shows it; whatever the result, the
// number is read back from the row (after Cancel the unchanged text).
Integer TKonstanteBT::EditProperties()
{
    TDefault_Dlg& dlg = OpenDialog(GetCaption());
    AnsiString text = ValueToStr(value_);
    dlg.Props->AddEdit(translated_ ? Translate(rowTerm_) : AnsiString(rowTerm_), text, 0, 64);
    dlg.Props->AddOptionsSection(Caption, RuntimeAdjustable);
    const Integer result = dlg.ShowModal();
    value_ = StrToValue(text);
    return result;
}

AnsiString TKonstanteBT::GetHintText()
{
    return TAnalogBT::GetHintText() + CR + "= " + ValueToStr(value_);
}

TBTGain::TBTGain() : TKonstanteBT(GainInfo, Gain, "Verstärkung"_ansi, true)
{
    SetInputCount(1);
    SetOutputCount(1);
}

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

TBTOffset::TBTOffset() : TKonstanteBT(OffsetInfo, Offset, "Offset", false)
{
    SetInputCount(1);
    SetOutputCount(1);
}

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

TBTFest::TBTFest() : TKonstanteBT(FestInfo, Value, "Wert", true)
{
    SetOutputCount(1);
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
