#include "engine/Jump.h"

#include "engine/Language.h"
#include "engine/Platine.h"
#include "engine/ShellHooks.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"

namespace {

// The jump's name is short enough to fit its arrow.
constexpr Integer JumpNameLength = 6;

} // namespace

TBTJump::TBTJump()
{
    SetInputCount(1);
    SetOutputCount(0);
    Designator = "JMP";
    HasPropertyDialog = true;
    HelpContext = 18532;
}

void TBTJump::InputsCreated()
{
    for (TBauteilPin& pin : Inputs)
        pin.Name = "";
}

AnsiString TBTJump::GetTypeName() const
{
    return Translate("Sprung");
}

void TBTJump::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (InputCount != 1)
        SetInputCount(1);
    if (OutputCount != 0)
        SetOutputCount(0);
}

TRect TBTJump::GetBounds() const
{
    TRect r = TGrundBT::GetBounds();
    r.Top += 20;
    r.Bottom -= 20;
    return r;
}

void TBTJump::DrawArrow(const TIOBauteil& component, TCanvas& canvas)
{
    // The brush keeps the colour the pin drawing left; the tag is filled
    // white so that the caption stays readable on it.
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = clWhite;
    canvas.Font.Name = ArialFamily;
    canvas.Font.Height = 25;
    canvas.Font.Style = 0;
    canvas.Font.Color = clBlack;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Color = component.FigureColor();
    canvas.Pen.Width = 3;
    const TRect& b = component.BodyRect;
    const Integer l = b.Left, t = b.Top, r = b.Right, bottom = b.Bottom;
    const Integer cy = t + (bottom - t) / 2;
    const bool mirrored = component.Mirrored;
    auto x = [&](Integer v) { return mirrored ? r + l - v : v; };
    canvas.Polygon({TPoint{x(l), t + 20}, TPoint{x(r - 15), t + 20}, TPoint{x(r), cy}, TPoint{x(r - 15), bottom - 20},
                    TPoint{x(l), bottom - 20}});
    const Integer cx = mirrored ? l + (r + 15 - l) / 2 : l + (r - 15 - l) / 2;
    const AnsiString caption = component.GetCaption();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(cx - canvas.TextWidth(caption) / 2, cy - 12, caption);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

void TBTJump::Draw(TCanvas& canvas)
{
    for (const TBauteilPin& pin : Inputs)
        DrawPin(canvas, pin, true);
    DrawArrow(*this, canvas);
}

Integer TBTJump::EditProperties()
{
    if (!ShellHooks.TextRowDialog)
        return 0;
    AnsiString name = Caption;
    const Integer result = ShellHooks.TextRowDialog(Translate("Sprung"), HelpContext, Translate("Name"), name,
                                                    JumpNameLength, 80);
    if (name.size() > static_cast<std::size_t>(JumpNameLength))
        name.resize(JumpNameLength);
    if (name != Caption)
        SetCaption(name);
    return result;
}

// ---- The board's list of its jumps

void TPlatine::ListJumps()
{
    // Only the board's own objects: jumps do not reach into or out of macros.
    JumpList.clear();
    for (TBauteil* object : Objects)
        if (auto* jump = dynamic_cast<TBTJump*>(object))
            JumpList.push_back(jump);
}
