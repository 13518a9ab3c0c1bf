#include "ui/controls/UCLBaseEdit.h"

#include "platform/Caret.h"
#include "platform/GdiDraw.h"
#include "platform/PopupMenu.h"
#include "platform/VirtualKeys.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

namespace {

// The shift-state byte of an input event as edit-mode flags.
TUCLEditMode EditModeOf(Byte Shift)
{
    return TUCLEditMode((Shift & ShiftBit ? emShift : 0) | (Shift & AltBit ? emAlt : 0) | (Shift & CtrlBit ? emControl : 0));
}

} // namespace

TUCLBaseEdit::TUCLBaseEdit(QWidget* Parent) : TUCLCustomBevelPanel(Parent), FCaret(this)
{
    resize(width(), 21);
    setCursor(Qt::IBeamCursor);
    SetColor(clWindow);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled);
    Bevel().SetMode(TUCLBevelMode::bmWindows);
    FFont3D.OnChange = [this](TPersistent* Sender) {
        GetChange(Sender);
        UpdateCaretHeight();
    };
    UpdateTextRects();
}

TUCLBaseEdit::~TUCLBaseEdit()
{
    FFont3D.OnChange = nullptr;
    StopSelectionTimer();
    if (Dragging())
        QGuiApplication::restoreOverrideCursor();
}

void TUCLBaseEdit::SetOptions(TUCLEditOptions Value)
{
    FOptions = Value;
    FTextInset = (Value & eoNarrowHeight) ? 0 : 1;
    UpdateTextRects();
}

void TUCLBaseEdit::SetFontColor(TColor Value)
{
    if (FFontColor == Value)
        return;
    FFontColor = Value;
    RepaintText(-1);
}

void TUCLBaseEdit::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    FScrollOffset = 0;
    AlignmentChanged();
    RepaintText(-1);
    UpdateCaret();
}

void TUCLBaseEdit::UpdateTextRects()
{
    if (IsUpdating())
        return;
    FClientRect = BevelClientRect();
    FTextAreaRect = FClientRect;
    AdjustTextRect(FTextAreaRect);
    FTextRect = TRect{FTextAreaRect.Left + 1, FTextAreaRect.Top + FTextInset, FTextAreaRect.Right - 1,
                      FTextAreaRect.Bottom - FTextInset};
    TextRectsChanged();
}

QFont TUCLBaseEdit::TextFont() const
{
    QFont font = CurrentFont();
    if (FFont3D.Tracing() != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, FFont3D.Tracing());
    return font;
}

Integer TUCLBaseEdit::TextWidth(const QString& S) const
{
    if (S.isEmpty())
        return 0;
    return QFontMetrics(TextFont()).horizontalAdvance(S);
}

Integer TUCLBaseEdit::TextHeight(const QString&) const
{
    using T = TUCLThreeDStyle;
    const T style = FFont3D.Style();
    const bool shadow = style == T::tdSunkenShadow || style == T::tdRaisedShadow || style == T::tdShadow;
    return QFontMetrics(CurrentFont()).height() + (shadow ? FFont3D.ShadowDepth() : 0);
}

void TUCLBaseEdit::EndUpdate(bool Repaint)
{
    TUCLCustomControl::EndUpdate(false);
    if (Repaint && !IsUpdating())
        RepaintText(-1);
}

void TUCLBaseEdit::SetCaretPixelPos(Integer X, Integer Y)
{
    if (FCaret.Style == TUCLCaretStyles::csUnder)
        Y += TextHeight(QStringLiteral("Qp")) - 3;
    else if (FCaret.Style == TUCLCaretStyles::csUnderBlock)
        Y += TextHeight(QStringLiteral("Qp")) - FCaret.Height() - 2;
    FCaret.SetCaretPos(X, Y);
}

void TUCLBaseEdit::UpdateCaretHeight()
{
    FCaret.SetSize(4, Word(TextHeight(QStringLiteral("Qp"))));
    if (FCaret.Created()) {
        const bool shown = FCaret.Shown();
        FCaret.CreateCaret();
        if (shown)
            FCaret.ShowCaret();
        UpdateCaret();
    }
}

void TUCLBaseEdit::EraseTextBackground(QPainter& Painter, const TRect& R)
{
    if (!DrawsParentBackground())
        FillRect(Painter, R, CurrentColor());
}

void TUCLBaseEdit::SelectNextControl()
{
    focusNextPrevChild(true);
}

void TUCLBaseEdit::DragCursorChanged(bool Dragging)
{
    if (Dragging)
        QGuiApplication::setOverrideCursor(Qt::DragMoveCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void TUCLBaseEdit::GetChange(TPersistent* Sender)
{
    TUCLCustomBevelPanel::GetChange(Sender);
    UpdateTextRects();
}

void TUCLBaseEdit::Paint(QPainter& Painter)
{
    if (IsUpdating())
        return;
    UpdateCaret();
    TUCLCustomBevelPanel::Paint(Painter);
    PaintText(Painter);
    PaintCaret(Painter, this);
}

void TUCLBaseEdit::resizeEvent(QResizeEvent* Event)
{
    TUCLCustomBevelPanel::resizeEvent(Event);
    UpdateTextRects();
    UpdateCaret();
}

void TUCLBaseEdit::keyPressEvent(QKeyEvent* Event)
{
    Word key = VirtualKeyOfEvent(*Event);
    const Byte shift = ShiftStateOfEvent(*Event);
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    const bool enter = key == VK_RETURN, escape = key == VK_ESCAPE;
    KeyDown(key, EditModeOf(shift));
    // Characters as typing produces them: none with Ctrl or Alt alone
    // (commands and menu keys; both together are AltGr), and no control
    // characters (Delete gives 127 here).
    if (bool(shift & AltBit) == bool(shift & CtrlBit)) {
        for (QChar c : Event->text())
            if (c.unicode() != 127)
                KeyPress(c);
    }
    // Enter and Escape also reach the dialog (default and cancel buttons),
    // unless Enter moved the focus on.
    if (escape || (enter && !(TabOnEnter && !(shift & CtrlBit))))
        Event->ignore();
    else
        Event->accept();
}

void TUCLBaseEdit::keyReleaseEvent(QKeyEvent* Event)
{
    Word key = VirtualKeyOfEvent(*Event);
    const Byte shift = ShiftStateOfEvent(*Event);
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
    KeyUp(key, EditModeOf(shift));
}

void TUCLBaseEdit::inputMethodEvent(QInputMethodEvent* Event)
{
    for (QChar c : Event->commitString())
        KeyPress(c);
    Event->accept();
}

QVariant TUCLBaseEdit::inputMethodQuery(Qt::InputMethodQuery Query) const
{
    switch (Query) {
    case Qt::ImEnabled: return isEnabled() && !ReadOnly();
    case Qt::ImCursorRectangle: {
        const TRect r = CaretRect();
        return QRect(r.Left, r.Top, r.Width(), r.Height());
    }
    default: return TUCLCustomBevelPanel::inputMethodQuery(Query);
    }
}

void TUCLBaseEdit::mousePressEvent(QMouseEvent* Event)
{
    TUCLCustomBevelPanel::mousePressEvent(Event);
    if (Event->button() != Qt::LeftButton || !isEnabled())
        return;
    // A Shift-click extends the selection: the shared edit mode takes the
    // modifiers of the click itself.
    TakeShiftState(EditModeOf(ShiftStateOfEvent(*Event)));
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const QPoint p = Event->position().toPoint();
    MouseDown(p.x(), p.y());
    if (!FSelectionTimer)
        FSelectionTimer = std::make_unique<TUCLTimer>(
            Word(200), [this](TPersistent*) { SelectionTimerTick(); }, true, UseGlobalTimer);
}

void TUCLBaseEdit::mouseMoveEvent(QMouseEvent* Event)
{
    TUCLCustomBevelPanel::mouseMoveEvent(Event);
    if (!isEnabled())
        return;
    const QPoint p = Event->position().toPoint();
    MouseMove(p.x(), p.y(), Event->buttons() == Qt::LeftButton);
}

void TUCLBaseEdit::mouseReleaseEvent(QMouseEvent* Event)
{
    TUCLCustomBevelPanel::mouseReleaseEvent(Event);
    const QPoint p = Event->position().toPoint();
    if (Event->button() == Qt::RightButton) {
        if (isEnabled())
            ShowContextMenu(p);
        return;
    }
    if (Event->button() != Qt::LeftButton)
        return;
    StopSelectionTimer();
    MouseUp();
    if (rect().contains(p) && OnClick)
        OnClick(this);
}

void TUCLBaseEdit::mouseDoubleClickEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton)
        return;
    if (OnDblClick)
        OnDblClick(this);
    if (isEnabled())
        DoubleClick();
}

void TUCLBaseEdit::StopSelectionTimer()
{
    FSelectionTimer.reset();
}

void TUCLBaseEdit::focusInEvent(QFocusEvent* Event)
{
    // A pop-up menu (the edit's own) does not take the focus away.
    if (Event->reason() == Qt::PopupFocusReason)
        return;
    TUCLCustomBevelPanel::focusInEvent(Event);
    UpdateTextRects();
    if (FCaret.Style == TUCLCaretStyles::csDefault)
        FCaret.SetSize(4, Word(TextHeight(QStringLiteral("Qp"))));
    FCaret.CreateCaret();
    FCaret.ShowCaret();
    FSelectionHidden = false;
    if (AutoSelect() && Event->reason() != Qt::MouseFocusReason)
        SelectAll();
    if (SelLength() > 0)
        RepaintText(-1);
    UpdateCaret();
    if (OnEnter)
        OnEnter(this);
}

void TUCLBaseEdit::focusOutEvent(QFocusEvent* Event)
{
    if (Event->reason() == Qt::PopupFocusReason)
        return;
    if (HideSelection() && SelLength() > 0) {
        FSelectionHidden = true;
        RepaintText(-1);
    }
    TUCLCustomBevelPanel::focusOutEvent(Event);
    FCaret.DestroyCaret();
    if (OnExit)
        OnExit(this);
}

void TUCLBaseEdit::changeEvent(QEvent* Event)
{
    TUCLCustomBevelPanel::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange)
        RepaintText(-1);
    else if (Event->type() == QEvent::FontChange)
        UpdateCaretHeight();
}

void TUCLBaseEdit::MouseEnter()
{
    if (FocusOnMouseAbove() && isEnabled() && !hasFocus())
        setFocus(Qt::OtherFocusReason);
    TUCLCustomBevelPanel::MouseEnter();
}

void TUCLBaseEdit::ShowContextMenu(QPoint Pos)
{
    const QPoint global = mapToGlobal(Pos);
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(this, global, handled);
    if (handled || (FOptions & eoSuppressDefaultMenu))
        return;
    if (PopupMenu) {
        PopupMenuAt(*PopupMenu, global);
        return;
    }
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const bool selected = SelLength() > 0;
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Undo"), [this] { Undo(); })->setEnabled(CanUndo());
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Cut"), [this] { CutToClipboard(); })->setEnabled(selected && !ReadOnly());
    menu.addAction(QStringLiteral("&Copy"), [this] { CopyToClipboard(); })->setEnabled(selected);
    menu.addAction(QStringLiteral("&Paste"), [this] { PasteFromClipboard(); })
        ->setEnabled(clip && clip->hasText() && !ReadOnly());
    menu.addAction(QStringLiteral("&Delete"), [this] { ReplaceSelection(QString()); })->setEnabled(selected);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Select all"), [this] { SelectAll(); })->setEnabled(!FText.isEmpty());
    PopupMenuAt(menu, global);
}
