#include "components/analog/AnalogBT.h"

#include "dialogs/DLG_Default.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "platform/Canvas.h"

#include <algorithm>

namespace {
constexpr TColor Red = 0x0000FF;
}

TAnalogBT::TAnalogBT(const TAnalogInfo& info) : Info(info)
{
    Designator = info.Designator;
    HelpContext = info.HelpContext;
    HasPropertyDialog = info.HasDialog;
}

AnsiString TAnalogBT::GetTypeName() const
{
    return ByLanguage(Info.TypeName[0], Info.TypeName[1], Info.TypeName[2]);
}

TColor TAnalogBT::FigureColor() const
{
    return Selected ? Red : SymbolColor;
}

void TAnalogBT::DrawFigureText(TCanvas& canvas, const AnsiString& text, Integer height, Integer x, Integer y) const
{
    canvas.Font.Name = "ARIAL";
    canvas.Font.Style = 0;
    canvas.Font.Height = height;
    canvas.Font.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(x, y, text);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

void TAnalogBT::DrawCentredText(TCanvas& canvas, const AnsiString& text, Integer height, Integer x, Integer y) const
{
    canvas.Font.Name = "ARIAL";
    canvas.Font.Style = 0;
    canvas.Font.Height = height;
    DrawFigureText(canvas, text, height, x - canvas.TextWidth(text) / 2, y);
}

void TAnalogBT::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    SetInputCount(std::clamp(InputCount, Info.MinInputs, Info.MaxInputs));
    SetOutputCount(std::clamp(OutputCount, Info.MinOutputs, Info.MaxOutputs));
}

void TAnalogBT::NamePins(TPinList& pins, std::initializer_list<const char*> names)
{
    std::size_t i = 0;
    for (const char* name : names) {
        if (i >= pins.size())
            return;
        pins[i++].Name = name;
    }
}

void TAnalogBT::NumberPins(TPinList& pins, const char* prefix)
{
    for (std::size_t i = 0; i < pins.size(); ++i)
        pins[i].Name = prefix + std::to_string(i);
}

TDefault_Dlg& TAnalogBT::OpenDialog(const AnsiString& caption) const
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(caption);
    dlg.SetHelpContext(HelpContext);
    return dlg;
}

AnsiString ShortValueText(Extended value)
{
    return LocaliseDecimalSeparator(FormatGeneral(value, 3, 0));
}
