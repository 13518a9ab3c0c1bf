// What the analog components share: the figure drawn into the body in the
// symbol colour, pins named by computation, and the retained numbers. Their
// identity comes from their rows; not a stream class of its own: every row
// stands in the class registry directly below TGrundBT.
#pragma once

#include "engine/GrundBT.h"

#include "platform/SysTypes.h"

#include <initializer_list>

class TAnalogBT : public TGrundBT {
protected:
    explicit TAnalogBT(const TComponentRow& row) : TGrundBT(row) {}

    Integer CentreX() const { return BodyRect.Left + BodyRect.Width() / 2; }
    Integer CentreY() const { return BodyRect.Top + BodyRect.Height() / 2; }
    // "ARIAL" of the height in the figure colour on a clear brush, the cell's
    // top left at (x, y); the brush is solid again afterwards.
    void DrawFigureText(TCanvas& canvas, const AnsiString& text, Integer height, Integer x, Integer y) const;
    // The same, centred on x.
    void DrawCentredText(TCanvas& canvas, const AnsiString& text, Integer height, Integer x, Integer y) const;
    // A polyline through points given relative to the body centre, in the
    // colour and pen width; and a rectangle frame the same way, clear inside.
    void DrawLines(TCanvas& canvas, std::initializer_list<TPoint> points, TColor colour, Integer width) const;
    void DrawFrame(TCanvas& canvas, TRect relative, TColor colour, Integer width) const;
    // The figure of the control blocks: the black frame (cx - 40, cy - 54)-
    // (cx + 40, cy + 26) and red lines, pen width 2.
    void DrawFramedLines(TCanvas& canvas, std::initializer_list<std::initializer_list<TPoint>> lines) const;
    // Input or output i named prefix + i.
    static void NumberPins(TPinList& pins, const char* prefix);
    // The first pins named in order; pins beyond the names keep theirs.
    static void NamePins(TPinList& pins, std::initializer_list<const char*> names);

    // Retained state: numbers written as doubles and read back with default
    // 0; a value that is not a finite number reads 0, so a damaged file
    // cannot park a block on NaN.
    static void WriteStateValue(TCustomIniFile& ini, const AnsiString& section, const char* key, Extended value);
    static Extended ReadStateValue(TCustomIniFile& ini, const AnsiString& section, const char* key);
};

// A set number in general format with 3 significant digits, as the symbols show it.
AnsiString ShortValueText(Extended value);
