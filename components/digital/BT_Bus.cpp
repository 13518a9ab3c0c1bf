#include "components/digital/BT_Bus.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/Stream.h"

#include <cstdio>

namespace {

// Made at the width of 8; the records may bring every width.
const TComponentRow Buses[] = {
    {.Class = RowClass<TBTBustreiber>("TBTBustreiber"),
     .TypeName = {"Bustreiber\rdigital", "Digital bus\rdriver", "Driver\rbus digital"},
     .Designator = "DBus",
     .HelpContext = 18360,
     .HasDialog = true,
     .Inputs = {.Count = 9, .Min = 3, .Max = 17},
     .Outputs = {.Count = 8, .Min = 2, .Max = 16}},
    {.Class = RowClass<TBTAdressdekoder>("TBTAdressdekoder"),
     .TypeName = {"Adressdekoder", "Address decoder", "Décodeur\rd´adresses"_ansi},
     .Designator = "ADEC",
     .HelpContext = 18365,
     .HasDialog = true,
     .Inputs = {.Count = 8, .Min = 2, .Max = 16},
     .Outputs = {.Count = 1, .Names = "CS"}},
};

const std::vector<AnsiString> WidthChoices = {"2", "4", "8", "16"};

Integer ClampedWidthIndex(Integer index)
{
    return index < 0 ? 0 : index > 3 ? 3 : index;
}

// At least four upper-case hexadecimal digits (all eight of a negative value).
AnsiString Hex4(Integer value)
{
    char text[12];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

void WriteRawInteger(TWriter& writer, Integer value)
{
    const auto v = static_cast<Cardinal>(value);
    const Byte bytes[4] = {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)};
    writer.Write(bytes, sizeof bytes);
}

Integer ReadRawInteger(TReader& reader)
{
    Byte bytes[4];
    reader.Read(bytes, sizeof bytes);
    return static_cast<Integer>(Cardinal(bytes[0]) | Cardinal(bytes[1]) << 8 | Cardinal(bytes[2]) << 16 |
                                Cardinal(bytes[3]) << 24);
}

bool IsBusWidth(Integer n)
{
    for (const Integer width : BusWidths)
        if (n == width)
            return true;
    return false;
}

} // namespace

TRowList BusRows()
{
    return RowList(Buses);
}

// The bus driver.

Integer TBTBustreiber::WidthIndex() const
{
    switch (InputCount) {
    case 3: return 0;
    case 5: return 1;
    case 17: return 3;
    default: return 2;
    }
}

void TBTBustreiber::SetWidth(Integer index)
{
    const Integer n = BusWidths[ClampedWidthIndex(index)];
    SetInputCount(n + 1);
    SetOutputCount(n);
    InputsCreated();
    OutputsCreated();
}

void TBTBustreiber::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = i == InputCount - 1 ? AnsiString("EN") : "D" + std::to_string(i);
}

void TBTBustreiber::OutputsCreated()
{
    for (Integer o = 0; o < OutputCount; ++o)
        Outputs[o].Name = "D" + std::to_string(OutputCount - 1 - o);
}

void TBTBustreiber::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, "DBus", FigureColor());
}

// Beyond the row's ranges: only the four widths exist, and the step pairs
// each input with an output and takes "EN" after them. Other counts come
// from a damaged record.
void TBTBustreiber::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (!IsBusWidth(OutputCount) || InputCount != OutputCount + 1)
        throw EReadError(SInvalidPropertyValue);
}

Integer TBTBustreiber::EditProperties()
{
    // The width only: no name or run-time options.
    TSettingsSheet sheet(*this, GetTypeName());
    Integer entry = WidthIndex();
    sheet.Props().AddCombo(Translate("Kanäle"_ansi), entry, WidthChoices, 64);
    const Integer result = sheet.Dialog().ShowModal();
    SetWidth(entry);
    return result;
}

// The address decoder.

Integer TBTAdressdekoder::WidthIndex() const
{
    switch (InputCount) {
    case 2: return 0;
    case 4: return 1;
    case 16: return 3;
    default: return 2;
    }
}

void TBTAdressdekoder::SetWidth(Integer index)
{
    SetInputCount(BusWidths[ClampedWidthIndex(index)]);
    InputsCreated();
}

void TBTAdressdekoder::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = "A" + std::to_string(i);
}

void TBTAdressdekoder::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, "ADEC", FigureColor());
}

void TBTAdressdekoder::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    WriteRawInteger(writer, Lower);
    WriteRawInteger(writer, Upper);
}

// Within the row's range only the four widths exist; other input counts
// come from a damaged record.
void TBTAdressdekoder::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (!IsBusWidth(InputCount))
        throw EReadError(SInvalidPropertyValue);
    const Integer lower = ReadRawInteger(reader);
    Upper = ReadRawInteger(reader);
    Lower = lower;
}

Integer TBTAdressdekoder::EditProperties()
{
    TSettingsSheet dlg(*this);
    const bool widthOffered = !SimulationRunning && !RunOnlyMode;
    Integer entry = WidthIndex();
    if (widthOffered)
        dlg.Props().AddCombo(Translate("Eingänge"_ansi), entry, WidthChoices, 64);
    const AnsiString lowerShown = Hex4(Lower);
    const AnsiString upperShown = Hex4(Upper);
    AnsiString lowerText = lowerShown;
    AnsiString upperText = upperShown;
    dlg.Props().AddRange(Translate("Adressbereich") + " [hex]", lowerText, upperText, 0);
    const Integer result = dlg.Show();
    if (widthOffered)
        SetWidth(entry);
    // A text left as shown keeps its address: an address read from a file
    // beyond four digits would otherwise lose its high digits unasked.
    if (lowerText != lowerShown)
        Lower = HexToWord(lowerText);
    if (upperText != upperShown)
        Upper = HexToWord(upperText);
    return result;
}

AnsiString TBTAdressdekoder::GetHintText()
{
    return TGrundBT::GetHintText() + CR + "h" + Hex4(Lower) + " - h" + Hex4(Upper);
}
