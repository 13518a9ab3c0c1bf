#include "ui/controls/UCLBevel.h"

#include "platform/Colors.h"
#include "platform/GdiDraw.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>

#include <algorithm>

namespace {

using S = TUCLBevelStyle;
using B = TUCLBorderStyle;

bool IsFrameStyle(S style)
{
    return style == S::bvFrameLowered || style == S::bvFrameRaised;
}

// Frames of one pixel in Color, Width times, shrinking R; with NoFill only
// the room is taken.
void DrawBorderBand(QPainter& painter, TRect& r, Integer width, TColor color, bool noFill)
{
    for (Integer i = 0; i < width; ++i) {
        if (!noFill)
            FrameRect(painter, r, color);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
}

Cardinal EdgeOf(TUCLEdgeStyle style)
{
    static constexpr Cardinal edges[] = {BDR_RAISEDINNER, BDR_RAISEDOUTER, BDR_SUNKENINNER, BDR_SUNKENOUTER,
                                         EDGE_BUMP,       EDGE_ETCHED,     EDGE_RAISED,     EDGE_SUNKEN};
    return edges[static_cast<int>(style)];
}

Cardinal EdgeSides(TUCLFrameSides sides)
{
    return (sides & fsBottom ? BF_BOTTOM : 0) | (sides & fsLeft ? BF_LEFT : 0) |
           (sides & fsRight ? BF_RIGHT : 0) | (sides & fsTop ? BF_TOP : 0);
}

template <typename T>
bool Store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

}   // namespace

TUCLBevel::TUCLBevel() : FColors{clBtnFace, clBtnHighlight, clBtnShadow}
{
}

void TUCLBevel::SetStyleInner(TUCLBevelStyle Value)
{
    if (Value == FStyleInner)
        return;
    if (FStyleInner == S::bvShadow)
        FStyleOuter = S::bvNone;
    if (Value == S::bvShadow)
        FStyleOuter = S::bvShadow;
    FStyleInner = Value;
    Changed();
}

void TUCLBevel::SetStyleOuter(TUCLBevelStyle Value)
{
    if (Value == FStyleOuter)
        return;
    if (FStyleOuter == S::bvShadow)
        FStyleInner = S::bvNone;
    if (Value == S::bvShadow)
        FStyleInner = S::bvShadow;
    FStyleOuter = Value;
    Changed();
}

void TUCLBevel::SetWidthInner(Integer Value)
{
    if (Store(FWidthInner, std::clamp<Integer>(Value, 0, 50)))
        Changed();
}

void TUCLBevel::SetWidthOuter(Integer Value)
{
    if (Store(FWidthOuter, std::clamp<Integer>(Value, 0, 50)))
        Changed();
}

void TUCLBevel::SetColor(int Index, TColor Value)
{
    if (Index >= 0 && Index < 3 && Store(FColors[Index], Value))
        Changed();
}

void TUCLBevel::SetBorderSides(TUCLFrameSides Value)
{
    if (Store(FBorderSides, static_cast<TUCLFrameSides>(Value & fsAllSides)))
        Changed();
}

void TUCLBevel::SetBorderWidth(Integer Value)
{
    if (Store(FBorderWidth, std::clamp<Integer>(Value, 0, 255)))
        Changed();
}

void TUCLBevel::SetBorderInnerWidth(Integer Value)
{
    if (Store(FBorderInnerWidth, std::clamp<Integer>(Value, 0, 255)))
        Changed();
}

void TUCLBevel::SetEdgeStyle(TUCLEdgeStyle Value)
{
    if (Store(FEdgeStyle, Value))
        Changed();
}

void TUCLBevel::SetMode(TUCLBevelMode Value)
{
    if (Store(FMode, Value))
        Changed();
}

void TUCLBevel::SetStandardStyle(TUCLBorderStyle Value)
{
    if (Store(FStandardStyle, Value) && FMode == TUCLBevelMode::bmStandard)
        Changed();
}

Integer TUCLBevel::BevelExtent() const
{
    switch (FMode) {
    case TUCLBevelMode::bmCustom: {
        if (FStyleInner == S::bvShadow)
            return FWidthInner + FBorderInnerWidth;
        Integer ext = FBorderWidth + FBorderInnerWidth;
        if (FStyleOuter != S::bvNone)
            ext += FWidthOuter + (IsFrameStyle(FStyleOuter) ? 1 : 0);
        if (FStyleInner != S::bvNone)
            ext += FWidthInner + (IsFrameStyle(FStyleInner) ? 1 : 0);
        return ext;
    }
    case TUCLBevelMode::bmStandard: return StandardBorderWidth(FStandardStyle) + FBorderInnerWidth;
    case TUCLBevelMode::bmEdge: return (FBorderSides ? 2 : 0) + FBorderInnerWidth;
    case TUCLBevelMode::bmWindows: return NativeBorder ? 0 : FBorderInnerWidth + 2;
    }
    return 0;
}

Integer TUCLBevel::ExtRightBottom() const
{
    if (FMode == TUCLBevelMode::bmCustom && FStyleOuter == S::bvShadow)
        return FWidthInner + FWidthOuter + FBorderInnerWidth;
    return BevelExtent();
}

TRect TUCLBevel::BevelClientRect(const TRect& R) const
{
    const Integer ext = BevelExtent();
    const Integer rightBottom = ExtRightBottom();
    if (FMode == TUCLBevelMode::bmCustom && FStyleOuter == S::bvShadow) {
        const Integer leftTop = FWidthInner + FBorderInnerWidth;
        return Rect(R.Left + leftTop, R.Top + leftTop, R.Right - rightBottom, R.Bottom - rightBottom);
    }
    return Rect(R.Left + ext, R.Top + ext, R.Right - ext, R.Bottom - ext);
}

TRect TUCLBevel::PaintBevel(QPainter& Painter, const TRect& R, bool NoFill) const
{
    if (BevelExtent() == 0)
        return R;
    TRect r = R;
    switch (FMode) {
    case TUCLBevelMode::bmCustom:
        if (FStyleOuter == S::bvShadow) {
            DrawShadowBevel(Painter, r, LightColor(), FWidthInner, FWidthOuter, ShadowColor(), BorderColor(), NoFill);
        } else {
            DrawBevelFrame(Painter, r, FStyleOuter, FWidthOuter, ShadowColor(), LightColor());
            DrawBorderBand(Painter, r, FBorderWidth, BorderColor(), NoFill);
            DrawBevelFrame(Painter, r, FStyleInner, FWidthInner, ShadowColor(), LightColor());
        }
        break;
    case TUCLBevelMode::bmStandard:
        DrawStandardBorder(Painter, r, FStandardStyle);
        break;
    case TUCLBevelMode::bmEdge:
        if (FBorderSides) {
            TRect edge = R;
            const Cardinal sides = EdgeSides(FBorderSides);
            DrawEdge(Painter, edge, EdgeOf(FEdgeStyle), sides);
            const auto has = [&](TUCLFrameSide side) { return (FBorderSides & side) != 0; };
            if (!NoFill && Painter.brush().style() != Qt::NoBrush) {
                const TRect inner = Rect(R.Left + (has(fsLeft) ? 0 : 2), R.Top + (has(fsTop) ? 0 : 2),
                                         R.Right - (has(fsRight) ? 0 : 2), R.Bottom - (has(fsBottom) ? 0 : 2));
                QRegion bands = QRegion(R.Left, R.Top, R.Width(), R.Height()) -
                                QRegion(inner.Left, inner.Top, std::max(inner.Width(), 0), std::max(inner.Height(), 0));
                for (const QRect& band : bands)
                    Painter.fillRect(band, Painter.brush());
            }
            r = Rect(R.Left + (has(fsLeft) ? 2 : 0), R.Top + (has(fsTop) ? 2 : 0), R.Right - (has(fsRight) ? 2 : 0),
                     R.Bottom - (has(fsBottom) ? 2 : 0));
        }
        break;
    case TUCLBevelMode::bmWindows:
        DrawStandardBorder(Painter, r, B::lsLoweredExt);
        break;
    }
    DrawBorderBand(Painter, r, FBorderInnerWidth, BorderColor(), NoFill);
    return r;
}

void TUCLBevel::Assign(const TUCLObject& Source)
{
    const auto* bevel = dynamic_cast<const TUCLBevel*>(&Source);
    if (!bevel || bevel == this) {
        TUCLObject::Assign(Source);
        return;
    }
    FStyleInner = bevel->FStyleInner;
    FStyleOuter = bevel->FStyleOuter;
    FWidthInner = bevel->FWidthInner;
    FWidthOuter = bevel->FWidthOuter;
    std::copy(std::begin(bevel->FColors), std::end(bevel->FColors), FColors);
    FBorderSides = bevel->FBorderSides;
    FBorderWidth = bevel->FBorderWidth;
    FBorderInnerWidth = bevel->FBorderInnerWidth;
    FEdgeStyle = bevel->FEdgeStyle;
    FMode = bevel->FMode;
    FStandardStyle = bevel->FStandardStyle;
    NativeBorder = bevel->NativeBorder;
    Changed();
}

AnsiString TUCLBevel::DisplayText() const
{
    static const char* const names[] = {"Custom style", "Standard style", "Edged style", "Windows style"};
    return AnsiString("{") + names[static_cast<int>(FMode)] + "}";
}

void DrawBevelFrame(QPainter& Painter, TRect& R, TUCLBevelStyle Style, Integer Width, TColor Shadow, TColor Light)
{
    if (Width <= 0 || Style == S::bvNone || Style == S::bvShadow)
        return;
    TColor first = Shadow, second = Light;
    if (Style == S::bvLowered || Style == S::bvFrameLowered)
        std::swap(first, second);
    else if (Style == S::bvNormal)
        first = second = clBlack;

    if (IsFrameStyle(Style)) {
        for (Integer k = 0; k < Width; ++k) {
            FrameRect(Painter, Rect(R.Left + k + 1, R.Top + k + 1, R.Right, R.Bottom), first);
            FrameRect(Painter, Rect(R.Left, R.Top, R.Right - k - 1, R.Bottom - k - 1), second);
        }
        R = Rect(R.Left + Width + 1, R.Top + Width + 1, R.Right - Width - 1, R.Bottom - Width - 1);
        return;
    }

    const Integer left = R.Left, top = R.Top;
    if (Width == 1) {
        // The two polylines of the platform, which leave out their last point:
        // the second colour takes the left column and the top row up to the
        // top-right corner, the first colour the right column and bottom row.
        const Integer right = R.Right - 1, bottom = R.Bottom - 1;
        FillRect(Painter, Rect(left, top, left + 1, bottom + 1), second);
        FillRect(Painter, Rect(left, top, right, top + 1), second);
        FillRect(Painter, Rect(right, top, right + 1, bottom), first);
        FillRect(Painter, Rect(left + 1, bottom, right + 1, bottom + 1), first);
    } else {
        const Integer right = R.Right, bottom = R.Bottom - 1;
        TRect in = Rect(left + Width, top + Width, right - Width, bottom - Width);
        Painter.save();
        Painter.setRenderHint(QPainter::Antialiasing, false);
        Painter.setPen(Qt::NoPen);
        Painter.setBrush(ColorToQColor(first));
        Painter.drawPolygon(QPolygon({QPoint(left, bottom + 1), QPoint(in.Left, in.Bottom), QPoint(in.Right, in.Bottom),
                                      QPoint(in.Right, in.Top), QPoint(right, top), QPoint(right, bottom + 1)}));
        in.Right -= 1;
        Painter.setBrush(ColorToQColor(second));
        Painter.drawPolygon(QPolygon({QPoint(left, bottom), QPoint(in.Left, in.Bottom), QPoint(in.Left, in.Top),
                                      QPoint(in.Right, in.Top), QPoint(right - 1, top), QPoint(left, top)}));
        Painter.restore();
    }
    R = Rect(R.Left + Width, R.Top + Width, R.Right - Width, R.Bottom - Width);
}

void DrawShadowBevel(QPainter& Painter, TRect& R, TColor Light, Integer FrameWidth, Integer ShadowWidth,
                     TColor Shadow, TColor Corner, bool NoFill)
{
    const Integer a = ShadowWidth;
    FillRect(Painter, Rect(R.Right - a, R.Top + a, R.Right, R.Bottom), Shadow);
    FillRect(Painter, Rect(R.Left + a, R.Bottom - a, R.Right, R.Bottom), Shadow);
    if (!NoFill) {
        FillRect(Painter, Rect(R.Right - a, R.Top, R.Right, R.Top + a), Corner);
        FillRect(Painter, Rect(R.Left, R.Bottom - a, R.Left + a, R.Bottom), Corner);
    }
    R = Rect(R.Left, R.Top, R.Right - a, R.Bottom - a);
    DrawBorderBand(Painter, R, FrameWidth, Light, false);
}

Integer StandardBorderWidth(TUCLBorderStyle Style)
{
    switch (Style) {
    case B::lsNone: return 0;
    case B::lsSingle:
    case B::lsSingleRaised:
    case B::lsSingleLowered: return 1;
    default: return 2;
    }
}

void DrawStandardBorder(QPainter& Painter, TRect& R, TUCLBorderStyle Style)
{
    constexpr Cardinal adjust = BF_ADJUST, soft = BF_SOFT;
    switch (Style) {
    case B::lsNone: break;
    case B::lsSingle:
        DrawEdge(Painter, R, BDR_SUNKENOUTER, BF_TOPLEFT | soft | adjust);
        DrawEdge(Painter, R, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        break;
    case B::lsLowered: DrawEdge(Painter, R, EDGE_SUNKEN, BF_RECT | soft | adjust); break;
    case B::lsRaised: DrawEdge(Painter, R, EDGE_RAISED, BF_RECT | soft | adjust); break;
    case B::lsRaisedspb:
        DrawEdge(Painter, R, BDR_RAISEDOUTER, BF_RECT | soft | adjust);
        DrawEdge(Painter, R, BDR_RAISEDINNER, BF_BOTTOMRIGHT | adjust);
        break;
    case B::lsLoweredspb:
        DrawEdge(Painter, R, BDR_SUNKENOUTER, BF_RECT | adjust);
        DrawEdge(Painter, R, BDR_SUNKENINNER, BF_TOPLEFT | adjust);
        break;
    case B::lsRaisedExt:
        DrawEdge(Painter, R, BDR_RAISEDOUTER, BF_RECT | soft | adjust);
        DrawEdge(Painter, R, BDR_RAISEDINNER, BF_BOTTOMRIGHT | adjust);
        R.Left += 1;
        R.Top += 1;
        break;
    case B::lsLoweredExt:
        DrawEdge(Painter, R, BDR_SUNKENOUTER, BF_RECT | adjust);
        DrawEdge(Painter, R, BDR_SUNKENINNER, BF_TOPLEFT | adjust);
        R.Right -= 1;
        R.Bottom -= 1;
        break;
    case B::lsFrameInset: DrawEdge(Painter, R, EDGE_ETCHED, BF_RECT | adjust); break;
    case B::lsFrameOffset:
        DrawEdge(Painter, R, BDR_RAISEDINNER, BF_RECT | adjust);
        DrawEdge(Painter, R, BDR_SUNKENOUTER, BF_RECT | adjust);
        break;
    case B::lsWindowBorder:
        DrawEdge(Painter, R, BDR_RAISEDOUTER, BF_BOTTOMRIGHT | adjust);
        R.Left += 1;
        R.Top += 1;
        DrawEdge(Painter, R, BDR_RAISEDINNER, BF_RECT | adjust);
        break;
    case B::lsSingleRaised: DrawEdge(Painter, R, BDR_RAISEDINNER, BF_RECT | adjust); break;
    case B::lsSingleLowered: DrawEdge(Painter, R, BDR_SUNKENOUTER, BF_RECT | adjust); break;
    case B::lsDoubleRaised:
        DrawEdge(Painter, R, BDR_RAISEDINNER, BF_RECT | adjust);
        DrawEdge(Painter, R, BDR_RAISEDINNER, BF_RECT | adjust);
        break;
    case B::lsDoubleLowered:
        DrawEdge(Painter, R, BDR_SUNKENOUTER, BF_RECT | adjust);
        DrawEdge(Painter, R, BDR_SUNKENOUTER, BF_RECT | adjust);
        break;
    }
}
