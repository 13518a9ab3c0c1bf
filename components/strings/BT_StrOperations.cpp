#include "components/strings/BT_StrOperations.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {

const TStrRow Rows[] = {
    {.Component = {.Class = RowClass<TBTStrCopy>("TBTStrCopy"), .TypeName = {"$Copy", "$Copy", "$Copy"},
                   .Designator = "$C", .HelpContext = TextHelp, .Inputs = FixedPins("$,P,N"),
                   .Outputs = FixedPins("$")},
     .Label = "COPY"},
    {.Component = {.Class = RowClass<TBTStrInsert>("TBTStrInsert"), .TypeName = {"$Insert", "$Insert", "$Insert"},
                   .Designator = "$INS", .HelpContext = TextHelp, .Inputs = FixedPins("$,$Ins,Pos"),
                   .Outputs = FixedPins("$")},
     .Label = "INS"},
    {.Component = {.Class = RowClass<TBTStrDelete>("TBTStrDelete"), .TypeName = {"$Delete", "$Delete", "$Delete"},
                   .Designator = "$DEL", .HelpContext = TextHelp, .Inputs = FixedPins("$,P,N"),
                   .Outputs = FixedPins("$")},
     .Label = "DEL"},
    {.Component = {.Class = RowClass<TBTStrIndex>("TBTStrIndex"), .TypeName = {"$Index", "$Index", "$Index"},
                   .Designator = "$Idx", .HelpContext = TextHelp, .Inputs = FixedPins("$,[i]"),
                   .Outputs = FixedPins("$Chr")},
     .Label = "INDX"},
    {.Component = {.Class = RowClass<TBTStrPos>("TBTStrPos"), .TypeName = {"$Position", "$Position", "$Position"},
                   .Designator = "$POS", .HelpContext = TextHelp, .Inputs = FixedPins("$M,$S"),
                   .Outputs = FixedPins("Pos")},
     .Label = "POS"},
    {.Component = {.Class = RowClass<TBTStrReplace>("TBTStrReplace"), .TypeName = {"$Replace", "$Replace", "$Replace"},
                   .Designator = "$RPL", .HelpContext = TextHelp, .Inputs = FixedPins("$,$Old,$New,All,CS"),
                   .Outputs = FixedPins("$")},
     .Label = "RPLCE"},
    {.Component = {.Class = RowClass<TBTStrCompare>("TBTStrCompare"), .TypeName = {"$Compare", "$Compare", "$Compare"},
                   .Designator = "$CMP", .HelpContext = TextHelp, .Inputs = FixedPins("$A,$B"),
                   .Outputs = FixedPins("A>B,A=B,A<B")},
     .Label = "CMP"},
    // 2 to 16 outputs, named by the class.
    {.Component = {.Class = RowClass<TBTStrParts>("TBTStrParts"), .TypeName = {"$Part", "$Part", "$Part"},
                   .Designator = "$Part", .HelpContext = TextHelp, .HasDialog = true, .Inputs = FixedPins("$"),
                   .Outputs = {.Count = 4, .Min = TStrBT::MinCount, .Max = TStrBT::MaxCount}},
     .Label = "PART"},
};

// A 1-based position as an index; 0 counts as 1.
std::size_t IndexOf(Integer position)
{
    return static_cast<std::size_t>(std::max<Integer>(position, 1) - 1);
}

} // namespace

TRowList StrOperationRows()
{
    return RowList(Rows);
}

void TBTStrCopy::Calculate()
{
    const AnsiString& text = InputText(0);
    const Integer p = InputInteger(1);
    const Integer n = InputInteger(2);
    if (static_cast<std::size_t>(p) > text.size() || n == 0)
        SetOutputString(0, AnsiString());
    else
        SetOutputString(0, text.substr(IndexOf(p), static_cast<std::size_t>(n)));
}

void TBTStrInsert::Calculate()
{
    result_ = InputText(0);
    const std::size_t at = std::min(IndexOf(InputInteger(2)), result_.size());
    result_.insert(at, InputText(1));
    SetOutputString(0, result_);
}

void TBTStrDelete::Calculate()
{
    result_ = InputText(0);
    const Integer p = InputInteger(1);
    if (p != 0 && static_cast<std::size_t>(p) <= result_.size())
        result_.erase(IndexOf(p), static_cast<std::size_t>(InputInteger(2)));
    SetOutputString(0, result_);
}

void TBTStrIndex::Calculate()
{
    const AnsiString& text = InputText(0);
    const Integer i = InputInteger(1);
    if (i >= 1 && static_cast<std::size_t>(i) <= text.size())
        SetOutputString(0, text.substr(IndexOf(i), 1));
    else
        SetOutputString(0, AnsiString());
}

void TBTStrPos::Calculate()
{
    const AnsiString& sought = InputText(1);
    const std::size_t at = sought.empty() ? AnsiString::npos : InputText(0).find(sought);
    SetOutputValue(0, at == AnsiString::npos ? 0.0L : static_cast<Extended>(at + 1));
}

void TBTStrReplace::Calculate()
{
    const AnsiString& text = InputText(0);
    const AnsiString& old = InputText(1);
    const AnsiString& replacement = InputText(2);
    const bool all = InputLogic(3);
    const bool caseSensitive = InputLogic(4);
    if (old.empty()) {
        SetOutputString(0, text);
        return;
    }
    // Upper case keeps every byte in its place, so the positions found in
    // the upper-case copies are those of the text.
    const AnsiString* haystack = &text;
    const AnsiString* needle = &old;
    if (!caseSensitive) {
        upperText_ = AnsiUpperCase(text);
        upperOld_ = AnsiUpperCase(old);
        haystack = &upperText_;
        needle = &upperOld_;
    }
    result_.clear();
    std::size_t from = 0;
    for (std::size_t at; (at = haystack->find(*needle, from)) != AnsiString::npos;) {
        result_.append(text, from, at - from);
        result_ += replacement;
        from = at + old.size();
        if (!all)
            break;
    }
    result_.append(text, from, AnsiString::npos);
    SetOutputString(0, result_);
}

void TBTStrCompare::Calculate()
{
    // std::string compares its bytes as unsigned characters.
    const int order = InputText(0).compare(InputText(1));
    SetOutputLogic(0, order > 0);
    SetOutputLogic(1, order == 0);
    SetOutputLogic(2, order < 0);
}

void TBTStrParts::OutputsCreated()
{
    const std::size_t n = Outputs.size();
    for (std::size_t k = 1; k <= n; ++k)
        Outputs[n - k].Name = "$" + std::to_string(k);
}

void TBTStrParts::Calculate()
{
    const AnsiString& text = InputText(0);
    const char separator = static_cast<char>(Separator);
    const std::size_t n = Outputs.size();
    std::size_t from = 0;   // where the rest begins; text.size() when it is empty
    for (std::size_t k = 1; k <= n; ++k) {
        const std::size_t at = text.find(separator, from);
        if (at == AnsiString::npos) {
            part_.assign(text, from, AnsiString::npos);
            from = text.size();
        } else {
            part_.assign(text, from, at - from);
            from = at + 1;
        }
        if (k == n && from < text.size()) {
            // The last output takes everything after the (n-1)-th separator.
            part_ += separator;
            part_.append(text, from, AnsiString::npos);
        }
        SetOutputString(static_cast<Integer>(n - k), part_);
    }
}

// Whatever the result, the count and the separator are set from the entries
// (Cancel leaves them as they were).
Integer TBTStrParts::EditProperties()
{
    TSettingsSheet sheet(*this);
    Integer separator = Separator;
    Integer entry = OutputCount - MinCount;
    sheet.Props().AddCombo(Translate("Trennzeichen"), separator, SeparatorChoices(), 64);
    if (!SimulationRunning && !RunOnlyMode)
        sheet.Props().AddCombo(Translate("Ausgänge"_ansi), entry, CountChoices(), 64);
    const Integer result = sheet.Show();
    if (entry >= 0 && entry <= MaxCount - MinCount)
        SetOutputCount(entry + MinCount);
    if (separator >= 0)
        Separator = ClampSeparator(separator);
    return result;
}

void TBTStrParts::WriteData(TStream& stream, TWriter& writer)
{
    TStrBT::WriteData(stream, writer);
    writer.WriteInteger(Separator);
}

void TBTStrParts::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TStrBT::ReadData(stream, reader, version);
    Separator = ClampSeparator(reader.ReadInteger());
}
