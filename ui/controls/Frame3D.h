// The class library's 3D frame, drawn by the bitmap button and the preview of
// the element frame dialog.
#pragma once

#include "platform/SysTypes.h"

class QPainter;

// Width one-pixel frames: top and left edges in the first colour, bottom and
// right edges (with the top-right and bottom-left corners) in the second;
// dotted sets every other pixel. The rectangle shrinks by the width.
void Frame3D(QPainter& painter, TRect& rect, TColor topLeft, TColor bottomRight, int width, bool dotted = false);
