#include "engine/Feedback.h"

#include "engine/Platine.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"

#include <algorithm>

namespace {

// XOR pens take a palette entry when the board has a palette, else white.
TColor XorColour(const TCanvas& canvas, int entry)
{
    return canvas.Palette() ? PaletteIndex(entry) : clWhite;
}

TRect Around(TPoint a, TPoint b, Integer margin)
{
    return {std::min(a.X, b.X) - margin, std::min(a.Y, b.Y) - margin, std::max(a.X, b.X) + margin + 1,
            std::max(a.Y, b.Y) + margin + 1};
}

void XorPen(TCanvas& canvas, TColor colour, Integer width, TPenStyle style)
{
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Mode = TPenMode::pmXor;
    canvas.Pen.Style = style;
    canvas.Pen.Color = colour;
    canvas.Pen.Width = width;
}

void CopyPen(TCanvas& canvas)
{
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Pen.Style = TPenStyle::psSolid;
}

} // namespace

// ---- Rubber rectangle

void TSelector::Start(TPoint p)
{
    Anchor = p;
    Rect = {p.X, p.Y, p.X, p.Y};
    Active = true;
    Square = false;
    Centred = false;
}

void TSelector::MoveTo(TPoint p)
{
    if (!Active)
        return;
    if (Square) {
        const Integer dx = p.X - Anchor.X;
        const Integer dy = p.Y - Anchor.Y;
        if (dy < dx)
            p.Y = Anchor.Y + dx;
        else
            p.X = Anchor.X + dy;
    }
    Rect.Right = p.X;
    Rect.Bottom = p.Y;
    if (Centred) {
        Rect.Left = 2 * Anchor.X - p.X;
        Rect.Top = 2 * Anchor.Y - p.Y;
    } else {
        Rect.Left = Anchor.X;
        Rect.Top = Anchor.Y;
    }
    Invalidate(LastRect);
    Invalidate(Rect);
    LastRect = Rect;
}

void TSelector::Finish()
{
    Invalidate(LastRect);
    LastRect = {-1, -1, -1, -1};
    Active = false;
}

void TSelector::Invalidate(const TRect& r) const
{
    if (r.Left == -1)
        return;
    const TRect f = Figure(r);
    board_.InvalidateBoardRect(Around({f.Left, f.Top}, {f.Right, f.Bottom}, 1));
}

void TSelector::Paint(TCanvas& canvas) const
{
    if (!Active || LastRect.Left == -1)
        return;
    XorPen(canvas, XorColour(canvas, 1), 1, TPenStyle::psDot);
    canvas.Rectangle(Figure(LastRect));
    CopyPen(canvas);
}

// ---- Temporary wire line

void TTempline::Show()
{
    if (Shown)
        return;
    Shown = true;
    Invalidate();
}

void TTempline::Hide()
{
    if (!Shown)
        return;
    Shown = false;
    Invalidate();
}

void TTempline::Invalidate() const
{
    board_.InvalidateBoardRect(Around(StartPoint, EndPoint, Width));
}

void TTempline::Paint(TCanvas& canvas) const
{
    if (!Shown)
        return;
    XorPen(canvas, XorColour(canvas, 2), Width, TPenStyle::psSolid);
    canvas.MoveTo(StartPoint.X, StartPoint.Y);
    canvas.LineTo(EndPoint.X, EndPoint.Y);
    CopyPen(canvas);
}

// ---- Crosshair

void TFadenKreuz::Show()
{
    if (Shown)
        return;
    DrawnAt = Position;
    Shown = true;
    Invalidate(DrawnAt);
}

void TFadenKreuz::Hide()
{
    if (!Shown)
        return;
    Shown = false;
    Invalidate(DrawnAt);
}

void TFadenKreuz::Invalidate(TPoint p) const
{
    board_.InvalidateBoardRect(Around({0, p.Y}, {board_.BoardWidth, p.Y}, 1));
    board_.InvalidateBoardRect(Around({p.X, 0}, {p.X, board_.BoardHeight}, 1));
}

void TFadenKreuz::Paint(TCanvas& canvas) const
{
    if (!Shown)
        return;
    const TRect clip = canvas.ClipRect();
    XorPen(canvas, XorColour(canvas, 1), 1, TPenStyle::psSolid);
    canvas.MoveTo(0, DrawnAt.Y);
    canvas.LineTo(clip.Right, DrawnAt.Y);
    canvas.MoveTo(DrawnAt.X, 0);
    canvas.LineTo(DrawnAt.X, clip.Bottom);
    CopyPen(canvas);
}

// ---- Rubber bands

TRect TGummibandPoint::Area() const
{
    return Around(FixedEnd, MovingEnd, 4);
}
