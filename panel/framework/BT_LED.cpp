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

constexpr TColor Red = 0x0000FF;
constexpr TColor Grey = 0x808080;

} // namespace

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
    canvas.Pen.Color = Selected ? Red : SymbolColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.SetColor(ShowComponentStates ? LiveFill() : Grey);
    canvas.Ellipse(x - 10, y - 10, x + 11, y + 11);
    canvas.Pen.Width = 1;
}

// ---- Single LED

TBTLed::TBTLed()
{
    SetInputCount(1);
    SetOutputCount(0);
    PanelElementClass = "TPLed";
    Designator = "LED";
    HelpContext = 18005;
    HasPropertyDialog = true;
}

void TBTLed::InputsCreated()
{
    Inputs[0].Name = "";
}

void TBTLed::OutputsCreated()
{
    if (OutputCount != 3)
        return;
    Outputs[0].Name = "S";
    Outputs[1].Name = "R";
    Outputs[2].Name = "L";
}

AnsiString TBTLed::GetTypeName() const
{
    return ByLanguage<const char*>("LED", "LED", "Led");
}

Integer TBTLed::EditProperties()
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

void TBTLed::ResetForStart()
{
    if (ILedElement* led = Led())
        led->SetEingeschaltet(false);
    LastInput = false;
}

void TBTLed::Calculate()
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
        // A count other than three comes only from a damaged file.
        for (Integer o = 0; o < OutputCount && o < 3; ++o)
            SetOutputLogic(o, flags[o]);
    }
}

void TBTLed::DrawLiveState(TCanvas& canvas)
{
    if (ILedElement* led = Led(); led && led->GetEingeschaltet() != LastShown) {
        LastShown = led->GetEingeschaltet();
        Draw(canvas);
    }
    TGrundBT::DrawLiveState(canvas);
}

// ---- Two-colour LED

TBTDuoLED::TBTDuoLED()
{
    SetInputCount(2);
    SetOutputCount(0);
    PanelElementClass = "TDuoLED";
    Designator = "DLED";
    HelpContext = 18010;
}

void TBTDuoLED::InputsCreated()
{
    Inputs[0].Name = "L1";
    Inputs[1].Name = "L2";
}

AnsiString TBTDuoLED::GetTypeName() const
{
    return ByLanguage<const char*>("Duo-LED", "Duo-LED", "Led double");
}

void TBTDuoLED::ResetForStart()
{
    if (ILedElement* led = Led())
        led->SetEingeschaltet(false);
    LastStatus = 0;
}

void TBTDuoLED::Calculate()
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

void TBTDuoLED::DrawLiveState(TCanvas& canvas)
{
    if (ILedElement* led = Led(); led && led->GetDuoLEDStatus() != LastShown) {
        LastShown = led->GetDuoLEDStatus();
        Draw(canvas);
    }
    TGrundBT::DrawLiveState(canvas);
}

// ---- RGB LED

TBTRGB_LED::TBTRGB_LED()
{
    SetInputCount(3);
    SetOutputCount(0);
    PanelElementClass = "TRGBLED";
    Designator = "RGB";
    HelpContext = 18012;
}

void TBTRGB_LED::InputsCreated()
{
    Inputs[0].Name = "R";
    Inputs[1].Name = "G";
    Inputs[2].Name = "B";
}

AnsiString TBTRGB_LED::GetTypeName() const
{
    return ByLanguage<const char*>("RGB-LED", "RGB-LED", "Led RGB");
}

Byte TBTRGB_LED::Channel(Extended volts)
{
    Extended c = volts / 5 * 255;
    if (!(c >= 0))
        c = 0;
    if (c > 255)
        c = 255;
    return static_cast<Byte>(std::nearbyint(c));
}

void TBTRGB_LED::Calculate()
{
    ILedElement* led = Led();
    if (!led) [[unlikely]]
        return;
    const TColor colour = Channel(InputValue(0)) | Channel(InputValue(1)) << 8 | Channel(InputValue(2)) << 16;
    led->SetRGBFarbe(colour);
}
