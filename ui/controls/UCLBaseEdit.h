// The windowed text-editing control under the library's edits: the edit
// engine on a bevel panel, with the caret, the layout of the text area,
// keyboard and mouse input, focus handling, the selection timer and the
// right-button menu. Drawing the text and hit-testing are the single-line
// edit's (TUCLCustomEdit).
#pragma once

#include "platform/Colors.h"
#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLCaret.h"
#include "ui/controls/UCLEditEngine.h"
#include "ui/controls/UCLPanel.h"
#include "ui/controls/UCLTimerPool.h"

#include <QPointer>

#include <memory>

class QMenu;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TUCLEditOption : Byte { eoNarrowHeight = 0x01, eoSuppressDefaultMenu = 0x02 };
using TUCLEditOptions = Byte;

// Key events of the control: the virtual-key code (which a handler may set
// to 0) and the shift-state byte (0x01 Shift, 0x02 Alt, 0x04 Ctrl).
using TKeyEvent = std::function<void(TPersistent* Sender, Word& Key, Byte Shift)>;
using TContextPopupEvent = std::function<void(TPersistent* Sender, QPoint MousePos, bool& Handled)>;

class TUCLBaseEdit : public TUCLCustomBevelPanel, public TUCLEditEngine, public IUCLFaceEdit {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLBaseEdit, TUCLCustomBevelPanel)
public:
    explicit TUCLBaseEdit(QWidget* Parent = nullptr);
    ~TUCLBaseEdit() override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TContextPopupEvent OnContextPopup;
    // Shown on a right click instead of the edit's own menu.
    QPointer<QMenu> PopupMenu;

    TUCLCaret& Caret() { return FCaret; }
    // The text's 3D style and the extra pixels between characters.
    TUCL3DCaption& Font3D() { return FFont3D; }
    const TUCL3DCaption& Font3D() const { return FFont3D; }
    void SetFont3D(const TUCL3DCaption& Value) { FFont3D.Assign(Value); }
    TUCLEditOptions Options() const { return FOptions; }
    void SetOptions(TUCLEditOptions Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The font's colour (Qt's fonts carry none).
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);
    TColor HighlightText = clHighlightText;
    TColor HighlightBack = clHighlight;
    bool UseGlobalTimer = false;

    // The client area inside the border and bevel, the part of it the text
    // may use (custom buttons and the spin button take the rest) and the
    // text rectangle inside that.
    const TRect& ClientRectangle() const { return FClientRect; }
    const TRect& TextAreaRect() const { return FTextAreaRect; }
    const TRect& TextRect() const { return FTextRect; }
    void UpdateTextRects();

    // The font with Font3D's extra spacing between characters.
    QFont TextFont() const;
    // The width of S drawn with that font; 0 for an empty S.
    Integer TextWidth(const QString& S) const;
    // The font's height, plus the shadow of the shadow styles.
    virtual Integer TextHeight(const QString& S) const;

    // The update bracket of the control serves the engine too.
    void BeginUpdate() override { TUCLCustomControl::BeginUpdate(); }
    void EndUpdate(bool Repaint) override;
    bool IsUpdating() const override { return TUCLCustomControl::IsUpdating(); }

    bool IsReadOnlyState() const override { return ReadOnly(); }
    // IUCLFaceEdit; no edit of the library marks its data wrong.
    bool StateModified() const override { return Modified(); }
    bool StateReadOnly() const override { return ReadOnly(); }
    bool StateWrongData() const override { return false; }
    bool SelectionTimerRunning() const { return FSelectionTimer != nullptr; }
    TUCLTimer* SelectionTimer() const { return FSelectionTimer.get(); }

protected:
    // Narrows the text area (the custom buttons, the spin button).
    virtual void AdjustTextRect(TRect& TextArea) {}
    virtual void TextRectsChanged() {}
    virtual void AlignmentChanged() {}
    // Places the caret at (X, Y), lowered for the underline styles.
    void SetCaretPixelPos(Integer X, Integer Y);
    // The text area's background (the control's colour unless a parent
    // supplies the background).
    void EraseTextBackground(QPainter& Painter, const TRect& R);
    void UpdateCaretHeight();

    TPersistent* EventSender() override { return this; }
    bool IsEnabled() const override { return isEnabled(); }
    void SelectNextControl() override;
    void DragCursorChanged(bool Dragging) override;
    void RepaintText(Integer Position) override { update(); }

    // The text itself (the single-line edit draws it).
    virtual void PaintText(QPainter& Painter) {}

    void GetChange(TPersistent* Sender) override;
    void Paint(QPainter& Painter) override;
    void resizeEvent(QResizeEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    // Characters composed by the input method (dead keys) are typed.
    void inputMethodEvent(QInputMethodEvent* Event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void MouseEnter() override;

    Integer FTextInset = 1;

private:
    void StopSelectionTimer();
    void ShowContextMenu(QPoint Pos);

    TUCLCaret FCaret;
    TUCL3DCaption FFont3D;
    TUCLEditOptions FOptions = 0;
    TAlignment FAlignment = taLeftJustify;
    TColor FFontColor = clWindowText;
    TRect FClientRect;
    TRect FTextAreaRect;
    TRect FTextRect;
    std::unique_ptr<TUCLTimer> FSelectionTimer;
};
