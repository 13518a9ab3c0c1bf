#include "ui/controls/UCLGradient.h"

#include "platform/Colors.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

Integer Round(double v)
{
    return static_cast<Integer>(std::nearbyint(v));
}

QColor Qc(TColor c)
{
    return ColorToQColor(c);
}

const char* const StyleWords[] = {"horizontal", "vertical",    "square",       "elliptic",      "top left",
                                  "top right",  "bottom left", "bottom right", "top left diag", "top right diag"};

}   // namespace

Integer MulDiv(Integer A, Integer B, Integer C)
{
    if (C == 0)
        return -1;
    return Round(double(Int64(A) * Int64(B)) / double(C));
}

TUCLGradient::TUCLGradient() : FColor(clBlue), FEndColor(clBlack)
{
    BuildColorTable();
}

void TUCLGradient::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TUCLGradient::SetColorCount(Byte Value)
{
    Value = std::clamp<Byte>(Value, 2, 236);
    if (FColorCount == Value)
        return;
    FColorCount = Value;
    Changed();
}

void TUCLGradient::SetStyle(TUCLGradientStyle Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

void TUCLGradient::SetEndColor(TColor Value)
{
    if (FEndColor == Value)
        return;
    FEndColor = Value;
    Changed();
}

void TUCLGradient::SetPaletteRealize(bool Value)
{
    if (FPaletteRealize == Value)
        return;
    FPaletteRealize = Value;
    Changed();
}

void TUCLGradient::SetTwoColors(bool Value)
{
    if (FTwoColors == Value)
        return;
    FTwoColors = Value;
    Changed();
}

void TUCLGradient::SetColors(const std::vector<TColor>& Value)
{
    FColors = Value;
    Changed();
}

void TUCLGradient::Changed()
{
    BuildColorTable();
    TUCLObject::Changed();
}

void TUCLGradient::BuildColorTable()
{
    FPalette.clear();
    FColorTable.clear();
    if (FTwoColors) {
        BuildGradientColors(FColor, FEndColor, FColorCount, FColorTable, true);
    } else if (FColors.size() >= 2) {
        const Integer n = Integer(FColors.size());
        const Byte k = Byte(FColorCount / n);
        BuildGradientColors(FColors[0], FColors[1], k, FColorTable, true);
        for (Integer i = 1; i <= n - 2; ++i)
            BuildGradientColors(FColors[i], FColors[i + 1], k, FColorTable, false);
    }
    if (FPaletteRealize)
        FPalette = CreateColorPalette(FColorTable);
}

void TUCLGradient::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLGradient, TUCLObject>(*this, Source);
    if (!src)
        return;
    BeginUpdate();
    FColorCount = src->FColorCount;
    FColor = src->FColor;
    FStyle = src->FStyle;
    FEndColor = src->FEndColor;
    FPaletteRealize = src->FPaletteRealize;
    FTwoColors = src->FTwoColors;
    FColors = src->FColors;
    EndUpdate(true);
}

AnsiString TUCLGradient::SummaryText() const
{
    return AnsiString(StyleWords[int(FStyle)]) + ", Col: " + std::to_string(FColorCount) +
           (FTwoColors ? ", 2 col mode" : ", mult. col mode");
}

void BuildGradientColors(TColor C1, TColor C2, Integer Count, std::vector<TColor>& List, bool First)
{
    if (Count <= 0)
        return;
    if (First)
        List.clear();
    const TColor a = ColorToRGB(C1), b = ColorToRGB(C2);
    const Integer r1 = a & 0xFF, g1 = (a >> 8) & 0xFF, b1 = (a >> 16) & 0xFF;
    const Integer r2 = b & 0xFF, g2 = (b >> 8) & 0xFF, b2 = (b >> 16) & 0xFF;
    if (Count == 1) {
        if (First)
            List.push_back(a & 0xFFFFFF);
        return;
    }
    for (Integer j = First ? 0 : 1; j <= Count - 1; ++j) {
        const Integer r = (r1 + MulDiv(j, r2 - r1, Count - 1)) & 0xFF;
        const Integer g = (g1 + MulDiv(j, g2 - g1, Count - 1)) & 0xFF;
        const Integer bl = (b1 + MulDiv(j, b2 - b1, Count - 1)) & 0xFF;
        List.push_back(TColor(r | (g << 8) | (bl << 16)));
    }
}

TUCLPalette CreateColorPalette(const std::vector<TColor>& List)
{
    TUCLPalette palette;
    for (TColor c : List)
        palette.push_back(qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    return palette;
}

// A palette only matters on a screen of 8 bits or fewer, which this platform
// never has: the colours are drawn as they are.
void FillGradient(QPainter& Canvas, const TRect& R, TUCLGradientStyle Style, const std::vector<TColor>& ColorTable,
                  const TUCLPalette&, Cardinal Flags, Cardinal Offset)
{
    if (ColorTable.empty() || R.IsEmpty())
        return;
    const Integer N = Integer(ColorTable.size());
    const Integer W = R.Width(), H = R.Height();
    using G = TUCLGradientStyle;
    TRect S;
    switch (Style) {
    case G::gstHorizontal:
    case G::gstVertical: S = Rect(0, 0, W, H); break;
    case G::gstSquare:
    case G::gstElliptic: S = Rect(W / 2, H / 2, W / 2, H / 2); break;
    case G::gstTopLeft:
    case G::gstTopLeftDiagonal: S = Rect(0, 0, 1, 1); break;
    case G::gstTopRight: S = Rect(W, 1, W + 1, 0); break;
    case G::gstBottomLeft: S = Rect(1, H, 0, H + 1); break;
    case G::gstBottomRight: S = Rect(W, H, W + 1, H + 1); break;
    case G::gstTopRightDiagonal: S = Rect(W, 0, W + 1, 0); break;
    }

    QImage offscreen;
    QPainter offPainter;
    QPainter* p = &Canvas;
    const bool off = Flags & gfOffscreen;
    Canvas.save();
    if (off) {
        offscreen = QImage(W, H, QImage::Format_RGB32);
        offscreen.fill(Qt::white);
        offPainter.begin(&offscreen);
        p = &offPainter;
    } else {
        if (Flags & gfClip) {
            const Integer dx = Integer(std::int16_t(Offset & 0xFFFF)), dy = Integer(std::int16_t(Offset >> 16));
            Canvas.setClipRect(QRect(R.Left + dx, R.Top + dy, W, H), Qt::IntersectClip);
        }
        S = Rect(S.Left + R.Left, S.Top + R.Top, S.Right + R.Left, S.Bottom + R.Top);
    }
    p->setPen(Qt::NoPen);
    // A rectangle as the platform's Rectangle draws it: normalised, the
    // right and bottom edges exclusive.
    auto rectangle = [p](Integer l, Integer t, Integer r, Integer b) {
        if (l > r)
            std::swap(l, r);
        if (t > b)
            std::swap(t, b);
        p->drawRect(QRect(l, t, r - l, b - t));
    };
    if (Style == G::gstHorizontal) {
        for (Integer i = 0; i < N; ++i) {
            p->setBrush(Qc(ColorTable[i]));
            const Integer x0 = S.Left + MulDiv(i, W, N), x1 = S.Left + MulDiv(i + 1, W, N);
            rectangle(x0, S.Top, x1, S.Top + H);
        }
    } else {
        p->setRenderHint(QPainter::Antialiasing, false);
        for (Integer i = N - 1; i >= 0; --i) {
            p->setBrush(Qc(ColorTable[i]));
            const Integer dx = MulDiv(i + 1, W, N), dy = MulDiv(i + 1, H, N);
            switch (Style) {
            case G::gstVertical:
                rectangle(S.Left, S.Top + MulDiv(i, H, N), S.Left + W, S.Top + MulDiv(i + 1, H, N));
                break;
            case G::gstSquare:
                rectangle(S.Left - dx / 2, S.Top - dy / 2, S.Left + dx / 2 + 2, S.Top + dy / 2 + 2);
                break;
            case G::gstElliptic: {
                const Integer ex = Round(dx / 1.4), ey = Round(dy / 1.4);
                p->drawEllipse(QRect(S.Left - ex, S.Top - ey, 2 * ex, 2 * ey));
                break;
            }
            case G::gstTopLeft: rectangle(S.Left, S.Top, S.Right + dx, S.Bottom + dy); break;
            case G::gstTopRight: rectangle(S.Left - dx, S.Top + dy, S.Right, S.Bottom); break;
            case G::gstBottomLeft: rectangle(S.Left + dx, S.Top - dy, S.Right, S.Bottom); break;
            case G::gstBottomRight: rectangle(S.Left - dx, S.Top - dy, S.Right, S.Bottom); break;
            case G::gstTopLeftDiagonal: {
                const Integer DX = 2 * dx, DY = 2 * dy;
                p->drawPolygon(QPolygon({QPoint(S.Left, S.Top), QPoint(S.Left + DX, S.Top),
                                         QPoint(S.Left, S.Bottom + DY), QPoint(S.Left - DX, S.Bottom + DY)}));
                break;
            }
            case G::gstTopRightDiagonal: {
                const Integer DX = 2 * dx, DY = 2 * dy;
                p->drawPolygon(QPolygon({QPoint(S.Right, S.Top), QPoint(S.Right - DX, S.Top),
                                         QPoint(S.Right, S.Bottom + DY), QPoint(S.Right + DX, S.Bottom + DY)}));
                break;
            }
            case G::gstHorizontal: break;
            }
        }
    }
    if (off) {
        offPainter.end();
        Canvas.drawImage(R.Left, R.Top, offscreen);
    }
    Canvas.restore();
}
