// Board coordinates as streams carry them.
#pragma once

#include "platform/SysTypes.h"

class TReader;

// Board coordinates beyond this (ten kilometres of board) come only from
// damaged streams; keeping them out keeps every sum of coordinates, sizes
// and offsets inside 32 bits.
inline constexpr Integer MaxBoardCoordinate = 100'000'000;

// A board coordinate of a stream; one beyond MaxBoardCoordinate raises the
// read error.
Integer ReadBoardCoordinate(TReader& reader);
