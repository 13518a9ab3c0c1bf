// A drawing surface with the Windows GDI model on top of QPainter: logical
// units mapped to device pixels through window and viewport origins and
// extents, pens, brushes and fonts as plain state read at each drawing call,
// rectangles with exclusive right and bottom edges, palette-index colours and
// XOR pen modes. Board symbols are drawn in board units (0.1 mm) through the
// board's mapping and come out in pixels at the current zoom.
#pragma once

#include "platform/SysTypes.h"
#include "platform/Fonts.h"

#include <QColor>
#include <QFont>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

class QPainter;
class QPaintDevice;

// GDI's PALETTEINDEX(n): the colour of entry n of the palette selected on the
// canvas (black when there is none or the entry is missing).
constexpr TColor PaletteIndex(int index) { return static_cast<TColor>(0x01000000 | (index & 0xFFFF)); }

// A logical palette: the colours that palette-index colours refer to.
struct TPalette {
    std::vector<TColor> Entries;
};

enum class TPenStyle { psSolid, psDot, psClear };
// pmXor and pmNotXor combine the pen with the pixels below (raster images only).
enum class TPenMode { pmCopy, pmXor, pmNotXor };
enum class TBrushStyle { bsSolid, bsClear };

enum TFontStyle : Byte { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TPen {
    TColor Color = 0;
    Integer Width = 1;   // logical units; 0 is one device pixel at any zoom
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
};

struct TBrush {
    TColor Color = 0xFFFFFF;
    TBrushStyle Style = TBrushStyle::bsSolid;
    // As in the class library, giving a clear brush a colour makes it solid.
    void SetColor(TColor color)
    {
        Color = color;
        Style = TBrushStyle::bsSolid;
    }
};

struct TFont {
    AnsiString Name = ArialFamily;
    Integer Height = 13;       // logical units: > 0 cell height, < 0 character height
    Byte Style = 0;            // TFontStyle bits
    TColor Color = 0;
    Integer Escapement = 0;    // tenths of a degree, counter-clockwise
    Integer Weight = 400;      // 700 and fsBold draw bold
};

enum class TMapMode { MM_TEXT, MM_ANISOTROPIC };

// Logical-to-device conversion of GDI: d = (l - WindowOrg) * ViewportExt /
// WindowExt + ViewportOrg, rounded to whole pixels. MM_TEXT ignores the extents.
struct TMapping {
    TMapMode Mode = TMapMode::MM_TEXT;
    TPoint WindowOrg;
    TPoint WindowExt{1, 1};
    TPoint ViewportOrg;
    TPoint ViewportExt{1, 1};

    double ScaleX() const;
    double ScaleY() const;
    TPoint LPtoDP(TPoint p) const;
    TPoint DPtoLP(TPoint p) const;
    // Both corners converted; the result is ordered (left <= right, top <= bottom).
    TRect LPtoDP(const TRect& r) const;
    TRect DPtoLP(const TRect& r) const;
};

class TCanvas {
public:
    // Mapping and text metrics only: drawing calls do nothing (hit tests,
    // coordinate conversions and layout without a device).
    TCanvas();
    // Draws on the device with a painter of its own.
    explicit TCanvas(QPaintDevice* device);
    // Draws with the caller's painter (a widget's paint event); the painter's
    // state is saved here and restored when the canvas ends.
    explicit TCanvas(QPainter& painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    void SetMapMode(TMapMode mode) { mapping_.Mode = mode; }
    void SetWindowOrg(Integer x, Integer y) { mapping_.WindowOrg = {x, y}; }
    void SetWindowExt(Integer x, Integer y);
    void SetViewportOrg(Integer x, Integer y) { mapping_.ViewportOrg = {x, y}; }
    void SetViewportExt(Integer x, Integer y);
    const TMapping& Mapping() const { return mapping_; }
    TPoint LPtoDP(TPoint p) const { return mapping_.LPtoDP(p); }
    TPoint DPtoLP(TPoint p) const { return mapping_.DPtoLP(p); }

    // The palette that palette-index colours are taken from (not owned).
    void SelectPalette(const TPalette* palette) { palette_ = palette; }
    const TPalette* Palette() const { return palette_; }
    QColor ResolveColor(TColor color) const;

    // Drawing in logical units.
    void MoveTo(Integer x, Integer y) { penPos_ = {x, y}; }
    void LineTo(Integer x, Integer y);
    TPoint PenPos() const { return penPos_; }
    void Rectangle(Integer left, Integer top, Integer right, Integer bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);    // the brush only, no outline
    void Ellipse(Integer left, Integer top, Integer right, Integer bottom);
    void Polygon(std::span<const TPoint> points);
    void Polygon(std::initializer_list<TPoint> points) { Polygon(std::span(points.begin(), points.size())); }
    void Polyline(std::span<const TPoint> points);
    void Polyline(std::initializer_list<TPoint> points) { Polyline(std::span(points.begin(), points.size())); }
    // The text's cell has its top left corner at (x, y), turned by the font's
    // escapement about that point. A solid brush fills the cell first.
    void TextOut(Integer x, Integer y, const AnsiString& text);
    Integer TextWidth(const AnsiString& text) const;
    Integer TextHeight(const AnsiString& text) const;

    // The area that may be drawn, in logical units.
    TRect ClipRect() const;

    // For the few drawing calls that go straight to the painter (gradients);
    // nullptr on a canvas without a device.
    QPainter* Painter() const { return painter_; }
    // The font at its device pixel size for the current mapping.
    QFont DeviceFont() const;

private:
    void ApplyPen(bool withPen) const;
    void ApplyBrush(bool withBrush) const;
    int DevicePenWidth() const;

    TMapping mapping_;
    const TPalette* palette_ = nullptr;
    TPoint penPos_;
    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_ = nullptr;
};
