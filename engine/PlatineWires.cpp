// Wire normalisation of the board: pieces that continue each other on one line
// are merged, a piece on which another ends in its middle is split there, and
// junction dots mark points where three or more ends meet, so that the net
// rule (pieces are joined exactly where end points coincide) stays true.
#include "engine/Platine.h"

#include "engine/Segment.h"
#include "engine/WireIndex.h"

#include <algorithm>

TSegment* TPlatine::AddWire(TPoint p1, TPoint p2)
{
    auto* wire = new TSegment();
    wire->StartPoint = p1;
    wire->EndPoint = p2;
    wire->Normalise();
    wire->Board = this;
    wire->Palette = BoardPalette;
    Objects.push_back(wire);
    LastWire = wire;
    InvalidateObject(wire);
    return wire;
}

template <class F>
void TPlatine::ForEachSelectedSegment(F&& f)
{
    std::vector<TSegment*> selected;
    for (TBauteil* object : Objects)
        if (auto* wire = dynamic_cast<TSegment*>(object); wire && wire->IsSelected())
            selected.push_back(wire);
    for (TSegment* wire : selected)
        f(wire);
}

void TPlatine::QueueWire(TSegment* wire)
{
    if (queued_.insert(wire).second) {
        WorkList.push_back(wire);
        endsCounted_ = false;
    }
}

void TPlatine::UnqueueWire(const TBauteil* object)
{
    if (queued_.erase(const_cast<TBauteil*>(object)) == 0)
        return;
    std::erase(WorkList, object);
    endsCounted_ = false;
}

void TPlatine::ClearWorkList()
{
    WorkList.clear();
    queued_.clear();
    endsCounted_ = false;
}

void TPlatine::QueueTouching(const TWireIndex& unselected, const std::vector<TSegment*>& wires, TSegment* wire)
{
    std::vector<std::size_t> touching;
    unselected.Touching(wire, touching);
    for (const std::size_t i : touching)
        QueueWire(wires[i]);
}

std::vector<TSegment*> TPlatine::UnselectedWires() const
{
    std::vector<TSegment*> wires;
    for (TBauteil* object : Objects)
        if (auto* wire = dynamic_cast<TSegment*>(object); wire && !wire->IsSelected())
            wires.push_back(wire);
    return wires;
}

Integer TPlatine::CountEnds(TPoint p) const
{
    // The pieces whose start or end lies at p, counted once each.
    if (!endsCounted_) {
        endCounts_.clear();
        for (const TSegment* w : WorkList) {
            ++endCounts_[TWireIndex::Key(w->StartPoint)];
            if (w->EndPoint != w->StartPoint)
                ++endCounts_[TWireIndex::Key(w->EndPoint)];
        }
        endsCounted_ = true;
    }
    const auto it = endCounts_.find(TWireIndex::Key(p));
    return it == endCounts_.end() ? 0 : it->second;
}

bool TPlatine::CanMerge(const TSegment* a, const TSegment* b) const
{
    if (a->IsStub() || b->IsStub() || a->IsVertical() != b->IsVertical())
        return false;
    auto free = [&](TPoint p) { return CountEnds(p) < 3; };
    return (a->StartPoint == b->EndPoint && free(a->StartPoint)) ||
           (a->EndPoint == b->StartPoint && free(a->EndPoint)) ||
           (a->StartPoint == b->StartPoint && free(a->StartPoint)) ||
           (a->EndPoint == b->EndPoint && free(a->EndPoint)) ||
           (a->ContainsInner(b->StartPoint) && free(b->StartPoint)) ||
           (a->ContainsInner(b->EndPoint) && free(b->EndPoint)) ||
           (b->ContainsInner(a->StartPoint) && free(a->StartPoint)) ||
           (b->ContainsInner(a->EndPoint) && free(a->EndPoint));
}

void TPlatine::MergeWires(TSegment* a, TSegment* b)
{
    endsCounted_ = false;
    if (a->IsVertical()) {
        a->StartPoint.Y = std::min(a->StartPoint.Y, b->StartPoint.Y);
        a->EndPoint.Y = std::max(a->EndPoint.Y, b->EndPoint.Y);
    } else {
        a->StartPoint.X = std::min(a->StartPoint.X, b->StartPoint.X);
        a->EndPoint.X = std::max(a->EndPoint.X, b->EndPoint.X);
    }
    InvalidateObject(a);
    // b leaves the board but its ends still count for the dots around it.
    InvalidateObject(b);
    DetachObject(b);
    UpdateDots();
    UnqueueWire(b);
    delete b;
}

void TPlatine::MergeCollinear()
{
    // Each round merges the first mergeable pair (i < j) of the list as it
    // stands, as a scan of all pairs would; only the pieces touching piece i
    // can pair with it.
    std::vector<std::size_t> touching;
    bool changed = true;
    while (changed) {
        changed = false;
        const TWireIndex index(WorkList);
        for (std::size_t i = 0; i < WorkList.size() && !changed; ++i) {
            index.Touching(WorkList[i], touching);
            for (const std::size_t j : touching)
                if (j > i && CanMerge(WorkList[i], WorkList[j])) {
                    MergeWires(WorkList[i], WorkList[j]);
                    changed = true;
                    break;
                }
        }
    }
}

void TPlatine::SplitWireAt(TSegment* wire, TPoint p)
{
    const TPoint end = wire->EndPoint;
    endsCounted_ = false;
    InvalidateObject(wire);
    if (wire->IsVertical())
        wire->EndPoint.Y = p.Y;
    else
        wire->EndPoint.X = p.X;
    QueueWire(AddWire(p, end));
}

void TPlatine::SplitAtJunctions()
{
    bool changed = true;
    // Each test sees the pieces as the earlier ones left them.
    auto split = [&](TSegment* wire, TPoint p) {
        if (wire->ContainsInner(p)) {
            SplitWireAt(wire, p);
            changed = true;
        }
    };
    // Each round splits at the first pair (i < j) of the list as it stands
    // where one piece has an end inside the other, as a scan of all pairs
    // would; only the pieces touching piece i can be such a partner.
    std::vector<std::size_t> touching;
    while (changed) {
        changed = false;
        const TWireIndex index(WorkList);
        for (std::size_t i = 0; i + 1 < WorkList.size() && !changed; ++i) {
            index.Touching(WorkList[i], touching);
            for (const std::size_t j : touching) {
                if (j <= i)
                    continue;
                TSegment* a = WorkList[i];
                TSegment* b = WorkList[j];
                if (a->IsSelected() && b->IsSelected())
                    continue;
                split(a, b->StartPoint);
                split(a, b->EndPoint);
                split(b, a->StartPoint);
                split(b, a->EndPoint);
                if (changed)
                    break;
            }
        }
    }
}

void TPlatine::UpdateDots()
{
    for (TSegment* wire : WorkList) {
        auto revise = [&](TPoint p, bool& dot) {
            const Integer c = CountEnds(p);
            const bool before = dot;
            if (c > 2)
                dot = true;
            else if (c == 2)
                dot = false;
            return dot != before;
        };
        const bool startChanged = revise(wire->StartPoint, wire->DotAtStart);
        const bool endChanged = revise(wire->EndPoint, wire->DotAtEnd);
        if (startChanged || endChanged)
            InvalidateObject(wire);
    }
}

void TPlatine::MarkConnectedPins()
{
    for (TSegment* wire : WorkList)
        if (TBauteilPin* pin = wire->StubPin(); pin && CountEnds(wire->StubPoint()) > 1) {
            pin->Connected = true;
            InvalidateObject(wire->Owner);
        }
}

void TPlatine::UnmarkConnectedPins()
{
    for (TSegment* wire : WorkList)
        if (TBauteilPin* pin = wire->StubPin(); pin && CountEnds(wire->StubPoint()) < 2) {
            pin->Connected = false;
            InvalidateObject(wire->Owner);
        }
}

void TPlatine::AddWireAndNormalise(TPoint p1, TPoint p2)
{
    TSegment* wire = AddWire(p1, p2);
    {
        const std::vector<TSegment*> unselected = UnselectedWires();
        QueueTouching(TWireIndex(unselected), unselected, wire);
    }
    QueueWire(wire);
    MergeCollinear();
    SplitAtJunctions();
    UpdateDots();
    MarkConnectedPins();
    ClearWorkList();
}

void TPlatine::DetachWires()
{
    const std::vector<TSegment*> unselected = UnselectedWires();
    const TWireIndex index(unselected);
    ForEachSelectedSegment([&](TSegment* wire) {
        QueueTouching(index, unselected, wire);
        wire->DotAtStart = false;
        wire->DotAtEnd = false;
        if (TBauteilPin* pin = wire->StubPin()) {
            pin->Connected = false;
            InvalidateObject(wire->Owner);
        }
    });
    MergeCollinear();
    SplitAtJunctions();
    UpdateDots();
    UnmarkConnectedPins();
    ClearWorkList();
}

void TPlatine::NormaliseSelectedWires()
{
    const std::vector<TSegment*> unselected = UnselectedWires();
    const TWireIndex index(unselected);
    ForEachSelectedSegment([&](TSegment* wire) {
        QueueTouching(index, unselected, wire);
        QueueWire(wire);
    });
    MergeCollinear();
    SplitAtJunctions();
    UpdateDots();
    MarkConnectedPins();
    ClearWorkList();
}

void TPlatine::NormaliseAllWires()
{
    for (TBauteil* object : Objects)
        if (auto* wire = dynamic_cast<TSegment*>(object))
            QueueWire(wire);
    MergeCollinear();
    UpdateDots();
    SplitAtJunctions();
    MarkConnectedPins();
    ClearWorkList();
}
