// The screen's table of numbered mouse cursors. The program registers its own
// pictures under positive numbers at start-up; 0 is the default arrow and -1
// no cursor at all. A number nobody registered gives the default arrow.
#pragma once

#include "platform/SysTypes.h"

#include <QCursor>

void SetScreenCursor(Integer number, const QCursor& cursor);
QCursor ScreenCursor(Integer number);
// Forgets every registered cursor (tests).
void ResetScreenCursors();
