// What the tests of the digital components share: their classes registered,
// and a rig that feeds one component's inputs from test sources standing
// before it in the object list (so it reads this step's levels) and steps
// the prepared board from rows of '0'/'1' characters.
#pragma once

#include "components/digital/BT_Dekoder.h"
#include "components/digital/BT_FlipFlop.h"
#include "components/digital/BT_MonoFlop.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/BT_Versorgung.h"

#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Language.h"

#include <gtest/gtest.h>

#include <string_view>

inline void RegisterDigitalClasses()
{
    for (const TClassInfo* info :
         {&TBTHiTakt::StaticClass(), &TBTTaktgeber_ES::StaticClass(), &TBTVCO::StaticClass(),
          &TBTMonoFlop::StaticClass(), &TBTMonoFlopDyn::StaticClass(), &TBTOnOffDelay::StaticClass(),
          &TBTVerzoegerung::StaticClass(), &TBTRSFF::StaticClass(), &TBTRSFFZ::StaticClass(),
          &TBTRSFFF::StaticClass(), &TBTJKFF::StaticClass(), &TBTDFFZ::StaticClass(), &TBTDFFF::StaticClass(),
          &TBTMasse::StaticClass(), &TBTVcc::StaticClass(), &TBTPowerOnReset::StaticClass(),
          &TBTBCDDekoder::StaticClass(), &TBTSeg7Decoder::StaticClass()})
        RegisterClass(*info);
}

class DigitalTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterDigitalClasses(); }
    void TearDown() override { ResetGlobals(); }
};

// One component with a source wired to each of the chosen inputs (all by
// default); the others stay unconnected.
class TRig {
public:
    explicit TRig(std::string_view className, Integer wiredInputs = -1)
    {
        Part = t.Place(className, 800, 200);
        const Integer n = wiredInputs < 0 ? Part->InputCount : wiredInputs;
        for (Integer i = 0; i < n; ++i) {
            const TBauteilPin& input = Part->Inputs[i];
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
    bool High(Integer output) const { return Part->Outputs[output].Value >= LogicThreshold; }
    Extended Value(Integer output) const { return Part->Outputs[output].Value; }
    // The outputs as '0'/'1', highest index first (as drawn, top down).
    std::string Levels() const
    {
        std::string text;
        for (Integer o = Part->OutputCount - 1; o >= 0; --o)
            text += High(o) ? '1' : '0';
        return text;
    }

    TTestBoard t;
    TIOBauteil* Part = nullptr;
    std::vector<TBTTestSource*> Sources;
};
