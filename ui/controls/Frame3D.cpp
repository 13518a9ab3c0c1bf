#include "ui/controls/Frame3D.h"

#include "platform/Colors.h"

#include <QPainter>

namespace {

void Line(QPainter& p, int x0, int y0, int x1, int y1, const QColor& color, bool dotted)
{
    const int dx = x1 > x0 ? 1 : 0, dy = y1 > y0 ? 1 : 0;
    // A solid edge is one rectangle: a frame as wide as a large element
    // (a damaged record) then costs its width, not its area, in fills.
    if (!dotted && dx + dy == 1) {
        p.fillRect(x0, y0, dx ? x1 - x0 : 1, dy ? y1 - y0 : 1, color);
        return;
    }
    int i = 0;
    for (int x = x0, y = y0; x < x1 || y < y1; x += dx, y += dy, ++i)
        if (!dotted || i % 2 == 0)
            p.fillRect(x, y, 1, 1, color);
}

}   // namespace

void Frame3D(QPainter& p, TRect& r, TColor topLeft, TColor bottomRight, int width, bool dotted)
{
    const QColor tl = ColorToQColor(topLeft), br = ColorToQColor(bottomRight);
    for (; width > 0 && !r.IsEmpty(); --width) {
        Line(p, r.Left, r.Top, r.Left, r.Bottom - 1, tl, dotted);
        Line(p, r.Left, r.Top, r.Right - 1, r.Top, tl, dotted);
        Line(p, r.Right - 1, r.Top, r.Right - 1, r.Bottom, br, dotted);
        Line(p, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1, br, dotted);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
}
