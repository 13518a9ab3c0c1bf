#include "engine/Coordinates.h"

#include "platform/Stream.h"

Integer ReadBoardCoordinate(TReader& reader)
{
    const Integer v = reader.ReadInteger();
    if (v < -MaxBoardCoordinate || v > MaxBoardCoordinate)
        throw EReadError(SInvalidPropertyValue);
    return v;
}
