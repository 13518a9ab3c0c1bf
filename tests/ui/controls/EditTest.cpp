// The single-line edit as a widget: typing, hit tests, scrolling, password
// masking, automatic size, the right-button menu and focus handling.
#include "ui/controls/UCLEdit.h"
#include "ui/controls/UCLSBtn.h"

#include "MouseHelpers.h"
#include "platform/PopupMenu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class Edit : public ::testing::Test {
protected:
    void SetUp() override
    {
        LibraryApplication().SetEditMode(emInsert);
        Window.resize(300, 100);
        E = new TUCLEdit(&Window);
        E->setGeometry(10, 10, 120, 21);
        Other = new TUCLEdit(&Window);
        Other->setGeometry(10, 50, 120, 21);
        Window.show();
        QApplication::setActiveWindow(&Window);
        E->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(E->hasFocus());
        E->OnChange = [this](TPersistent*) { ++Changes; };
    }
    void TearDown() override
    {
        SetPopupMenuHook(nullptr);
        LibraryApplication().SetEditMode(emInsert);
    }
    // The x of the boundary before position n of the display text.
    int XBefore(int n) const { return E->TextRect().Left + E->TextWidth(E->DisplayText().left(n - 1)) - E->ScrollOffset(); }

    QWidget Window;
    TUCLEdit* E = nullptr;
    TUCLEdit* Other = nullptr;
    int Changes = 0;
};

TEST_F(Edit, TypingInsertsAndFiresChangePerCharacter)
{
    QTest::keyClicks(E, "hello");
    EXPECT_EQ(E->GetText(), "hello");
    EXPECT_EQ(E->CaretPos(), 6);
    EXPECT_EQ(Changes, 5);
    QTest::keyClick(E, Qt::Key_Backspace);
    QTest::keyClick(E, Qt::Key_Home);
    QTest::keyClick(E, Qt::Key_Delete);
    EXPECT_EQ(E->GetText(), "ell") << "Delete takes a character and types none";
    EXPECT_TRUE(E->Modified());
}

TEST_F(Edit, ComposedCharactersAreTyped)
{
    QInputMethodEvent compose;
    compose.setCommitString(QString::fromUtf8("é"));
    QApplication::sendEvent(E, &compose);
    QTest::keyClick(E, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(E->GetText(), QString::fromUtf8("é")) << "Alt alone types nothing";
}

TEST_F(Edit, UpAndDownMoveLikeLeftAndRight)
{
    E->SetText("abc");
    E->SetIntegerOption(5, 2);
    QTest::keyClick(E, Qt::Key_Down);
    EXPECT_EQ(E->CaretPos(), 3);
    QTest::keyClick(E, Qt::Key_Up);
    QTest::keyClick(E, Qt::Key_Up);
    EXPECT_EQ(E->CaretPos(), 1);
    QTest::keyClick(E, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(E->SelLength(), 3);
}

TEST_F(Edit, KeyDownHandlerSeesVirtualKeyAndCanSwallowIt)
{
    Word seen = 0;
    Byte seenShift = 0;
    E->OnKeyDown = [&](TPersistent* Sender, Word& Key, Byte Shift) {
        EXPECT_EQ(Sender, E);
        seen = Key;
        seenShift = Shift;
        if (Key == VK_BACK)
            Key = 0;
    };
    E->SetText("ab");
    E->SetIntegerOption(5, 3);
    QTest::keyClick(E, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(seen, VK_RETURN);
    EXPECT_EQ(seenShift, 0x04);
    QTest::keyClick(E, Qt::Key_Backspace);
    EXPECT_EQ(E->GetText(), "ab");
}

TEST_F(Edit, TabOnEnterMovesFocus)
{
    E->TabOnEnter = true;
    QTest::keyClick(E, Qt::Key_Return);
    EXPECT_TRUE(Other->hasFocus());
}

// A click on the left half of a character puts the caret before it, on the
// right half after it; beyond the text at the end.
TEST_F(Edit, ClickUsesHalfCharacterRule)
{
    E->SetText("WMW");
    const int y = 10;
    struct {
        int X;
        Integer Caret;
    } const cases[] = {
        {XBefore(2) + 1, 2},
        {XBefore(3) - 1, 3},
        {XBefore(4) - 1, 4},
        {XBefore(4) + 20, 4},
        {E->TextRect().Left - 5, 1},
    };
    for (const auto& c : cases) {
        Press(E, {c.X, y});
        Release(E, {c.X, y});
        EXPECT_EQ(E->CaretPos(), c.Caret) << "x " << c.X;
    }
}

TEST_F(Edit, ShiftClickExtendsSelection)
{
    E->SetText("abcdef");
    Press(E, {XBefore(2) + 1, 10});
    Release(E, {XBefore(2) + 1, 10});
    Press(E, {XBefore(5) + 1, 10}, Qt::ShiftModifier);
    Release(E, {XBefore(5) + 1, 10});
    EXPECT_EQ(E->SelStart(), 2);
    EXPECT_EQ(E->SelLength(), 3);
    Press(E, {XBefore(6) + 1, 10});
    EXPECT_EQ(E->SelLength(), 0) << "a plain click afterwards does not extend";
    Release(E, {XBefore(6) + 1, 10});
}

TEST_F(Edit, DraggingSelectsAndTimerFollowsMouseOutside)
{
    E->SetText("abcdefghijklmnopqrstuvwxyz0123456789");
    Press(E, {XBefore(2) + 1, 10});
    ASSERT_TRUE(E->SelectionTimerRunning());
    Drag(E, {XBefore(4) + 1, 10});
    EXPECT_EQ(E->SelLength(), 2);
    Drag(E, {400, 10});
    const Integer beyond = E->SelLength();
    EXPECT_EQ(E->CaretPos(), 37);
    EXPECT_GT(E->ScrollOffset(), 0) << "the caret at the end scrolls the text";
    E->SelectionTimer()->DoTimer();
    EXPECT_EQ(E->SelLength(), beyond);
    Release(E, {400, 10});
    EXPECT_FALSE(E->SelectionTimerRunning());
}

TEST_F(Edit, DoubleClickSelectsWord)
{
    int doubleClicks = 0;
    E->OnDblClick = [&](TPersistent*) { ++doubleClicks; };
    E->SetText("ab cd");
    Press(E, {XBefore(5) - 1, 10});
    Release(E, {XBefore(5) - 1, 10});
    SendMouse(E, QEvent::MouseButtonDblClick, {XBefore(5) - 1, 10}, Qt::LeftButton, Qt::LeftButton);
    Release(E, {XBefore(5) - 1, 10});
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(E->SelStart(), 4);
    EXPECT_EQ(E->SelLength(), 2);
}

TEST_F(Edit, TypingPastRightEdgeScrollsAndHomeScrollsBack)
{
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(E, Qt::Key_M);
    EXPECT_GT(E->ScrollOffset(), 0);
    const TRect r = E->TextRect();
    EXPECT_LE(E->CaretPixelPos().X, r.Right + 1);
    EXPECT_GE(E->CaretPixelPos().X, r.Left);
    QTest::keyClick(E, Qt::Key_Home);
    EXPECT_EQ(E->ScrollOffset(), 0);
    EXPECT_EQ(E->CaretPixelPos().X, r.Left);
}

TEST_F(Edit, PasswordCharMasksTextAndRefusesClipboard)
{
    QGuiApplication::clipboard()->setText("keep");
    E->SetText("12345");
    Changes = 0;
    E->SetPasswordChar(QLatin1Char('*'));
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(E->DisplayText(), "*****");
    QTest::keyClick(E, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(E, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(E, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(E, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "keep");
    EXPECT_EQ(E->GetText(), "12345");
    // The caret stands after the asterisks, whatever the hidden digits measure.
    E->SetIntegerOption(5, 4);
    EXPECT_EQ(E->CaretPixelPos().X, E->TextRect().Left + E->TextWidth("***"));
}

TEST_F(Edit, AutoSizeTakesHeightFromFont)
{
    const Integer qp = E->TextHeight("Qp");
    E->SetAutoSize(true);
    EXPECT_EQ(E->height(), qp * 5 / 4 + 5);
    EXPECT_EQ(E->width(), 120);
    E->Bevel().SetMode(TUCLBevelMode::bmCustom);
    E->Bevel().SetStyleOuter(TUCLBevelStyle::bvRaised);
    E->Bevel().SetWidthOuter(2);
    EXPECT_EQ(E->height(), qp * 5 / 4 + 4);
}

TEST_F(Edit, CustomButtonsSitRightOfTextAndReportClicks)
{
    const TRect before = E->TextAreaRect();
    TUCLSpecialButton* first = E->CustomButtons().Add();
    TUCLSpecialButton* second = E->CustomButtons().Add();
    const Integer clientRight = E->ClientRectangle().Right;
    EXPECT_EQ(E->TextAreaRect().Right, clientRight - 33);
    const Integer right = E->TextAreaRect().Right;
    EXPECT_EQ(first->Button().geometry(), QRect(right + 1, before.Top, 16, before.Height()));
    EXPECT_EQ(second->Button().geometry().left(), right + 17);
    EXPECT_EQ(second->Button().ButtonStyle(), ubsIntegrated);

    std::vector<std::string> calls;
    second->OnClick = [&](TUCLSpecialButton* Sender, Integer Index) {
        EXPECT_EQ(Sender, second);
        calls.push_back("item " + std::to_string(Index));
    };
    E->OnBtnClick = [&](TPersistent* Sender, TPersistent* Btn, Integer Index) {
        EXPECT_EQ(Sender, E);
        EXPECT_EQ(Btn, &second->Button());
        calls.push_back("edit " + std::to_string(Index));
    };
    Press(&second->Button(), {3, 3});
    Release(&second->Button(), {3, 3});
    EXPECT_EQ(calls, (std::vector<std::string>{"item 1", "edit 1"}));

    E->CustomButtons().Delete(0);
    EXPECT_EQ(E->TextAreaRect().Right, clientRight - 17);
    EXPECT_EQ(second->Button().geometry().left(), E->TextAreaRect().Right + 1);
    E->SetCustomButtonWidth(20);
    EXPECT_EQ(second->Button().width(), 20);
}

TEST_F(Edit, AutoSizeKeepsRoomForButtons)
{
    E->resize(20, 21);
    for (int i = 0; i < 3; ++i)
        E->CustomButtons().Add();
    E->SetAutoSize(true);
    EXPECT_EQ(E->width(), 3 * 16 + 30);
}

TEST_F(Edit, ContextMenuOffersEditingCommands)
{
    // Paste is offered only with text on the clipboard; each test runs in a
    // process of its own, so put some there.
    QGuiApplication::clipboard()->setText("x");
    E->SetText("abc");
    E->SelectAll();
    QStringList items;
    SetPopupMenuHook([&](QMenu& Menu, QPoint) {
        for (QAction* a : Menu.actions()) {
            if (a->isSeparator())
                continue;
            items << a->text() + (a->isEnabled() ? "+" : "-");
            if (a->text() == "&Cut")
                a->trigger();
        }
    });
    SendMouse(E, QEvent::MouseButtonPress, {20, 10}, Qt::RightButton, Qt::RightButton);
    SendMouse(E, QEvent::MouseButtonRelease, {20, 10}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(items, QStringList({"&Undo-", "&Cut+", "&Copy+", "&Paste+", "&Delete+", "Select all+"}));
    EXPECT_EQ(E->GetText(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "abc");

    bool handled = false;
    E->OnContextPopup = [&](TPersistent*, QPoint, bool& Handled) { Handled = handled = true; };
    items.clear();
    SendMouse(E, QEvent::MouseButtonRelease, {20, 10}, Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(handled);
    EXPECT_TRUE(items.isEmpty());
}

TEST_F(Edit, AutoSelectOnKeyboardFocusButNotOnClick)
{
    Other->SetText("xyz");
    Other->SetBooleanOption(4, true);
    Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Other->SelLength(), 3);
    EXPECT_EQ(Other->CaretPos(), 4);
    E->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(Other->SelectionHidden()) << "leaving hides the selection";
    Other->SetIntegerOption(2, 0);
    Other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Other->SelLength(), 0);
}

TEST_F(Edit, EnterAndExitEvents)
{
    int enters = 0, exits = 0;
    Other->OnEnter = [&](TPersistent*) { ++enters; };
    Other->OnExit = [&](TPersistent*) { ++exits; };
    Other->setFocus(Qt::TabFocusReason);
    E->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);
}

} // namespace
