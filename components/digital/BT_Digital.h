// What the digital components share beyond the component base: texts in
// three languages, the symbol strokes, and the saturating conversion of pin
// values to counts.
#pragma once

#include "engine/GrundBT.h"

#include <initializer_list>

// German, English and French; picked by the language of the moment.
struct TTypeNames {
    const char* Text[3];
    AnsiString Pick() const;
};

// A 2-pixel polyline in the figure colour.
void DrawSymbolLine(TCanvas& canvas, const TIOBauteil& component, std::initializer_list<TPoint> points);
// "ARIAL" text of that height on a transparent background in the figure colour.
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
