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
#include "engine/WireIndex.h"
#include "platform/MouseCursor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <unordered_map>
#include <unordered_set>

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
    // Per selected piece, its ends that an unselected piece shares, in the
    // order of the first such piece in the list (the start first when one
    // piece shares both); each point once.
    const std::vector<TSegment*> unselected = UnselectedWires();
    const TWireIndex index(unselected);
    std::unordered_set<std::uint64_t> taken;
    for (const TBauteil* object : Objects) {
        const auto* p = dynamic_cast<const TSegment*>(object);
        if (!p || !p->IsSelected())
            continue;
        const std::span<const std::size_t> atStart = index.EndsAt(p->StartPoint);
        const std::span<const std::size_t> atEnd = index.EndsAt(p->EndPoint);
        std::vector<std::pair<std::size_t, TPoint>> ends;
        if (!atStart.empty())
            ends.emplace_back(atStart.front(), p->StartPoint);
        if (!atEnd.empty()) {
            if (ends.empty() || atEnd.front() < ends.front().first)
                ends.emplace(ends.begin(), atEnd.front(), p->EndPoint);
            else
                ends.emplace_back(atEnd.front(), p->EndPoint);
        }
        for (const auto& [first, point] : ends)
            if (taken.insert(TWireIndex::Key(point)).second)
                RubberBands.emplace_back(point);
    }
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
    HideHint();
    if (!UpdateLocked)
        DetachWires();
    const bool wasLocked = UpdateLocked;
    UpdateLocked = true;
    // Taken first: removing a component also removes its pin stubs.
    std::vector<TBauteil*> selected;
    std::copy_if(Objects.begin(), Objects.end(), std::back_inserter(selected),
                 [](const TBauteil* o) { return o->IsSelected(); });
    // In selection order, each removal as RemoveObject makes it, except that
    // the list, the numbers and the names catch up once at the end (and
    // before each macro pin, whose removal event counts the pins left).
    const TForgetBatch batch(*RootBoard());
    std::unordered_set<TBauteil*> removed;
    std::vector<TBauteil*> doomed;
    std::unordered_set<const TClassInfo*> renumber;
    std::unordered_map<const TIOBauteil*, std::vector<TSegment*>> stubs;
    auto indexStubs = [&] {
        stubs.clear();
        for (TBauteil* object : Objects)
            if (auto* wire = dynamic_cast<TSegment*>(object); wire && wire->Owner)
                stubs[wire->Owner].push_back(wire);
    };
    indexStubs();
    // What is still on the board besides the pending removals; a macro pin's
    // removal may take more with it.
    std::unordered_set<TBauteil*> present(Objects.begin(), Objects.end());
    auto discard = [&](TBauteil* object) {
        removed.insert(object);
        doomed.push_back(object);
        if (object == LastWire)
            LastWire = nullptr;
        if (auto* wire = dynamic_cast<TSegment*>(object))
            if (TBauteilPin* pin = wire->StubPin(); pin && pin->Stub == wire)
                pin->Stub = nullptr;
    };
    try {
        for (TBauteil* object : selected) {
            if (!present.contains(object) || removed.contains(object))
                continue;
            if (dynamic_cast<TBTPin*>(object)) {
                FlushRemovals(removed, doomed, renumber);
                DeletingMacroPin = true;
                RemoveObject(object);
                DeletingMacroPin = false;
                present = std::unordered_set<TBauteil*>(Objects.begin(), Objects.end());
                indexStubs();
                continue;
            }
            if (auto* component = dynamic_cast<TIOBauteil*>(object)) {
                if (auto* macro = dynamic_cast<TMakro*>(component))
                    macro->FreeInnerBoard();
                if (OnEntferneBauteil)
                    OnEntferneBauteil(this, component);
                renumber.insert(&component->ClassType());
                if (const auto own = stubs.find(component); own != stubs.end())
                    for (TSegment* stub : own->second)
                        if (!removed.contains(stub))
                            discard(stub);
            }
            discard(object);
        }
    } catch (...) {
        DeletingMacroPin = false;
        UpdateLocked = wasLocked;
        FlushRemovals(removed, doomed, renumber);
        throw;
    }
    FlushRemovals(removed, doomed, renumber);
    UpdateLocked = wasLocked;
    if (!wasLocked)
        Repaint();
    if (OnAktTools)
        OnAktTools();
}

void TPlatine::FlushRemovals(std::unordered_set<TBauteil*>& removed, std::vector<TBauteil*>& doomed,
                             std::unordered_set<const TClassInfo*>& renumber)
{
    if (!removed.empty()) {
        std::erase_if(Objects, [&](TBauteil* o) { return removed.contains(o); });
        for (TBauteil* object : doomed)
            UnqueueWire(object);
        // Stubs before their components, as RemoveObject deletes them.
        for (TBauteil* object : doomed)
            delete object;
        removed.clear();
        doomed.clear();
    }
    if (!renumber.empty() && !destroying_) {
        RenumberClasses(renumber);
        SetBoardName(BoardName);
        CreateDdeServerItems();
    }
    renumber.clear();
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
        UnqueueWire(wire);
        delete wire;
    }
}

bool TPlatine::SelectLooseWire()
{
    return SelectLooseWires(1) == 1;
}

Integer TPlatine::SelectAllLooseWires()
{
    return SelectLooseWires(std::numeric_limits<Integer>::max());
}

Integer TPlatine::SelectLooseWires(Integer most)
{
    DeleteZeroLengthWires();
    // One at a time, each the last in the list with an end that no other
    // unselected piece shares: selected pieces are no partners, so a
    // dangling chain is taken piece by piece. Ends are counted per point
    // over the unselected pieces; a piece is loose where only its own end lies.
    std::vector<TSegment*> wires;
    for (TBauteil* object : Objects)
        if (auto* wire = dynamic_cast<TSegment*>(object))
            wires.push_back(wire);
    const TWireIndex index(wires);
    std::unordered_map<std::uint64_t, Integer> ends;
    for (const TSegment* wire : wires)
        if (!wire->IsSelected()) {
            ++ends[TWireIndex::Key(wire->StartPoint)];
            ++ends[TWireIndex::Key(wire->EndPoint)];
        }
    // Loose candidates; no zero-length piece is left but stubs, which never are.
    auto loose = [&](const TSegment* wire) {
        return !wire->IsSelected() && !wire->IsStub() &&
               (ends[TWireIndex::Key(wire->StartPoint)] < 2 || ends[TWireIndex::Key(wire->EndPoint)] < 2);
    };
    std::set<std::size_t> pending;
    for (std::size_t i = 0; i < wires.size(); ++i)
        if (loose(wires[i]))
            pending.insert(i);
    Integer selected = 0;
    while (selected < most && !pending.empty()) {
        const std::size_t last = *pending.rbegin();
        pending.erase(last);
        TSegment* wire = wires[last];
        wire->SetSelected(true);
        ++selected;
        for (const TPoint p : {wire->StartPoint, wire->EndPoint}) {
            --ends[TWireIndex::Key(p)];
            for (const std::size_t i : index.EndsAt(p))
                if (loose(wires[i]))
                    pending.insert(i);
        }
    }
    return selected;
}
