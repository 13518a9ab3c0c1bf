// The pin value model: reads of connected, unconnected, inverted and text
// inputs, the output writes with inversion and wired groups, and text pins.
#include "support/TestComponents.h"
#include "support/TestNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();

struct TReadCase {
    const char* Name;
    bool Connected;
    Extended SourceValue;
    const char* SourceText;   // non-null: the source is a text pin carrying this text
    bool Inverted;
    bool Logic;
    Extended Value;
    Integer Int;
    Extended Level;
};

class PinReads : public ::testing::TestWithParam<TReadCase> {};

bool SameExtended(Extended a, Extended b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

TEST_P(PinReads, ReadInputAsEveryKind)
{
    const TReadCase& c = GetParam();
    std::unique_ptr<TBTTestSource> source(CreateBauteil<TBTTestSource>());
    std::unique_ptr<TBTTestProbe> probe(CreateBauteil<TBTTestProbe>());
    TBauteilPin& out = source->Outputs[0];
    if (c.SourceText) {
        out.Name = "$";
        source->SetOutputString(0, c.SourceText);
    } else {
        out.SetValue(c.SourceValue);
    }
    probe->Inputs[0].Inverted = c.Inverted;
    if (c.Connected)
        probe->Inputs[0].Source = out.MarkReferenced();

    EXPECT_EQ(probe->InputLogic(0), c.Logic);
    EXPECT_TRUE(SameExtended(probe->InputValue(0), c.Value)) << static_cast<double>(probe->InputValue(0));
    EXPECT_EQ(probe->InputInteger(0), c.Int);
    EXPECT_TRUE(SameExtended(probe->InputLevel(0), c.Level)) << static_cast<double>(probe->InputLevel(0));
    const AnsiString expectedText = !c.Connected ? "" : c.SourceText ? c.SourceText : ValueToStr(c.SourceValue);
    EXPECT_EQ(probe->InputString(0), expectedText);
}

INSTANTIATE_TEST_SUITE_P(
    Model, PinReads,
    ::testing::Values(
        TReadCase{"Unconnected", false, 0, nullptr, false, true, 0.0L, 0, 5.0L},
        TReadCase{"UnconnectedInverted", false, 0, nullptr, true, false, -0.0L, 0, 0.0L},
        TReadCase{"AtThreshold", true, 2.5L, nullptr, false, true, 2.5L, 2, 2.5L},
        TReadCase{"AtThresholdInverted", true, 2.5L, nullptr, true, false, -2.5L, 0, 5.0L},
        TReadCase{"AboveThresholdInverted", true, 3.0L, nullptr, true, false, -3.0L, 0, 0.0L},
        TReadCase{"JustBelowThreshold", true, 2.4999L, nullptr, false, false, 2.4999L, 2, 2.4999L},
        TReadCase{"Saturates", true, 70000.0L, nullptr, false, true, 70000.0L, 65535, 70000.0L},
        TReadCase{"Negative", true, -3.0L, nullptr, false, false, -3.0L, 0, -3.0L},
        TReadCase{"HalfToEvenUp", true, 3.5L, nullptr, false, true, 3.5L, 4, 3.5L},
        TReadCase{"HalfToEvenDown", true, 0.5L, nullptr, false, false, 0.5L, 0, 0.5L},
        TReadCase{"NaNReadsLow", true, NaN, nullptr, false, false, NaN, 0, NaN},
        TReadCase{"NaNInverted", true, NaN, nullptr, true, true, NaN, 0, 5.0L},
        TReadCase{"TextParsed", true, 0, "12,5", false, true, StrToValue("12,5"), 12, StrToValue("12,5")},
        TReadCase{"TextTrue", true, 0, "True", false, true, 5.0L, 5, 5.0L},
        TReadCase{"TextWithoutNumber", true, 0, "abc", false, false, 0.0L, 0, 0.0L}),
    TRowName());

TEST(PinReadsText, SourceNameDecidesTextNotInputName)
{
    std::unique_ptr<TBTTestSource> source(CreateBauteil<TBTTestSource>());
    std::unique_ptr<TBTTestProbe> probe(CreateBauteil<TBTTestProbe>());
    probe->Inputs[0].Name = "$";
    source->Outputs[0].SetValue(3.25L);
    source->Outputs[0].Text = "99";   // stale text of a numeric pin is not read
    probe->Inputs[0].Source = source->Outputs[0].MarkReferenced();
    EXPECT_EQ(probe->InputValue(0), 3.25L);
    EXPECT_EQ(probe->InputString(0), ValueToStr(3.25L));

    // A text output written as a number still reads as its text.
    source->Outputs[0].Name = "$out";
    source->SetOutputString(0, "7");
    source->SetOutputValue(0, 1.0L);
    EXPECT_EQ(probe->InputValue(0), 7.0L);
    EXPECT_TRUE(probe->InputLogic(0));
    EXPECT_EQ(probe->InputString(0), "7");
}

TEST(PinText, SetTextKeepsTextAndParsedValue)
{
    TBauteilPin pin;
    pin.SetText("12,5");
    EXPECT_EQ(pin.GetText(), "12,5");
    EXPECT_EQ(pin.Value, StrToValue("12,5"));
    pin.SetText("True");
    EXPECT_EQ(pin.Value, 5.0L);
    pin.SetText("");
    EXPECT_EQ(pin.Value, 0.0L);
}

struct TWriteCase {
    const char* Name;
    int Kind;   // 0 logic, 1 value, 2 level
    bool Inverted;
    Extended Argument;
    Extended Expected;
};

class PinWrites : public ::testing::TestWithParam<TWriteCase> {};

TEST_P(PinWrites, WriteAloneStoresValue)
{
    const TWriteCase& c = GetParam();
    std::unique_ptr<TBTTestSource> source(CreateBauteil<TBTTestSource>());
    source->Outputs[0].Inverted = c.Inverted;
    source->Outputs[0].SetValue(123.0L);
    if (c.Kind == 0)
        source->SetOutputLogic(0, c.Argument != 0.0L);
    else if (c.Kind == 1)
        source->SetOutputValue(0, c.Argument);
    else
        source->SetOutputLevel(0, c.Argument);
    EXPECT_TRUE(SameExtended(source->Outputs[0].Value, c.Expected))
        << static_cast<double>(source->Outputs[0].Value);
    EXPECT_EQ(source->Outputs[0].Level, c.Expected >= LogicThreshold);
}

INSTANTIATE_TEST_SUITE_P(Model, PinWrites,
                         ::testing::Values(TWriteCase{"LogicHigh", 0, false, 1, 5.0L},
                                           TWriteCase{"LogicLow", 0, false, 0, 0.0L},
                                           TWriteCase{"LogicHighInverted", 0, true, 1, 0.0L},
                                           TWriteCase{"LogicLowInverted", 0, true, 0, 5.0L},
                                           TWriteCase{"Value", 1, false, 1.5L, 1.5L},
                                           TWriteCase{"ValueInverted", 1, true, 1.5L, -1.5L},
                                           TWriteCase{"Level", 2, false, 3.3L, 3.3L},
                                           TWriteCase{"LevelInvertedHigh", 2, true, 5.0L, -0.0L},
                                           TWriteCase{"LevelInvertedLow", 2, true, 0.0L, 5.0L},
                                           TWriteCase{"LevelInvertedOther", 2, true, 3.3L, -3.3L}),
                         TRowName());

class WiredGroup : public ::testing::Test {
protected:
    void SetUp() override
    {
        a.reset(CreateBauteil<TBTTestSource>());
        b.reset(CreateBauteil<TBTTestSource>());
        Group();
    }
    void Group()
    {
        for (TBauteilPin* pin : {&a->Outputs[0], &b->Outputs[0]})
            pin->WiredGroup = {a->Outputs[0].MarkReferenced(), b->Outputs[0].MarkReferenced()};
    }
    // Every member's level byte follows its value.
    Extended A() const { return Checked(a->Outputs[0]); }
    Extended B() const { return Checked(b->Outputs[0]); }
    static Extended Checked(const TBauteilPin& pin)
    {
        EXPECT_EQ(pin.Level, pin.ReadValue() >= LogicThreshold) << static_cast<double>(pin.ReadValue());
        return pin.Value;
    }
    std::unique_ptr<TBTTestSource> a, b;
};

TEST_F(WiredGroup, LogicWritesAreWiredOr)
{
    a->SetOutputLogic(0, true);
    b->SetOutputLogic(0, false);
    EXPECT_EQ(A(), 5.0L);
    EXPECT_EQ(B(), 5.0L);
    a->SetOutputLogic(0, false);
    EXPECT_EQ(A(), 0.0L);
    EXPECT_EQ(B(), 0.0L);
    // The inversion applies to the member's own share.
    b->Outputs[0].Inverted = true;
    b->SetOutputLogic(0, false);
    EXPECT_EQ(A(), 5.0L);
}

TEST_F(WiredGroup, ValueWritesAreSummed)
{
    // A member that has not written yet counts with own value 0.
    a->SetOutputValue(0, 1.5L);
    EXPECT_EQ(A(), 1.5L);
    EXPECT_EQ(B(), 1.5L);
    b->SetOutputValue(0, 2.0L);
    EXPECT_EQ(A(), 3.5L);
    EXPECT_EQ(B(), 3.5L);
    b->Outputs[0].Inverted = true;
    b->SetOutputLevel(0, 5.0L);   // negative zero share
    EXPECT_EQ(A(), 1.5L);
}

TEST_F(WiredGroup, TextAndSingleMemberWriteDirectly)
{
    a->SetOutputValue(0, 1.0L);
    b->SetOutputString(0, "4");
    EXPECT_EQ(B(), 4.0L);
    EXPECT_EQ(A(), 1.0L);
    a->Outputs[0].WiredGroup = {&a->Outputs[0]};
    a->Outputs[0].OwnValue = 9.0L;
    a->SetOutputValue(0, 2.0L);
    EXPECT_EQ(A(), 2.0L);
    EXPECT_EQ(a->Outputs[0].OwnValue, 9.0L);
}

} // namespace
