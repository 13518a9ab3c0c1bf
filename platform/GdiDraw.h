// The few GDI drawing calls the controls use for their borders, on a QPainter
// in device pixels: rectangles with exclusive right and bottom edges, 3D edges
// in the desktop's system colours, and the size grip.
#pragma once

#include "platform/SysTypes.h"

class QFont;
class QPainter;
class QString;

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

// DrawText: the text laid out in the rectangle by the DT_ format. Without
// DT_SINGLELINE the text starts at the top whatever the vertical flags say;
// "&" marks a mnemonic unless DT_NOPREFIX. The text colour is the painter's
// pen colour and the text is clipped to the rectangle unless DT_NOCLIP.
inline constexpr Cardinal DT_LEFT = 0x0000;
inline constexpr Cardinal DT_CENTER = 0x0001;
inline constexpr Cardinal DT_RIGHT = 0x0002;
inline constexpr Cardinal DT_VCENTER = 0x0004;
inline constexpr Cardinal DT_BOTTOM = 0x0008;
inline constexpr Cardinal DT_WORDBREAK = 0x0010;
inline constexpr Cardinal DT_SINGLELINE = 0x0020;
inline constexpr Cardinal DT_EXPANDTABS = 0x0040;
inline constexpr Cardinal DT_NOCLIP = 0x0100;
inline constexpr Cardinal DT_CALCRECT = 0x0400;
inline constexpr Cardinal DT_NOPREFIX = 0x0800;
inline constexpr Cardinal DT_PATH_ELLIPSIS = 0x4000;
inline constexpr Cardinal DT_END_ELLIPSIS = 0x8000;
inline constexpr Cardinal DT_HIDEPREFIX = 0x00100000;

// With DT_CALCRECT nothing is drawn: the rectangle keeps its left and top
// and gets the text's width and height (wrapped at its width with
// DT_WORDBREAK).
void DrawText(QPainter& painter, const QString& text, TRect& rect, Cardinal format);
// The DT_CALCRECT result for a font, without a painter.
TRect CalcTextRect(const QFont& font, const QString& text, const TRect& rect, Cardinal format);
