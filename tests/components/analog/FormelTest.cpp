// The formula evaluator and the formula component: the table of edge cases,
// the number texts, evaluating only changed texts, and texts that must
// neither hang the evaluator nor make it read out of bounds.
#include "AnalogTestSupport.h"

#include "components/analog/BT_Formel.h"
#include "components/analog/Formel_Berechnung.h"

#include "engine/Globals.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

class Formel : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override { ResetGlobals(); }

    // The output after the first step with the formula and input values.
    Extended Output(const AnsiString& formula, const std::vector<Extended>& inputs = {})
    {
        auto formel = Make<TBTFormel>("TBTFormel");
        formel->SetInputCount(std::max<Integer>(1, static_cast<Integer>(inputs.size())));
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            feed.Pins[i].Value = inputs[i];
            formel->Inputs[i].Source = &feed.Pins[i];
        }
        formel->Formula = formula;
        formel->ResetForStart();
        formel->Calculate();
        return formel->Outputs[0].Value;
    }

    TFeeder feed;
};

TEST_F(Formel, TheEdgeCaseTable)
{
    struct TCase {
        const char* Formula;
        std::vector<Extended> Inputs;
        Extended Expected;
    };
    std::vector<Extended> twelve;
    for (Integer i = 0; i < 12; ++i)
        twelve.push_back(i);
    for (const TCase& c : {
             TCase{"1+2*3", {}, 7},
             TCase{"10-2*3", {}, 4},
             TCase{"2^3^2", {}, 512},
             TCase{"2*3^2", {}, 18},
             TCase{"-3^2", {}, -9},
             TCase{"(-2)^3", {}, -8},
             TCase{"(-2)^0", {}, 1},
             TCase{"(-2)^-2", {}, 0.25L},
             TCase{"0^0", {}, 0},
             TCase{"0^-1", {}, 0},
             TCase{"(-8)^(1/3)", {}, 1e33L},
             TCase{"8/2/2", {}, 2},
             TCase{"8/2*4", {}, 16},
             TCase{"5-3-1", {}, 1},
             TCase{"-5-3", {}, -8},
             TCase{"2*-3", {}, -6},
             TCase{"2--3", {}, 5},
             TCase{"-(2+3)", {}, -5},
             TCase{"2(3)", {}, 23},
             TCase{"INT(-2.5)", {}, -3},
             TCase{"INT(2.7)-INT(-2.7)", {}, 5},
             TCase{"LOG(100)", {}, 2},
             TCase{"LN(0)", {}, 1e33L},
             TCase{"LOG(-1)", {}, 1e33L},
             TCase{"1/0", {}, 1e33L},
             TCase{"(1+2", {}, 1e33L},
             TCase{"2E2^2", {}, 40000},
             TCase{"1.5E-2+1", {}, 1.015L},
             TCase{"1/3*3", {}, 0.999999999999999L},
             TCase{"X+1", {}, 1},
             TCase{"E0^2", {-3}, -9},
             TCase{"-E0", {-2}, 2},
             TCase{"2*E0", {-1.5L}, -3},
             TCase{"2E1", {0, 5}, 25},
             TCase{"E0+E1*2", {1, 2.5L}, 6},
             TCase{"E10+E1", twelve, 11},
             TCase{"SIN(0)", {}, 0},
             TCase{"1.5*2", {}, 3},
             TCase{"ABS(-2)*COS(0)+LN(1)", {}, 2},
         }) {
        // The output is the number text read back, so compare with the
        // expected value's own 15-digit text.
        EXPECT_EQ(Output(c.Formula, c.Inputs), FormulaTextValue(FormulaNumberText(c.Expected))) << c.Formula;
    }
    EXPECT_EQ(Output(""), 0.0L);
}

TEST_F(Formel, NumberTexts)
{
    EXPECT_EQ(FormulaNumberText(1.5L), " 1.50000000000000E+0000");
    EXPECT_EQ(FormulaNumberText(-0.25L), "-2.50000000000000E-0001");
    EXPECT_EQ(FormulaNumberText(0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormulaNumberText(-0.0L), " 0.00000000000000E+0000");
    EXPECT_EQ(FormulaNumberText(1e-4000L), " 1.00000000000000E-4000");
    EXPECT_EQ(FormulaNumberText(1.0L / 3), " 3.33333333333333E-0001");
    EXPECT_EQ(FormulaNumberText(std::numeric_limits<Extended>::infinity()), "#");
    EXPECT_EQ(FormulaNumberText(std::numeric_limits<Extended>::quiet_NaN()), "#");
    EXPECT_EQ(FormulaTextValue("  -1.5e2xyz"), -150);
    EXPECT_EQ(FormulaTextValue("2X"), 2);
    EXPECT_EQ(FormulaTextValue("3E"), 3);
    EXPECT_EQ(FormulaTextValue("X"), 0);
    EXPECT_EQ(FormulaTextValue(""), 0);
    EXPECT_EQ(FormulaTextValue("."), 0);
    EXPECT_EQ(EvaluateFormula("2^3^2"), " 5.12000000000000E+0002");
    EXPECT_EQ(EvaluateFormula("0^5"), " 0.00000000000000E+0000");
    EXPECT_EQ(EvaluateFormula("(1+2"), "#");
}

TEST_F(Formel, TheTextHelpers)
{
    AnsiString text = " + -2 ++ 3 -- 4 -+ 5";
    NormalizeFormulaSigns(text);
    EXPECT_EQ(text, "-2+3+4-5");
    text = "++1";
    NormalizeFormulaSigns(text);
    EXPECT_EQ(text, "1");
    EXPECT_EQ(ExtractFunctionArgument("SIN(", "2*SIN((1+2)*3)+1"), "(1+2)*3");
    EXPECT_EQ(ExtractFunctionArgument("(", "2*(3"), "#");
    EXPECT_EQ(LeftOperand("*", "1+2*3"), "2");
    EXPECT_EQ(LeftOperand("*", "-2*3"), "2");
    EXPECT_EQ(LeftOperand("+", "-2+3"), "-2");
    EXPECT_EQ(LeftOperand("-", "M2-3"), "M2");
    EXPECT_EQ(LeftOperand("^", "(1+2)^2"), "(1+2)");
    EXPECT_EQ(LeftOperand("*", "1+2)*3"), "#");
    EXPECT_EQ(RightOperand("^", "2^3^2"), "3^2");
    EXPECT_EQ(RightOperand("*", "2*-3+1"), "-3");
    EXPECT_EQ(RightOperand("*", "2*1E+5+1"), "1E+5");
    EXPECT_EQ(RightOperand("*", "(2*3"), "3");
    AnsiString shielded = "1E+5-2E-3";
    ShieldExponentSigns(shielded);
    EXPECT_EQ(shielded, "1EP5-2EM3");
    UnshieldExponentSigns(shielded);
    EXPECT_EQ(shielded, "1E+5-2E-3");
}

// The component evaluates a text only when it differs from the last one; a
// formula that needs no new evaluation leaves the output alone.
TEST_F(Formel, OnlyAChangedTextIsEvaluated)
{
    auto formel = Make<TBTFormel>("TBTFormel");
    formel->Formula = "E0*2";
    feed.Feed(*formel, {3});
    formel->ResetForStart();
    formel->Calculate();
    EXPECT_EQ(formel->Outputs[0].Value, 6);
    formel->Outputs[0].Value = -1;   // marks whether the next step writes
    formel->Calculate();
    EXPECT_EQ(formel->Outputs[0].Value, -1);
    feed.Pins[0].Value = 4;
    formel->Calculate();
    EXPECT_EQ(formel->Outputs[0].Value, 8);
    // At start the text is evaluated again.
    formel->ResetForStart();
    EXPECT_EQ(formel->Outputs[0].Value, 0);
    formel->Calculate();
    EXPECT_EQ(formel->Outputs[0].Value, 8);
    // A value that is no number gives the error value.
    feed.Pins[0].Value = std::numeric_limits<Extended>::quiet_NaN();
    formel->Calculate();
    EXPECT_EQ(formel->Outputs[0].Value, 1e33L);
}

// Texts found by fuzzing or built to be costly: each ends, with a number or
// the error marker.
TEST_F(Formel, NoTextHangsTheEvaluator)
{
    AnsiString deep(5000, '(');
    deep += '1';
    deep.append(5000, ')');
    const AnsiString longSum = [] {
        AnsiString s = "1";
        for (int i = 0; i < 3000; ++i)
            s += "+1";
        return s;
    }();
    for (const AnsiString& text :
         {deep, longSum, AnsiString("(-1.0000001)^-1E300"), AnsiString("(-2)^1E300"), AnsiString("-1-"),
          AnsiString("--"), AnsiString("-+-"), AnsiString("()"), AnsiString("SIN()"), AnsiString("2*"),
          AnsiString("*2"), AnsiString("3+"), AnsiString(")("), AnsiString("E+E-EPEM"), AnsiString("M-1"),
          AnsiString("1E99999^2"), AnsiString("((((1)))"), AnsiString("-(-(-(-1")}) {
        const AnsiString result = EvaluateFormula(text);
        EXPECT_TRUE(result == "#" || result.size() == 23 || result == "0") << text.substr(0, 40) << " -> " << result;
    }
    EXPECT_EQ(FormulaTextValue(EvaluateFormula(longSum)), 3001);
    // Beyond the factors that can change it, the product's sign follows the
    // exponent's parity.
    EXPECT_EQ(EvaluateFormula("(-2)^1E300"), "#");
    EXPECT_EQ(EvaluateFormula("(-0.5)^1E300"), " 0.00000000000000E+0000");
    EXPECT_EQ(EvaluateFormula("(-1)^1001"), "-1.00000000000000E+0000");
    EXPECT_EQ(EvaluateFormula("(-1)^1E300"), " 1.00000000000000E+0000");
}

TEST_F(Formel, TheRecordKeepsTheFormulaAsStored)
{
    auto formel = Make<TBTFormel>("TBTFormel");
    formel->SetInputCount(3);
    formel->Formula = "sin(E0)";   // a file's formula is used as stored
    TMemoryStream stream;
    {
        TWriter writer(stream);
        formel->WriteData(stream, writer);
    }
    stream.SetPosition(0);
    auto read = Make<TBTFormel>("TBTFormel");
    {
        TReader reader(stream);
        read->ReadData(stream, reader, 46);
    }
    EXPECT_EQ(read->Formula, "sin(E0)");
    EXPECT_EQ(read->InputCount, 3);
    EXPECT_EQ(read->GetHintText().substr(read->GetHintText().rfind('\r') + 1), "sin(E0)");
}

} // namespace
