// The shift registers: identity and pins, step sequences (serial samples of
// the step before the falling edge, both directions, reset, parallel load and
// its priority over reset), open inputs, the clock level carried across a
// stop and a start, and the contents kept in the run-state file.
#include "DigitalRig.h"

namespace {

using SchieberegisterTest = DigitalTest;

TEST_F(SchieberegisterTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Bits;
        bool Loadable;
    };
    const TCase cases[] = {
        {"TBTSREG", {"Schieberegister\r(4 bit)", "Shift register\r(4 bit)", "Reg. \xE0 d\xE9" "calage\r(4)"}, "SR-", 4,
         false},
        {"TBTSREG8", {"Schieberegister\r(8 bit)", "Shift register\r(8 bit)", "Reg. \xE0 d\xE9" "calage\r(8)"}, "SR8-",
         8, false},
        {"TBTSREG16", {"Schieberegister\r(16 bit)", "Shift register\r(16 bit)", "Reg. \xE0 d\xE9" "calage\r(16)"},
         "SR16-", 16, false},
        {"TBTSREGL",
         {"Schieberegister\r(4 bit, ladbar)", "Shift register\rwith load (4 bit)",
          "Reg. \xE0 d\xE9" "calage\ravec charg. (4)"},
         "SRL-", 4, true},
        {"TBTSREGL8",
         {"Schieberegister\r(8 bit, ladbar)", "Shift register\rwith load (8 bit)",
          "Reg. \xE0 d\xE9" "calage\ravec charg.(8)"},
         "SRL8-", 8, true},
        {"TBTSREGL16",
         {"Schieberegister\r(16 Bit, ladbar)", "Shift register\rwith load (16 bit)",
          "Reg. \xE0 d\xE9" "calage\ravec charg. (16)"},
         "SRL16-", 16, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* part = dynamic_cast<TSchieberegister*>(object.get());
            ASSERT_NE(part, nullptr);
            ExpectIdentity(*part, c.TypeNames[language], c.Designator, 26000, false);
            std::vector<std::string> inputs = {"|CK", "/RST", "L/R", "DL", "DR"};
            if (c.Loadable) {
                inputs.push_back("/LD");
                for (Integer i = 0; i < c.Bits; ++i)
                    inputs.push_back("D" + std::to_string(i));
            }
            std::vector<std::string> outputs;
            for (Integer i = c.Bits - 1; i >= 0; --i)
                outputs.push_back("Q" + std::to_string(i));
            EXPECT_EQ(PinNames(part->Inputs), inputs);
            EXPECT_EQ(PinNames(part->Outputs), outputs);
        }
    }
}

// Inputs: |CK /RST L/R DL DR, then /LD D0..
const std::vector<TStepSequence> Sequences = {
    {"TBTSREG", "toward the top, the level DL read in the step before the edge enters at Q0",
     {{"11110", 0}, {"01100", 1}, {"11100", 1}, {"01110", 2}, {"11110", 2}, {"01110", 5}, {"11110", 5},
      {"01110", 11}, {"11100", 11}, {"01100", 6}}},
    {"TBTSREG", "toward Q0, the level DR read before the edge enters at the top and Q0 is lost",
     {{"11001", 0}, {"01001", 8}, {"11000", 8}, {"01000", 4}, {"11001", 4}, {"01001", 10}, {"11000", 10},
      {"01000", 5}, {"11000", 5}, {"01001", 2}}},
    {"TBTSREG", "/RST low clears and samples nothing",
     {{"11110", 0}, {"01110", 1}, {"11110", 1}, {"10100", 0}, {"01100", 1}}},
    {"TBTSREG16", "16 bits toward Q0 with DR high", {{"11001", 0}, {"01001", 32768}, {"11001", 32768}, {"01001", 49152}}},
    {"TBTSREG8", "8 bits toward the top lose the top bit",
     {{"11110", 0}, {"01110", 1}, {"11110", 1}, {"01110", 3}, {"11110", 3}, {"01110", 7}, {"11110", 7},
      {"01110", 15}, {"11110", 15}, {"01110", 31}, {"11110", 31}, {"01110", 63}, {"11110", 63}, {"01110", 127},
      {"11110", 127}, {"01110", 255}, {"11100", 255}, {"01100", 254}}},
    {"TBTSREGL", "/LD low with the clock held low follows the parallel inputs",
     {{"0111101010", 5}, {"0111100110", 6}, {"0111100001", 8}, {"0111110000", 8}}},
    {"TBTSREGL", "/LD low beats /RST low with the value last taken; /RST alone clears",
     {{"1111101100", 3}, {"1011100011", 3}, {"1011110011", 0}, {"1111110011", 0}, {"1111100011", 12}}},
    {"TBTSREGL", "at a falling edge /LD low loads the value taken the step before, not the shifted one",
     {{"1111111010", 0}, {"0111100100", 5}, {"1111110100", 5}, {"0111110100", 11}}},
    {"TBTSREGL16", "16 bits loaded",
     {{"1111101111111111111111", 65535}, {"0111111111111111111111", 65535}, {"1011110000000000000000", 0}}},
};

TEST_F(SchieberegisterTest, StepSequences)
{
    ExpectSequences<TSchieberegister>(Sequences, [](const TSchieberegister& part) { return std::pair{part.Bits() - 1, part.Bits()}; });
}

// Every input but the clock open: toward the top, filling with ones.
TEST_F(SchieberegisterTest, OpenInputsFillWithOnes)
{
    for (const char* className : {"TBTSREG", "TBTSREGL"}) {
        SCOPED_TRACE(className);
        TRig rig(className, 1);
        rig.Start();
        for (const Integer expected : {1, 3, 7, 15, 15}) {
            rig.Step("1");
            rig.Step("0");
            EXPECT_EQ(rig.Number(3, 4), expected);
        }
    }
}

// The contents are kept under "State"; the samples are not. A clock high at
// the stop and low in the first step of the next run shifts once, with the
// samples cleared at the start.
TEST_F(SchieberegisterTest, ContentsKeptAndTheEdgeAcrossStopAndStart)
{
    struct TCase {
        const char* Class;
        const char* Section;
        const char* Clock;   // the inputs with the clock high, then their last character low
        Integer Kept, AfterEdge;
    };
    for (const TCase& c : {TCase{"TBTSREG", "MAIN.SR-1", "11110", 5, 10}, TCase{"TBTSREGL8", "MAIN.SRL8-1", "11110", 5, 10},
                           TCase{"TBTSREG16", "MAIN.SR16-1", "11001", 5, 2}}) {
        SCOPED_TRACE(c.Class);
        TRunStateFile file;
        TRig rig(c.Class, 5);
        auto* part = static_cast<TSchieberegister*>(rig.Component);
        const Integer bits = part->Bits();
        rig.Start();
        part->State = c.Kept;
        rig.Step(c.Clock);
        rig.SaveAndStop(file.Name);
        {
            TIniFile ini(file.Name);
            EXPECT_EQ(ini.ReadSections(), std::vector<AnsiString>{c.Section});
            EXPECT_EQ(ini.ReadSection(c.Section), std::vector<AnsiString>{"State"});
            EXPECT_EQ(ini.ReadString(c.Section, "State", "?"), std::to_string(c.Kept));
        }
        rig.StartAndLoad(file.Name);
        EXPECT_EQ(rig.Number(bits - 1, bits), c.Kept);
        std::string falling = c.Clock;
        falling[0] = '0';
        rig.Step(falling);
        EXPECT_EQ(rig.Number(bits - 1, bits), c.AfterEdge);
    }
}

} // namespace
