#include "platform/GdiDraw.h"

#include "platform/Colors.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

void FillRect(QPainter& painter, const TRect& rect, TColor color)
{
    if (rect.IsEmpty() || color == clNone)
        return;
    painter.fillRect(rect.Left, rect.Top, rect.Width(), rect.Height(), ColorToQColor(color));
}

void FrameRect(QPainter& painter, const TRect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    FillRect(painter, Rect(r.Left, r.Top, r.Right, r.Top + 1), color);
    FillRect(painter, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), color);
    FillRect(painter, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), color);
    FillRect(painter, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), color);
}

namespace {

struct TBorderColors {
    TColor TopLeft;
    TColor BottomRight;
};

// One border of DrawEdge. Soft swaps which of the outer and inner border
// carries the brighter (raised) or darker (sunken) top-left colour.
TBorderColors BorderColors(bool outer, bool raised, bool soft)
{
    if (raised)
        return {outer == soft ? clBtnHighlight : cl3DLight, outer ? cl3DDkShadow : clBtnShadow};
    return {outer == soft ? cl3DDkShadow : clBtnShadow, outer ? clBtnHighlight : cl3DLight};
}

void DrawBorder(QPainter& painter, const TRect& r, Cardinal sides, TBorderColors colors)
{
    if (sides & BF_TOP)
        FillRect(painter, Rect(r.Left, r.Top, r.Right, r.Top + 1), colors.TopLeft);
    if (sides & BF_LEFT)
        FillRect(painter, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), colors.TopLeft);
    if (sides & BF_BOTTOM)
        FillRect(painter, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), colors.BottomRight);
    if (sides & BF_RIGHT)
        FillRect(painter, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), colors.BottomRight);
}

void Shrink(TRect& r, Cardinal sides)
{
    if (sides & BF_LEFT)
        ++r.Left;
    if (sides & BF_TOP)
        ++r.Top;
    if (sides & BF_RIGHT)
        --r.Right;
    if (sides & BF_BOTTOM)
        --r.Bottom;
}

}   // namespace

void DrawEdge(QPainter& painter, TRect& rect, Cardinal edge, Cardinal flags)
{
    const Cardinal sides = flags & BF_RECT;
    const bool soft = flags & BF_SOFT;
    TRect r = rect;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        DrawBorder(painter, r, sides, BorderColors(true, edge & BDR_RAISEDOUTER, soft));
        Shrink(r, sides);
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        DrawBorder(painter, r, sides, BorderColors(false, edge & BDR_RAISEDINNER, soft));
        Shrink(r, sides);
    }
    if (flags & BF_ADJUST)
        rect = r;
}

void DrawSizeGrip(QPainter& painter, const TRect& r)
{
    FillRect(painter, r, clBtnFace);
    const int size = std::min(r.Width(), r.Height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Three grooves, each a light line above two shadow lines, running from
    // the bottom edge to the right edge.
    for (int offset = size - 1; offset >= 3; offset -= 4) {
        const TColor shades[] = {clBtnHighlight, clBtnShadow, clBtnShadow};
        for (int i = 0; i < 3; ++i) {
            const int d = offset - i;
            painter.setPen(ColorToQColor(shades[i]));
            painter.drawLine(r.Right - 1 - d, r.Bottom - 1, r.Right - 1, r.Bottom - 1 - d);
        }
    }
    painter.restore();
}

namespace {

int QtTextFlags(Cardinal format)
{
    int flags = 0;
    flags |= format & DT_CENTER ? Qt::AlignHCenter : format & DT_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine |
                 (format & DT_VCENTER ? Qt::AlignVCenter : format & DT_BOTTOM ? Qt::AlignBottom : Qt::AlignTop);
    else
        flags |= Qt::AlignTop;
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (format & DT_HIDEPREFIX)
        flags |= Qt::TextHideMnemonic;
    else if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    return flags;
}

TRect Measure(const QFontMetrics& metrics, const QString& text, const TRect& rect, Cardinal format)
{
    const int width = format & DT_WORDBREAK ? std::max(rect.Width(), 1) : 1 << 24;
    const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 1 << 24), QtTextFlags(format) & ~Qt::AlignHorizontal_Mask, text);
    return Rect(rect.Left, rect.Top, rect.Left + bounds.width(), rect.Top + bounds.height());
}

}   // namespace

void DrawText(QPainter& painter, const QString& text, TRect& rect, Cardinal format)
{
    if (format & DT_CALCRECT) {
        rect = Measure(QFontMetrics(painter.font()), text, rect, format);
        return;
    }
    if (rect.IsEmpty() && !(format & DT_NOCLIP))
        return;
    QString shown = text;
    if ((format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) && !(format & DT_WORDBREAK))
        shown = QFontMetrics(painter.font())
                    .elidedText(text, format & DT_PATH_ELLIPSIS ? Qt::ElideMiddle : Qt::ElideRight, rect.Width(),
                                QtTextFlags(format));
    painter.drawText(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), QtTextFlags(format), shown);
}

TRect CalcTextRect(const QFont& font, const QString& text, const TRect& rect, Cardinal format)
{
    return Measure(QFontMetrics(font), text, rect, format);
}
