// What the tests of the digital components share: their classes registered,
// and a rig that feeds one component's inputs from test sources standing
// before it in the object list (so it reads this step's levels) and steps
// the prepared board from rows of '0'/'1' characters.
#pragma once

#include "components/digital/BT_Addierer.h"
#include "components/digital/BT_Bus.h"
#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_FlipFlop.h"
#include "components/digital/BT_MonoFlop.h"
#include "components/digital/BT_Multiplexer.h"
#include "components/digital/BT_Register.h"
#include "components/digital/BT_Schieberegister.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/BT_Versorgung.h"
#include "components/digital/BT_Zaehler.h"

#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string_view>

inline void RegisterDigitalClasses()
{
    for (const TRowList& rows : {TaktRows(), MonoFlopRows(), VersorgungRows(), FlipFlopRows(), DekoderRows(),
                                 ZaehlerRows(), SchieberegisterRows(), MultiplexerRows(), BusRows(),
                                 ParallelRegisterRows(), AddiererRows()})
        RegisterRows(rows);
}

class DigitalTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterDigitalClasses(); }
    void TearDown() override { ResetGlobals(); }
};

// A run-state file in a folder of its own.
class TRunStateFile {
    QTemporaryDir dir_;

public:
    AnsiString Name = dir_.path().toStdString() + "/ANLAGE_Default.set";
};

// One component with a source wired to each of the chosen inputs (all by
// default); the others stay unconnected.
class TRig {
public:
    explicit TRig(std::string_view className, Integer wiredInputs = -1)
    {
        Component = t.Place(className, 800, 200);
        const Integer n = wiredInputs < 0 ? Component->InputCount : wiredInputs;
        for (Integer i = 0; i < n; ++i) {
            const TBauteilPin& input = Component->Inputs[i];
            auto* source = t.Place<TBTTestSource>(input.X - 400 - 100 * i, input.Y - 40);
            t.Board().AddWireAndNormalise({source->Outputs[0].X, source->Outputs[0].Y}, {input.X, input.Y});
            Sources.push_back(source);
        }
        for (TBTTestSource* source : Sources)
            t.Board().SelectObject(source, true);
        t.Board().SendToBack();
        t.Board().SelectAll(false);
    }
    void Start() { t.Board().PrepareSimulation(); }
    // Stop as the program does with a run-state file: save, then stop.
    void SaveAndStop(const AnsiString& file)
    {
        TIniFile ini(file);
        t.Board().SaveComponentStates(ini);
        t.Board().StopSimulation();
    }
    // Start as the program does: prepare (reset), then load the states.
    void StartAndLoad(const AnsiString& file)
    {
        Start();
        TIniFile ini(file);
        t.Board().LoadComponentStates(ini, 0);
    }
    // Source i drives the level of levels[i] ('1' high, '0' low) or the value.
    void Set(std::string_view levels)
    {
        for (std::size_t i = 0; i < levels.size() && i < Sources.size(); ++i)
            Sources[i]->Values = {levels[i] == '1' ? HighLevel : LowLevel};
    }
    void SetValue(Integer i, Extended value) { Sources[i]->Values = {value}; }
    void Step() { t.Board().Step(); }
    void Step(std::string_view levels)
    {
        Set(levels);
        Step();
    }
    bool High(Integer output) const { return Component->Outputs[output].Value >= LogicThreshold; }
    // The number of `bits` outputs whose bit 0 is output `lowest` and whose
    // higher bits have lower indexes (as "Q0" drawn on top).
    Integer Number(Integer lowest, Integer bits) const
    {
        Integer value = 0;
        for (Integer i = 0; i < bits; ++i)
            value |= Integer(High(lowest - i)) << i;
        return value;
    }
    Extended Value(Integer output) const { return Component->Outputs[output].Value; }
    // The outputs as '0'/'1', highest index first (as drawn, top down).
    std::string Levels() const
    {
        std::string text;
        for (Integer o = Component->OutputCount - 1; o >= 0; --o)
            text += High(o) ? '1' : '0';
        return text;
    }

    TTestBoard t;
    TIOBauteil* Component = nullptr;
    std::vector<TBTTestSource*> Sources;
};

// The names of a component's pins, in index order.
inline std::vector<std::string> PinNames(const TPinList& pins)
{
    std::vector<std::string> names;
    for (const TBauteilPin& pin : pins)
        names.push_back(pin.Name);
    return names;
}

// What a class of the digital families shows in the language in force: its
// type name, designator and help, whether it has a sheet, and TGrundBT as the
// registered parent, as the files name it.
inline void ExpectIdentity(const TIOBauteil& part, const char* typeName, const char* designator, Integer help,
                           bool dialog)
{
    EXPECT_EQ(part.GetTypeName(), typeName);
    EXPECT_EQ(part.Designator, designator);
    EXPECT_EQ(part.HelpContext, help);
    EXPECT_EQ(part.HasPropertyDialog, dialog);
    EXPECT_EQ(part.ClassType().Parent, &TGrundBT::StaticClass());
}

// One step of a table: the inputs in index order, the number the outputs
// show after it and, where the table gives one ('0' or '1'), the level of
// output 0.
struct TStepRow {
    const char* Inputs;
    Integer Value;
    char Output0 = 0;
};

struct TStepSequence {
    const char* Class;
    const char* What;
    std::vector<TStepRow> Rows;
};

// Steps every sequence on a rig of its class; the number is read from
// `bits` outputs whose bit 0 is output `lowest`, both taken from the component.
template <class TPart, class TRange>
void ExpectSequences(const std::vector<TStepSequence>& sequences, TRange range)
{
    for (const TStepSequence& sequence : sequences) {
        SCOPED_TRACE(std::string(sequence.Class) + ": " + sequence.What);
        TRig rig(sequence.Class);
        const auto [lowest, bits] = range(*static_cast<TPart*>(rig.Component));
        rig.Start();
        for (std::size_t i = 0; i < sequence.Rows.size(); ++i) {
            const TStepRow& row = sequence.Rows[i];
            rig.Step(row.Inputs);
            EXPECT_EQ(rig.Number(lowest, bits), row.Value) << "step " << i + 1 << " inputs " << row.Inputs;
            if (row.Output0) {
                EXPECT_EQ(rig.High(0), row.Output0 == '1') << "step " << i + 1 << " inputs " << row.Inputs;
            }
        }
    }
}
