// The text multiplexer, hold and buffer: selection and rebuilding, edges and
// their order within a step, clearing, and the retained texts surviving a
// stop and a start through the program's retained-state file.
#include "StringRig.h"

#include "project/RunStateFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

class TextMemory : public StringTest {};

std::vector<std::optional<AnsiString>> MuxInputs(Integer kind, unsigned select, bool enabled)
{
    std::vector<std::optional<AnsiString>> inputs{enabled ? "5" : "0"};
    for (Integer s = 0; s <= kind; ++s)
        inputs.emplace_back((select >> s & 1) ? "5" : "0");
    for (Integer c = 0; c < (2 << kind); ++c)
        inputs.emplace_back("ch" + std::to_string(c) + "\0\xFF"s);
    return inputs;
}

TEST_F(TextMemory, MultiplexerSelectsEachChannelOfEachKind)
{
    for (Integer kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        TStringRig rig("TBTStrMux", MuxInputs(kind, 0, true), TBTStrMux::KindInputs[kind]);
        auto* mux = static_cast<TBTStrMux*>(rig.C);
        EXPECT_EQ(mux->ChannelKind(), kind);
        EXPECT_EQ(mux->Inputs[0].Name, "EN");
        EXPECT_EQ(mux->Inputs[static_cast<std::size_t>(1 + kind)].Name, "S" + std::to_string(kind));
        EXPECT_EQ(mux->Inputs[static_cast<std::size_t>(2 + kind)].Name, "$0");
        EXPECT_EQ(mux->Inputs.back().Name, "$" + std::to_string((2 << kind) - 1));
        for (unsigned select = 0; select < (2u << kind); ++select) {
            rig.Set(MuxInputs(kind, select, true));
            rig.Step();
            EXPECT_EQ(rig.Text(0), "ch" + std::to_string(select) + "\0\xFF"s);
        }
        rig.Set(MuxInputs(kind, 1, false));
        rig.Step();
        EXPECT_EQ(rig.Text(0), "");
    }
}

TEST_F(TextMemory, MultiplexerWithOpenControlsTakesTheLastChannel)
{
    TStringRig rig("TBTStrMux", {Open, Open, "a", "b"});
    rig.Step();
    EXPECT_EQ(rig.Text(0), "b");
    rig.C->ResetForStart();
    EXPECT_EQ(rig.Text(0), "");
}

TEST_F(TextMemory, MultiplexerRebuildKeepsOrDropsPins)
{
    TTestBoard t;
    auto* mux = PlaceAs<TBTStrMux>(t, "TBTStrMux", 1000, 100);
    mux->SetChannels(3);
    EXPECT_EQ(mux->InputCount, 21);
    EXPECT_EQ(mux->Inputs[4].Name, "S3");
    EXPECT_EQ(mux->Inputs[20].Name, "$15");
    auto* source = t.Place<TBTTestTextSource>(100, 100);
    t.Connect(source, 0, mux, 5);
    mux->SetChannels(3);   // the same kind: nothing rebuilt
    EXPECT_EQ(mux->Inputs[5].Source, &source->Outputs[0]);
    mux->SetChannels(0);
    EXPECT_EQ(mux->InputCount, 4);
    EXPECT_EQ(mux->Inputs[1].Name, "S0");
    EXPECT_EQ(mux->Inputs[2].Name, "$0");
    EXPECT_EQ(mux->Inputs[3].Name, "$1");
    EXPECT_EQ(mux->Inputs[2].Source, nullptr);
}

TEST_F(TextMemory, HoldFollowsWhileHighAndKeepsWhileLow)
{
    TStringRig rig("TBTStrHold", {"a\0"s, Open});
    rig.Step();
    EXPECT_EQ(rig.Text(0), "a\0"s);
    TStringRig held("TBTStrHold", {"one", "5"});
    held.Step();
    held.Set({"two", "0"});
    held.Step();
    EXPECT_EQ(held.Text(0), "one");
    held.Set({"three", "5"});
    held.Step();
    EXPECT_EQ(held.Text(0), "three");
    held.C->ResetForStart();
    EXPECT_EQ(held.Text(0), "");
    EXPECT_EQ(static_cast<TBTStrHold*>(held.C)->Held, "");
}

// Inputs: "$", "|W", "|R", "/CLR", "N".
class TBufferRig {
public:
    TBufferRig() : rig("TBTStrBuffer", {"", "5", "5", "5", "0"}) { rig.C->ResetForStart(); }
    void Step(const AnsiString& text, bool w, bool r, Integer n = 0, bool clear = false)
    {
        rig.Set({text, w ? "5" : "0", r ? "5" : "0", clear ? "0" : "5", std::to_string(n)});
        rig.Step();
    }
    const AnsiString& Buf() const { return rig.Text(0); }
    const AnsiString& Data() const { return rig.Text(1); }
    TStringRig rig;
};

TEST_F(TextMemory, BufferAppendsOnFallingWriteAndTakesOnFallingRead)
{
    TBufferRig b;
    // High from the start is no edge: the levels start low.
    b.Step("x", true, true, 0);
    EXPECT_EQ(b.Buf(), "");
    b.Step("ab\0"s, false, true, 0);   // falling W appends once
    EXPECT_EQ(b.Buf(), "ab\0"s);
    b.Step("ab\0"s, false, true, 0);
    EXPECT_EQ(b.Buf(), "ab\0"s);
    b.Step("\xFF", true, true, 0);
    b.Step("\xFF", false, false, 0);   // N = 0: nothing taken
    EXPECT_EQ(b.Data(), "");
    EXPECT_EQ(b.Buf(), "ab\0\xFF"s);
    b.Step("", false, true, 2);
    b.Step("", false, false, 2);
    EXPECT_EQ(b.Data(), "ab");
    EXPECT_EQ(b.Buf(), "\0\xFF"s);
    b.Step("", false, true, 99);
    b.Step("", false, false, 99);   // more than there is: all of it
    EXPECT_EQ(b.Data(), "\0\xFF"s);
    EXPECT_EQ(b.Buf(), "");
}

TEST_F(TextMemory, BufferWritesBeforeItReadsInOneStep)
{
    TBufferRig b;
    b.Step("old", true, true, 0);
    b.Step("old", false, true, 0);
    b.Step("new", true, true, 0);
    b.Step("new", false, false, 5);   // both edges in one step
    EXPECT_EQ(b.Data(), "oldne");
    EXPECT_EQ(b.Buf(), "w");
}

TEST_F(TextMemory, BufferClearHoldsEverythingEmpty)
{
    TBufferRig b;
    b.Step("abc", true, true);
    b.Step("abc", false, true);
    for (int step = 0; step < 2; ++step) {
        b.Step("abc", true, false, 3, true);
        EXPECT_EQ(b.Buf(), "");
        EXPECT_EQ(b.Data(), "");
    }
    // The levels were cleared to low: W high after the clear is no edge.
    b.Step("abc", true, true, 3);
    EXPECT_EQ(b.Buf(), "");
}

TEST_F(TextMemory, RetainedTextsSurviveStopAndStart)
{
    QTemporaryDir dir;
    const AnsiString project = dir.path().toStdString() + "/p.prj";
    const AnsiString awkward = "line 1\r\nline 2\0end \xE4\xFF "s;

    TTestBoard t;
    auto* hold = PlaceAs<TBTStrHold>(t, "TBTStrHold", 1000, 100);
    auto* buffer = PlaceAs<TBTStrBuffer>(t, "TBTStrBuffer", 1000, 600);
    t.Board().PrepareSimulation();   // numbers them and resets them
    hold->Held = awkward;
    buffer->Buffer = awkward;
    buffer->Data = "\0"s;
    {
        TRunStateFile ini(project);
        t.Board().SaveComponentStates(ini);
        EXPECT_EQ(ini.ReadString(t.Board().BoardName + ".$HLD" + std::to_string(hold->Number), "Hold", "?"),
                  awkward);
    }
    // The next start resets, then restores.
    hold->ResetForStart();
    buffer->ResetForStart();
    TRunStateFile ini(project);
    t.Board().LoadComponentStates(ini, 0);
    EXPECT_EQ(hold->Held, awkward);
    EXPECT_EQ(buffer->Buffer, awkward);
    EXPECT_EQ(buffer->Data, "\0"s);
    // The buffer shows its texts at once.
    EXPECT_EQ(buffer->Outputs[0].Text, awkward);
    EXPECT_EQ(buffer->Outputs[1].Text, "\0"s);
}

TEST_F(TextMemory, MissingStateKeysReadAsEmptyTexts)
{
    QTemporaryDir dir;
    TTestBoard t;
    auto* buffer = PlaceAs<TBTStrBuffer>(t, "TBTStrBuffer", 1000, 600);
    buffer->Buffer = "x";
    TRunStateFile ini(dir.path().toStdString() + "/none.prj");
    t.Board().LoadComponentStates(ini, 0);
    EXPECT_EQ(buffer->Buffer, "");
    EXPECT_EQ(buffer->Data, "");
}

} // namespace
