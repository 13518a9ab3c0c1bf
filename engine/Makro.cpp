#include "engine/Makro.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "engine/ShellHooks.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/Stream.h"

#include <string>

namespace {

TBauteilPin* DriverAt(const std::vector<TBauteilPin*>& drivers, std::size_t i)
{
    return i < drivers.size() ? drivers[i] : nullptr;
}

} // namespace

TMakro::TMakro()
{
    SetInputCount(1);
    SetOutputCount(1);
    HasPropertyDialog = true;
    HelpContext = 13010;
    Designator = "MCR";
}

TMakro::~TMakro()
{
    // The links to the macro's outputs are cleared while its board is known;
    // then the inner board goes, and the base class finds no board any more.
    ForgetOutputLinks();
    delete InnerBoard();
    Board = nullptr;
}

void TMakro::FreeInnerBoard()
{
    TPlatine* inner = InnerBoard();
    if (!inner)
        return;
    Board = inner->ParentBoard;
    delete inner;
}

TPlatine* TMakro::InnerBoard() const
{
    return Board && Board->OwnerMacro == this ? Board : nullptr;
}

TPlatine* TMakro::HostBoard() const
{
    if (TPlatine* inner = InnerBoard())
        return inner->ParentBoard;
    return Board;
}

void TMakro::SetPinCount(Integer n)
{
    n = std::max(n, 0);
    if (n % 2 != 0)
        ++n;
    PinCount = n;
    SetInputCount(n / 2);
    SetOutputCount(n / 2);
}

TBauteilPin* TMakro::MacroPin(Integer k)
{
    if (k < 1 || k > PinCount)
        return nullptr;
    if (k <= PinCount / 2)
        return k - 1 < InputCount ? &Inputs[k - 1] : nullptr;
    const Integer o = k - InputCount - 1;
    return o >= 0 && o < OutputCount ? &Outputs[o] : nullptr;
}

void TMakro::SetPinName(Integer k, const AnsiString& name)
{
    if (TBauteilPin* pin = MacroPin(k))
        pin->Name = name;
}

namespace {

// Edits one short text in the property sheet: the text after the sheet closes.
template <std::size_t N>
Integer EditShortText(const TIOBauteil& object, TShortString<N>& text)
{
    AnsiString value = text;
    const Integer result = ShellHooks.TextRowDialog ? ShellHooks.TextRowDialog(object.GetTypeName(), object.HelpContext, Translate("Bezeichnung"), value,
                                           static_cast<Integer>(N), 64)
                           : 0;
    text = value;
    return result;
}

} // namespace

Integer TMakro::EditProperties()
{
    const Integer result = EditShortText(*this, Name);
    if (OnEdited)
        OnEdited(this);
    return result;
}

Integer TBTPin::EditProperties()
{
    const Integer result = EditShortText(*this, Label);
    if (OnEdited)
        OnEdited(this);
    return result;
}

AnsiString TMakro::GetTypeName() const
{
    if (!Name.empty())
        return Name;
    return ByLanguage("Makro", "Macro", "Macro");
}

AnsiString TMakro::GetHintText()
{
    return GetTypeName() + " " + std::to_string(Number) + CR + Name;
}

void TMakro::Draw(TCanvas& canvas)
{
    canvas.Font.Name = ArialFamily;
    canvas.Font.Height = 26;
    canvas.Font.Style = fsItalic;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 3;
    auto drawPin = [&](const TBauteilPin& pin, bool isInput) {
        const bool left = isInput != Mirrored;
        canvas.Pen.Color = PrintBlackWhite ? clBlack : Selected ? clRed : pin.Connected ? clBlack : clSilver;
        canvas.MoveTo(pin.X, pin.Y);
        canvas.LineTo(left ? pin.X + 40 : pin.X - 40, pin.Y);
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.Font.Color = PrintBlackWhite ? clBlack : Selected ? clRed : pin.Connected ? clMaroon : clSilver;
        const AnsiString name = pin.Name;
        const Integer x = left ? BodyRect.Left - canvas.TextWidth(name) - 6 : BodyRect.Right + 6;
        canvas.TextOut(x, pin.Y - 26, name);
    };
    for (const TBauteilPin& pin : Inputs)
        drawPin(pin, true);
    for (const TBauteilPin& pin : Outputs)
        drawPin(pin, false);
    canvas.Font.Style = 0;
    if (ShowLineStates)
        DrawPinLevels(canvas);

    canvas.Pen.Width = 8;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Color = clBlack;
    canvas.Brush.SetColor(PrintBlackWhite ? clWhite : clBlack);
    const Integer l = BodyRect.Left, t = BodyRect.Top, r = BodyRect.Right, b = BodyRect.Bottom;
    const Integer c = (l + r) / 2;
    // A block with a notch in the middle of its top edge (bottom when mirrored).
    if (!Mirrored)
        canvas.Polygon({TPoint{l, t}, TPoint{c - 20, t}, TPoint{c - 20, t + 20}, TPoint{c + 20, t + 20},
                        TPoint{c + 20, t}, TPoint{r, t}, TPoint{r, b - 1}, TPoint{l, b - 1}, TPoint{l, t}});
    else
        canvas.Polygon({TPoint{r, b}, TPoint{c + 20, b}, TPoint{c + 20, b - 20}, TPoint{c - 20, b - 20},
                        TPoint{c - 20, b}, TPoint{l, b}, TPoint{l, t}, TPoint{r, t}, TPoint{r, b}});
    canvas.Brush.Style = TBrushStyle::bsClear;
    DrawVerticalCaption(canvas, Name, PrintBlackWhite ? clBlack : clWhite);

    if (!Designator.empty()) {
        const AnsiString text = (Designator + std::to_string(Number)).substr(0, 20);
        canvas.Font.Height = 26;
        canvas.Font.Style = fsItalic;
        canvas.Font.Color = PrintBlackWhite ? clBlack : clSilver;
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.TextOut(l + (BodyRect.Width() - canvas.TextWidth(text)) / 2, b - 30, text);
        canvas.Font.Style = 0;
    }
}

void TMakro::DrawPinLevels(TCanvas& canvas)
{
    auto high = [](const TBauteilPin* driver) { return !driver || driver->Value >= LogicThreshold; };
    for (std::size_t i = 0; i < Inputs.size(); ++i)
        TGrundBT::DrawLevelLine(*this, canvas, Inputs[i], high(DriverAt(InputDrivers, i)), true);
    for (std::size_t i = 0; i < Outputs.size(); ++i)
        TGrundBT::DrawLevelLine(*this, canvas, Outputs[i], high(DriverAt(OutputDrivers, i)), false);
}

void TMakro::DrawLiveState(TCanvas& canvas)
{
    for (std::size_t i = 0; i < Inputs.size(); ++i) {
        const TBauteilPin* driver = DriverAt(InputDrivers, i);
        const bool high = SimulationRunning && (!driver || driver->Value >= LogicThreshold);
        TGrundBT::DrawStateMark(*this, canvas, Inputs[i], high, true);
    }
    for (std::size_t i = 0; i < Outputs.size(); ++i) {
        const TBauteilPin* driver = DriverAt(OutputDrivers, i);
        const bool high = SimulationRunning && driver && driver->Value >= LogicThreshold;
        TGrundBT::DrawStateMark(*this, canvas, Outputs[i], high, false);
    }
}

void TMakro::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteString(Name);
    if (!OnWriteInner) {
        // The macro palette's library holds its macros without their circuits;
        // anywhere else the record would be cut short.
        if (const TPlatine* host = HostBoard(); host && host->WritingLibrary)
            return;
        throw EFilerError("Makro ohne Platine");
    }
    OnWriteInner(this, stream, writer);
}

void TMakro::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TIOBauteil::ReadData(stream, reader, version);
    Name = reader.ReadString();
    if (!OnReadInner) {
        // A palette entry of the macro library comes without its circuit.
        if (LibraryLoading)
            return;
        throw EReadError("Makro ohne Platine");
    }
    OnReadInner(this, stream, reader, version);
}

TBTPin::TBTPin()
{
    SetInputCount(1);
    SetOutputCount(0);
    Designator = "Pin";
    HasPropertyDialog = true;
    HelpContext = 18520;
}

void TBTPin::InputsCreated()
{
    for (TBauteilPin& pin : Inputs)
        pin.Name = "";
}

AnsiString TBTPin::GetTypeName() const
{
    return ByLanguage("Pin (Makros)", "Macro pin", "Broche macro");
}

AnsiString TBTPin::GetHintText()
{
    AnsiString text = TIOBauteil::GetHintText();
    if (!Label.empty())
        text += CR + Label;
    return text;
}

void TBTPin::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    canvas.Font.Name = ArialFamily;
    canvas.Font.Height = 26;
    canvas.Font.Color = FigureColor();
    canvas.Brush.Style = TBrushStyle::bsClear;
    const AnsiString label = Label;
    const Integer centreY = BodyRect.Top + BodyRect.Height() / 2;
    canvas.TextOut(BodyRect.Left + (BodyRect.Width() - canvas.TextWidth(label)) / 2, centreY - 24, label);
}

void TBTPin::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteString(Label);
}

void TBTPin::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TIOBauteil::ReadData(stream, reader, version);
    Label = reader.ReadString();
}
