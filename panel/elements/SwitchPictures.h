// The switch pictures of the switch element: eleven types in five colour
// sets, off and on, drawn in code at fixed sizes (records and layouts rely
// on them). The transparent types have a key colour in their top-left pixel
// around the figure.
#pragma once

#include "platform/SysTypes.h"

#include <QImage>
#include <QSize>

inline constexpr Byte SwitchTypeCount = 11;
inline constexpr Byte SwitchColourCount = 5;

QSize SwitchPictureSize(Byte type);
// Types 0, 4 and 10 are drawn over a transparent key colour.
bool SwitchTypeTransparent(Byte type);
// Types 5 to 8 may be stretched to any size.
bool SwitchTypeSizeable(Byte type);
// An unknown type or colour gives type 0 or colour 0.
QImage SwitchPicture(Byte colour, Byte type, bool on);
// Pixels of the top-left pixel's colour made fully transparent.
QImage KeyedTransparent(const QImage& picture);
