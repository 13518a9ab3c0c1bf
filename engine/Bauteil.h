// Board objects, components and their pins: the pin value model and the one
// read/write interface through which every component's step reads its inputs
// and writes its outputs, the pin layout around the body, the hint text and
// the two base stream records every component record begins with.
#pragma once

#include "engine/ComponentRow.h"
#include "engine/PinStorage.h"
#include "engine/Publics.h"
#include "engine/ShortString.h"
#include "platform/ClassRegistry.h"
#include "platform/SysTypes.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

class TCanvas;
struct TPalette;
class TPlatine;
class TSegment;
class IFP_Element;
class TCustomIniFile;

// Digital levels and the logic threshold of the pin value model (volts).
inline constexpr Extended HighLevel = 5.0L;
inline constexpr Extended LowLevel = 0.0L;
inline constexpr Extended LogicThreshold = 2.5L;
inline constexpr Extended LogicLevels[2] = {LowLevel, HighLevel};

// A stream that claims more pins than this on one side is damaged.
inline constexpr Integer MaxPinCount = 4096;

inline constexpr const char* CR = "\r";

using TPinName = TShortString<10>;

// Counts changes of pin lists, links and inversions anywhere: a board's
// compiled step (built at preparation) is used only while the count is the
// one it was built under. Whoever changes a pin's Source or Inverted outside
// preparation calls PinLinksChanged.
inline std::uint64_t PinLinkGeneration = 0;
inline void PinLinksChanged()
{
    ++PinLinkGeneration;
}

// One pin, on a cache line of its own. Fields read in every step come first.
//
// Value and Level are written only through the setters (SetValue, SetText
// and the component's SetOutput... calls): Level is the logic level a reader
// of the pin sees, kept beside the value so that logic reads never compare
// 80-bit values. Code that assigns Value directly leaves Level stale.
class alignas(64) TBauteilPin {
public:
    Extended Value = 0.0L;              // the value an output drives and inputs read (read-only outside the setters)
    TBauteilPin* Source = nullptr;      // inputs: the output driving the net; nullptr = unconnected
    Byte Level = 0;                     // 1 when ReadValue() >= LogicThreshold (NaN reads 0)
    bool Inverted = false;
    bool Connected = false;             // a wire ends on the pin (drawing only)
    // Some raw link points at this output: an input's Source, a wired group,
    // a wire's or a macro's driver. Set by whoever makes the link (through
    // MarkReferenced), so that freeing the pin clears those links.
    bool Referenced = false;
    TPinName Name;                      // "$..." marks a text pin
    Extended OwnValue = 0.0L;           // outputs: this output's share in its wired group
    std::vector<TBauteilPin*> WiredGroup;   // outputs: every output on the net, itself included
    AnsiString Text;                    // text outputs
    Integer X = 0;                      // outer end point (where wires attach)
    Integer Y = 0;
    TSegment* Stub = nullptr;           // the pin's stub on the board (owned by the board)
    Integer StubLength = 40;

    bool IsTextPin() const { return Name[0] == '$'; }
    // The pin as a link target: marks it and returns it (input.Source = out->MarkReferenced()).
    TBauteilPin* MarkReferenced()
    {
        Referenced = true;
        return this;
    }
    // The value and its logic level. A text pin keeps reading its text.
    void SetValue(Extended v)
    {
        Value = v;
        UpdateLevel();
    }
    // Text and parsed value; "True" exactly gives 5.0.
    void SetText(const AnsiString& text);
    const AnsiString& GetText() const { return Text; }
    // What a reader takes from this pin as its source: a text pin's text parsed.
    Extended ReadValue() const
    {
        if (IsTextPin()) [[unlikely]]
            return StrToValue(Text);
        return Value;
    }
    // Level from what a reader takes from the pin.
    void UpdateLevel()
    {
        if (IsTextPin()) [[unlikely]]
            Level = StrToValue(Text) >= LogicThreshold;
        else
            Level = Value >= LogicThreshold;
    }
};

using TPinList = std::vector<TBauteilPin, TPinAllocator<TBauteilPin>>;

// Everything that lies on a board.
class TBauteil : public TPersistent {
    ZK_CLASS(TBauteil, TPersistent)

public:
    TBauteil() = default;
    ~TBauteil() override = default;
    TBauteil(const TBauteil&) = delete;
    TBauteil& operator=(const TBauteil&) = delete;

    // Runs after the most derived constructor (CreateBauteil), where virtual
    // calls reach the final class: defaults that depend on it are set here.
    virtual void AfterConstruction() {}

    Integer X = 0;
    Integer Y = 0;
    TPlatine* Board = nullptr;          // for a macro: its inner board
    bool Selected = false;
    Integer DataVersion = 0;
    Integer PinSpacing = 20;
    bool NeedsTimerTick = false;
    bool HasPropertyDialog = false;
    const TPalette* Palette = nullptr;
    bool ShowLineStates = false;
    bool ShowComponentStates = false;
    bool PinLevelsDirty = false;
    bool LiveStateDirty = false;
    bool PrintBlackWhite = false;
    Integer HelpContext = 1000;
    void* TreeNode = nullptr;

    virtual void Draw(TCanvas& canvas) {}
    virtual void SetSelected(bool selected) { Selected = selected; }
    virtual bool IsSelected() const { return Selected; }
    // The point in device units, compared under the canvas's mapping.
    virtual bool HitTest(TPoint devicePoint, const TCanvas& canvas) const { return false; }
    // Pin stubs: the stub's end point near the board point.
    virtual bool HitEndPoint(TPoint boardPoint, TPoint& endPoint) const { return false; }
    virtual bool HitPinEnd(TPoint boardPoint) const { return false; }
    virtual void MoveBy(TPoint offset) {}
    virtual TRect GetBounds() const { return {}; }
    // version: the stream's file version; 255 for an in-memory copy.
    virtual void WriteData(TStream& stream, TWriter& writer);
    virtual void ReadData(TStream& stream, TReader& reader, Byte version);
    virtual void TimerTick() {}
    virtual Integer EditProperties() { return 0; }
    virtual AnsiString GetHintText() { return {}; }
    virtual void SaveState(TCustomIniFile& ini, const AnsiString& section) {}
    virtual void LoadState(TCustomIniFile& ini, const AnsiString& section, Integer flag) {}
};

// Creates a board object and runs its AfterConstruction.
template <class T>
T* CreateBauteil()
{
    T* object = new T();
    object->AfterConstruction();
    return object;
}
// By registered class name: EClassNotFound for an unknown or abstract name,
// EReadError for a class that is no board object.
TBauteil* CreateBauteil(std::string_view className);
// The same for a class of components with pins; nullptr (nothing made) for a
// registered class of other board objects.
class TIOBauteil;
TIOBauteil* CreateComponent(std::string_view className);

// A board object with pins that takes part in the simulation step.
class TIOBauteil : public TBauteil {
    ZK_ROW_BASE_CLASS(TIOBauteil, TBauteil, Row ? &Row->Class : nullptr)

public:
    TIOBauteil();
    // A row's component: designator, help context, dialog flag and pins from
    // the row; ClassType answers the row's class.
    explicit TIOBauteil(const TComponentRow& row);
    ~TIOBauteil() override;
    // A row's component names its pins once more, now through the final class.
    void AfterConstruction() override;

    const TComponentRow* Row = nullptr;
    IFP_Element* PanelElement = nullptr;
    AnsiString Caption;                 // empty after construction: the type name (AfterConstruction)
    Integer InputCount = 0;
    Integer OutputCount = 0;
    TRect BodyRect;
    TPinList Inputs;
    TPinList Outputs;
    TShortString<20> PanelElementClass;
    TShortString<10> Designator;
    Integer Number = 0;
    std::function<void(TIOBauteil*)> OnPinsChanged;
    std::function<void(TIOBauteil*)> OnBeforePinsChange;
    bool Mirrored = false;
    TColor SymbolColor = 0;
    bool RuntimeAdjustable = false;

    virtual void Calculate() {}
    // A component whose whole Calculate writes output 0 through
    // SetOutputLogic from the logic levels of its one or two inputs, and does
    // nothing else, answers its function: bit (a | b << 1) is the output for
    // input 0 reading a and input 1 reading b. The step then evaluates it
    // from a table built at preparation instead of calling Calculate.
    // -1: Calculate runs.
    virtual Integer PlainLogicTable() const { return -1; }
    virtual void ResetForStart() {}
    virtual void SetInputCount(Integer n);
    virtual void SetOutputCount(Integer n);
    virtual void InputsCreated() {}
    virtual void OutputsCreated() {}
    virtual void SimulationStopped() { ResetForStart(); }
    virtual void PrepareRun() {}
    virtual Integer BodyWidth() const;
    virtual void SetNumber(Integer n) { Number = n; }
    // The row's type name in the program's language; "" without a row.
    virtual AnsiString GetTypeName() const;
    virtual AnsiString GetCaption() const { return Caption; }
    virtual void SetCaption(const AnsiString& text);
    virtual void SetPanelElement(IFP_Element* element) { PanelElement = element; }
    // The board the component lies on (a macro's Board is its inner board).
    virtual TPlatine* HostBoard() const { return Board; }

    void SetSelected(bool selected) override;
    bool HitTest(TPoint devicePoint, const TCanvas& canvas) const override;
    void MoveBy(TPoint offset) override;
    TRect GetBounds() const override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    AnsiString GetHintText() override;

    // Reading inputs. Unconnected inputs read their defaults; none of these
    // changes anything. i must lie within the input count.
    bool InputLogic(Integer i) const
    {
        const TBauteilPin& pin = Inputs[i];
        if (const TBauteilPin* source = pin.Source) [[likely]]
            return (source->Level != 0) != pin.Inverted;
        return !pin.Inverted;
    }
    Extended InputValue(Integer i) const
    {
        const TBauteilPin& pin = Inputs[i];
        const Extended v = pin.Source ? pin.Source->ReadValue() : 0.0L;
        return pin.Inverted ? -v : v;
    }
    Integer InputInteger(Integer i) const
    {
        Extended v = InputValue(i);
        if (v > 65535.0L)
            v = 65535.0L;
        if (!(v >= 0.0L))
            v = 0.0L;
        return static_cast<Integer>(std::nearbyint(v));   // halves to even
    }
    Extended InputLevel(Integer i) const
    {
        const TBauteilPin& pin = Inputs[i];
        const TBauteilPin* source = pin.Source;
        if (!source)
            return pin.Inverted ? LowLevel : HighLevel;
        const Extended v = source->ReadValue();
        if (!pin.Inverted)
            return v;
        return v > LogicThreshold ? LowLevel : HighLevel;
    }
    AnsiString InputString(Integer i) const;

    // Writing outputs; no comparison with the previous value. o must lie
    // within the output count.
    void SetOutputLogic(Integer o, bool b)
    {
        TBauteilPin& pin = Outputs[o];
        // No branch on the level (signals are unpredictable), and the ten
        // bytes copied with integer moves instead of the slow x87 store.
        const bool high = b != pin.Inverted;
        const Extended& level = LogicLevels[high];
        if (pin.WiredGroup.size() < 2) [[likely]] {
            std::memcpy(&pin.Value, &level, ExtendedSize);
            if (pin.IsTextPin()) [[unlikely]]
                pin.UpdateLevel();
            else
                pin.Level = high;
        } else {
            WriteWiredOr(pin, level);
        }
    }
    void SetOutputValue(Integer o, Extended x)
    {
        TBauteilPin& pin = Outputs[o];
        WriteValue(pin, pin.Inverted ? -x : x);
    }
    void SetOutputLevel(Integer o, Extended x)
    {
        TBauteilPin& pin = Outputs[o];
        if (pin.Inverted)
            x = x == HighLevel ? -0.0L : x == LowLevel ? HighLevel : -x;
        WriteValue(pin, x);
    }
    void SetOutputString(Integer o, const AnsiString& text) { Outputs[o].SetText(text); }

    void LayoutPins();
    void SetMirrored(bool mirrored);
    // What the symbol is drawn in: red while selected, else the symbol colour.
    TColor FigureColor() const;
    // The section of this component's retained state: the board's section,
    // ".", the designator and the number.
    AnsiString StateSection(const AnsiString& boardSection) const;
    // Text turned by angle degrees (counter-clockwise) in an "Arial" of the
    // canvas font's height.
    void DrawRotatedText(TCanvas& canvas, Integer x, Integer y, Integer angle, const AnsiString& text) const;
    // Text turned upright in the middle of the body, shrunk to fit.
    void DrawVerticalCaption(TCanvas& canvas, const AnsiString& text, TColor colour) const;

protected:
    // Clears every link elsewhere in the circuit that points at an output of
    // this component (before the outputs go away).
    void ForgetOutputLinks() const;

private:
    static void WriteValue(TBauteilPin& pin, Extended v)
    {
        if (pin.WiredGroup.size() < 2) [[likely]]
            pin.SetValue(v);
        else
            WriteWiredSum(pin, v);
    }
    static void WriteWiredOr(TBauteilPin& pin, Extended level);
    static void WriteWiredSum(TBauteilPin& pin, Extended v);
    // n pins named from the list of names (see TPinSide), or prefix and index.
    void RebuildPins(TPinList& pins, Integer n, char prefix, const char* names);
};

// Calls f with every registered class of components with pins that can be
// created, and a fresh instance of it (freed afterwards): for tools and
// checks that go through the whole library.
void ForEachRegisteredComponent(const std::function<void(const TClassInfo&, TIOBauteil&)>& f);
