// Wire normalisation of the board: pieces that continue each other on one line
// are merged, a piece on which another ends in its middle is split there, and
// junction dots mark points where three or more ends meet, so that the net
// rule (pieces are joined exactly where end points coincide) stays true.
#include "engine/Platine.h"

#include "engine/Segment.h"

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
    if (std::find(WorkList.begin(), WorkList.end(), wire) == WorkList.end())
        WorkList.push_back(wire);
}

bool TPlatine::TouchesWire(const TSegment* a, const TSegment* b)
{
    return a->StartPoint == b->StartPoint || a->StartPoint == b->EndPoint || a->EndPoint == b->StartPoint ||
           a->EndPoint == b->EndPoint || a->ContainsInner(b->StartPoint) || a->ContainsInner(b->EndPoint) ||
           b->ContainsInner(a->StartPoint) || b->ContainsInner(a->EndPoint);
}

void TPlatine::QueueTouching(TSegment* wire)
{
    for (TBauteil* object : Objects) {
        auto* other = dynamic_cast<TSegment*>(object);
        if (other && other != wire && !other->IsSelected() && TouchesWire(wire, other))
            QueueWire(other);
    }
}

Integer TPlatine::CountEnds(TPoint p) const
{
    return static_cast<Integer>(std::count_if(WorkList.begin(), WorkList.end(), [&](const TSegment* w) {
        return w->StartPoint == p || w->EndPoint == p;
    }));
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
    std::erase(WorkList, b);
    delete b;
}

void TPlatine::MergeCollinear()
{
    bool changed = true;
    while (changed) {
        changed = false;
        for (std::size_t i = 0; i < WorkList.size() && !changed; ++i)
            for (std::size_t j = i + 1; j < WorkList.size() && !changed; ++j)
                if (CanMerge(WorkList[i], WorkList[j])) {
                    MergeWires(WorkList[i], WorkList[j]);
                    changed = true;
                }
    }
}

void TPlatine::SplitWireAt(TSegment* wire, TPoint p)
{
    const TPoint end = wire->EndPoint;
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
    while (changed) {
        changed = false;
        for (std::size_t i = 0; i + 1 < WorkList.size() && !changed; ++i)
            for (std::size_t j = i + 1; j < WorkList.size() && !changed; ++j) {
                TSegment* a = WorkList[i];
                TSegment* b = WorkList[j];
                if (a->IsSelected() && b->IsSelected())
                    continue;
                split(a, b->StartPoint);
                split(a, b->EndPoint);
                split(b, a->StartPoint);
                split(b, a->EndPoint);
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
    QueueTouching(wire);
    QueueWire(wire);
    MergeCollinear();
    SplitAtJunctions();
    UpdateDots();
    MarkConnectedPins();
    ClearWorkList();
}

void TPlatine::DetachWires()
{
    ForEachSelectedSegment([&](TSegment* wire) {
        QueueTouching(wire);
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
    ForEachSelectedSegment([&](TSegment* wire) {
        QueueTouching(wire);
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
            WorkList.push_back(wire);
    MergeCollinear();
    UpdateDots();
    SplitAtJunctions();
    MarkConnectedPins();
    ClearWorkList();
}
