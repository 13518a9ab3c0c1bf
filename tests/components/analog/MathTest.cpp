// The math function and the polynomial: the function table, the polar
// angles, the rounding functions, domain errors that keep the outputs, the
// pin sets per function, and the polynomial's substitute value.
#include "AnalogTestSupport.h"

#include "components/analog/BT_Math.h"

#include "engine/Globals.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr Extended Pi = std::numbers::pi_v<Extended>;
constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();
constexpr Extended Inf = std::numeric_limits<Extended>::infinity();
constexpr Extended Kept = 12345;   // the output's value before the step

class MathFunction : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override { ResetGlobals(); }

    // Output 0 (and 1) after one step of function f; outputs start at Kept.
    std::pair<Extended, Extended> Run(const char* name, Extended x = 0, Extended y = 0)
    {
        Integer f = 0;
        while (TBTMath::FunctionName(f) != name)
            ++f;
        math->SetFunction(f);
        math->InputsCreated();
        math->OutputsCreated();
        for (TBauteilPin& pin : math->Outputs)
            pin.Value = Kept;
        feed.Step(*math, {x, y});
        return {math->Outputs[0].Value, math->OutputCount > 1 ? math->Outputs[1].Value : Kept};
    }

    std::unique_ptr<TBTMath> math = Make<TBTMath>("TBTMath");
    TFeeder feed;
};

TEST_F(MathFunction, OneArgumentFunctions)
{
    struct TCase {
        const char* Name;
        Extended X, Expected;
    };
    for (const TCase& c : {
             TCase{"sin", Pi / 2, 1},           TCase{"cos", 0, 1},
             TCase{"tan", Pi / 4, 1},           TCase{"cotan", Pi / 4, 1},
             TCase{"pi", 0, Pi},                TCase{"2*pi", 0, 2 * Pi},
             TCase{"pi/2", 0, Pi / 2},          TCase{"deg", Pi, 180},
             TCase{"rad", 180, Pi},             TCase{"arcsin", 1, Pi / 2},
             TCase{"arccos", -1, Pi},           TCase{"arctan", 1, Pi / 4},
             TCase{"sinh", 0, 0},               TCase{"cosh", 0, 1},
             TCase{"tanh", 0, 0},               TCase{"arcsinh", 0, 0},
             TCase{"arccosh", 1, 0},            TCase{"arctanh", 0, 0},
             TCase{"ln", expl(2.0L), 2},   TCase{"lg10", 1000, 3},
             TCase{"lg2", 1024, 10},            TCase{"exp", 0, 1},
             TCase{"exp10", 3, 1000},           TCase{"exp2", -1, 0.5L},
             TCase{"e", 0, expl(1.0L)},    TCase{"1/x", 4, 0.25L},
             TCase{"rt2", 16, 4},               TCase{"abs", -2.5L, 2.5L},
             TCase{"int", -2.5L, -3},           TCase{"int", 2.7L, 2},
             TCase{"int", -3, -3},              TCase{"frac", -2.5L, -0.5L},
             TCase{"frac", 2.75L, 0.75L},       TCase{"signum", -0.1L, -1},
             TCase{"signum", 0, 0},             TCase{"signum", 7, 1},
         }) {
        SCOPED_TRACE(std::string(c.Name) + " of " + std::to_string(static_cast<double>(c.X)));
        EXPECT_NEAR(static_cast<double>(Run(c.Name, c.X).first), static_cast<double>(c.Expected), 1e-15);
    }
}

TEST_F(MathFunction, PowersAndRoots)
{
    EXPECT_EQ(Run("x^y", 0, 0).first, 1);   // 0^0 is 1 here
    EXPECT_EQ(Run("x^y", -2, 3).first, -8);
    EXPECT_EQ(Run("x^y", 2, -1).first, 0.5L);
    EXPECT_EQ(Run("x^y", -8, 1.0L / 3).first, Kept);
    EXPECT_EQ(Run("x^y", 0, -1).first, Kept);
    EXPECT_NEAR(static_cast<double>(Run("rt", 16, 2).first), 4.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Run("rt", 27, 3).first), 3.0, 1e-15);
}

TEST_F(MathFunction, PolarAnglesLieInZeroToTwoPi)
{
    struct TCase {
        Extended X, Y, R, W;
    };
    for (const TCase& c : {TCase{0, -1, 1, 3 * Pi / 2}, TCase{-1, 0, 1, Pi}, TCase{1, -1, std::sqrt(2.0L), 7 * Pi / 4},
                           TCase{0, 0, 0, 0}, TCase{0, 2, 2, Pi / 2}, TCase{3, 4, 5, std::atan(4.0L / 3)},
                           TCase{-1, -1, std::sqrt(2.0L), 5 * Pi / 4}}) {
        const auto [w, r] = Run("pol", c.X, c.Y);
        EXPECT_NEAR(static_cast<double>(r), static_cast<double>(c.R), 1e-15) << c.X << "," << c.Y;
        EXPECT_NEAR(static_cast<double>(w), static_cast<double>(c.W), 1e-15) << c.X << "," << c.Y;
    }
    const auto [y, x] = Run("cart", 2, Pi / 2);
    EXPECT_NEAR(static_cast<double>(y), 2.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(x), 0.0, 1e-15);
    const auto [low, high] = Run("comp", 3, 5);
    EXPECT_EQ(low, 3);
    EXPECT_EQ(high, 5);
}

// An argument outside the domain, a division by zero or an overflow leaves
// the output as it was; NaN and infinite arguments pass as the arithmetic
// gives them.
TEST_F(MathFunction, DomainErrorsKeepTheOutputs)
{
    struct TCase {
        const char* Name;
        Extended X, Y;
    };
    for (const TCase& c : {TCase{"ln", 0, 0}, TCase{"ln", -1, 0}, TCase{"lg10", 0, 0}, TCase{"lg2", -3, 0},
                           TCase{"1/x", 0, 0}, TCase{"rt2", -1, 0}, TCase{"arcsin", 1.5L, 0},
                           TCase{"arccos", -2, 0}, TCase{"arccosh", 0.5L, 0}, TCase{"arctanh", 1, 0},
                           TCase{"cotan", 0, 0}, TCase{"exp", 1e6L, 0}, TCase{"sinh", 1e6L, 0},
                           TCase{"exp10", 1e6L, 0}, TCase{"x^y", 1e4000L, 2}, TCase{"sin", Inf, 0},
                           TCase{"rt", -8, 3}, TCase{"rt", 5, 0}, TCase{"pol", 1e4000L, 1e4000L}}) {
        SCOPED_TRACE(c.Name);
        const auto [out0, out1] = Run(c.Name, c.X, c.Y);
        EXPECT_EQ(out0, Kept);
        EXPECT_EQ(out1, Kept);
    }
    EXPECT_TRUE(std::isnan(Run("sin", NaN).first));
    EXPECT_EQ(Run("exp", Inf).first, Inf);
    EXPECT_EQ(Run("exp", -Inf).first, 0);
}

TEST_F(MathFunction, TheFunctionSetsThePins)
{
    struct TCase {
        const char* Name;
        std::vector<const char*> Inputs, Outputs;
    };
    for (const TCase& c : {TCase{"sin", {"x"}, {"y"}}, TCase{"pi", {}, {"y"}}, TCase{"e", {}, {"y"}},
                           TCase{"x^y", {"x", "y"}, {"y"}}, TCase{"rt", {"x", "y"}, {"y"}},
                           TCase{"pol", {"x", "y"}, {"w", "r"}}, TCase{"cart", {"r", "w"}, {"y", "x"}},
                           TCase{"comp", {"x", "y"}, {"L", "H"}}}) {
        SCOPED_TRACE(c.Name);
        Run(c.Name, 1, 1);
        ASSERT_EQ(math->InputCount, static_cast<Integer>(c.Inputs.size()));
        ASSERT_EQ(math->OutputCount, static_cast<Integer>(c.Outputs.size()));
        for (std::size_t i = 0; i < c.Inputs.size(); ++i)
            EXPECT_EQ(math->Inputs[i].Name, c.Inputs[i]);
        for (std::size_t i = 0; i < c.Outputs.size(); ++i)
            EXPECT_EQ(math->Outputs[i].Name, c.Outputs[i]);
    }
    EXPECT_EQ(TBTMath::FunctionName(36), "");
    EXPECT_EQ(TBTMath::FunctionName(35), "signum");
}

TEST_F(MathFunction, TheRecordKeepsTheFunctionAndAHintNamesIt)
{
    Run("pol", 1, 1);
    EXPECT_EQ(math->GetHintText().substr(math->GetHintText().rfind('\r') + 1), "pol");
    TMemoryStream stream;
    {
        TWriter writer(stream);
        math->WriteData(stream, writer);
    }
    stream.SetPosition(0);
    auto read = Make<TBTMath>("TBTMath");
    {
        TReader reader(stream);
        read->ReadData(stream, reader, 46);
    }
    EXPECT_EQ(read->FunctionIndex, 32);
    EXPECT_EQ(read->OutputCount, 2);
    EXPECT_EQ(read->Outputs[1].Name, "r");
}

TEST_F(MathFunction, ADamagedFunctionIndexIsClampedToTheTable)
{
    for (const auto& [stored, expected] : {std::pair{99, 35}, std::pair{-4, 0}}) {
        auto sin = Make<TBTMath>("TBTMath");
        TMemoryStream stream;
        {
            TWriter writer(stream);
            sin->TIOBauteil::WriteData(stream, writer);
            writer.WriteInteger(stored);
        }
        stream.SetPosition(0);
        auto read = Make<TBTMath>("TBTMath");
        {
            TReader reader(stream);
            read->ReadData(stream, reader, 46);
        }
        EXPECT_EQ(read->FunctionIndex, expected);
        read->Calculate();
    }
}

TEST_F(MathFunction, ThePolynomial)
{
    auto poly = Make<TBTPolynom>("TBTPolynom");
    poly->SetInputCount(4);   // order 2
    EXPECT_EQ(poly->Inputs[3].Name, "C2");
    feed.Step(*poly, {2, 1, 0, 3});
    EXPECT_EQ(poly->Outputs[0].Value, 13);
    feed.Step(*poly, {0, 1, 5, 3});   // 0^0 is 1
    EXPECT_EQ(poly->Outputs[0].Value, 1);

    poly->SetInputCount(2);   // order 0
    feed.Step(*poly, {9, -4});
    EXPECT_EQ(poly->Outputs[0].Value, -4);

    // X^15 leaves the 80-bit range, even with C15 = 0 for all terms but one.
    poly->SetInputCount(17);
    feed.Feed(*poly, {1e330L});
    feed.Pins[16].Value = 1;
    poly->Inputs[16].Source = &feed.Pins[16];
    poly->Calculate();
    EXPECT_EQ(poly->Outputs[0].Value, 1e99L);
    feed.Pins[16].Value = 0;
    poly->Calculate();
    EXPECT_EQ(poly->Outputs[0].Value, 1e99L);
    feed.Pins[0].Value = 2;
    poly->Calculate();
    EXPECT_EQ(poly->Outputs[0].Value, 0);
}

} // namespace
