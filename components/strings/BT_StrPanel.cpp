#include "components/strings/BT_StrPanel.h"

#include "engine/AnsiLiteral.h"
#include "engine/PanelInterfaces.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"

namespace {

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTStrDisplay>("TBTStrDisplay"), .TypeName = {"$Display", "$Display", "$Afficheur"},
     .Designator = "$DSP", .HelpContext = 18042, .Inputs = {.Count = 1, .Names = "$"}, .Outputs = {},
     .ElementClass = "TTDisplay"},
    {.Class = RowClass<TBTStrEdit>("TBTStrEdit"), .TypeName = {"$Eingabe", "$Edit", "$Entrée"_ansi},
     .Designator = "$EDT", .HelpContext = 18180, .Inputs = {}, .Outputs = {.Count = 1, .Names = "$"},
     .ElementClass = "TFP_Str_Edit"},
};

TPoint BodyCentre(const TIOBauteil& component)
{
    const TRect& body = component.BodyRect;
    return {body.Left + body.Width() / 2, body.Top + body.Height() / 2};
}

} // namespace

TRowList StrPanelRows()
{
    return RowList(Rows);
}

// ---- Display

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
    if (!display)
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
    canvas.Pen.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = Selected ? clRed : 0x808080;
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
    if (entry)
        SetOutputString(0, entry->AcceptedText());
}

void TBTStrEdit::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TPoint c = BodyCentre(*this);
    const TColor colour = FigureColor();
    canvas.Pen.Color = colour;
    canvas.Font.Name = "ARIAL";
    canvas.Font.Height = 35;
    canvas.Font.Style = 0;
    canvas.Font.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(c.X - 35, c.Y - 24, "$EDT");
    canvas.Brush.Style = TBrushStyle::bsSolid;
}
