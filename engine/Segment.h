// A wire piece: a straight horizontal or vertical segment between two points.
// Pieces whose end points coincide are joined. A pin stub is a piece of zero
// length on a pin's outer end, owned by the component and never stored.
#pragma once

#include "engine/Bauteil.h"

class TSegment : public TBauteil {
    ZK_CLASS(TSegment, TBauteil)

public:
    TSegment() = default;

    TPoint StartPoint{0, 0};
    TPoint EndPoint{10, 10};
    Integer Net = 0;                // 0 = not numbered
    bool DotAtEnd = false;
    bool DotAtStart = false;
    Integer DotRadius = 6;
    TIOBauteil* Owner = nullptr;    // pin stubs: the component whose pin it is
    bool IsInputStub = false;
    Integer PinIndex = 0;
    TBauteilPin* Driver = nullptr;  // the output driving the net (set through MarkReferenced)
    bool LastLevel = false;

    bool IsStub() const { return Owner != nullptr; }
    // The stub's pin, or nullptr when the owner has no such pin any more.
    TBauteilPin* StubPin() const;
    // Where wires attach to a stub.
    TPoint StubPoint() const { return IsInputStub ? StartPoint : EndPoint; }

    void Draw(TCanvas& canvas) override;
    bool HitTest(TPoint devicePoint, const TCanvas& canvas) const override;
    bool HitEndPoint(TPoint boardPoint, TPoint& endPoint) const override;
    bool HitPinEnd(TPoint boardPoint) const override;
    void MoveBy(TPoint offset) override;
    TRect GetBounds() const override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

    // Horizontal pieces run left to right, vertical ones top down.
    void Normalise();
    bool IsVertical() const { return StartPoint.X == EndPoint.X; }
    // A point strictly inside a normalised piece (end points excluded).
    bool ContainsInner(TPoint p) const;
};

// Wires and stubs are most of a large board's objects. A dynamic_cast that
// fails compares type names along the whole hierarchy, so loops over all
// objects tell wires apart by their class record first (nothing derives
// from TSegment).
inline TSegment* AsWire(TBauteil* object)
{
    return &object->ClassType() == &TSegment::StaticClass() ? static_cast<TSegment*>(object) : nullptr;
}

inline bool PointsEqual(TPoint a, TPoint b)
{
    return a == b;
}
