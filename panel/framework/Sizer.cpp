#include "panel/framework/Sizer.h"

#include "engine/Globals.h"
#include "engine/ShellHooks.h"
#include "panel/framework/Design.h"
#include "panel/framework/FP_Element.h"
#include "panel/framework/PanelGlobals.h"
#include "platform/Colors.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

Integer RoundEven(long double value)
{
    return static_cast<Integer>(std::nearbyint(value));
}

// Down to the grid, truncating toward zero as the integer division does.
Integer GridDown(Integer v)
{
    return GridSize > 0 ? v / GridSize * GridSize : v;
}

Qt::CursorShape HandleCursor(Integer handle)
{
    switch (handle) {
    case 1:
    case 8: return Qt::SizeFDiagCursor;
    case 3:
    case 7: return Qt::SizeBDiagCursor;
    case 2:
    case 6: return Qt::SizeHorCursor;
    default: return Qt::SizeVerCursor;
    }
}

} // namespace

TSizer::TSizer(TDesign* owner) : QWidget(owner), owner_(owner), background_(PanelDefaultColor)
{
    setObjectName("Sizer");
    setMouseTracking(true);
    setGeometry(0, 0, 0, 0);
}

void TSizer::SetSizeable(bool sizeable)
{
    if (sizeable_ == sizeable)
        return;
    sizeable_ = sizeable;
    update();
}

void TSizer::SetBackground(TColor color)
{
    background_ = color;
    update();
}

void TSizer::CalcHandles()
{
    const int w = width(), h = height();
    const int w2 = w / 2, h2 = h / 2;
    auto box = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); };
    Handles[1] = box(0, 0, 5, 5);
    Handles[2] = box(0, h2 - 3, 5, h2 + 2);
    Handles[3] = box(0, h - 6, 5, h - 1);
    Handles[4] = box(w2 - 3, 0, w2 + 2, 5);
    Handles[5] = box(w2 - 3, h - 6, w2 + 2, h - 1);
    Handles[6] = box(w - 6, h2 - 3, w - 1, h2 + 2);
    Handles[7] = box(w - 6, 0, w - 1, 5);
    Handles[8] = box(w - 6, h - 6, w - 1, h - 1);
}

bool TSizer::HandleAllowed(Integer handle) const
{
    const bool horizontal = ElementEntry && ElementEntry->GetBisteHSkalierbar();
    const bool vertical = ElementEntry && ElementEntry->GetBisteVSkalierbar();
    switch (handle) {
    case 2:
    case 6: return horizontal;
    case 4:
    case 5: return vertical;
    case 1:
    case 3:
    case 7:
    case 8: return horizontal && vertical;
    default: return false;
    }
}

Integer TSizer::HandleAt(QPoint point) const
{
    Integer found = 0;
    for (Integer i = 1; i <= 8; ++i)
        if (Handles[i].contains(point))
            found = i;
    return HandleAllowed(found) ? found : 0;
}

// ---- Painting

void TSizer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ColorToQColor(background_));
    if (GridVisible && GridSize > 1 && !RunOnlyMode && !SimulationRunning) {
        const QColor color = ColorToQColor(GridColor);
        const int ox = -(x() % GridSize), oy = -(y() % GridSize);
        for (int i = 0; i <= width() / GridSize + 1; ++i)
            PixelLine(painter, i * GridSize + ox, 0, i * GridSize + ox, height(), color);
        for (int i = 0; i <= height() / GridSize + 1; ++i)
            PixelLine(painter, 0, i * GridSize + oy, width(), i * GridSize + oy, color);
    }
    if (Moving)
        return;
    for (Integer i = 1; i <= 8; ++i) {
        const bool usable = sizeable_ && HandleAllowed(i);
        painter.fillRect(Handles[i], usable ? Qt::black : QColor(0x80, 0x80, 0x80));
    }
}

// ---- The mouse

QPoint TSizer::Snapped(QPoint point, Qt::KeyboardModifiers modifiers) const
{
    if (modifiers & Qt::ControlModifier)
        return point;
    return QPoint(GridDown(point.x()), GridDown(point.y()));
}

void TSizer::StartMove(QPoint point)
{
    MoveStart = point;
    Moving = true;
    if (OnSetMoving)
        OnSetMoving(this);
    repaint();
}

void TSizer::mousePressEvent(QMouseEvent* event)
{
    if (!ElementEntry || event->button() != Qt::LeftButton)
        return;
    if (DoubleClicked) {
        DoubleClicked = false;
        return;
    }
    if (ProjectModified && ShellHooks.TakeSnapshot)
        ShellHooks.TakeSnapshot();
    const QPoint point = event->position().toPoint();
    // The container may select an element above this one instead; this
    // frame is then on its way out.
    if (owner_->SizerHitRequest(ElementEntry, mapToParent(point)))
        return;
    const Integer handle = HandleAt(point);
    if (handle != 0 && sizeable_) {
        ActiveHandle = handle;
        repaint();
        ResizeStart = Snapped(point, event->modifiers());
        SnapToGridLines = false;
        DrawOutline(ComputeOutline(ResizeStart));
        return;
    }
    MoveStart = point;
    if (event->modifiers() & Qt::ShiftModifier) {
        owner_->SizerDeselectRequest(ElementEntry);
        return;
    }
    StartMove(point);
}

void TSizer::mouseMoveEvent(QMouseEvent* event)
{
    if (!ElementEntry)
        return;
    // The pointer stays 7 pixels inside the container while a button is held.
    QPoint point = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        const QPoint inContainer = mapToParent(point);
        const QPoint clamped(std::clamp(inContainer.x(), 7, std::max(7, owner_->width() - 8)),
                             std::clamp(inContainer.y(), 7, std::max(7, owner_->height() - 8)));
        point = mapFromParent(clamped);
    }
    const Integer handle = HandleAt(point);
    OverHandle = handle != 0;
    owner_->ContainerMouseMove(mapToParent(point), Qt::NoButton);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (ActiveHandle == 0 && (!OverHandle || Moving)) {
        unsetCursor();
        if (!Moving) {
            MoveStart = point;
            if (event->buttons() & Qt::LeftButton)
                StartMove(point);
            return;
        }
        Offset = point - MoveStart;
        if (!(modifiers & Qt::ControlModifier)) {
            if (modifiers & Qt::ShiftModifier) {
                // Shift puts the element's corner on the grid.
                const Integer left = x() + 6, top = y() + 6;
                Offset = QPoint(GridDown(left + Offset.x() + GridSize / 2) - left,
                                GridDown(top + Offset.y() + GridSize / 2) - top);
            } else {
                Offset = QPoint(GridDown(Offset.x()), GridDown(Offset.y()));
            }
        }
        if (OnChange)
            OnChange(this);
        if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
            repaint();
        return;
    }
    if (OverHandle)
        setCursor(sizeable_ ? HandleCursor(handle) : Qt::ArrowCursor);
    if (ActiveHandle == 0)
        return;
    if (!sizeable_) {
        unsetCursor();
        return;
    }
    SnapToGridLines = modifiers & Qt::ShiftModifier;
    const QRect outline = ComputeOutline(Snapped(point, modifiers));
    if (outline != LastOutline || !OutlineShown)
        DrawOutline(outline);
}

void TSizer::mouseReleaseEvent(QMouseEvent* event)
{
    if (!ElementEntry || event->button() != Qt::LeftButton)
        return;
    if (sizeable_)
        EraseOutline();
    const bool wasMoving = Moving;
    Moving = false;
    if (wasMoving && OnResetMoving)
        OnResetMoving(this);
    unsetCursor();
    CalcHandles();
    repaint();
    if (OnChange)
        OnChange(this);
    if (ActiveHandle == 0)
        return;
    ActiveHandle = 0;
    const QRect outline = LastOutline;   // (left, top, right, bottom), normalised
    const int left = std::min(outline.left(), outline.right());
    const int right = std::max(outline.left(), outline.right());
    const int top = std::min(outline.top(), outline.bottom());
    const int bottom = std::max(outline.top(), outline.bottom());
    move(x() + left - 5, y() + top - 5);
    resize(right - left + 8, bottom - top + 8);
    ElementEntry->SetBounds(ElementEntry->x(), ElementEntry->y(), width() - 10, height() - 10);
    // The frame ends 6 outside the element, also when the element refuses a size.
    resize(ElementEntry->width() + 12, ElementEntry->height() + 12);
    CalcHandles();
    if (MachTransparent)
        MachTransparent(this);
    ProjectModified = true;
}

void TSizer::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!ElementEntry)
        return;
    DoubleClicked = true;
    ElementEntry->EditProperties();
    ElementEntry->ApplyAspectRatio();
    resize(ElementEntry->width() + 12, ElementEntry->height() + 12);
    CalcHandles();
    update();
    // The press of the second click comes after the dialog and is dropped.
    mousePressEvent(event);
}

// ---- The resize outline

QRect TSizer::ComputeOutline(QPoint point) const
{
    const int W = width(), H = height();
    int left = 5, top = 5, right = W - 5, bottom = H - 5;
    const int dx = point.x() - ResizeStart.x();
    const int dy = point.y() - ResizeStart.y();
    const int f = 2 * ElementEntry->FrameWidth();
    const long double r = ElementEntry->GetAspectRatio();
    const bool vertical = std::abs(dy) >= std::abs(dx);
    if (r <= 0) {
        switch (ActiveHandle) {
        case 1: left = 5 + dx; top = 5 + dy; break;
        case 2: left = 5 + dx; break;
        case 3: left = 5 + dx; bottom = H - 5 + dy; break;
        case 4: top = 5 + dy; break;
        case 5: bottom = H - 5 + dy; break;
        case 6: right = W - 5 + dx; break;
        case 7:
            top = 5 + dy;
            if (!vertical)
                right = W - 5 + dx;
            break;
        case 8:
            bottom = H - 5 + dy;
            if (!vertical)
                right = W - 5 + dx;
            break;
        }
    } else {
        switch (ActiveHandle) {
        case 1:
            if (!vertical) {
                left = 5 + dx;
                top = H - 5 - f - RoundEven((W - 5 - left - f) / r);
            } else {
                top = 5 + dy;
                left = W - 5 - f - RoundEven(r * (H - 5 - top - f));
            }
            break;
        case 2:
            left = 5 + dx;
            bottom = 5 + f + RoundEven((W - 5 - left - f) / r);
            break;
        case 3:
            if (!vertical) {
                left = 5 + dx;
                bottom = 5 + f + RoundEven((W - 5 - left - f) / r);
            } else {
                bottom = H - 5 + dy;
                left = W - 5 - f - RoundEven(r * (bottom - 5 - f));
            }
            break;
        case 4:
            top = 5 + dy;
            right = 5 + f + RoundEven(r * (H - 5 - top - f));
            break;
        case 5:
            bottom = H - 5 + dy;
            right = 5 + f + RoundEven(r * (bottom - 5 - f));
            break;
        case 6:
            right = W - 5 + dx;
            bottom = 5 + f + RoundEven((right - 5 - f) / r);
            break;
        case 7:
            if (!vertical) {
                right = W - 5 + dx;
                top = H - 5 - f - RoundEven((right - 5 - f) / r);
            } else {
                top = 5 + dy;
                right = 5 + f + RoundEven(r * (H - 5 - top - f));
            }
            break;
        case 8:
            if (!vertical) {
                right = W - 5 + dx;
                bottom = 5 + f + RoundEven((right - 5 - f) / r);
            } else {
                bottom = H - 5 + dy;
                right = 5 + f + RoundEven(r * (bottom - 5 - f));
            }
            break;
        }
    }
    if (SnapToGridLines && GridSize > 0) {
        // In container coordinates the moving edges go onto the grid lines.
        const int ox = x(), oy = y();
        int l = left + ox, t = top + oy, rr = right + ox, b = bottom + oy;
        auto snapLow = [](int v) { return v / GridSize * GridSize - 1; };
        auto snapHigh = [](int v) { return v / GridSize * GridSize + 1; };
        const Integer h = ActiveHandle;
        if (h == 1 || h == 2 || h == 3)
            l = snapLow(l);
        if (h == 1 || h == 4 || h == 7)
            t = snapLow(t);
        if (h == 6 || h == 7 || h == 8)
            rr = snapHigh(rr);
        if (h == 3 || h == 5 || h == 8)
            b = snapHigh(b);
        if (r > 0) {
            const bool widthLeads = h == 2 || h == 6 || ((h == 1 || h == 3 || h == 7 || h == 8) && !vertical);
            if (widthLeads) {
                const int height = RoundEven((rr - l) / r);
                if (h == 1 || h == 7)
                    t = b - height;
                else
                    b = t + height;
            } else {
                const int width = RoundEven(r * (b - t));
                if (h == 1 || h == 3)
                    l = rr - width;
                else
                    rr = l + width;
            }
        }
        left = l - ox;
        top = t - oy;
        right = rr - ox;
        bottom = b - oy;
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void TSizer::DrawOutline(const QRect& outline)
{
    LastOutline = outline;
    OutlineShown = true;
    // The element's new outline: one pixel inside the computed rectangle.
    const QRect drawn(mapToParent(QPoint(outline.left() + 1, outline.top() + 1)),
                      mapToParent(QPoint(outline.right() - 2, outline.bottom() - 2)));
    owner_->ShowOutline(drawn);
}

void TSizer::EraseOutline()
{
    if (!OutlineShown)
        return;
    OutlineShown = false;
    owner_->ShowOutline(QRect());
}
