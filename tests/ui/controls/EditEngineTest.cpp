// The edit engine without a widget: positions are 1-based, a point's x is
// taken as the position under it.
#include "ui/controls/UCLEditEngine.h"
#include "support/TestNames.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class TTestEngine : public TUCLEditEngine {
public:
    int Changes = 0;
    int Modifications = 0;
    int CursorMoves = 0;
    Integer LastAt = 0;
    TTestEngine()
    {
        OnChange = [this](TPersistent*) { ++Changes; };
        OnModified = [this](TPersistent*) { ++Modifications; };
        OnCursorPosChanged = [this](TPersistent*) { ++CursorMoves; };
        OnTextChangedAt = [this](TPersistent*, Integer At) { LastAt = At; };
    }
    void Select(Integer Start, Integer Length)
    {
        SetIntegerOption(5, Start);
        SetIntegerOption(1, Start);
        SetIntegerOption(2, Length);
    }
    void Press(Word Key, TUCLEditMode Shift = 0) { KeyDown(Key, Shift); }
    void Type(const QString& Text)
    {
        for (QChar c : Text)
            KeyPress(c);
    }
    void ResetCounts() { Changes = Modifications = CursorMoves = 0; }

protected:
    Integer PosFromPoint(Integer X, Integer) override { return X; }
};

class EditEngine : public ::testing::Test {
protected:
    void SetUp() override { LibraryApplication().SetEditMode(emInsert); }
    void TearDown() override { LibraryApplication().SetEditMode(emInsert); }
    TTestEngine E;
};

QString Crlf(const char* s)
{
    return QString::fromLatin1(s).replace(QLatin1Char('|'), QStringLiteral("\r\n"));
}

struct TReplaceCase {
    const char* Name;
    const char* Text;   // '|' stands for CR LF
    Integer SelStart;
    Integer SelLength;
    bool Overwrite;
    Integer MaxLength;
    const char* Insert;
    const char* Expected;
    Integer ExpectedCaret;
};

class ReplaceSelectionCases : public EditEngine, public ::testing::WithParamInterface<TReplaceCase> {};

TEST_P(ReplaceSelectionCases, GivesTextAndCaret)
{
    const TReplaceCase& c = GetParam();
    E.SetText(Crlf(c.Text));
    E.SetIntegerOption(0, c.MaxLength);
    E.Select(c.SelStart, c.SelLength);
    if (c.Overwrite)
        LibraryApplication().SetEditMode(0);
    E.ReplaceSelection(Crlf(c.Insert));
    EXPECT_EQ(E.GetText(), Crlf(c.Expected));
    EXPECT_EQ(E.CaretPos(), c.ExpectedCaret);
    EXPECT_EQ(E.SelLength(), 0);
    EXPECT_EQ(E.SelStart(), c.ExpectedCaret);
    EXPECT_TRUE(E.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceSelectionCases,
    ::testing::Values(
        TReplaceCase{"InsertAtCaret", "abc", 2, 0, false, 0, "x", "axbc", 3},
        TReplaceCase{"ReplaceSelected", "abc", 2, 1, false, 0, "xy", "axyc", 4},
        TReplaceCase{"DeleteSelected", "abc", 1, 2, false, 0, "", "c", 1},
        TReplaceCase{"SelectionEndingInCrTakesLf", "a|b", 2, 1, false, 0, "", "ab", 2},
        TReplaceCase{"SelectionStartingOnLfTakesCr", "a|b", 3, 1, false, 0, "", "ab", 2},
        TReplaceCase{"CaretInsideLineBreakInsertsBeforeIt", "a|b", 3, 0, false, 0, "x", "ax|b", 3},
        TReplaceCase{"LoneLfIsAnOrdinaryCharacter", "a\nb", 2, 0, false, 0, "x", "ax\nb", 3},
        TReplaceCase{"OverwriteReplacesCharacter", "abc", 2, 0, true, 0, "x", "axc", 3},
        TReplaceCase{"OverwriteReplacesWholeLineBreak", "a|b", 2, 0, true, 0, "x", "axb", 3},
        TReplaceCase{"OverwriteAtEndAppends", "ab", 3, 0, true, 0, "x", "abx", 4},
        TReplaceCase{"OverwriteWithSelectionReplacesIt", "abcd", 2, 2, true, 0, "x", "axd", 3},
        TReplaceCase{"MaxLengthDropsInsertionWhole", "abc", 4, 0, false, 4, "xy", "abc", 4},
        TReplaceCase{"MaxLengthStillDeletesSelection", "abc", 2, 1, false, 3, "xy", "ac", 2},
        TReplaceCase{"MaxLengthExactFit", "abc", 2, 1, false, 3, "x", "axc", 3},
        TReplaceCase{"SelectionBeyondTextIsClamped", "abc", 3, 9, false, 0, "x", "abx", 4}),
    TRowName());

TEST_F(EditEngine, ReplaceFiresEventsOnceWithChangeStart)
{
    E.SetText("abcd");
    E.Select(3, 1);
    E.ResetCounts();
    E.ReplaceSelection("x");
    EXPECT_EQ(E.Changes, 1);
    EXPECT_EQ(E.Modifications, 1);
    EXPECT_EQ(E.LastAt, 3);
    E.ReplaceSelection("y");
    EXPECT_EQ(E.Modifications, 1) << "OnModified fires only when the flag changes";
}

TEST_F(EditEngine, SetTextIsNoEdit)
{
    E.SetIntegerOption(0, 5);
    E.ResetCounts();
    E.SetText("abcdefgh");
    EXPECT_EQ(E.GetText(), "abcde");
    EXPECT_EQ(E.CaretPos(), 1);
    EXPECT_EQ(E.Changes, 1);
    EXPECT_EQ(E.LastAt, 1);
    EXPECT_GE(E.CursorMoves, 1);
    EXPECT_FALSE(E.Modified());
    EXPECT_FALSE(E.CanUndo());
    E.SetText("abcde");
    EXPECT_EQ(E.Changes, 1) << "an unchanged text fires nothing";
}

TEST_F(EditEngine, ReadOnlyRefusesEveryChange)
{
    E.SetText("abc");
    E.SetBooleanOption(1, true);
    E.Select(1, 3);
    E.ResetCounts();
    E.Type("x");
    E.Press(VK_BACK);
    E.Press(VK_DELETE);
    E.Clear();
    E.Undo();
    EXPECT_EQ(E.GetText(), "abc");
    EXPECT_EQ(E.Changes, 0);
    EXPECT_FALSE(E.Modified());
}

TEST_F(EditEngine, TypingHonoursCharCaseAndKeyPressHandler)
{
    E.CharCase = TEditCharCase::ecUpperCase;
    E.OnKeyPress = [](TPersistent*, QChar& Key) {
        if (Key == QLatin1Char('q'))
            Key = QChar();
    };
    E.Type(QStringLiteral("aqb\tc"));
    EXPECT_EQ(E.GetText(), "ABC");
    EXPECT_EQ(E.CaretPos(), 4);
}

TEST_F(EditEngine, TypingReplacesSelectionEvenWithShiftHeld)
{
    E.SetText("abcd");
    E.Select(2, 2);
    LibraryApplication().SetEditMode(emInsert | emShift);
    E.KeyPress(QLatin1Char('X'));
    EXPECT_EQ(E.GetText(), "aXd");
    EXPECT_EQ(E.SelLength(), 0);
}

struct TUndoCase {
    const char* Name;
    std::function<void(TTestEngine&)> Edit;
    const char* After;
};

class UndoCases : public EditEngine, public ::testing::WithParamInterface<TUndoCase> {};

// Every edit, undone record by record, gives back the text before it.
TEST_P(UndoCases, RestoresText)
{
    const TUndoCase& c = GetParam();
    E.SetText(Crlf("ab|cd"));
    E.Select(2, 2);
    c.Edit(E);
    EXPECT_EQ(E.GetText(), Crlf(c.After));
    ASSERT_TRUE(E.CanUndo());
    for (int records = E.UndoStack().Count(); records > 0; --records)
        E.Undo();
    EXPECT_EQ(E.GetText(), Crlf("ab|cd"));
    EXPECT_FALSE(E.CanUndo());
}

INSTANTIATE_TEST_SUITE_P(
    Table, UndoCases,
    ::testing::Values(
        TUndoCase{"Typing", [](TTestEngine& e) { e.Type("x"); }, "axcd"},
        TUndoCase{"DeleteAcrossLineBreak", [](TTestEngine& e) { e.ReplaceSelection(""); }, "acd"},
        TUndoCase{"Overwrite",
                  [](TTestEngine& e) {
                      e.Select(1, 0);
                      LibraryApplication().SetEditMode(0);
                      e.Type("xy");
                  },
                  "xy|cd"},
        TUndoCase{"DroppedByMaxLength",
                  [](TTestEngine& e) {
                      e.SetIntegerOption(0, 5);
                      e.ReplaceSelection("xyz");
                  },
                  "acd"},
        TUndoCase{"OverwriteUndoneInInsertMode",
                  [](TTestEngine& e) {
                      e.Select(5, 0);
                      LibraryApplication().SetEditMode(0);
                      e.Type("Z");
                      LibraryApplication().SetEditMode(emInsert);
                  },
                  "ab|Zd"}),
    TRowName());

TEST_F(EditEngine, UndoSelectsTheRestoredText)
{
    E.SetText("abcd");
    E.Select(2, 2);
    E.Type("x");
    E.Undo();
    EXPECT_EQ(E.GetText(), "abcd");
    EXPECT_EQ(E.SelStart(), 2);
    EXPECT_EQ(E.SelLength(), 2);
    EXPECT_EQ(E.CaretPos(), 2);
    EXPECT_TRUE(E.Modified());
}

TEST_F(EditEngine, UndoRunsBackThroughHistoryAndStops)
{
    E.Type("ab");
    E.Press(VK_BACK);
    EXPECT_EQ(E.GetText(), "a");
    E.Undo();
    EXPECT_EQ(E.GetText(), "ab");
    E.Undo();
    E.Undo();
    EXPECT_EQ(E.GetText(), "");
    EXPECT_FALSE(E.CanUndo());
    E.Undo();
    EXPECT_EQ(E.GetText(), "");
}

TEST_F(EditEngine, UndoWhileReadOnlyKeepsRecord)
{
    E.Type("a");
    E.SetBooleanOption(1, true);
    E.Undo();
    EXPECT_EQ(E.GetText(), "a");
    EXPECT_EQ(E.UndoStack().Count(), 1);
    E.SetBooleanOption(1, false);
    E.Undo();
    EXPECT_EQ(E.GetText(), "");
}

TEST_F(EditEngine, SetTextKeepsUndoHistory)
{
    E.Type("a");
    E.SetText("other");
    EXPECT_EQ(E.UndoStack().Count(), 1);
    E.ClearUndo();
    EXPECT_FALSE(E.CanUndo());
    EXPECT_EQ(E.UndoStack().Count(), 0);
}

struct TKeyCase {
    const char* Name;
    const char* Text;
    Integer Caret;
    Integer SelStart;
    Integer SelLength;
    std::vector<std::pair<Word, TUCLEditMode>> Keys;
    const char* Expected;
    Integer ExpectedCaret;
    Integer ExpectedSelStart;
    Integer ExpectedSelLength;
};

class KeyCases : public EditEngine, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(KeyCases, MoveCaretAndSelection)
{
    const TKeyCase& c = GetParam();
    E.SetText(Crlf(c.Text));
    E.SetIntegerOption(5, c.Caret);
    E.SetIntegerOption(1, c.SelStart);
    E.SetIntegerOption(2, c.SelLength);
    for (auto [key, shift] : c.Keys)
        E.Press(key, shift);
    EXPECT_EQ(E.GetText(), Crlf(c.Expected));
    EXPECT_EQ(E.CaretPos(), c.ExpectedCaret);
    EXPECT_EQ(E.SelStart(), c.ExpectedSelStart);
    EXPECT_EQ(E.SelLength(), c.ExpectedSelLength);
}

constexpr TUCLEditMode S = emShift;
constexpr TUCLEditMode C = emControl;

INSTANTIATE_TEST_SUITE_P(
    Table, KeyCases,
    ::testing::Values(
        TKeyCase{"BackspaceDeletesBeforeCaret", "abc", 3, 3, 0, {{VK_BACK, 0}}, "ac", 2, 2, 0},
        TKeyCase{"BackspaceAtStartDoesNothing", "abc", 1, 1, 0, {{VK_BACK, 0}}, "abc", 1, 1, 0},
        TKeyCase{"BackspaceDeletesSelection", "abcd", 4, 2, 2, {{VK_BACK, 0}}, "ad", 2, 2, 0},
        TKeyCase{"BackspaceTakesWholeLineBreak", "a|b", 4, 4, 0, {{VK_BACK, 0}}, "ab", 2, 2, 0},
        TKeyCase{"DeleteAtCaret", "abc", 2, 2, 0, {{VK_DELETE, 0}}, "ac", 2, 2, 0},
        TKeyCase{"DeleteTakesWholeLineBreak", "a|b", 2, 2, 0, {{VK_DELETE, 0}}, "ab", 2, 2, 0},
        TKeyCase{"LeftSkipsLineBreak", "a|b", 4, 4, 0, {{VK_LEFT, 0}}, "a|b", 2, 2, 0},
        TKeyCase{"RightSkipsLineBreak", "a|b", 2, 2, 0, {{VK_RIGHT, 0}}, "a|b", 4, 4, 0},
        TKeyCase{"LeftAtStartDeselects", "abc", 1, 1, 2, {{VK_LEFT, 0}}, "abc", 1, 1, 0},
        TKeyCase{"RightAtEndDeselects", "abc", 4, 2, 2, {{VK_RIGHT, 0}}, "abc", 4, 4, 0},
        TKeyCase{"ShiftRightExtends", "abcd", 2, 2, 0, {{VK_RIGHT, S}, {VK_RIGHT, S}}, "abcd", 4, 2, 2},
        TKeyCase{"ShiftLeftExtendsBackwards", "abcd", 4, 4, 0, {{VK_LEFT, S}, {VK_LEFT, S}}, "abcd", 2, 2, 2},
        TKeyCase{"ShiftLeftShrinksForwardSelection", "abcd", 2, 2, 0,
                 {{VK_RIGHT, S}, {VK_RIGHT, S}, {VK_LEFT, S}}, "abcd", 3, 2, 1},
        TKeyCase{"ShiftRightShrinksBackwardSelection", "abcd", 4, 4, 0,
                 {{VK_LEFT, S}, {VK_LEFT, S}, {VK_RIGHT, S}}, "abcd", 3, 3, 1},
        TKeyCase{"ShiftLeftAcrossAnchor", "abcd", 3, 3, 0,
                 {{VK_RIGHT, S}, {VK_LEFT, S}, {VK_LEFT, S}}, "abcd", 2, 2, 1},
        TKeyCase{"ShiftHomeSelectsToStart", "abcd", 3, 3, 0, {{VK_HOME, S}}, "abcd", 1, 1, 2},
        TKeyCase{"ShiftEndSelectsToEnd", "abcd", 2, 2, 0, {{VK_END, S}}, "abcd", 5, 2, 3},
        TKeyCase{"EndStopsAtLineBreak", "ab|cd", 1, 1, 0, {{VK_END, 0}}, "ab|cd", 3, 3, 0},
        TKeyCase{"HomeStopsAfterLineBreak", "ab|cd", 6, 6, 0, {{VK_HOME, 0}}, "ab|cd", 5, 5, 0},
        TKeyCase{"CtrlHomeGoesToStart", "ab|cd", 6, 6, 0, {{VK_HOME, C}}, "ab|cd", 1, 1, 0},
        TKeyCase{"EscapeDeselects", "abcd", 3, 1, 2, {{VK_ESCAPE, 0}}, "abcd", 3, 3, 0},
        TKeyCase{"CtrlASelectsAll", "abcd", 2, 2, 0, {{'A', C}}, "abcd", 2, 1, 4},
        TKeyCase{"LetterWithoutCtrlIsNoCommand", "abcd", 2, 2, 0, {{'A', 0}}, "abcd", 2, 2, 0},
        TKeyCase{"CtrlRightGoesToWordEnd", "abc def", 1, 1, 0, {{VK_RIGHT, C}}, "abc def", 4, 4, 0},
        TKeyCase{"CtrlLeftGoesToDelimiterBeforeWord", "abc def", 8, 8, 0, {{VK_LEFT, C}}, "abc def", 4, 4, 0}),
    TRowName());

TEST_F(EditEngine, CtrlAConsumesKey)
{
    E.SetText("abc");
    Word key = 'A';
    E.KeyDown(key, emControl);
    EXPECT_EQ(key, 0);
    Word plain = 'A';
    E.KeyDown(plain, 0);
    EXPECT_EQ(plain, 'A');
}

TEST_F(EditEngine, InsertKeyTogglesSharedOverwriteMode)
{
    E.SetText("abc");
    E.SetIntegerOption(5, 1);
    E.Press(VK_INSERT);
    EXPECT_FALSE(LibraryApplication().EditMode() & emInsert);
    E.Type("x");
    EXPECT_EQ(E.GetText(), "xbc");
    E.Press(VK_INSERT);
    E.Type("y");
    EXPECT_EQ(E.GetText(), "xybc");
}

TEST_F(EditEngine, KeysTakeModifiersIntoSharedEditMode)
{
    Word key = VK_LEFT;
    E.KeyDown(key, emShift | emControl);
    EXPECT_EQ(LibraryApplication().EditMode(), emInsert | emShift | emControl);
    E.KeyUp(key, 0);
    EXPECT_EQ(LibraryApplication().EditMode(), emInsert);
}

struct TWordCase {
    const char* Name;
    Integer Caret;
    Integer WordRight;
    Integer WordLeft;
    Integer SelStart;
    Integer SelLength;
};

class WordCases : public EditEngine, public ::testing::WithParamInterface<TWordCase> {};

// "ab cd  ef": words at 1..2, 4..5, 8..9.
TEST_P(WordCases, MovesAndDoubleClickSelection)
{
    const TWordCase& c = GetParam();
    E.SetText("ab cd  ef");
    E.SetIntegerOption(5, c.Caret);
    E.CaretWordRight();
    EXPECT_EQ(E.CaretPos(), c.WordRight) << "word right from " << c.Caret;
    E.SetIntegerOption(5, c.Caret);
    E.CaretWordLeft();
    EXPECT_EQ(E.CaretPos(), c.WordLeft) << "word left from " << c.Caret;
    E.SetIntegerOption(5, c.Caret);
    E.DoubleClick();
    EXPECT_EQ(E.SelStart(), c.SelStart) << "word at " << c.Caret;
    EXPECT_EQ(E.SelLength(), c.SelLength) << "word at " << c.Caret;
    EXPECT_EQ(E.CaretPos(), c.Caret) << "double-click leaves the caret";
}

INSTANTIATE_TEST_SUITE_P(Table, WordCases,
                         ::testing::Values(TWordCase{"Caret1", 1, 3, 1, 1, 2}, TWordCase{"Caret2", 2, 3, 1, 1, 2},
                                           TWordCase{"Caret3", 3, 6, 1, 1, 2}, TWordCase{"Caret4", 4, 6, 3, 4, 2},
                                           TWordCase{"Caret5", 5, 6, 3, 4, 2}, TWordCase{"Caret7", 7, 10, 6, 7, 0},
                                           TWordCase{"Caret10", 10, 10, 7, 8, 2}),
                         TRowName());

TEST_F(EditEngine, DoubleClickOnEmptyTextSelectsNothing)
{
    E.DoubleClick();
    EXPECT_EQ(E.SelLength(), 0);
}

TEST_F(EditEngine, ClipboardCopyCutPaste)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("keep");
    E.SetText("hello world");
    E.Select(1, 0);
    E.CopyToClipboard();
    E.CutToClipboard();
    EXPECT_EQ(clipboard->text(), "keep") << "nothing selected leaves the clipboard";
    EXPECT_EQ(E.GetText(), "hello world");

    E.Select(1, 6);
    E.CutToClipboard();
    EXPECT_EQ(clipboard->text(), "hello ");
    EXPECT_EQ(E.GetText(), "world");
    E.SetIntegerOption(5, 6);
    E.PasteFromClipboard();
    EXPECT_EQ(E.GetText(), "worldhello ");
    E.Select(1, 5);
    E.CopyToClipboard();
    EXPECT_EQ(clipboard->text(), "world");
}

TEST_F(EditEngine, ClearEmptiesAndCanBeUndone)
{
    E.SetText("abc");
    E.Clear();
    EXPECT_EQ(E.GetText(), "");
    E.Undo();
    EXPECT_EQ(E.GetText(), "abc");
}

TEST_F(EditEngine, OemConvertReplacesCharactersOutsideOemCodePage)
{
    E.SetBooleanOption(5, true);
    E.ReplaceSelection(QString::fromUtf8("ä€b"));
    EXPECT_EQ(E.GetText(), QString::fromUtf8("ä?b"));
}

// Dragging the selection and dropping it elsewhere moves the text in two
// undoable steps; dropping it onto itself only collapses the selection.
TEST_F(EditEngine, DragMovesSelectedText)
{
    E.SetText("hello world");
    E.Select(1, 5);
    E.MouseDown(3, 0);
    EXPECT_TRUE(E.Dragging());
    E.MouseMove(12, 0, true);
    EXPECT_EQ(E.SelLength(), 5) << "the selection stays while dragging";
    E.MouseUp();
    EXPECT_FALSE(E.Dragging());
    EXPECT_EQ(E.GetText(), " worldhello");
    EXPECT_EQ(E.UndoStack().Count(), 2);
    E.Undo();
    E.Undo();
    EXPECT_EQ(E.GetText(), "hello world");
}

TEST_F(EditEngine, DropOntoSelectionCollapsesIt)
{
    E.SetText("hello world");
    E.Select(1, 5);
    E.MouseDown(3, 0);
    E.MouseMove(4, 0, true);
    E.MouseUp();
    EXPECT_EQ(E.GetText(), "hello world");
    EXPECT_EQ(E.SelLength(), 0);
    EXPECT_EQ(E.CaretPos(), 4);
}

TEST_F(EditEngine, MouseDragOutsideSelectionSelects)
{
    E.SetText("hello world");
    E.MouseDown(3, 0);
    EXPECT_FALSE(E.Dragging());
    E.MouseMove(7, 0, true);
    EXPECT_EQ(E.SelStart(), 3);
    EXPECT_EQ(E.SelLength(), 4);
    E.MouseMove(1, 0, true);
    EXPECT_EQ(E.SelStart(), 1);
    EXPECT_EQ(E.SelLength(), 2);
    E.MouseMove(9, 0, false);
    EXPECT_EQ(E.CaretPos(), 1) << "a move without the left button alone does not select";
    E.MouseUp();
    EXPECT_EQ(E.GetText(), "hello world");
}

} // namespace
