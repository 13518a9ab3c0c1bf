#include "engine/Bauteil.h"

#include "engine/Coordinates.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "engine/Segment.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/Stream.h"

#include <algorithm>
#include <memory>
#include <string>

void TBauteilPin::SetText(const AnsiString& text)
{
    Text = text;
    Value = StrToValue(text);
    if (text == "True")
        Value = HighLevel;
    UpdateLevel();
}

void TBauteil::WriteData(TStream&, TWriter& writer)
{
    writer.WriteInteger(DataVersion);
}

void TBauteil::ReadData(TStream&, TReader& reader, Byte)
{
    DataVersion = reader.ReadInteger();
}

TBauteil* CreateBauteil(std::string_view className)
{
    const TClassInfo& info = FindClass(className);
    if (!info.InheritsFrom(TBauteil::StaticClass()))
        throw EReadError(SInvalidPropertyValue);
    auto* object = static_cast<TBauteil*>(CreateObjectByName(className));
    object->AfterConstruction();
    return object;
}

TIOBauteil* CreateComponent(std::string_view className)
{
    std::unique_ptr<TBauteil> object(CreateBauteil(className));
    auto* component = dynamic_cast<TIOBauteil*>(object.get());
    if (component)
        object.release();
    return component;
}

void ForEachRegisteredComponent(const std::function<void(const TClassInfo&, TIOBauteil&)>& f)
{
    for (const TClassInfo* info : RegisteredClasses()) {
        if (!info->Create || !info->InheritsFrom(TIOBauteil::StaticClass()))
            continue;
        std::unique_ptr<TPersistent> object(info->Create(*info));
        auto* component = dynamic_cast<TIOBauteil*>(object.get());
        if (!component)
            continue;
        component->AfterConstruction();
        f(*info, *component);
    }
}

TIOBauteil::TIOBauteil()
{
    X = 300;
    Y = 300;
    LayoutPins();
}

TIOBauteil::TIOBauteil(const TComponentRow& row) : Row(&row)
{
    X = 300;
    Y = 300;
    Designator = row.Designator;
    HelpContext = row.HelpContext;
    HasPropertyDialog = row.HasDialog;
    PanelElementClass = row.ElementClass;
    SetInputCount(row.Inputs.Count);
    SetOutputCount(row.Outputs.Count);
    LayoutPins();
}

TIOBauteil::~TIOBauteil()
{
    ForgetOutputLinks();
}

void TIOBauteil::AfterConstruction()
{
    if (Row) {
        InputsCreated();
        OutputsCreated();
    }
    // The type name is the most derived class's, so it can only be taken now.
    if (Caption.empty())
        Caption = GetTypeName();
    LayoutPins();
}

void TIOBauteil::ForgetOutputLinks() const
{
    const bool referenced =
        std::any_of(Outputs.begin(), Outputs.end(), [](const TBauteilPin& p) { return p.Referenced; });
    if (!referenced)
        return;
    if (TPlatine* host = HostBoard())
        host->RootBoard()->ForgetPins(Outputs.data(), Outputs.size());
}

void TIOBauteil::RebuildPins(TPinList& pins, Integer n, char prefix, const char* names)
{
    PinLinksChanged();
    pins.clear();
    pins.resize(static_cast<std::size_t>(n));
    if (!names) {
        for (Integer i = 0; i < n; ++i)
            pins[i].Name = std::string(1, prefix) + std::to_string(i);
        return;
    }
    std::string_view rest = names;
    for (Integer i = 0; i < n && !rest.empty(); ++i) {
        const std::size_t comma = rest.find(',');
        pins[i].Name = AnsiString(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
}

void TIOBauteil::SetInputCount(Integer n)
{
    if (OnBeforePinsChange)
        OnBeforePinsChange(this);
    n = std::max(n, 0);
    if (n == InputCount)
        return;
    InputCount = n;
    RebuildPins(Inputs, n, 'E', Row ? Row->Inputs.Names : nullptr);
    InputsCreated();
    LayoutPins();
    if (OnPinsChanged)
        OnPinsChanged(this);
}

void TIOBauteil::SetOutputCount(Integer n)
{
    if (OnBeforePinsChange)
        OnBeforePinsChange(this);
    n = std::max(n, 0);
    if (n == OutputCount)
        return;
    ForgetOutputLinks();
    OutputCount = n;
    RebuildPins(Outputs, n, 'A', Row ? Row->Outputs.Names : nullptr);
    OutputsCreated();
    LayoutPins();
    if (OnPinsChanged)
        OnPinsChanged(this);
}

Integer TIOBauteil::BodyWidth() const
{
    const Integer m = std::max(InputCount, OutputCount);
    if (m <= 4)
        return 100;
    if (m <= 8)
        return 140;
    return 160;
}

void TIOBauteil::SetCaption(const AnsiString& text)
{
    // A line break becomes one blank, whether it came as CR, LF or CR LF.
    AnsiString caption;
    caption.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        caption += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    Caption = caption;
}

void TIOBauteil::SetSelected(bool selected)
{
    TBauteil::SetSelected(selected);
    TPlatine* host = HostBoard();
    for (TPinList* pins : {&Inputs, &Outputs})
        for (TBauteilPin& pin : *pins)
            if (pin.Stub) {
                pin.Stub->Selected = selected;
                if (host)
                    host->InvalidateObject(pin.Stub);
            }
}

bool TIOBauteil::HitTest(TPoint devicePoint, const TCanvas& canvas) const
{
    return canvas.Mapping().LPtoDP(GetBounds()).Contains(devicePoint);
}

void TIOBauteil::MoveBy(TPoint offset)
{
    X += offset.X;
    Y += offset.Y;
    LayoutPins();
}

TRect TIOBauteil::GetBounds() const
{
    TRect r{BodyRect.Left - 8, BodyRect.Top - 8, BodyRect.Right + 8, BodyRect.Bottom + 8};
    Integer& inputSide = Mirrored ? r.Right : r.Left;
    Integer& outputSide = Mirrored ? r.Left : r.Right;
    if (InputCount > 0)
        inputSide += Mirrored ? 60 : -60;
    if (OutputCount > 0)
        outputSide += Mirrored ? -60 : 60;
    if (InputCount == 0 && OutputCount == 0)
        r.Left -= 60;
    return r;
}

void TIOBauteil::LayoutPins()
{
    const Integer m = std::max({InputCount, OutputCount, 1});
    BodyRect = {X, Y, X + BodyWidth(), Y + 40 * (m + 1)};
    // Offset of the first pin from the top: 2(m+1)/(n+1) pin spacings,
    // rounded to the nearest whole number, halves to even.
    auto firstOffset = [&](Integer n) {
        const Integer num = 2 * (m + 1);
        const Integer den = n + 1;
        Integer q = num / den;
        const Integer twiceRest = 2 * (num % den);
        if (twiceRest > den || (twiceRest == den && (q & 1)))
            ++q;
        return q * PinSpacing;
    };
    auto place = [&](TPinList& pins, bool topDown, Integer x) {
        const Integer n = static_cast<Integer>(pins.size());
        if (n == 0)
            return;
        const Integer offset = firstOffset(n);
        for (Integer i = 0; i < n; ++i) {
            const Integer k = topDown ? i : n - 1 - i;
            pins[i].X = x;
            pins[i].Y = Y + offset + 40 * k;
            pins[i].StubLength = 40;
        }
    };
    const Integer left = BodyRect.Left - 40;
    const Integer right = BodyRect.Right + 40;
    if (!Mirrored) {
        place(Inputs, true, left);
        place(Outputs, false, right);   // the last output on top
    } else {
        place(Inputs, false, right);
        place(Outputs, true, left);
    }
}

void TIOBauteil::SetMirrored(bool mirrored)
{
    Mirrored = mirrored;
    LayoutPins();
}

void TIOBauteil::WriteData(TStream& stream, TWriter& writer)
{
    TBauteil::WriteData(stream, writer);
    writer.WriteInteger(X);
    writer.WriteInteger(Y);
    writer.WriteInteger(InputCount);
    writer.WriteInteger(OutputCount);
    writer.WriteBoolean(Mirrored);
    for (const TBauteilPin& pin : Inputs)
        writer.WriteBoolean(pin.Inverted);
    for (const TBauteilPin& pin : Outputs)
        writer.WriteBoolean(pin.Inverted);
    writer.WriteBoolean(RuntimeAdjustable);
    writer.WriteString(GetCaption());
}

namespace {

// A count outside what the component's row allows is a damaged record.
Integer ReadPinCount(TReader& reader, const TPinSide* side)
{
    const Integer n = reader.ReadInteger();
    if (n < 0 || n > MaxPinCount || (side && !side->Allows(n)))
        throw EReadError(SInvalidPropertyValue);
    return n;
}

} // namespace

void TIOBauteil::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TBauteil::ReadData(stream, reader, version);
    X = ReadBoardCoordinate(reader);
    Y = ReadBoardCoordinate(reader);
    const Integer inputs = ReadPinCount(reader, Row ? &Row->Inputs : nullptr);
    const Integer outputs = ReadPinCount(reader, Row ? &Row->Outputs : nullptr);
    SetInputCount(inputs);
    SetOutputCount(outputs);
    SetMirrored(reader.ReadBoolean());
    PinLinksChanged();
    if (version < 3) {
        for (TBauteilPin& pin : Inputs)
            pin.Inverted = false;
        for (TBauteilPin& pin : Outputs)
            pin.Inverted = false;
    } else {
        for (TBauteilPin& pin : Inputs)
            pin.Inverted = reader.ReadBoolean();
        for (TBauteilPin& pin : Outputs)
            pin.Inverted = reader.ReadBoolean();
    }
    if (version < 40) {
        RuntimeAdjustable = false;
        Caption = GetTypeName();
    } else {
        RuntimeAdjustable = reader.ReadBoolean();
        const AnsiString caption = reader.ReadString();
        // Library entries keep their type names.
        if (!LibraryLoading)
            SetCaption(caption);
    }
    LayoutPins();
}

AnsiString TIOBauteil::GetTypeName() const
{
    if (!Row)
        return {};
    return ByLanguage(Row->TypeName[0], Row->TypeName[1], Row->TypeName[2]);
}

TColor TIOBauteil::FigureColor() const
{
    return Selected ? clRed : SymbolColor;
}

AnsiString TIOBauteil::StateSection(const AnsiString& boardSection) const
{
    return boardSection + "." + AnsiString(Designator) + std::to_string(Number);
}

AnsiString TIOBauteil::GetHintText()
{
    AnsiString text;
    if (!Designator.empty())
        text = Designator + " " + std::to_string(Number) + CR;
    const AnsiString caption = GetCaption();
    const AnsiString typeName = GetTypeName();
    if (caption != typeName)
        text += caption + CR;
    return text + typeName;
}

AnsiString TIOBauteil::InputString(Integer i) const
{
    const TBauteilPin* source = Inputs[i].Source;
    if (!source)
        return {};
    if (source->IsTextPin())
        return source->Text;
    return ValueToStr(source->Value);
}

void TIOBauteil::WriteWiredOr(TBauteilPin& pin, Extended level)
{
    pin.OwnValue = level;
    bool high = false;
    for (const TBauteilPin* member : pin.WiredGroup)
        high = high || member->OwnValue > LogicThreshold;
    const Extended result = high ? HighLevel : LowLevel;
    for (TBauteilPin* member : pin.WiredGroup)
        member->SetValue(result);
}

void TIOBauteil::WriteWiredSum(TBauteilPin& pin, Extended v)
{
    pin.OwnValue = v;
    Extended sum = 0.0L;
    for (const TBauteilPin* member : pin.WiredGroup)
        sum += member->OwnValue;
    for (TBauteilPin* member : pin.WiredGroup)
        member->SetValue(sum);
}

void TIOBauteil::DrawRotatedText(TCanvas& canvas, Integer x, Integer y, Integer angle, const AnsiString& text) const
{
    const TFont saved = canvas.Font;
    canvas.Font.Name = ArialFamily;
    canvas.Font.Escapement = angle * 10;
    canvas.Font.Weight = 400;
    canvas.Font.Style = 0;
    canvas.TextOut(x, y, text);
    canvas.Font = saved;
}

void TIOBauteil::DrawVerticalCaption(TCanvas& canvas, const AnsiString& text, TColor colour) const
{
    canvas.Font.Name = ArialFamily;
    canvas.Font.Height = 32;
    const Integer centreX = BodyRect.Left + BodyRect.Width() / 2;
    const Integer centreY = BodyRect.Top + BodyRect.Height() / 2 - 10;
    canvas.Brush.Style = TBrushStyle::bsClear;
    const Integer textHeight = canvas.TextHeight(text);
    const Integer room = BodyRect.Height() - 75;
    while (canvas.TextWidth(text) > room && canvas.Font.Height > 5)
        --canvas.Font.Height;
    --canvas.Font.Height;
    canvas.Font.Color = Selected ? 255 : colour;
    const Integer width = canvas.TextWidth(text);
    if (width <= room)
        DrawRotatedText(canvas, centreX - textHeight / 2, centreY + width / 2, 90, text);
}
