// The adders and comparators: identity and pins, every sum and comparison
// over the widths, the cascade inputs, open inputs, two 4-bit comparators
// cascaded into an 8-bit one, and every output written in every step.
#include "DigitalRig.h"

namespace {

using AddiererTest = DigitalTest;

TEST_F(AddiererTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designators[3];
        Integer Bits;
        bool Adder;
    };
    const TCase cases[] = {
        {"TBTADD2", {"2-bit-Volladdierer", "Full adder (2 bit)", "Additionneur\rcomplet 2 bits"}, {"2ADD", "2ADD", "2ADD"},
         2, true},
        {"TBTADD4", {"4-bit-Volladdierer", "Full adder (4 bit)", "Additionneur\rcomplet 4 bits"}, {"4ADD", "4ADD", "4ADD"},
         4, true},
        {"TBTADD8", {"8-bit-Volladdierer", "Full adder (8 bit)", "Additionneur\rcomplet 8 bits"}, {"8ADD", "8ADD", "8ADD"},
         8, true},
        {"TBTVGL4", {"4-bit Vergleicher", "Comparator (4 bit)", "Comparateur\r4 bits"}, {"VGL", "CMP", "CMP"}, 4, false},
        {"TBTVGL8", {"8-bit Vergleicher", "Comparator (8 bit)", "Comparateur\r8 bits"}, {"VGL", "CMP", "CMP"}, 8, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* part = dynamic_cast<TGrundBT*>(object.get());
            ASSERT_NE(part, nullptr);
            ExpectIdentity(*part, c.TypeNames[language], c.Designators[language], c.Adder ? 18375 : 18380, false);
            std::vector<std::string> inputs;
            for (const char* word : {"A", "B"})
                for (Integer i = 0; i < c.Bits; ++i)
                    inputs.push_back(word + std::to_string(i));
            std::vector<std::string> outputs;
            if (c.Adder) {
                inputs.push_back("C0");
                outputs.push_back("C" + std::to_string(c.Bits));
                for (Integer k = c.Bits - 1; k >= 0; --k)
                    outputs.push_back("S" + std::to_string(k));
            } else {
                inputs.insert(inputs.end(), {"A<B", "A>B", "A=B"});
                outputs = {"A=B", "A>B", "A<B"};
            }
            EXPECT_EQ(PinNames(part->Inputs), inputs);
            EXPECT_EQ(PinNames(part->Outputs), outputs);
        }
    }
}

// A and B bit by bit ("A0" first), then the trailing levels.
std::string Words(Integer bits, Integer a, Integer b, const std::string& rest)
{
    std::string levels;
    for (const Integer word : {a, b})
        for (Integer i = 0; i < bits; ++i)
            levels += (word >> i & 1) ? '1' : '0';
    return levels + rest;
}

// The sum bits and the carry as one number ("S0" has the highest index).
Integer Sum(const TRig& rig, Integer bits)
{
    return rig.Number(bits, bits) | Integer(rig.High(0)) << bits;
}

TEST_F(AddiererTest, EverySumOfTheTwoAndFourBitAdders)
{
    for (const auto& [className, bits] : {std::pair{"TBTADD2", 2}, std::pair{"TBTADD4", 4}}) {
        SCOPED_TRACE(className);
        TRig rig(className);
        rig.Start();
        EXPECT_EQ(Sum(rig, bits), 0);
        for (Integer a = 0; a < 1 << bits; ++a)
            for (Integer b = 0; b < 1 << bits; ++b)
                for (const Integer carry : {0, 1}) {
                    rig.Step(Words(bits, a, b, carry ? "1" : "0"));
                    ASSERT_EQ(Sum(rig, bits), a + b + carry) << a << " + " << b << " + " << carry;
                }
    }
}

TEST_F(AddiererTest, EightBitSumsAndOpenInputs)
{
    TRig rig("TBTADD8");
    rig.Start();
    for (const auto& [a, b, carry] : {std::tuple{200, 100, 0}, std::tuple{255, 255, 1}, std::tuple{0, 0, 1},
                                      std::tuple{128, 128, 0}, std::tuple{85, 170, 0}}) {
        rig.Step(Words(8, a, b, carry ? "1" : "0"));
        EXPECT_EQ(Sum(rig, 8), a + b + carry) << a << " + " << b << " + " << carry;
    }
    // Every output written in every step.
    rig.Component->Outputs[0].Value = 3.3L;
    rig.Component->Outputs[8].Value = 3.3L;
    rig.Step();
    EXPECT_EQ(rig.Value(0), LowLevel);
    EXPECT_EQ(rig.Value(8), HighLevel);   // S0 of 85 + 170

    // Every input open reads high: 3 + 3 + 1.
    TRig open("TBTADD2", 0);
    open.Start();
    open.Step();
    EXPECT_EQ(Sum(open, 2), 7);
}

// "A=B", "A>B", "A<B" as three characters.
std::string Comparison(const TRig& rig)
{
    return std::string{rig.High(TVergleicher::EqualOutput) ? '=' : '.', rig.High(TVergleicher::GreaterOutput) ? '>' : '.',
                       rig.High(TVergleicher::LessOutput) ? '<' : '.'};
}

TEST_F(AddiererTest, ComparatorsOverTheirWidths)
{
    for (const auto& [className, bits] : {std::pair{"TBTVGL4", 4}, std::pair{"TBTVGL8", 8}}) {
        SCOPED_TRACE(className);
        TRig rig(className);
        rig.Start();
        EXPECT_EQ(Comparison(rig), "...");
        const Integer step = bits == 4 ? 1 : 5;
        for (Integer a = 0; a < 1 << bits; a += step)
            for (Integer b = 0; b < 1 << bits; b += step) {
                // Cascade "A<B" and "A>B" high, "A=B" low: they decide only equal words.
                rig.Step(Words(bits, a, b, "110"));
                const char* expected = a < b ? "..<" : a > b ? ".>." : ".>.";
                ASSERT_EQ(Comparison(rig), expected) << a << " " << b;
            }
    }
}

// Equal words: the cascade inputs ("A<B", "A>B", "A=B") decide.
TEST_F(AddiererTest, TheCascadeInputsDecideEqualWords)
{
    struct TCase {
        const char* Cascade;
        const char* Shown;
    };
    for (const TCase& c : {TCase{"001", "=.."}, TCase{"111", "=.."}, TCase{"000", "=.."}, TCase{"100", "..<"},
                           TCase{"010", ".>."}, TCase{"110", ".>."}}) {
        SCOPED_TRACE(c.Cascade);
        TRig rig("TBTVGL4");
        rig.Start();
        rig.Step(Words(4, 9, 9, c.Cascade));
        EXPECT_EQ(Comparison(rig), c.Shown);
    }
    // Open cascade inputs read high: equal words show "A=B".
    TRig open("TBTVGL4", 8);
    open.Start();
    open.Step(Words(4, 6, 6, ""));
    EXPECT_EQ(Comparison(open), "=..");
}

// The lower comparator's outputs on the higher one's cascade inputs ("A<B"
// to "A<B" and so on) compare 8-bit words, whichever is stepped first.
TEST_F(AddiererTest, TwoCascadedComparatorsCompareEightBits)
{
    for (const bool lowerFirst : {true, false}) {
        SCOPED_TRACE(lowerFirst ? "lower first" : "higher first");
        TTestBoard t;
        auto* source = t.Place<TBTTestSource>(100, 100);
        source->SetOutputCount(16);
        TIOBauteil* lower = nullptr;
        TIOBauteil* higher = nullptr;
        if (lowerFirst) {
            lower = static_cast<TVergleicher*>(t.Place("TBTVGL4", 600, 100));
            higher = static_cast<TVergleicher*>(t.Place("TBTVGL4", 600, 900));
        } else {
            higher = static_cast<TVergleicher*>(t.Place("TBTVGL4", 600, 900));
            lower = static_cast<TVergleicher*>(t.Place("TBTVGL4", 600, 100));
        }
        // A0..A7 and B0..B7 of the source; the lower part takes bits 0..3.
        for (Integer i = 0; i < 4; ++i) {
            lower->Inputs[i].Source = source->Outputs[i].MarkReferenced();
            lower->Inputs[4 + i].Source = source->Outputs[8 + i].MarkReferenced();
            higher->Inputs[i].Source = source->Outputs[4 + i].MarkReferenced();
            higher->Inputs[4 + i].Source = source->Outputs[12 + i].MarkReferenced();
        }
        higher->Inputs[8].Source = lower->Outputs[TVergleicher::LessOutput].MarkReferenced();
        higher->Inputs[9].Source = lower->Outputs[TVergleicher::GreaterOutput].MarkReferenced();
        higher->Inputs[10].Source = lower->Outputs[TVergleicher::EqualOutput].MarkReferenced();
        PinLinksChanged();
        for (Integer a = 0; a < 256; a += 3)
            for (Integer b = 0; b < 256; b += 7) {
                for (Integer i = 0; i < 8; ++i) {
                    source->Values[i] = (a >> i & 1) ? HighLevel : LowLevel;
                    source->Values[8 + i] = (b >> i & 1) ? HighLevel : LowLevel;
                }
                // Stepped twice: a higher part stepped first sees the lower
                // part's outputs one step late.
                t.CalculateAll();
                t.CalculateAll();
                const bool equal = higher->Outputs[TVergleicher::EqualOutput].Value >= LogicThreshold;
                const bool greater = higher->Outputs[TVergleicher::GreaterOutput].Value >= LogicThreshold;
                const bool less = higher->Outputs[TVergleicher::LessOutput].Value >= LogicThreshold;
                ASSERT_EQ(equal, a == b) << a << " " << b;
                ASSERT_EQ(greater, a > b) << a << " " << b;
                ASSERT_EQ(less, a < b) << a << " " << b;
            }
    }
}

} // namespace
