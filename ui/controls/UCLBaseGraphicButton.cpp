#include "ui/controls/UCLBaseGraphicButton.h"

#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/PopupMenu.h"
#include "ui/controls/UCLGraph.h"
#include "ui/controls/UCLImageList.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QToolTip>

TUCLBaseGraphicButton::TUCLBaseGraphicButton(QWidget* Parent)
    : TUCLBaseControl(Parent), FFontColor(clBtnText), FEnterColor(clHighlightText)
{
    FButtonLayout.OnChange = [this](TPersistent*) { ContentChanged(); };
    FFontFX.OnChange = [this](TPersistent*) { FontChanged(true); };
    FGlyph.OnChange = [this](TUCLGlyph*) { ContentChanged(); };
    resize(25, 25);
    setMouseTracking(true);
}

TUCLBaseGraphicButton::~TUCLBaseGraphicButton()
{
    FHoverTimer.reset();
    FRepeatTimer.reset();
    FButtonLayout.OnChange = nullptr;
    FFontFX.OnChange = nullptr;
    FGlyph.OnChange = nullptr;
}

void TUCLBaseGraphicButton::SetCaption(const QString& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    UpdateShortcut();
    ContentChanged();
}

void TUCLBaseGraphicButton::SetFontColor(TColor Value)
{
    if (FFontColor == Value)
        return;
    FFontColor = Value;
    ContentChanged();
}

void TUCLBaseGraphicButton::SetUseCaption(bool Value)
{
    if (FUseCaption == Value)
        return;
    FUseCaption = Value;
    ContentChanged();
}

void TUCLBaseGraphicButton::SetEnterColor(TColor Value)
{
    if (FEnterColor == Value)
        return;
    FEnterColor = Value;
    ContentChanged();
}

void TUCLBaseGraphicButton::SetEnterColorChange(bool Value)
{
    if (FEnterColorChange == Value)
        return;
    FEnterColorChange = Value;
    ContentChanged();
}

void TUCLBaseGraphicButton::SetMultiLine(bool Value)
{
    if (FMultiLine == Value)
        return;
    FMultiLine = Value;
    ContentChanged();
}

void TUCLBaseGraphicButton::SetDropDownMenu(QMenu* Value)
{
    if (FDropDownMenu == Value)
        return;
    FDropDownMenu = Value;
    if (FDropDownCombo)
        ContentChanged();
}

void TUCLBaseGraphicButton::SetDropDownIndent(Integer Value)
{
    if (FDropDownIndent == Value)
        return;
    FDropDownIndent = Value;
    ContentChanged();
}

void TUCLBaseGraphicButton::SetDropDownRight(bool Value)
{
    if (FDropDownRight == Value)
        return;
    FDropDownRight = Value;
    ContentChanged();
}

void TUCLBaseGraphicButton::SetDropDownCombo(bool Value)
{
    if (FDropDownCombo == Value)
        return;
    FDropDownCombo = Value;
    resize(width() + (Value ? FDropDownComboWidth : -FDropDownComboWidth), height());
    ContentChanged();
}

void TUCLBaseGraphicButton::SetDropDownComboWidth(Integer Value)
{
    if (FDropDownComboWidth == Value)
        return;
    if (FDropDownCombo)
        resize(width() + Value - FDropDownComboWidth, height());
    FDropDownComboWidth = Value;
    ContentChanged();
}

void TUCLBaseGraphicButton::SetGroupIndex(Integer Value)
{
    if (FGroupIndex == Value)
        return;
    FGroupIndex = Value;
    NotifyGroup();
}

void TUCLBaseGraphicButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value)
        return;
    FAllowAllUp = Value;
    NotifyGroup();
}

void TUCLBaseGraphicButton::SetPressed(bool Value)
{
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FPressed || (FPressed && !FAllowAllUp))
        return;
    FPressed = Value;
    if (Value) {
        SetState(bsDown, true);
        NotifyGroup();
    } else {
        SetState(bsUp, true);
    }
}

void TUCLBaseGraphicButton::NotifyGroup()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    for (QObject* child : parentWidget()->children())
        if (auto* button = qobject_cast<TUCLBaseGraphicButton*>(child))
            button->ButtonPressed(this);
}

void TUCLBaseGraphicButton::ButtonPressed(TUCLBaseGraphicButton* Sender)
{
    if (Sender == this || Sender->FGroupIndex != FGroupIndex)
        return;
    if (Sender->FPressed && FPressed) {
        FPressed = false;
        const Byte state = FState == bsHot && GlyphChangesOnHot() ? bsHot : isEnabled() ? bsUp : bsDisabled;
        SetState(state, true);
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

void TUCLBaseGraphicButton::SetGlyph(const QImage& Value)
{
    SetImageList(nullptr);
    FGlyph.SetBitmap(Value);
    ContentChanged();
}

void TUCLBaseGraphicButton::SetNumGlyphs(Integer Value)
{
    if (Value == FGlyph.NumGlyphs())
        return;
    FGlyph.SetNumGlyphs(Value);
    ContentChanged();
}

void TUCLBaseGraphicButton::ImageListChanged()
{
    auto* list = dynamic_cast<TUCLCustomImageList*>(ImageList());
    if (!list)
        return;
    QImage image;
    if (list->IsValid(ListIndex(), ImageIndex()))
        list->GetBitmap(ListIndex(), ImageIndex(), &image);
    FGlyph.SetBitmap(image);
    ContentChanged();
}

void TUCLBaseGraphicButton::FontChanged(bool FromFontFX)
{
    // A turned caption needs an outline font.
    if (FFontFX.Angle() != 0 && !IsTrueTypeFont(font())) {
        if (FromFontFX) {
            QFont f = font();
            f.setFamily(QString::fromLatin1(ArialFamily));
            setFont(f);
        } else {
            FFontFX.SetAngle(0);
        }
    }
    ContentChanged();
}

void TUCLBaseGraphicButton::SetState(Byte S, bool Force)
{
    if (!Force && S == FState)
        return;
    const auto between = [&](Byte a, Byte b) { return (FState == a && S == b) || (FState == b && S == a); };
    bool repaint = true;
    if (between(bsUp, bsHot) && !GlyphChangesOnHot() && !FaceChangesOnHot() && FGlyph.NumGlyphs() <= 2 &&
        !FEnterColorChange && !IsSpecialShape())
        repaint = false;
    if (FGlyph.NumGlyphs() < 3 && between(bsHot, bsDown))
        repaint = false;
    FPreviousState = S == bsHot && FState != bsDown ? Byte(bsUp) : FState;
    const Byte before = FState;
    FState = S;
    if (repaint && isVisible())
        ContentChanged();
    if (before == bsHot && S != bsHot)
        FHoverTimer.reset();
    if (S == bsHot && !FPressed && !FHoverTimer)
        FHoverTimer = std::make_unique<TUCLTimer>(Word(100), [this](TPersistent*) { CheckMouseLeave(); }, true,
                                                  UseGlobalTimer);
}

bool TUCLBaseGraphicButton::CursorInside() const
{
    const QPoint p = mapFromGlobal(QCursor::pos());
    return p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
}

void TUCLBaseGraphicButton::CheckMouseLeave()
{
    if (!CursorInside() && isEnabled() && !FPressed)
        SetState(bsUp, false);
}

void TUCLBaseGraphicButton::Click()
{
    if (OnClick)
        OnClick(this);
}

void TUCLBaseGraphicButton::DropDown()
{
    if (!FDropDownMenu || FState == bsDropped)
        return;
    SetState(bsDropped, false);
    if (OnDropDown)
        OnDropDown(this);
    // The menu may be gone after the drop-down event.
    if (FDropDownMenu) {
        const QPoint at = FDropDownRight ? QPoint(width(), FDropDownIndent) : QPoint(FDropDownIndent, height());
        PopupMenuAt(*FDropDownMenu, mapToGlobal(at));
    }
    SetState(bsHot, false);
}

void TUCLBaseGraphicButton::RepeatTimerTick()
{
    if (FState != bsPushed)
        return;
    FRepeatTimer->SetInterval(RepeatingInterval);
    DoRepeatClick();
}

void TUCLBaseGraphicButton::mousePressEvent(QMouseEvent* Event)
{
    TUCLBaseControl::mousePressEvent(Event);
    if (Event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (FDropDownMenu) {
        if (FState == bsDropped) {
            SetState(bsHot, false);
            return;
        }
        if (!FDropDownCombo || Event->position().x() >= width() - FDropDownComboWidth) {
            DropDown();
            return;
        }
    }
    FCaptured = true;
    if (FState == bsHot && FPreviousState == bsDown && FGroupIndex != 0) {
        SetState(bsDown, false);
    } else if (!FPressed) {
        SetState(bsPushed, false);
        if (RepeatedClick) {
            DoRepeatClick();
            FRepeatTimer = std::make_unique<TUCLTimer>(RepeatingDelay, [this](TPersistent*) { RepeatTimerTick(); },
                                                       true, UseGlobalTimer);
        }
    }
}

void TUCLBaseGraphicButton::mouseMoveEvent(QMouseEvent* Event)
{
    if (FState == bsDropped)
        return;
    TUCLBaseControl::mouseMoveEvent(Event);
    if (!isEnabled())
        return;
    const QPoint p = Event->position().toPoint();
    const bool inside = p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height();
    if (FCaptured && (inside || FGroupIndex == 0 || FState == bsPushed))
        SetState(inside ? (FPressed ? bsDown : bsPushed) : bsUp, false);
    if (inside && FState == bsUp)
        SetState(bsHot, false);
}

void TUCLBaseGraphicButton::mouseReleaseEvent(QMouseEvent* Event)
{
    if (FState == bsDropped)
        return;
    TUCLBaseControl::mouseReleaseEvent(Event);
    if (Event->button() != Qt::LeftButton || !FCaptured)
        return;
    FCaptured = false;
    FRepeatTimer.reset();
    const QPoint p = Event->position().toPoint();
    const bool inside = p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
    Byte state;
    if (inside) {
        if (FGroupIndex != 0) {
            if (FPressed && !FAllowAllUp)
                return;
            SetPressed(!FPressed);
            state = FPressed ? bsDown : bsUp;
        } else {
            state = isEnabled() ? Byte(bsHot) : FState;
        }
        if (FGlyph.NumGlyphs() < 3 && !GlyphChangesOnHot())
            SetState(state, false);
    } else {
        state = FGroupIndex != 0 && FPressed ? bsDown : bsUp;
        if (FState != bsDisabled && FState != bsDownDisabled)
            SetState(state, false);
    }
    if (inside && !RepeatedClick)
        Click();
    if (FGlyph.NumGlyphs() > 2 || GlyphChangesOnHot())
        SetState(CursorInside() && !FPressed ? Byte(bsHot) : state, false);
}

void TUCLBaseGraphicButton::mouseDoubleClickEvent(QMouseEvent* Event)
{
    mousePressEvent(Event);
    if (FPressed && OnDblClick)
        OnDblClick(this);
}

void TUCLBaseGraphicButton::MouseEnter()
{
    TUCLBaseControl::MouseEnter();
    if (!isEnabled())
        return;
    if (FState == bsDown && HotWhileDown())
        SetState(bsDown, true);
    else if (FState == bsUp)
        SetState(bsHot, false);
}

void TUCLBaseGraphicButton::MouseExit()
{
    TUCLBaseControl::MouseExit();
    if (FState == bsHot)
        SetState(FPreviousState, false);
    else if (FState == bsDown && HotWhileDown())
        SetState(bsDown, true);
    if (HideHint)
        QToolTip::hideText();
}

void TUCLBaseGraphicButton::changeEvent(QEvent* Event)
{
    TUCLBaseControl::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange)
        SetState(isEnabled() ? (FPressed ? bsDown : bsUp) : (FPressed ? bsDownDisabled : bsDisabled), true);
    else if (Event->type() == QEvent::FontChange)
        FontChanged(false);
}

void TUCLBaseGraphicButton::DrawCaptionAndGlyph(QPainter& Canvas, const TRect& R)
{
    Canvas.setFont(font());
    const bool entered = FState == bsHot || FState == bsDown || FState == bsPushed || FState == bsDropped;
    Canvas.setPen(ColorToQColor(FEnterColorChange && entered ? FEnterColor : FFontColor));
    const Cardinal options = isEnabled() ? goEnabled : 0;
    const Cardinal format = layoutDirection() == Qt::RightToLeft ? 0x00020000 : 0;   // DT_RTLREADING
    FGlyph.Paint(Canvas, GetCaptionText(), &FFontFX, R, FState, FButtonLayout, options, FMultiLine, format);
}

void TUCLBaseGraphicButton::UpdateShortcut()
{
    delete FShortcut;
    FShortcut = nullptr;
    const QKeySequence key = QKeySequence::mnemonic(FCaption);
    if (key.isEmpty())
        return;
    FShortcut = new QShortcut(key, this);
    connect(FShortcut, &QShortcut::activated, this, [this] { Accelerator(); });
}

void TUCLBaseGraphicButton::Accelerator()
{
    if (!isEnabled() || !isVisible() || !parentWidget() || !parentWidget()->isEnabled())
        return;
    if (FDropDownMenu) {
        if (FState == bsDropped)
            SetState(bsHot, false);
        else
            DropDown();
    } else if (FGroupIndex != 0) {
        if (FAllowAllUp || FState != bsDown) {
            SetPressed(!FPressed);
            if (FPressed)
                Click();
        }
    } else {
        Click();
    }
}
