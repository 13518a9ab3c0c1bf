// What the analog components share: their identity from one table row (type
// names, designator, help context, dialog), the figure drawn into the body in
// the symbol colour, and the value rows and hint line of the components that
// keep a set number. Not a stream class of its own: every component stands in
// the class registry directly below TGrundBT.
#pragma once

#include "engine/GrundBT.h"

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
    // Input or output i named prefix + i.
    static void NumberPins(TPinList& pins, const char* prefix);
    // The first pins named in order; pins beyond the names keep theirs.
    static void NamePins(TPinList& pins, std::initializer_list<const char*> names);
    // The shared sheet with the caption and this component's help context.
    class TDefault_Dlg& OpenDialog(const AnsiString& caption) const;

    const TAnalogInfo& Info;
};

// A set number in general format with 3 significant digits, as the symbols show it.
AnsiString ShortValueText(Extended value);
