// The board as a view: zoom and scrolling, the conversions between the
// mouse's pixels and board units, painting, automatic scrolling while the
// mouse is held near an edge, and the picture of the selection.
#include "engine/Platine.h"

#include "engine/Globals.h"
#include "platform/Colors.h"
#include "platform/MouseCursor.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

namespace {

constexpr double ZoomStep = 1.4;
constexpr double WheelStep = 1.1;
constexpr double MinZoom = 0.5;
constexpr double MaxZoom = 20.0;
constexpr TColor RunBackground = 0xEFECEA;
constexpr TColor RubberBandColour = clRed;

Integer RoundHalfEven(double v)
{
    return static_cast<Integer>(std::nearbyint(v));
}

} // namespace

bool TPlatine::Intersects(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// ---- Conversions

TPoint TPlatine::DeviceToBoard(TPoint p) const
{
    return BoardMapping().DPtoLP(TPoint{p.X - ScrollX, p.Y - ScrollY});
}

TPoint TPlatine::BoardToParent(TPoint q) const
{
    return BoardMapping().LPtoDP(q);
}

TPoint TPlatine::SnapToGrid(TPoint p) const
{
    const Integer grid = std::max(Grid, 1);
    return {RoundHalfEven(static_cast<double>(p.X) / grid) * grid, RoundHalfEven(static_cast<double>(p.Y) / grid) * grid};
}

// ---- Zoom

void TPlatine::SetZoom(double zoom)
{
    // Written so that a NaN from a degenerate rectangle ends at the minimum.
    Zoom = zoom > MaxZoom ? MaxZoom : zoom >= MinZoom ? zoom : MinZoom;
    const Int64 pixelsPerInch = RoundHalfEven(Zoom * 16);
    Width = static_cast<Integer>(Int64{BoardWidth} * pixelsPerInch / 254);
    Height = static_cast<Integer>(Int64{BoardHeight} * pixelsPerInch / 254);
    if (View)
        View->BoardResized();
}

TPoint TPlatine::ScrollBoxSize() const
{
    return View ? View->ScrollBoxSize() : TPoint{};
}

void TPlatine::CentreOn(TPoint b)
{
    const TPoint box = ScrollBoxSize();
    const TPoint v = DeviceToBoard(TPoint{box.X / 2 + ScrollX, box.Y / 2 + ScrollY});
    const TPoint d = BoardToDeviceDelta(TPoint{v.X - b.X, v.Y - b.Y});
    ScrollX -= d.X;
    ScrollY -= d.Y;
}

void TPlatine::Changed()
{
    HideHint();
    if (View) {
        View->BoardChanged();
    } else {
        Left = -ScrollX;
        Top = -ScrollY;
    }
    if (OnChange)
        OnChange();
}

void TPlatine::ZoomIn(TPoint p)
{
    const TPoint b = DeviceToBoard(p);
    SetZoom(Zoom * ZoomStep);
    CentreOn(b);
    Changed();
}

void TPlatine::ZoomOut(TPoint p)
{
    const TPoint b = DeviceToBoard(p);
    SetZoom(Zoom / ZoomStep);
    CentreOn(b);
    Changed();
}

void TPlatine::ZoomToRect(TPoint p)
{
    if (Selector) {
        Selector->Finish();
        TRect r = Selector->Rect;
        NormaliseRect(r);
        const TRect px = BoardMapping().LPtoDP(r);
        TPoint b;
        double zoom;
        if (px.Width() < 5 || px.Height() < 5) {
            b = DeviceToBoard(p);
            zoom = Zoom * ZoomStep;
        } else {
            b = DeviceToBoard(TPoint{px.Left + ScrollX + px.Width() / 2, px.Top + ScrollY + px.Height() / 2});
            const TPoint box = ScrollBoxSize();
            zoom = std::min(static_cast<double>(box.X) / px.Width() * Zoom,
                            static_cast<double>(box.Y) / px.Height() * Zoom);
        }
        SetZoom(zoom);
        CentreOn(b);
        Selector.reset();
    }
    Changed();
    Repaint();
}

void TPlatine::ZoomToFit()
{
    const TPoint box = ScrollBoxSize();
    SetZoom(std::min(box.X * 15.0 / BoardWidth, box.Y * 15.0 / BoardHeight));
    ScrollX = 0;
    ScrollY = 0;
    Repaint();
    Changed();
}

void TPlatine::ZoomToObjects(bool selectedOnly)
{
    if (selectedOnly ? !AnySelected() : Objects.empty())
        return;
    const TRect px = BoardMapping().LPtoDP(GetObjectsRect(selectedOnly));
    const TPoint b = DeviceToBoard(TPoint{px.Left + ScrollX + px.Width() / 2, px.Top + ScrollY + px.Height() / 2});
    const TPoint box = ScrollBoxSize();
    SetZoom(std::min((box.X - 30.0) / px.Width() * Zoom, (box.Y - 30.0) / px.Height() * Zoom));
    CentreOn(b);
    Repaint();
    Changed();
}

void TPlatine::WheelZoom(bool up)
{
    if (!View)
        return;
    const TRect box = View->ScrollBoxScreenRect();
    const TPoint cursor = View->CursorScreenPos();
    const TPoint b = DeviceToBoard(TPoint{cursor.X - box.Left + ScrollX, cursor.Y - box.Top + ScrollY});
    SetZoom(up ? Zoom * WheelStep : Zoom / WheelStep);
    CentreOn(b);
    Changed();
    Repaint();
    const TPoint at = BoardToParent(b);
    SetCursorPos(TPoint{box.Left + at.X, box.Top + at.Y});
}

// ---- Automatic scrolling

void TPlatine::CheckAutoScroll()
{
    if (!View)
        return;
    const TRect box = View->ScrollBoxScreenRect();
    const TPoint cursor = View->CursorScreenPos();
    AutoScrollDir = 0;
    if (cursor.X > box.Right - 20)
        AutoScrollDir = 4;
    if (cursor.X < box.Left + 20)
        AutoScrollDir = 3;
    if (cursor.Y > box.Bottom - 20)
        AutoScrollDir = 2;
    if (cursor.Y < box.Top + 20)
        AutoScrollDir = 1;
    if (AutoScrollDir != 0) {
        if (Crosshair)
            Crosshair->Hide();
        if (Templine)
            Templine->Hide();
    }
}

void TPlatine::AutoScrollTick()
{
    if (!CursorConfined || AutoScrollDir == 0)
        return;
    const Integer step = RoundHalfEven(Zoom * 2);
    switch (AutoScrollDir) {
    case 1: ScrollY -= step; break;
    case 2: ScrollY += step; break;
    case 3: ScrollX -= step; break;
    case 4: ScrollX += step; break;
    default: break;
    }
    if (Templine)
        Templine->Hide();
    Changed();
}

// ---- Painting

void TPlatine::InvalidateBoardRect(const TRect& r)
{
    if (!View || UpdateLocked)
        return;
    // A pixel more on every side for the pens' rounding.
    const TRect d = BoardMapping().LPtoDP(r);
    View->InvalidateDeviceRect(TRect{d.Left - 1, d.Top - 1, d.Right + 2, d.Bottom + 2});
}

void TPlatine::Paint(TCanvas& canvas)
{
    if (UpdateLocked)
        return;
    PrepareCanvas(canvas);
    const TPlatine* root = RootBoard();
    canvas.Brush.SetColor(root->Running ? RunBackground : PaletteIndex(1));
    canvas.FillRect(TRect{0, 0, BoardWidth, BoardHeight});
    if (root->GridVisible && !Running)
        DrawGrid(canvas);
    DrawObjects(canvas);
    PaintFeedback(canvas);
}

void TPlatine::DrawGrid(TCanvas& canvas)
{
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = PaletteIndex(2);
    // The finest spacing drawn is Grid, coarser ones where it would be
    // 9 pixels or less.
    Integer step = std::max(Grid / 2, 1);
    do
        step *= 2;
    while (BoardToDeviceDelta(TPoint{step, 0}).X <= 9 && step < BoardWidth);
    // Only the lines inside the area being painted.
    const TRect clip = canvas.ClipRect();
    auto first = [&](Integer from) { return std::max(from / step, 0); };
    auto last = [&](Integer to, Integer size) { return std::min(to / step + 1, size / step); };
    for (Integer i = first(clip.Top); i <= last(clip.Bottom, BoardHeight); ++i) {
        canvas.MoveTo(0, i * step);
        canvas.LineTo(BoardWidth, i * step);
    }
    for (Integer i = first(clip.Left); i <= last(clip.Right, BoardWidth); ++i) {
        canvas.MoveTo(i * step, 0);
        canvas.LineTo(i * step, BoardHeight);
    }
}

void TPlatine::DrawObjects(TCanvas& canvas)
{
    TRect clip = canvas.ClipRect();
    clip = {clip.Left - 1, clip.Top - 1, clip.Right + 1, clip.Bottom + 1};
    // By index: a drawing that reaches the main window may come back here.
    for (std::size_t i = 0; i < Objects.size(); ++i) {
        TBauteil* object = Objects[i];
        object->PrintBlackWhite = PrintMode;
        if (Intersects(object->GetBounds(), clip))
            object->Draw(canvas);
        object->PrintBlackWhite = false;
    }
}

void TPlatine::PaintFeedback(TCanvas& canvas)
{
    // The rubber bands of this board's drag: red previews of the pieces
    // that will keep the unmoved wires attached.
    if (RubberBandsActive && Tracking) {
        canvas.Pen.Mode = TPenMode::pmCopy;
        canvas.Pen.Style = TPenStyle::psSolid;
        canvas.Pen.Color = RubberBandColour;
        canvas.Pen.Width = 3;
        for (const TGummibandPoint& band : RubberBands) {
            canvas.MoveTo(band.FixedEnd.X, band.FixedEnd.Y);
            canvas.LineTo(band.MovingEnd.X, band.MovingEnd.Y);
        }
    }
    if (Selector)
        Selector->Paint(canvas);
    // Wire feedback belongs to wire mode; a mode switched from outside
    // leaves no line behind.
    if (Templine && Mode == TBoardMode::Wire && Tracking)
        Templine->Paint(canvas);
    if (Crosshair && Mode == TBoardMode::Wire)
        Crosshair->Paint(canvas);
}

// ---- Picture of the selection

void TPlatine::CopyAsMetafile()
{
    if (!AnySelected())
        return;
    const TRect r = GetObjectsRect(true);
    // Twice the board's real size (0.2 mm per board unit), the scale of the
    // picture frame: 192 pixels per 254 units at 96 dots per inch.
    constexpr Integer PixelsPerInch = 192;
    const QSize size(static_cast<int>(Int64{r.Width()} * PixelsPerInch / 254) + 1,
                     static_cast<int>(Int64{r.Height()} * PixelsPerInch / 254) + 1);
    auto draw = [&](QPaintDevice* device) {
        TCanvas canvas(device);
        canvas.SetMapMode(TMapMode::MM_ANISOTROPIC);
        canvas.SetWindowOrg(r.Left, r.Top);
        canvas.SetWindowExt(254, 254);
        canvas.SetViewportOrg(0, 0);
        canvas.SetViewportExt(PixelsPerInch, PixelsPerInch);
        canvas.SelectPalette(BoardPalette);
        for (std::size_t i = 0; i < Objects.size(); ++i) {
            TBauteil* object = Objects[i];
            if (!object->IsSelected())
                continue;
            object->SetSelected(false);
            object->Draw(canvas);
            object->SetSelected(true);
        }
    };

    QBuffer svgBytes;
    svgBytes.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&svgBytes);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        draw(&svg);
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    draw(&image);

    auto* mime = new QMimeData;
    mime->setData("image/svg+xml", svgBytes.data());
    mime->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(mime);
}
