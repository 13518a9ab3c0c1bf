// The test board builder that component tests build on: placed components,
// wires from output to input that also link the input, and one pass of
// every component in object order.
#include "support/TestBoard.h"

#include <gtest/gtest.h>

namespace {

TEST(TestBoardBuilder, WiredComponentsReadEachOther)
{
    TTestBoard t;
    auto* source = t.Place<TBTTestSource>(100, 100);
    source->SetOutputCount(2);
    auto* gate = t.Place<TBTTestGate>(400, 100);
    auto* probe = t.Place<TBTTestProbe>(700, 200);
    t.Connect(source, 0, gate, 0);
    t.Connect(source, 1, gate, 1);
    t.Connect(gate, 0, probe, 0);
    EXPECT_TRUE(gate->Inputs[0].Connected);
    EXPECT_TRUE(probe->Inputs[0].Connected);

    source->Values = {5.0L, 5.0L};
    t.CalculateAll();
    ASSERT_EQ(probe->Readings.size(), 1u);
    EXPECT_TRUE(probe->Readings[0].Logic);
    EXPECT_EQ(probe->Readings[0].Value, 5.0L);

    source->Values = {5.0L, 0.0L};
    t.CalculateAll();
    EXPECT_FALSE(probe->Readings[0].Logic);
    EXPECT_EQ(probe->Readings[0].Level, 0.0L);
}

TEST(TestBoardBuilder, WiredGroupsAndRemovalKeepLinksSound)
{
    TTestBoard t;
    auto* a = t.Place<TBTTestSource>(100, 100);
    auto* b = t.Place<TBTTestSource>(100, 300);
    auto* probe = t.Place<TBTTestProbe>(500, 200);
    t.Connect(a, 0, probe, 0);
    TTestBoard::MakeWiredGroup({&a->Outputs[0], &b->Outputs[0]});
    a->Values = {1.5L};
    b->Values = {2.0L};
    t.CalculateAll();
    EXPECT_EQ(probe->Readings[0].Value, 3.5L);

    t.Board().RemoveObject(a);
    t.CalculateAll();
    EXPECT_EQ(probe->Readings[0].Value, 0.0L);   // unconnected now
    EXPECT_EQ(b->Outputs[0].WiredGroup, std::vector<TBauteilPin*>{&b->Outputs[0]});
}

} // namespace
