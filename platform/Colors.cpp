#include "platform/Colors.h"

#include <array>

namespace {

// The classic desktop scheme, as 0x00BBGGRR by system-colour index.
constexpr std::array<TColor, 31> SystemPalette = {
    0xC8D0D4,   //  0 scroll bar
    0x984E00,   //  1 desktop
    0xE35400,   //  2 active caption
    0xDF967A,   //  3 inactive caption
    0xFFFFFF,   //  4 menu
    0xFFFFFF,   //  5 window
    0x000000,   //  6 window frame
    0x000000,   //  7 menu text
    0x000000,   //  8 window text
    0xFFFFFF,   //  9 caption text
    0xC8D0D4,   // 10 active border
    0xC8D0D4,   // 11 inactive border
    0x808080,   // 12 application workspace
    0xC56A31,   // 13 highlight
    0xFFFFFF,   // 14 highlight text
    0xD8E9EC,   // 15 button face
    0x99A8AC,   // 16 button shadow
    0x99A8AC,   // 17 grey text
    0x000000,   // 18 button text
    0xF8E4D8,   // 19 inactive caption text
    0xFFFFFF,   // 20 button highlight
    0x646F71,   // 21 3D dark shadow
    0xE2EFF1,   // 22 3D light
    0x000000,   // 23 info text
    0xE1FFFF,   // 24 info background
    0xB5B5B5,   // 25 (unused)
    0xCC6600,   // 26 hot light
    0xFF953D,   // 27 gradient active caption
    0xEBB99D,   // 28 gradient inactive caption
    0xC56A31,   // 29 menu highlight
    0xD8E9EC,   // 30 menu bar
};

}   // namespace

TColor ColorToRGB(TColor color)
{
    if (color >= 0)
        return color;
    const std::size_t index = std::size_t(color) & 0xFF;
    return index < SystemPalette.size() ? SystemPalette[index] : clBlack;
}

QColor ColorToQColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    const TColor rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& color)
{
    if (color.alpha() == 0)
        return clNone;
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}
