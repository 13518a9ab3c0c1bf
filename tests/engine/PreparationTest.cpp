// The simulation start: net numbering over wires and macro pins, input
// links to the first driving output, wired-output groups, run lists, the
// idle hook of devices, DDE client conversations, and what a failing
// component leaves behind.
#include "SimulationBoard.h"

#include "engine/DdeInterfaces.h"
#include "engine/Globals.h"
#include "engine/Makro.h"
#include "engine/ShellHooks.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class PreparationTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ResetGlobals();
        ShellHooks.Progress = {};
        CreateDdeConversation = nullptr;
    }
    TTestBoard t;
    TPlatine& board = t.Board();
};

TEST_F(PreparationTest, CrossingWiresStaySeparateAndATJoins)
{
    // A cross: no end point on the other wire.
    board.AddWireAndNormalise({100, 500}, {500, 500});
    board.AddWireAndNormalise({300, 300}, {300, 700});
    // A T: the stem ends in the middle of the bar, which is split there.
    board.AddWireAndNormalise({100, 1000}, {500, 1000});
    board.AddWireAndNormalise({300, 1000}, {300, 1200});
    board.PrepareSimulation();

    const std::vector<TSegment*> wires = FreeWires(board);
    ASSERT_EQ(wires.size(), 5u);   // the bar of the T is now two pieces
    EXPECT_NE(wires[0]->Net, wires[1]->Net);
    EXPECT_EQ(wires[2]->Net, wires[3]->Net);
    EXPECT_EQ(wires[2]->Net, wires[4]->Net);
    EXPECT_NE(wires[2]->Net, wires[0]->Net);
    EXPECT_NE(wires[2]->Net, wires[1]->Net);
}

TEST_F(PreparationTest, NetsAreNumberedInOrderOfFirstAppearance)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    auto* probe = t.Place<TBTTestProbe>(500, 100);
    TMakro* macro = t.PlaceMacro(100, 600, 2);
    auto* inner = PlaceOn<TBTTestSource>(*macro->InnerBoard(), 600, 100);
    Wire(board, source, 0, probe, 0);
    board.PrepareSimulation();

    // The first object's stub opens net 1; everything on the root board is
    // numbered before the inner board, and numbers have no gaps.
    EXPECT_EQ(source->Outputs[0].Stub->Net, 1);
    EXPECT_EQ(probe->Inputs[0].Stub->Net, 1);
    EXPECT_EQ(macro->Inputs[0].Stub->Net, 2);
    EXPECT_EQ(macro->Outputs[0].Stub->Net, 3);
    EXPECT_EQ(inner->Outputs[0].Stub->Net, 4);
    for (TSegment* wire : FreeWires(board))
        EXPECT_EQ(wire->Net, 1);
}

TEST_F(PreparationTest, EveryInputOfANetReadsItsOutput)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    auto* a = t.Place<TBTTestProbe>(500, 100);
    auto* b = t.Place<TBTTestProbe>(500, 400);
    Wire(board, source, 0, a, 0);
    Wire(board, source, 0, b, 0);
    board.PrepareSimulation();

    EXPECT_EQ(a->Inputs[0].Source, &source->Outputs[0]);
    EXPECT_EQ(b->Inputs[0].Source, &source->Outputs[0]);
    for (TSegment* wire : FreeWires(board))
        EXPECT_EQ(wire->Driver, &source->Outputs[0]);
    EXPECT_EQ(source->Outputs[0].WiredGroup, std::vector<TBauteilPin*>{&source->Outputs[0]});
}

TEST_F(PreparationTest, ANetOfInputsOnlyStaysUnconnected)
{
    auto* a = t.Place<TBTTestProbe>(100, 100);
    auto* b = t.Place<TBTTestProbe>(500, 400);
    DrawWire(board, PinEnd(a->Inputs[0]), PinEnd(b->Inputs[0]));
    board.PrepareSimulation();

    EXPECT_EQ(a->Inputs[0].Source, nullptr);
    EXPECT_EQ(b->Inputs[0].Source, nullptr);
    for (TSegment* wire : FreeWires(board))
        EXPECT_EQ(wire->Driver, nullptr);
    board.Step();
    EXPECT_TRUE(a->Readings[0].Logic);
}

TEST_F(PreparationTest, OutputsOnOneNetFormAWiredGroupLedByTheFirst)
{
    auto* s1 = t.Place<TBTTestSource>(100, 100);
    auto* s2 = t.Place<TBTTestSource>(100, 400);
    auto* probe = t.Place<TBTTestProbe>(600, 250);
    Wire(board, s1, 0, probe, 0);
    Wire(board, s2, 0, probe, 0);

    board.PrepareSimulation();
    TBauteilPin* q1 = &s1->Outputs[0];
    TBauteilPin* q2 = &s2->Outputs[0];
    EXPECT_EQ(probe->Inputs[0].Source, q1);
    EXPECT_EQ(q1->WiredGroup, (std::vector<TBauteilPin*>{q1, q2}));
    EXPECT_EQ(q2->WiredGroup, (std::vector<TBauteilPin*>{q1, q2}));

    // The object order decides: s2 sent to the back leads after the next start.
    s2->SetSelected(true);
    board.SendToBack();
    board.PrepareSimulation();
    EXPECT_EQ(probe->Inputs[0].Source, q2);
    EXPECT_EQ(q1->WiredGroup, (std::vector<TBauteilPin*>{q2, q1}));

    // Both write through the group: a wired OR.
    s1->Values = {5.0L};
    s2->Values = {0.0L};
    board.Step();
    EXPECT_EQ(probe->Readings[0].Value, 5.0L);
}

TEST_F(PreparationTest, MacrosAreExpandedInPlaceWhenTheDriverIsChosen)
{
    // The macro comes first in object order, so the source inside it drives
    // the net before the source that lies after it on the root board.
    TMakro* macro = t.PlaceMacro(100, 100, 2);
    auto* inside = PlaceOn<TBTTestSource>(*macro->InnerBoard(), 0, 600);
    Wire(*macro->InnerBoard(), inside, 0, MacroPin(macro, 2), 0);
    auto* outside = t.Place<TBTTestSource>(100, 600);
    auto* probe = t.Place<TBTTestProbe>(700, 300);
    Wire(board, macro, 0, probe, 0);
    Wire(board, outside, 0, probe, 0);
    board.PrepareSimulation();

    EXPECT_EQ(probe->Inputs[0].Source, &inside->Outputs[0]);
    EXPECT_EQ(outside->Outputs[0].WiredGroup, (std::vector<TBauteilPin*>{&inside->Outputs[0], &outside->Outputs[0]}));
    EXPECT_EQ(macro->OutputDrivers, std::vector<TBauteilPin*>{&inside->Outputs[0]});
    // A macro's own pins have no source and no group.
    EXPECT_EQ(macro->Inputs[0].Source, nullptr);
    EXPECT_TRUE(macro->Outputs[0].WiredGroup.empty());
}

TEST_F(PreparationTest, AMacroPinJoinsTheOuterAndTheInnerNet)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    TMakro* macro = t.PlaceMacro(500, 100, 2);
    auto* gate = PlaceOn<TBTTestGate>(*macro->InnerBoard(), 600, 300);
    Wire(board, source, 0, macro, 0);
    DrawWire(*macro->InnerBoard(), PinEnd(MacroPin(macro, 1)->Inputs[0]), PinEnd(gate->Inputs[0]));
    board.PrepareSimulation();

    EXPECT_EQ(gate->Inputs[0].Source, &source->Outputs[0]);
    EXPECT_EQ(gate->Inputs[0].Stub->Net, source->Outputs[0].Stub->Net);
    EXPECT_EQ(MacroPin(macro, 1)->Inputs[0].Stub->Net, macro->Inputs[0].Stub->Net);
    EXPECT_EQ(macro->InputDrivers, std::vector<TBauteilPin*>{&source->Outputs[0]});
    EXPECT_EQ(gate->Inputs[1].Source, nullptr);
}

TEST_F(PreparationTest, TwoMacroPinsWiredInsideJoinTheOuterNets)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    TMakro* macro = t.PlaceMacro(500, 100, 2);
    auto* probe = t.Place<TBTTestProbe>(1000, 100);
    Wire(board, source, 0, macro, 0);
    Wire(board, macro, 0, probe, 0);
    DrawWire(*macro->InnerBoard(), PinEnd(MacroPin(macro, 1)->Inputs[0]), PinEnd(MacroPin(macro, 2)->Inputs[0]));
    board.PrepareSimulation();

    EXPECT_EQ(probe->Inputs[0].Source, &source->Outputs[0]);
    EXPECT_EQ(macro->Inputs[0].Stub->Net, macro->Outputs[0].Stub->Net);
}

TEST_F(PreparationTest, NetsPassThroughNestedMacros)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    TMakro* outer = t.PlaceMacro(500, 100, 2);
    TMakro* inner = PlaceMacroOn(t, *outer->InnerBoard(), 600, 100, 2);
    auto* probe = PlaceOn<TBTTestProbe>(*inner->InnerBoard(), 700, 100);
    Wire(board, source, 0, outer, 0);
    DrawWire(*outer->InnerBoard(), PinEnd(MacroPin(outer, 1)->Inputs[0]), PinEnd(inner->Inputs[0]));
    DrawWire(*inner->InnerBoard(), PinEnd(MacroPin(inner, 1)->Inputs[0]), PinEnd(probe->Inputs[0]));
    board.PrepareSimulation();

    EXPECT_EQ(probe->Inputs[0].Source, &source->Outputs[0]);
    EXPECT_EQ(probe->Inputs[0].Stub->Net, source->Outputs[0].Stub->Net);
    EXPECT_EQ(inner->InputDrivers, std::vector<TBauteilPin*>{&source->Outputs[0]});

    // Both levels are on the run lists and step after their outer board.
    EXPECT_EQ(board.MacroList, std::vector<TMakro*>{outer});
    EXPECT_EQ(outer->InnerBoard()->MacroList, std::vector<TMakro*>{inner});
    source->Values = {3.0L};
    board.Step();
    EXPECT_EQ(probe->Readings[0].Value, 3.0L);
}

TEST_F(PreparationTest, AMacroPinComponentWithoutItsPinJoinsNothing)
{
    // Three pin components: pin count 4, so output 1 has none inside, and a
    // pin component renumbered beyond the pins stands for nothing.
    TMakro* macro = t.PlaceMacro(500, 100, 3);
    ASSERT_EQ(macro->OutputCount, 2);
    auto* probe = t.Place<TBTTestProbe>(1000, 100);
    Wire(board, macro, 1, probe, 0);
    MacroPin(macro, 3)->SetNumber(7);
    board.PrepareSimulation();
    EXPECT_EQ(probe->Inputs[0].Source, nullptr);
    EXPECT_NE(macro->Outputs[0].Stub->Net, MacroPin(macro, 7)->Inputs[0].Stub->Net);
}

TEST_F(PreparationTest, StartingAgainGivesTheSameNetsAndLinks)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    TMakro* macro = t.PlaceMacro(500, 100, 2);
    auto* gate = PlaceOn<TBTTestGate>(*macro->InnerBoard(), 600, 300);
    auto* probe = t.Place<TBTTestProbe>(1000, 100);
    Wire(board, source, 0, macro, 0);
    Wire(board, macro, 0, probe, 0);
    DrawWire(*macro->InnerBoard(), PinEnd(MacroPin(macro, 1)->Inputs[0]), PinEnd(gate->Inputs[0]));
    Wire(*macro->InnerBoard(), gate, 0, MacroPin(macro, 2), 0);

    board.PrepareSimulation();
    std::vector<Integer> first;
    CollectNets(board, first);
    board.StopSimulation();
    board.PrepareSimulation();
    std::vector<Integer> second;
    CollectNets(board, second);

    EXPECT_EQ(first, second);
    EXPECT_EQ(gate->Inputs[0].Source, &source->Outputs[0]);
    EXPECT_EQ(probe->Inputs[0].Source, &gate->Outputs[0]);
}

TEST_F(PreparationTest, RunListsFollowTheObjectOrder)
{
    struct TTicking : TBTTestProbe {
        TTicking() { NeedsTimerTick = true; }
    };
    auto* a = t.Place<TBTTestSource>(100, 100);
    TMakro* macro = t.PlaceMacro(500, 100, 2);
    auto* b = t.Place<TTicking>(900, 100);
    board.PrepareSimulation();

    const std::vector<TIOBauteil*> components{a, macro, b};
    EXPECT_EQ(board.CalcList, components);
    EXPECT_EQ(board.TickList, std::vector<TBauteil*>{b});
    EXPECT_EQ(board.MacroList, std::vector<TMakro*>{macro});
    EXPECT_EQ(board.WireList.size(), static_cast<std::size_t>(CountOf<TSegment>(board)));
    // The macro pin components are on their board's list, computing nothing.
    EXPECT_EQ(macro->InnerBoard()->CalcList.size(), 2u);
}

// ---- Devices, DDE clients and failures

// Counts the device openings and lets a test fail the reset.
class TCountingHardware : public TBTTestHardware {
public:
    Integer Resets = 0;
    Integer Stops = 0;
    bool FailReset = false;
    bool FailStop = false;
    void ResetForStart() override
    {
        ++Resets;
        if (FailReset)
            throw std::runtime_error("reset failed");
    }
    void SimulationStopped() override
    {
        ++Stops;
        if (FailStop)
            throw std::runtime_error("stop failed");
    }
};

TEST_F(PreparationTest, DevicesStepTheRootBoardWhileTheyWait)
{
    TMakro* macro = t.PlaceMacro(500, 100, 0);
    auto* device = PlaceOn<TCountingHardware>(*macro->InnerBoard(), 100, 100);
    board.PrepareSimulation();
    ASSERT_TRUE(device->Driver()->OnIdle);
    device->Driver()->WaitMs(3);
    EXPECT_EQ(board.StepCounter, 3);   // the root board, not the inner one

    board.StopSimulation();
    EXPECT_FALSE(device->Driver()->OnIdle);
    EXPECT_EQ(device->Stops, 1);
}

// A device that waits while it opens, so that it steps the board then.
class TOpeningDevice : public TFakeDevice {
public:
    void openDevice() override { WaitMs(1); }
};

class TOpeningHardware : public TGrundBT, public IHardwareComponent {
public:
    IDevice* Driver() const override { return &device_; }
    void FreeDriver() override {}

private:
    mutable TOpeningDevice device_;
};

TEST_F(PreparationTest, ADeviceOpeningAtTheStartStepsNoObjectDeletedSinceTheLastStart)
{
    TMakro* macro = t.PlaceMacro(500, 100, 0);
    TBTTestProbe* inside = PlaceOn<TBTTestProbe>(*macro->InnerBoard(), 100, 100);
    t.Place<TOpeningHardware>(100, 100);
    board.PrepareSimulation();
    board.StopSimulation();
    macro->InnerBoard()->RemoveObject(inside);

    board.PrepareSimulation();   // the opening step must not reach the removed probe
    EXPECT_EQ(macro->InnerBoard()->CalcList.size(), 0u);
    board.Step();
}

class TFakeConversation : public IDdeConversation {
public:
    static inline Integer Alive = 0;
    static inline std::vector<bool> LinkingSeen;
    bool Answer = true;
    TFakeConversation() { ++Alive; }
    ~TFakeConversation() override { --Alive; }
    bool SetLink(const AnsiString& service, const AnsiString&) override
    {
        LinkingSeen.push_back(DdeLinking);
        return service != "SILENT";
    }
};

class TTestDdeClient : public TGrundBT, public IDdeClient {
public:
    AnsiString ServiceName = "EXCEL";
    AnsiString TopicName = "Sheet1";
    IDdeConversation* Attached = nullptr;
    AnsiString Service() const override { return ServiceName; }
    AnsiString Topic() const override { return TopicName; }
    void AttachItem(IDdeConversation* conversation) override { Attached = conversation; }
};

TEST_F(PreparationTest, DdeClientsShareOneConversationPerServiceAndTopic)
{
    CreateDdeConversation = [] { return std::make_unique<TFakeConversation>(); };
    TFakeConversation::LinkingSeen.clear();
    auto* a = t.Place<TTestDdeClient>(100, 100);
    auto* b = t.Place<TTestDdeClient>(100, 400);
    TMakro* macro = t.PlaceMacro(500, 100, 0);
    auto* inner = PlaceOn<TTestDdeClient>(*macro->InnerBoard(), 100, 100);
    auto* silent = t.Place<TTestDdeClient>(100, 700);
    silent->ServiceName = "SILENT";

    board.PrepareSimulation();
    EXPECT_EQ(TFakeConversation::Alive, 2);
    EXPECT_EQ(DdeConversationList.size(), 2u);
    EXPECT_EQ(a->Conversation, b->Conversation);
    EXPECT_EQ(a->Conversation, inner->Conversation);
    EXPECT_EQ(inner->Attached, inner->Conversation);
    EXPECT_NE(silent->Conversation, a->Conversation);
    EXPECT_TRUE(a->Linked && b->Linked && inner->Linked);
    EXPECT_FALSE(silent->Linked);
    EXPECT_EQ(TFakeConversation::LinkingSeen, std::vector<bool>(4, true));
    EXPECT_FALSE(DdeLinking);

    // The partner closes: every client of that conversation, on any board,
    // loses its link.
    a->Conversation->OnClose(a->Conversation);
    EXPECT_FALSE(a->Linked || b->Linked || inner->Linked);

    board.StopSimulation();
    EXPECT_EQ(TFakeConversation::Alive, 0);
    EXPECT_TRUE(DdeConversationList.empty());
    EXPECT_EQ(a->Conversation, nullptr);
}

TEST_F(PreparationTest, AFailingResetLeavesNothingHalfPrepared)
{
    std::vector<AnsiString> progress;
    ShellHooks.Progress.Start = [&](const AnsiString& title, bool) { progress.push_back("start " + title); };
    ShellHooks.Progress.Close = [&] { progress.push_back("close"); };
    auto* source = t.Place<TBTTestSource>(100, 100);
    TMakro* macro = t.PlaceMacro(500, 100, 0);
    auto* device = PlaceOn<TCountingHardware>(*macro->InnerBoard(), 100, 100);
    device->FailReset = true;

    EXPECT_THROW(board.PrepareSimulation(), std::runtime_error);
    EXPECT_EQ(progress, (std::vector<AnsiString>{"start Start...", "close"}));
    EXPECT_FALSE(device->Driver()->OnIdle);
    EXPECT_FALSE(DdeLinking);
    EXPECT_TRUE(board.CalcList.empty());
    EXPECT_TRUE(macro->InnerBoard()->CalcList.empty());
    source->Values = {5.0L};
    board.Step();   // steps nothing
    EXPECT_EQ(source->Outputs[0].Value, 0.0L);

    device->FailReset = false;
    board.PrepareSimulation();
    board.Step();
    EXPECT_EQ(source->Outputs[0].Value, 5.0L);
}

TEST_F(PreparationTest, AFailingStopStillStopsEverythingElse)
{
    auto* first = t.Place<TCountingHardware>(100, 100);
    auto* second = t.Place<TCountingHardware>(100, 400);
    first->FailStop = true;
    board.PrepareSimulation();

    EXPECT_THROW(board.StopSimulation(), std::runtime_error);
    EXPECT_EQ(second->Stops, 1);
    EXPECT_FALSE(first->Driver()->OnIdle);
    EXPECT_FALSE(second->Driver()->OnIdle);
}

} // namespace
