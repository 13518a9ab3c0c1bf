// The screen's table of numbered mouse cursors. The program registers its own
// pictures under positive numbers at start-up; 0 is the default arrow and -1
// no cursor at all. A number nobody registered gives the default arrow.
#pragma once

#include "platform/SysTypes.h"

#include <QCursor>

// The numbers of the program's cursors.
inline constexpr Integer crNone = -1;
inline constexpr Integer crArrow = 0;
inline constexpr Integer crMagnifier = 1;
inline constexpr Integer crFinger = 2;
inline constexpr Integer crSolderingIron = 3;
inline constexpr Integer crHand = 4;
inline constexpr Integer crPinEnd = 14;
inline constexpr Integer crText = 15;
inline constexpr Integer crInversion = 16;

void SetScreenCursor(Integer number, const QCursor& cursor);
QCursor ScreenCursor(Integer number);
// Forgets every registered cursor (tests).
void ResetScreenCursors();
