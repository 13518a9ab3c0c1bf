#include "panel/elements/FP_LED.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/Language.h"
#include "panel/framework/Design.h"
#include "panel/framework/DisplayThrottle.h"
#include "platform/Colors.h"
#include "platform/Stream.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace {

constexpr Integer MaxFontHeight = 500;

QColor Shade(TColor colour, double factor)
{
    const QColor c = ColorToQColor(colour);
    auto channel = [factor](int v) { return std::clamp(static_cast<int>(v * factor + 0.5), 0, 255); };
    return QColor(channel(c.red()), channel(c.green()), channel(c.blue()));
}

// The outline of a shape in the rectangle (left, top, right, bottom), with
// the corners of the drawing operations it stands for.
QPainterPath ShapePath(Byte shape, const TRect& r)
{
    const double l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom;
    const double mx = r.Left + (r.Right - r.Left) / 2, my = r.Top + (r.Bottom - r.Top) / 2;
    QPainterPath path;
    auto triangle = [&path](QPointF a, QPointF b2, QPointF c) {
        path.moveTo(a);
        path.lineTo(b2);
        path.lineTo(c);
        path.closeSubpath();
    };
    switch (shape) {
    case TPLED::Round: path.addEllipse(QRectF(l + 0.5, t + 0.5, rt - l - 1, b - t - 1)); break;
    case TPLED::Square: path.addRect(QRectF(l + 0.5, t + 0.5, rt - l - 1, b - t - 1)); break;
    case TPLED::TriangleUp: triangle({l, b - 1}, {mx, t}, {rt, b - 1}); break;
    case TPLED::TriangleDown: triangle({l, t}, {mx, b}, {rt, t}); break;
    case TPLED::TriangleLeft: triangle({rt - 1, t}, {l, my}, {rt - 1, b}); break;
    case TPLED::TriangleRight: triangle({l, t}, {rt, my}, {l, b}); break;
    default: break;
    }
    return path;
}

} // namespace

// ---- Creation

TPLED::TPLED()
{
    resize(16, 16);
    BorderWidth = 1;
    ColorFollowsPanel = true;
    SetHint("LED");
    SetBisteTransparent(true);
    Font.Name = ArialFamily;
    Font.Height = -11;
    Font.Color = 0;
    setMouseTracking(true);
}

TDuoLED::TDuoLED()
{
    IsDuo = true;
    SetHint("Duo-LED");
}

TRGBLED::TRGBLED()
{
    IsRGB = true;
    SetHint("RGB-LED");
}

// ---- State

void TPLED::SetEingeschaltet(bool on)
{
    if (on == eingeschaltet_)
        return;
    eingeschaltet_ = on;
    // Painted at the display's pace, not at every step.
    RequestDisplayRepaint(this, repaintPending_);
}

void TPLED::SetDuoLEDStatus(Byte status)
{
    duoStatus_ = status > 3 ? 0 : status;
    eingeschaltet_ = duoStatus_ != 0;
    RequestDisplayRepaint(this, repaintPending_);
}

void TPLED::SetRGBFarbe(TColor colour)
{
    if (colour == rgbFarbe_)
        return;
    rgbFarbe_ = colour;
    RequestDisplayRepaint(this, repaintPending_);
}

TColor TPLED::GetLedColor() const
{
    if (IsRGB)
        return rgbFarbe_;
    if (!eingeschaltet_)
        return OffGrey;
    switch (duoStatus_) {
    case 1: return Colour1;
    case 2: return Colour2;
    case 3: return Colour3;
    default: return OffGrey;
    }
}

void TPLED::ClearMouseFlags()
{
    LeftPressed_ = RightPressed_ = MouseOver_ = false;
}

bool TPLED::OnHiddenPage() const
{
    // The LED itself or the macro panel it lies in is parked.
    for (const QWidget* w = this; w; w = w->parentWidget())
        if (const auto* element = dynamic_cast<const TFP_Element*>(w); element && element->OwnerDesign) {
            const QWidget* parking = element->OwnerDesign->ParkingPanel();
            if (parking && element->parentWidget() == parking)
                return true;
        }
    return false;
}


// ---- Painting

const QImage& TPLED::ShapePicture(const TRect& r, TColor colour)
{
    // Antialiased gradients cost far more than copying a picture; an LED
    // switching between two looks draws each once.
    const bool bright = eingeschaltet_ || IsRGB;
    for (const TShapePicture& cached : pictures_)
        if (cached.Size == size() && cached.Shape == Shape && cached.Frame == r.Left && cached.Colour == colour &&
            cached.Bright == bright)
            return cached.Picture;
    if (pictures_.size() >= 4)
        pictures_.erase(pictures_.begin());
    TShapePicture entry{size(), Shape, r.Left, colour, bright, QImage(size(), QImage::Format_ARGB32_Premultiplied)};
    entry.Picture.fill(Qt::transparent);
    QPainter painter(&entry.Picture);
    const QPainterPath path = ShapePath(Shape, r);
    const QRectF box = path.boundingRect();
    painter.setRenderHint(QPainter::Antialiasing);
    // The dome: the colour itself in the middle, darker towards the rim,
    // lit from the top left.
    QRadialGradient dome(box.center(), std::max(box.width(), box.height()) * 0.62,
                         box.center() - QPointF(box.width() * 0.12, box.height() * 0.12));
    dome.setColorAt(0.0, Shade(colour, 1.0));
    dome.setColorAt(0.55, Shade(colour, 0.86));
    dome.setColorAt(1.0, Shade(colour, 0.45));
    painter.setPen(Qt::NoPen);
    painter.setBrush(dome);
    painter.drawPath(path);
    // The reflection on the plastic.
    painter.setClipPath(path);
    const QPointF spot = box.topLeft() + QPointF(box.width() * 0.33, box.height() * 0.30);
    const double radius = std::max(box.width(), box.height()) * 0.26;
    QRadialGradient highlight(spot, radius);
    highlight.setColorAt(0.0, QColor(255, 255, 255, bright ? 230 : 150));
    highlight.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(highlight);
    painter.drawEllipse(spot, radius, radius);
    // The shadow of the holder on the plastic's edge.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 80), 2.5));
    painter.drawPath(path);
    painter.setClipping(false);
    // The rim of the holder.
    painter.setPen(QPen(ColorToQColor(0xC0C0C0), 1));
    painter.drawPath(path);
    painter.end();
    pictures_.push_back(std::move(entry));
    return pictures_.back().Picture;
}

TRect TPLED::ShapeRect() const
{
    const Integer w = FrameWidth();
    return {w, w, width() - w, height() - w};
}

void TPLED::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    const TRect r = ShapeRect();
    const TColor colour = GetLedColor();
    if (Shape != LuminousText && r.Right > r.Left && r.Bottom > r.Top)
        canvas.Painter()->drawImage(0, 0, ShapePicture(r, colour));
    if (!LedText.empty()) {
        TFont font = Font;
        // The luminous text is the LED itself.
        if (Shape == LuminousText)
            font.Color = colour;
        canvas.Font = font;
        canvas.Brush.Style = TBrushStyle::bsClear;
        const Integer x = r.Left + (r.Right - r.Left - canvas.TextWidth(LedText)) / 2;
        const Integer y = r.Top + (r.Bottom - r.Top - canvas.TextHeight(LedText)) / 2;
        canvas.TextOut(x, y, LedText);
        canvas.Brush.Style = TBrushStyle::bsSolid;
    }
    if (hasFocus())
        DrawFocusMark(canvas);
}

// ---- Mouse

void TPLED::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        LeftPressed_ = true;
    else if (event->button() == Qt::RightButton)
        RightPressed_ = true;
    TFP_Element::mousePressEvent(event);
}

void TPLED::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        LeftPressed_ = false;
    else if (event->button() == Qt::RightButton)
        RightPressed_ = false;
    TFP_Element::mouseReleaseEvent(event);
}

void TPLED::mouseMoveEvent(QMouseEvent* event)
{
    // While a button is held Qt keeps sending the moves here (its implicit
    // grab), also from outside the LED.
    const QPoint p = event->position().toPoint();
    MouseOver_ = !(p.x() < 0 || p.y() < 0 || p.x() > width() || p.y() > height());
    TFP_Element::mouseMoveEvent(event);
}

void TPLED::leaveEvent(QEvent* event)
{
    if (!LeftPressed_ && !RightPressed_)
        MouseOver_ = false;
    TFP_Element::leaveEvent(event);
}

// ---- The record

void TPLED::WriteData(TStream& stream, TWriter& writer)
{
    TFP_Element::WriteData(stream, writer);
    WriteRawLong(writer, Colour1);
    WriteRawLong(writer, Color());
    writer.Write(&Shape, 1);
    WriteRawWord(writer, 0);
    WriteRawLong(writer, Colour2);
    WriteRawLong(writer, Colour3);
    writer.WriteString(LedText);
    writer.WriteString(Font.Name);
    writer.WriteInteger(Font.Height);
    writer.WriteBoolean(Font.Style & fsBold);
    writer.WriteBoolean(Font.Style & fsItalic);
    writer.WriteBoolean(Font.Style & fsUnderline);
    writer.WriteBoolean(Font.Style & fsStrikeOut);
    writer.WriteInteger(static_cast<Integer>(Font.Color));
}

void TPLED::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TFP_Element::ReadData(stream, reader, version);
    Colour1 = ReadRawLong(reader);
    const auto control = static_cast<Integer>(ReadRawLong(reader));
    // A negative value is a system colour: the LED keeps its own.
    if (control >= 0)
        SetColor(static_cast<TColor>(control));
    Byte shape = 0;
    reader.Read(&shape, 1);
    // A shape this program does not know is drawn round.
    Shape = shape <= LuminousText ? shape : Byte{Round};
    const Integer size = ReadRawExtent(reader);
    if (version > 2) {
        Colour2 = ReadRawLong(reader);
        Colour3 = ReadRawLong(reader);
    }
    if (version >= 40) {
        LedText = reader.ReadString();
        Font.Name = reader.ReadString();
        // A height no dialog can give comes from a damaged file.
        Font.Height = std::clamp(reader.ReadInteger(), -MaxFontHeight, MaxFontHeight);
        Byte style = 0;
        for (const Byte bit : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
            if (reader.ReadBoolean())
                style |= bit;
        Font.Style = style;
        Font.Color = static_cast<TColor>(reader.ReadInteger());
    } else {
        // Older files knew a round LED, a wide and a tall rectangle, sized
        // by one number.
        if (Shape == Round)
            SetBounds(x(), y(), size, size);
        else if (Shape == Square)
            SetBounds(x(), y(), size, size / 2);
        else if (Shape == TriangleUp) {
            SetBounds(x(), y(), size / 2, size);
            Shape = Square;
        }
    }
    update();
}

// ---- Settings

Integer TPLED::EditProperties()
{
    TDefault_Dlg& dlg = SettingsSheet(IsDuo ? 18010 : IsRGB ? 18012 : 18005);
    TPropScrollbox& props = *dlg.Props;
    const AnsiString colour = Translate("Farbe");
    TColor c1 = Colour1, c2 = Colour2, c3 = Colour3;
    if (IsDuo) {
        props.AddColor(colour + " [LED1]", c1);
        props.AddColor(colour + " [LED2]", c2);
        props.AddColor(colour + " [LED1 + LED2]", c3);
    } else {
        props.AddColor(colour, c1);
    }
    TColor background = HintergrundFarbe;
    AddBackgroundRow(background);
    Integer shape = Shape;
    props.AddCombo(Translate("Stil"), shape,
                   {Translate("Rund"), Translate("Eckig"), Translate("Dreieck oben"), Translate("Dreieck unten"),
                    Translate("Dreieck links"), Translate("Dreieck rechts"), Translate("Leuchttext")},
                   190);
    props.AddCaption(Translate("Text"));
    AnsiString text = LedText;
    props.AddEdit(Translate("Text"), text, 0, 190);
    props.AddFontName(Translate("Schriftart"), Font);
    props.AddFontStyle(Translate("Stil"), Font);
    props.AddColor(Translate("Farbe"), Font.Color);
    const Integer result = ShowSettings(dlg);
    // The rows wrote back only on OK; unchanged values stay as they were.
    Colour1 = c1;
    Colour2 = c2;
    Colour3 = c3;
    SetHintergrundFarbe(background);
    if (shape >= 0 && shape <= LuminousText)
        Shape = static_cast<Byte>(shape);
    LedText = text;
    update();
    return result;
}
