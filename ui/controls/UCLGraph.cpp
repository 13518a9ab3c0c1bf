#include "ui/controls/UCLGraph.h"

#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLApplication.h"
#include "ui/controls/UCLBevel.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

#include <cmath>

namespace {

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

QRgb Rgb(TColor color)
{
    return ColorToQColor(color).rgb() | 0xFF000000u;
}

bool SameColor(QRgb pixel, QRgb color)
{
    return ((pixel ^ color) & 0xFFFFFF) == 0;
}

bool IsDown(Integer state)
{
    return state == 3 || state == 4 || state == 6 || state == 7;
}

void HLine(QPainter& c, Integer x1, Integer x2, Integer y, TColor color)
{
    FillRect(c, Rect(x1, y, x2, y + 1), color);
}

void VLine(QPainter& c, Integer x, Integer y1, Integer y2, TColor color)
{
    FillRect(c, Rect(x, y1, x + 1, y2), color);
}

TRect Deflate(const TRect& r, Integer d)
{
    return Rect(r.Left + d, r.Top + d, r.Right - d, r.Bottom - d);
}

void FocusRect(QPainter& c, const TRect& r)
{
    if (r.IsEmpty())
        return;
    c.save();
    QPen pen(Qt::black, 0, Qt::DotLine);
    c.setPen(pen);
    c.setBrush(Qt::NoBrush);
    c.drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    c.restore();
}

}   // namespace

TColor BitmapTransparentColor(const QImage& Bitmap)
{
    if (Bitmap.isNull())
        return clNone;
    return QColorToColor(Bitmap.pixelColor(0, Bitmap.height() - 1));
}

void DrawImageEx(QPainter& Canvas, const TRect& DestRect, const QImage& Source, const TRect& SourceRect,
                 Cardinal Flags, TColor Color, const QImage* Mask, TRect& OutRect)
{
    OutRect = TRect{};
    if (DestRect.IsEmpty() || SourceRect.IsEmpty() || Source.isNull())
        return;
    const Integer w = SourceRect.Width(), h = SourceRect.Height();
    const Integer dw = DestRect.Width(), dh = DestRect.Height();

    // The picture with what stays unpainted made transparent.
    QImage picture = Source.copy(ToQRect(SourceRect)).convertToFormat(QImage::Format_ARGB32);
    if (Flags & (dfBrushCopy | dfTransparentColor | dfMasked)) {
        const QRgb own = Rgb(BitmapTransparentColor(Source)), color = Rgb(Color), white = qRgb(255, 255, 255);
        const bool useMask = (Flags & dfMasked) && Mask && !Mask->isNull();
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                if (Flags & dfBrushCopy) {
                    if (SameColor(p, own))
                        picture.setPixel(x, y, color);
                } else if (useMask) {
                    const QPoint m(SourceRect.Left + x, SourceRect.Top + y);
                    if (Mask->valid(m) && SameColor(Mask->pixel(m), white))
                        picture.setPixel(x, y, 0);
                } else if ((Flags & dfTransparentColor) && SameColor(p, color)) {
                    picture.setPixel(x, y, 0);
                }
            }
        }
    }

    Canvas.save();
    Canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (Flags & dfCenter) {
        OutRect = Rect(DestRect.Left + (dw - w) / 2, DestRect.Top + (dh - h) / 2, 0, 0);
        OutRect.Right = OutRect.Left + w;
        OutRect.Bottom = OutRect.Top + h;
    } else if (Flags & dfStretch) {
        const bool keepWidth = Flags & dfKeepWidth, keepHeight = Flags & dfKeepHeight;
        if (keepWidth && keepHeight)
            OutRect = FitRectProportional(Rect(0, 0, w, h), DestRect);
        else if (keepWidth)
            OutRect = Rect(DestRect.Left, DestRect.Top, DestRect.Right,
                           DestRect.Top + static_cast<Integer>(std::nearbyint(double(dw) / w * h)));
        else if (keepHeight)
            OutRect = Rect(DestRect.Left, DestRect.Top, DestRect.Left + static_cast<Integer>(std::nearbyint(double(dh) / h * w)),
                           DestRect.Bottom);
        else
            OutRect = DestRect;
    } else if (Flags & dfTile) {
        OutRect = DestRect;
        for (Integer col = 0; col <= dw / w + 1; ++col)
            for (Integer row = 0; row <= dh / h + 1; ++row)
                Canvas.drawImage(QPoint(DestRect.Left + col * w, DestRect.Top + row * h), picture);
        Canvas.restore();
        return;
    } else {
        OutRect = Rect(DestRect.Left, DestRect.Top, DestRect.Left + w, DestRect.Top + h);
    }
    Canvas.drawImage(ToQRect(OutRect), picture);
    Canvas.restore();
}

void DrawClippedImage(QPainter& Canvas, const TRect& R, const QImage& Source, const TRect& SourceRect,
                      Cardinal Flags, TPoint Offset, TColor Color, const QImage* Mask)
{
    TRect out;
    if (!(Flags & dfClip)) {
        DrawImageEx(Canvas, R, Source, SourceRect, Flags, Color, Mask, out);
        return;
    }
    Canvas.save();
    Canvas.setClipRect(ToQRect(R).translated(Offset.X, Offset.Y), Qt::IntersectClip);
    DrawImageEx(Canvas, R, Source, SourceRect, Flags, Color, Mask, out);
    Canvas.restore();
}

void DrawBitmapEx(QPainter& Canvas, const TRect& R, const QImage& Bitmap, Cardinal Flags, TColor Color, TRect& OutRect)
{
    DrawImageEx(Canvas, R, Bitmap, Rect(0, 0, Bitmap.width(), Bitmap.height()), Flags, Color, nullptr, OutRect);
}

void DrawBitmapInRect(QPainter& Canvas, const TRect& R, const QImage& Bitmap, Cardinal Flags, TPoint Offset, TColor Color)
{
    DrawClippedImage(Canvas, R, Bitmap, Rect(0, 0, Bitmap.width(), Bitmap.height()), Flags, Offset, Color, nullptr);
}

void FillBitmapColor(QImage& Bitmap, const TRect& R, TColor Color)
{
    if (R.IsEmpty())
        return;
    Bitmap = QImage(R.Width(), R.Height(), QImage::Format_RGB32);
    Bitmap.fill(ColorToQColor(Color));
}

void CaptureImageAndMask(const QImage& Source, const TRect& R, QImage& Mask, QImage& Image, TColor Color)
{
    Image = Source.copy(ToQRect(R)).convertToFormat(QImage::Format_RGB32);
    Mask = QImage(Image.size(), QImage::Format_RGB32);
    const QRgb color = Rgb(Color);
    for (int y = 0; y < Image.height(); ++y) {
        for (int x = 0; x < Image.width(); ++x) {
            const bool transparent = SameColor(Image.pixel(x, y), color);
            Mask.setPixel(x, y, transparent ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            if (transparent)
                Image.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
}

void MakeImageAndMask(const QImage& Bitmap, QImage& Mask, QImage& Image, TColor Color)
{
    CaptureImageAndMask(Bitmap, Rect(0, 0, Bitmap.width(), Bitmap.height()), Mask, Image, Color);
}

void MakeDisabledImage(QImage& Target, const QImage& Source, TColor TransparentColor, Integer X, Integer Y)
{
    if (Target.isNull())
        Target = QImage(Source.size(), QImage::Format_RGB32);
    Target.fill(ColorToQColor(TransparentColor));
    const QRgb transparent = Rgb(TransparentColor);
    for (const auto& [dx, shade] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
        const QRgb rgb = Rgb(shade);
        for (int y = 0; y < Source.height(); ++y)
            for (int x = 0; x < Source.width(); ++x)
                if (!SameColor(Source.pixel(x, y), transparent) && Target.valid(x + X + dx, y + Y + dx))
                    Target.setPixel(x + X + dx, y + Y + dx, rgb);
    }
}

void MakeGreyImage(QImage& Target, const QImage& Source)
{
    Target = Source;
    if (Target.isNull())
        return;
    const QRgb background = Target.pixel(0, 0);
    auto brightness = [](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p); };
    double sum = 0;
    long count = 0;
    for (int y = 0; y < Target.height(); ++y)
        for (int x = 0; x < Target.width(); ++x)
            if (const QRgb p = Target.pixel(x, y); !SameColor(p, background)) {
                sum += brightness(p);
                ++count;
            }
    if (count == 0)
        return;
    const Integer o = -static_cast<Integer>(std::nearbyint(200 - sum / count));
    const QRgb white = qRgb(255, 255, 255), highlight = Rgb(clBtnHighlight), shadow = Rgb(clBtnShadow), black = qRgb(0, 0, 0);
    for (int y = 0; y < Target.height(); ++y)
        for (int x = 0; x < Target.width(); ++x)
            if (const QRgb p = Target.pixel(x, y); !SameColor(p, background)) {
                const int b = brightness(p);
                Target.setPixel(x, y, b > o + 550 ? white : b > o + 250 ? highlight : b > o + 50 ? shadow : black);
            }
}

void DrawButtonFocus(QPainter& Canvas, TRect& R, Cardinal Flags)
{
    R = Deflate(R, 3);
    if (Flags & 0x0002)
        FocusRect(Canvas, R);
}

void DrawButtonCorners(QPainter& Canvas, const TRect& R, Integer State)
{
    if (IsDown(State) || R.IsEmpty())
        return;
    for (const TPoint p : {Point(R.Left, R.Top), Point(R.Right - 1, R.Top), Point(R.Left, R.Bottom - 1),
                           Point(R.Right - 1, R.Bottom - 1)})
        FillRect(Canvas, Rect(p.X, p.Y, p.X + 1, p.Y + 1), clBtnFace);
}

Integer ThemeStateIndex(Integer A, Integer B, bool C)
{
    if (B != 1)
        return 0;
    return A == 0 || C ? 1 : 2;
}

bool DrawButtonFace(QPainter& Canvas, bool Hot, TRect& R, Integer Style, Integer State, Cardinal Flags, TColor Color)
{
    if (Style != 11 && Style != 12) {
        DrawClassicButtonFace(Canvas, Hot, R, Style, State, Flags, Color);
        return false;
    }
    const bool down = IsDown(State);
    TColor face = Color;
    if (down)
        face = 0xF7DFD6;
    if (Hot || (Flags & 0x0040))
        face = State == 3 ? 0xE0A88D : 0xEFD3C6;
    if (face != Color) {
        FillRect(Canvas, R, face);
        FrameRect(Canvas, R, 0xC66931);
    } else if (Style == 11) {
        FillRect(Canvas, R, Color);
    }
    DrawButtonFocus(Canvas, R, Flags);
    if (down)
        R = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
    return false;
}

void DrawClassicButtonFace(QPainter& Canvas, bool Hot, TRect& R, Integer Style, Integer State, Cardinal Flags,
                           TColor Color)
{
    const bool down = IsDown(State);
    const TRect original = R;
    const int kind = Style == 0 ? 1 : Style == 1 ? ((Flags & 0x0004) ? 2 : 3) : Style == 2 ? 5 : Style <= 8 ? 4
                   : Style <= 10 ? 10 : Style == 13 ? 14 : 12;

    // Background.
    if (Style != 7 && Style != 8) {
        if (State == 3 && !(kind == 4 && Hot)) {
            Canvas.save();
            Canvas.setBrushOrigin(R.Left, R.Top);
            Canvas.fillRect(ToQRect(R), QBrush(LibraryApplication().PatternBitmap(Color)));
            Canvas.restore();
        } else {
            FillRect(Canvas, R, Color);
        }
    }
    if (!down && (Flags & (0x0002 | 0x0020))) {
        FrameRect(Canvas, R, clWindowFrame);
        if (Style == 0 && (Flags & 0x0001))
            DrawButtonCorners(Canvas, R, State);
        R = Deflate(R, 1);
    }

    switch (kind) {
    case 1:
        DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | BF_ADJUST);
        DrawEdge(Canvas, R, BDR_RAISEDOUTER, BF_BOTTOMRIGHT | BF_ADJUST);
        if (down) {
            DrawEdge(Canvas, R, BDR_SUNKENINNER, BF_RECT | BF_ADJUST);
        } else {
            DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
            DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        }
        break;
    case 2:
        if (!down)
            DrawStandardBorder(Canvas, R, TUCLBorderStyle::lsRaisedspb);
        else if (Flags & 0x0008)
            DrawEdge(Canvas, R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        else
            DrawStandardBorder(Canvas, R, TUCLBorderStyle::lsLowered);
        break;
    case 3:
        if (down) {
            FrameRect(Canvas, R, clBlack);
            R = Deflate(R, 1);
            FrameRect(Canvas, R, clGray);
            R = Deflate(R, 1);
        } else if (Flags & 0x0002) {
            DrawEdge(Canvas, R, EDGE_RAISED, BF_RECT | BF_ADJUST);
        } else {
            DrawStandardBorder(Canvas, R, TUCLBorderStyle::lsRaisedspb);
        }
        break;
    case 4:
        if ((Style == 3 || Style == 6) && (down || Hot)) {
            FrameRect(Canvas, R, clBlack);
            R = Deflate(R, 1);
        }
        if (down)
            DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        else if (Hot)
            DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        else if (Style != 7 && Style != 8)
            FillRect(Canvas, R, Color);
        break;
    case 5:
        FrameRect(Canvas, R, clBlack);
        R = Deflate(R, 1);
        if (down) {
            HLine(Canvas, R.Left, R.Right, R.Top, clGray);
            VLine(Canvas, R.Left, R.Top, R.Bottom, clGray);
        } else {
            DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        }
        break;
    case 10:
        if (down) {
            FrameRect(Canvas, R, clGray);
        } else {
            FrameRect(Canvas, R, clBlack);
            R = Deflate(R, 1);
            HLine(Canvas, R.Left, R.Right - 1, R.Top, clWhite);
            VLine(Canvas, R.Left, R.Top, R.Bottom - 1, clWhite);
            HLine(Canvas, R.Left, R.Right, R.Bottom - 1, clGray);
            VLine(Canvas, R.Right - 1, R.Top, R.Bottom, clGray);
        }
        break;
    case 14:
        if (down)
            DrawEdge(Canvas, R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        else if (Hot)
            DrawStandardBorder(Canvas, R, TUCLBorderStyle::lsRaisedspb);
        else
            DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        break;
    default: break;   // 12, 13: no frame
    }

    if (Flags & 0x0002)
        FocusRect(Canvas, Deflate(original, down ? 4 : 3));
    R = Deflate(original, 3);
    if (down)
        R = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
}

bool IsTrueTypeFont(const QFont& Font)
{
    const QFontInfo info(Font);
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}

Integer FontLineHeight(const QFont& Font)
{
    return CalcTextRect(Font, "Wq", Rect(0, 0, 0, 0), DT_SINGLELINE).Height();
}
