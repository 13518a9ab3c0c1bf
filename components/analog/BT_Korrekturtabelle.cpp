#include "components/analog/BT_Korrekturtabelle.h"

#include "components/analog/DLG_Korrekturtabelle.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Stream.h"

#include <QCheckBox>

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTKorrekturtabelle>("TBTKorrekturtabelle"),
     .TypeName = {"Korrekturtabelle", "Correction table", "Table de\rcorrection"},
     .Designator = "KT",
     .HelpContext = 18410,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Names = "E"},
     .Outputs = {.Count = 1, .Names = "A"}},
};

const char* DesignatorText()
{
    return ByLanguage("KT", "CT", "TC");
}

} // namespace

TBTKorrekturtabelle::TBTKorrekturtabelle(const TComponentRow& row) : TAnalogBT(row)
{
    Designator = DesignatorText();
}

void TBTKorrekturtabelle::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFigureText(canvas, DesignatorText(), 40, CentreX() - 32, CentreY() - 34);
}

// The form works on a copy: only OK hands the table and the flag back.
Integer TBTKorrekturtabelle::EditProperties()
{
    TKorrekturtabelleDlg dlg;
    dlg.SetCaption(GetCaption());
    dlg.Values = Values;
    dlg.cb_RuntimeEdit->setChecked(RuntimeAdjustable);
    dlg.cb_RuntimeEdit->setVisible(!SimulationRunning && !RunOnlyMode);
    const Integer result = dlg.ShowModal();
    if (result == mrOk) {
        RuntimeAdjustable = dlg.cb_RuntimeEdit->isChecked();
        Values = dlg.Values;
    }
    return result;
}

void TBTKorrekturtabelle::WriteData(TStream& stream, TWriter& writer)
{
    TGrundBT::WriteData(stream, writer);
    Values.WriteTo(writer);
}

void TBTKorrekturtabelle::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TAnalogBT::ReadData(stream, reader, version);
    Values.ReadFrom(reader);
}

TRowList KorrekturtabelleRows()
{
    return RowList(Rows);
}
