#include "panel/elements/IAgaloLED.h"

#include "panel/framework/DisplayThrottle.h"
#include "platform/Colors.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

Integer Clamp255(Integer v)
{
    return std::clamp(v, 0, 255);
}

TColor ShiftColour(TColor colour, Integer amount)
{
    const Integer r = Clamp255(static_cast<Integer>(colour & 0xFF) + amount);
    const Integer g = Clamp255(static_cast<Integer>((colour >> 8) & 0xFF) + amount);
    const Integer b = Clamp255(static_cast<Integer>((colour >> 16) & 0xFF) + amount);
    return static_cast<TColor>(r | g << 8 | b << 16);
}

void ShiftBitmap(QImage& image, Integer amount)
{
    if (image.isNull())
        return;
    image = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            line[x] = qRgb(Clamp255(qRed(p) + amount), Clamp255(qGreen(p) + amount), Clamp255(qBlue(p) + amount));
        }
    }
}

void FillRegion(QPainter& painter, const QRegion& region, const QColor& colour)
{
    for (const QRect& r : region)
        painter.fillRect(r, colour);
}

// Halves to even, as every rounding of the program.
Integer RoundEven(double v)
{
    return static_cast<Integer>(std::nearbyint(v));
}

} // namespace

TColor DarkenColor32(TColor colour)
{
    return ShiftColour(colour, -32);
}

TColor LightenColor32(TColor colour)
{
    return ShiftColour(colour, 32);
}

void DarkenBitmap(QImage& image, Integer amount)
{
    ShiftBitmap(image, -amount);
}

void LightenBitmap(QImage& image, Integer amount)
{
    ShiftBitmap(image, amount);
}

// ---- Construction

TIAgaloLED::TIAgaloLED(QWidget* owner) : QWidget(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    OnPicture = QImage(24, 14, QImage::Format_RGB32);
    OffPicture = QImage(24, 14, QImage::Format_RGB32);
    resize(24, 14);
    // The size the window is created with, as its first size change.
    SizeChanged();
    if (appliedSize_ != size()) {
        FitBounds();
        RenderPictures();
    }
}

TIAgaloLED::~TIAgaloLED() = default;

Integer TIAgaloLED::RimDepth() const
{
    return gap_ + (innerStyle_ != iablsNone ? innerDepth_ : 0) + (outerStyle_ != iablsNone ? outerDepth_ : 0);
}

bool TIAgaloLED::RightAngle() const
{
    const double a = angle_ * Pi / 1800;
    return std::fabs(std::cos(a)) < 1e-4 || std::fabs(std::sin(a)) < 1e-4;
}

Integer TIAgaloLED::Random(Integer below)
{
    // xorshift32: small, fast and the same on every machine.
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    return below > 0 ? static_cast<Integer>(noise_ % static_cast<std::uint32_t>(below)) : 0;
}

void TIAgaloLED::Reshape()
{
    FitBounds();
    RenderPictures();
    RequestRepaint();
}

void TIAgaloLED::Rerender()
{
    RenderPictures();
    RequestRepaint();
}

void TIAgaloLED::RequestRepaint()
{
    // A lamp recoloured in every step is painted at the display's pace.
    RequestDisplayRepaint(this, repaintPending_);
}

// ---- Setters

void TIAgaloLED::SetHeight(Integer h)
{
    if (h == height() || !RightAngle())
        return;
    BoxHeight = h;
    SetBounds(QRect(x(), y(), width(), h));
}

void TIAgaloLED::SetWidth(Integer w)
{
    if (w == width() || !RightAngle())
        return;
    BoxWidth = w;
    SetBounds(QRect(x(), y(), w, height()));
}

void TIAgaloLED::SetLedClass(TIALedClass ledClass)
{
    if (ledClass == ledClass_ || ledClass > ialcTrapezium)
        return;
    ledClass_ = ledClass;
    Reshape();
}

void TIAgaloLED::SetAngle(Integer angle)
{
    angle %= 3600;
    if (angle > 1800)
        angle -= 3600;
    else if (angle < -1799)
        angle += 3600;
    if (angle == angle_)
        return;
    angle_ = angle;
    Reshape();
}

void TIAgaloLED::SetBorderColor(TColor colour)
{
    if (colour == borderColor_)
        return;
    borderColor_ = colour;
    Rerender();
}

void TIAgaloLED::SetGap(Integer gap)
{
    if (gap == gap_ || gap < 0)
        return;
    gap_ = gap;
    Reshape();
}

void TIAgaloLED::SetInnerBorderDepth(Integer depth)
{
    if (depth == innerDepth_ || depth < 0)
        return;
    innerDepth_ = depth;
    Reshape();
}

void TIAgaloLED::SetInnerBorderStyle(TIABorderLedStyle style)
{
    if (style == innerStyle_ || style > iablsNone)
        return;
    innerStyle_ = style;
    Reshape();
}

void TIAgaloLED::SetGapColor(TColor colour)
{
    if (colour == gapColor_)
        return;
    gapColor_ = colour;
    Rerender();
}

void TIAgaloLED::SetLedPlasticColor(TColor colour)
{
    if (colour == plasticColor_)
        return;
    plasticColor_ = colour;
    Rerender();
}

void TIAgaloLED::SetLedPlasticColorLater(TColor colour)
{
    if (colour == plasticColor_)
        return;
    plasticColor_ = colour;
    picturesStale_ = true;
    RequestRepaint();
}

void TIAgaloLED::EnsurePictures()
{
    if (picturesStale_)
        RenderPictures();
}

void TIAgaloLED::SetLedPlasticDepth(Integer depth)
{
    if (depth == plasticDepth_ || depth < 1 || depth > 10)
        return;
    plasticDepth_ = depth;
    Rerender();
}

void TIAgaloLED::SetOuterBorderDepth(Integer depth)
{
    if (depth == outerDepth_ || depth < 0)
        return;
    outerDepth_ = depth;
    Reshape();
}

void TIAgaloLED::SetOuterBorderStyle(TIABorderLedStyle style)
{
    if (style == outerStyle_ || style > iablsNone)
        return;
    outerStyle_ = style;
    Reshape();
}

void TIAgaloLED::SetLedOn(bool on)
{
    if (on == ledOn_)
        return;
    ledOn_ = on;
    Rerender();
}

void TIAgaloLED::SetLedHeight(Integer h)
{
    if (h == ledHeight_ || h < 0)
        return;
    ledHeight_ = h;
    Reshape();
}

void TIAgaloLED::SetLedWidth(Integer w)
{
    if (w == ledWidth_ || w < 0)
        return;
    ledWidth_ = w;
    Reshape();
}

void TIAgaloLED::SetLedPlasticSubsMode(TIAglSubstanceMode mode)
{
    if (mode == plasticMode_ || mode > iasmStretch)
        return;
    plasticMode_ = mode;
    Rerender();
}

void TIAgaloLED::SetBorderSubsMode(TIAglSubstanceMode mode)
{
    if (mode == borderMode_ || mode > iasmStretch)
        return;
    borderMode_ = mode;
    Rerender();
}

void TIAgaloLED::SetGaloON(bool on)
{
    if (on == galoOn_)
        return;
    if (galoOn_ && !on)
        GlowErase = true;
    galoOn_ = on;
    update();
}

void TIAgaloLED::SetGaloSize(Integer size)
{
    if (size == galoSize_ || size < 0 || size > 49)
        return;
    galoSize_ = size;
    update();
}

void TIAgaloLED::SetGaloIntensity(Integer intensity)
{
    if (intensity == galoIntensity_ || intensity < 1 || intensity > 10)
        return;
    galoIntensity_ = intensity;
    update();
}

void TIAgaloLED::SetBorderSubstance(const QImage& picture)
{
    if (picture.width() > 0 && picture.height() > 0) {
        borderSubstance_ = picture.convertToFormat(QImage::Format_RGB32);
        BorderLight = borderSubstance_;
        BorderDark = borderSubstance_;
        LightenBitmap(BorderLight, 64);
        DarkenBitmap(BorderDark, 64);
    } else {
        borderSubstance_ = QImage();
        BorderLight = QImage();
        BorderDark = QImage();
    }
    Rerender();
}

void TIAgaloLED::SetLedPlasticSubstance(const QImage& picture)
{
    plasticSubstance_ =
        picture.width() > 0 && picture.height() > 0 ? picture.convertToFormat(QImage::Format_RGB32) : QImage();
    Rerender();
}

// ---- Size and outlines

void TIAgaloLED::SetBounds(const QRect& bounds)
{
    setGeometry(bounds);
    SizeChanged();
}

void TIAgaloLED::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SizeChanged();
}

void TIAgaloLED::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // A glow belongs to the place the lamp left.
    if (parentWidget() && galoOn_ && ledOn_)
        parentWidget()->update();
}

void TIAgaloLED::SizeChanged()
{
    if (size() == appliedSize_)
        return;
    if (!RightAngle()) {
        // A turned lamp keeps its box.
        if (size() != QSize(BoxWidth, BoxHeight))
            resize(BoxWidth, BoxHeight);
        appliedSize_ = QSize(BoxWidth, BoxHeight);
        return;
    }
    const bool upright = angle_ == 0 || angle_ == 1800 || angle_ == -1800;
    const Integer d2 = 2 * RimDepth();
    ledWidth_ = std::max((upright ? width() : height()) - d2, 0);
    ledHeight_ = std::max((upright ? height() : width()) - d2, 0);
    FitBounds();
    RenderPictures();
    update();
}

void TIAgaloLED::FitBounds()
{
    const double a = angle_ * Pi / 1800;
    const Integer d = RimDepth();
    const double bw = 2 * d + ledWidth_, bh = 2 * d + ledHeight_;
    BoxWidth = RoundEven(std::fabs(std::cos(a) * bw) + std::fabs(std::sin(a) * bh));
    BoxHeight = RoundEven(std::fabs(std::sin(a) * bw) + std::fabs(std::cos(a) * bh));
    appliedSize_ = QSize(BoxWidth, BoxHeight);
    setGeometry(x(), y(), BoxWidth, BoxHeight);
    BuildShapes();
}

QPolygonF TIAgaloLED::Grow(const QPolygonF& outline, Integer g) const
{
    QPolygonF grown = outline;
    const Integer n = static_cast<Integer>(outline.size());
    auto arcDirection = [](double t) { return QPointF(std::sin(t), -std::cos(t)); };
    for (Integer i = 0; i < n; ++i) {
        QPointF offset;
        switch (ledClass_) {
        case ialcRect: {
            static const QPointF corners[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            offset = corners[i % 4] * g;
            break;
        }
        case ialcRound: {
            const double t = i * Pi / (n / 2.0);
            offset = arcDirection(t) * g;
            break;
        }
        case ialcRomb: {
            static const QPointF tips[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
            offset = tips[i % 4] * g;
            break;
        }
        case ialcHalfCircle: {
            const Integer m = n - 2;
            if (i < m)
                offset = arcDirection(i * Pi / std::max(m - 1, 1)) * g;
            else
                offset = i == m ? QPointF(-g, g) : QPointF(-g, -g);
            break;
        }
        case ialcTriangle: {
            static const QPointF tips[3] = {{0, -1}, {1, 1}, {-1, 1}};
            offset = tips[i % 3] * g;
            break;
        }
        case ialcTrapezium: {
            const QPointF tips[4] = {{-static_cast<double>(g / 2), -static_cast<double>(g)},
                                     {static_cast<double>(g / 2), -static_cast<double>(g)},
                                     {static_cast<double>(g), static_cast<double>(g)},
                                     {-static_cast<double>(g), static_cast<double>(g)}};
            offset = tips[i % 4];
            break;
        }
        }
        grown[i] += offset;
    }
    return grown;
}

void TIAgaloLED::BuildShapes()
{
    const double d = RimDepth();
    const double lw = ledWidth_, lh = ledHeight_;
    const Integer iw = ledWidth_, ih = ledHeight_;
    QPolygonF body;
    switch (ledClass_) {
    case ialcRect:
        body << QPointF(d, d) << QPointF(d + lw, d) << QPointF(d + lw, d + lh) << QPointF(d, d + lh);
        break;
    case ialcRound: {
        const Integer n = 2 * std::max({iw, ih, 1});
        for (Integer i = 0; i < n; ++i) {
            const double t = i * Pi / (n / 2.0);
            body << QPointF(d + lw / 2 + lw / 2 * std::sin(t), d + lh / 2 - lh / 2 * std::cos(t));
        }
        break;
    }
    case ialcRomb:
        body << QPointF(d + iw / 2, d) << QPointF(d + lw, d + ih / 2) << QPointF(d + iw / 2, d + lh)
             << QPointF(d, d + ih / 2);
        break;
    case ialcHalfCircle: {
        const Integer m = 2 * std::max({iw, ih, 1});
        for (Integer i = 0; i < m; ++i) {
            const double t = i * Pi / (m - 1);
            body << QPointF(d + lw * std::sin(t), d + lh / 2 - lh / 2 * std::cos(t));
        }
        body << QPointF(d, d + lh) << QPointF(d, d);
        break;
    }
    case ialcTriangle:
        body << QPointF(d + iw / 2, d) << QPointF(d + lw, d + lh) << QPointF(d, d + lh);
        break;
    case ialcTrapezium:
        body << QPointF(d + iw / 4, d) << QPointF(d + (3 * iw) / 4, d) << QPointF(d + lw, d + lh)
             << QPointF(d, d + lh);
        break;
    }
    QPolygonF gapOutline = Grow(body, gap_);
    QPolygonF inner = innerStyle_ != iablsNone ? Grow(gapOutline, innerDepth_) : gapOutline;
    QPolygonF outer = outerStyle_ != iablsNone ? Grow(inner, outerDepth_) : inner;

    const double a = angle_ * Pi / 1800;
    const double c = std::cos(a), s = std::sin(a);
    const double bw = 2 * d + lw, bh = 2 * d + lh;
    const double gx = width() / 2.0 - (c * bw / 2 + s * bh / 2);
    const double gy = height() / 2.0 - (-s * bw / 2 + c * bh / 2);
    auto turn = [&](const QPolygonF& in, QPolygonF& turned, QPolygon& rounded) {
        turned.clear();
        rounded.clear();
        for (const QPointF& p : in) {
            const QPointF q(gx + c * p.x() + s * p.y(), gy - s * p.x() + c * p.y());
            turned << q;
            rounded << QPoint(RoundEven(q.x()), RoundEven(q.y()));
        }
    };
    turn(body, BodyPolyF, BodyPoly);
    turn(gapOutline, GapPolyF, GapPoly);
    turn(inner, InnerPolyF, InnerPoly);
    turn(outer, OuterPolyF, OuterPoly);
    setMask(QRegion(OuterPoly, Qt::OddEvenFill));
}

// ---- Rendering

bool TIAgaloLED::IsShadedFace(Integer phi)
{
    const double b = phi * Pi / 1800;
    const double sn = std::sin(b), cs = std::cos(b);
    return (sn > 0 && cs <= -1 / std::sqrt(2.0)) || (sn <= 0 && cs <= 1 / std::sqrt(2.0));
}

void TIAgaloLED::RimRegions(const QPolygon& inner, const QPolygon& outer, const QPolygonF& outerF, bool sunken,
                            QRegion& light, QRegion& shaded) const
{
    const qsizetype n = std::min(inner.size(), outer.size());
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype j = (i + 1) % n;
        const double dx = outerF[j].x() - outerF[i].x();
        const double dy = outerF[i].y() - outerF[j].y();   // upwards positive
        Integer phi = sunken ? 1800 : 0;
        if (RoundEven(dx) == 0 && RoundEven(dy) == 0) {
            // too short to have a direction: the face keeps the start angle
        } else if (RoundEven(dx) == 0) {
            phi += dy > 0 ? 900 : -900;
        } else {
            phi += RoundEven(std::atan2(dy, dx) * 1800 / Pi);
        }
        QPolygon face;
        face << inner[i] << outer[i] << outer[j] << inner[j];
        const QRegion region(face, Qt::OddEvenFill);
        if (IsShadedFace(phi))
            shaded += region;
        else
            light += region;
    }
}

void TIAgaloLED::FillWithSubstance(QPainter& painter, const QRegion& region, const QImage& substance,
                                   TIAglSubstanceMode mode) const
{
    // An empty clip region would clip nothing away.
    if (region.isEmpty())
        return;
    painter.save();
    painter.setClipRegion(region);
    const QRect all(0, 0, width(), height());
    if (mode == iasmStretch)
        painter.drawImage(all, substance);
    else
        for (int y = 0; y < all.height(); y += substance.height())
            for (int x = 0; x < all.width(); x += substance.width())
                painter.drawImage(x, y, substance);
    painter.restore();
}

void TIAgaloLED::RenderPicture(QImage& picture)
{
    if (!borderSubstance_.isNull() && (BorderLight.isNull() || BorderDark.isNull())) {
        BorderLight = BorderDark = borderSubstance_;
        LightenBitmap(BorderLight, 64);
        DarkenBitmap(BorderDark, 64);
    }
    const int w = std::max(width(), 1), h = std::max(height(), 1);
    picture = QImage(w, h, QImage::Format_RGB32);
    // A size beyond the memory leaves the picture empty, not half drawn.
    if (picture.isNull())
        return;
    picture.fill(Qt::black);
    QPainter painter(&picture);
    if (BackgroundPicture && !BackgroundPicture->isNull())
        painter.drawPixmap(0, 0, *BackgroundPicture);

    const Integer f = ledOn_ ? 2 : 1;
    const Integer d = RimDepth();
    const bool textured = !plasticSubstance_.isNull();
    if (textured)
        FillWithSubstance(painter, QRegion(0, 0, w, h), plasticSubstance_, plasticMode_);
    painter.end();

    // The plastic: brightest in the middle, falling off with |dx| + |dy|.
    const double cx = width() / 2.0, cy = height() / 2.0;
    const double m = std::min(cx - d, cy - d);
    const double v = plasticDepth_ / 20.0 * m;
    const double k = textured ? 127 : 90;
    const double span = (cx - d - v) + (cy - d - v);
    const Integer rgb[3] = {static_cast<Integer>(plasticColor_ & 0xFF), static_cast<Integer>((plasticColor_ >> 8) & 0xFF),
                            static_cast<Integer>((plasticColor_ >> 16) & 0xFF)};
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < w; ++x) {
            Integer s = 0;
            if (span != 0) {
                const double value = 255 - k * (std::fabs(x - cx) + std::fabs(y - cy)) / span;
                s = std::isfinite(value) ? RoundEven(std::clamp(value, -1e6, 1e6)) : 0;
            }
            s = Clamp255(s + 15 - Random(3 * plasticDepth_));
            if (textured) {
                const QRgb p = line[x];
                line[x] = qRgb((qRed(p) * f / 2) * s / 255, (qGreen(p) * f / 2) * s / 255, (qBlue(p) * f / 2) * s / 255);
            } else {
                line[x] = qRgb((rgb[0] * f / 2) * s / 255, (rgb[1] * f / 2) * s / 255, (rgb[2] * f / 2) * s / 255);
            }
        }
    }

    painter.begin(&picture);
    painter.setPen(Qt::NoPen);
    if (gap_ != 0) {
        QRegion ring;
        const qsizetype n = std::min(BodyPoly.size(), GapPoly.size());
        for (qsizetype i = 0; i < n; ++i) {
            const qsizetype j = (i + 1) % n;
            QPolygon face;
            face << BodyPoly[i] << GapPoly[i] << GapPoly[j] << BodyPoly[j];
            ring += QRegion(face, Qt::OddEvenFill);
        }
        if (borderSubstance_.isNull()) {
            FillRegion(painter, ring, ColorToQColor(gapColor_));
        } else {
            FillWithSubstance(painter, ring, borderSubstance_, borderMode_);
        }
    }
    auto paintRim = [&](const QPolygon& in, const QPolygon& out, const QPolygonF& outF, TIABorderLedStyle style) {
        QRegion light, shaded;
        RimRegions(in, out, outF, style == iablsDown, light, shaded);
        if (borderSubstance_.isNull()) {
            FillRegion(painter, light, ColorToQColor(LightenColor32(borderColor_)));
            FillRegion(painter, shaded, ColorToQColor(DarkenColor32(borderColor_)));
        } else {
            FillWithSubstance(painter, light, BorderLight, borderMode_);
            FillWithSubstance(painter, shaded, BorderDark, borderMode_);
        }
    };
    if (outerStyle_ != iablsNone)
        paintRim(InnerPoly, OuterPoly, OuterPolyF, outerStyle_);
    if (innerStyle_ != iablsNone)
        paintRim(GapPoly, InnerPoly, InnerPolyF, innerStyle_);
}

void TIAgaloLED::RenderPictures()
{
    picturesStale_ = false;
    const bool on = ledOn_;
    ledOn_ = false;
    RenderPicture(OffPicture);
    ledOn_ = true;
    RenderPicture(OnPicture);
    ledOn_ = on;
}

void TIAgaloLED::paintEvent(QPaintEvent*)
{
    EnsurePictures();
    QPainter painter(this);
    painter.drawImage(0, 0, ledOn_ ? OnPicture : OffPicture);
    GlowErase = false;
    if (parentWidget() && parentWidget()->hasFocus()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 0, 0));
        const QPoint mark[3] = {{3, 0}, {5, 5}, {0, 3}};
        painter.drawPolygon(mark, 3);
    }
}
