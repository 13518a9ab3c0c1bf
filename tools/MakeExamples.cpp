// Writes the example projects into the program folder's examples folder of
// each language ("Beispiele", "Examples", "Exemples"), built from the
// registered component classes, so the examples always read with the program
// beside them. Each example is a function that fills a board and its front
// panel.
//
// Usage: zk_make_examples <program folder>
#include "components/analog/BT_Konstanten.h"
#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_Gatter.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/BT_Zaehler.h"
#include "engine/Bauteil.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "engine/Text.h"
#include "panel/elements/ElementClasses.h"
#include "panel/elements/FP_LED.h"
#include "panel/elements/FP_Lampe.h"
#include "panel/elements/FP_Schalter.h"
#include "panel/framework/FP_Decorations.h"
#include "panel/framework/Frontplatte.h"
#include "panel/framework/PanelClasses.h"
#include "platform/AnsiText.h"
#include "project/ProjectFile.h"
#include "tools/ToolStartup.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <vector>

namespace {

template <class T>
T* Place(TPlatine& board, Integer x, Integer y)
{
    T* component = static_cast<T*>(CreateBauteil<T>());
    component->X = x;
    component->Y = y;
    component->LayoutPins();
    board.InsertObject(component);
    return component;
}

TIOBauteil* Place(TPlatine& board, std::string_view className, Integer x, Integer y)
{
    TIOBauteil* component = CreateComponent(className);
    component->X = x;
    component->Y = y;
    component->LayoutPins();
    board.InsertObject(component);
    return component;
}

TPoint PinAt(const TBauteilPin& pin)
{
    return TPoint{pin.X, pin.Y};
}

// A wire along the points, piece by piece.
void Wire(TPlatine& board, const std::vector<TPoint>& points)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i - 1] != points[i])
            board.AddWireAndNormalise(points[i - 1], points[i]);
}

// An output feeding several inputs over a vertical bus at x: the bus is cut
// at every branch so that every joint is a meeting of wire ends.
void Bus(TPlatine& board, const TBauteilPin& from, Integer x, const std::vector<const TBauteilPin*>& to)
{
    const TPoint start = PinAt(from);
    Wire(board, {start, TPoint{x, start.Y}});
    std::vector<Integer> ys{start.Y};
    for (const TBauteilPin* pin : to) {
        ys.push_back(pin->Y);
        Wire(board, {TPoint{x, pin->Y}, PinAt(*pin)});
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    for (std::size_t i = 1; i < ys.size(); ++i)
        Wire(board, {TPoint{x, ys[i - 1]}, TPoint{x, ys[i]}});
}

// The component moved so that the pin lies at the height y.
template <class T>
T* Level(T* component, const TBauteilPin& pin, Integer y)
{
    component->Y += y - pin.Y;
    component->LayoutPins();
    return component;
}

// A component placed so that its first output lies at the height y.
TIOBauteil* PlaceOutputAt(TPlatine& board, std::string_view className, Integer x, Integer y)
{
    TIOBauteil* component = Place(board, className, x, y);
    return Level(component, component->Outputs[0], y);
}

template <class T>
T* PlaceOutputAt(TPlatine& board, Integer x, Integer y)
{
    return static_cast<T*>(PlaceOutputAt(board, T::StaticClass().Name, x, y));
}

// A component at x whose first input lies at height y, level with what drives it.
TIOBauteil* PlaceInputAt(TPlatine& board, std::string_view className, Integer x, Integer y)
{
    TIOBauteil* component = Place(board, className, x, y);
    return Level(component, component->Inputs[0], y);
}

template <class T>
T* PlaceInputAt(TPlatine& board, Integer x, Integer y)
{
    return static_cast<T*>(PlaceInputAt(board, T::StaticClass().Name, x, y));
}

// A wire with one bend: along the source's height to x, then to the
// target's height and on to it.
void Route(TPlatine& board, const TBauteilPin& from, Integer x, const TBauteilPin& to)
{
    Wire(board, {PinAt(from), TPoint{x, from.Y}, TPoint{x, to.Y}, PinAt(to)});
}

// The text of the example's language, from UTF-8.
AnsiString Say(const char* german, const char* english, const char* french)
{
    return QStringToAnsi(QString::fromUtf8(ByLanguage(german, english, french)));
}

// A line of explanation on the board; bold for a title.
void Label(TPlatine& board, Integer x, Integer y, const AnsiString& text, bool title = false)
{
    auto* label = static_cast<TText*>(CreateBauteil<TText>());
    label->X = x;
    label->Y = y;
    // A label holds one short line.
    if (text.size() > TextMaxLength)
        throw std::runtime_error("label longer than " + std::to_string(TextMaxLength) + ": " + text);
    label->Text = text;
    // Large enough to read at the zoom that shows the whole example.
    label->Font.Height = title ? -80 : -50;
    if (title)
        label->Font.Style = fsBold;
    board.InsertObject(label);
}

// Lines of explanation one below the other.
void Lines(TPlatine& board, Integer x, Integer y, std::initializer_list<AnsiString> lines)
{
    for (const AnsiString& line : lines) {
        Label(board, x, y, line);
        y += 65;
    }
}

// An example's title and the lines under it that say what to try, at the
// board's top left.
void Introduce(TPlatine& board, const AnsiString& title, std::initializer_list<AnsiString> lines)
{
    Label(board, 300, 150, title, true);
    Lines(board, 300, 260, lines);
}

// The component's element on the panel, linked and named as the program
// links a component placed from the palette.
template <class T>
T* Element(TFrontplatte& panel, TIOBauteil* component, Integer left, Integer top, Integer width, Integer height)
{
    TDesign& design = *panel.Root;
    auto* element = dynamic_cast<T*>(design.AddElement(component->PanelElementClass));
    if (!element)
        throw std::runtime_error("no element " + component->PanelElementClass);
    element->OwnerDesign = &design;
    element->SetElementName(component->Designator + std::to_string(component->Number));
    component->SetPanelElement(element);
    element->SetLinkedComponent(component);
    element->SetBounds(left, top, width, height);
    return element;
}

// A text on the panel.
void PanelLabel(TFrontplatte& panel, Integer left, Integer top, Integer width, const AnsiString& text,
                bool title = false, bool centred = false)
{
    auto* label = dynamic_cast<TBeschriftung*>(panel.Root->AddElement("TBeschriftung"));
    label->OwnerDesign = panel.Root.get();
    label->Text = text;
    if (centred)
        label->Alignment = TBeschriftung::taCenter;
    if (title) {
        label->Font.Height = -16;
        label->Font.Style = fsBold;
    }
    label->SetBounds(left, top, width, title ? 24 : 18);
}

// A round yellow lamp, as a lamp is expected to look.
void YellowLamp(TPLampe& lamp)
{
    lamp.Renderer->SetLedClass(ialcRound);
    lamp.Renderer->SetLedPlasticColor(0x00FFFF);
    lamp.BaseColor = 0x00FFFF;
}

// The panel window's title and client size.
void PanelWindowAs(TFrontplatte& panel, const AnsiString& title, Integer width, Integer height)
{
    panel.Title = title;
    panel.Root->SetElementName(title);
    const QRect bounds = panel.WindowBounds();
    panel.SetWindowBounds(QRect(bounds.x(), bounds.y(), width, height));
}

// Gates: a slow clock feeds an AND, an OR and an XOR gate, whose other input
// is a steady HIGH, and an inverter; each output lights an LED on the panel.
// No wire crosses another: crossing wires that met would join their nets.
void GateDemo(TPlatine& board, TFrontplatte& panel)
{
    Introduce(board, Say("Logikgatter", "Logic gates", "Portes logiques"),
              {Say("Starten Sie die Simulation: der Takt schaltet", "Start the simulation: the clock switches the",
                   "Lancez la simulation : l'horloge commute la"),
               Say("den zweiten Eingang jedes Gatters, der erste", "second input of each gate, the first is held",
                   "seconde entrée de chaque porte, la première"),
               Say("liegt fest auf HIGH. Die LEDs rechts und auf", "HIGH. The LEDs on the right and on the front",
                   "est fixée à l'état haut. Les LED à droite et"),
               Say("der Frontplatte zeigen die Ausgänge.", "panel show the outputs.",
                   "sur la face avant montrent les sorties.")});
    auto* clock = static_cast<TBTHiTakt*>(Place(board, "TBTHiTakt", 300, 2100));
    clock->Frequency = 1;
    const Integer gateX = 1800;
    auto* gateAnd = Place(board, "TBTAnd", gateX, 750);
    auto* gateOr = Place(board, "TBTOr", gateX, 1200);
    auto* gateXor = Place(board, "TBTExor", gateX, 1650);
    auto* inverter = Place(board, "TBTInverter", gateX, 2100);
    // Each gate's first input straight from a supply of its own.
    for (TIOBauteil* gate : std::vector<TIOBauteil*>{gateAnd, gateOr, gateXor}) {
        auto* high = PlaceOutputAt(board, "TBTVcc", 1300, gate->Inputs[0].Y);
        Wire(board, {PinAt(high->Outputs[0]), PinAt(gate->Inputs[0])});
    }
    Bus(board, clock->Outputs[0], 1100,
        {&gateAnd->Inputs[1], &gateOr->Inputs[1], &gateXor->Inputs[1], &inverter->Inputs[0]});
    // Each output lights an LED on the panel, in a row with its gate's name.
    const AnsiString names[4] = {Say("UND", "AND", "ET"), Say("ODER", "OR", "OU"), "XOR",
                                 Say("NICHT", "NOT", "NON")};
    Integer column = 0;
    for (TIOBauteil* gate : std::vector<TIOBauteil*>{gateAnd, gateOr, gateXor, inverter}) {
        const TBauteilPin& out = gate->Outputs[0];
        auto* led = Place(board, "TBTLed", 0, 0);
        led->X += out.X + 400 - led->Inputs[0].X;
        led->Y += out.Y - led->Inputs[0].Y;
        led->LayoutPins();
        Wire(board, {PinAt(out), PinAt(led->Inputs[0])});
        const Integer centre = 72 + 90 * column++;
        Element<TPLED>(panel, led, centre - 15, 70, 30, 30);
        PanelLabel(panel, centre - 45, 110, 90, names[column - 1], false, true);
    }
    PanelLabel(panel, 12, 10, 390, Say("Logikgatter", "Logic gates", "Portes logiques"), true);
    PanelWindowAs(panel, Say("Gatter", "Gates", "Portes"), 415, 210);
}

// Counter: a clock steps a decade counter, whose count the seven-segment
// decoder turns into the segments a to g; seven bar-shaped LEDs on the panel
// form the digit. The decoder's outputs fan out to LEDs spaced wider than
// the pins, the outermost wires bending first so that none crosses another.
void CounterDemo(TPlatine& board, TFrontplatte& panel)
{
    Introduce(board, Say("Zähler mit Siebensegmentanzeige", "Counter with a seven-segment display",
                         "Compteur avec afficheur 7 segments"),
              {Say("Starten Sie die Simulation: der Takt lässt", "Start the simulation: the clock steps",
                   "Lancez la simulation : l'horloge fait avancer"),
               Say("den Zähler von 0 bis 9 zählen, die Ziffer", "the counter from 0 to 9, and the digit",
                   "le compteur de 0 à 9, et le chiffre"),
               Say("auf der Frontplatte folgt. Ein Doppelklick", "on the front panel follows. Double-click",
                   "suit sur la face avant. Un double-clic"),
               Say("auf den Takt ändert die Frequenz.", "the clock to change its frequency.",
                   "sur l'horloge change sa fréquence.")});
    const Integer top = 900;
    auto* counter = Place(board, "TBTCNT4D", 1300, top);
    auto* decoder = PlaceInputAt(board, "TBTSeg7Decoder", 2100, counter->Outputs[4].Y);
    for (Integer bit = 0; bit < 4; ++bit)
        Wire(board, {PinAt(counter->Outputs[4 - bit]), PinAt(decoder->Inputs[bit])});

    auto* clock =
        static_cast<TBTHiTakt*>(PlaceOutputAt(board, "TBTHiTakt", 500, counter->Inputs[TZaehler::ClockInput].Y));
    clock->Frequency = 2;
    Wire(board, {PinAt(clock->Outputs[0]), PinAt(counter->Inputs[TZaehler::ClockInput])});
    // Reset, direction and both enables held high: count up.
    auto* high = PlaceOutputAt(board, "TBTVcc", 700, counter->Inputs[TZaehler::EnablePInput].Y + 200);
    Bus(board, high->Outputs[0], 1100,
        {&counter->Inputs[TZaehler::ResetInput], &counter->Inputs[TZaehler::DirectionInput],
         &counter->Inputs[TZaehler::EnableTInput], &counter->Inputs[TZaehler::EnablePInput]});

    // Segment a is the top output, g the bottom one; the LEDs 160 apart
    // around the middle segment's height.
    const Integer middle = 3;
    const Integer ledX = decoder->Outputs[0].X + 500;
    const Integer pitch = 160;
    // Where each segment's bar lies in the digit.
    const Integer bar = 12, len = 52;
    const Integer dx = 170, dy = 80;
    const TRect bars[7] = {
        {dx + bar, dy, dx + bar + len, dy + bar},                                // a
        {dx + bar + len, dy + bar, dx + 2 * bar + len, dy + bar + len},          // b
        {dx + bar + len, dy + 2 * bar + len, dx + 2 * bar + len, dy + 2 * bar + 2 * len},   // c
        {dx + bar, dy + 2 * bar + 2 * len, dx + bar + len, dy + 3 * bar + 2 * len},         // d
        {dx, dy + 2 * bar + len, dx + bar, dy + 2 * bar + 2 * len},              // e
        {dx, dy + bar, dx + bar, dy + bar + len},                                // f
        {dx + bar, dy + bar + len, dx + bar + len, dy + 2 * bar + len},          // g
    };
    for (Integer segment = 0; segment < 7; ++segment) {
        const TBauteilPin& out = decoder->Outputs[6 - segment];
        auto* led = PlaceInputAt(board, "TBTLed", ledX, out.Y + (segment - middle) * pitch);
        const Integer bend = out.X + 80 + 60 * (middle - std::abs(segment - middle));
        Route(board, out, bend, led->Inputs[0]);
        const TRect& r = bars[segment];
        auto* element = Element<TPLED>(panel, led, r.Left, r.Top, r.Width(), r.Height());
        element->Shape = TPLED::Square;
        element->Colour1 = 0x0000FF;   // red
    }
    Lines(board, decoder->X - 200, decoder->Outputs[0].Y + 3 * pitch + 150,
          {Say("Die LEDs a bis g bilden", "The LEDs a to g form", "Les LED a à g forment"),
           Say("die Ziffer auf der Frontplatte.", "the digit on the front panel.", "le chiffre sur la face avant.")});
    PanelLabel(panel, 12, 10, 390, Say("Zähler 0 bis 9", "Counter 0 to 9", "Compteur de 0 à 9"), true);
    PanelLabel(panel, 12, 40, 390,
               Say("Die LEDs a bis g bilden die Ziffer.", "The LEDs a to g form the digit.",
                   "Les LED a à g forment le chiffre."));
    PanelWindowAs(panel, Say("Zähler", "Counter", "Compteur"), 415, 300);
}

// Blinking LED: a clock of 1 Hz drives an LED whose element sits on the panel.
void BlinkDemo(TPlatine& board, TFrontplatte& panel)
{
    Introduce(board, Say("Blinkende LED", "Blinking LED", "LED clignotante"),
              {Say("Starten Sie die Simulation: die LED auf der", "Start the simulation: the LED on the front",
                   "Lancez la simulation : la LED de la face"),
               Say("Frontplatte blinkt im Takt von 1 Hz.", "panel blinks with the clock at 1 Hz.",
                   "avant clignote au rythme de l'horloge (1 Hz)."),
               Say("Ein Doppelklick auf den Takt ändert die", "Double-click the clock to change its",
                   "Un double-clic sur l'horloge change sa"),
               Say("Frequenz, auf die LED ihre Farbe.", "frequency, the LED to change its colour.",
                   "fréquence, sur la LED sa couleur.")});
    auto* clock = static_cast<TBTHiTakt*>(Place(board, "TBTHiTakt", 500, 900));
    clock->Frequency = 1;
    auto* led = PlaceInputAt(board, "TBTLed", 2200, clock->Outputs[0].Y);
    Wire(board, {PinAt(clock->Outputs[0]), PinAt(led->Inputs[0])});
    Element<TPLED>(panel, led, 187, 70, 40, 40);
    PanelLabel(panel, 12, 10, 390, Say("Blinkende LED", "Blinking LED", "LED clignotante"), true);
    PanelLabel(panel, 12, 130, 390,
               Say("Die LED blinkt einmal pro Sekunde.", "The LED blinks once a second.",
                   "La LED clignote une fois par seconde."));
    PanelWindowAs(panel, Say("Blinklicht", "Blinking LED", "LED clignotante"), 415, 230);
}

// Switch and lamp: the switch on the panel turns the lamp on the panel on
// and off through the circuit.
void SwitchLampDemo(TPlatine& board, TFrontplatte& panel)
{
    Introduce(board, Say("Schalter und Lampe", "Switch and lamp", "Interrupteur et lampe"),
              {Say("Starten Sie die Simulation und klicken Sie", "Start the simulation and click the switch",
                   "Lancez la simulation et cliquez sur"),
               Say("auf der Frontplatte auf den Schalter:", "on the front panel: the lamp lights up",
                   "l'interrupteur de la face avant :"),
               Say("die Lampe leuchtet, solange er an ist.", "while the switch is on.",
                   "la lampe s'allume tant qu'il est fermé.")});
    auto* sw = Place(board, "TBTSchalter", 500, 900);
    auto* lamp = PlaceInputAt(board, "TBTLampe", 2200, sw->Outputs[0].Y);
    Wire(board, {PinAt(sw->Outputs[0]), PinAt(lamp->Inputs[0])});
    auto* element = Element<TSchalter>(panel, sw, 110, 70, 40, 60);
    element->LoadPictures();
    // Centred above its caption, whatever size its picture gave it.
    element->SetBounds(130 - element->width() / 2, 95 - element->height() / 2, element->width(), element->height());
    YellowLamp(*Element<TPLampe>(panel, lamp, 255, 70, 50, 50));
    PanelLabel(panel, 12, 10, 390, Say("Schalter und Lampe", "Switch and lamp", "Interrupteur et lampe"), true);
    PanelLabel(panel, 80, 140, 100, Say("Schalter", "Switch", "Interrupteur"), false, true);
    PanelLabel(panel, 230, 140, 100, Say("Lampe", "Lamp", "Lampe"), false, true);
    PanelWindowAs(panel, Say("Schalter und Lampe", "Switch and lamp", "Interrupteur et lampe"), 415, 240);
}

// A constant feeding an input from the left, placed so that its output lies
// at the height y.
TBTFest* Constant(TPlatine& board, Extended value, Integer x, Integer y)
{
    auto* constant = dynamic_cast<TBTFest*>(PlaceOutputAt(board, "TBTFest", x, y));
    constant->Value = value;
    return constant;
}

// PID loop: the controller drives a first-order lag (the plant) towards the
// setpoint that a switch on the panel chooses; the plant's output is fed
// back, shown by a test point and lights a lamp on the panel. The feedback
// runs above and around the setpoint, so that no
// wire crosses another.
void PidDemo(TPlatine& board, TFrontplatte& panel)
{
    Introduce(board, Say("PID-Regelkreis", "PID control loop", "Boucle de régulation PID"),
              {Say("Der PID-Regler führt die Regelstrecke (PT1)", "The PID controller drives the plant (PT1)",
                   "Le régulateur PID amène le système (PT1)"),
               Say("auf den Sollwert. Starten Sie die Simulation", "to the setpoint. Start the simulation and",
                   "à la consigne. Lancez la simulation et"),
               Say("und schalten Sie auf der Frontplatte den", "flip the switch on the front panel to set",
                   "basculez l'interrupteur de la face avant pour"),
               Say("Sollwert zwischen 2 und 5 um: der Istwert", "the setpoint to 2 or 5: the actual value",
                   "choisir la consigne 2 ou 5 : la valeur réelle"),
               Say("folgt, die Lampe wird dunkler oder heller.", "follows and the lamp dims or brightens.",
                   "suit et la lampe s'assombrit ou s'éclaire."),
               Say("Im Stopp ändert ein Doppelklick auf KP, KI", "While stopped, double-click KP, KI or KD",
                   "À l'arrêt, un double-clic sur KP, KI ou KD"),
               Say("oder KD den Wert.", "to change its value.", "change sa valeur.")});
    const Integer top = 1350;
    auto* pid = Place(board, "TBT_PID_Regler", 1600, top);
    auto* plant = PlaceInputAt(board, "TBTPT1", 2600, pid->Outputs[0].Y);
    Wire(board, {PinAt(pid->Outputs[0]), PinAt(plant->Inputs[0])});

    // The setpoint above the controller, down to X+: the switch on the
    // panel chooses 2 (off, E0) or 5 (on, E1).
    auto* chooser = PlaceOutputAt(board, "TBTAnalogSchalter", 1000, pid->Inputs[0].Y - 160);
    Route(board, chooser->Outputs[0], pid->Inputs[0].X - 160, pid->Inputs[0]);
    auto* low = Constant(board, 2, 600, chooser->Inputs[0].Y - 160);
    Route(board, low->Outputs[0], chooser->Inputs[0].X - 40, chooser->Inputs[0]);
    auto* highSetpoint = Constant(board, 5, 600, chooser->Inputs[1].Y);
    Wire(board, {PinAt(highSetpoint->Outputs[0]), PinAt(chooser->Inputs[1])});
    Label(board, chooser->X - 40, chooser->Y - 90, Say("Sollwert", "Setpoint", "Consigne"));
    const TBTFest* setpoint = low;   // the topmost part the feedback passes over
    // KP, KI, KD and the reset held high: further pins bend nearer the controller.
    auto* kp = Constant(board, 1, 1000, pid->Inputs[2].Y);
    Wire(board, {PinAt(kp->Outputs[0]), PinAt(pid->Inputs[2])});
    auto* ki = Constant(board, 1, 1000, pid->Inputs[2].Y + 160);
    Route(board, ki->Outputs[0], pid->Inputs[0].X - 120, pid->Inputs[3]);
    auto* kd = Constant(board, 0.05L, 1000, pid->Inputs[2].Y + 320);
    Route(board, kd->Outputs[0], pid->Inputs[0].X - 80, pid->Inputs[4]);
    auto* run = PlaceOutputAt(board, "TBTVcc", 1000, pid->Inputs[2].Y + 480);
    Route(board, run->Outputs[0], pid->Inputs[0].X - 40, pid->Inputs[5]);
    for (TBTFest* constant : {kp, ki, kd})
        Label(board, 880, constant->Outputs[0].Y - 30, constant == kp ? "KP" : constant == ki ? "KI" : "KD");

    Label(board, pid->X - 40, pid->Y - 90, Say("Regler", "Controller", "Régulateur"));
    Label(board, plant->X - 60, plant->Y - 90, Say("Strecke", "Plant", "Système"));
    // The plant: gain 1, time constant 1 s, running.
    auto* gain = Constant(board, 1, 2150, plant->Inputs[1].Y);
    Wire(board, {PinAt(gain->Outputs[0]), PinAt(plant->Inputs[1])});
    auto* rate = Constant(board, 1, 2150, plant->Inputs[1].Y + 160);
    Route(board, rate->Outputs[0], plant->Inputs[0].X - 80, plant->Inputs[2]);
    auto* plantRun = PlaceOutputAt(board, "TBTVcc", 2150, plant->Inputs[1].Y + 320);
    Route(board, plantRun->Outputs[0], plant->Inputs[0].X - 40, plant->Inputs[3]);

    // The actual value: a test point to the right, the lamp below, and the
    // feedback over the top to X-.
    const TBauteilPin& actual = plant->Outputs[0];
    const Integer joint = actual.X + 200;
    Wire(board, {PinAt(actual), TPoint{joint, actual.Y}});
    auto* probe = PlaceInputAt(board, "TBTTestpunkt", joint + 300, actual.Y);
    Wire(board, {TPoint{joint, actual.Y}, PinAt(probe->Inputs[0])});
    auto* lamp = PlaceInputAt(board, "TBTLampe", joint + 300, actual.Y + 400);
    Wire(board, {TPoint{joint, actual.Y}, TPoint{joint, lamp->Inputs[0].Y}, PinAt(lamp->Inputs[0])});
    const Integer over = setpoint->Outputs[0].Y - 220;
    const Integer back = 400;
    Wire(board, {TPoint{joint, actual.Y}, TPoint{joint, over}, TPoint{back, over}, TPoint{back, pid->Inputs[1].Y},
                 PinAt(pid->Inputs[1])});
    Label(board, joint + 60, actual.Y - 110,
          Say("Istwert", "Actual value", "Valeur réelle"));

    auto* toggle = Element<TSchalter>(panel, chooser, 110, 70, 40, 60);
    toggle->LoadPictures();
    toggle->SetBounds(130 - toggle->width() / 2, 95 - toggle->height() / 2, toggle->width(), toggle->height());
    auto* element = Element<TPLampe>(panel, lamp, 255, 65, 60, 60);
    YellowLamp(*element);
    element->SetNennSpannung(5);
    PanelLabel(panel, 12, 10, 390, Say("PID-Regelkreis", "PID control loop", "Boucle de régulation PID"), true);
    PanelLabel(panel, 60, 140, 140, Say("Sollwert 2 / 5", "Setpoint 2 / 5", "Consigne 2 / 5"), false, true);
    PanelLabel(panel, 210, 140, 150, Say("Istwert", "Actual value", "Valeur réelle"), false, true);
    PanelWindowAs(panel, Say("PID-Regler", "PID controller", "Régulateur PID"), 415, 240);
}

struct TExample {
    const char* FileName[3];
    void (*Build)(TPlatine&, TFrontplatte&);
};

const TExample Examples[] = {
    {{"Gatter.prj", "Gates.prj", "Portes logiques.prj"}, GateDemo},
    {{"Zähler.prj", "Counter.prj", "Compteur.prj"}, CounterDemo},
    {{"Blinklicht.prj", "Blinking LED.prj", "LED clignotante.prj"}, BlinkDemo},
    {{"Schalter und Lampe.prj", "Switch and lamp.prj", "Interrupteur et lampe.prj"}, SwitchLampDemo},
    {{"PID-Regler.prj", "PID controller.prj", "Régulateur PID.prj"}, PidDemo},
};

const char* const Folders[3] = {"Beispiele", "Examples", "Exemples"};

}   // namespace

int main(int argc, char** argv)
{
    return RunTool(argc, argv, argc == 2, "<program folder>", [argv] {
        RegisterPanelClasses();
        RegisterElementClasses();
        const QDir program(QString::fromLocal8Bit(argv[1]));
        for (int language = 0; language < 3; ++language) {
            // Captions are the type names of the example's language.
            LanguageIndex = language;
            const QString folder = program.filePath(Folders[language]);
            CreateFolder(folder);
            for (const TExample& example : Examples) {
                TFrontplatte panel;
                panel.ResetToNewProject();
                TPlatine board;
                // The elements' records go with their components, as the
                // program writes them.
                board.OnWriteFPDaten = [](TPlatine*, TIOBauteil* component, TStream& stream, TWriter& writer) {
                    IFP_Element* element = component->PanelElement;
                    if (IDesign* design = element->Design())
                        design->WriteElement(element, stream, writer);
                };
                example.Build(board, panel);
                WriteProjectFile(QStringToAnsi(QDir(folder).filePath(QString::fromUtf8(example.FileName[language]))),
                                 board, *panel.RootDesign(), panel);
            }
        }
    });
}
