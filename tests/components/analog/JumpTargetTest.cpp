// The jump target: pairing by exact caption with the last jump of that name
// on its own board, the text of the jump's step in board order, and its
// sheet offering the captions of the board's jumps.
#include "AnalogTestSupport.h"

#include "components/analog/BT_Jump_Target.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/ModalForm.h"
#include "dialogs/PropEditors.h"
#include "engine/Globals.h"
#include "engine/Jump.h"
#include "engine/Language.h"
#include "support/TestBoard.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class JumpTargetTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }

    // A jump of the caption fed by a text source carrying the text.
    TBTJump* Jump(const char* caption, const char* text, Integer y)
    {
        auto* source = t.Place<TBTTestTextSource>(100, y);
        source->Texts = {text};
        auto* jump = t.Place<TBTJump>(400, y);
        jump->SetCaption(caption);
        t.Connect(source, 0, jump, 0);
        return jump;
    }
    TBTJumpTarget* Target(const char* caption, Integer y)
    {
        auto* target = PlaceAs<TBTJumpTarget>(t, "TBTJumpTarget", 700, y);
        target->SetCaption(caption);
        return target;
    }
    // The start of a run for every target, then one step in object order.
    void Start()
    {
        for (TBauteil* object : t.Board().Objects)
            if (auto* component = dynamic_cast<TIOBauteil*>(object))
                component->ResetForStart();
    }
    static const AnsiString& Out(const TBTJumpTarget* target) { return target->Outputs[0].Text; }

    TTestBoard t;
};

TEST_F(JumpTargetTest, ANewTargetListensToQuestionMarkAndHasOneTextOutput)
{
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        auto target = Make<TBTJumpTarget>("TBTJumpTarget");
        const char* const names[] = {"Sprung (Ziel)", "Jump (Destination)", "Report (Destination)"};
        EXPECT_EQ(target->GetTypeName(), names[language]);
        EXPECT_EQ(target->Caption, "?");
        EXPECT_EQ(target->Designator, "JMPT");
        EXPECT_EQ(target->HelpContext, 18532);
        EXPECT_TRUE(target->HasPropertyDialog);
        ASSERT_EQ(target->InputCount, 0);
        ASSERT_EQ(target->OutputCount, 1);
        EXPECT_TRUE(target->Outputs[0].IsTextPin());
    }
}

TEST_F(JumpTargetTest, CaptionsAreComparedExactly)
{
    Jump("A", "abc", 100);
    const struct {
        const char* Caption;
        const char* Received;
    } cases[] = {{"A", "abc"}, {"a", ""}, {"?", ""}, {"A ", ""}};
    std::vector<TBTJumpTarget*> targets;
    Integer y = 100;
    for (const auto& c : cases)
        targets.push_back(Target(c.Caption, y += 200));
    Start();
    t.CalculateAll();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        SCOPED_TRACE(cases[i].Caption);
        EXPECT_EQ(Out(targets[i]), cases[i].Received);
    }
}

TEST_F(JumpTargetTest, AnEarlierTargetSeesThePreviousStepsText)
{
    TBTJumpTarget* early = Target("J1", 900);
    Jump("J1", "eins", 100);
    TBTJumpTarget* late = Target("J1", 1100);
    auto* source = dynamic_cast<TBTTestTextSource*>(t.Board().Objects[2]);
    ASSERT_NE(source, nullptr);
    Start();
    t.CalculateAll();
    EXPECT_EQ(Out(early), "");
    EXPECT_EQ(Out(late), "eins");
    source->Texts = {"zwei"};
    t.CalculateAll();
    EXPECT_EQ(Out(early), "eins");
    EXPECT_EQ(Out(late), "zwei");
}

TEST_F(JumpTargetTest, OfTwoJumpsOfTheNameTheLastWins)
{
    Jump("X", "first", 100);
    Jump("X", "second", 300);
    TBTJumpTarget* target = Target("X", 500);
    Start();
    t.CalculateAll();
    EXPECT_EQ(Out(target), "second");
    EXPECT_EQ(t.Board().JumpList.size(), 2u);
}

TEST_F(JumpTargetTest, JumpsDoNotReachIntoOrOutOfMacros)
{
    RegisterRows(JumpTargetRows());
    TMakro* macro = t.PlaceMacro(1200, 100, 2);
    TPlatine* inner = macro->InnerBoard();
    auto* innerJump = CreateBauteil<TBTJump>();
    innerJump->SetCaption("M");
    inner->InsertObject(innerJump);
    auto* innerTarget = dynamic_cast<TBTJumpTarget*>(CreateComponent("TBTJumpTarget"));
    innerTarget->SetCaption("O");
    inner->InsertObject(innerTarget);
    TBTJump* outerJump = Jump("O", "outside", 100);
    TBTJumpTarget* outerTarget = Target("M", 300);
    innerJump->JumpText = "inside";
    Start();
    innerTarget->ResetForStart();
    t.CalculateAll();
    innerTarget->Calculate();
    EXPECT_EQ(Out(outerTarget), "");
    EXPECT_EQ(Out(innerTarget), "");
    EXPECT_EQ(outerTarget->Source, nullptr);
    EXPECT_EQ(innerTarget->Source, nullptr);
    EXPECT_EQ(t.Board().JumpList, std::vector<TBTJump*>{outerJump});
}

TEST_F(JumpTargetTest, RemovingTheJumpTakesItOffTheBoardsList)
{
    TBTJump* jump = Jump("R", "x", 100);
    t.Board().ListJumps();
    ASSERT_EQ(t.Board().JumpList.size(), 1u);
    t.Board().RemoveObject(jump);
    EXPECT_TRUE(t.Board().JumpList.empty());
}

TEST_F(JumpTargetTest, TheSheetOffersTheBoardsJumpsAndSetsTheCaptionOnOkOnly)
{
    Jump("P1", "", 100);
    Jump("Q2", "", 300);
    TBTJumpTarget* target = Target("Q2", 500);
    auto edit = [&](bool ok, int choose, QStringList* items = nullptr, int* shown = nullptr) {
        TFormHook hook({[&](TModalForm& form) {
            auto& dlg = static_cast<TDefault_Dlg&>(form);
            auto& row = dynamic_cast<TComboPropEditor&>(*dlg.Props->Rows.at(0)->Editor);
            if (items) {
                items->clear();
                for (int i = 0; i < row.Combo->count(); ++i)
                    *items << row.Combo->itemText(i);
            }
            if (shown)
                *shown = row.Combo->currentIndex();
            row.Combo->setCurrentIndex(choose);
            QTest::mouseClick(ok ? dlg.OKBtn : dlg.CancelBtn, Qt::LeftButton);
        }});
        return target->EditProperties();
    };
    QStringList items;
    int shown = -2;
    EXPECT_EQ(edit(true, 0, &items, &shown), 1);
    EXPECT_EQ(items, (QStringList{"P1", "Q2"}));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(target->Caption, "P1");
    EXPECT_NE(edit(false, 1), 1);
    EXPECT_EQ(target->Caption, "P1");
    EXPECT_EQ(edit(true, -1), 1);
    EXPECT_EQ(target->Caption, "?");
}

} // namespace
