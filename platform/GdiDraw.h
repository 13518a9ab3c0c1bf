// The few GDI drawing calls the controls use for their borders, on a QPainter
// in device pixels: rectangles with exclusive right and bottom edges, 3D edges
// in the desktop's system colours, and the size grip.
#pragma once

#include "platform/SysTypes.h"

class QPainter;

void FillRect(QPainter& painter, const TRect& rect, TColor color);
// A 1-pixel frame just inside the rectangle.
void FrameRect(QPainter& painter, const TRect& rect, TColor color);

// DrawEdge: each border is one pixel wide, outer border on the rectangle,
// inner border one pixel inside; the top-left colour is drawn first and the
// bottom-right colour takes the corners (the classic 3D look).
inline constexpr Cardinal BDR_RAISEDOUTER = 0x0001;
inline constexpr Cardinal BDR_SUNKENOUTER = 0x0002;
inline constexpr Cardinal BDR_RAISEDINNER = 0x0004;
inline constexpr Cardinal BDR_SUNKENINNER = 0x0008;
inline constexpr Cardinal EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr Cardinal EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr Cardinal EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr Cardinal EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

inline constexpr Cardinal BF_LEFT = 0x0001;
inline constexpr Cardinal BF_TOP = 0x0002;
inline constexpr Cardinal BF_RIGHT = 0x0004;
inline constexpr Cardinal BF_BOTTOM = 0x0008;
inline constexpr Cardinal BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr Cardinal BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr Cardinal BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr Cardinal BF_SOFT = 0x1000;     // outer and inner swap their top-left colours
inline constexpr Cardinal BF_ADJUST = 0x2000;   // the rectangle shrinks by the drawn borders

// With BF_ADJUST the rectangle shrinks on the drawn sides by the number of
// borders drawn.
void DrawEdge(QPainter& painter, TRect& rect, Cardinal edge, Cardinal flags);

// The classic size grip of a window's bottom-right corner: diagonal grooves
// filling the rectangle.
void DrawSizeGrip(QPainter& painter, const TRect& rect);
