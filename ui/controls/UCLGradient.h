// Gradient settings: two colours or a list of colours, a number of steps and
// one of ten shapes, with the table of step colours kept current; and the
// painting of such a table into a rectangle.
#pragma once

#include "ui/controls/UCLBase.h"

#include <QList>
#include <QRgb>

#include <vector>

class QPainter;

// Value order matters: forms store these by ordinal.
enum class TUCLGradientStyle : Byte {
    gstHorizontal, gstVertical, gstSquare, gstElliptic, gstTopLeft, gstTopRight, gstBottomLeft,
    gstBottomRight, gstTopLeftDiagonal, gstTopRightDiagonal,
};

// A palette is the list of its colours; there is no palette device here, so
// realising one only means using its colours.
using TUCLPalette = QList<QRgb>;

class TUCLGradient : public TUCLObject {
    ZK_CLASS(TUCLGradient, TUCLObject)
public:
    TUCLGradient();

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // 2 to 236; other values are clamped.
    Byte ColorCount() const { return FColorCount; }
    void SetColorCount(Byte Value);
    TUCLGradientStyle Style() const { return FStyle; }
    void SetStyle(TUCLGradientStyle Value);
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor Value);
    bool PaletteRealize() const { return FPaletteRealize; }
    void SetPaletteRealize(bool Value);
    bool TwoColors() const { return FTwoColors; }
    void SetTwoColors(bool Value);

    // The colour list of the multi-colour mode; change it with SetColors.
    const std::vector<TColor>& Colors() const { return FColors; }
    void SetColors(const std::vector<TColor>& Value);
    // The step colours as TColor values, colour 0 first.
    const std::vector<TColor>& ColorTable() const { return FColorTable; }
    // Empty unless PaletteRealize.
    const TUCLPalette& GetPaletteHandle() const { return FPalette; }

    // The table is rebuilt even while updating; only the notification waits.
    void Changed() override;
    void Assign(const TUCLObject& Source) override;
    AnsiString SummaryText() const override;

private:
    void BuildColorTable();

    TColor FColor;
    Byte FColorCount = 16;
    TUCLGradientStyle FStyle = TUCLGradientStyle::gstVertical;
    TColor FEndColor;
    bool FPaletteRealize = false;
    bool FTwoColors = true;
    std::vector<TColor> FColors;
    std::vector<TColor> FColorTable;
    TUCLPalette FPalette;
};

// Count colours from C1 to C2 appended to List (cleared first when First);
// a later segment (First false) leaves out its start colour, which ended the
// segment before.
void BuildGradientColors(TColor C1, TColor C2, Integer Count, std::vector<TColor>& List, bool First);
// One palette entry per colour; empty for an empty list.
TUCLPalette CreateColorPalette(const std::vector<TColor>& List);

// Flags of FillGradient.
inline constexpr Cardinal gfClip = 0x0001;         // clip to the rectangle (moved by Offset)
inline constexpr Cardinal gfOffscreen = 0x0004;    // paint into a bitmap first
inline constexpr Cardinal gfUsePalette = 0x1000;

// Paints the colour table into R in Style; colour 0 lies at the style's
// origin (left, top, centre or corner). Offset packs x in the low and y in
// the high word.
void FillGradient(QPainter& Canvas, const TRect& R, TUCLGradientStyle Style, const std::vector<TColor>& ColorTable,
                  const TUCLPalette& Palette, Cardinal Flags, Cardinal Offset);

// Windows' MulDiv: A x B / C rounded to the nearest (halves to even here);
// -1 when C is 0.
Integer MulDiv(Integer A, Integer B, Integer C);
