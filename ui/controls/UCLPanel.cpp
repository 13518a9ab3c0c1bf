#include "ui/controls/UCLPanel.h"

#include "platform/Colors.h"
#include "platform/GdiDraw.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

TUCLCustomPanel::TUCLCustomPanel(QWidget* Parent) : TUCLCustomControl(Parent)
{
}

void TUCLCustomPanel::resizeEvent(QResizeEvent* Event)
{
    TUCLCustomControl::resizeEvent(Event);
    if (DrawsParentBackground())
        RefreshBackground();
}

void TUCLCustomPanel::moveEvent(QMoveEvent* Event)
{
    TUCLCustomControl::moveEvent(Event);
    if (DrawsParentBackground())
        RefreshBackground();
}

TUCLCustomBevelPanel::TUCLCustomBevelPanel(QWidget* Parent) : TUCLCustomPanel(Parent)
{
    FBevel.NativeBorder = true;
    FBevel.OnChange = [this](TPersistent* sender) { GetChange(sender); };
    UpdateClientArea();
}

Integer TUCLCustomBevelPanel::WindowBorderWidth() const
{
    if (CurrentBevel()->Mode() != TUCLBevelMode::bmWindows)
        return 0;
    return Ctl3D() ? 2 : 1;
}

TRect TUCLCustomBevelPanel::BevelClientRect() const
{
    const Integer nc = WindowBorderWidth();
    return CurrentBevel()->BevelClientRect(Rect(nc, nc, width() - nc, height() - nc));
}

TRect TUCLCustomBevelPanel::GetSizeGripRect() const
{
    const TRect client = BevelClientRect();
    const QStyle* style = QApplication::style();
    const int extent = style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
    return Rect(client.Right - extent, client.Bottom - extent, client.Right, client.Bottom);
}

void TUCLCustomBevelPanel::GetChange(TPersistent* Sender)
{
    UpdateClientArea();
    TUCLCustomPanel::GetChange(Sender);
}

void TUCLCustomBevelPanel::UpdateClientArea()
{
    const Integer nc = WindowBorderWidth();
    const TUCLBevel& bevel = *CurrentBevel();
    const TRect inner = bevel.BevelClientRect(Rect(0, 0, 1000, 1000));
    setContentsMargins(nc + inner.Left, nc + inner.Top, nc + 1000 - inner.Right,
                       nc + 1000 - inner.Bottom + GripReserve());
}

void TUCLCustomBevelPanel::Paint(QPainter& Painter)
{
    const int w = width(), h = height();
    const Integer nc = WindowBorderWidth();
    if (nc > 0) {
        if (Flat())
            ShowsHotBorder() ? TUCLCustomControl::DrawHotBorder(Painter) : TUCLCustomControl::DrawFlatBorder(Painter);
        else if (Ctl3D()) {
            TRect r = Rect(0, 0, w, h);
            DrawEdge(Painter, r, EDGE_SUNKEN, BF_RECT);
        } else {
            FrameRect(Painter, Rect(0, 0, w, h), clWindowFrame);
        }
    }
    const TRect client = Rect(nc, nc, w - nc, h - nc);
    if (!DrawsParentBackground())
        FillRect(Painter, client, CurrentColor());
    if (!Flat() || HasFocus())
        CurrentBevel()->PaintBevel(Painter, client, CurrentTransparent());
    else if (nc == 0)
        ShowsHotBorder() ? DrawHotBorder(Painter) : DrawFlatBorder(Painter);
    if (SizeGrip())
        DrawSizeGrip(Painter, GetSizeGripRect());
}

void TUCLCustomBevelPanel::DrawFlatBorder(QPainter& Painter)
{
    // The cold look shows no bevel: its bands keep the background that the
    // paint has just laid down.
}

void TUCLCustomBevelPanel::DrawHotBorder(QPainter& Painter)
{
    const Integer nc = WindowBorderWidth();
    CurrentBevel()->PaintBevel(Painter, Rect(nc, nc, width() - nc, height() - nc), true);
}
