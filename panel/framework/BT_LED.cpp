#include "panel/framework/BT_LED.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/PanelInterfaces.h"
#include "panel/framework/IndicatorElements.h"
#include "platform/Canvas.h"

#include <cmath>

namespace {

constexpr TColor Grey = 0x808080;

const TComponentRow Leds[] = {
    {.Class = RowClass<TSingleLedBT>("TBTLed"),
     .TypeName = {"LED", "LED", "Led"},
     .Designator = "LED",
     .HelpContext = 18005,
     .HasDialog = true,
     .Inputs = {.Count = 1, .Names = ""},
     // The sensor outputs, none or three.
     .Outputs = {.Count = 0, .Min = 0, .Max = 3, .Names = "S,R,L"},
     .ElementClass = "TPLed"},
    {.Class = RowClass<TDuoLedBT>("TBTDuoLED"),
     .TypeName = {"Duo-LED", "Duo-LED", "Led double"},
     .Designator = "DLED",
     .HelpContext = 18010,
     .Inputs = {.Count = 2, .Names = "L1,L2"},
     .ElementClass = "TDuoLED"},
    {.Class = RowClass<TRGBLedBT>("TBTRGB_LED"),
     .TypeName = {"RGB-LED", "RGB-LED", "Led RGB"},
     .Designator = "RGB",
     .HelpContext = 18012,
     .Inputs = {.Count = 3, .Names = "R,G,B"},
     .ElementClass = "TRGBLED"},
};

} // namespace

TRowList LedRows()
{
    return RowList(Leds);
}

// ---- Shared

void TLedBT::SetPanelElement(IFP_Element* element)
{
    TBTFront::SetPanelElement(element);
    // Cast once here: the step runs for every LED in every cycle.
    led_ = dynamic_cast<ILedElement*>(element);
}

TColor TLedBT::LiveFill() const
{
    return led_ ? led_->GetLedColor() : Grey;
}

void TLedBT::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    const Integer x = BodyRect.Left + BodyRect.Width() / 2;
    const Integer y = BodyRect.Top + BodyRect.Height() / 2 - 12;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.SetColor(ShowComponentStates ? LiveFill() : Grey);
    canvas.Ellipse(x - 10, y - 10, x + 11, y + 11);
    canvas.Pen.Width = 1;
}

// ---- Single LED

Integer TSingleLedBT::EditProperties()
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(GetTypeName());
    dlg.SetHelpContext(HelpContext);
    bool sensors = OutputCount > 0;
    dlg.Props->AddCheck(Translate("Sensorausgänge"_ansi), sensors);
    const Integer result = dlg.ShowModal();
    SetOutputCount(sensors ? 3 : 0);
    return result;
}

void TSingleLedBT::ResetForStart()
{
    if (ILedElement* led = Led())
        led->SetEingeschaltet(false);
    LastInput = false;
}

void TSingleLedBT::Calculate()
{
    ILedElement* led = Led();
    if (!led) [[unlikely]]
        return;
    const bool v = InputLogic(0);
    if (v != LastInput) {
        led->SetEingeschaltet(v);
        LastInput = v;
    }
    if (OutputCount > 0) {
        if (led->OnHiddenPage())
            led->ClearMouseFlags();
        const bool flags[3] = {led->MouseOver(), led->RightPressed(), led->LeftPressed()};
        // The row allows at most three.
        for (Integer o = 0; o < OutputCount; ++o)
            SetOutputLogic(o, flags[o]);
    }
}

void TSingleLedBT::DrawLiveState(TCanvas& canvas)
{
    if (ILedElement* led = Led(); led && led->GetEingeschaltet() != LastShown) {
        LastShown = led->GetEingeschaltet();
        Draw(canvas);
    }
    TGrundBT::DrawLiveState(canvas);
}

// ---- Two-colour LED

void TDuoLedBT::ResetForStart()
{
    if (ILedElement* led = Led())
        led->SetEingeschaltet(false);
    LastStatus = 0;
}

void TDuoLedBT::Calculate()
{
    ILedElement* led = Led();
    if (!led) [[unlikely]]
        return;
    const Byte status = static_cast<Byte>((InputLogic(0) ? 1 : 0) + (InputLogic(1) ? 2 : 0));
    if (status != LastStatus) {
        led->SetDuoLEDStatus(status);
        LastStatus = status;
    }
}

void TDuoLedBT::DrawLiveState(TCanvas& canvas)
{
    if (ILedElement* led = Led(); led && led->GetDuoLEDStatus() != LastShown) {
        LastShown = led->GetDuoLEDStatus();
        Draw(canvas);
    }
    TGrundBT::DrawLiveState(canvas);
}

// ---- RGB LED

Byte TRGBLedBT::Channel(Extended volts)
{
    Extended c = volts / 5 * 255;
    if (!(c >= 0))
        c = 0;
    if (c > 255)
        c = 255;
    return static_cast<Byte>(std::nearbyint(c));
}

void TRGBLedBT::Calculate()
{
    ILedElement* led = Led();
    if (!led) [[unlikely]]
        return;
    const TColor colour = Channel(InputValue(0)) | Channel(InputValue(1)) << 8 | Channel(InputValue(2)) << 16;
    led->SetRGBFarbe(colour);
}
