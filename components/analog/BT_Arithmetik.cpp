#include "components/analog/BT_Arithmetik.h"

#include "components/analog/AnalogMath.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"

namespace {

// 2 to 16 inputs E0, E1 ...
constexpr TPinSide ArithmetikInputs{.Count = TArithmetik::MinInputs, .Min = TArithmetik::MinInputs,
                                    .Max = TArithmetik::MaxInputs};

const TComponentRow Rows[] = {
    {.Class = RowClass<TBTAdd>("TBTAdd"),
     .TypeName = {"Addierer", "Addition", "Addition"},
     .Designator = "ADD",
     .HelpContext = 18465,
     .HasDialog = true,
     .Inputs = ArithmetikInputs,
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTSub>("TBTSub"),
     .TypeName = {"Subtrahierer", "Subtraction", "Soustraction"},
     .Designator = "SUB",
     .HelpContext = 18470,
     .HasDialog = true,
     .Inputs = ArithmetikInputs,
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTMul>("TBTMul"),
     .TypeName = {"Multiplizierer", "Multiplication", "Multiplication"},
     .Designator = "MUL",
     .HelpContext = 18475,
     .HasDialog = true,
     .Inputs = ArithmetikInputs,
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTDiv>("TBTDiv"),
     .TypeName = {"Dividierer", "Division", "Division"},
     .Designator = "DIV",
     .HelpContext = 18480,
     .HasDialog = true,
     .Inputs = ArithmetikInputs,
     .Outputs = {.Count = 1, .Names = "A"}},
    {.Class = RowClass<TBTVerstaerker>("TBTVerstaerker"),
     .TypeName = {"Verstärker"_ansi, "Amplifier", "Amplificateur"},
     .Designator = "AMP",
     .HelpContext = 18405,
     .Inputs = {.Count = 3},
     .Outputs = {.Count = 1, .Names = "Out"}},
};

} // namespace

TArithmetik::TArithmetik(const TComponentRow& row, const char* sign) : TAnalogBT(row), sign_(sign) {}

void TArithmetik::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFigureText(canvas, sign_, 80, CentreX() - 20, CentreY() - 50);
}

// The input count chooser, entries "2" to "16".
Integer TArithmetik::EditProperties()
{
    TSettingsSheet sheet(*this, GetTypeName());
    return EditInputCount(sheet.Dialog(), *this, MinInputs, MaxInputs);
}

TBTAdd::TBTAdd(const TComponentRow& row) : TArithmetik(row, "+") {}
TBTSub::TBTSub(const TComponentRow& row) : TArithmetik(row, "-") {}
TBTMul::TBTMul(const TComponentRow& row) : TArithmetik(row, "*") {}
TBTDiv::TBTDiv(const TComponentRow& row) : TArithmetik(row, "/") {}

TBTVerstaerker::TBTVerstaerker(const TComponentRow& row) : TAnalogBT(row) {}

void TBTVerstaerker::InputsCreated()
{
    NamePins(Inputs, {"In", "A", "Off"});
}

void TBTVerstaerker::Calculate()
{
    constexpr Extended ValueLimit = 1e20L;
    constexpr Extended GainLimit = 1e12L;
    const Extended out = Lim(InputValue(2), ValueLimit) + Lim(InputValue(0), ValueLimit) * Lim(InputValue(1), GainLimit);
    SetOutputValue(0, Lim(out, ValueLimit));
}

void TBTVerstaerker::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer cx = CentreX();
    const Integer cy = CentreY();
    const Integer back = Mirrored ? cx + 30 : cx - 30;
    const Integer tip = Mirrored ? cx - 30 : cx + 30;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Polygon({TPoint{back, cy - 44}, TPoint{tip, cy - 14}, TPoint{back, cy + 16}});
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

TRowList ArithmetikRows()
{
    return RowList(Rows);
}
