#include "components/strings/BT_StrConvert.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Stream.h"

namespace {

constexpr Integer TextHelp = 35010;

// Type name (the same in every language), designator, label, dialog, pins.
constexpr TStrInfo Row(const char* name, const char* designator, const char* label, bool dialog, Integer inputs,
                       std::initializer_list<const char*> inputNames, Integer outputs, const char* output)
{
    TStrInfo info{{name, name, name}, designator, label, TextHelp, dialog, inputs, outputs, {}, {output}};
    std::size_t i = 0;
    for (const char* n : inputNames)
        info.InputNames[i++] = n;
    return info;
}

constexpr TStrInfo FestInfo = Row("$Const", "$CNST", "CNST", true, 0, {}, 1, "$");
constexpr TStrInfo ValueInfo = Row("$Value", "$VAL", "VAL", false, 1, {"$"}, 1, "V");
constexpr TStrInfo FormatInfo = Row("$Format", "$FMT", "FMT", true, 1, {"V"}, 1, "$");
constexpr TStrInfo ChrInfo = Row("$Character", "$CHR", "CHR", false, 1, {"ASC"}, 1, "$CHR");
constexpr TStrInfo AsciiInfo = Row("$ASCII", "$ASC", "ASC", false, 1, {"$CHR"}, 1, "ASC");
constexpr TStrInfo LengthInfo = Row("$Length", "$LEN", "LEN", false, 1, {"$"}, 1, "L");
constexpr TStrInfo UpperInfo = Row("$Upper", "$UPP", "UPP", false, 2, {"$", "U/L"}, 1, "$");
constexpr TStrInfo TrimInfo = Row("$Trim", "$TRM", "TRIM", false, 3, {"$", "L", "R"}, 1, "$");
constexpr TStrInfo PlusInfo = Row("$Add", "$ADD", "ADD", true, 2, {}, 1, "$");
constexpr TStrInfo CsvInfo = Row("$CSV", "$CSV", "$CSV", true, 4, {}, 1, "$");

bool IsControlOrBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

// ---- The constant

TBT_Str_Fest::TBT_Str_Fest() : TStrBT(FestInfo) {}

Integer TBT_Str_Fest::EditProperties()
{
    TDefault_Dlg& dlg = OpenDialog(GetCaption());
    dlg.Props->AddEdit(Translate("String"), Text, 0, 200);
    dlg.Props->AddOptionsSection(Caption, RuntimeAdjustable);
    return dlg.ShowModal();
}

AnsiString TBT_Str_Fest::GetHintText()
{
    return TStrBT::GetHintText() + CR + "= \"" + Text + "\"";
}

void TBT_Str_Fest::WriteData(TStream& stream, TWriter& writer)
{
    TStrBT::WriteData(stream, writer);
    writer.WriteString(Text);
}

void TBT_Str_Fest::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TStrBT::ReadData(stream, reader, version);
    Text = reader.ReadString();
}

// ---- Conversions

TBT_Str_Value::TBT_Str_Value() : TStrBT(ValueInfo) {}

TBTStrFormat::TBTStrFormat() : TStrBT(FormatInfo) {}

void TBTStrFormat::Calculate()
{
    SetOutputString(0, Format.FormatNumber(static_cast<double>(InputValue(0))));
}

Integer TBTStrFormat::EditProperties()
{
    TDefault_Dlg& dlg = OpenDialog(GetCaption());
    dlg.Props->AddFormat(Translate("Format"), Format);
    dlg.Props->AddOptionsSection(Caption, RuntimeAdjustable);
    return dlg.ShowModal();
}

void TBTStrFormat::WriteData(TStream& stream, TWriter& writer)
{
    TStrBT::WriteData(stream, writer);
    Format.WriteData(writer);
}

void TBTStrFormat::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TStrBT::ReadData(stream, reader, version);
    Format.ReadData(reader);
}

TBTStrChr::TBTStrChr() : TStrBT(ChrInfo) {}

void TBTStrChr::Calculate()
{
    SetOutputString(0, AnsiString(1, static_cast<char>(InputInteger(0) & 0xFF)));
}

TBTStrASCII::TBTStrASCII() : TStrBT(AsciiInfo) {}

void TBTStrASCII::Calculate()
{
    const AnsiString& text = InputText(0);
    SetOutputValue(0, text.empty() ? 0.0L : static_cast<Extended>(static_cast<unsigned char>(text[0])));
}

TBTStrLength::TBTStrLength() : TStrBT(LengthInfo) {}

TBTStrUpper::TBTStrUpper() : TStrBT(UpperInfo) {}

void TBTStrUpper::Calculate()
{
    // Only the ASCII letters: accented letters keep their case.
    const bool upper = InputLogic(1);
    const char from = upper ? 'a' : 'A';
    result_ = InputText(0);
    for (char& c : result_)
        if (c >= from && c <= from + 25)
            c = static_cast<char>(c ^ 0x20);
    SetOutputString(0, result_);
}

TBTStrTrim::TBTStrTrim() : TStrBT(TrimInfo) {}

void TBTStrTrim::Calculate()
{
    const AnsiString& text = InputText(0);
    std::size_t first = 0;
    std::size_t end = text.size();
    if (InputLogic(1))
        while (first < end && IsControlOrBlank(text[first]))
            ++first;
    if (InputLogic(2))
        while (end > first && IsControlOrBlank(text[end - 1]))
            --end;
    SetOutputString(0, text.substr(first, end - first));
}

// ---- Joining

TStrJoin::TStrJoin(const TStrInfo& info, bool separated) : TStrBT(info), separated_(separated) {}

void TStrJoin::InputsCreated()
{
    TStrBT::InputsCreated();
    for (std::size_t i = 0; i < Inputs.size(); ++i)
        Inputs[i].Name = "$" + std::to_string(i + 1);
}

void TStrJoin::Calculate()
{
    result_.clear();
    for (Integer i = 0; i < InputCount; ++i) {
        if (separated_ && i > 0)
            result_ += static_cast<char>(Separator);
        result_ += InputText(i);
    }
    SetOutputString(0, result_);
}

// The separated join offers its count and options only while stopped; the
// plain join offers its count at any time. Whatever the result, the count is
// set from the entry (Cancel leaves the entries as they were); a count outside
// 2..16 read from a file shows no entry and stays.
Integer TStrJoin::EditJoin()
{
    TDefault_Dlg& dlg = OpenDialog(separated_ ? GetCaption() : GetTypeName());
    Integer separator = Separator;
    Integer entry = InputCount - MinCount;
    if (separated_) {
        dlg.Props->AddCombo(Translate("Trennzeichen"), separator, SeparatorChoices(), 64);
        if (!SimulationRunning && !RunOnlyMode)
            dlg.Props->AddCombo(Translate("Eingänge"_ansi), entry, CountChoices(), 64);
        dlg.Props->AddOptionsSection(Caption, RuntimeAdjustable);
    } else {
        dlg.Props->AddCombo(Translate("Eingänge"_ansi), entry, CountChoices(), 64);
    }
    const Integer result = dlg.ShowModal();
    if (entry >= 0 && entry <= MaxCount - MinCount)
        SetInputCount(entry + MinCount);
    if (separator >= 0)
        Separator = ClampSeparator(separator);
    return result;
}

TBTStrPlus::TBTStrPlus() : TStrJoin(PlusInfo, false) {}

TBTStrCSV::TBTStrCSV() : TStrJoin(CsvInfo, true) {}

void TBTStrCSV::WriteData(TStream& stream, TWriter& writer)
{
    TStrJoin::WriteData(stream, writer);
    writer.WriteInteger(Separator);
}

void TBTStrCSV::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TStrJoin::ReadData(stream, reader, version);
    Separator = ClampSeparator(reader.ReadInteger());
}
