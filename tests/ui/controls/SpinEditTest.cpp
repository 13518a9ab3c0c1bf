// The mask edit's integer entry and the spin edits.
#include "ui/controls/UCLSpinEdit.h"

#include "MouseHelpers.h"
#include "support/TestNames.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SpinEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        LibraryApplication().SetEditMode(emInsert);
        Window.resize(300, 100);
        S = new TUCLSpinEdit(&Window);
        S->setGeometry(10, 10, 100, 21);
        Other = new TUCLSpinEdit(&Window);
        Other->setGeometry(10, 50, 100, 21);
        Window.show();
        QApplication::setActiveWindow(&Window);
        S->setFocus(Qt::OtherFocusReason);
        S->OnChange = [this](TPersistent*) { ++Changes; };
        S->OnValidationError = [this](TPersistent*) { ++Errors; };
    }
    void Type(const char* Text) { QTest::keyClicks(S, Text); }
    void Put(const QString& Text, Integer Caret)
    {
        S->SetText(Text);
        S->SetIntegerOption(5, Caret);
    }
    void LeaveEdit() { Other->setFocus(Qt::TabFocusReason); }

    QWidget Window;
    TUCLSpinEdit* S = nullptr;
    TUCLSpinEdit* Other = nullptr;
    int Changes = 0;
    int Errors = 0;
};

TEST_F(SpinEdit, StartsAtZeroInZeroToHundred)
{
    EXPECT_EQ(S->GetText(), "0");
    EXPECT_EQ(S->MinValue(), 0);
    EXPECT_EQ(S->MaxValue(), 100);
    EXPECT_TRUE(S->AutoSize());
    EXPECT_TRUE(S->AutoSelect());
}

TEST_F(SpinEdit, MinusKeyTogglesSignAndMovesCaret)
{
    Put("12", 3);
    Type("-");
    EXPECT_EQ(S->GetText(), "-12");
    EXPECT_EQ(S->CaretPos(), 4);
    Type("-");
    EXPECT_EQ(S->GetText(), "12");
    EXPECT_EQ(S->CaretPos(), 3);
    S->SelectAll();
    Type("-");
    EXPECT_EQ(S->GetText(), "-");
}

TEST_F(SpinEdit, OnlyDigitsAreTypedAndNeverBeforeMinus)
{
    QString pressed;
    S->OnKeyPress = [&](TPersistent*, QChar& Key) { pressed += Key; };
    Put("-5", 1);
    Type("7x.");
    EXPECT_EQ(S->GetText(), "-5");
    EXPECT_EQ(pressed, "7x.") << "refused characters still reach OnKeyPress";
    S->SetIntegerOption(5, 3);
    Type("3");
    EXPECT_EQ(S->GetText(), "-53");
}

struct TPasteCase {
    const char* Name;
    const char* Text;
    Integer SelStart;
    Integer SelLength;
    const char* Clipboard;
    const char* Expected;
};

class PasteCases : public SpinEdit, public ::testing::WithParamInterface<TPasteCase> {};

TEST_P(PasteCases, InsertOnlyASignedRunOfDigits)
{
    const TPasteCase& c = GetParam();
    S->SetText(c.Text);
    S->SetIntegerOption(5, c.SelStart);
    S->SetIntegerOption(1, c.SelStart);
    S->SetIntegerOption(2, c.SelLength);
    QGuiApplication::clipboard()->setText(c.Clipboard);
    S->PasteFromClipboard();
    EXPECT_EQ(S->GetText(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, PasteCases,
                         ::testing::Values(TPasteCase{"SignedIntoEmpty", "", 1, 0, "-7", "-7"},
                                           TPasteCase{"SecondMinusRefused", "-3", 3, 0, "-7", "-3"},
                                           TPasteCase{"DigitThenLetterRefused", "1", 2, 0, "5a", "1"},
                                           TPasteCase{"DigitsInside", "12", 2, 0, "345", "13452"},
                                           TPasteCase{"MinusInsideRefused", "12", 2, 0, "-5", "12"},
                                           TPasteCase{"DigitsBeforeMinusRefused", "-5", 1, 0, "3", "-5"},
                                           TPasteCase{"ReplaceSignedText", "-3", 1, 2, "-7", "-7"}),
                         TRowName());

class Suffixed : public SpinEdit {
protected:
    void SetUp() override
    {
        SpinEdit::SetUp();
        S->SetSuffix(" V");
        S->SetText("12 V");
    }
};

TEST_F(Suffixed, TypingAfterSuffixIsIgnored)
{
    S->SetIntegerOption(5, 5);
    Type("3");
    EXPECT_EQ(S->GetText(), "12 V");
    S->SetIntegerOption(5, 3);
    Type("3");
    EXPECT_EQ(S->GetText(), "123 V");
    EXPECT_EQ(S->GetAsInteger(), 123);
}

TEST_F(Suffixed, DeletingStopsBeforeSuffix)
{
    S->SelectAll();
    QTest::keyClick(S, Qt::Key_Backspace);
    EXPECT_EQ(S->GetText(), " V");
    EXPECT_EQ(S->GetAsInteger(), 0);

    S->SetText("12 V");
    struct {
        Integer Caret;
        Qt::Key Key;
        const char* Expected;
    } const cases[] = {
        {3, Qt::Key_Backspace, "1 V"}, {4, Qt::Key_Backspace, "12 V"}, {5, Qt::Key_Backspace, "12 V"},
        {2, Qt::Key_Delete, "1 V"},    {3, Qt::Key_Delete, "12 V"},    {4, Qt::Key_Delete, "12 V"},
    };
    for (const auto& c : cases) {
        S->SetText("12 V");
        S->SetIntegerOption(5, c.Caret);
        QTest::keyClick(S, c.Key);
        EXPECT_EQ(S->GetText(), c.Expected) << "caret " << c.Caret << " key " << c.Key;
    }
}

TEST_F(Suffixed, ClipboardOnlyBeforeSuffix)
{
    QGuiApplication::clipboard()->setText("5");
    S->SetIntegerOption(5, 4);
    S->SetIntegerOption(1, 2);
    S->SetIntegerOption(2, 2);
    S->CutToClipboard();
    S->PasteFromClipboard();
    EXPECT_EQ(S->GetText(), "12 V");
    S->SetIntegerOption(2, 0);
    S->SetIntegerOption(5, 3);
    S->PasteFromClipboard();
    EXPECT_EQ(S->GetText(), "125 V");
}

TEST_F(Suffixed, StepWritesSuffixAndValueIgnoresIt)
{
    QTest::keyClick(S, Qt::Key_Up);
    EXPECT_EQ(S->GetText(), "13 V");
    EXPECT_EQ(S->Value(), 13);
    S->SetSuffix(" ms");
    EXPECT_EQ(S->GetText(), "13 ms");
}

TEST_F(SpinEdit, LeavingWithOnlyMinusEmptiesThenClamps)
{
    Put("", 1);
    Type("-");
    EXPECT_EQ(S->GetText(), "-");
    EXPECT_EQ(S->GetAsInteger(), 0);
    EXPECT_EQ(Errors, 1);
    LeaveEdit();
    EXPECT_EQ(S->GetText(), "0");
}

TEST_F(SpinEdit, AsIntegerSaturatesAndReportsBadText)
{
    struct {
        const char* Text;
        Integer Value;
        int Errors;
    } const cases[] = {
        {"", 0, 0},
        {"42", 42, 0},
        {"-42", -42, 0},
        {"  7", 7, 0},
        {"99999999999", 2147483647, 0},
        {"-99999999999", -2147483647 - 1, 0},
        {"12a", 0, 1},
        {"99999999999999999999999", 0, 1},
    };
    for (const auto& c : cases) {
        Errors = 0;
        S->SetText(c.Text);
        EXPECT_EQ(S->GetAsInteger(), c.Value) << c.Text;
        EXPECT_EQ(Errors, c.Errors) << c.Text;
    }
}

TEST_F(SpinEdit, RangeStaysOrdered)
{
    S->SetMaxValue(-5);
    EXPECT_EQ(S->MinValue(), -5);
    EXPECT_EQ(S->MaxValue(), -5);
    S->SetMinValue(10);
    EXPECT_EQ(S->MaxValue(), 10);
    EXPECT_EQ(S->GetText(), "0") << "changing the range leaves the text";
}

TEST_F(SpinEdit, FormOrderMinMaxValueShowsValue)
{
    S->SetMinValue(1);
    S->SetMaxValue(12);
    S->SetValue(1);
    EXPECT_EQ(S->GetText(), "1");
}

TEST_F(SpinEdit, ValueIsClampedWhenWritten)
{
    S->SetValue(500);
    EXPECT_EQ(S->GetText(), "100");
    S->SetValue(-3);
    EXPECT_EQ(S->GetText(), "0");
}

// A dialog used again: the value written before showing it must appear even
// when the user had stepped the number and the same value was written last time.
TEST_F(SpinEdit, WrittenValueReplacesSteppedNumber)
{
    S->SetValue(5);
    QTest::keyClick(S, Qt::Key_Up);
    EXPECT_EQ(S->Value(), 6);
    Changes = 0;
    S->SetValue(5);
    EXPECT_EQ(S->GetText(), "5");
    EXPECT_EQ(Changes, 1);
    S->SetValue(5);
    EXPECT_EQ(Changes, 1) << "no OnChange without a change";
}

TEST_F(SpinEdit, StepsStopAtRangeEnds)
{
    S->SetValue(99);
    QTest::keyClick(S, Qt::Key_Up);
    QTest::keyClick(S, Qt::Key_Up);
    EXPECT_EQ(S->GetText(), "100");
    S->SetValue(3);
    QTest::keyClick(S, Qt::Key_PageDown);
    EXPECT_EQ(S->GetText(), "0");
    QTest::keyClick(S, Qt::Key_PageUp);
    EXPECT_EQ(S->GetText(), "10");
    QTest::keyClick(S, Qt::Key_Down);
    EXPECT_EQ(S->GetText(), "9");
}

TEST_F(SpinEdit, TypedNumberIsClampedOnFocusLoss)
{
    S->SelectAll();
    Type("500");
    EXPECT_EQ(S->Value(), 500);
    LeaveEdit();
    EXPECT_EQ(S->Value(), 100);
    EXPECT_EQ(S->GetText(), "100");
}

TEST_F(SpinEdit, ButtonsFireTheirEventsKeysDoNot)
{
    int ups = 0, downs = 0;
    S->OnSpinBtnUpClick = [&](TPersistent*) { ++ups; };
    S->OnSpinBtnDownClick = [&](TPersistent*) { ++downs; };
    QTest::keyClick(S, Qt::Key_Up);
    EXPECT_EQ(ups, 0);
    TUCLSpinButton& b = S->SpinButton();
    Press(&b, {2, 2});
    Release(&b, {2, 2});
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(S->Value(), 2);
    Press(&b, {b.width() - 2, b.height() - 2});
    Release(&b, {b.width() - 2, b.height() - 2});
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(S->Value(), 1);
}

TEST_F(SpinEdit, WheelSteps)
{
    QWheelEvent up(QPointF(5, 5), S->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(S, &up);
    QApplication::sendEvent(S, &up);
    EXPECT_EQ(S->Value(), 2);
}

TEST_F(SpinEdit, ReadOnlyStopsStepsEditorDisabledOnlyTyping)
{
    S->SetBooleanOption(1, true);
    QTest::keyClick(S, Qt::Key_Up);
    EXPECT_EQ(S->Value(), 0);
    S->SetBooleanOption(1, false);
    S->EditorEnabled = false;
    S->SelectAll();
    Type("7");
    EXPECT_EQ(S->GetText(), "0");
    QTest::keyClick(S, Qt::Key_Up);
    EXPECT_EQ(S->Value(), 1);
}

TEST_F(SpinEdit, NonNumberStepsFromZero)
{
    S->SetText("x");
    QTest::keyClick(S, Qt::Key_Up);
    EXPECT_EQ(Errors, 1);
    EXPECT_EQ(S->GetText(), "1");
}

TEST_F(SpinEdit, SpinButtonSitsRightOfTextArea)
{
    const TRect area = S->TextAreaRect();
    const QRect b = S->SpinButton().geometry();
    EXPECT_EQ(b.left(), area.Right + 1);
    EXPECT_EQ(b.top(), area.Top);
    EXPECT_EQ(b.width(), area.Height());
    EXPECT_EQ(b.height(), area.Height());
    S->SetSpinBtnWidth(0, 12);
    EXPECT_EQ(S->SpinButton().width(), 12);
    EXPECT_EQ(S->TextAreaRect().Right, S->ClientRectangle().Right - 1 - 12);
}

} // namespace
