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

const TTypeNames BusDriverNames{{"Bustreiber\rdigital", "Digital bus\rdriver", "Driver\rbus digital"}};
const TTypeNames AddressDecoderNames{{"Adressdekoder", "Address decoder", "Décodeur\rd´adresses"_ansi}};

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

// The bus driver.

TBTBustreiber::TBTBustreiber()
{
    SetWidth(2);
    Designator = "DBus";
    HelpContext = 18360;
    HasPropertyDialog = true;
}

AnsiString TBTBustreiber::GetTypeName() const
{
    return BusDriverNames.Pick();
}

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
    DrawVerticalCaption(canvas, "DBus", Selected ? SymbolRed : 0);
}

// Only the four widths exist: other pin counts come from a damaged record
// (the step pairs each input with an output and takes "EN" after them).
void TBTBustreiber::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (!IsBusWidth(OutputCount) || InputCount != OutputCount + 1)
        throw EReadError(SInvalidPropertyValue);
}

Integer TBTBustreiber::EditProperties()
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(GetTypeName());
    dlg.SetHelpContext(HelpContext);
    Integer entry = WidthIndex();
    dlg.Props->AddCombo(Translate("Kanäle"_ansi), entry, WidthChoices, 64);
    const Integer result = dlg.ShowModal();
    SetWidth(entry);
    return result;
}

// The address decoder.

TBTAdressdekoder::TBTAdressdekoder()
{
    SetWidth(2);
    Designator = "ADEC";
    HelpContext = 18365;
    HasPropertyDialog = true;
}

AnsiString TBTAdressdekoder::GetTypeName() const
{
    return AddressDecoderNames.Pick();
}

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
    SetOutputCount(1);
    InputsCreated();
    OutputsCreated();
}

void TBTAdressdekoder::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = "A" + std::to_string(i);
}

void TBTAdressdekoder::OutputsCreated()
{
    for (TBauteilPin& pin : Outputs)
        pin.Name = "CS";
}

void TBTAdressdekoder::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, "ADEC", Selected ? SymbolRed : 0);
}

void TBTAdressdekoder::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    WriteRawInteger(writer, Lower);
    WriteRawInteger(writer, Upper);
}

// Other pin counts than the four widths with one output come from a damaged
// record: the step reads as many address bits as there are inputs.
void TBTAdressdekoder::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (!IsBusWidth(InputCount) || OutputCount != 1)
        throw EReadError(SInvalidPropertyValue);
    const Integer lower = ReadRawInteger(reader);
    Upper = ReadRawInteger(reader);
    Lower = lower;
}

Integer TBTAdressdekoder::EditProperties()
{
    TDigitalDialog dlg(*this);
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
