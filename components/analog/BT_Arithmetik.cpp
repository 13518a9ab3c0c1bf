#include "components/analog/BT_Arithmetik.h"

#include "components/analog/AnalogMath.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Canvas.h"

namespace {

const TAnalogInfo AddInfo{{"Addierer", "Addition", "Addition"}, "ADD", 18465, true, 2, 16, 1, 1};
const TAnalogInfo SubInfo{{"Subtrahierer", "Subtraction", "Soustraction"}, "SUB", 18470, true, 2, 16, 1, 1};
const TAnalogInfo MulInfo{{"Multiplizierer", "Multiplication", "Multiplication"}, "MUL", 18475, true, 2, 16, 1, 1};
const TAnalogInfo DivInfo{{"Dividierer", "Division", "Division"}, "DIV", 18480, true, 2, 16, 1, 1};
const TAnalogInfo AmplifierInfo{{"Verstärker"_ansi, "Amplifier", "Amplificateur"}, "AMP", 18405, false, 3, 3, 1, 1};

} // namespace

TArithmetik::TArithmetik(const TAnalogInfo& info, const char* sign) : TAnalogBT(info), sign_(sign)
{
    SetInputCount(MinInputs);
    SetOutputCount(1);
}

void TArithmetik::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawFigureText(canvas, sign_, 80, CentreX() - 20, CentreY() - 50);
}

// The input count chooser, entries "2" to "16".
Integer TArithmetik::EditProperties()
{
    TDefault_Dlg& dlg = OpenDialog(GetTypeName());
    return EditInputCount(dlg, *this, MinInputs, MaxInputs);
}

TBTAdd::TBTAdd() : TArithmetik(AddInfo, "+") {}
TBTSub::TBTSub() : TArithmetik(SubInfo, "-") {}
TBTMul::TBTMul() : TArithmetik(MulInfo, "*") {}
TBTDiv::TBTDiv() : TArithmetik(DivInfo, "/") {}

TBTVerstaerker::TBTVerstaerker() : TAnalogBT(AmplifierInfo)
{
    SetInputCount(3);
    SetOutputCount(1);
}

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
