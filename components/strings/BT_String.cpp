#include "components/strings/BT_String.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <algorithm>

namespace {

constexpr TColor Red = 0x0000FF;

} // namespace

TStrBT::TStrBT(const TStrInfo& info) : info_(info)
{
    SetInputCount(info.Inputs);
    SetOutputCount(info.Outputs);
    Designator = info.Designator;
    HelpContext = info.HelpContext;
    HasPropertyDialog = info.HasDialog;
}

void TStrBT::AfterConstruction()
{
    TGrundBT::AfterConstruction();
    InputsCreated();
    OutputsCreated();
}

AnsiString TStrBT::GetTypeName() const
{
    return ByLanguage<const char*>(info_.TypeName[0], info_.TypeName[1], info_.TypeName[2]);
}

void TStrBT::InputsCreated()
{
    for (std::size_t i = 0; i < Inputs.size(); ++i)
        Inputs[i].Name = i < std::size(info_.InputNames) && info_.InputNames[i] ? info_.InputNames[i] : "";
    numberTexts_.assign(Inputs.size(), AnsiString());
}

void TStrBT::OutputsCreated()
{
    for (std::size_t o = 0; o < Outputs.size(); ++o)
        Outputs[o].Name = o < std::size(info_.OutputNames) && info_.OutputNames[o] ? info_.OutputNames[o] : "";
}

void TStrBT::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (!FitsPins())
        throw EReadError(SInvalidPropertyValue);
}

const AnsiString& TStrBT::NumberText(Integer i)
{
    AnsiString& text = numberTexts_[static_cast<std::size_t>(i)];
    text = InputString(i);
    return text;
}

void TStrBT::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawLabel(*this, canvas, info_.Label, Selected);
}

void TStrBT::DrawLabel(TIOBauteil& component, TCanvas& canvas, const AnsiString& label, bool selected)
{
    const TColor colour = selected ? Red : component.SymbolColor;
    const TRect& body = component.BodyRect;
    canvas.Pen.Color = colour;
    canvas.Font.Name = "ARIAL";
    canvas.Font.Height = 38;
    canvas.Font.Style = 0;
    canvas.Font.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    const Integer cx = body.Left + body.Width() / 2;
    const Integer cy = body.Top + body.Height() / 2;
    canvas.TextOut(cx - canvas.TextWidth(label) / 2, cy - 24, label);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

std::vector<AnsiString> TStrBT::SeparatorChoices()
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::vector<AnsiString> choices;
    choices.reserve(256);
    for (int code = 0; code < 256; ++code) {
        AnsiString entry = "$";
        entry += hex[code >> 4];
        entry += hex[code & 15];
        entry += " - ";
        entry += static_cast<char>(code);
        choices.push_back(std::move(entry));
    }
    return choices;
}

std::vector<AnsiString> TStrBT::CountChoices()
{
    std::vector<AnsiString> counts;
    for (Integer n = MinCount; n <= MaxCount; ++n)
        counts.push_back(std::to_string(n));
    return counts;
}

Integer TStrBT::ClampSeparator(Integer code)
{
    return std::clamp<Integer>(code, 0, 255);
}

TDefault_Dlg& TStrBT::OpenDialog(const AnsiString& title)
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(title);
    dlg.SetHelpContext(HelpContext);
    return dlg;
}
