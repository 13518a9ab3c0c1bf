#include "panel/framework/BT_Lampe.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/PanelInterfaces.h"
#include "panel/framework/IndicatorElements.h"
#include "platform/Canvas.h"

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Grey = 0x808080;

} // namespace

TBTLampe::TBTLampe()
{
    SetInputCount(1);
    SetOutputCount(0);
    PanelElementClass = "TPLampe";
    Designator = "LA";
    HelpContext = 18015;
}

void TBTLampe::SetPanelElement(IFP_Element* element)
{
    TBTFront::SetPanelElement(element);
    lamp_ = dynamic_cast<ILampElement*>(element);
}

void TBTLampe::InputsCreated()
{
    Inputs[0].Name = "";
}

AnsiString TBTLampe::GetTypeName() const
{
    return ByLanguage<const char*>("Plastikleuchte", "Plastic lamp", "Lampe plastique");
}

void TBTLampe::Calculate()
{
    if (lamp_) [[likely]]
        lamp_->SetIstSpannung(InputValue(0));
}

void TBTLampe::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer cx = BodyRect.Left + BodyRect.Width() / 2;
    const Integer cy = BodyRect.Top + BodyRect.Height() / 2;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = Selected ? Red : SymbolColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.SetColor(ShowComponentStates && lamp_ ? lamp_->GetLampColor() : Grey);
    canvas.Rectangle(cx - 18, cy - 30, cx + 19, cy + 7);
    canvas.Pen.Width = 1;
}

void TBTLampe::DrawLiveState(TCanvas& canvas)
{
    if (lamp_ && lamp_->GetLampColor() != ShownColor) {
        ShownColor = lamp_->GetLampColor();
        Draw(canvas);
    }
    TGrundBT::DrawLiveState(canvas);
}
