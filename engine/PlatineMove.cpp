// Moving the selection on the grid with rubber bands that keep unmoved wires
// attached, ending a drag or a placement, deleting and removing objects,
// bringing the selection to the front, and the tidy-up that selects wires
// with a free end.
#include "engine/Platine.h"

#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/Makro.h"
#include "engine/Segment.h"
#include "engine/ShellHooks.h"
#include "platform/MouseCursor.h"

#include <algorithm>
#include <cmath>


namespace {

// Restarts the web link on every way out of a deletion.
struct TWebLinkPause {
    TWebLinkPause()
    {
        if (ShellHooks.PanelWebLink.Stop)
            ShellHooks.PanelWebLink.Stop();
    }
    ~TWebLinkPause()
    {
        if (ShellHooks.PanelWebLink.Start)
            ShellHooks.PanelWebLink.Start();
    }
    TWebLinkPause(const TWebLinkPause&) = delete;
    TWebLinkPause& operator=(const TWebLinkPause&) = delete;
};

bool IsStub(const TBauteil* object)
{
    const auto* wire = dynamic_cast<const TSegment*>(object);
    return wire && wire->IsStub();
}

} // namespace

// ---- Dragging

void TPlatine::DragMove(Integer x, Integer y, Byte)
{
    const TPoint cur = DeviceToBoard(TPoint{x, y});
    const TPoint start = DeviceToBoard(TrackPoint);
    const Integer grid = std::max(Grid, 1);
    auto onGrid = [&](Integer v) { return static_cast<Integer>(std::nearbyint(static_cast<double>(v) / grid)) * grid; };
    const TPoint d{onGrid(cur.X - start.X), onGrid(cur.Y - start.Y)};

    // The selection never leaves the board; the step is tried again from the
    // same point at the next mouse move.
    const TRect r = GetObjectsRect(true);
    if (r.Left + d.X < 0 || r.Top + d.Y < 0 || r.Right + d.X > BoardWidth || r.Bottom + d.Y > BoardHeight)
        return;

    if (d != TPoint{}) {
        Moved = true;
        if (FirstMove) {
            TakeSnapshot();
            FirstMove = false;
            DetachWires();
        }
        const TRect oldArea{r.Left - 50, r.Top - 50, r.Right + 50, r.Bottom + 50};
        const TRect newArea{oldArea.Left + d.X, oldArea.Top + d.Y, oldArea.Right + d.X, oldArea.Bottom + d.Y};
        for (std::size_t i = 0; i < Objects.size(); ++i)
            if (Objects[i]->IsSelected())
                Objects[i]->MoveBy(d);
        InvalidateBoardRect(oldArea);
        InvalidateBoardRect(newArea);
        if (RubberBandsActive) {
            DrawRubberBands(false);
            for (TGummibandPoint& band : RubberBands)
                band.MoveBy(d);
            // The bands all moved alike: once one is not straight, none is,
            // and the preview ends for the rest of the drag.
            if (!RubberBands.front().IsAxisParallel())
                RubberBandsActive = false;
            DrawRubberBands(RubberBandsActive);
        }
    }
    TrackPoint = BoardToDeviceDelta(TPoint{start.X + d.X, start.Y + d.Y});
}

void TPlatine::EndDrag(Integer, Integer, Byte, TMouseButton button)
{
    const bool left = button == TMouseButton::mbLeft;
    if (RubberBandsActive && Moved) {
        for (const TGummibandPoint& band : RubberBands)
            if (band.IsAxisParallel()) {
                SelectObject(AddWire(band.FixedEnd, band.MovingEnd), true);
                NormaliseSelectedWires();
            }
    }
    if (RubberBandsActive)
        DrawRubberBands(false);
    RubberBandsActive = false;
    if (left)
        NormaliseSelectedWires();
    else if (button == TMouseButton::mbRight)
        DeleteSelected();
    if (Moved) {
        ProjectModified = true;
        Moved = false;
    }
    if (Mode == TBoardMode::Placing) {
        Mode = PreviousMode;
        if (View)
            View->SetBoardCursor(SavedCursor);
        if (PlacedFromLibrary && left) {
            ClipCursor(std::nullopt);
            // The placed component, not the pin stubs that follow it in the list.
            const auto placed = std::find_if(Objects.rbegin(), Objects.rend(),
                                             [](const TBauteil* o) { return !IsStub(o); });
            if (placed != Objects.rend() && dynamic_cast<IHardwareComponent*>(*placed))
                EditSelection();
        }
    }
    Tracking = false;
    CursorConfined = false;
    FirstMove = true;
    PlacedFromLibrary = false;
    ClipCursor(std::nullopt);
}

// ---- Rubber bands

void TPlatine::CollectRubberBands()
{
    FreeRubberBands();
    for (const TBauteil* a : Objects) {
        const auto* p = dynamic_cast<const TSegment*>(a);
        if (!p || !p->IsSelected())
            continue;
        for (const TBauteil* b : Objects) {
            const auto* q = dynamic_cast<const TSegment*>(b);
            if (!q || q->IsSelected())
                continue;
            if (p->StartPoint == q->StartPoint || p->StartPoint == q->EndPoint)
                AddRubberBandPoint(p->StartPoint);
            if (p->EndPoint == q->StartPoint || p->EndPoint == q->EndPoint)
                AddRubberBandPoint(p->EndPoint);
        }
    }
}

void TPlatine::AddRubberBandPoint(TPoint p)
{
    if (std::none_of(RubberBands.begin(), RubberBands.end(),
                     [&](const TGummibandPoint& band) { return band.FixedEnd == p; }))
        RubberBands.emplace_back(p);
}

void TPlatine::DrawRubberBands(bool)
{
    for (const TGummibandPoint& band : RubberBands)
        InvalidateBoardRect(band.Area());
}

// ---- Deleting and the list order

void TPlatine::DeleteSelected()
{
    TWebLinkPause pause;
    if (!UpdateLocked)
        DetachWires();
    const bool wasLocked = UpdateLocked;
    UpdateLocked = true;
    // Taken first: removing a component also removes its pin stubs.
    std::vector<TBauteil*> selected;
    std::copy_if(Objects.begin(), Objects.end(), std::back_inserter(selected),
                 [](const TBauteil* o) { return o->IsSelected(); });
    try {
        for (TBauteil* object : selected) {
            if (std::find(Objects.begin(), Objects.end(), object) == Objects.end())
                continue;
            DeletingMacroPin = dynamic_cast<TBTPin*>(object) != nullptr;
            RemoveObject(object);
            DeletingMacroPin = false;
        }
    } catch (...) {
        DeletingMacroPin = false;
        UpdateLocked = wasLocked;
        throw;
    }
    UpdateLocked = wasLocked;
    if (!wasLocked)
        Repaint();
    if (OnAktTools)
        OnAktTools();
}

void TPlatine::BringToFront()
{
    TakeSnapshot();
    const std::size_t count = Objects.size();
    for (std::size_t i = 0; i < count; ++i) {
        TBauteil* object = Objects[i];
        if (object && object->IsSelected()) {
            Objects.push_back(object);
            Objects[i] = nullptr;
            InvalidateObject(object);
            ProjectModified = true;
        }
    }
    std::erase(Objects, nullptr);
}

// ---- Tidy-up

void TPlatine::DeleteZeroLengthWires()
{
    for (std::size_t i = Objects.size(); i-- > 0;) {
        auto* wire = dynamic_cast<TSegment*>(Objects[i]);
        if (!wire || wire->IsStub() || wire->StartPoint != wire->EndPoint)
            continue;
        DetachObject(wire);
        std::erase(WorkList, wire);
        delete wire;
    }
}

bool TPlatine::SelectLooseWire()
{
    DeleteZeroLengthWires();
    for (std::size_t i = Objects.size(); i-- > 0;) {
        auto* p = dynamic_cast<TSegment*>(Objects[i]);
        if (!p || p->IsSelected() || p->IsStub())
            continue;
        bool startJoined = false;
        bool endJoined = false;
        // Selected pieces are no partners, so a dangling chain is taken piece by piece.
        for (const TBauteil* object : Objects) {
            const auto* q = dynamic_cast<const TSegment*>(object);
            if (!q || q == p || q->IsSelected())
                continue;
            startJoined = startJoined || p->StartPoint == q->StartPoint || p->StartPoint == q->EndPoint;
            endJoined = endJoined || p->EndPoint == q->StartPoint || p->EndPoint == q->EndPoint;
        }
        if (!startJoined || !endJoined) {
            p->SetSelected(true);
            return true;
        }
    }
    return false;
}
