// What the analog components share: their identity from one table row (type
// names, designator, help context, dialog), the figure drawn into the body in
// the symbol colour, and the value rows and hint line of the components that
// keep a set number. Not a stream class of its own: every component stands in
// the class registry directly below TGrundBT.
#pragma once

#include "engine/GrundBT.h"

#include "platform/SysTypes.h"

#include <initializer_list>

struct TAnalogInfo {
    const char* TypeName[3];    // German, English, French (CP1252)
    const char* Designator;
    Integer HelpContext;
    bool HasDialog;
    // The pin counts a record may bring; others are clamped after reading.
    Integer MinInputs, MaxInputs, MinOutputs, MaxOutputs;
};

class TAnalogBT : public TGrundBT {
public:
    AnsiString GetTypeName() const override;
    // The base record, then the pin counts clamped to the table's ranges (the
    // counts rebuild the pins while the record is read, so the naming hooks
    // see any count, but the steps only valid ones).
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

protected:
    explicit TAnalogBT(const TAnalogInfo& info);

    // Red while selected, else the symbol colour.
    TColor FigureColor() const;
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
    // The shared sheet with the caption and this component's help context.
    class TDefault_Dlg& OpenDialog(const AnsiString& caption) const;
    // The options section (only while stopped and not run-only), the sheet
    // shown modally; the modal result.
    Integer ShowDialog(class TDefault_Dlg& dlg);

    // Retained state: the section of this component's keys (the board's
    // prefix, ".", designator and number), numbers written as doubles and
    // read back with default 0; a value that is not a finite number reads 0,
    // so a damaged file cannot park a block on NaN.
    AnsiString StateSection(const AnsiString& boardSection) const;
    static void WriteStateValue(TCustomIniFile& ini, const AnsiString& section, const char* key, Extended value);
    static Extended ReadStateValue(TCustomIniFile& ini, const AnsiString& section, const char* key);

    const TAnalogInfo& Info;
};

// A set number in general format with 3 significant digits, as the symbols show it.
AnsiString ShortValueText(Extended value);
