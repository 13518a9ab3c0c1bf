#include "engine/Segment.h"

#include "engine/Coordinates.h"
#include "engine/Makro.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <utility>

namespace {

// The ±10 square around a point, right and bottom edges outside.
bool NearPoint(TPoint p, TPoint centre)
{
    return TRect{centre.X - 10, centre.Y - 10, centre.X + 10, centre.Y + 10}.Contains(p);
}

} // namespace

TBauteilPin* TSegment::StubPin() const
{
    if (!Owner)
        return nullptr;
    TPinList& pins = IsInputStub ? Owner->Inputs : Owner->Outputs;
    if (PinIndex < 0 || PinIndex >= static_cast<Integer>(pins.size()))
        return nullptr;
    return &pins[PinIndex];
}

void TSegment::Draw(TCanvas& canvas)
{
    if (Owner)
        return;   // the component draws its pins
    const bool red = Selected || (ShowLineStates && LastLevel);
    const TColor colour = red ? 255 : 0;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 3;
    canvas.Pen.Color = colour;
    canvas.MoveTo(StartPoint.X, StartPoint.Y);
    canvas.LineTo(EndPoint.X, EndPoint.Y);
    canvas.Pen.Width = 1;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = colour;
    const Integer r = DotRadius;
    if (DotAtStart)
        canvas.Ellipse(StartPoint.X - r, StartPoint.Y - r, StartPoint.X + r + 1, StartPoint.Y + r + 1);
    if (DotAtEnd)
        canvas.Ellipse(EndPoint.X - r, EndPoint.Y - r, EndPoint.X + r + 1, EndPoint.Y + r + 1);
}

bool TSegment::HitTest(TPoint devicePoint, const TCanvas& canvas) const
{
    return canvas.Mapping().LPtoDP(GetBounds()).Contains(devicePoint);
}

bool TSegment::HitEndPoint(TPoint boardPoint, TPoint& endPoint) const
{
    if (!Owner || !NearPoint(boardPoint, StubPoint()))
        return false;
    endPoint = StubPoint();
    return true;
}

bool TSegment::HitPinEnd(TPoint boardPoint) const
{
    // Macro pins cannot be inverted.
    if (!Owner || dynamic_cast<const TMakro*>(Owner))
        return false;
    const TRect& body = Owner->BodyRect;
    const Integer x = IsInputStub != Owner->Mirrored ? body.Left : body.Right;
    return NearPoint(boardPoint, TPoint{x, StartPoint.Y});
}

void TSegment::MoveBy(TPoint offset)
{
    StartPoint.X += offset.X;
    StartPoint.Y += offset.Y;
    EndPoint.X += offset.X;
    EndPoint.Y += offset.Y;
}

TRect TSegment::GetBounds() const
{
    const Integer d = DotRadius + 2;
    return {StartPoint.X - d, StartPoint.Y - d, EndPoint.X + d, EndPoint.Y + d};
}

void TSegment::WriteData(TStream& stream, TWriter& writer)
{
    TBauteil::WriteData(stream, writer);
    writer.WriteInteger(StartPoint.X);
    writer.WriteInteger(StartPoint.Y);
    writer.WriteInteger(EndPoint.X);
    writer.WriteInteger(EndPoint.Y);
    writer.WriteBoolean(DotAtStart);
    writer.WriteBoolean(DotAtEnd);
}

void TSegment::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TBauteil::ReadData(stream, reader, version);
    StartPoint.X = ReadBoardCoordinate(reader);
    StartPoint.Y = ReadBoardCoordinate(reader);
    EndPoint.X = ReadBoardCoordinate(reader);
    EndPoint.Y = ReadBoardCoordinate(reader);
    DotAtStart = reader.ReadBoolean();
    DotAtEnd = reader.ReadBoolean();
}

void TSegment::Normalise()
{
    if ((StartPoint.Y == EndPoint.Y && EndPoint.X < StartPoint.X) ||
        (StartPoint.X == EndPoint.X && EndPoint.Y < StartPoint.Y))
        std::swap(StartPoint, EndPoint);
}

bool TSegment::ContainsInner(TPoint p) const
{
    if (IsVertical())
        return p.X == StartPoint.X && p.Y > StartPoint.Y && p.Y < EndPoint.Y;
    return p.Y == StartPoint.Y && p.X > StartPoint.X && p.X < EndPoint.X;
}
