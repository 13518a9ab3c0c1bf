// The system mouse cursor as the editor uses it: moving the pointer to a
// screen position, and confining it to a rectangle while something is dragged,
// drawn or placed. The desktop offers no pointer confinement to an ordinary
// window, so the confinement is kept as process-wide state that the program's
// own code reads (the board scrolls automatically only while it is set).
#pragma once

#include "platform/SysTypes.h"

#include <optional>

// Screen pixels.
void SetCursorPos(TPoint screenPoint);
// The rectangle the pointer is confined to; std::nullopt releases it.
void ClipCursor(std::optional<TRect> screenRect);
std::optional<TRect> GetClipCursor();

// The wait cursor over the whole program for a long operation, restored on
// every way out.
struct TWaitCursor {
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};
