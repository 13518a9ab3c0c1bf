// The BCD and seven-segment decoders over all sixteen values, their start
// levels, open inputs and the seven-segment decoder's writing on change.
#include "DigitalRig.h"

namespace {

using DekoderTest = DigitalTest;

// The inputs of value v: bit i on input i.
std::string Bits(Integer v)
{
    std::string text;
    for (Integer i = 0; i < 4; ++i)
        text += (v >> i & 1) ? '1' : '0';
    return text;
}

TEST_F(DekoderTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Help;
        std::vector<const char*> Inputs, Outputs;
    };
    const TCase cases[] = {
        {"TBTBCDDekoder",
         {"BCD-Dekoder", "BCD Decoder", "D\xE9" "codeur BCD"},
         "BCD",
         18350,
         {"B0", "B1", "B2", "B3"},
         {"D9", "D8", "D7", "D6", "D5", "D4", "D3", "D2", "D1", "D0"}},
        {"TBTSeg7Decoder",
         {"7-Segment-\rDekoder", "7-Segment\rDecoder", "D\xE9" "codeur\r7 segments"},
         "7SDEC",
         18355,
         {"S0", "S1", "S2", "S3"},
         {"g", "f", "e", "d", "c", "b", "a"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* part = dynamic_cast<TIOBauteil*>(object.get());
            ASSERT_NE(part, nullptr);
            EXPECT_EQ(part->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(part->Designator, c.Designator);
            EXPECT_EQ(part->HelpContext, c.Help);
            EXPECT_FALSE(part->HasPropertyDialog);
            ASSERT_EQ(part->InputCount, 4);
            for (std::size_t i = 0; i < c.Inputs.size(); ++i)
                EXPECT_EQ(part->Inputs[i].Name, c.Inputs[i]);
            ASSERT_EQ(part->OutputCount, static_cast<Integer>(c.Outputs.size()));
            for (std::size_t o = 0; o < c.Outputs.size(); ++o)
                EXPECT_EQ(part->Outputs[o].Name, c.Outputs[o]);
        }
    }
}

TEST_F(DekoderTest, AllSixteenValues)
{
    // Segments a to g, as written by hand from the digits' shapes.
    const char* const segments[16] = {"1111110", "0110000", "1101101", "1111001", "0110011", "1011011",
                                      "1011111", "1110000", "1111111", "1111011", "0000000", "0000000",
                                      "0000000", "0000000", "0000000", "0000000"};
    TRig bcd("TBTBCDDekoder");
    TRig seg7("TBTSeg7Decoder");
    bcd.Start();
    seg7.Start();
    EXPECT_EQ(bcd.Levels(), "1111111111");
    EXPECT_EQ(seg7.Levels(), "1111111");
    for (Integer v : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 9, 0}) {
        SCOPED_TRACE(v);
        bcd.Step(Bits(v));
        seg7.Step(Bits(v));
        // D0 first.
        std::string digits(10, '0');
        if (v < 10)
            digits[v] = '1';
        EXPECT_EQ(bcd.Levels(), digits);
        EXPECT_EQ(seg7.Levels(), segments[v]);
    }
}

// Open inputs read high: the value 15, a dark digit.
TEST_F(DekoderTest, OpenInputsGiveFifteen)
{
    TRig bcd("TBTBCDDekoder", 0);
    TRig seg7("TBTSeg7Decoder", 0);
    bcd.Start();
    seg7.Start();
    bcd.Step();
    seg7.Step();
    EXPECT_EQ(bcd.Levels(), "0000000000");
    EXPECT_EQ(seg7.Levels(), "0000000");
}

// The seven-segment decoder writes only when the value changes, and the
// first step after every start writes; the BCD decoder writes every step.
TEST_F(DekoderTest, WhenTheOutputsAreWritten)
{
    TRig seg7("TBTSeg7Decoder");
    TRig bcd("TBTBCDDekoder");
    for (TRig* rig : {&seg7, &bcd}) {
        rig->Start();
        rig->Step(Bits(8));
        rig->Component->Outputs[0].Value = 3.3L;
    }
    seg7.Step(Bits(8));
    bcd.Step(Bits(8));
    EXPECT_EQ(seg7.Value(0), 3.3L);
    EXPECT_EQ(bcd.Value(0), 0.0L);
    seg7.Step(Bits(0));
    EXPECT_EQ(seg7.Value(0), 0.0L);   // segment g of 0
    seg7.Component->Outputs[0].Value = 3.3L;
    seg7.t.Board().StopSimulation();
    seg7.Start();
    seg7.Step(Bits(0));
    EXPECT_EQ(seg7.Value(0), 0.0L);
}

} // namespace
