#include "ui/controls/UCLEditEngine.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr QChar CR(13);
constexpr QChar LF(10);

// The upper half of code page 850.
constexpr char16_t Oem850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

void FreeUndoRecord(TPersistent*, void* Item)
{
    delete static_cast<TUCLUndoRecord*>(Item);
}

} // namespace

QString OemRoundTrip(const QString& S)
{
    QString result = S;
    for (QChar& c : result) {
        if (c.unicode() < 0x80)
            continue;
        if (std::find(std::begin(Oem850High), std::end(Oem850High), c.unicode()) == std::end(Oem850High))
            c = QLatin1Char('?');
    }
    return result;
}

TUCLEditEngine::TUCLEditEngine()
{
    FUndoStack.OnFreeItem = FreeUndoRecord;
}

TUCLEditEngine::~TUCLEditEngine() = default;

QChar TUCLEditEngine::CharAt(Integer Position) const
{
    if (Position < 1 || Position > TextLength())
        return QChar();
    return FText[Position - 1];
}

QString TUCLEditEngine::GetText() const
{
    QString text = FText;
    AdjustGetText(text);
    return text;
}

void TUCLEditEngine::SetText(const QString& Value)
{
    if (Value == FText)
        return;
    FText = (FMaxLength > 0 && Value.size() > FMaxLength) ? Value.left(FMaxLength) : Value;
    SetIntegerOption(5, 1);
    SetIntegerOption(2, 0);
    TextAssigned();
}

void TUCLEditEngine::SetBooleanOption(Integer Index, bool Value)
{
    switch (Index) {
    case 0: FHideSelection = Value; break;
    case 1: FReadOnly = Value; break;
    case 2:
        if (FModified != Value) {
            FModified = Value;
            if (OnModified)
                OnModified(EventSender());
        }
        break;
    case 4: FAutoSelect = Value; break;
    case 5: FOEMConvert = Value; break;
    case 6: FFocusOnMouseAbove = Value; break;
    default: break;
    }
}

void TUCLEditEngine::SetIntegerOption(Integer Index, Integer Value)
{
    switch (Index) {
    case 0: FMaxLength = Value; break;
    case 1: FSelStart = Value; break;
    case 2:
        if (Value != FSelLength) {
            FSelLength = std::max(Value, 0);
            if (FSelLength == 0)
                FSelStart = FCaret;
            RepaintText(-1);
        }
        break;
    case 5:
        FPrevCaret = FCaret;
        FCaret = std::clamp(Value, 1, TextLength() + 1);
        UpdateSelection();
        CaretMoved();
        break;
    default: break;
    }
}

void TUCLEditEngine::UpdateSelection()
{
    if (FTyping || FDragging)
        return;
    const Integer C = FCaret;
    const Integer P = FPrevCaret;
    const Integer S = FSelStart;
    const Integer L = FSelLength;
    if (!(EditMode() & emShift) && !FMouseSelecting) {
        FSelLength = 0;
        FSelStart = C;
    } else if (L == 0) {
        FSelLength = std::abs(P - C);
        if (C < P)
            FSelStart = C;
    } else if (S < C) {
        if (C < S + L) {
            if (C > P) {
                FSelStart = C;
                FSelLength = S + L - C;
            } else {
                FSelLength = C - S;
            }
        } else if (S < P) {
            FSelLength = C - S;
        } else {
            FSelStart = S + L;
            FSelLength = C - FSelStart;
        }
    } else if (S == P) {
        FSelLength = L + (S - C);
        FSelStart = C;
    } else {
        FSelStart = C;
        FSelLength = S - C;
    }
}

QString TUCLEditEngine::GetSelText() const
{
    return GetTextRange(FSelStart, FSelLength);
}

QString TUCLEditEngine::GetTextRange(Integer Start, Integer Count) const
{
    if (Start < 1 || Count <= 0)
        return {};
    return FText.mid(Start - 1, Count);
}

void TUCLEditEngine::ReplaceSelection(QString S)
{
    if (!CanInsert(S))
        return;
    if (FOEMConvert && !S.isEmpty())
        S = OemRoundTrip(S);
    BeforeEdit();

    auto* record = new TUCLUndoRecord;
    record->Caret = FCaret;
    record->SelStart = FSelStart;
    record->SelLength = FSelLength;

    const Integer at = FSelStart;
    const Integer length = TextLength();
    // A selection start or length set from outside may point anywhere.
    Integer start = std::clamp(FSelStart, 1, length + 1);
    Integer count = std::clamp(FSelLength, 0, length + 1 - start);
    // An undo puts back exactly what its record took away.
    if (!FApplyingUndo) {
        if (count > 0) {
            if (CharAt(start + count - 1) == CR && CharAt(start + count) == LF)
                ++count;
            if (CharAt(start) == LF && CharAt(start - 1) == CR) {
                --start;
                ++count;
            }
        } else {
            if (CharAt(start) == LF && CharAt(start - 1) == CR)
                --start;
            // Overwrite mode: a typed character takes the place of the one
            // under the caret (or of the whole line break). A deletion with
            // nothing selected stays a deletion of nothing.
            if (!(EditMode() & emInsert) && !S.isEmpty() && start <= length)
                count = CharAt(start) == CR && CharAt(start + 1) == LF ? 2 : 1;
        }
    }
    FSelStart = start;

    const QString deleted = FText.mid(start - 1, count);
    AfterDelete(start, deleted);
    FText.remove(start - 1, count);
    FSelLength = 0;

    BeforeInsert(start, S);
    Integer newCaret = start;
    if (FApplyingUndo || FMaxLength == 0 || TextLength() + S.size() <= FMaxLength) {
        FText.insert(start - 1, S);
        newCaret = start + Integer(S.size());
    } else {
        S.clear();   // dropped whole, never cut to fit
    }

    record->ChangeStart = start;
    record->OldText = deleted;
    record->NewText = S;
    record->NewLength = Integer(S.size());
    if (FApplyingUndo) {
        delete record;
    } else {
        FCanUndo = true;
        if (!FUndoStack.Push(record))
            delete record;
    }

    SetBooleanOption(2, true);
    TextChangedAt(at);
    SetIntegerOption(5, newCaret);
    BeginUpdate();
    SetIntegerOption(2, 0);
    EndUpdate(true);
    SetIntegerOption(1, FCaret);
    AfterEdit();
}

void TUCLEditEngine::ReplaceRange(Integer Start, Integer Length, const QString& S)
{
    const Integer oldStart = FSelStart;
    const Integer oldLength = FSelLength;
    SetIntegerOption(1, Start);
    SetIntegerOption(2, Length);
    ReplaceSelection(S);
    SetIntegerOption(1, oldStart);
    SetIntegerOption(2, oldLength);
}

void TUCLEditEngine::EndUpdate(bool Repaint)
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount == 0 && Repaint)
        RepaintText(-1);
}

void TUCLEditEngine::TextAssigned()
{
    SetIntegerOption(2, 0);
    TextChangedAt(1);
}

void TUCLEditEngine::TextChangedAt(Integer At)
{
    if (IsUpdating())
        return;
    RepaintText(FCaret);
    if (IsLoading())
        return;
    if (OnTextChangedAt)
        OnTextChangedAt(EventSender(), At);
    DoChange();
}

void TUCLEditEngine::CaretMoved()
{
    UpdateCaret();
    if (OnCursorPosChanged)
        OnCursorPosChanged(EventSender());
}

void TUCLEditEngine::DoChange()
{
    if (OnChange)
        OnChange(EventSender());
}

void TUCLEditEngine::SelectAll()
{
    if (FSelectAllToEnd)
        CaretToLineEnd();
    FSelStart = 1;
    FSelLength = TextLength();
    RepaintText(-1);
}

void TUCLEditEngine::Clear()
{
    SelectAll();
    ReplaceSelection(QString());
}

// Copying or cutting nothing leaves the clipboard as it was, and a paste
// without text on the clipboard leaves the selection in place.
void TUCLEditEngine::CutToClipboard()
{
    if (!CanCopy() || FSelLength <= 0)
        return;
    QGuiApplication::clipboard()->setText(GetSelText());
    ReplaceSelection(QString());
}

void TUCLEditEngine::CopyToClipboard()
{
    if (!CanCopy() || FSelLength <= 0)
        return;
    QGuiApplication::clipboard()->setText(GetSelText());
}

void TUCLEditEngine::PasteFromClipboard()
{
    if (!CanCopy())
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    ReplaceSelection(QGuiApplication::clipboard()->text());
}

void TUCLEditEngine::Undo()
{
    if (!FCanUndo || FUndoStack.IsEmpty())
        return;
    auto* record = static_cast<TUCLUndoRecord*>(FUndoStack.Pop());
    // A refused undo (read-only edit) keeps its record for later.
    if (!CanInsert(record->OldText)) {
        FUndoStack.Push(record);
        return;
    }
    FApplyingUndo = true;
    FSelStart = record->ChangeStart;
    FSelLength = record->NewLength;
    ReplaceSelection(record->OldText);
    FApplyingUndo = false;
    if (FUndoStack.IsEmpty())
        FCanUndo = false;
    SetIntegerOption(5, record->Caret);
    SetIntegerOption(1, record->SelStart);
    SetIntegerOption(2, record->SelLength);
    RepaintText(-1);
    delete record;
}

void TUCLEditEngine::ClearUndo()
{
    FUndoStack.Clear();
    FCanUndo = false;
}

void TUCLEditEngine::CaretToLineStart()
{
    Integer p = FCaret;
    while (p > 1 && CharAt(p - 1) != LF)
        --p;
    SetIntegerOption(5, p);
}

void TUCLEditEngine::CaretToLineEnd()
{
    Integer p = FCaret;
    while (p <= TextLength() && CharAt(p) != CR)
        ++p;
    SetIntegerOption(5, p);
}

void TUCLEditEngine::CaretWordRight()
{
    Integer p = FCaret;
    if (p < TextLength() && IsDelimiter(CharAt(p)))
        ++p;
    while (p <= TextLength() && !IsDelimiter(CharAt(p)))
        ++p;
    SetIntegerOption(5, p);
}

void TUCLEditEngine::CaretWordLeft()
{
    Integer i = std::min(FCaret, TextLength());
    if (i > 1 && IsDelimiter(CharAt(i)))
        --i;
    while (i > 1 && !IsDelimiter(CharAt(i)))
        --i;
    SetIntegerOption(5, i);
}

void TUCLEditEngine::SelectWordAtCaret()
{
    if (FText.isEmpty())
        return;
    Integer i = std::min(FCaret, TextLength());
    if (i > 1 && IsDelimiter(CharAt(i)))
        --i;
    while (i > 1 && !IsDelimiter(CharAt(i)))
        --i;
    const Integer start = i == 1 ? 1 : i + 1;
    Integer j = FCaret;
    while (j <= TextLength() && !IsDelimiter(CharAt(j)))
        ++j;
    FSelStart = start;
    FSelLength = std::max(j - start, 0);
}

void TUCLEditEngine::TakeShiftState(TUCLEditMode Shift)
{
    TUCLApplication& app = LibraryApplication();
    app.SetEditMode(TUCLEditMode((app.EditMode() & emInsert) | (Shift & (emShift | emControl | emAlt))));
}

void TUCLEditEngine::KeyDown(Word& Key, TUCLEditMode Shift)
{
    TakeShiftState(Shift);
    EditKeyDown(Key, Shift);
}

void TUCLEditEngine::KeyUp(Word&, TUCLEditMode Shift)
{
    TakeShiftState(Shift);
}

void TUCLEditEngine::EditKeyDown(Word& Key, TUCLEditMode)
{
    if (!IsEnabled())
        return;
    const TUCLEditMode mode = EditMode();
    const bool shift = mode & emShift;
    const bool ctrl = mode & emControl;
    const bool alt = mode & emAlt;
    const Integer selLengthBefore = FSelLength;
    switch (Key) {
    case VK_BACK:
        if (FReadOnly || FSelStart < 1)
            break;
        if (FCaret == 1 && FSelStart == 1 && FSelLength == 0)
            return;
        if (FSelLength == 0 || AutoCompleteActive()) {
            FSelStart = FCaret - 1;
            ++FSelLength;
        }
        ReplaceSelection(QString());
        if (FText.isEmpty())
            FScrollOffset = 0;
        break;
    case VK_RETURN:
        if (TabOnEnter && !ctrl)
            SelectNextControl();
        break;
    case VK_ESCAPE:
        SetIntegerOption(2, 0);
        break;
    case VK_END:
        CaretToLineEnd();
        break;
    case VK_HOME:
        if (ctrl)
            SetIntegerOption(5, 1);
        else
            CaretToLineStart();
        break;
    case VK_LEFT:
        if (FCaret > 1) {
            SetIntegerOption(5, CharAt(FCaret - 1) == LF ? FCaret - 2 : FCaret - 1);
            if (ctrl)
                CaretWordLeft();
        } else if (!shift) {
            SetIntegerOption(2, 0);
        }
        break;
    case VK_RIGHT:
        if (FCaret < TextLength() + 1 && !FText.isEmpty()) {
            const Integer next = FCaret + 1;
            SetIntegerOption(5, CharAt(next) == LF ? next + 1 : next);
            if (ctrl)
                CaretWordRight();
        } else if (!shift) {
            SetIntegerOption(2, 0);
        }
        break;
    case VK_INSERT:
        if (shift)
            PasteFromClipboard();
        else if (ctrl)
            CopyToClipboard();
        else if (!alt)
            LibraryApplication().SetEditMode(TUCLEditMode(mode ^ emInsert));
        break;
    case VK_DELETE:
        if (shift) {
            CutToClipboard();
        } else if (!FReadOnly && !FText.isEmpty()) {
            if (FSelLength == 0)
                SetIntegerOption(2, 1);
            ReplaceSelection(QString());
        }
        break;
    case 'A':
    case 'C':
    case 'V':
    case 'X':
        if (!ctrl)
            break;
        if (Key == 'A')
            SelectAll();
        else if (Key == 'C')
            CopyToClipboard();
        else if (Key == 'V')
            PasteFromClipboard();
        else
            CutToClipboard();
        Key = 0;
        break;
    default:
        break;
    }
    if (FSelLength != selLengthBefore)
        RepaintText(FCaret);
}

void TUCLEditEngine::KeyPress(QChar Key)
{
    if (OnKeyPress)
        OnKeyPress(EventSender(), Key);
    if (Key.unicode() < 32)
        return;
    if (CharCase == TEditCharCase::ecUpperCase)
        Key = Key.toUpper();
    else if (CharCase == TEditCharCase::ecLowerCase)
        Key = Key.toLower();
    FTyping = true;
    ReplaceSelection(QString(Key));
    FTyping = false;
}

void TUCLEditEngine::MouseDown(Integer X, Integer Y)
{
    if (!IsEnabled())
        return;
    FMouseX = X;
    FMouseY = Y;
    FMouseDown = true;
    MouseSelectStep();
}

void TUCLEditEngine::MouseMove(Integer X, Integer Y, bool LeftButtonOnly)
{
    if (!IsEnabled())
        return;
    FMouseX = X;
    FMouseY = Y;
    if (!LeftButtonOnly)
        return;
    const Integer before = FCaret;
    FMouseSelecting = true;
    SetIntegerOption(5, PosFromPoint(X, Y));
    FMouseSelecting = false;
    if (FCaret != before)
        RepaintText(FCaret);
}

void TUCLEditEngine::MouseSelectStep()
{
    const Integer pos = PosFromPoint(FMouseX, FMouseY);
    const Integer selLengthBefore = FSelLength;
    if (!FDragging && FSelStart < pos && pos < FSelStart + FSelLength) {
        FDragging = true;
        DragCursorChanged(true);
    }
    SetIntegerOption(5, pos);
    if (FSelLength != selLengthBefore)
        RepaintText(FCaret);
}

void TUCLEditEngine::SelectionTimerTick()
{
    if (FSelLength <= 0)
        return;
    FMouseSelecting = true;
    MouseSelectStep();
    FMouseSelecting = false;
}

void TUCLEditEngine::MouseUp()
{
    FMouseDown = false;
    if (!FDragging)
        return;
    FDragging = false;
    DragCursorChanged(false);
    if (FSelStart <= FCaret && FCaret <= FSelStart + FSelLength) {
        SetIntegerOption(2, 0);
        RepaintText(FCaret);
        return;
    }
    Integer target = FCaret;
    if (FSelLength > 0 && CharAt(FSelStart + FSelLength - 1) == CR)
        --FSelLength;
    const QString moved = GetSelText();
    const bool after = target > FSelStart;
    ReplaceSelection(QString());
    if (after)
        target -= Integer(moved.size());
    if (CharAt(target) == LF)
        --target;
    SetIntegerOption(5, target);
    SetIntegerOption(2, 0);   // insert at the drop point, whatever Shift says
    ReplaceSelection(moved);
    RepaintText(target);
    SetIntegerOption(5, target);
}

void TUCLEditEngine::DoubleClick()
{
    if (!IsEnabled())
        return;
    BeginUpdate();
    SelectWordAtCaret();
    EndUpdate(true);
    RepaintText(FCaret);
}
