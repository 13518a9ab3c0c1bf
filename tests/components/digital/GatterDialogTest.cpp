// The gates' settings dialog: the input count chosen in the shared property
// sheet, applied on OK with the pins rebuilt, kept on Cancel.
#include "components/digital/BT_Gatter.h"

#include "support/TestBoard.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "engine/Globals.h"
#include "engine/Language.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class GatterDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterRows(GateRows());
    }
    void TearDown() override { ResetGlobals(); }

    // A gate with n inputs, each fed from a source of its own.
    TIOBauteil* WiredGate(const char* className, Integer n)
    {
        TIOBauteil* gate = t.Place(className, 600, 100);
        gate->SetInputCount(n);
        for (Integer i = 0; i < n; ++i) {
            auto* source = t.Place<TBTTestSource>(gate->Inputs[i].X - 400, gate->Inputs[i].Y - 40);
            t.Connect(source, 0, gate, i);
        }
        return gate;
    }

    // Opens the gate's dialog, chooses the entry (-1: none) and presses OK or
    // Cancel; what the dialog showed is recorded.
    Integer Edit(TIOBauteil* gate, int entry, bool ok)
    {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            Caption = dlg.Caption();
            HelpContext = dlg.HelpContext();
            ASSERT_EQ(dlg.Props->Rows.size(), 1u);
            auto& row = dynamic_cast<TComboPropEditor&>(*dlg.Props->Rows[0]->Editor);
            RowCaption = row.NameLabel->text();
            Entries = row.Combo->count();
            Shown = row.Combo->currentIndex();
            row.Combo->setCurrentIndex(entry);
            QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        return gate->EditProperties();
    }

    TTestBoard t;
    AnsiString Caption;
    Integer HelpContext = 0;
    QString RowCaption;
    int Entries = 0;
    int Shown = -2;
};

TEST_F(GatterDialog, OkAppliesTheCountWithFreshUnconnectedInputs)
{
    TIOBauteil* gate = WiredGate("TBTAnd", 5);
    gate->Inputs[1].Inverted = true;
    EXPECT_EQ(Edit(gate, 0, true), 1);
    EXPECT_EQ(Caption, "AND");
    EXPECT_EQ(HelpContext, 18235);
    EXPECT_EQ(RowCaption, QString::fromUtf8("Eingänge"));
    EXPECT_EQ(Entries, 15);
    EXPECT_EQ(Shown, 3);   // 5 inputs
    ASSERT_EQ(gate->InputCount, 2);
    for (const TBauteilPin& pin : gate->Inputs) {
        EXPECT_EQ(pin.Source, nullptr);
        EXPECT_FALSE(pin.Inverted);
        EXPECT_EQ(pin.Name, "");
    }
}

TEST_F(GatterDialog, DoubleClickOnTheSelectedGateOpensItsDialog)
{
    TIOBauteil* gate = t.Place("TBTAnd", 600, 100);
    t.Board().SelectObject(gate, true);
    TFormHook hook({[](TModalForm& form) {
        auto& dlg = static_cast<TDefault_Dlg&>(form);
        dynamic_cast<TComboPropEditor&>(*dlg.Props->Rows[0]->Editor).Combo->setCurrentIndex(1);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    }});
    t.Board().DblClick();
    EXPECT_EQ(hook.Shown(), std::vector<AnsiString>{"AND"});
    EXPECT_EQ(gate->InputCount, 3);
}

TEST_F(GatterDialog, CancelKeepsTheInputsAndTheirWiring)
{
    TIOBauteil* gate = WiredGate("TBTOr", 5);
    std::vector<const TBauteilPin*> sources;
    for (const TBauteilPin& pin : gate->Inputs)
        sources.push_back(pin.Source);
    EXPECT_EQ(Edit(gate, 0, false), 2);
    ASSERT_EQ(gate->InputCount, 5);
    for (Integer i = 0; i < 5; ++i) {
        EXPECT_NE(gate->Inputs[i].Source, nullptr);
        EXPECT_EQ(gate->Inputs[i].Source, sources[i]);
    }
}

TEST_F(GatterDialog, GrowsToSixteenInputs)
{
    TIOBauteil* gate = t.Place("TBTExor", 600, 100);
    Edit(gate, 14, true);
    EXPECT_EQ(gate->InputCount, 16);
    EXPECT_EQ(Shown, 0);
}

TEST_F(GatterDialog, ACountOutsideTheListIsKeptOnOk)
{
    // A hand-edited file may hold more inputs than the list offers: nothing
    // is chosen, and OK must not turn that into a gate of one input.
    TIOBauteil* gate = t.Place("TBTNand", 600, 100);
    gate->SetInputCount(20);
    Edit(gate, -1, true);
    EXPECT_EQ(Shown, -1);
    EXPECT_EQ(gate->InputCount, 20);
}

TEST_F(GatterDialog, InverterHasNoDialog)
{
    TIOBauteil* gate = t.Place("TBTInverter", 600, 100);
    TFormHook hook({});
    EXPECT_EQ(gate->EditProperties(), 0);
    EXPECT_TRUE(hook.Shown().empty());
}

}   // namespace
