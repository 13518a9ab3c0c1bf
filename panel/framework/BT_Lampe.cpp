#include "panel/framework/BT_Lampe.h"

#include "engine/PanelInterfaces.h"
#include "panel/framework/IndicatorElements.h"
#include "platform/Canvas.h"

namespace {

constexpr TColor Grey = 0x808080;

const TComponentRow Lamps[] = {
    {.Class = RowClass<TLampeBT>("TBTLampe"),
     .TypeName = {"Plastikleuchte", "Plastic lamp", "Lampe plastique"},
     .Designator = "LA",
     .HelpContext = 18015,
     .Inputs = {.Count = 1, .Names = ""},
     .ElementClass = "TPLampe"},
};

} // namespace

TRowList LampRows()
{
    return RowList(Lamps);
}

void TLampeBT::SetPanelElement(IFP_Element* element)
{
    TBTFront::SetPanelElement(element);
    lamp_ = dynamic_cast<ILampElement*>(element);
}

void TLampeBT::Calculate()
{
    if (lamp_) [[likely]]
        lamp_->SetIstSpannung(InputValue(0));
}

void TLampeBT::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer cx = BodyRect.Left + BodyRect.Width() / 2;
    const Integer cy = BodyRect.Top + BodyRect.Height() / 2;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.SetColor(ShowComponentStates && lamp_ ? lamp_->GetLampColor() : Grey);
    canvas.Rectangle(cx - 18, cy - 30, cx + 19, cy + 7);
    canvas.Pen.Width = 1;
}

void TLampeBT::DrawLiveState(TCanvas& canvas)
{
    if (lamp_ && lamp_->GetLampColor() != ShownColor) {
        ShownColor = lamp_->GetLampColor();
        Draw(canvas);
    }
    TGrundBT::DrawLiveState(canvas);
}
