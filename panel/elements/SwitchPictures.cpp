#include "panel/elements/SwitchPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

constexpr QSize Sizes[SwitchTypeCount] = {{20, 20},  {20, 20},  {25, 34}, {40, 40}, {27, 40}, {100, 144},
                                          {102, 143}, {102, 143}, {66, 104}, {50, 50}, {33, 33}};

// The key colour around transparent figures: a colour no figure uses.
const QColor Key(255, 0, 255);
const QColor Plate(0xC8, 0xC8, 0xC8);

struct Palette {
    QColor Dark, Body, Light;
};

Palette ColourSet(Byte colour)
{
    switch (colour) {
    case 1: return {QColor(0x10, 0x5A, 0x20), QColor(0x2E, 0xA0, 0x40), QColor(0x9C, 0xF0, 0x9C)};
    case 2: return {QColor(0x8A, 0x70, 0x00), QColor(0xE8, 0xC0, 0x10), QColor(0xFF, 0xF4, 0x90)};
    case 3: return {QColor(0x70, 0x08, 0x08), QColor(0xD0, 0x20, 0x20), QColor(0xFF, 0x90, 0x80)};
    case 4: return {QColor(0x0C, 0x28, 0x78), QColor(0x28, 0x5C, 0xD0), QColor(0x98, 0xC0, 0xFF)};
    default: return {QColor(0x18, 0x18, 0x18), QColor(0x40, 0x40, 0x40), QColor(0xF4, 0xF4, 0xF4)};
    }
}

QLinearGradient Vertical(QRectF r, QColor top, QColor bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A bevelled plate filling the picture.
void DrawPlate(QPainter& p, QRectF r)
{
    p.setPen(Qt::NoPen);
    p.fillRect(r, Plate);
    p.setPen(QPen(QColor(0xF8, 0xF8, 0xF8), 1));
    p.drawLine(r.topLeft() + QPointF(0.5, 0.5), r.topRight() + QPointF(-0.5, 0.5));
    p.drawLine(r.topLeft() + QPointF(0.5, 0.5), r.bottomLeft() + QPointF(0.5, -0.5));
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    p.drawLine(r.bottomLeft() + QPointF(0.5, -0.5), r.bottomRight() + QPointF(-0.5, -0.5));
    p.drawLine(r.topRight() + QPointF(-0.5, 0.5), r.bottomRight() + QPointF(-0.5, -0.5));
}

// A toggle lever on a round nut: up when on.
void DrawToggle(QPainter& p, QSizeF s, const Palette& c, bool on)
{
    const double cx = s.width() / 2, cy = s.height() / 2;
    const double nut = std::min(s.width(), s.height()) * 0.42;
    QRadialGradient g(QPointF(cx - nut * 0.3, cy - nut * 0.3), nut * 1.4);
    g.setColorAt(0, QColor(0xF0, 0xF0, 0xF0));
    g.setColorAt(1, QColor(0x60, 0x60, 0x60));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(g);
    p.drawEllipse(QPointF(cx, cy), nut, nut);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawEllipse(QPointF(cx, cy), nut * 0.45, nut * 0.45);
    const double len = s.height() * 0.42;
    const QPointF tip(cx, on ? cy - len : cy + len);
    QPen lever(QColor(0xB0, 0xB0, 0xB8), std::max(2.0, s.width() * 0.16), Qt::SolidLine, Qt::RoundCap);
    p.setPen(lever);
    p.drawLine(QPointF(cx, cy), tip);
    p.setPen(QPen(c.Dark, 1));
    p.setBrush(c.Body);
    const double knob = std::max(2.0, s.width() * 0.14);
    p.drawEllipse(tip, knob, knob);
}

// A rocker in a frame; the pressed half lies low and dark.
void DrawRocker(QPainter& p, QSizeF s, const Palette& c, bool on, bool marks, bool lit)
{
    DrawPlate(p, QRectF(QPointF(0, 0), s));
    const double m = std::max(2.0, s.width() * 0.1);
    const QRectF body(m, m, s.width() - 2 * m, s.height() - 2 * m);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRoundedRect(body, m * 0.6, m * 0.6);
    const QRectF face = body.adjusted(2, 2, -2, -2);
    const QRectF top(face.left(), face.top(), face.width(), face.height() / 2);
    const QRectF bottom(face.left(), face.center().y(), face.width(), face.height() / 2);
    const QColor base = lit ? (on ? c.Light : c.Dark) : c.Body;
    const QColor raised = lit ? base : base.lighter(125);
    const QColor sunk = lit ? base : base.darker(140);
    // The half that is pressed in is the one in shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(top, on ? sunk.darker(115) : raised.lighter(110), on ? sunk : raised));
    p.drawRect(top);
    p.setBrush(Vertical(bottom, on ? raised : sunk, on ? raised.darker(115) : sunk.darker(115)));
    p.drawRect(bottom);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawLine(QPointF(face.left(), face.center().y()), QPointF(face.right(), face.center().y()));
    if (marks) {
        const QColor ink = c.Body.lightness() > 150 ? QColor(0x20, 0x20, 0x20) : QColor(0xF4, 0xF4, 0xF4);
        p.setPen(QPen(ink, std::max(1.5, s.width() * 0.04), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const double h = face.height() / 8;
        p.drawLine(QPointF(face.center().x(), top.center().y() - h), QPointF(face.center().x(), top.center().y() + h));
        p.drawEllipse(bottom.center(), h, h);
    }
}

// A rotary knob with a pointer: left when off, right when on.
void DrawRotary(QPainter& p, QSizeF s, const Palette& c, bool on)
{
    DrawPlate(p, QRectF(QPointF(0, 0), s));
    const QPointF centre(s.width() / 2, s.height() / 2);
    const double r = std::min(s.width(), s.height()) * 0.36;
    // Marks at the two positions.
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    for (double deg : {-135.0, -45.0}) {
        const double a = deg * M_PI / 180;
        p.drawLine(centre + QPointF(std::cos(a), std::sin(a)) * (r + 1),
                   centre + QPointF(std::cos(a), std::sin(a)) * (r + s.width() * 0.1));
    }
    QRadialGradient g(centre - QPointF(r * 0.35, r * 0.35), r * 1.5);
    g.setColorAt(0, c.Body.lighter(150));
    g.setColorAt(1, c.Dark);
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1));
    p.setBrush(g);
    p.drawEllipse(centre, r, r);
    const double a = (on ? -45.0 : -135.0) * M_PI / 180;
    p.setPen(QPen(QColor(0xF8, 0xF8, 0xF8), std::max(2.0, r * 0.22), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(std::cos(a), std::sin(a)) * (r * 0.2), centre + QPointF(std::cos(a), std::sin(a)) * (r * 0.85));
}

// A push cap in a bezel, square or round; pressed in and lit when on.
void DrawPush(QPainter& p, QSizeF s, const Palette& c, bool on, bool round)
{
    const QRectF all(QPointF(0, 0), s);
    const QRectF bezel = round ? all.adjusted(0.5, 0.5, -0.5, -0.5) : all;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(Vertical(bezel, QColor(0xE8, 0xE8, 0xE8), QColor(0x70, 0x70, 0x70)));
    if (round) p.drawEllipse(bezel);
    else p.drawRect(bezel.adjusted(0, 0, -1, -1));
    const double inset = s.width() * (on ? 0.22 : 0.16);
    const QRectF cap = all.adjusted(inset, inset, -inset, -inset);
    const QColor top = on ? c.Light : c.Body.lighter(130);
    const QColor bottom = on ? c.Body : c.Dark;
    p.setPen(QPen(c.Dark.darker(130), 1));
    p.setBrush(Vertical(cap, on ? bottom : top, on ? top : bottom));
    if (round) p.drawEllipse(cap);
    else p.drawRect(cap);
}

} // namespace

QSize SwitchPictureSize(Byte type)
{
    return Sizes[type < SwitchTypeCount ? type : 0];
}

bool SwitchTypeTransparent(Byte type)
{
    return type == 0 || type == 4 || type == 10;
}

bool SwitchTypeSizeable(Byte type)
{
    return type >= 5 && type <= 8;
}

QImage SwitchPicture(Byte colour, Byte type, bool on)
{
    if (type >= SwitchTypeCount) type = 0;
    if (colour >= SwitchColourCount) colour = 0;
    const QSize size = Sizes[type];
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(SwitchTypeTransparent(type) ? Key : Plate);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    const Palette c = ColourSet(colour);
    const QSizeF s(size);
    switch (type) {
    case 0: case 4: DrawToggle(p, s, c, on); break;
    case 1: DrawPush(p, s, c, on, false); break;
    case 2: DrawRocker(p, s, c, on, false, false); break;
    case 3: case 9: DrawRotary(p, s, c, on); break;
    case 5: DrawRocker(p, s, c, on, true, false); break;
    case 6: DrawRocker(p, s, c, on, false, false); break;
    case 7: case 8: DrawRocker(p, s, c, on, false, true); break;
    case 10: DrawPush(p, s, c, on, true); break;
    }
    p.end();
    if (SwitchTypeTransparent(type)) {
        // Antialiased edges blend into the key; keep the key exact only
        // where nothing was drawn, so edges do not fringe in magenta.
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                const QColor px = QColor::fromRgb(line[x]);
                if (line[x] != Key.rgb() && px.red() > 200 && px.blue() > 200 && px.green() < 120)
                    line[x] = Key.rgb();
                else if (line[x] != Key.rgb() && px.red() - px.green() > 60 && px.blue() - px.green() > 60)
                    line[x] = qRgb(px.green(), px.green(), px.green());
            }
        }
        picture.setPixel(0, 0, Key.rgb());
    }
    return picture;
}

QImage KeyedTransparent(const QImage& picture)
{
    if (picture.isNull()) return picture;
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, 0);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (line[x] == key) line[x] = 0;
    }
    return out;
}
