#include "components/analog/BT_Formel.h"

#include "components/analog/Formel_Berechnung.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTFormel>("TBTFormel"),
     .TypeName = {"Formel\runiversell", "Formula", "Formule"},
     .Designator = "FRM",
     .HelpContext = 18500,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Min = 1, .Max = 16},
     .Outputs = {.Count = 1, .Names = "A"}},
};

} // namespace

TBTFormel::TBTFormel(const TComponentRow& row) : TAnalogBT(row) {}

void TBTFormel::ResetForStart()
{
    SetOutputValue(0, 0.0L);
    LastEvaluated.clear();
}

// Highest input first, so that "E10" is replaced before "E1". The number
// texts hold no "E" followed by a digit, so one pass replaces every
// occurrence. A value that is no finite number has no number text: the
// formula then gives the error value.
void TBTFormel::Calculate()
{
    AnsiString work = Formula;
    bool numbers = true;
    for (Integer i = InputCount - 1; i >= 0; --i) {
        const AnsiString name = "E" + std::to_string(i);
        if (work.find(name) == AnsiString::npos)
            continue;
        const AnsiString value = FormulaNumberText(InputValue(i));
        numbers = numbers && value != "#";
        for (std::size_t at = 0; (at = work.find(name, at)) != AnsiString::npos; at += value.size())
            work.replace(at, name.size(), value);
    }
    // Compared after normalising: a text normalising changes (every value of
    // 0 or more brings a blank) is not evaluated again in every step.
    NormalizeFormulaSigns(work);
    if (work.empty() || work == LastEvaluated)
        return;
    const AnsiString result = numbers ? EvaluateFormula(work) : "#";
    LastEvaluated = work;
    SetOutputValue(0, result[0] == '#' ? ErrorValue : FormulaTextValue(result));
}

void TBTFormel::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    if (InputCount == 1)
        DrawFigureText(canvas, "F", 52, CentreX() - 18, CentreY() - 38);
    else
        DrawFigureText(canvas, "F", 80, CentreX() - 20, CentreY() - 50);
}

// Whatever the result, the formula is stored in upper case with "." for ","
// and the input count follows the spin (shown only while stopped).
Integer TBTFormel::EditProperties()
{
    TSettingsSheet sheet(*this);
    Integer inputs = InputCount;
    if (!SimulationRunning && !RunOnlyMode)
        sheet.Props().AddSpin(Translate("Eingänge"_ansi), inputs, 1, MaxInputs, 64);
    sheet.Props().AddEdit(Translate("Formel"), Formula, 0, 250);
    const Integer result = sheet.Show();
    for (char& c : Formula) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c == ',')
            c = '.';
    }
    SetInputCount(inputs);
    return result;
}

AnsiString TBTFormel::GetHintText()
{
    AnsiString text = TAnalogBT::GetHintText();
    if (!Formula.empty())
        text += CR + Formula;
    return text;
}

void TBTFormel::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    writer.WriteString(Formula);
}

void TBTFormel::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    Formula = reader.ReadString();
}

TRowList FormelRows()
{
    return RowList(Rows);
}
