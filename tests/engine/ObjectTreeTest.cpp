// The object tree of the settings overview: node texts, the run-time filter,
// macros as branches, and the nodes' objects.
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/ObjectTree.h"
#include "engine/ShellHooks.h"
#include "platform/AnsiText.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class ObjectTreeTest : public ::testing::Test {
protected:
    ObjectTreeTest()
    {
        ShellHooks.PanelPageCaption = [](Integer page) { return page == 1 ? AnsiString("Main") : AnsiString("Other"); };
    }
    ~ObjectTreeTest() override
    {
        ShellHooks.PanelPageCaption = nullptr;
        ResetGlobals();
    }

    // Every node as its text, children indented by two blanks.
    std::vector<std::string> Texts()
    {
        tree.clear();
        FillObjectTree(board, tree, nullptr, TIOBauteil::StaticClass());
        std::vector<std::string> result;
        std::function<void(QTreeWidgetItem*, std::string)> walk = [&](QTreeWidgetItem* node, std::string indent) {
            result.push_back(indent + QStringToAnsi(node->text(0)));
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i), indent + "  ");
        };
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            walk(tree.topLevelItem(i), "");
        return result;
    }

    TTestBoard t;
    TPlatine& board = t.Board();
    QTreeWidget tree;
};

using TList = std::vector<std::string>;

TEST_F(ObjectTreeTest, NodesNameCaptionDesignatorNumberAndElementPage)
{
    t.Place<TBTTestGate>(100, 100);
    auto* counter = t.Place<TBTTestGate>(100, 400);
    counter->SetCaption("Counter 1");
    auto* lamp = t.Place<TBTTestLamp>(400, 100);   // no settings dialog of its own
    TFakeElement* element = t.Host().RootDesign.AddElement(lamp);
    element->SetFrontplattenNR(1);
    element->HintText = "Speed";
    lamp->SetPanelElement(element);
    t.Place<TBTTestSource>(400, 400);              // no dialog, no element: never listed

    EXPECT_EQ(Texts(), (TList{"Counter 1 (TAND2)", "TESTUND (TAND1)", "Testlampe (LMP1) (Main->Speed)"}));
    EXPECT_EQ(TreeNodeObject(*static_cast<QTreeWidgetItem*>(counter->TreeNode)), counter);
    EXPECT_EQ(TreeNodeElement(*static_cast<QTreeWidgetItem*>(lamp->TreeNode)), element);
    EXPECT_EQ(TreeNodeObject(*static_cast<QTreeWidgetItem*>(lamp->TreeNode)), nullptr);
}

TEST_F(ObjectTreeTest, MacrosAreBranchesAndMacroPinsAreNamedByLabel)
{
    TMakro* macro = t.PlaceMacro(1000, 1000, 2);
    macro->Name = "Filter";
    TPlatine& inner = *macro->InnerBoard();
    for (TBauteil* o : inner.Objects)
        if (auto* pin = dynamic_cast<TBTPin*>(o))
            pin->Label = pin->Number == 1 ? "IN" : "OUT";
    t.Place<TBTTestGate>(100, 100);
    EXPECT_EQ(Texts(), (TList{"Filter (MCR1)", "  Pin IN (Pin1)", "  Pin OUT (Pin2)", "TESTUND (TAND1)"}));
}

TEST_F(ObjectTreeTest, WhileRunningOnlyWhatMayBeSetAtRunTime)
{
    auto* fixed = t.Place<TBTTestGate>(100, 100);
    auto* adjustable = t.Place<TBTTestGate>(100, 400);
    adjustable->RuntimeAdjustable = true;
    auto* lamp = t.Place<TBTTestLamp>(400, 100);
    TFakeElement* element = t.Host().RootDesign.AddElement(lamp);
    element->SetFrontplattenNR(1);
    element->HintText = "Level";
    lamp->SetPanelElement(element);
    // A macro holding only components fixed while running is left out.
    TMakro* macro = t.PlaceMacro(1000, 1000, 2);
    macro->InnerBoard()->InsertObject(CreateBauteil<TBTTestGate>());
    fixed->SetCaption("Fixed");

    SimulationRunning = true;
    EXPECT_EQ(Texts(), (TList{"TESTUND (TAND2)"}));
    element->Adjustable = true;
    EXPECT_EQ(Texts(), (TList{"TESTUND (TAND2)", "Testlampe (LMP1) (Main->Level)"}));
}

} // namespace
