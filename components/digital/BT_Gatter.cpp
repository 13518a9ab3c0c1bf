#include "components/digital/BT_Gatter.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"

namespace {

// "1" over a greater-or-equal sign, and "1" over an equals sign.
constexpr TGateInfo::TSymbolText OrOne{"1", 60, -5, -30};
constexpr TGateInfo::TSymbolText OrGreater{">", 40, -28, -28};
constexpr TGateInfo::TSymbolText OrEquals{"=", 40, -28, -10};

constexpr TGateInfo::TSymbolText And{"&", 60, -20, -30};

using enum TGateTest;
const TGateInfo InverterInfo{
    {"Inverter", "Inverter", "Inverseur"}, "INV", 18230, 1, false, {{"1", 48, -10, -34}}, AnyHigh, true};
const TGateInfo AndInfo{{"AND", "AND", "AND"}, "AND", 18235, 2, true, {And}, AllHigh, false};
const TGateInfo NandInfo{{"NAND", "NAND", "NAND"}, "NAND", 18240, 2, true, {And}, AllHigh, true};
const TGateInfo OrInfo{{"OR", "OR", "OR"}, "OR", 18245, 2, true, {OrOne, OrGreater, OrEquals}, AnyHigh, false};
const TGateInfo NorInfo{{"NOR", "NOR", "NOR"}, "NOR", 18250, 2, true, {OrOne, OrGreater, OrEquals}, AnyHigh, true};
const TGateInfo ExorInfo{
    {"EXOR", "EXOR", "EXOR"}, "EXOR", 18255, 2, true, {{"1", 60, -5, -30}, {"=", 40, -28, -20}}, OddHigh, false};

} // namespace

TGatter::TGatter(const TGateInfo& info) : info_(info)
{
    SetInputCount(info.Inputs);
    SetOutputCount(1);
    Designator = info.Designator;
    HelpContext = info.HelpContext;
    HasPropertyDialog = info.HasDialog;
}

AnsiString TGatter::GetTypeName() const
{
    return ByLanguage(info_.TypeName[0], info_.TypeName[1], info_.TypeName[2]);
}

Integer TGatter::PlainLogicTable() const
{
    if (InputCount < 1 || InputCount > 2 || OutputCount != 1)
        return -1;
    Integer table = 0;
    for (Integer inputs = 0; inputs < 4; ++inputs) {
        const Integer high = (inputs & 1) + (InputCount == 2 ? inputs >> 1 : 0);
        const bool results[] = {high == InputCount, high != 0, (high & 1) != 0};
        if (results[static_cast<Byte>(info_.Test)] != info_.Negated)
            table |= 1 << inputs;
    }
    return table;
}

void TGatter::InputsCreated()
{
    for (TBauteilPin& pin : Inputs)
        pin.Name = "";
}

void TGatter::OutputsCreated()
{
    for (TBauteilPin& pin : Outputs)
        pin.Name = "";
}

void TGatter::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TColor colour = Selected ? clRed : SymbolColor;
    const Integer cx = BodyRect.Left + BodyRect.Width() / 2;
    const Integer cy = BodyRect.Top + BodyRect.Height() / 2;
    canvas.Font.Name = ArialFamily;
    canvas.Font.Style = 0;
    canvas.Font.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    for (const TGateInfo::TSymbolText& text : info_.Symbol) {
        if (!text.Text)
            break;
        canvas.Font.Height = text.Height;
        canvas.TextOut(cx + text.DX, cy + text.DY, text.Text);
    }
    if (info_.Negated) {
        canvas.Pen.Style = TPenStyle::psSolid;
        canvas.Pen.Width = 3;
        canvas.Pen.Color = colour;
        if (Mirrored) {
            canvas.MoveTo(BodyRect.Left - 17, cy);
            canvas.LineTo(BodyRect.Left, cy - 16);
        } else {
            canvas.MoveTo(BodyRect.Right + 16, cy);
            canvas.LineTo(BodyRect.Right, cy - 16);
        }
    }
}

// The input count chooser, entries "2" to "16".
Integer TGatter::EditProperties()
{
    if (!info_.HasDialog)
        return TGrundBT::EditProperties();
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(GetTypeName());
    dlg.SetHelpContext(HelpContext);
    return EditInputCount(dlg, *this, MinInputs, MaxInputs);
}

TBTInverter::TBTInverter() : TGatter(InverterInfo) {}
TBTAnd::TBTAnd() : TGatter(AndInfo) {}
TBTNand::TBTNand() : TGatter(NandInfo) {}
TBTOr::TBTOr() : TGatter(OrInfo) {}
TBTNor::TBTNor() : TGatter(NorInfo) {}
TBTExor::TBTExor() : TGatter(ExorInfo) {}
