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
constexpr TGateRow::TSymbolText OrOne{"1", 60, -5, -30};
constexpr TGateRow::TSymbolText OrGreater{">", 40, -28, -28};
constexpr TGateRow::TSymbolText OrEquals{"=", 40, -28, -10};

constexpr TGateRow::TSymbolText And{"&", 60, -20, -30};

// The multi-input gates: 2 to 16 unnamed inputs.
constexpr TPinSide GateInputs{.Count = 2, .Min = TGatter::MinInputs, .Max = TGatter::MaxInputs, .Names = ""};
constexpr TPinSide GateOutput{.Count = 1, .Names = ""};

using enum TGateTest;
const TGateRow Gates[] = {
    {.Component = {.Class = RowClass<TGatter>("TBTInverter"),
                   .TypeName = {"Inverter", "Inverter", "Inverseur"},
                   .Designator = "INV",
                   .HelpContext = 18230,
                   .Inputs = {.Count = 1, .Names = ""},
                   .Outputs = GateOutput},
     .Symbol = {{"1", 48, -10, -34}},
     .Test = AnyHigh,
     .Negated = true},
    {.Component = {.Class = RowClass<TGatter>("TBTAnd"),
                   .TypeName = {"AND", "AND", "AND"},
                   .Designator = "AND",
                   .HelpContext = 18235,
                   .HasDialog = true,
                   .Inputs = GateInputs,
                   .Outputs = GateOutput},
     .Symbol = {And},
     .Test = AllHigh},
    {.Component = {.Class = RowClass<TGatter>("TBTOr"),
                   .TypeName = {"OR", "OR", "OR"},
                   .Designator = "OR",
                   .HelpContext = 18245,
                   .HasDialog = true,
                   .Inputs = GateInputs,
                   .Outputs = GateOutput},
     .Symbol = {OrOne, OrGreater, OrEquals},
     .Test = AnyHigh},
    {.Component = {.Class = RowClass<TGatter>("TBTNand"),
                   .TypeName = {"NAND", "NAND", "NAND"},
                   .Designator = "NAND",
                   .HelpContext = 18240,
                   .HasDialog = true,
                   .Inputs = GateInputs,
                   .Outputs = GateOutput},
     .Symbol = {And},
     .Test = AllHigh,
     .Negated = true},
    {.Component = {.Class = RowClass<TGatter>("TBTNor"),
                   .TypeName = {"NOR", "NOR", "NOR"},
                   .Designator = "NOR",
                   .HelpContext = 18250,
                   .HasDialog = true,
                   .Inputs = GateInputs,
                   .Outputs = GateOutput},
     .Symbol = {OrOne, OrGreater, OrEquals},
     .Test = AnyHigh,
     .Negated = true},
    {.Component = {.Class = RowClass<TGatter>("TBTExor"),
                   .TypeName = {"EXOR", "EXOR", "EXOR"},
                   .Designator = "EXOR",
                   .HelpContext = 18255,
                   .HasDialog = true,
                   .Inputs = GateInputs,
                   .Outputs = GateOutput},
     .Symbol = {{"1", 60, -5, -30}, {"=", 40, -28, -20}},
     .Test = OddHigh},
};

} // namespace

TGatter::TGatter(const TComponentRow& row) : TGrundBT(row), gate_(FamilyRow<TGateRow>(row)) {}

TRowList GateRows()
{
    return RowList(Gates);
}

Integer TGatter::PlainLogicTable() const
{
    if (InputCount < 1 || InputCount > 2 || OutputCount != 1)
        return -1;
    Integer table = 0;
    for (Integer inputs = 0; inputs < 4; ++inputs) {
        const Integer high = (inputs & 1) + (InputCount == 2 ? inputs >> 1 : 0);
        const bool results[] = {high == InputCount, high != 0, (high & 1) != 0};
        if (results[static_cast<Byte>(gate_.Test)] != gate_.Negated)
            table |= 1 << inputs;
    }
    return table;
}

void TGatter::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const TColor colour = FigureColor();
    const Integer cx = BodyRect.Left + BodyRect.Width() / 2;
    const Integer cy = BodyRect.Top + BodyRect.Height() / 2;
    canvas.Font.Name = ArialFamily;
    canvas.Font.Style = 0;
    canvas.Font.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    for (const TGateRow::TSymbolText& text : gate_.Symbol) {
        if (!text.Text)
            break;
        canvas.Font.Height = text.Height;
        canvas.TextOut(cx + text.DX, cy + text.DY, text.Text);
    }
    if (gate_.Negated) {
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
    if (!Row->HasDialog)
        return TGrundBT::EditProperties();
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(GetTypeName());
    dlg.SetHelpContext(HelpContext);
    return EditInputCount(dlg, *this, MinInputs, MaxInputs);
}
