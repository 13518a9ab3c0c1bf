#include "components/strings/BT_StrConvert.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Stream.h"

namespace {

bool IsControlOrBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

const TStrRow Rows[] = {
    {.Component = {.Class = RowClass<TBT_Str_Fest>("TBT_Str_Fest"), .TypeName = {"$Const", "$Const", "$Const"},
                   .Designator = "$CNST", .HelpContext = TextHelp, .HasDialog = true, .Inputs = {},
                   .Outputs = FixedPins("$")},
     .Label = "CNST"},
    {.Component = {.Class = RowClass<TBT_Str_Value>("TBT_Str_Value"), .TypeName = {"$Value", "$Value", "$Value"},
                   .Designator = "$VAL", .HelpContext = TextHelp, .Inputs = FixedPins("$"),
                   .Outputs = FixedPins("V")},
     .Label = "VAL"},
    {.Component = {.Class = RowClass<TBTStrFormat>("TBTStrFormat"), .TypeName = {"$Format", "$Format", "$Format"},
                   .Designator = "$FMT", .HelpContext = TextHelp, .HasDialog = true, .Inputs = FixedPins("V"),
                   .Outputs = FixedPins("$")},
     .Label = "FMT"},
    {.Component = {.Class = RowClass<TBTStrChr>("TBTStrChr"), .TypeName = {"$Character", "$Character", "$Character"},
                   .Designator = "$CHR", .HelpContext = TextHelp, .Inputs = FixedPins("ASC"),
                   .Outputs = FixedPins("$CHR")},
     .Label = "CHR"},
    {.Component = {.Class = RowClass<TBTStrASCII>("TBTStrASCII"), .TypeName = {"$ASCII", "$ASCII", "$ASCII"},
                   .Designator = "$ASC", .HelpContext = TextHelp, .Inputs = FixedPins("$CHR"),
                   .Outputs = FixedPins("ASC")},
     .Label = "ASC"},
    {.Component = {.Class = RowClass<TBTStrLength>("TBTStrLength"), .TypeName = {"$Length", "$Length", "$Length"},
                   .Designator = "$LEN", .HelpContext = TextHelp, .Inputs = FixedPins("$"),
                   .Outputs = FixedPins("L")},
     .Label = "LEN"},
    {.Component = {.Class = RowClass<TBTStrUpper>("TBTStrUpper"), .TypeName = {"$Upper", "$Upper", "$Upper"},
                   .Designator = "$UPP", .HelpContext = TextHelp, .Inputs = FixedPins("$,U/L"),
                   .Outputs = FixedPins("$")},
     .Label = "UPP"},
    {.Component = {.Class = RowClass<TBTStrTrim>("TBTStrTrim"), .TypeName = {"$Trim", "$Trim", "$Trim"},
                   .Designator = "$TRM", .HelpContext = TextHelp, .Inputs = FixedPins("$,L,R"),
                   .Outputs = FixedPins("$")},
     .Label = "TRIM"},
};

// Any count of 2..16 inputs, named by the class.
constexpr TPinSide JoinInputs(Integer count)
{
    return {.Count = count, .Min = TStrBT::MinCount, .Max = TStrBT::MaxCount};
}

const TJoinRow JoinRows[] = {
    {.Component = {.Class = RowClass<TStrJoin>("TBTStrPlus"), .TypeName = {"$Add", "$Add", "$Add"},
                   .Designator = "$ADD", .HelpContext = TextHelp, .HasDialog = true, .Inputs = JoinInputs(2),
                   .Outputs = FixedPins("$")},
     .Label = "ADD",
     .Separated = false},
    {.Component = {.Class = RowClass<TStrJoin>("TBTStrCSV"), .TypeName = {"$CSV", "$CSV", "$CSV"},
                   .Designator = "$CSV", .HelpContext = TextHelp, .HasDialog = true, .Inputs = JoinInputs(4),
                   .Outputs = FixedPins("$")},
     .Label = "$CSV",
     .Separated = true},
};

} // namespace

TRowList StrConvertRows()
{
    TRowList rows = RowList(Rows);
    for (const TComponentRow* row : RowList(JoinRows))
        rows.push_back(row);
    return rows;
}

// ---- The constant

Integer TBT_Str_Fest::EditProperties()
{
    TSettingsSheet sheet(*this);
    sheet.Props().AddEdit(Translate("String"), Text, 0, 200);
    return sheet.Show();
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

void TBTStrFormat::Calculate()
{
    SetOutputString(0, Format.FormatNumber(static_cast<double>(InputValue(0))));
}

Integer TBTStrFormat::EditProperties()
{
    TSettingsSheet sheet(*this);
    sheet.Props().AddFormat(Translate("Format"), Format);
    return sheet.Show();
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

void TBTStrChr::Calculate()
{
    SetOutputString(0, AnsiString(1, static_cast<char>(InputInteger(0) & 0xFF)));
}

void TBTStrASCII::Calculate()
{
    const AnsiString& text = InputText(0);
    SetOutputValue(0, text.empty() ? 0.0L : static_cast<Extended>(static_cast<unsigned char>(text[0])));
}

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

TStrJoin::TStrJoin(const TComponentRow& row)
    : TStrBT(row, FamilyRow<TJoinRow>(row).Label), join_(FamilyRow<TJoinRow>(row))
{
}

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
        if (join_.Separated && i > 0)
            result_ += static_cast<char>(Separator);
        result_ += InputText(i);
    }
    SetOutputString(0, result_);
}

// The separated join offers its count and options only while stopped; the
// plain join offers its count at any time, titled with its type name.
// Whatever the result, the count is set from the entry (Cancel leaves the
// entries as they were).
Integer TStrJoin::EditProperties()
{
    TSettingsSheet sheet(*this, join_.Separated ? GetCaption() : GetTypeName());
    Integer separator = Separator;
    Integer entry = InputCount - MinCount;
    if (join_.Separated)
        sheet.Props().AddCombo(Translate("Trennzeichen"), separator, SeparatorChoices(), 64);
    if (!join_.Separated || (!SimulationRunning && !RunOnlyMode))
        sheet.Props().AddCombo(Translate("Eingänge"_ansi), entry, CountChoices(), 64);
    const Integer result = join_.Separated ? sheet.Show() : sheet.Dialog().ShowModal();
    if (entry >= 0 && entry <= MaxCount - MinCount)
        SetInputCount(entry + MinCount);
    if (separator >= 0)
        Separator = ClampSeparator(separator);
    return result;
}

void TStrJoin::WriteData(TStream& stream, TWriter& writer)
{
    TStrBT::WriteData(stream, writer);
    if (join_.Separated)
        writer.WriteInteger(Separator);
}

void TStrJoin::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TStrBT::ReadData(stream, reader, version);
    if (join_.Separated)
        Separator = ClampSeparator(reader.ReadInteger());
}
