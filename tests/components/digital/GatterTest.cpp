// The logic gates: their identity, their truth tables on a prepared board
// with 2 to 16 inputs, unconnected and inverted inputs, writing in every
// step, their stream records and their symbols.
#include "components/digital/BT_Gatter.h"

#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Canvas.h"

#include <QImage>
#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <limits>

namespace {

struct TGateCase {
    const char* Class;
    std::function<bool(Integer highs, Integer inputs)> Expected;
};

const TGateCase MultiInputGates[] = {
    {"TBTAnd", [](Integer highs, Integer n) { return highs == n; }},
    {"TBTNand", [](Integer highs, Integer n) { return highs != n; }},
    {"TBTOr", [](Integer highs, Integer) { return highs > 0; }},
    {"TBTNor", [](Integer highs, Integer) { return highs == 0; }},
    {"TBTExor", [](Integer highs, Integer) { return highs % 2 == 1; }},
};

class GatterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterRows(GateRows());
    }
    void TearDown() override { ResetGlobals(); }

    TTestBoard t;
};

// A gate with n inputs on a prepared board, each input fed straight from a
// source of its own.
class TWiredGate {
public:
    TWiredGate(const char* className, Integer n)
    {
        gate_ = t_.Place(className, 600, 100);
        gate_->SetInputCount(n);
        for (Integer i = 0; i < n; ++i) {
            const TBauteilPin& input = gate_->Inputs[i];
            auto* source = t_.Place<TBTTestSource>(input.X - 400, input.Y - 40);
            t_.Board().AddWireAndNormalise({source->Outputs[0].X, source->Outputs[0].Y}, {input.X, input.Y});
            sources_.push_back(source);
        }
        t_.Board().PrepareSimulation();
    }
    // Input i high when bit i of the pattern is set. The gate lies before
    // its sources in the object list, so it reads them in the next step.
    bool StepWith(unsigned pattern)
    {
        for (std::size_t i = 0; i < sources_.size(); ++i)
            sources_[i]->Values = {(pattern >> i & 1) ? 5.0L : 0.0L};
        t_.Board().Step();
        t_.Board().Step();
        const Extended out = gate_->Outputs[0].Value;
        EXPECT_TRUE(out == 5.0L || out == 0.0L) << static_cast<double>(out);
        return out == 5.0L;
    }

private:
    TTestBoard t_;
    TIOBauteil* gate_ = nullptr;
    std::vector<TBTTestSource*> sources_;
};

bool IsRed(const QColor& c)
{
    return c.red() > 200 && c.green() < 100 && c.blue() < 100;
}

TEST_F(GatterTest, EachGateHasItsNamesPinsAndHelp)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Help, Inputs;
        bool Dialog;
    };
    for (const TCase& c : {
             TCase{"TBTInverter", {"Inverter", "Inverter", "Inverseur"}, "INV", 18230, 1, false},
             TCase{"TBTAnd", {"AND", "AND", "AND"}, "AND", 18235, 2, true},
             TCase{"TBTNand", {"NAND", "NAND", "NAND"}, "NAND", 18240, 2, true},
             TCase{"TBTOr", {"OR", "OR", "OR"}, "OR", 18245, 2, true},
             TCase{"TBTNor", {"NOR", "NOR", "NOR"}, "NOR", 18250, 2, true},
             TCase{"TBTExor", {"EXOR", "EXOR", "EXOR"}, "EXOR", 18255, 2, true},
         }) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* gate = dynamic_cast<TIOBauteil*>(object.get());
            ASSERT_NE(gate, nullptr);
            EXPECT_EQ(gate->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(gate->Caption, c.TypeNames[language]);
            EXPECT_EQ(gate->Designator, c.Designator);
            EXPECT_EQ(gate->HelpContext, c.Help);
            EXPECT_EQ(gate->InputCount, c.Inputs);
            EXPECT_EQ(gate->OutputCount, 1);
            EXPECT_EQ(gate->HasPropertyDialog, c.Dialog);
            EXPECT_FALSE(gate->NeedsTimerTick);
            EXPECT_TRUE(gate->PanelElementClass.empty());
            EXPECT_EQ(gate->ClassType().Parent, &TGrundBT::StaticClass());
            for (const TBauteilPin& pin : gate->Inputs)
                EXPECT_TRUE(pin.Name.empty());
            EXPECT_TRUE(gate->Outputs[0].Name.empty());
        }
    }
}

TEST_F(GatterTest, TheInverterNegatesItsInput)
{
    TWiredGate inverter("TBTInverter", 1);
    EXPECT_TRUE(inverter.StepWith(0));
    EXPECT_FALSE(inverter.StepWith(1));
}

TEST_F(GatterTest, MultiInputGatesFollowTheirTruthTables)
{
    for (const TGateCase& c : MultiInputGates)
        for (Integer n : {2, 3, 5}) {
            SCOPED_TRACE(std::string(c.Class) + " with " + std::to_string(n) + " inputs");
            TWiredGate gate(c.Class, n);
            for (unsigned pattern = 0; pattern < (1u << n); ++pattern)
                EXPECT_EQ(gate.StepWith(pattern), c.Expected(std::popcount(pattern), n)) << "inputs " << pattern;
        }
}

TEST_F(GatterTest, SixteenInputs)
{
    // All high, all but one, one, none: the AND/OR boundaries and the parity.
    for (const TGateCase& c : MultiInputGates) {
        SCOPED_TRACE(c.Class);
        TWiredGate gate(c.Class, 16);
        for (unsigned pattern : {0xFFFFu, 0x7FFFu, 0xFFFEu, 0x0100u, 0x0000u})
            EXPECT_EQ(gate.StepWith(pattern), c.Expected(std::popcount(pattern), 16)) << "inputs " << pattern;
    }
}

TEST_F(GatterTest, OpenAndInvertedInputs)
{
    // An open input reads high, an inverted open one low.
    auto* source = t.Place<TBTTestSource>(100, 100);
    auto* plain = t.Place("TBTAnd", 500, 100);
    auto* inverted = t.Place("TBTAnd", 500, 500);
    auto* nor = t.Place("TBTNor", 500, 900);
    t.Connect(source, 0, plain, 0);
    t.Connect(source, 0, inverted, 0);
    t.Connect(source, 0, nor, 0);
    inverted->Inputs[1].Inverted = true;
    nor->Inputs[0].Inverted = true;
    t.Board().PrepareSimulation();

    for (const Extended level : {5.0L, 0.0L}) {
        source->Values = {level};
        t.Board().Step();
        EXPECT_EQ(plain->Outputs[0].Value, level);
        EXPECT_EQ(inverted->Outputs[0].Value, 0.0L);
        EXPECT_EQ(nor->Outputs[0].Value, 0.0L);   // the open input 1 reads high
    }
}

TEST_F(GatterTest, GatesWriteTheirOutputInEveryStep)
{
    std::vector<TIOBauteil*> gates;
    for (const char* name : {"TBTInverter", "TBTAnd", "TBTNand", "TBTOr", "TBTNor", "TBTExor"})
        gates.push_back(t.Place(name, 600, 100 + 300 * static_cast<Integer>(gates.size())));
    gates[1]->Outputs[0].Inverted = true;
    t.Board().PrepareSimulation();
    t.Board().Step();
    for (TIOBauteil* gate : gates) {
        SCOPED_TRACE(gate->ClassName());
        const Extended settled = gate->Outputs[0].Value;
        gate->Outputs[0].SetValue(3.3L);
        t.Board().Step();
        EXPECT_EQ(gate->Outputs[0].Value, settled);
    }
}

TEST_F(GatterTest, TheStreamRecordIsTheBaseRecord)
{
    auto* nor = t.Place("TBTNor", 100, 100);
    nor->SetInputCount(5);
    nor->Inputs[2].Inverted = true;
    nor->Outputs[0].Inverted = true;
    nor->SetCaption("Alarm");
    t.Place("TBTInverter", 500, 100);
    const std::vector<Byte> bytes = t.WriteToMemory();

    TTestBoard copy;
    copy.ReadFromMemory(bytes);
    std::vector<TIOBauteil*> read;
    for (TBauteil* object : copy.Board().Objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            read.push_back(component);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_STREQ(read[0]->ClassName(), "TBTNor");
    EXPECT_EQ(read[0]->InputCount, 5);
    EXPECT_TRUE(read[0]->Inputs[2].Inverted);
    EXPECT_FALSE(read[0]->Inputs[1].Inverted);
    EXPECT_TRUE(read[0]->Outputs[0].Inverted);
    EXPECT_EQ(read[0]->Caption, "Alarm");
    EXPECT_TRUE(read[0]->Inputs[4].Name.empty());
    EXPECT_STREQ(read[1]->ClassName(), "TBTInverter");
    EXPECT_EQ(read[1]->InputCount, 1);
}

TEST_F(GatterTest, TheNegatedGatesDrawAStrokeAtTheOutput)
{
    struct TCase {
        const char* Class;
        bool Mirrored;
        bool StrokeRight, StrokeLeft;
    };
    for (const TCase& c : {TCase{"TBTAnd", false, false, false}, TCase{"TBTNand", false, true, false},
                           TCase{"TBTNand", true, false, true}, TCase{"TBTOr", false, false, false},
                           TCase{"TBTNor", false, true, false}, TCase{"TBTExor", false, false, false},
                           TCase{"TBTInverter", false, true, false}}) {
        SCOPED_TRACE(std::string(c.Class) + (c.Mirrored ? " mirrored" : ""));
        std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
        auto* gate = static_cast<TIOBauteil*>(object.get());
        gate->X = 100;
        gate->Y = 100;
        gate->SetMirrored(c.Mirrored);
        gate->SetSelected(true);   // symbol in red
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            TCanvas canvas(&image);
            gate->Draw(canvas);
        }
        // The middle of each possible stroke, off the output stub's line.
        const Integer cy = gate->BodyRect.Top + gate->BodyRect.Height() / 2;
        EXPECT_EQ(IsRed(image.pixelColor(gate->BodyRect.Right + 8, cy - 8)), c.StrokeRight);
        EXPECT_EQ(IsRed(image.pixelColor(gate->BodyRect.Left - 8, cy - 8)), c.StrokeLeft);
    }
}

} // namespace

// The prepared step evaluates plain gates from a table; every step must
// leave each output exactly as the gates' own Calculate, called in run-list
// order on the same values, would: gates fed from earlier and later gates,
// open and inverted inputs, inverted outputs, a wired group, numeric sources
// at the threshold and NaN, a text source, and gates of more inputs.
TEST_F(GatterTest, PreparedStepMatchesCalculateInOrder)
{
    const char* classes[] = {"TBTInverter", "TBTAnd", "TBTNand", "TBTOr", "TBTNor", "TBTExor"};
    auto* numeric = t.Place<TBTTestSource>(100, 100);
    auto* text = t.Place<TBTTestSource>(100, 400);
    text->Outputs[0].Name = "$";
    std::vector<TIOBauteil*> gates;
    for (Integer g = 0; g < 36; ++g) {
        TIOBauteil* gate = t.Place(classes[g % 6], 800 + g % 6 * 600, 100 + g / 6 * 400);
        if (g % 7 == 3 && gate->InputCount == 2)
            gate->SetInputCount(3);
        gates.push_back(gate);
    }
    for (std::size_t g = 0; g < gates.size(); ++g) {
        TIOBauteil* gate = gates[g];
        for (Integer i = 0; i < gate->InputCount; ++i) {
            const std::size_t pick = (g * 7 + static_cast<std::size_t>(i) * 13 + 5) % 40;
            if (pick < 36 && pick != g)
                t.Connect(gates[pick], 0, gate, i);   // earlier or later in the list
            else if (pick == 36)
                t.Connect(numeric, 0, gate, i);
            else if (pick == 37)
                t.Connect(text, 0, gate, i);
            // else open
            gate->Inputs[i].Inverted = (g + static_cast<std::size_t>(i)) % 3 == 0;
        }
        gate->Outputs[0].Inverted = g % 5 == 1;
    }
    t.Connect(gates[10], 0, gates[20], 1);   // gates 10 and 0 drive one net: a wired group
    t.Connect(gates[0], 0, gates[20], 1);
    t.Board().PrepareSimulation();
    ASSERT_GT(gates[0]->Outputs[0].WiredGroup.size(), 1u);

    const Extended levels[] = {5.0L, 0.0L, 2.5L, std::numeric_limits<Extended>::quiet_NaN(), 2.4999L, 7.0L};
    const char* texts[] = {"7", "1", "True", "abc", "2,5", "0"};
    for (std::size_t step = 0; step < 12; ++step) {
        SCOPED_TRACE(step);
        numeric->Values = {levels[step % 6]};
        text->Outputs[0].SetText(texts[step % 6]);
        std::vector<Extended> before;
        for (TIOBauteil* gate : gates)
            before.push_back(gate->Outputs[0].Value);

        t.Board().Step();
        std::vector<Extended> stepped;
        for (TIOBauteil* gate : gates)
            stepped.push_back(gate->Outputs[0].Value);

        for (std::size_t g = 0; g < gates.size(); ++g)
            gates[g]->Outputs[0].SetValue(before[g]);
        for (TIOBauteil* component : t.Board().CalcList)
            component->Calculate();
        for (std::size_t g = 0; g < gates.size(); ++g) {
            const TBauteilPin& out = gates[g]->Outputs[0];
            EXPECT_EQ(out.Value, stepped[g]) << "gate " << g;
            EXPECT_EQ(out.Level, out.Value >= LogicThreshold) << "gate " << g;
        }
    }
}

// A change of an inversion after the start, announced as pin changes must be,
// takes effect in the next step.
TEST_F(GatterTest, InversionChangedAfterTheStartCounts)
{
    auto* source = t.Place<TBTTestSource>(100, 100);
    auto* gate = t.Place("TBTAnd", 500, 100);
    t.Connect(source, 0, gate, 0);
    t.Board().PrepareSimulation();
    source->Values = {5.0L};
    t.Board().Step();
    EXPECT_EQ(gate->Outputs[0].Value, 5.0L);
    gate->Inputs[0].Inverted = true;
    PinLinksChanged();
    t.Board().Step();
    EXPECT_EQ(gate->Outputs[0].Value, 0.0L);
}
