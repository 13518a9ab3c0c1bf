#include "ui/controls/UCLSpinButton.h"

#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "ui/controls/UCLApplication.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <cstdlib>

namespace {

constexpr TUCLSpinButtonKind Kinds[4] = {sbUp, sbDown, sbLeft, sbRight};

// Nearest integer, halves to the even one.
Integer N(double v)
{
    return Integer(std::nearbyint(v));
}

// A GDI line: from (x0, y0) up to but not including (x1, y1).
void GdiLine(QPainter& p, Integer x0, Integer y0, Integer x1, Integer y1, TColor color)
{
    const QColor c = ColorToQColor(color);
    const Integer dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const Integer sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const Integer steps = std::max(dx, dy);
    Integer err = (dx > dy ? dx : -dy) / 2;
    for (Integer i = 0; i < steps; ++i) {
        p.fillRect(x0, y0, 1, 1, c);
        const Integer e = err;
        if (e > -dx) {
            err -= dy;
            x0 += sx;
        }
        if (e < dy) {
            err += dx;
            y0 += sy;
        }
    }
}

void Row(QPainter& p, Integer x, Integer y, Integer w, const QColor& c)
{
    p.fillRect(x, y, w, 1, c);
}

// A filled triangle 3 pixels deep and 5 high with its tip at (a, b),
// pointing left (Dir -1) or right (Dir 1).
void DrawTriangle(QPainter& p, Integer a, Integer b, Integer Dir, TColor color)
{
    const QColor c = ColorToQColor(color);
    for (Integer k = 0; k <= 2; ++k) {
        const Integer x = a - Dir * k;
        p.fillRect(x, b - k, 1, 2 * k + 1, c);
    }
}

} // namespace

void DrawSpinArrow(QPainter& Painter, Integer X, Integer Y, bool Up, TColor Color, bool Greyed)
{
    const auto draw = [&](Integer x, Integer y, TColor color) {
        const QColor c = ColorToQColor(color);
        for (Integer k = 0; k < 3; ++k) {
            if (Up)
                Row(Painter, x + 1 - k, y + k, 2 * k + 1, c);
            else
                Row(Painter, x + k, y + k, 5 - 2 * k, c);
        }
    };
    if (Greyed) {
        draw(X + 1, Y + 1, clHighlightText);
        draw(X, Y, clGrayText);
    } else {
        draw(X, Y, Color);
    }
}

TUCLSpinButton::TUCLSpinButton(QWidget* Parent) : TUCLGraphicControl(Parent)
{
    SetCtlXP(true);
    resize(20, 20);
    setMouseTracking(true);
}

TUCLSpinButton::~TUCLSpinButton() = default;

int TUCLSpinButton::Index(TUCLSpinButtonKind Button)
{
    switch (Button) {
    case sbUp: return 0;
    case sbDown: return 1;
    case sbLeft: return 2;
    case sbRight: break;
    }
    return 3;
}

TNotifyEvent& TUCLSpinButton::Handler(TUCLSpinButtonKind Button)
{
    switch (Button) {
    case sbUp: return OnUpClick;
    case sbDown: return OnDownClick;
    case sbLeft: return OnLeftClick;
    case sbRight: break;
    }
    return OnRightClick;
}

void TUCLSpinButton::SetDiagonal(bool Value)
{
    if (FDiagonal == Value)
        return;
    FDiagonal = Value;
    update();
}

void TUCLSpinButton::SetButtons(TUCLSpinButtons Value)
{
    if (FButtons == Value)
        return;
    FButtons = Value;
    update();
}

void TUCLSpinButton::SetHotColor(TColor Value)
{
    if (FHotColor == Value)
        return;
    FHotColor = Value;
    update();
}

bool TUCLSpinButton::IsStacked() const
{
    return FButtons == (sbUp | sbDown) && Style == ssSpin && !FDiagonal;
}

QRegion TUCLSpinButton::ButtonRegion(TUCLSpinButtonKind Button) const
{
    if (!(FButtons & Button))
        return {};
    const Integer w = width(), h = height();
    if (FButtons == Button)
        return QRegion(0, 0, w, h);
    if (FButtons != (sbUp | sbDown))
        return {};
    if (IsStacked())
        return Button == sbUp ? QRegion(0, 0, w, h / 2) : QRegion(0, h / 2, w, h - h / 2);
    const QPolygon triangle = Button == sbUp ? QPolygon({QPoint(0, h), QPoint(w, 0), QPoint(0, 0)})
                                             : QPolygon({QPoint(0, h), QPoint(w, h), QPoint(w, 0)});
    return QRegion(triangle, Qt::OddEvenFill);
}

bool TUCLSpinButton::UpdateButtonState(TUCLSpinButtonKind Button, bool LeftHeld, QPoint P)
{
    TUCLSpinButtonState& state = FStates[Index(Button)];
    const TUCLSpinButtonState before = state;
    if (!isEnabled()) {
        state = sbsDisabled;
    } else {
        const QRegion region = ButtonRegion(Button);
        if (!region.isEmpty())
            state = region.contains(P) ? (LeftHeld ? sbsPressed : sbsHot) : sbsNormal;
    }
    return state != before;
}

bool TUCLSpinButton::UpdateAllStates(bool LeftHeld, QPoint P)
{
    bool changed = false;
    for (TUCLSpinButtonKind kind : Kinds)
        changed |= UpdateButtonState(kind, LeftHeld, P);
    return changed;
}

void TUCLSpinButton::ResetHover()
{
    if (UpdateAllStates(false, QPoint(-1, -1)))
        update();
}

void TUCLSpinButton::StartRepeatTimer()
{
    if (!FRepeatTimer)
        FRepeatTimer = std::make_unique<TUCLTimer>(
            Word(RepeatInterval + 200), [this](TPersistent*) { RepeatTimerTick(); }, true, false);
}

void TUCLSpinButton::RepeatTimerTick()
{
    FRepeatTimer->SetInterval(RepeatInterval);
    if (!FCaptured)
        return;
    try {
        for (TUCLSpinButtonKind kind : Kinds)
            if (FStates[Index(kind)] == sbsPressed && Handler(kind))
                Handler(kind)(this);
    } catch (...) {
        // The timer is inside its own tick: stop it now, free it afterwards.
        TUCLTimer* timer = FRepeatTimer.release();
        timer->SetEnabled(false);
        QMetaObject::invokeMethod(qApp, [timer] { delete timer; }, Qt::QueuedConnection);
        throw;
    }
}

void TUCLSpinButton::mousePressEvent(QMouseEvent* Event)
{
    TUCLGraphicControl::mousePressEvent(Event);
    if (Event->button() != Qt::LeftButton || !isEnabled())
        return;
    FCaptured = true;
    const QPoint p = Event->position().toPoint();
    for (TUCLSpinButtonKind kind : Kinds) {
        // Only the button under the press acts: another one that merely
        // loses its hot look does not.
        if (UpdateButtonState(kind, true, p) && FStates[Index(kind)] == sbsPressed && Handler(kind))
            Handler(kind)(this);
    }
    StartRepeatTimer();
    FRepeatTimer->SetInterval(Word(RepeatInterval + 200));
    update();
}

void TUCLSpinButton::mouseMoveEvent(QMouseEvent* Event)
{
    TUCLGraphicControl::mouseMoveEvent(Event);
    if (UpdateAllStates(Event->buttons() == Qt::LeftButton && FCaptured, Event->position().toPoint()))
        update();
}

void TUCLSpinButton::mouseReleaseEvent(QMouseEvent* Event)
{
    TUCLGraphicControl::mouseReleaseEvent(Event);
    if (Event->button() != Qt::LeftButton)
        return;
    FCaptured = false;
    if (UpdateAllStates(false, Event->position().toPoint()))
        update();
}

void TUCLSpinButton::changeEvent(QEvent* Event)
{
    TUCLGraphicControl::changeEvent(Event);
    if (Event->type() != QEvent::EnabledChange)
        return;
    for (TUCLSpinButtonState& state : FStates)
        state = isEnabled() ? sbsNormal : sbsDisabled;
    update();
}

QImage TUCLSpinButton::Face(TUCLSpinButtonKind Button, TUCLSpinButtonState State) const
{
    const Integer W = width(), H = height();
    QImage face(W, H, QImage::Format_RGB32);
    face.fill(ColorToQColor(Color()));
    QPainter p(&face);
    TRect r{0, 0, Style == ssSpin ? W - 1 : W, H - 1};
    DrawStandardBorder(p, r, State == sbsPressed ? TUCLBorderStyle::lsLowered : FrameStyle);
    const Integer w = r.Width(), h = r.Height();
    const bool disabled = State == sbsDisabled;
    const TColor color = State == sbsHot ? FHotColor : disabled ? TColor(0x808080) : clBlack;
    const bool pressed = State == sbsPressed;
    if (FButtons == Button) {
        switch (Button) {
        case sbUp: DrawSpinArrow(p, r.Left + N(w / 2.0 - 2), r.Top + N(h / 2.0 - 2), true, color, disabled); break;
        case sbDown: DrawSpinArrow(p, r.Left + N(w / 2.0 - 3), r.Top + N(h / 2.0 - 2), false, color, disabled); break;
        case sbLeft: DrawTriangle(p, r.Left + N(w / 2.0 - 2), r.Top + N(h / 2.0 - 1), -1, color); break;
        case sbRight: DrawTriangle(p, r.Left + N(w / 2.0), r.Top + N(h / 2.0 - 1), 1, color); break;
        }
    } else if (Button == sbUp) {
        DrawSpinArrow(p, r.Left + N(w / 4.0 - 2), r.Top + N(h / 4.0 - 2), true, color, disabled);
        if (pressed)
            GdiLine(p, r.Right - 1, r.Top, r.Left, r.Bottom - 1, 0x808080);
        GdiLine(p, r.Right - 1, r.Top, r.Left - 1, r.Bottom, pressed ? clWhite : clSilver);
    } else {
        DrawSpinArrow(p, r.Left + N(3 * w / 4.0 - 2), r.Top + N(3 * h / 4.0 - 2), false, color, disabled);
        GdiLine(p, r.Right, r.Top - 1, r.Left - 1, r.Bottom, pressed ? TColor(0x808080) : clWhite);
        if (pressed)
            GdiLine(p, r.Right, r.Top, r.Left, r.Bottom, clSilver);
    }
    return face;
}

QImage TUCLSpinButton::StackedFace(TUCLSpinButtonKind Button, TUCLSpinButtonState State) const
{
    const Integer W = width(), faceHeight = height() / 2;
    QImage face(W, std::max(faceHeight, 1), QImage::Format_RGB32);
    face.fill(ColorToQColor(Color()));
    QPainter p(&face);
    TRect r{0, 0, W, faceHeight};
    if (State == sbsPressed) {
        DrawEdge(p, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        DrawEdge(p, r, BDR_SUNKENINNER, BF_TOPLEFT);
    } else {
        DrawEdge(p, r, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST);
        DrawEdge(p, r, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    }
    const bool up = Button == sbUp;
    DrawSpinArrow(p, W / 2 - 1 - (up ? 0 : 1), faceHeight / 2 - 2, up, State == sbsHot ? FHotColor : clBlack,
                  State == sbsDisabled);
    return face;
}

void TUCLSpinButton::Paint(QPainter& Painter)
{
    if (parentWidget() && !parentWidget()->isVisible())
        return;
    for (TUCLSpinButtonKind kind : Kinds) {
        const QRegion region = ButtonRegion(kind);
        if (region.isEmpty())
            continue;
        const TUCLSpinButtonState state = FStates[Index(kind)];
        if (IsStacked()) {
            Painter.drawImage(region.boundingRect().topLeft(), StackedFace(kind, state));
        } else {
            Painter.save();
            Painter.setClipRegion(region);
            Painter.drawImage(0, 0, Face(kind, state));
            Painter.restore();
        }
    }
}
