// The LED character painter: text shown as lit and dark segments of a
// sixteen-segment cell (seven outer segments, two centre verticals, four
// diagonals and three dots). Dark segments show a checker of the dark colour
// and the background; lit ones are filled in the active colour.
#pragma once

#include "ui/controls/UCLBase.h"

#include <QImage>
#include <QPolygon>

#include <array>

class QPainter;

// The segments of a character, bit n for segment n; none for characters
// outside the table. Letters of either case give the same segments.
Word LEDCharSegments(char C);

class TUCLLED : public TUCLObject {
    ZK_CLASS(TUCLLED, TUCLObject)
public:
    TUCLLED();

    TColor BackgroundColor() const { return FColors[2]; }
    TColor ActiveColor() const { return FColors[0]; }
    TColor InActiveColor() const { return FColors[1]; }
    // Index 0 ActiveColor, 1 InActiveColor, 2 background colour.
    void SetColor(int Index, TColor Value);
    Byte Horzsize() const { return FSizes[0]; }
    Byte Thickness() const { return FSizes[1]; }
    Byte Vertsize() const { return FSizes[2]; }
    // Index 1 Horzsize, 2 Thickness, 3 Vertsize; other indexes rebuild only.
    void SetSize(int Index, Byte Value);
    bool DisabledDigits() const { return FDisabledDigits; }
    void SetDisabledDigits(bool Value);

    Integer CellWidth() const { return FSizes[0] + 5 * FSizes[1]; }
    Integer CellHeight() const { return 2 * FSizes[2] + 7 * FSizes[1]; }
    Byte RowCount() const { return FRowCount; }
    Byte ColCount() const { return FColCount; }
    const std::array<QPolygon, 16>& Segments() const { return FSegments; }
    const QImage& Cell() const { return FCell; }

    void BuildSegments();
    void BuildCell();
    // Draws Text from R's top-left (when Draw) and counts its rows and
    // columns: CR starts a row, other control characters take no cell.
    void DrawText(QPainter* Canvas, const TRect& R, bool Draw, bool OwnerEnabled, const AnsiString& Text);
    // The size of Text in cells plus the border: width cells x cell width +
    // 2 x border + 1, height rows x cell height + 2 x border.
    TRect MeasureText(const AnsiString& Text, Integer BorderWidth);

    void Assign(const TUCLObject& Source) override;

private:
    TColor FColors[3];
    Byte FSizes[3] = {9, 2, 7};
    bool FDisabledDigits = true;
    Byte FRowCount = 1;
    Byte FColCount = 1;
    std::array<QPolygon, 16> FSegments;
    QImage FCell;
};
