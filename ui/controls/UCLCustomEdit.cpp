#include "ui/controls/UCLCustomEdit.h"

#include "platform/GdiDraw.h"
#include "ui/controls/UCLEditAutoComplete.h"
#include "ui/controls/UCLSBtn.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

TUCLCustomEdit::TUCLCustomEdit(QWidget* Parent)
    : TUCLBaseEdit(Parent), FCustomButtons(std::make_unique<TUCLSpecialButtons>(this))
{
    FSelectAllToEnd = true;
}

// The buttons go before the control: each item frees its speed button.
TUCLCustomEdit::~TUCLCustomEdit() = default;

void TUCLCustomEdit::SetCustomButtons(const TUCLSpecialButtons& Value)
{
    FCustomButtons->Assign(Value);
}

void TUCLCustomEdit::SetCustomButtonWidth(Integer Value)
{
    if (FCustomButtonWidth == Value)
        return;
    FCustomButtonWidth = Value;
    LayoutButtons();
}

void TUCLCustomEdit::SetCustomButtonsStyle(TUCLUserButtonStyle Value)
{
    if (FCustomButtonsStyle == Value)
        return;
    FCustomButtonsStyle = Value;
    if (!IsUpdating())
        LayoutButtons();
}

void TUCLCustomEdit::SetCustomButtonParentCtlXP(bool Value)
{
    if (FCustomButtonParentCtlXP == Value)
        return;
    FCustomButtonParentCtlXP = Value;
    if (Value)
        SetButtonsCtlXP(CtlXP());
}

void TUCLCustomEdit::SetButtonsCtlXP(bool Value)
{
    for (Integer i = 0; i < FCustomButtons->Count(); ++i)
        FCustomButtons->GetItem(i)->SetCtlXP(Value);
}

void TUCLCustomEdit::ThemeChanged()
{
    TUCLBaseEdit::ThemeChanged();
    if (FCustomButtonParentCtlXP && FCustomButtons)
        SetButtonsCtlXP(CtlXP());
}

void TUCLCustomEdit::LayoutButtons()
{
    UpdateTextRects();
    update();
}

void TUCLCustomEdit::DoButtonClick(TUCLSpeedButton* Button, Integer Index)
{
    if (OnBtnClick)
        OnBtnClick(this, Button, Index);
}

void TUCLCustomEdit::AdjustTextRect(TRect& TextArea)
{
    if (!FCustomButtons)
        return;
    const Integer n = FCustomButtons->Count();
    TextArea.Right -= n * FCustomButtonWidth + 1;
    for (Integer i = 0; i < n; ++i) {
        TUCLSpeedButton& button = FCustomButtons->GetItem(i)->Button();
        button.SetButtonStyle(FCustomButtonsStyle);
        button.setGeometry(TextArea.Right + 1 + i * FCustomButtonWidth, TextArea.Top, FCustomButtonWidth,
                           TextArea.Height());
    }
}

void TUCLCustomEdit::SetPasswordChar(QChar Value)
{
    if (FPasswordChar == Value)
        return;
    FPasswordChar = Value;
    TextChangedAt(1);
}

QString TUCLCustomEdit::GetDisplayText() const
{
    if (FPasswordChar.isNull())
        return FText;
    return QString(FText.size(), FPasswordChar);
}

void TUCLCustomEdit::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    AdjustHeight();
}

void TUCLCustomEdit::AdjustHeight()
{
    if (!FAutoSize)
        return;
    const Integer h = TextHeight(QStringLiteral("Qp")) * 5 / 4;
    const Integer height = Bevel().Mode() == TUCLBevelMode::bmWindows ? h + 5 : h + 2 * Bevel().BevelExtent();
    resize(std::max(width(), FCustomButtons->Count() * FCustomButtonWidth + 30), height);
}

void TUCLCustomEdit::changeEvent(QEvent* Event)
{
    TUCLBaseEdit::changeEvent(Event);
    if (Event->type() == QEvent::FontChange)
        AdjustHeight();
}

void TUCLCustomEdit::GetChange(TPersistent* Sender)
{
    TUCLBaseEdit::GetChange(Sender);
    if (Sender == &Bevel())
        AdjustHeight();
}

void TUCLCustomEdit::TextAssigned()
{
    SetIntegerOption(2, 0);
    TextChangedAt(1);
    UpdateCaret();
}

void TUCLCustomEdit::TextChangedAt(Integer At)
{
    FDisplayText = GetDisplayText();
    TUCLBaseEdit::TextChangedAt(At);
}

void TUCLCustomEdit::EditKeyDown(Word& Key, TUCLEditMode Shift)
{
    if (Key == VK_UP)
        Key = VK_LEFT;
    else if (Key == VK_DOWN)
        Key = VK_RIGHT;
    TUCLBaseEdit::EditKeyDown(Key, Shift);
    if (Key == VK_RETURN && FAutoComplete && (FAutoComplete->AddUnknownOn & aaControlReturn))
        FAutoComplete->AddUnknown(this, GetText());
}

TUCLEditAutoComplete* TUCLCustomEdit::AutoComplete() const
{
    return FAutoComplete;
}

void TUCLCustomEdit::SetAutoComplete(TUCLEditAutoComplete* Value)
{
    FAutoComplete = Value;
}

bool TUCLCustomEdit::AutoCompleteActive() const
{
    return FAutoComplete && FAutoComplete->Enabled && (FAutoComplete->Mode & amText);
}

void TUCLCustomEdit::AfterEdit()
{
    TUCLBaseEdit::AfterEdit();
    if (FAutoComplete)
        FAutoComplete->Complete(this, GetText());
}

bool TUCLCustomEdit::event(QEvent* Event)
{
    // The edit handles the event first; the auto-complete then follows up.
    const bool handled = TUCLBaseEdit::event(Event);
    if (FAutoComplete)
        FAutoComplete->EditEvent(this, Event);
    return handled;
}

void TUCLCustomEdit::focusOutEvent(QFocusEvent* Event)
{
    TUCLBaseEdit::focusOutEvent(Event);
    if (Event->reason() != Qt::PopupFocusReason && FAutoComplete && (FAutoComplete->AddUnknownOn & aaControlExit))
        FAutoComplete->AddUnknown(this, GetText());
}

Integer TUCLCustomEdit::TextBaseX() const
{
    const TRect& r = TextRect();
    switch (Alignment()) {
    case taRightJustify: return r.Right - TextWidth(FDisplayText);
    case taCenter: return r.Left + (r.Width() - TextWidth(FDisplayText)) / 2;
    case taLeftJustify: break;
    }
    return r.Left;
}

void TUCLCustomEdit::UpdateCaret()
{
    if (!hasFocus() || !Caret().Enabled)
        return;
    using T = TUCLThreeDStyle;
    const TUCL3DCaption& font3D = Font3D();
    const T style = font3D.Style();
    Integer base = TextBaseX() - 1;
    if (style == T::tdSunken || style == T::tdSunkenShadow)
        base += font3D.ShadowDepth();
    else if (style == T::tdRaised || style == T::tdRaisedShadow)
        base += font3D.LightDepth();
    const bool extrudeLeft = (style == T::tdExtrude || style == T::tdExtrudeEnh) &&
                             (font3D.Orientation() == TUCLThreeDOrientation::toBottomLeft ||
                              font3D.Orientation() == TUCLThreeDOrientation::toTopLeft);
    const TRect& r = TextRect();
    const auto caretX = [&] {
        Integer x;
        if (FDisplayText.isEmpty())
            x = Alignment() == taLeftJustify ? r.Left : Alignment() == taRightJustify ? r.Right : r.Left + r.Width() / 2;
        else
            x = TextWidth(FDisplayText.left(CaretPos() - 1)) - FScrollOffset + base;
        return extrudeLeft ? x + font3D.ShadowDepth() : x;
    };
    Integer x = caretX();
    if (x > r.Right) {
        FScrollOffset += (x - r.Right) + r.Left + 2;
        RepaintText(-1);
    }
    if (x < r.Left && FScrollOffset != 0) {
        FScrollOffset = std::max(FScrollOffset - (std::abs(x) + r.Left) - 2, 0);
        RepaintText(-1);
    }
    x = caretX();
    FCaretPixel = TPoint{x + 1, r.Top};
    SetCaretPixelPos(x + 1, r.Top);
}

Integer TUCLCustomEdit::PosFromPoint(Integer X, Integer)
{
    const Integer base = TextBaseX();
    const Integer length = Integer(FDisplayText.size());
    for (Integer n = 1;; ++n) {
        if (n >= length + 1)
            return n;
        const Integer middle = base + TextWidth(FDisplayText.left(n)) - FScrollOffset -
                               TextWidth(FDisplayText.mid(n - 1, 1)) / 2;
        if (middle >= X)
            return n;
    }
}

void TUCLCustomEdit::PaintText(QPainter& Painter)
{
    const TRect area = TextAreaRect();
    EraseTextBackground(Painter, area);
    AfterEraseBackground(Painter, area);

    const TRect textRect = TextRect();
    TRect r = textRect;
    Painter.save();
    Painter.setClipRect(QRect(area.Left, area.Top, area.Width(), area.Height()));
    if (FScrollOffset != 0) {
        Painter.setClipRect(QRect(r.Left, r.Top, r.Width(), r.Height()));
        r.Left -= FScrollOffset;
    }
    if (Alignment() == taRightJustify)
        r.Left = r.Right - TextWidth(FDisplayText);
    else if (Alignment() == taCenter)
        r.Left = r.Left + (r.Right - r.Left - TextWidth(FDisplayText)) / 2;

    Painter.setFont(CurrentFont());
    const auto drawText = [&](const TRect& at, const QString& s, TColor color) {
        Painter.setPen(ColorToQColor(color));
        PaintCaption3D(Painter, s, &Font3D(), at, DT_SINGLELINE | DT_NOPREFIX, isEnabled() ? pcEnabled : 0);
    };

    // The highlight follows the text's 3D offsets: d to the right, d + e down.
    using T = TUCLThreeDStyle;
    const TUCL3DCaption& font3D = Font3D();
    const Integer light = font3D.LightDepth(), shadow = font3D.ShadowDepth();
    Integer d = 0, e = 0;
    switch (font3D.Style()) {
    case T::tdSunken: e = light; break;
    case T::tdRaised: d = light; break;
    case T::tdSunkenShadow: d = shadow; e = light; break;
    case T::tdRaisedShadow:
    case T::tdExtrudeEnh: d = light; e = shadow; break;
    case T::tdExtrude: d = shadow; break;
    default: break;
    }
    const bool shiftBoth = font3D.Style() == T::tdExtrudeEnh &&
                           (font3D.Orientation() == TUCLThreeDOrientation::toBottomLeft ||
                            font3D.Orientation() == TUCLThreeDOrientation::toTopLeft);
    const Integer dx = shiftBoth ? d + e : d;

    const Integer selStart = std::clamp(SelStart(), 1, Integer(FDisplayText.size()) + 1);
    const Integer selLength = std::clamp(SelLength(), 0, Integer(FDisplayText.size()) + 1 - selStart);
    const bool highlight = selLength > 0 && !SelectionHidden();
    Integer start = 0, end = 0;
    if (highlight) {
        start = r.Left + TextWidth(FDisplayText.left(selStart - 1));
        end = std::min(r.Left + TextWidth(FDisplayText.left(selStart + selLength - 1)), r.Right);
        const Integer bottom = std::min(r.Top + TextHeight(FDisplayText) + d + e, textRect.Bottom);
        FillRect(Painter, TRect{start + dx, r.Top, end + dx, bottom}, HighlightBack);
    }
    drawText(r, FDisplayText, FontColor());
    if (highlight)
        drawText(TRect{start, r.Top, end + d + e, r.Bottom}, FDisplayText.mid(selStart - 1, selLength), HighlightText);
    Painter.restore();
}
