// The registers and latches: identity and pins, step sequences (data taken at
// the rising edge and shown at the falling one, transparency, reset), open
// clocks, the clock level carried across a stop and a start, when outputs
// are written, and the values kept in the run-state file.
#include "DigitalRig.h"

namespace {

using RegisterTest = DigitalTest;

TEST_F(RegisterTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Bits;
        bool Latch;
    };
    const TCase cases[] = {
        {"TBTREG2", {"2-bit Register", "Register (2 bit)", "Registre (2 bits)"}, "2REG", 2, false},
        {"TBTREG4", {"4-bit Register", "Register (4 bit)", "Registre (4 bits)"}, "4REG", 4, false},
        {"TBTREG8", {"8-bit Register", "Register (8 bit)", "Registre 8 bits"}, "8REG", 8, false},
        {"TBTREG16", {"16-bit Register", "Register (16 bit)", "Registre 16 bits"}, "16REG", 16, false},
        {"TBTREG2_T", {"2-bit Latch", "Latch (2-bit)", "Latch (2 bits)"}, "2LAT", 2, true},
        {"TBTREG4_T", {"4-bit Latch", "Latch (4-bit)", "Latch 4 bits"}, "4LAT", 4, true},
        {"TBTREG8_T", {"8-bit Latch", "Latch (8-bit)", "Latch 8 bits"}, "8LAT", 8, true},
        {"TBTREG16_T", {"16-bit Latch", "Latch (16-bit)", "Latch (16 bits)"}, "16LAT", 16, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* part = dynamic_cast<TRegister*>(object.get());
            ASSERT_NE(part, nullptr);
            ExpectIdentity(*part, c.TypeNames[language], c.Designator, 25000, false);
            std::vector<std::string> inputs = {"/RST", c.Latch ? "CK" : "|CK"};
            for (Integer i = 0; i < c.Bits; ++i)
                inputs.push_back("D" + std::to_string(i));
            std::vector<std::string> outputs;
            for (Integer i = c.Bits - 1; i >= 0; --i)
                outputs.push_back("Q" + std::to_string(i));
            EXPECT_EQ(PinNames(part->Inputs), inputs);
            EXPECT_EQ(PinNames(part->Outputs), outputs);
        }
    }
}

const std::vector<TStepSequence> Sequences = {
    {"TBTREG4", "a clock high for one step takes the data then and shows them when it falls",
     {{"101010", 0}, {"111010", 0}, {"100000", 5}, {"100000", 5}}},
    {"TBTREG4", "data that change while the clock stays high are not taken",
     {{"101111", 0}, {"111000", 0}, {"110110", 0}, {"100110", 1}}},
    {"TBTREG4", "/RST clears the outputs, not the value taken; no data are taken while it is low",
     {{"100000", 0},
      {"111100", 0},
      {"101100", 3},
      {"111111", 3},
      {"011111", 0},
      {"110000", 0},
      {"100000", 15},
      {"000000", 0},
      {"010000", 0},
      {"110000", 0},
      {"100000", 15}}},
    {"TBTREG2", "2 bits", {{"1011", 0}, {"1101", 0}, {"1000", 2}}},
    {"TBTREG16", "16 bits",
     {{"101111111111111111", 0}, {"111111111111111111", 0}, {"100000000000000001", 65535},
      {"110000000000000001", 65535}, {"100000000000000000", 32768}}},
    {"TBTREG4_T", "a latch follows its data while CK is high and holds while it is low",
     {{"101010", 0}, {"111010", 5}, {"110001", 8}, {"100110", 8}, {"101111", 8}, {"110110", 6}}},
    {"TBTREG4_T", "/RST wins over CK; back high with CK low the outputs stay 0 until CK rises",
     {{"111111", 15}, {"011111", 0}, {"001111", 0}, {"101111", 0}, {"111111", 15}}},
    {"TBTREG8_T", "8 bits", {{"1100000001", 128}, {"1000000000", 128}, {"1110101010", 85}}},
};

TEST_F(RegisterTest, StepSequences)
{
    ExpectSequences<TRegister>(Sequences, [](const TRegister& part) { return std::pair{part.Bits() - 1, part.Bits()}; });
}

// Open inputs read high: a register with an open clock never sees a falling
// edge and keeps 0; a latch with an open clock is transparent.
TEST_F(RegisterTest, OpenClocks)
{
    for (const auto& [className, value] : {std::pair{"TBTREG4", 0}, std::pair{"TBTREG4_T", 15}}) {
        SCOPED_TRACE(className);
        TRig rig(className, 0);
        rig.Start();
        for (Integer i = 0; i < 3; ++i)
            rig.Step();
        EXPECT_EQ(rig.Number(3, 4), value);
    }
}

// Nothing is written while the value stays; every output when it changes.
TEST_F(RegisterTest, OutputsAreWrittenOnChangeOnly)
{
    for (const char* className : {"TBTREG4", "TBTREG4_T"}) {
        SCOPED_TRACE(className);
        TRig rig(className);
        rig.Start();
        rig.Step("100001");
        rig.Component->Outputs[3].Value = 3.3L;   // Q0
        rig.Step("100001");
        EXPECT_EQ(rig.Value(3), 3.3L);
        rig.Step("110001");   // the latch shows 8
        rig.Step("100001");   // the register shows 8
        EXPECT_EQ(rig.Number(3, 4), 8);
        EXPECT_EQ(rig.Value(3), LowLevel);
    }
}

TEST_F(RegisterTest, ValuesAreKeptInTheRunStateFile)
{
    struct TCase {
        const char* Class;
        const char* Section;
        std::vector<const char*> Run;
        std::vector<std::pair<const char*, const char*>> Keys;
    };
    const TCase cases[] = {
        // Shows 5, holds 9 taken at the last rising edge.
        {"TBTREG4", "MAIN.4REG1", {"111010", "101010", "111001"}, {{"State", "5"}, {"StateInternal", "9"}}},
        {"TBTREG8", "MAIN.8REG1", {"1111000000", "1011000000"}, {{"State", "3"}, {"StateInternal", "3"}}},
        {"TBTREG4_T", "MAIN.4LAT1", {"110110", "100000"}, {{"State", "6"}}},
        {"TBTREG16_T", "MAIN.16LAT1", {"111000000000000001"}, {{"State", "32769"}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        TRunStateFile file;
        TRig rig(c.Class);
        auto* part = static_cast<TRegister*>(rig.Component);
        const Integer bits = part->Bits();
        rig.Start();
        for (const char* inputs : c.Run)
            rig.Step(inputs);
        const Integer shown = rig.Number(bits - 1, bits);
        rig.SaveAndStop(file.Name);
        {
            TIniFile ini(file.Name);
            EXPECT_EQ(ini.ReadSections(), std::vector<AnsiString>{c.Section});
            EXPECT_EQ(ini.ReadSection(c.Section).size(), c.Keys.size());
            for (const auto& [key, value] : c.Keys)
                EXPECT_EQ(ini.ReadString(c.Section, key, "?"), value) << key;
        }
        EXPECT_EQ(rig.Number(bits - 1, bits), 0);
        rig.StartAndLoad(file.Name);
        EXPECT_EQ(rig.Number(bits - 1, bits), shown);
    }
}

// A restored register shows State at once and StateInternal at the next
// falling edge, unless a rising edge takes new data first; the clock's level
// of the previous run's last step counts: high then and low now is an edge.
TEST_F(RegisterTest, RestoredRegisterAndTheEdgeAcrossStopAndStart)
{
    TRunStateFile file;
    {
        TIniFile ini(file.Name);
        ini.WriteInteger("MAIN.4REG1", "State", 5);
        ini.WriteInteger("MAIN.4REG1", "StateInternal", 12);
    }
    TRig rig("TBTREG4");
    rig.StartAndLoad(file.Name);
    EXPECT_EQ(rig.Number(3, 4), 5);
    rig.Step("101111");
    rig.Step("111111");   // a rising edge first: 15 taken
    rig.Step("100000");
    EXPECT_EQ(rig.Number(3, 4), 15);
    rig.Step("110000");   // the run ends with the clock high
    rig.t.Board().StopSimulation();

    rig.StartAndLoad(file.Name);
    EXPECT_EQ(rig.Number(3, 4), 5);
    rig.Step("100000");   // low now: a falling edge shows the restored 12
    EXPECT_EQ(rig.Number(3, 4), 12);
}

} // namespace
