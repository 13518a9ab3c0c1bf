#include "ui/controls/UCLSBar.h"

#include "platform/Colors.h"
#include "platform/VirtualKeys.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

Integer N(double v)
{
    return static_cast<Integer>(std::nearbyint(v));
}

}   // namespace

Integer SystemScrollBarSize()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

TUCLScrollBarThumb::TUCLScrollBarThumb(TUCLScrollBar* Bar) : TUCLCustomPanelFill(Bar), FBar(Bar)
{
    Bevel().SetMode(TUCLBevelMode::bmStandard);
    Bevel().SetStandardStyle(TUCLBorderStyle::lsRaised);
    setFocusPolicy(Qt::NoFocus);
    FillObject().SetStyle(TUCLFillStyle::sfBitmap);
}

// The bar's focus shows as its track pattern inside the thumb.
void TUCLScrollBarThumb::Paint(QPainter& Painter)
{
    if (IsUpdating())
        return;
    TUCLCustomPanelFill::Paint(Painter);
    if (FBar->hasFocus() && !FBar->HideFocus && width() > 3 && height() > 3)
        Painter.fillRect(QRect(1, 1, width() - 3, height() - 3), QBrush(FBar->TrackPattern()));
}

void TUCLScrollBarThumb::mousePressEvent(QMouseEvent* Event)
{
    if (FBar->Focusable() && !FBar->hasFocus())
        FBar->setFocus(Qt::MouseFocusReason);
    FPressed = true;
    update();
    if (Event->button() == Qt::LeftButton)
        FBar->ThumbPressed(mapTo(FBar, Event->position().toPoint()));
}

void TUCLScrollBarThumb::mouseMoveEvent(QMouseEvent* Event)
{
    FBar->DragTo(mapTo(FBar, Event->position().toPoint()), Event->buttons() & Qt::LeftButton);
}

void TUCLScrollBarThumb::mouseReleaseEvent(QMouseEvent* Event)
{
    FPressed = false;
    update();
    if (Event->button() == Qt::LeftButton)
        FBar->ThumbReleased();
}

void TUCLScrollBarThumb::focusInEvent(QFocusEvent* Event)
{
    TUCLCustomPanelFill::focusInEvent(Event);
    if (FBar->Focusable())
        FBar->setFocus(Event->reason());
}

TUCLScrollBar::TUCLScrollBar(QWidget* Parent) : TUCLCustomBevelPanel(Parent), FThumbColor(clBtnFace)
{
    SetColor(clBtnFace);
    setFocusPolicy(Qt::StrongFocus);
    FBack.BeginUpdate();
    FBack.SetStyle(TUCLFillStyle::sfBrushBitmap);
    FBack.EndUpdate(false);
    FBack.OnChange = [this](TPersistent* Sender) { GetChange(Sender); };
    FTrackPattern = QImage(8, 8, QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255), color = ColorToQColor(Color()).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            FTrackPattern.setPixel(x, y, (x % 2) == (y % 2) ? white : color);
    FStartButton = new TUCLSpinButton(this);
    FEndButton = new TUCLSpinButton(this);
    for (TUCLSpinButton* b : {FStartButton, FEndButton}) {
        b->Style = ssArrow;
        b->SetCtlXP(CtlXP());
    }
    FThumb = new TUCLScrollBarThumb(this);
    FThumbBevel.SetStyleOuter(TUCLBevelStyle::bvRaised);
    FThumbBevel.OnChange = [this](TPersistent*) { Arrange(); };
    Bevel().SetMode(TUCLBevelMode::bmStandard);
    Bevel().SetStandardStyle(TUCLBorderStyle::lsSingleLowered);
    resize(width(), 16);
    Arrange();
}

TUCLScrollBar::~TUCLScrollBar()
{
    FPageTimer.reset();
    FThumbBevel.OnChange = nullptr;
    FBack.OnChange = nullptr;
}

void TUCLScrollBar::SetByIndex(int Index, Integer Value)
{
    switch (Index) {
    case 0:
        Value = std::max(Value, FMin);
        if (Value == FMax)
            return;
        FMax = Value;
        FPosition = std::min(FPosition, FMax);
        break;
    case 1:
        Value = std::min(Value, FMax);
        if (Value == FMin)
            return;
        FMin = Value;
        FPosition = std::max(FPosition, FMin);
        break;
    case 2:
        Value = std::clamp(Value, FMin, FMax);
        if (Value == FPosition)
            return;
        FPosition = Value;
        break;
    case 3:
        if (Value == FButtonWidth)
            return;
        FButtonWidth = Value;
        break;
    case 4:
        if (FThumbMode != TUCLThumbMode::tmFixed || Value == FThumbLength)
            return;
        FThumbLength = Value;
        break;
    case 5:
        if (Value == FBarWidth)
            return;
        FBarWidth = Value;
        {
            const Integer size = Value > 0 ? Value : SystemScrollBarSize();
            if (FKind == TUCLScrollBarKind::skHorizontal)
                resize(width(), size);
            else
                resize(size, height());
        }
        break;
    default: return;
    }
    Arrange();
}

void TUCLScrollBar::SetKind(TUCLScrollBarKind Value)
{
    if (FKind == Value)
        return;
    FKind = Value;
    Arrange();
}

void TUCLScrollBar::SetThumbMode(TUCLThumbMode Value)
{
    if (FThumbMode == Value)
        return;
    FThumbMode = Value;
    Arrange();
}

void TUCLScrollBar::SetThumbColor(TColor Value)
{
    if (FThumbColor == Value)
        return;
    FThumbColor = Value;
    Arrange();
}

void TUCLScrollBar::SetThumbBevel(const TUCLBevel& Value)
{
    FThumbBevel.Assign(Value);
    Arrange();
}

void TUCLScrollBar::SetBackStyle(TUCLBackStyle Value)
{
    if (FBackStyle == Value)
        return;
    FBackStyle = Value;
    GetChange(nullptr);
}

void TUCLScrollBar::SetFocusable(bool Value)
{
    FFocusable = Value;
    setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
}

void TUCLScrollBar::GetChange(TPersistent* Sender)
{
    TUCLCustomBevelPanel::GetChange(Sender);
    if (Sender == &Bevel())
        Arrange();
}

void TUCLScrollBar::UpdateTrackRect()
{
    const TRect client = Rect(0, 0, width(), height());
    const Integer b = Bevel().BevelExtent();
    FTrackRect = Rect(client.Left + b, client.Top + b, client.Right - b, client.Bottom - b);
}

void TUCLScrollBar::Arrange()
{
    if (IsUpdating())
        return;
    BeginUpdate();
    UpdateTrackRect();
    const TRect& t = FTrackRect;
    FThumb->BeginUpdate();
    FThumb->SetFlat(ThumbFlat);
    FThumb->SetBevel(FThumbBevel);
    FThumb->SetColor(FThumbColor);
    FThumb->EndUpdate(false);
    const bool vertical = FKind == TUCLScrollBarKind::skVertical;
    if (vertical) {
        FStartButton->setGeometry(t.Left, t.Top + 1, t.Width(), FButtonWidth - 1);
        FStartButton->SetButtons(sbUp);
        FStartButton->OnUpClick = [this](TPersistent*) { LineUp(); };
        FEndButton->setGeometry(t.Left, t.Bottom - FButtonWidth + 1, t.Width(), FButtonWidth - 1);
        FEndButton->SetButtons(sbDown);
        FEndButton->OnDownClick = [this](TPersistent*) { LineDown(); };
        FTrackLength = t.Height() - 2 * FButtonWidth;
    } else {
        FStartButton->setGeometry(t.Left, t.Top, FButtonWidth, t.Height() + 1);
        FStartButton->SetButtons(sbLeft);
        FStartButton->OnLeftClick = [this](TPersistent*) { LineUp(); };
        FEndButton->setGeometry(t.Right - FButtonWidth, t.Top, FButtonWidth, t.Height() + 1);
        FEndButton->SetButtons(sbRight);
        FEndButton->OnRightClick = [this](TPersistent*) { LineDown(); };
        FTrackLength = t.Width() - 2 * FButtonWidth;
    }
    if (FThumbMode == TUCLThumbMode::tmAuto)
        FThumbLength = std::max(FTrackLength - (FMax - FMin), 8);
    double divisor = FTrackLength - FThumbLength;
    if (divisor == 0)
        divisor = 1;
    double f = FMin < FMax ? (FMax - FMin) / divisor : 1.0;
    if (f == 0)
        f = 1;
    const Integer offset = N((FPosition - FMin) / f);
    if (vertical)
        FThumb->setGeometry(t.Left, t.Top + FButtonWidth + offset, t.Width(), FThumbLength);
    else
        FThumb->setGeometry(t.Left + FButtonWidth + offset, t.Top, FThumbLength, t.Height());
    EndUpdate(false);
    update();
}

void TUCLScrollBar::Notify(Integer Code)
{
    if (!OnScroll)
        return;
    Integer pos = FPosition;
    OnScroll(this, 8, pos);
    pos = FPosition;
    OnScroll(this, Code, pos);
}

void TUCLScrollBar::NotifyEnds()
{
    if (FPosition == FMin)
        Notify(6);
    if (FPosition == FMax)
        Notify(7);
}

void TUCLScrollBar::LineUp()
{
    if (FFocusable && !hasFocus())
        setFocus(Qt::OtherFocusReason);
    if (FPosition == FMin)
        return;
    SetByIndex(2, FPosition - SmallChange);
    Notify(1);
}

void TUCLScrollBar::LineDown()
{
    if (FFocusable && !hasFocus())
        setFocus(Qt::OtherFocusReason);
    if (FPosition == FMax)
        return;
    SetByIndex(2, FPosition + SmallChange);
    Notify(0);
}

void TUCLScrollBar::Paint(QPainter& Painter)
{
    if (IsUpdating())
        return;
    PaintBackground(Painter);
    Bevel().PaintBevel(Painter, Rect(0, 0, width(), height()), Transparent());
    UpdateTrackRect();
    if (FBack.Style() == TUCLFillStyle::sfNone || Transparent())
        return;
    if (FBackStyle == TUCLBackStyle::bsUser) {
        FBack.FillRect(Painter, FTrackRect, Color());
        return;
    }
    // The track pattern, for this fill only.
    FBack.BeginUpdate();
    const QImage bitmap = FBack.Bitmap();
    const TUCLFillStyle style = FBack.Style();
    FBack.SetBitmap(FTrackPattern);
    FBack.SetStyle(TUCLFillStyle::sfBrushBitmap);
    FBack.FillRect(Painter, FTrackRect, Color());
    FBack.SetBitmap(bitmap);
    FBack.SetStyle(style);
    FBack.EndUpdate(false);
}

void TUCLScrollBar::resizeEvent(QResizeEvent* Event)
{
    TUCLCustomBevelPanel::resizeEvent(Event);
    Arrange();
}

void TUCLScrollBar::PageAt(QPoint P)
{
    const QRect thumb = FThumb->geometry();
    const bool vertical = FKind == TUCLScrollBarKind::skVertical;
    const int at = vertical ? P.y() : P.x();
    const int start = vertical ? thumb.top() : thumb.left();
    const int end = vertical ? thumb.bottom() : thumb.right();
    if (at < start) {
        SetByIndex(2, FPosition - LargeChange);
        Notify(3);
    } else if (at > end) {
        SetByIndex(2, FPosition + LargeChange);
        Notify(2);
    } else {
        FPageTimer.reset();
    }
    NotifyEnds();
}

void TUCLScrollBar::mousePressEvent(QMouseEvent* Event)
{
    // A press the arrow buttons passed on is no press on the track.
    const QPoint at = Event->position().toPoint();
    if (FStartButton->geometry().contains(at) || FEndButton->geometry().contains(at))
        return;
    if (FFocusable && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    TUCLCustomBevelPanel::mousePressEvent(Event);
    if (Event->button() != Qt::LeftButton)
        return;
    FLastMouse = Event->position().toPoint();
    if (!FPageTimer)
        FPageTimer = std::make_unique<TUCLTimer>(Word(100), [this](TPersistent*) { PageAt(FLastMouse); }, true,
                                                 UseGlobalTimer);
    PageAt(FLastMouse);
}

void TUCLScrollBar::mouseMoveEvent(QMouseEvent* Event)
{
    TUCLCustomBevelPanel::mouseMoveEvent(Event);
    DragTo(Event->position().toPoint(), Event->buttons() & Qt::LeftButton);
}

void TUCLScrollBar::mouseReleaseEvent(QMouseEvent* Event)
{
    TUCLCustomBevelPanel::mouseReleaseEvent(Event);
    FPageTimer.reset();
}

void TUCLScrollBar::ThumbPressed(QPoint P)
{
    if (!AllowMousePos)
        return;
    FDragging = true;
    FLastDrag = P;
}

void TUCLScrollBar::DragTo(QPoint P, bool LeftHeld)
{
    FLastMouse = P;
    if (!LeftHeld || !FDragging)
        return;
    const bool vertical = FKind == TUCLScrollBarKind::skVertical;
    const int d = vertical ? P.y() - FLastDrag.y() : P.x() - FLastDrag.x();
    if (d == 0)
        return;
    const Integer step = FThumbLength == FTrackLength
                             ? (d > 0 ? 1 : -1)
                             : N(double(FMax - FMin) / double(FTrackLength - FThumbLength) * d);
    SetByIndex(2, FPosition + step);
    if (OnScroll) {
        Integer pos = FPosition;
        OnScroll(this, 5, pos);
    }
    FLastDrag = P;
    NotifyEnds();
}

void TUCLScrollBar::ThumbReleased()
{
    FDragging = false;
    Notify(4);
}

void TUCLScrollBar::keyPressEvent(QKeyEvent* Event)
{
    const Word key = VirtualKeyOfEvent(*Event);
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT: {
        const bool up = key == VK_PRIOR;
        SetByIndex(2, FPosition + (up ? -LargeChange : LargeChange));
        if (OnScroll) {
            Integer pos = FPosition;
            OnScroll(this, up ? 3 : 2, pos);
        }
        break;
    }
    case VK_LEFT:
    case VK_UP: LineUp(); break;
    case VK_RIGHT:
    case VK_DOWN: LineDown(); break;
    default: TUCLCustomBevelPanel::keyPressEvent(Event); return;
    }
    NotifyEnds();
    Event->accept();
}

void TUCLScrollBar::focusInEvent(QFocusEvent* Event)
{
    if (!FFocusable)
        return;
    TUCLCustomBevelPanel::focusInEvent(Event);
    FThumb->update();
}

void TUCLScrollBar::focusOutEvent(QFocusEvent* Event)
{
    FThumb->update();
    TUCLCustomBevelPanel::focusOutEvent(Event);
}

void TUCLScrollBar::changeEvent(QEvent* Event)
{
    TUCLCustomBevelPanel::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange) {
        FThumb->setVisible(isEnabled());
        FStartButton->setEnabled(isEnabled());
        FEndButton->setEnabled(isEnabled());
    }
}

void TUCLScrollBar::MouseExit()
{
    TUCLCustomBevelPanel::MouseExit();
    FStartButton->ResetHover();
    FEndButton->ResetHover();
}

TUCLScrollBarObject::TUCLScrollBarObject() : FColors{clBtnFace, clBtnFace}
{
    FBack.BeginUpdate();
    FBack.SetStyle(TUCLFillStyle::sfBrush);
    FBack.Brush().SetColor(0xFF0000);
    FBack.EndUpdate(false);
    FBevel.SetMode(TUCLBevelMode::bmStandard);
    FBevel.SetStandardStyle(TUCLBorderStyle::lsSingleLowered);
    FBack.OnChange = [this](TPersistent* Sender) { SubObjectChanged(Sender); };
    FBevel.OnChange = [this](TPersistent* Sender) { SubObjectChanged(Sender); };
}

TUCLScrollBarObject::~TUCLScrollBarObject()
{
    FBack.OnChange = nullptr;
    FBevel.OnChange = nullptr;
}

void TUCLScrollBarObject::SetColor(int Index, TColor Value)
{
    if (Index < 0 || Index > 1 || FColors[Index] == Value)
        return;
    FColors[Index] = Value;
    Changed();
}

void TUCLScrollBarObject::SetSize(int Index, Integer Value)
{
    if (Index < 0 || Index > 2 || FSizes[Index] == Value)
        return;
    FSizes[Index] = Value;
    Changed();
}

void TUCLScrollBarObject::SetFlag(int Index, bool Value)
{
    if (Index < 0 || Index > 2 || FFlags[Index] == Value)
        return;
    FFlags[Index] = Value;
    Changed();
}

void TUCLScrollBarObject::SetAllowMousePos(bool Value)
{
    if (FAllowMousePos == Value)
        return;
    FAllowMousePos = Value;
    Changed();
}

void TUCLScrollBarObject::SetBackStyle(TUCLBackStyle Value)
{
    if (FBackStyle == Value)
        return;
    FBackStyle = Value;
    Changed();
}

void TUCLScrollBarObject::SetBarWidth(Integer Value)
{
    if (FBarWidth == Value)
        return;
    FBarWidth = Value;
    Changed();
}

// ParentCtl3D has no meaning for these widgets; it is kept with the settings.
void TUCLScrollBarObject::ApplyTo(TUCLScrollBar& Bar) const
{
    Bar.SetBack(FBack);
    Bar.SetBevel(FBevel);
    Bar.SetTransparent(FFlags[0]);
    Bar.SetCtl3D(FFlags[1]);
    Bar.SetByIndex(3, FSizes[0]);
    Bar.SmallChange = FSizes[1];
    Bar.LargeChange = FSizes[2];
    Bar.AllowMousePos = FAllowMousePos;
    Bar.SetBackStyle(FBackStyle);
    Bar.SetColor(FColors[0]);
    Bar.SetThumbColor(FColors[1]);
    Bar.SetByIndex(5, FBarWidth);
}

void TUCLScrollBarObject::Assign(const TUCLObject& Source)
{
    const auto* src = AssignSource<TUCLScrollBarObject, TUCLObject>(*this, Source);
    if (!src)
        return;
    BeginUpdate();
    FBack.Assign(src->FBack);
    FBevel.Assign(src->FBevel);
    for (int i = 0; i < 2; ++i)
        FColors[i] = src->FColors[i];
    for (int i = 0; i < 3; ++i) {
        FSizes[i] = src->FSizes[i];
        FFlags[i] = src->FFlags[i];
    }
    Cursor = src->Cursor;
    FAllowMousePos = src->FAllowMousePos;
    FBackStyle = src->FBackStyle;
    FBarWidth = src->FBarWidth;
    EndUpdate(true);
}
