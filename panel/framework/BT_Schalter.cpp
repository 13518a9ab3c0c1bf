#include "panel/framework/BT_Schalter.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/PanelInterfaces.h"
#include "panel/framework/IndicatorElements.h"
#include "platform/Canvas.h"

namespace {

void Circle(TCanvas& canvas, Integer x, Integer y, Integer r)
{
    canvas.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
}

constexpr TPinSide TwoInputPins{.Count = 2, .Names = "E0,E1"};
constexpr TPinSide OneOutput{.Count = 1, .Names = ""};
constexpr TPinSide OneInput{.Count = 1, .Names = ""};
constexpr TPinSide TwoOutputPins{.Count = 2, .Names = "A1,A0"};

const TSwitchRow Switches[] = {
    {.Component = {.Class = RowClass<TLogicSchalterBT>("TBTTaster"),
                   .TypeName = {"Taster\rlogisch", "Push button", "Boutton-poussoir"},
                   .HelpContext = 18105,
                   .Outputs = OneOutput,
                   .ElementClass = "TSchalter"},
     .Designators = {"T", "PB", "BP"},
     .PushButton = true},
    {.Component = {.Class = RowClass<TLogicSchalterBT>("TBTSchalter"),
                   .TypeName = {"Schalter\rlogisch", "Switch", "Interrupteur"},
                   .HelpContext = 18100,
                   .Outputs = OneOutput,
                   .ElementClass = "TSchalter"},
     .Designators = {"S", "SW", "IN"},
     .PushButton = false},
    {.Component = {.Class = RowClass<TAnalogInputsSchalterBT>("TBTAnalogSchalter"),
                   .TypeName = {"Schalter\r2 Eingänge"_ansi, "Switch\r2 inputs", "Commutateur\r2 Entrées"_ansi},
                   .HelpContext = 18165,
                   .Inputs = TwoInputPins,
                   .Outputs = OneOutput,
                   .ElementClass = "TSchalter"},
     .Designators = {"SB", "SWB", "CM"},
     .PushButton = false},
    {.Component = {.Class = RowClass<TAnalogOutputsSchalterBT>("TBTAnalogSchalter2"),
                   .TypeName = {"Schalter\r2 Ausgänge"_ansi, "Switch\r2 outputs", "Interrupteur\r2 Sorties"},
                   .HelpContext = 18170,
                   .Inputs = OneInput,
                   .Outputs = TwoOutputPins,
                   .ElementClass = "TSchalter"},
     .Designators = {"SA", "SWA", "INA"},
     .PushButton = false},
    {.Component = {.Class = RowClass<TAnalogInputsSchalterBT>("TBTAnalogTaster"),
                   .TypeName = {"Taster\r2 Eingänge"_ansi, "Push button\r2 inputs", "Bouton-poussoir\r2 Entrées"_ansi},
                   .HelpContext = 18165,
                   .Inputs = TwoInputPins,
                   .Outputs = OneOutput,
                   .ElementClass = "TSchalter"},
     .Designators = {"TB", "PBB", "BP"},
     .PushButton = true},
    {.Component = {.Class = RowClass<TAnalogOutputsSchalterBT>("TBTAnalogTaster2"),
                   .TypeName = {"Taster\r2 Ausgänge"_ansi, "Push button\r2 outputs", "Bouton-poussoir\r2 Sorties"},
                   .HelpContext = 18170,
                   .Inputs = OneInput,
                   .Outputs = TwoOutputPins,
                   .ElementClass = "TSchalter"},
     .Designators = {"TA", "PBA", "PBA"},
     .PushButton = true},
};

} // namespace

TRowList SwitchRows()
{
    return RowList(Switches);
}

// ---- Shared

TSchalterBT::TSchalterBT(const TComponentRow& row) : TBTFront(row), row_(FamilyRow<TSwitchRow>(row))
{
    Designator = ByLanguage(row_.Designators[0], row_.Designators[1], row_.Designators[2]);
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
    canvas.Pen.Color = FigureColor();
    DrawSymbol(canvas);
    canvas.Pen.Width = 1;
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

// ---- Logic members

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

void TAnalogInputsSchalterBT::Calculate()
{
    SetOutputValue(0, InputValue(ReadState() ? 1 : 0));
}

void TAnalogOutputsSchalterBT::Calculate()
{
    const Extended v = InputValue(0);
    const bool on = ReadState();
    SetOutputValue(0, on ? v : 0.0L);
    SetOutputValue(1, on ? 0.0L : v);
}

