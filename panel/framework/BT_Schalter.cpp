#include "panel/framework/BT_Schalter.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/PanelInterfaces.h"
#include "panel/framework/IndicatorElements.h"
#include "platform/Canvas.h"

namespace {

constexpr TColor Red = 0x0000FF;

void Circle(TCanvas& canvas, Integer x, Integer y, Integer r)
{
    canvas.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
}

} // namespace

// ---- Shared

namespace {

const TSwitchInfo TasterInfo{
    {"Taster\rlogisch", "Push button", "Boutton-poussoir"},
    {"T", "PB", "BP"},
    18105, 0, 1, true};
const TSwitchInfo SchalterInfo{
    {"Schalter\rlogisch", "Switch", "Interrupteur"},
    {"S", "SW", "IN"},
    18100, 0, 1, false};
const TSwitchInfo AnalogTasterInfo{
    {"Taster\r2 Eingänge"_ansi, "Push button\r2 inputs", "Bouton-poussoir\r2 Entrées"_ansi},
    {"TB", "PBB", "BP"},
    18165, 2, 1, true};
const TSwitchInfo AnalogSchalterInfo{
    {"Schalter\r2 Eingänge"_ansi, "Switch\r2 inputs", "Commutateur\r2 Entrées"_ansi},
    {"SB", "SWB", "CM"},
    18165, 2, 1, false};
const TSwitchInfo AnalogTaster2Info{
    {"Taster\r2 Ausgänge"_ansi, "Push button\r2 outputs", "Bouton-poussoir\r2 Sorties"},
    {"TA", "PBA", "PBA"},
    18170, 1, 2, true};
const TSwitchInfo AnalogSchalter2Info{
    {"Schalter\r2 Ausgänge"_ansi, "Switch\r2 outputs", "Interrupteur\r2 Sorties"},
    {"SA", "SWA", "INA"},
    18170, 1, 2, false};

} // namespace

TSchalterBT::TSchalterBT(const TSwitchInfo& info) : info_(info)
{
    PanelElementClass = "TSchalter";
    Designator = ByLanguage(info.Designators[0], info.Designators[1], info.Designators[2]);
    HelpContext = info.HelpContext;
}

AnsiString TSchalterBT::GetTypeName() const
{
    return ByLanguage<AnsiString>(info_.TypeNames[0], info_.TypeNames[1], info_.TypeNames[2]);
}

TLogicSchalterBT::TLogicSchalterBT(const TSwitchInfo& info) : TSchalterBT(info)
{
    SetInputCount(info.Inputs);
    SetOutputCount(info.Outputs);
}

TAnalogInputsSchalterBT::TAnalogInputsSchalterBT(const TSwitchInfo& info) : TAnalogSchalterBT(info)
{
    SetInputCount(info.Inputs);
    SetOutputCount(info.Outputs);
}

TAnalogOutputsSchalterBT::TAnalogOutputsSchalterBT(const TSwitchInfo& info) : TAnalogSchalterBT(info)
{
    SetInputCount(info.Inputs);
    SetOutputCount(info.Outputs);
}

void TSchalterBT::SetPanelElement(IFP_Element* element)
{
    TBTFront::SetPanelElement(element);
    // Cast once here: the step reads the element in every cycle.
    switch_ = dynamic_cast<ISwitchElement*>(element);
    // Linked before the element's record is read, so a push button's record
    // finds it momentary.
    if (switch_ && IsPushButton())
        switch_->SetTaster(true);
}

bool TSchalterBT::ReadState() const
{
    return switch_ ? switch_->GetEingeschaltet() : false;
}

void TSchalterBT::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.Pen.Color = Selected ? Red : SymbolColor;
    DrawSymbol(canvas);
    canvas.Pen.Width = 1;
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

// ---- Logic members

void TLogicSchalterBT::OutputsCreated()
{
    Outputs[0].Name = "";
}

// The state is read once per step: a read can end a web press, so a second
// read could write off what the first one saw on, and the press would leave
// no trace on the output.
void TLogicSchalterBT::ResetForStart()
{
    LastState = ReadState();
    SetOutputLogic(0, LastState);
}

void TLogicSchalterBT::Calculate()
{
    const bool state = ReadState();
    if (state != LastState) {
        SetOutputLogic(0, state);
        LastState = state;
    }
}

void TLogicSchalterBT::DrawLiveState(TCanvas& canvas)
{
    if (const bool state = ReadState(); Switch() && state != LastDrawnState) {
        LastDrawnState = state;
        Draw(canvas);
    }
    TGrundBT::DrawLiveState(canvas);
}

void TLogicSchalterBT::DrawSymbol(TCanvas& canvas)
{
    const Integer cy = BodyRect.Top + BodyRect.Height() / 2;
    const Integer a = OutputCount > 0 ? Outputs[0].Y : cy;
    // The output side is on the right unless mirrored.
    const Integer outEdge = Mirrored ? BodyRect.Left : BodyRect.Right;
    const Integer farEdge = Mirrored ? BodyRect.Right : BodyRect.Left;
    const Integer dir = Mirrored ? 1 : -1;   // from the output edge inwards
    const Integer moving = outEdge + dir * 30;
    const Integer fixed = farEdge - dir * 30;
    canvas.MoveTo(moving - dir * 15, a);
    canvas.LineTo(moving, a);
    canvas.MoveTo(fixed + dir * 15, cy);
    canvas.LineTo(fixed, cy);
    const Integer bladeY = LastDrawnState ? a : a - 18;
    canvas.MoveTo(moving, a);
    canvas.LineTo(fixed, bladeY);
    Circle(canvas, moving, a, 6);
    Circle(canvas, fixed, cy, 6);
    if (IsPushButton()) {
        const Integer mid = (moving + fixed) / 2;
        const Integer capY = cy - 30;
        canvas.Polyline({TPoint{mid - 10, capY + 6}, TPoint{mid - 10, capY}, TPoint{mid + 10, capY},
                         TPoint{mid + 10, capY + 6}});
        canvas.Pen.Width = 1;
        canvas.MoveTo(mid, capY);
        canvas.LineTo(mid, (a + bladeY) / 2);
        canvas.Pen.Width = 2;
    }
}

TBTTaster::TBTTaster() : TLogicSchalterBT(TasterInfo) {}

TBTSchalter::TBTSchalter() : TLogicSchalterBT(SchalterInfo) {}

// ---- Analog members

void TAnalogSchalterBT::DrawLiveState(TCanvas& canvas)
{
    if (const bool state = ReadState(); Switch() && state != LastState) {
        LastState = state;
        Draw(canvas);
    }
    TGrundBT::DrawLiveState(canvas);
}

void TAnalogSchalterBT::DrawSymbol(TCanvas& canvas)
{
    const Integer cx = BodyRect.Left + BodyRect.Width() / 2;
    const Integer cy = BodyRect.Top + BodyRect.Height() / 2;
    // The single pin's side: outputs on the right for the "2 inputs" kind,
    // the input on the left for the "2 outputs" kind; mirroring swaps.
    const bool singleLeft = TwoOutputs() != Mirrored;
    const Integer single = singleLeft ? BodyRect.Left : BodyRect.Right;
    const Integer pair = singleLeft ? BodyRect.Right : BodyRect.Left;
    const Integer dir = singleLeft ? 1 : -1;
    const TPinList& singlePins = TwoOutputs() ? Inputs : Outputs;
    const TPinList& pairPins = TwoOutputs() ? Outputs : Inputs;
    const Integer ys = singlePins.size() > 0 ? singlePins[0].Y : cy;
    const Integer moving = single + dir * 20;
    const Integer fixed = pair - dir * 20;
    canvas.MoveTo(single, ys);
    canvas.LineTo(moving, ys);
    for (const TBauteilPin& pin : pairPins) {
        canvas.MoveTo(pair, pin.Y);
        canvas.LineTo(fixed, pin.Y);
        Circle(canvas, fixed, pin.Y, 6);
    }
    const Integer bladeY = LastState == Mirrored ? ys - 14 : ys + 14;
    canvas.MoveTo(moving, ys);
    canvas.LineTo(fixed, bladeY);
    Circle(canvas, moving, ys, 6);
    if (IsPushButton()) {
        const Integer capY = cy - 40;
        canvas.Polyline({TPoint{cx - 15, capY + 6}, TPoint{cx - 15, capY}, TPoint{cx + 15, capY},
                         TPoint{cx + 15, capY + 6}});
        canvas.Pen.Width = 1;
        canvas.MoveTo(cx, capY);
        canvas.LineTo(cx, ys + (bladeY - ys) / 2);
        canvas.Pen.Width = 2;
    }
}

void TAnalogInputsSchalterBT::InputsCreated()
{
    Inputs[0].Name = "E0";
    Inputs[1].Name = "E1";
}

void TAnalogInputsSchalterBT::OutputsCreated()
{
    Outputs[0].Name = "";
}

void TAnalogInputsSchalterBT::Calculate()
{
    SetOutputValue(0, InputValue(ReadState() ? 1 : 0));
}

void TAnalogOutputsSchalterBT::InputsCreated()
{
    Inputs[0].Name = "";
}

void TAnalogOutputsSchalterBT::OutputsCreated()
{
    Outputs[0].Name = "A1";
    Outputs[1].Name = "A0";
}

void TAnalogOutputsSchalterBT::Calculate()
{
    const Extended v = InputValue(0);
    const bool on = ReadState();
    SetOutputValue(0, on ? v : 0.0L);
    SetOutputValue(1, on ? 0.0L : v);
}

TBTAnalogTaster::TBTAnalogTaster() : TAnalogInputsSchalterBT(AnalogTasterInfo) {}

TBTAnalogSchalter::TBTAnalogSchalter() : TAnalogInputsSchalterBT(AnalogSchalterInfo) {}

TBTAnalogTaster2::TBTAnalogTaster2() : TAnalogOutputsSchalterBT(AnalogTaster2Info) {}

TBTAnalogSchalter2::TBTAnalogSchalter2() : TAnalogOutputsSchalterBT(AnalogSchalter2Info) {}
