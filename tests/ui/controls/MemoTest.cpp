#include "ui/controls/UCLMemo.h"

#include "RenderHelpers.h"
#include "platform/AnsiText.h"
#include "platform/Colors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

class Memo : public ::testing::Test {
protected:
    void SetUp() override
    {
        M.resize(200, 120);
        M.show();
    }
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier, const QString& Text = {})
    {
        QKeyEvent e(QEvent::KeyPress, QtKey, Mods, Text);
        QApplication::sendEvent(&M, &e);
    }
    void Wheel(int Delta)
    {
        QWheelEvent e(QPointF(10, 10), M.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, Delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&M, &e);
    }
    // The front panel's text display: every received character goes to the
    // last line; CR starts a line and keeps at most 500; DC2 clears.
    void Receive(char C)
    {
        TUCLMemoStrings& lines = M.Lines();
        M.SetBooleanOption(1, false);
        if (C == 13) {
            lines.Add("");
            if (lines.GetCount() > 500)
                lines.Delete(0);
        } else if (C == 18) {
            lines.Clear();
        } else if (C != 10) {
            if (lines.GetCount() == 0)
                lines.Add("");
            const Integer last = lines.GetCount() - 1;
            AnsiString line = lines.Get(last);
            if (C == 8) {
                if (!line.empty())
                    line.pop_back();
            } else if (C != 7) {
                line += C;
            }
            lines.Put(last, line);
        }
        M.SetBooleanOption(1, true);
    }
    TUCLMemo M;
};

}   // namespace

TEST_F(Memo, LinesGetPutAddDeleteInsert)
{
    TUCLMemoStrings& lines = M.Lines();
    lines.SetTextStr("ab\r\ncd");
    EXPECT_EQ(lines.Get(0), "ab");
    EXPECT_EQ(lines.Get(1), "cd");
    EXPECT_EQ(lines.Get(2), "");
    EXPECT_EQ(lines.GetCount(), 2);

    lines.Put(1, "x");   // a last line of one character
    EXPECT_EQ(lines.GetTextStr(), "ab\r\nx");
    lines.Put(1, "yz");
    EXPECT_EQ(lines.GetTextStr(), "ab\r\nyz");
    lines.Put(5, "new");   // a missing line is appended
    EXPECT_EQ(lines.GetTextStr(), "ab\r\nyznew");

    lines.SetTextStr("l0\r\nl1");
    lines.Delete(0);
    EXPECT_EQ(lines.GetTextStr(), "l1");
    lines.SetTextStr("l0\r\nl1\r\nl2");
    lines.Delete(1);
    EXPECT_EQ(lines.GetTextStr(), "l0\r\nl2");
    lines.Delete(1);   // the last line keeps the break before it
    EXPECT_EQ(lines.GetTextStr(), "l0\r\n");

    lines.SetTextStr("ab");
    EXPECT_EQ(lines.Add("x"), 2);
    EXPECT_EQ(lines.GetTextStr(), "ab\r\nx");
    lines.Insert(0, "first");
    lines.Insert(2, "mid");
    EXPECT_EQ(lines.GetTextStr(), "first\r\nab\r\nmid\r\nx");

    lines.Clear();
    EXPECT_EQ(lines.GetTextStr(), "");
    EXPECT_EQ(lines.GetCount(), 1);
    lines.Put(0, "only");
    EXPECT_EQ(lines.GetTextStr(), "only");
}

TEST_F(Memo, LoneLineFeedsBecomeCrLfWhenCounted)
{
    M.Lines().SetTextStr("a\nb\r\nc\n");
    EXPECT_EQ(M.Lines().GetTextStr(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(M.TotalRows(), 3);
}

// A memo that was never shown still counts its rows: the terminal writes to
// the right line whether or not its panel is open.
TEST(MemoHidden, CountsRowsBeforeTheFirstDrawing)
{
    TUCLMemo memo;
    memo.Lines().SetTextStr("a\r\nb\r\nc");
    EXPECT_EQ(memo.Lines().GetCount(), 3);
}

TEST_F(Memo, RowsWrapAtDelimitersOrCutLongWords)
{
    const Integer w = M.TextRect().Width();
    const Integer x = M.TextWidth(QStringLiteral("x"));
    const int perRow = w / x;
    // Two words that do not fit one row wrap after the space.
    const std::string word(perRow * 2 / 3, 'x');
    M.Lines().SetTextStr(word + " " + word);
    EXPECT_EQ(M.TotalRows(), 1);
    EXPECT_EQ(M.NextRowStart(1), Integer(word.size()) + 2);
    // A word longer than the row is cut where the width is reached.
    M.Lines().SetTextStr(std::string(perRow * 3 / 2, 'x'));
    EXPECT_EQ(M.TotalRows(), 1);
    EXPECT_GE(M.NextRowStart(1) - 1, perRow - 1);
    EXPECT_LE(M.NextRowStart(1) - 1, perRow + 1);
    // Without WordWrap the line stays one row and widens the horizontal range.
    M.SetMemoOption(0, false);
    EXPECT_EQ(M.TotalRows(), 0);
    M.Lines().SetTextStr(std::string(perRow * 2, 'x') + "\r\nshort");
    EXPECT_EQ(M.TotalRows(), 1);
    EXPECT_GT(M.HorzRange(), 0);
}

TEST_F(Memo, EditsKeepTheRowCountCurrent)
{
    int changes = 0;
    M.OnRowCountChanged = [&](TPersistent*) { ++changes; };
    M.Lines().SetTextStr("a\r\nb");
    EXPECT_EQ(M.TotalRows(), 1);
    M.setFocus();
    M.SetIntegerOption(5, 2);
    Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(M.Lines().GetTextStr(), "a\r\n\r\nb");
    EXPECT_EQ(M.TotalRows(), 2);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(M.Lines().GetTextStr(), "a\r\nb");
    EXPECT_EQ(M.TotalRows(), 1);
    EXPECT_EQ(changes, 3);
}

TEST_F(Memo, TerminalAppendsTrimsClearsAndKeepsTheLastRowInView)
{
    for (const char* s = "hello\rworld"; *s; ++s)
        Receive(*s);
    EXPECT_EQ(M.Lines().GetTextStr(), "hello\r\nworld");
    Receive(8);
    Receive('!');
    EXPECT_EQ(M.Lines().Get(1), "worl!");
    EXPECT_TRUE(M.ReadOnly());
    for (int i = 0; i < 520; ++i) {
        Receive('0' + i % 10);
        Receive(13);
    }
    EXPECT_EQ(M.Lines().GetCount(), 500);
    EXPECT_EQ(M.Lines().Get(0), "1");   // the oldest 22 lines went
    EXPECT_EQ(M.Lines().Get(498), "9");
    // The last row is shown at the bottom of the view.
    const Integer length = Integer(M.GetText().size());
    EXPECT_GT(M.FirstVisible(), 1);
    EXPECT_GT(M.RowEntry(M.DisplayedRows() - 1), length + 1);
    EXPECT_EQ(M.TopRow() + M.VisibleRows() - 1, M.TotalRows() + 1);
    Receive(18);
    EXPECT_EQ(M.Lines().GetTextStr(), "");
    EXPECT_EQ(M.FirstVisible(), 1);
}

TEST_F(Memo, AutoScrollBarsFollowTheText)
{
    M.SetScrollBars(TUCLMemoScrollBarKind::skAuto);
    ASSERT_NE(M.VertBar(), nullptr);
    ASSERT_NE(M.HorzBar(), nullptr);
    M.Lines().SetTextStr("one\r\ntwo");
    EXPECT_FALSE(M.VertBar()->isVisible());
    EXPECT_FALSE(M.HorzBar()->isVisible());   // WordWrap on
    for (int i = 0; i < 20; ++i)
        M.Lines().Add("row");
    M.SetIntegerOption(5, 1);
    EXPECT_TRUE(M.VertBar()->isVisible());
    EXPECT_LT(M.TextRect().Right, M.VertBar()->x());
    M.SetMemoOption(0, false);
    M.Lines().Add(std::string(80, 'w'));
    M.Lines().Add("end");
    EXPECT_TRUE(M.HorzBar()->isVisible());
    M.SetScrollBars(TUCLMemoScrollBarKind::skNone);
    EXPECT_EQ(M.VertBar(), nullptr);
}

TEST_F(Memo, WheelScrollsOneRowAndThumbMovesTheViewOnlyOnRelease)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    M.Lines().SetTextStr(text);
    M.SetScrollBars(TUCLMemoScrollBarKind::skVertical);
    Wheel(-360);
    EXPECT_EQ(M.TopRow(), 2);
    Wheel(-120);
    EXPECT_EQ(M.TopRow(), 3);
    Wheel(120);
    EXPECT_EQ(M.TopRow(), 2);
    EXPECT_EQ(M.FirstVisible(), M.RowStart(1));

    Integer pos = 10;
    M.VertScroll(M.VertBar(), 5, pos);   // dragging: no move
    EXPECT_EQ(M.TopRow(), 2);
    M.VertScroll(M.VertBar(), 4, pos);
    EXPECT_EQ(M.TopRow(), 10);
    EXPECT_EQ(M.FirstVisible(), M.RowStart(9));
    M.VertScroll(M.VertBar(), 1, pos);
    EXPECT_EQ(M.TopRow(), 9);
}

TEST_F(Memo, TypingPastTheEdgeScrollsOnlyWithoutWordWrap)
{
    M.setFocus();
    const QString chunk = QStringLiteral("abcdefghij ");
    for (int i = 0; i < 5; ++i)
        for (QChar c : chunk)
            Key(0, Qt::NoModifier, QString(c));
    EXPECT_EQ(M.HorzOffset(), 0);
    EXPECT_GT(M.TotalRows(), 0);
    M.Lines().SetTextStr("");
    M.SetMemoOption(0, false);
    for (int i = 0; i < 5; ++i)
        for (QChar c : chunk)
            Key(0, Qt::NoModifier, QString(c));
    EXPECT_EQ(M.TotalRows(), 0);
    EXPECT_GT(M.HorzOffset(), 0);
}

TEST_F(Memo, UpDownKeepTheColumnAndCtrlEndGoesToTheEnd)
{
    M.Lines().SetTextStr("abcdef\r\nxy\r\n123456");
    M.setFocus();
    M.SetIntegerOption(5, 5);   // column 4 of row 1
    Key(Qt::Key_Down);
    EXPECT_EQ(M.CaretPos(), 11);   // "xy" is shorter: its end
    Key(Qt::Key_Down);
    EXPECT_EQ(M.CaretPos(), 13 + 2);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(M.CaretPos(), 3);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(M.CaretPos(), 19);
}

TEST_F(Memo, ClickPlacesTheCaretInTheRowUnderTheMouse)
{
    M.Lines().SetTextStr("abc\r\ndef");
    const TRect t = M.TextRect();
    const Integer row = M.TextHeight(QString());
    const Integer x = t.Left + M.TextWidth(QStringLiteral("de")) + 1;
    EXPECT_EQ(M.RowOfPosition(6), 1);
    M.setFocus();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, t.Top + row + 2), M.mapToGlobal(QPointF(x, t.Top + row + 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&M, &press);
    EXPECT_EQ(M.CaretPos(), 8);
}

TEST_F(Memo, RendersRowsMarginRuledLinesAndSelection)
{
    M.SetScrollBars(TUCLMemoScrollBarKind::skAuto);
    M.Margin().SetWidth(12);
    M.SetMemoOption(3, true);
    M.SetFontColor(0x808000);
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "Zeile " + std::to_string(i) + " \x84quoted\x93 text\r\n";
    M.Lines().SetTextStr(text);
    M.SetIntegerOption(1, 3);
    M.SetIntegerOption(2, 20);
    M.setFocus();
    const QImage image = Render(M);
    ASSERT_TRUE(image.save(QStringLiteral("/tmp/memo.png")));
    EXPECT_TRUE(M.VertBar()->isVisible());
}

TEST_F(Memo, EditMessagesCountRowsAndCharactersFromZero)
{
    M.Lines().SetTextStr("ab\r\ncde\r\nf");
    EXPECT_EQ(M.EditMessage(EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(M.EditMessage(EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(M.EditMessage(EM_LINEINDEX, 1, 0), 4);
    EXPECT_EQ(M.EditMessage(EM_LINEFROMCHAR, 5, 0), 1);
    AnsiString line;
    EXPECT_EQ(M.EditMessage(EM_GETLINE, 1, 0, &line), 3);
    EXPECT_EQ(line, "cde");
    TPoint p;
    const Integer packed = M.EditMessage(EM_POSFROMCHAR, 4, 0, nullptr, &p);
    EXPECT_EQ(p.X, M.TextRect().Left);
    EXPECT_EQ(p.Y, M.TextRect().Top + M.TextHeight(QString()));
    EXPECT_EQ(packed, (p.Y << 16) | p.X);
    EXPECT_EQ(M.EditMessage(EM_POSFROMCHAR, 99, 0), -1);
}
