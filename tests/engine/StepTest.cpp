// The running circuit: what a component sees of the others in a step,
// macro boards after their outer board, nested steps while a device waits,
// errors inside a step, the 50 ms tick, the live displays and the walk over
// the retained states.
#include "SimulationBoard.h"

#include "engine/Globals.h"
#include "engine/Makro.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>

namespace {

class TStepInverter : public TGrundBT {
    ZK_CLASS(TStepInverter, TGrundBT)

public:
    TStepInverter()
    {
        SetInputCount(1);
        SetOutputCount(1);
    }
    void Calculate() override { SetOutputLogic(0, !InputLogic(0)); }
};

class StepTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
    TTestBoard t;
    TPlatine& board = t.Board();
};

TEST_F(StepTest, AComponentSeesThisStepOfThoseBeforeItAndTheLastOfThoseAfter)
{
    struct TCase {
        bool aFirst;
        Integer stepsUntilBSeesA;
    };
    for (const TCase c : {TCase{true, 1}, TCase{false, 2}}) {
        SCOPED_TRACE(c.aFirst ? "A before B" : "B before A");
        TTestBoard tb;
        auto* source = tb.Place<TBTTestSource>(100, 100);
        TStepInverter* a = nullptr;
        TStepInverter* b = nullptr;
        if (c.aFirst) {
            a = tb.Place<TStepInverter>(400, 100);
            b = tb.Place<TStepInverter>(700, 100);
        } else {
            b = tb.Place<TStepInverter>(700, 100);
            a = tb.Place<TStepInverter>(400, 100);
        }
        Wire(tb.Board(), source, 0, a, 0);
        Wire(tb.Board(), a, 0, b, 0);
        tb.Board().PrepareSimulation();
        for (int i = 0; i < 3; ++i)
            tb.Board().Step();
        ASSERT_EQ(b->Outputs[0].Value, 0.0L);   // source low, A high, B low

        source->Values = {5.0L};
        for (Integer step = 1; step <= 2; ++step) {
            tb.Board().Step();
            EXPECT_EQ(a->Outputs[0].Value, 0.0L);
            EXPECT_EQ(b->Outputs[0].Value, step >= c.stepsUntilBSeesA ? 5.0L : 0.0L) << "step " << step;
        }
    }
}

TEST_F(StepTest, MacroBoardsStepAfterTheirOuterBoard)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    TMakro* macro = t.PlaceMacro(500, 100, 2);
    auto* probe = t.Place<TBTTestProbe>(1000, 100);
    TPlatine& inner = *macro->InnerBoard();
    auto* inverter = PlaceOn<TStepInverter>(inner, 600, 300);
    Wire(board, source, 0, macro, 0);
    Wire(board, macro, 0, probe, 0);
    DrawWire(inner, PinEnd(MacroPin(macro, 1)->Inputs[0]), PinEnd(inverter->Inputs[0]));
    // Back to the output pin around the inverter, off the input's line.
    DrawPath(inner, {PinEnd(inverter->Outputs[0]), {800, 340}, {800, 600}, {200, 600}, {200, 440},
                     PinEnd(MacroPin(macro, 2)->Inputs[0])});
    board.PrepareSimulation();
    board.Step();
    board.Step();
    ASSERT_EQ(probe->Readings[0].Value, 5.0L);

    source->Values = {5.0L};
    board.Step();
    EXPECT_EQ(inverter->Outputs[0].Value, 0.0L);   // the outer value of the same step
    EXPECT_EQ(probe->Readings[0].Value, 5.0L);     // the macro's output of the last step
    board.Step();
    EXPECT_EQ(probe->Readings[0].Value, 0.0L);
    EXPECT_EQ(board.StepCounter, 4);
    EXPECT_EQ(inner.StepCounter, 0);
}

// The same inverter as a plain logic component: the prepared step runs it
// as a cell of its table.
class TCellInverter : public TStepInverter {
public:
    Integer PlainLogicTable() const override { return 0b0101; }
};

// Every output of the components from this board down.
void CollectOutputs(const TPlatine& board, std::vector<TBauteilPin*>& outputs)
{
    for (TIOBauteil* component : board.CalcList)
        for (TBauteilPin& pin : component->Outputs)
            outputs.push_back(&pin);
    for (TMakro* macro : board.MacroList)
        CollectOutputs(*macro->InnerBoard(), outputs);
}

// A step as the boards define it: the board's own components in object
// order, then each macro's inner board in turn.
void CalculateInBoardOrder(const TPlatine& board)
{
    for (TIOBauteil* component : board.CalcList)
        component->Calculate();
    for (TMakro* macro : board.MacroList)
        CalculateInBoardOrder(*macro->InnerBoard());
}

// Cells and components on three nested boards, linked across the macro pins
// both ways: the prepared step leaves every output as Calculate in the
// boards' order would, each step.
TEST_F(StepTest, CellsOnMacroBoardsStepInTheBoardsOrder)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    auto* before = t.Place<TCellInverter>(400, 100);
    TMakro* outer = t.PlaceMacro(700, 100, 2);
    auto* after = t.Place<TCellInverter>(1200, 100);
    Wire(board, source, 0, before, 0);
    Wire(board, before, 0, outer, 0);
    Wire(board, outer, 0, after, 0);

    TPlatine& middle = *outer->InnerBoard();
    auto* entry = PlaceOn<TCellInverter>(middle, 600, 300);
    TMakro* nested = PlaceMacroOn(t, middle, 1000, 300, 2);
    DrawWire(middle, PinEnd(MacroPin(outer, 1)->Inputs[0]), PinEnd(entry->Inputs[0]));
    Wire(middle, entry, 0, nested, 0);
    DrawPath(middle, {PinEnd(nested->Outputs[0]), {1400, 340}, {1400, 700}, {200, 700}, {200, 440},
                      PinEnd(MacroPin(outer, 2)->Inputs[0])});

    TPlatine& inner = *nested->InnerBoard();
    auto* called = PlaceOn<TStepInverter>(inner, 600, 300);   // Calculate between two runs of cells
    auto* cell = PlaceOn<TCellInverter>(inner, 900, 300);
    DrawWire(inner, PinEnd(MacroPin(nested, 1)->Inputs[0]), PinEnd(called->Inputs[0]));
    Wire(inner, called, 0, cell, 0);
    DrawPath(inner, {PinEnd(cell->Outputs[0]), {1200, 340}, {1200, 700}, {200, 700}, {200, 440},
                     PinEnd(MacroPin(nested, 2)->Inputs[0])});
    board.PrepareSimulation();
    ASSERT_EQ(entry->Inputs[0].Source, &before->Outputs[0]);
    ASSERT_EQ(called->Inputs[0].Source, &entry->Outputs[0]);
    ASSERT_EQ(after->Inputs[0].Source, &cell->Outputs[0]);

    std::vector<TBauteilPin*> outputs;
    CollectOutputs(board, outputs);
    const Extended levels[] = {5.0L, 5.0L, 0.0L, 5.0L, 0.0L, 0.0L};
    for (std::size_t step = 0; step < std::size(levels); ++step) {
        SCOPED_TRACE(step);
        source->Values = {levels[step]};
        std::vector<Extended> last, stepped;
        for (const TBauteilPin* pin : outputs)
            last.push_back(pin->Value);
        const Extended innermostLast = cell->Outputs[0].Value;
        board.Step();
        for (const TBauteilPin* pin : outputs)
            stepped.push_back(pin->Value);

        for (std::size_t k = 0; k < outputs.size(); ++k)
            outputs[k]->SetValue(last[k]);
        CalculateInBoardOrder(board);
        for (std::size_t k = 0; k < outputs.size(); ++k)
            EXPECT_EQ(outputs[k]->Value, stepped[k]) << "output " << k;
        // The root's cell after the macro reads the innermost cell's last step.
        EXPECT_EQ(after->Outputs[0].Value, innermostLast >= LogicThreshold ? 0.0L : 5.0L);
    }
}

// Counts its steps; waits for its device in each one it is not already
// waiting in, as a driver's transfer does.
class TWaitingHardware : public TBTTestHardware {
public:
    Integer Calls = 0;
    bool Waiting = false;
    void Calculate() override
    {
        ++Calls;
        if (Waiting)
            return;
        Waiting = true;
        Driver()->WaitMs(3);
        Waiting = false;
    }
};

class TCounter : public TBTTestProbe {
public:
    Integer Calls = 0;
    void Calculate() override { ++Calls; }
};

TEST_F(StepTest, ADeviceWaitRunsNestedSteps)
{
    auto* before = t.Place<TCounter>(100, 100);
    auto* device = t.Place<TWaitingHardware>(400, 100);
    TMakro* macro = t.PlaceMacro(700, 100, 0);
    auto* inside = PlaceOn<TCounter>(*macro->InnerBoard(), 100, 100);
    board.PrepareSimulation();

    board.Step();
    // The outer step and three nested ones; the waiting device returns at
    // once in the nested steps, and the outer step goes on after the wait.
    EXPECT_EQ(board.StepCounter, 4);
    EXPECT_EQ(before->Calls, 4);
    EXPECT_EQ(device->Calls, 4);
    EXPECT_EQ(inside->Calls, 4);

    board.StopSimulation();
    board.Step();   // the device no longer steps the board
    EXPECT_EQ(before->Calls, 5);
}

class TFailingCounter : public TCounter {
public:
    bool Fail = false;
    void Calculate() override
    {
        TCounter::Calculate();
        if (Fail)
            throw std::runtime_error("step failed");
    }
};

TEST_F(StepTest, AnErrorInAStepReachesTheCallerAndTheBoardStepsOnAfterwards)
{
    auto* before = t.Place<TCounter>(100, 100);
    auto* failing = t.Place<TFailingCounter>(400, 100);
    auto* after = t.Place<TCounter>(700, 100);
    board.PrepareSimulation();
    failing->Fail = true;
    EXPECT_THROW(board.Step(), std::runtime_error);
    EXPECT_EQ(before->Calls, 1);
    EXPECT_EQ(after->Calls, 0);

    failing->Fail = false;
    board.Step();
    EXPECT_EQ(after->Calls, 1);
    board.StopSimulation();
}

class TTicker : public TBTTestProbe {
public:
    static inline std::vector<TTicker*> Log;
    explicit TTicker(bool ticks = true) { NeedsTimerTick = ticks; }
    void TimerTick() override { Log.push_back(this); }
};

TEST_F(StepTest, TheTickReachesTickingObjectsInOrderAndThenTheMacros)
{
    TTicker::Log.clear();
    TMakro* macro = t.PlaceMacro(100, 100, 0);
    auto* inside = PlaceOn<TTicker>(*macro->InnerBoard(), 100, 100);
    auto* first = t.Place<TTicker>(400, 100);
    t.Place<TCounter>(700, 100);
    auto* second = t.Place<TTicker>(1000, 100);
    board.PrepareSimulation();
    board.Tick();
    EXPECT_EQ(TTicker::Log, (std::vector<TTicker*>{first, second, inside}));
}

// A view that records repaint requests.
class TRecordingView : public IBoardView {
public:
    bool Visible = true;
    Integer Invalidated = 0;
    void InvalidateDeviceRect(const TRect&) override { ++Invalidated; }
    void RepaintBoard() override {}
    Integer BoardCursor() const override { return 0; }
    void SetBoardCursor(Integer) override {}
    void CentreMousePointer() override {}
    void CopySelectionPicture() override {}
    TPoint ScrollBoxSize() const override { return {800, 600}; }
    TRect ScrollBoxScreenRect() const override { return {0, 0, 800, 600}; }
    TPoint CursorScreenPos() const override { return {}; }
    void BoardResized() override {}
    void BoardChanged() override {}
    void BoardDestroyed() override {}
    bool BoardVisible() const override { return Visible; }
};

class DisplayTest : public StepTest {
protected:
    void SetUp() override
    {
        source = t.Place<TBTTestSource>(100, 100);
        probe = t.Place<TBTTestProbe>(500, 100);
        Wire(board, source, 0, probe, 0);
        lone = t.Place<TBTTestProbe>(100, 500);
        DrawWire(board, PinEnd(lone->Inputs[0]), {lone->Inputs[0].X - 100, lone->Inputs[0].Y});
        board.View = &view;
        board.ShowLineStates = true;
        board.PrepareSimulation();
        source->Values = {5.0L};
    }
    void TearDown() override
    {
        board.View = nullptr;
        StepTest::TearDown();
    }
    TSegment* SourceWire() const { return FreeWires(board).front(); }
    TSegment* LoneWire() const { return FreeWires(board).back(); }
    // One step from a wire drawn low while its source is high: true when the
    // step redrew it.
    bool StepRecolours()
    {
        SourceWire()->LastLevel = false;
        board.Step();
        return SourceWire()->LastLevel;
    }

    TRecordingView view;
    TBTTestSource* source = nullptr;
    TBTTestProbe* probe = nullptr;
    TBTTestProbe* lone = nullptr;
};

TEST_F(DisplayTest, TheStepRecoloursOnlyAboveSixtyStepsPerSecond)
{
    struct TCase {
        double rate;
        std::vector<bool> recoloured;   // in steps 1, 2, 3, 4
    };
    for (const TCase& c : {TCase{0, {false, false, false, false}}, TCase{60, {false, false, false, false}},
                           TCase{100, {true, true, true, true}}, TCase{120, {false, true, false, true}}}) {
        SCOPED_TRACE(c.rate);
        MeasuredStepRate = c.rate;
        board.StepCounter = 0;
        std::vector<bool> recoloured;
        for (int i = 0; i < 4; ++i)
            recoloured.push_back(StepRecolours());
        EXPECT_EQ(recoloured, c.recoloured);
    }
    // Hidden, nothing is redrawn from the step.
    view.Visible = false;
    MeasuredStepRate = 100;
    EXPECT_FALSE(StepRecolours());
}

TEST_F(DisplayTest, AMacroBoardInAViewIsRedrawnByTheStep)
{
    TMakro* macro = t.PlaceMacro(900, 500, 0);
    TPlatine& inner = *macro->InnerBoard();
    auto* innerSource = PlaceOn<TBTTestSource>(inner, 100, 100);
    auto* innerProbe = PlaceOn<TBTTestProbe>(inner, 500, 100);
    Wire(inner, innerSource, 0, innerProbe, 0);
    TRecordingView innerView;
    inner.View = &innerView;
    board.PrepareSimulation();
    innerSource->Values = {5.0L};
    MeasuredStepRate = 100;
    TSegment* innerWire = FreeWires(inner).front();
    innerWire->LastLevel = false;
    board.Step();
    EXPECT_TRUE(innerWire->LastLevel);
    EXPECT_GT(innerView.Invalidated, 0);
    inner.View = nullptr;
}

TEST_F(DisplayTest, TheTickRecoloursAndAnUndrivenWireShowsHigh)
{
    board.Step();
    SourceWire()->LastLevel = false;
    LoneWire()->LastLevel = false;
    board.Tick();
    EXPECT_TRUE(SourceWire()->LastLevel);
    EXPECT_TRUE(LoneWire()->LastLevel);   // no driver: shown high
    EXPECT_GT(view.Invalidated, 0);
    EXPECT_FALSE(probe->PinLevelsDirty);

    const Integer before = view.Invalidated;
    board.Tick();   // nothing changed: nothing repainted
    EXPECT_EQ(view.Invalidated, before);

    board.ShowLineStates = false;
    source->Values = {0.0L};
    board.Step();
    board.Tick();
    EXPECT_TRUE(SourceWire()->LastLevel);
}

TEST_F(DisplayTest, TheSwitchesReachEveryObjectAndTheMacrosOnTheBoardNow)
{
    TMakro* gone = t.PlaceMacro(900, 500, 0);
    board.PrepareSimulation();
    board.StopSimulation();
    board.RemoveObject(gone);   // on the run lists of the last start
    TMakro* added = t.PlaceMacro(900, 900, 0);
    auto* inside = PlaceOn<TBTTestProbe>(*added->InnerBoard(), 100, 100);

    board.SetShowComponentStates(true);
    EXPECT_TRUE(probe->ShowComponentStates);
    EXPECT_TRUE(inside->ShowComponentStates);
    board.SetShowLineStates(true);
    EXPECT_TRUE(inside->ShowLineStates);
    board.SetShowComponentStates(false);
    EXPECT_FALSE(inside->ShowComponentStates);
}

// Keeps one Boolean under its own section: the board's prefix, ".", the
// designator and the number.
class TRetaining : public TBTTestProbe {
public:
    TRetaining() { Designator = "RSFF"; }
    bool State = false;
    Integer LoadFlag = -1;
    AnsiString Section(const AnsiString& prefix) const { return prefix + "." + Designator + std::to_string(Number); }
    void SaveState(TCustomIniFile& ini, const AnsiString& prefix) override { ini.WriteBool(Section(prefix), "Q", State); }
    void LoadState(TCustomIniFile& ini, const AnsiString& prefix, Integer flag) override
    {
        State = ini.ReadBool(Section(prefix), "Q", false);
        LoadFlag = flag;
    }
};

TEST_F(StepTest, RetainedStatesUseTheBoardNamesAsSectionPrefixes)
{
    t.Place<TRetaining>(100, 100);
    auto* third = t.Place<TRetaining>(100, 400);
    TMakro* outer = t.PlaceMacro(500, 100, 0);
    auto* inMacro = PlaceOn<TRetaining>(*outer->InnerBoard(), 100, 100);
    TMakro* nested = PlaceMacroOn(t, *outer->InnerBoard(), 500, 100, 0);
    auto* deep = PlaceOn<TRetaining>(*nested->InnerBoard(), 100, 100);
    third->State = inMacro->State = deep->State = true;

    QTemporaryDir dir;
    const AnsiString file = dir.path().toStdString() + "/ANLAGE 1_Default.set";
    {
        TIniFile ini(file);
        board.SaveComponentStates(ini);
    }
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadSections(),
              (std::vector<AnsiString>{"MAIN.RSFF1", "MAIN.RSFF2", "MAIN_MCR1.RSFF1", "MAIN_MCR1_MCR1.RSFF1"}));
    EXPECT_TRUE(ini.ReadBool("MAIN_MCR1_MCR1.RSFF1", "Q", false));

    third->State = inMacro->State = deep->State = false;
    board.LoadComponentStates(ini, 0);
    EXPECT_TRUE(third->State && inMacro->State && deep->State);
    EXPECT_EQ(deep->LoadFlag, 0);
}

} // namespace
