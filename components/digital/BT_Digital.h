// What the digital components share beyond the component base: their type
// names in three languages, the symbol colour and strokes, the section of
// their retained state, the settings dialog with the options section, and
// the saturating conversion of pin values to counts.
#pragma once

#include "engine/GrundBT.h"

#include <initializer_list>

class TDefault_Dlg;
class TPropScrollbox;

inline constexpr TColor SymbolRed = 0x0000FF;

// German, English and French; picked by the language of the moment.
struct TTypeNames {
    const char* Text[3];
    AnsiString Pick() const;
};

// Red while selected, else the component's symbol colour.
TColor SymbolColour(const TIOBauteil& component);
// A 2-pixel polyline in the symbol colour.
void DrawSymbolLine(TCanvas& canvas, const TIOBauteil& component, std::initializer_list<TPoint> points);
// "ARIAL" text of that height on a transparent background in the symbol colour.
void DrawSymbolText(TCanvas& canvas, const TIOBauteil& component, Integer x, Integer y, Integer height,
                    const AnsiString& text);
TPoint BodyCentre(const TIOBauteil& component);

// v rounded half to even and held within lo..hi; NaN gives lo.
Integer RoundClamped(Extended v, Integer lo, Integer hi);

// The number on `bits` inputs from `first` on, bit i from input first + i.
inline Integer InputBits(const TIOBauteil& component, Integer first, Integer bits)
{
    Integer value = 0;
    for (Integer i = 0; i < bits; ++i)
        value |= Integer(component.InputLogic(first + i)) << i;
    return value;
}

// Bit i of value to output last - i ("Qi" drawn with the highest bit on top).
inline void WriteOutputBits(TIOBauteil& component, Integer value, Integer last, Integer bits)
{
    for (Integer i = 0; i < bits; ++i)
        component.SetOutputLogic(last - i, (value >> i) & 1);
}

// The shared settings sheet of one component: caption and help context set,
// rows added by the caller, then the options section (name, run-time flag)
// and the modal showing; the name is applied on OK.
class TDigitalDialog {
public:
    explicit TDigitalDialog(TIOBauteil& component);
    TPropScrollbox& Props();
    Integer Show();

private:
    TIOBauteil& component_;
    TDefault_Dlg& dlg_;
    AnsiString name_;
};

// The base record of a component whose pin counts are fixed by its class:
// a record with other counts is damaged and raises the stream error.
void ReadFixedPinsRecord(TIOBauteil& component, TStream& stream, TReader& reader, Byte version);
