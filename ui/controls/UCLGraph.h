// Drawing procedures the controls share: bitmaps drawn centred, stretched or
// tiled, with masks or a transparent colour; disabled and grey glyph images;
// the faces of the speed buttons; font measures. Bitmaps are QImages; a mask
// is white where the image is transparent and black where it shows.
#pragma once

#include "platform/SysTypes.h"

#include <QImage>

class QFont;
class QPainter;

// Placement and drawing flags of DrawImageEx.
inline constexpr Cardinal dfClip = 0x0001;               // DrawClippedImage: clip to the rectangle
inline constexpr Cardinal dfCenter = 0x0008;
inline constexpr Cardinal dfStretch = 0x0010;
inline constexpr Cardinal dfTile = 0x0020;
inline constexpr Cardinal dfTransparentColor = 0x0040;   // Color pixels of the source stay unpainted
inline constexpr Cardinal dfBrushCopy = 0x0080;          // the bitmap's own transparent colour becomes Color
inline constexpr Cardinal dfMasked = 0x0100;             // the Mask says what stays unpainted
inline constexpr Cardinal dfKeepHeight = 0x0200;         // with dfStretch: scale the width to the height
inline constexpr Cardinal dfKeepWidth = 0x0400;          // with dfStretch: scale the height to the width

// Draws SourceRect of Source into DestRect: at its top-left in the source
// size, centred, stretched (dfKeepWidth and dfKeepHeight together keep the
// proportions) or tiled from the top-left. OutRect is the placed rectangle
// (DestRect when tiling); nothing is drawn for an empty DestRect.
void DrawImageEx(QPainter& Canvas, const TRect& DestRect, const QImage& Source, const TRect& SourceRect,
                 Cardinal Flags, TColor Color, const QImage* Mask, TRect& OutRect);
// DrawImageEx, with dfClip clipped to R moved by Offset.
void DrawClippedImage(QPainter& Canvas, const TRect& R, const QImage& Source, const TRect& SourceRect,
                      Cardinal Flags, TPoint Offset, TColor Color, const QImage* Mask);
// The whole bitmap.
void DrawBitmapEx(QPainter& Canvas, const TRect& R, const QImage& Bitmap, Cardinal Flags, TColor Color, TRect& OutRect);
void DrawBitmapInRect(QPainter& Canvas, const TRect& R, const QImage& Bitmap, Cardinal Flags, TPoint Offset, TColor Color);

// The transparent colour of a bitmap: its bottom-left pixel.
TColor BitmapTransparentColor(const QImage& Bitmap);
// The bitmap takes the rectangle's size, filled with Color; nothing for an
// empty rectangle.
void FillBitmapColor(QImage& Bitmap, const TRect& R, TColor Color);
// Image and mask of the region R of Source, Color being transparent: the
// mask is white there, and those pixels of the image turn black.
void CaptureImageAndMask(const QImage& Source, const TRect& R, QImage& Mask, QImage& Image, TColor Color);
void MakeImageAndMask(const QImage& Bitmap, QImage& Mask, QImage& Image, TColor Color);
// The embossed look of a disabled glyph: Target (Source's size when null) is
// filled with the transparent colour, and every pixel of Source that is not
// of that colour is painted clBtnHighlight one pixel down and right of
// (X, Y), then clBtnShadow at (X, Y).
void MakeDisabledImage(QImage& Target, const QImage& Source, TColor TransparentColor, Integer X, Integer Y);
// A four-shade grey copy; the background is the colour of pixel (0, 0).
void MakeGreyImage(QImage& Target, const QImage& Source);

// Button faces of the speed buttons: styles 0 to 13, states 1 and 7
// disabled, 3 and 4 down, 6 and 7 a further down variant; flags 0x0001 corner
// pixels, 0x0002 focused, 0x0004 raised frame, 0x0008 sunken edge when down,
// 0x0020 default button, 0x0040 hot. Rect becomes the content rectangle.
// Without visual styles the result is always false (no themed face).
bool DrawButtonFace(QPainter& Canvas, bool Hot, TRect& R, Integer Style, Integer State, Cardinal Flags, TColor Color);
void DrawClassicButtonFace(QPainter& Canvas, bool Hot, TRect& R, Integer Style, Integer State, Cardinal Flags,
                           TColor Color);
// R shrinks by 3; with flag 0x0002 a focus rectangle there.
void DrawButtonFocus(QPainter& Canvas, TRect& R, Cardinal Flags);
// Unless down, the four corner pixels get clBtnFace.
void DrawButtonCorners(QPainter& Canvas, const TRect& R, Integer State);
Integer ThemeStateIndex(Integer A, Integer B, bool C);

// True for fonts drawn from outlines (not bitmap fonts).
bool IsTrueTypeFont(const QFont& Font);
// Height of "Wq" in the font.
Integer FontLineHeight(const QFont& Font);
