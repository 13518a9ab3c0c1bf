// The text-editing engine under every edit of the library, without a widget:
// the text, the 1-based caret and selection, the key table, typing in insert
// and overwrite mode, the length limit, word and line moves, the clipboard,
// the undo records and the mouse selection with drag-and-move of the selected
// text. A CR LF pair counts as one unit for the caret and for deletions.
// TUCLBaseEdit puts it under a widget; the hooks below are where the widgets
// (and the mask edit's filters) come in.
#pragma once

#include "platform/VirtualKeys.h"
#include "ui/controls/UCLApplication.h"
#include "ui/controls/UCLDynLIFOBuffer.h"

#include <QString>

#include <functional>

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

using TUCLTextChangeEvent = std::function<void(TPersistent* Sender, Integer At)>;
using TKeyPressEvent = std::function<void(TPersistent* Sender, QChar& Key)>;

// One edit as it happened, enough to take it back: the caret and selection
// before it, where the text changed, what was removed and what was put in.
struct TUCLUndoRecord {
    QString NewText;
    QString OldText;
    Integer SelStart = 1;
    Integer SelLength = 0;
    Integer NewLength = 0;
    Integer Caret = 1;
    Integer ChangeStart = 1;
};

class TUCLEditEngine {
public:
    TUCLEditEngine();
    virtual ~TUCLEditEngine();
    TUCLEditEngine(const TUCLEditEngine&) = delete;
    TUCLEditEngine& operator=(const TUCLEditEngine&) = delete;

    TUCLTextChangeEvent OnTextChangedAt;
    TNotifyEvent OnCursorPosChanged;
    TNotifyEvent OnModified;
    TNotifyEvent OnChange;
    TKeyPressEvent OnKeyPress;

    bool TabOnEnter = false;
    TEditCharCase CharCase = TEditCharCase::ecNormal;

    // The stored text (as AdjustGetText leaves it).
    QString GetText() const;
    // Nothing for an unchanged text. Cut to MaxLength; the caret goes to 1,
    // the selection is cleared; no undo record, the modified flag stays.
    void SetText(const QString& Value);
    Integer TextLength() const { return Integer(FText.size()); }

    Integer CaretPos() const { return FCaret; }
    Integer SelStart() const { return FSelStart; }
    Integer SelLength() const { return FSelLength; }
    Integer MaxLength() const { return FMaxLength; }
    bool ReadOnly() const { return FReadOnly; }
    bool Modified() const { return FModified; }
    bool HideSelection() const { return FHideSelection; }
    bool AutoSelect() const { return FAutoSelect; }
    bool OEMConvert() const { return FOEMConvert; }
    bool FocusOnMouseAbove() const { return FFocusOnMouseAbove; }
    bool CanUndo() const { return FCanUndo; }
    const TUCLDynLIFOBuffer& UndoStack() const { return FUndoStack; }
    bool SelectionHidden() const { return FSelectionHidden; }
    Integer ScrollOffset() const { return FScrollOffset; }

    // 0 HideSelection, 1 ReadOnly, 2 modified (OnModified on a change),
    // 4 AutoSelect, 5 OEMConvert, 6 FocusOnMouseAbove.
    virtual void SetBooleanOption(Integer Index, bool Value);
    // 0 MaxLength (an existing longer text stays), 1 selection start (stored
    // only), 2 selection length (0 also puts the start at the caret), 5 caret
    // (clamped; extends the selection while Shift is held or the mouse
    // selects; OnCursorPosChanged on every assignment).
    virtual void SetIntegerOption(Integer Index, Integer Value);

    QString GetSelText() const;
    QString GetTextRange(Integer Start, Integer Count) const;
    // The only way the text changes by editing.
    void ReplaceSelection(QString S);
    // Replaces the range and puts the former selection back.
    void ReplaceRange(Integer Start, Integer Length, const QString& S);

    virtual void SelectAll();
    virtual void Clear();
    virtual void CutToClipboard();
    virtual void CopyToClipboard();
    virtual void PasteFromClipboard();
    void Undo();
    void ClearUndo();

    void CaretToLineStart();
    void CaretToLineEnd();
    void CaretWordLeft();
    void CaretWordRight();
    virtual void SelectWordAtCaret();

    // A key went down or up with the modifiers (emShift, emControl, emAlt):
    // the shared edit mode takes them; KeyDown then runs the key table.
    void KeyDown(Word& Key, TUCLEditMode Shift);
    void KeyUp(Word& Key, TUCLEditMode Shift);
    virtual void EditKeyDown(Word& Key, TUCLEditMode Shift);
    // A typed character: OnKeyPress may change or clear it; control
    // characters go no further; the rest replaces the selection.
    virtual void KeyPress(QChar Key);

    // Mouse selection in text coordinates; PosFromPoint turns them into
    // positions. Selecting only follows the mouse while the left button alone
    // is down.
    void MouseDown(Integer X, Integer Y);
    void MouseMove(Integer X, Integer Y, bool LeftButtonOnly);
    void MouseUp();
    void DoubleClick();
    void SelectionTimerTick();
    bool MouseIsDown() const { return FMouseDown; }
    bool Dragging() const { return FDragging; }

    virtual void BeginUpdate() { ++FUpdateCount; }
    // Ends one level; with Repaint and no level left, the text is repainted.
    virtual void EndUpdate(bool Repaint);
    virtual bool IsUpdating() const { return FUpdateCount > 0; }

protected:
    // The position under a point of the text area.
    virtual Integer PosFromPoint(Integer X, Integer Y) = 0;
    virtual bool CanInsert(const QString& S) { return !FReadOnly; }
    virtual bool CanCopy() const { return true; }
    virtual bool AutoCompleteActive() const { return false; }
    virtual void BeforeEdit() {}
    virtual void AfterEdit() {}
    virtual void BeforeInsert(Integer Position, QString& S) {}
    virtual void AfterDelete(Integer Position, const QString& Deleted) {}
    virtual void AdjustGetText(QString& Text) const {}
    // Text set from outside: selection cleared, TextChangedAt(1).
    virtual void TextAssigned();
    // Unless an update is pending: repaint, OnTextChangedAt, OnChange.
    virtual void TextChangedAt(Integer At);
    virtual void CaretMoved();
    virtual void DoChange();
    virtual void UpdateCaret() {}
    virtual void RepaintText(Integer Position) {}
    virtual bool IsLoading() const { return false; }
    virtual bool IsEnabled() const { return true; }
    // Enter with TabOnEnter: the focus goes to the next control.
    virtual void SelectNextControl() {}
    // The cursor shows a drag of the selected text (or not any more).
    virtual void DragCursorChanged(bool Dragging) {}
    // The object handed to the events as their sender.
    virtual TPersistent* EventSender() { return nullptr; }

    // The text of a CR LF aware edit, 1-based.
    QChar CharAt(Integer Position) const;
    bool IsDelimiter(QChar C) const { return FWordDelimiters.contains(C); }
    // The characters that end words for the word moves; the memo sets more.
    QString FWordDelimiters = QStringLiteral(" ");
    TUCLEditMode EditMode() const { return LibraryApplication().EditMode(); }

    void MouseSelectStep();
    void UpdateSelection();
    // The shared edit mode takes Shift, Ctrl and Alt of a key or mouse event.
    static void TakeShiftState(TUCLEditMode Shift);

    QString FText;
    bool FSelectAllToEnd = false;
    bool FSelectionHidden = true;
    Integer FScrollOffset = 0;

private:
    Integer FCaret = 1;
    Integer FPrevCaret = 1;
    Integer FSelStart = 1;
    Integer FSelLength = 0;
    Integer FMaxLength = 0;
    bool FReadOnly = false;
    bool FModified = false;
    bool FHideSelection = true;
    bool FAutoSelect = false;
    bool FOEMConvert = false;
    bool FFocusOnMouseAbove = false;
    bool FTyping = false;
    bool FDragging = false;
    bool FMouseDown = false;
    bool FMouseSelecting = false;
    bool FCanUndo = false;
    bool FApplyingUndo = false;
    Integer FUpdateCount = 0;
    Integer FMouseX = 0;
    Integer FMouseY = 0;
    TUCLDynLIFOBuffer FUndoStack;
};

// Characters without an equivalent in the OEM code page (850) become "?",
// as the round trip through that code page leaves them.
QString OemRoundTrip(const QString& S);
