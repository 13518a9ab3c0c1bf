// The arithmetic blocks, the gain, the offset and the fixed value: their
// results and substitute values, the output at start, and their records.
#include "AnalogTestSupport.h"

#include "components/analog/AnalogMath.h"
#include "components/analog/BT_Arithmetik.h"
#include "components/analog/BT_Konstanten.h"
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();
constexpr Extended Inf = std::numeric_limits<Extended>::infinity();

class Arithmetik : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override { ResetGlobals(); }
    TFeeder feed;
};

TEST_F(Arithmetik, MultiInputBlocksComputeLeftToRight)
{
    struct TCase {
        const char* Class;
        std::vector<Extended> Inputs;
        Extended Expected;
    };
    for (const TCase& c : {
             TCase{"TBTAdd", {1.5L, 2.25L}, 3.75L},
             TCase{"TBTAdd", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 136},
             TCase{"TBTSub", {10, 3, 2}, 5},
             TCase{"TBTMul", {2, -3, 4}, -24},
             TCase{"TBTDiv", {6, 3}, 2},
             TCase{"TBTDiv", {-6, 0}, 1e12L},   // positive whatever the sign
             TCase{"TBTDiv", {6, 0, 2}, 1e12L},
             TCase{"TBTDiv", {0, 5}, 0},
             TCase{"TBTDiv", {100, 5, 2, 5}, 2},
         }) {
        SCOPED_TRACE(c.Class);
        auto block = Make(c.Class);
        block->SetInputCount(static_cast<Integer>(c.Inputs.size()));
        for (std::size_t i = 0; i < c.Inputs.size(); ++i) {
            feed.Pins[i].Value = c.Inputs[i];
            block->Inputs[i].Source = &feed.Pins[i];
        }
        block->Calculate();
        EXPECT_EQ(block->Outputs[0].Value, c.Expected);
    }
}

TEST_F(Arithmetik, AnUnconnectedDivisorGivesTheSubstituteValue)
{
    auto div = Make<TBTDiv>("TBTDiv");
    feed.Feed(*div, {7});
    div->Calculate();
    EXPECT_EQ(div->Outputs[0].Value, 1e12L);
}

TEST_F(Arithmetik, TheAmplifierLimitsEachInputAndItsResult)
{
    struct TCase {
        Extended In, A, Off, Out;
    };
    auto amp = Make<TBTVerstaerker>("TBTVerstaerker");
    for (const TCase& c : {TCase{2, 3, 1, 7}, TCase{1e21L, 1, 0, 1e20L}, TCase{1, 1e15L, 0, 1e12L},
                           TCase{1e20L, 1e12L, 0, 1e20L}, TCase{-1e20L, 1e12L, 0, -1e20L},
                           TCase{0, 0, -1e30L, -1e20L}, TCase{NaN, 1, 0, -1e20L}}) {
        feed.Step(*amp, {c.In, c.A, c.Off});
        EXPECT_EQ(amp->Outputs[0].Value, c.Out) << c.In << " " << c.A << " " << c.Off;
    }
    auto open = Make<TBTVerstaerker>("TBTVerstaerker");
    open->Outputs[0].Value = 3;
    open->Calculate();
    EXPECT_EQ(open->Outputs[0].Value, 0.0L);
}

TEST_F(Arithmetik, GainAndOffsetApplyTheirSetNumber)
{
    auto gain = Make<TBTGain>("TBTGain");
    feed.Step(*gain, {4});
    EXPECT_EQ(gain->Outputs[0].Value, 4);   // a new gain passes its input
    gain->Gain = 2.5L;
    gain->Calculate();
    EXPECT_EQ(gain->Outputs[0].Value, 10);

    auto offset = Make<TBTOffset>("TBTOffset");
    offset->Offset = -1.5L;
    feed.Step(*offset, {4});
    EXPECT_EQ(offset->Outputs[0].Value, 2.5L);
}

TEST_F(Arithmetik, EveryBlockOutputsZeroAtStartAndTheFixedValueItsValue)
{
    for (const char* name : {"TBTAdd", "TBTSub", "TBTMul", "TBTDiv", "TBTVerstaerker", "TBTGain", "TBTOffset"}) {
        auto block = Make(name);
        block->Outputs[0].Value = 9;
        block->ResetForStart();
        EXPECT_EQ(block->Outputs[0].Value, 0.0L) << name;
    }
    auto fixed = Make<TBTFest>("TBTFest");
    fixed->ResetForStart();
    EXPECT_EQ(fixed->Outputs[0].Value, 1.0L);
    // Written at start only: a change while running waits for the next start.
    fixed->Value = 7;
    fixed->Calculate();
    EXPECT_EQ(fixed->Outputs[0].Value, 1.0L);
    fixed->ResetForStart();
    EXPECT_EQ(fixed->Outputs[0].Value, 7.0L);
}

TEST_F(Arithmetik, HintsShowTheSetNumber)
{
    auto gain = Make<TBTGain>("TBTGain");
    gain->Gain = 2.5L;
    const AnsiString hint = gain->GetHintText();
    EXPECT_EQ(hint.substr(hint.rfind('\r') + 1), "= " + ValueToStr(2.5L));
    auto fixed = Make<TBTFest>("TBTFest");
    EXPECT_EQ(fixed->GetHintText().substr(fixed->GetHintText().rfind('\r') + 1), "= " + ValueToStr(1.0L));
}

// The records as a board writes them and reads them back.
TEST_F(Arithmetik, RecordsKeepTheNumbersAndInputCounts)
{
    TTestBoard t;
    auto* add = PlaceAs<TBTAdd>(t, "TBTAdd", 100, 100);
    add->SetInputCount(16);
    auto* gain = PlaceAs<TBTGain>(t, "TBTGain", 100, 600);
    gain->Gain = -0.125L;
    auto* offset = PlaceAs<TBTOffset>(t, "TBTOffset", 100, 900);
    offset->Offset = 1e-300L;
    auto* fixed = PlaceAs<TBTFest>(t, "TBTFest", 100, 1200);
    fixed->Value = nextafterl(1.0L, 2.0L);   // all 64 mantissa bits count
    const std::vector<Byte> bytes = t.WriteToMemory();

    LanguageIndex = 1;
    TTestBoard copy;
    copy.ReadFromMemory(bytes);
    std::vector<TIOBauteil*> read;
    for (TBauteil* object : copy.Board().Objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            read.push_back(component);
    ASSERT_EQ(read.size(), 4u);
    auto* add2 = dynamic_cast<TBTAdd*>(read[0]);
    auto* gain2 = dynamic_cast<TBTGain*>(read[1]);
    auto* offset2 = dynamic_cast<TBTOffset*>(read[2]);
    auto* fixed2 = dynamic_cast<TBTFest*>(read[3]);
    ASSERT_TRUE(add2 && gain2 && offset2 && fixed2);
    EXPECT_EQ(add2->InputCount, 16);
    EXPECT_EQ(add2->Inputs[15].Name, "E15");
    EXPECT_EQ(gain2->Gain, -0.125L);
    EXPECT_EQ(offset2->Offset, 1e-300L);
    EXPECT_EQ(fixed2->Value, nextafterl(1.0L, 2.0L));
    EXPECT_EQ(fixed2->Designator, "FV");   // the language of the reader
}

// The fixed value's number is ten raw bytes behind the base record; the
// gain's a typed extended value.
TEST_F(Arithmetik, TheFixedValueWritesTenRawBytesAndTheGainATypedFloat)
{
    auto recordTail = [](TIOBauteil& component, std::size_t n) {
        TMemoryStream stream;
        {
            TWriter writer(stream);
            component.WriteData(stream, writer);
        }
        const std::vector<Byte>& data = stream.Bytes();
        return std::vector<Byte>(data.end() - static_cast<std::ptrdiff_t>(n), data.end());
    };
    auto fixed = Make<TBTFest>("TBTFest");
    fixed->Value = 1.0L;
    EXPECT_EQ(recordTail(*fixed, 10), (std::vector<Byte>{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    auto gain = Make<TBTGain>("TBTGain");
    EXPECT_EQ(recordTail(*gain, 11), (std::vector<Byte>{static_cast<Byte>(TValueType::vaExtended), 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
}

// A damaged record with pin counts the block cannot have is refused with the
// stream error; counts the block can have are read as written and stepped.
TEST_F(Arithmetik, PinCountsFromARecordOutsideTheBlocksRangeAreRefused)
{
    struct TCase {
        const char* Class;
        Integer Inputs, Outputs;
        bool Allowed;
    };
    for (const TCase& c : {TCase{"TBTDiv", 0, 0, false}, TCase{"TBTSub", 40, 3, false}, TCase{"TBTSub", 17, 1, false},
                           TCase{"TBTSub", 16, 1, true}, TCase{"TBTAdd", 1, 1, false}, TCase{"TBTAdd", 2, 1, true},
                           TCase{"TBTMul", 5, 2, false}, TCase{"TBTVerstaerker", 1, 0, false},
                           TCase{"TBTVerstaerker", 3, 1, true}, TCase{"TBTGain", 0, 0, false},
                           TCase{"TBTGain", 1, 1, true}, TCase{"TBTFest", 2, 0, false}, TCase{"TBTFest", 0, 1, true}}) {
        SCOPED_TRACE(std::string(c.Class) + " " + std::to_string(c.Inputs) + "/" + std::to_string(c.Outputs));
        auto original = Make(c.Class);
        original->SetInputCount(c.Inputs);
        original->SetOutputCount(c.Outputs);
        TMemoryStream stream;
        {
            TWriter writer(stream);
            original->WriteData(stream, writer);
        }
        stream.SetPosition(0);
        auto read = Make(c.Class);
        TReader reader(stream);
        if (!c.Allowed) {
            EXPECT_THROW(read->ReadData(stream, reader, 46), EReadError);
            continue;
        }
        read->ReadData(stream, reader, 46);
        EXPECT_EQ(read->InputCount, c.Inputs);
        EXPECT_EQ(read->OutputCount, c.Outputs);
        read->ResetForStart();
        read->Calculate();
    }
}

TEST_F(Arithmetik, LimAndPower)
{
    EXPECT_EQ(Lim(5, 3), 3);
    EXPECT_EQ(Lim(-5, 3), -3);
    EXPECT_EQ(Lim(NaN, 3), -3);
    EXPECT_EQ(Lim(Inf, 3), 3);
    EXPECT_EQ(Power(0, 0), 1);
    EXPECT_EQ(Power(2, 10), 1024);
    EXPECT_EQ(Power(-2, 3), -8);
    EXPECT_EQ(Power(2, -2), 0.25L);
    EXPECT_EQ(Power(0, 0.5L), 0);
    EXPECT_TRUE(std::isnan(Power(-8, 1.0L / 3)));
    EXPECT_NEAR(static_cast<double>(Power(16, 0.5L)), 4.0, 1e-15);
    EXPECT_TRUE(std::isinf(Power(0, -1)));
    EXPECT_EQ(Power(1, 2147483647.0L), 1);
}

} // namespace
