#include "platform/Canvas.h"

#include "platform/AnsiText.h"
#include "platform/Colors.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// GDI rounds converted coordinates to the nearest pixel, halves upwards.
Integer RoundCoord(double v)
{
    return static_cast<Integer>(std::floor(v + 0.5));
}

QPoint ToQ(TPoint p)
{
    return {p.X, p.Y};
}

} // namespace

double TMapping::ScaleX() const
{
    if (Mode == TMapMode::MM_TEXT || WindowExt.X == 0)
        return 1.0;
    return static_cast<double>(ViewportExt.X) / WindowExt.X;
}

double TMapping::ScaleY() const
{
    if (Mode == TMapMode::MM_TEXT || WindowExt.Y == 0)
        return 1.0;
    return static_cast<double>(ViewportExt.Y) / WindowExt.Y;
}

TPoint TMapping::LPtoDP(TPoint p) const
{
    return {RoundCoord((static_cast<double>(p.X) - WindowOrg.X) * ScaleX()) + ViewportOrg.X,
            RoundCoord((static_cast<double>(p.Y) - WindowOrg.Y) * ScaleY()) + ViewportOrg.Y};
}

TPoint TMapping::DPtoLP(TPoint p) const
{
    return {RoundCoord((static_cast<double>(p.X) - ViewportOrg.X) / ScaleX()) + WindowOrg.X,
            RoundCoord((static_cast<double>(p.Y) - ViewportOrg.Y) / ScaleY()) + WindowOrg.Y};
}

namespace {

TRect Ordered(TPoint a, TPoint b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

} // namespace

TRect TMapping::LPtoDP(const TRect& r) const
{
    return Ordered(LPtoDP(TPoint{r.Left, r.Top}), LPtoDP(TPoint{r.Right, r.Bottom}));
}

TRect TMapping::DPtoLP(const TRect& r) const
{
    return Ordered(DPtoLP(TPoint{r.Left, r.Top}), DPtoLP(TPoint{r.Right, r.Bottom}));
}

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QPaintDevice* device)
    : ownPainter_(std::make_unique<QPainter>(device)), painter_(ownPainter_.get())
{
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
}

TCanvas::TCanvas(QPainter& painter) : painter_(&painter)
{
    painter_->save();
    painter_->setRenderHint(QPainter::Antialiasing, false);
}

TCanvas::~TCanvas()
{
    if (painter_ && !ownPainter_)
        painter_->restore();
}

void TCanvas::SetWindowExt(Integer x, Integer y)
{
    // GDI refuses a zero extent and keeps the previous one.
    if (x != 0 && y != 0)
        mapping_.WindowExt = {x, y};
}

void TCanvas::SetViewportExt(Integer x, Integer y)
{
    if (x != 0 && y != 0)
        mapping_.ViewportExt = {x, y};
}

QColor TCanvas::ResolveColor(TColor color) const
{
    const auto bits = static_cast<Cardinal>(color);
    if ((bits >> 24) == 0x01) {
        const std::size_t index = bits & 0xFFFF;
        if (!palette_ || index >= palette_->Entries.size())
            return QColor(0, 0, 0);
        return ResolveColor(palette_->Entries[index]);
    }
    return ColorToQColor(color);
}

int TCanvas::DevicePenWidth() const
{
    if (Pen.Width <= 0)
        return 1;
    return std::max(1, RoundCoord(Pen.Width * std::abs(mapping_.ScaleX())));
}

void TCanvas::ApplyPen(bool withPen) const
{
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (Pen.Mode == TPenMode::pmXor)
        mode = QPainter::RasterOp_SourceXorDestination;
    else if (Pen.Mode == TPenMode::pmNotXor)
        mode = QPainter::RasterOp_NotSourceXorDestination;
    painter_->setCompositionMode(mode);
    if (!withPen || Pen.Style == TPenStyle::psClear) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    const int width = DevicePenWidth();
    QPen pen(ResolveColor(Pen.Color), width);
    pen.setStyle(Pen.Style == TPenStyle::psDot ? Qt::DotLine : Qt::SolidLine);
    // Wide GDI pens have round ends and joins; one-pixel lines stay square.
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    painter_->setPen(pen);
}

void TCanvas::ApplyBrush(bool withBrush) const
{
    if (!withBrush || Brush.Style == TBrushStyle::bsClear)
        painter_->setBrush(Qt::NoBrush);
    else
        painter_->setBrush(ResolveColor(Brush.Color));
}

void TCanvas::LineTo(Integer x, Integer y)
{
    const TPoint from = penPos_;
    penPos_ = {x, y};
    if (!painter_)
        return;
    ApplyPen(true);
    painter_->drawLine(ToQ(LPtoDP(from)), ToQ(LPtoDP(penPos_)));
}

void TCanvas::Rectangle(Integer left, Integer top, Integer right, Integer bottom)
{
    if (!painter_)
        return;
    const TRect d = mapping_.LPtoDP(TRect{left, top, right, bottom});
    if (d.IsEmpty())
        return;
    // The figure covers left .. right-1 and top .. bottom-1.
    if (Brush.Style != TBrushStyle::bsClear) {
        painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter_->fillRect(QRect(d.Left, d.Top, d.Width(), d.Height()), ResolveColor(Brush.Color));
    }
    ApplyPen(true);
    ApplyBrush(false);
    painter_->drawRect(QRect(d.Left, d.Top, d.Width() - 1, d.Height() - 1));
}

void TCanvas::FillRect(const TRect& r)
{
    if (!painter_ || Brush.Style == TBrushStyle::bsClear)
        return;
    const TRect d = mapping_.LPtoDP(r);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->fillRect(QRect(d.Left, d.Top, d.Width(), d.Height()), ResolveColor(Brush.Color));
}

void TCanvas::Ellipse(Integer left, Integer top, Integer right, Integer bottom)
{
    if (!painter_)
        return;
    const TRect d = mapping_.LPtoDP(TRect{left, top, right, bottom});
    if (d.IsEmpty())
        return;
    ApplyPen(true);
    ApplyBrush(true);
    painter_->drawEllipse(QRect(d.Left, d.Top, d.Width() - 1, d.Height() - 1));
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    if (!painter_ || points.empty())
        return;
    QPolygon poly;
    for (const TPoint& p : points)
        poly << ToQ(LPtoDP(p));
    ApplyPen(true);
    ApplyBrush(true);
    painter_->drawPolygon(poly, Qt::OddEvenFill);
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.empty())
        return;
    penPos_ = points.back();
    if (!painter_)
        return;
    QPolygon poly;
    for (const TPoint& p : points)
        poly << ToQ(LPtoDP(p));
    ApplyPen(true);
    ApplyBrush(false);
    painter_->drawPolyline(poly);
}

QFont TCanvas::DeviceFont() const
{
    QFont font(AnsiToQString(Font.Name));
    font.setStyleStrategy(QFont::PreferDefault);
    font.setItalic(Font.Style & fsItalic);
    font.setUnderline(Font.Style & fsUnderline);
    font.setStrikeOut(Font.Style & fsStrikeOut);
    font.setWeight((Font.Style & fsBold) || Font.Weight >= 600 ? QFont::Bold : QFont::Normal);
    const double scale = std::abs(mapping_.ScaleY());
    const double target = std::abs(Font.Height) * scale;
    int pixels = std::max(1, RoundCoord(target));
    font.setPixelSize(pixels);
    if (Font.Height > 0) {
        // A positive height is the whole cell (ascent + descent), as in GDI;
        // Qt's pixel size is the em height, which is smaller.
        const QFontMetricsF metrics(font);
        if (metrics.height() > 0)
            pixels = std::max(1, RoundCoord(target * pixels / metrics.height()));
        font.setPixelSize(pixels);
    }
    return font;
}

void TCanvas::TextOut(Integer x, Integer y, const AnsiString& text)
{
    penPos_ = {x, y};
    if (!painter_ || text.empty())
        return;
    const QFont font = DeviceFont();
    const QFontMetrics metrics(font);
    const QString qtext = AnsiToQString(text);
    const TPoint d = LPtoDP(TPoint{x, y});
    painter_->save();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->translate(d.X, d.Y);
    if (Font.Escapement != 0)
        painter_->rotate(-Font.Escapement / 10.0);
    if (Brush.Style != TBrushStyle::bsClear)
        painter_->fillRect(QRect(0, 0, metrics.horizontalAdvance(qtext), metrics.height()),
                           ResolveColor(Brush.Color));
    painter_->setFont(font);
    painter_->setPen(ResolveColor(Font.Color));
    painter_->drawText(QPoint(0, metrics.ascent()), qtext);
    painter_->restore();
}

Integer TCanvas::TextWidth(const AnsiString& text) const
{
    const QFontMetricsF metrics(DeviceFont());
    const double scale = std::abs(mapping_.ScaleX());
    return RoundCoord(metrics.horizontalAdvance(AnsiToQString(text)) / scale);
}

Integer TCanvas::TextHeight(const AnsiString&) const
{
    const QFontMetricsF metrics(DeviceFont());
    const double scale = std::abs(mapping_.ScaleY());
    return RoundCoord(metrics.height() / scale);
}

TRect TCanvas::ClipRect() const
{
    constexpr Integer far = std::numeric_limits<Integer>::max() / 4;
    if (!painter_ || !painter_->device())
        return {-far, -far, far, far};
    QRect device(0, 0, painter_->device()->width(), painter_->device()->height());
    if (painter_->hasClipping())
        device &= painter_->clipBoundingRect().toAlignedRect();
    return mapping_.DPtoLP(TRect{device.left(), device.top(), device.right() + 1, device.bottom() + 1});
}
