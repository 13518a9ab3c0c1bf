#include "components/strings/BT_StrPanel.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/PanelInterfaces.h"
#include "platform/Canvas.h"

namespace {

constexpr TColor Red = 0x0000FF;

TPoint BodyCentre(const TIOBauteil& component)
{
    const TRect& body = component.BodyRect;
    return {body.Left + body.Width() / 2, body.Top + body.Height() / 2};
}

} // namespace

// ---- Display

TBTStrDisplay::TBTStrDisplay()
{
    SetInputCount(1);
    SetOutputCount(0);
    Designator = "$DSP";
    HelpContext = 18042;
    PanelElementClass = "TTDisplay";
}

void TBTStrDisplay::InputsCreated()
{
    Inputs[0].Name = "$";
}

AnsiString TBTStrDisplay::GetTypeName() const
{
    return ByLanguage<const char*>("$Display", "$Display", "$Afficheur");
}

ITextDisplayElement* TBTStrDisplay::Display() const
{
    return dynamic_cast<ITextDisplayElement*>(PanelElement);
}

void TBTStrDisplay::ResetForStart()
{
    if (ITextDisplayElement* display = Display())
        display->SetNDUserText(IdleText);
}

void TBTStrDisplay::Calculate()
{
    ITextDisplayElement* display = Display();
    if (!display || InputCount < 1)
        return;
    const AnsiString text = InputString(0);
    if (text != display->NDUserText())
        display->SetNDUserText(text);
}

void TBTStrDisplay::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TPoint c = BodyCentre(*this);
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = Selected ? Red : SymbolColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = Selected ? Red : 0x808080;
    canvas.Rectangle(c.X - 35, c.Y - 32, c.X + 35, c.Y + 6);
    canvas.Font.Name = "ARIAL";
    canvas.Font.Height = 25;
    canvas.Font.Style = fsBold;
    canvas.Font.Color = 0xC0C0C0;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(c.X - 23, c.Y - 26, "$STR");
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Pen.Width = 1;
}

// ---- Entry

TBTStrEdit::TBTStrEdit()
{
    SetInputCount(0);
    SetOutputCount(1);
    Designator = "$EDT";
    HelpContext = 18180;
    PanelElementClass = "TFP_Str_Edit";
}

void TBTStrEdit::OutputsCreated()
{
    Outputs[0].Name = "$";
}

AnsiString TBTStrEdit::GetTypeName() const
{
    return ByLanguage<const char*>("$Eingabe", "$Edit", "$Entrée"_ansi);
}

ITextEntryElement* TBTStrEdit::Entry() const
{
    return dynamic_cast<ITextEntryElement*>(PanelElement);
}

void TBTStrEdit::ResetForStart()
{
    ITextEntryElement* entry = Entry();
    if (!entry)
        return;
    entry->SetOnSetWert([this] { TextChanged(); });
    entry->AcceptInput();
}

void TBTStrEdit::TextChanged()
{
    ITextEntryElement* entry = Entry();
    if (entry && OutputCount >= 1)
        SetOutputString(0, entry->AcceptedText());
}

void TBTStrEdit::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TPoint c = BodyCentre(*this);
    const TColor colour = Selected ? Red : SymbolColor;
    canvas.Pen.Color = colour;
    canvas.Font.Name = "ARIAL";
    canvas.Font.Height = 35;
    canvas.Font.Style = 0;
    canvas.Font.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(c.X - 35, c.Y - 24, "$EDT");
    canvas.Brush.Style = TBrushStyle::bsSolid;
}
