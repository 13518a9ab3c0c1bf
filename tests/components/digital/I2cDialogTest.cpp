// The I2C master's step-program dialog: the buttons insert before the
// selected row or append, the loop markers stand in the list once and move
// to the selected row, delete, up and down, the list kept with the step
// list, and OK applying the program, the loop count and the clock while
// Cancel leaves them.
#include "DigitalRig.h"

#include "components/digital/BT_I2C.h"
#include "components/digital/DLG_I2C.h"

#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class I2cDialogTest : public DigitalTest {
protected:
    void SetUp() override
    {
        DigitalTest::SetUp();
        RegisterRows(I2cRows());
    }
};

QToolButton* ButtonOfTag(TI2C_Dlg& dlg, Integer tag)
{
    for (QToolButton* button : dlg.findChildren<QToolButton*>())
        if (button->property("Tag").toInt() == tag)
            return button;
    return nullptr;
}

// The list box shows the step list, row by row.
void ExpectListShowsSteps(TI2C_Dlg& dlg)
{
    ASSERT_EQ(dlg.lbProgramm->count(), int(dlg.Steps.size()));
    for (int row = 0; row < dlg.lbProgramm->count(); ++row)
        EXPECT_EQ(dlg.lbProgramm->item(row)->text().toStdString(), I2cStepText(dlg.Steps[std::size_t(row)]))
            << row;
}

// Actions: a number selects that row (-1 none), a letter presses a button:
// S START, P STOP, W SEND WRITE ADRESS, R SEND READ ADRESS, D SEND DATA BYTE,
// K WAIT ACKNOWLEDGE, V RECEIVE DATA BYTE, A ACKNOWLEDGE, N NO ACKNOWLEDGE,
// [ LOOP START, ] LOOP END, x DELETE, u UP, d DOWN.
struct TAction {
    int Select = -2;
    char Button = 0;
};
Integer TagOf(char button)
{
    switch (button) {
    case 'S': return I2cStart;
    case 'P': return I2cStop;
    case 'W': return I2cSendWriteAddress;
    case 'R': return I2cSendReadAddress;
    case 'D': return I2cSendDataByte;
    case 'K': return I2cWaitAcknowledge;
    case 'V': return I2cReceiveDataByte;
    case 'A': return I2cAcknowledge;
    case 'N': return I2cNoAcknowledge;
    case '[': return I2cLoopStart;
    case ']': return I2cLoopEnd;
    case 'x': return TI2C_Dlg::DeleteTag;
    case 'u': return TI2C_Dlg::UpTag;
    default: return TI2C_Dlg::DownTag;
    }
}
TAction Row(int row)
{
    return {row, 0};
}
TAction Press(char button)
{
    return {-2, button};
}

TEST_F(I2cDialogTest, StepEditingRules)
{
    using I = std::vector<Integer>;
    struct TCase {
        const char* What;
        I Start;
        std::vector<TAction> Actions;
        I Expected;
        int Selected;
    };
    const TCase cases[] = {
        {"steps append while no row is selected", {}, {Press('S'), Press('W'), Press('K'), Press('P')},
         {I2cStart, I2cSendWriteAddress, I2cWaitAcknowledge, I2cStop}, -1},
        {"a step goes before the selected row", {I2cStart, I2cStop}, {Row(1), Press('D'), Press('K')},
         {I2cStart, I2cSendDataByte, I2cWaitAcknowledge, I2cStop}, 3},
        {"LOOP START twice stays once", {I2cStart}, {Press('['), Press('[')}, {I2cStart, I2cLoopStart}, -1},
        {"a second LOOP START moves to the selected row", {I2cStart, I2cStop},
         {Press('['), Row(1), Press('[')}, {I2cStart, I2cLoopStart, I2cStop}, 1},
        {"moving up the list", {I2cStart, I2cSendDataByte, I2cStop, I2cLoopEnd}, {Row(1), Press(']')},
         {I2cStart, I2cLoopEnd, I2cSendDataByte, I2cStop}, 1},
        {"a marker not yet there goes before the selected row", {I2cStart, I2cStop}, {Row(1), Press(']')},
         {I2cStart, I2cLoopEnd, I2cStop}, 2},
        {"delete selects the row now at that place", {I2cStart, I2cSendDataByte, I2cStop}, {Row(1), Press('x')},
         {I2cStart, I2cStop}, 1},
        {"deleting the last row leaves none selected", {I2cStart, I2cStop}, {Row(1), Press('x')}, {I2cStart}, -1},
        {"delete without a selection does nothing", {I2cStart}, {Press('x')}, {I2cStart}, -1},
        {"up swaps with the row above", {I2cStart, I2cStop, I2cSendDataByte}, {Row(2), Press('u'), Press('u')},
         {I2cSendDataByte, I2cStart, I2cStop}, 0},
        {"up on the first row does nothing", {I2cStart, I2cStop}, {Row(0), Press('u')}, {I2cStart, I2cStop}, 0},
        {"down swaps with the row below", {I2cStart, I2cStop, I2cSendDataByte}, {Row(0), Press('d')},
         {I2cStop, I2cStart, I2cSendDataByte}, 1},
        {"down on the last row does nothing", {I2cStart, I2cStop}, {Row(1), Press('d')}, {I2cStart, I2cStop}, 1},
        {"up and down without a selection do nothing", {I2cStart, I2cStop}, {Press('u'), Press('d')},
         {I2cStart, I2cStop}, -1},
        {"every step button", {}, {Press('S'), Press('R'), Press('W'), Press('D'), Press('V'), Press('P'),
                                   Press('A'), Press('K'), Press('N')},
         {I2cStart, I2cSendReadAddress, I2cSendWriteAddress, I2cSendDataByte, I2cReceiveDataByte, I2cStop,
          I2cAcknowledge, I2cWaitAcknowledge, I2cNoAcknowledge}, -1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TI2C_Dlg dlg;
        dlg.Steps = c.Start;
        dlg.FormShow();
        EXPECT_EQ(dlg.SelectedRow(), -1);
        for (const TAction& action : c.Actions) {
            if (action.Select != -2) {
                dlg.SelectRow(action.Select);
                continue;
            }
            QToolButton* button = ButtonOfTag(dlg, TagOf(action.Button));
            ASSERT_NE(button, nullptr) << action.Button;
            button->click();
        }
        EXPECT_EQ(dlg.Steps, c.Expected);
        EXPECT_EQ(dlg.SelectedRow(), c.Selected);
        ExpectListShowsSteps(dlg);
    }
}

TEST_F(I2cDialogTest, ButtonsCarryTheirTags)
{
    TI2C_Dlg dlg;
    const std::pair<QToolButton*, Integer> buttons[] = {
        {dlg.AddBtn, 0},        {dlg.SpeedButton3, 1},  {dlg.SpeedButton4, 2}, {dlg.SpeedButton5, 3},
        {dlg.SpeedButton2, 4},  {dlg.SpeedButton1, 5},  {dlg.SpeedButton7, 6}, {dlg.SpeedButton6, 7},
        {dlg.SpeedButton8, 8},  {dlg.SpeedButton11, 9}, {dlg.SpeedButton12, 10}, {dlg.DelBtn, 11},
        {dlg.SpeedButton9, 12}, {dlg.SpeedButton10, 13}};
    for (const auto& [button, tag] : buttons)
        EXPECT_EQ(button->property("Tag").toInt(), tag) << button->objectName().toStdString();
    EXPECT_EQ(dlg.SpeedButton4->text(), "SEND WRITE ADRESS");
    EXPECT_EQ(dlg.LoopSpin->MinValue(), 1);
    EXPECT_EQ(dlg.LoopSpin->MaxValue(), 100000);
    dlg.LoopSpin->SetValue(250000);
    EXPECT_EQ(dlg.LoopSpin->Value(), 100000);
}

TEST_F(I2cDialogTest, CaptionsByLanguage)
{
    const char* cancel[] = {"&Abbrechen", "&Cancel", "&Annuler"};
    for (Integer language = 0; language < 3; ++language) {
        LanguageIndex = language;
        TI2C_Dlg dlg;
        EXPECT_EQ(dlg.windowTitle(), "I2C MASTER");
        EXPECT_EQ(dlg.Button2->text(), cancel[language]);
        EXPECT_EQ(dlg.OKBtn->text(), "&OK");
        EXPECT_EQ(dlg.gbProgramm->title(), "I2C COMMAND SEQUENCE");
        EXPECT_EQ(dlg.cb_CLK->text(), "Internal CLK");
        EXPECT_TRUE(dlg.windowFlags() & Qt::WindowContextHelpButtonHint);
    }
    RunOnlyMode = true;
    TI2C_Dlg runOnly;
    EXPECT_FALSE(runOnly.windowFlags() & Qt::WindowContextHelpButtonHint);
}

// The dialog opens on a copy of the program; OK hands it back with the
// clock and loop count, Cancel leaves everything.
TEST_F(I2cDialogTest, OkAppliesAndCancelLeaves)
{
    TTestBoard t;
    auto* master = static_cast<TBT_I2C_Master*>(t.Place("TBT_I2C_Master", 100, 100));
    master->Program = {I2cStart, I2cStop};
    master->LoopCount = 12;
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = dynamic_cast<TI2C_Dlg&>(form);
            EXPECT_EQ(dlg.lbProgramm->count(), 2);
            EXPECT_EQ(dlg.SelectedRow(), -1);
            EXPECT_TRUE(dlg.cb_CLK->isChecked());
            EXPECT_EQ(dlg.LoopSpin->Value(), 12);
            dlg.SelectRow(1);
            dlg.SpeedButton4->click();
            dlg.cb_CLK->setChecked(false);
            dlg.LoopSpin->SetValue(3);
            (ok ? dlg.OKBtn : dlg.Button2)->click();
        }});
        EXPECT_EQ(master->EditProperties(), ok ? mrOk : mrCancel);
        if (!ok) {
            EXPECT_EQ(master->Program, (std::vector<Integer>{I2cStart, I2cStop}));
            EXPECT_TRUE(master->InternalClock);
            EXPECT_EQ(master->LoopCount, 12);
        }
    }
    EXPECT_EQ(master->Program, (std::vector<Integer>{I2cStart, I2cSendWriteAddress, I2cStop}));
    EXPECT_FALSE(master->InternalClock);
    EXPECT_EQ(master->LoopCount, 3);

    // A number typed past the range and confirmed at once counts as the range's end.
    TFormHook hook({[&](TModalForm& form) {
        auto& dlg = dynamic_cast<TI2C_Dlg&>(form);
        dlg.LoopSpin->SetValue(1);
        dlg.LoopSpin->setFocus();
        QTest::keyClick(dlg.LoopSpin, Qt::Key_End);
        QTest::keyClicks(dlg.LoopSpin, "0000000");
        ASSERT_GT(dlg.LoopSpin->Value(), 100000);
        dlg.OKBtn->click();
    }});
    EXPECT_EQ(master->EditProperties(), mrOk);
    EXPECT_EQ(master->LoopCount, 100000);
}

} // namespace
