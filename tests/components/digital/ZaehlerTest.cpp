// The counters: identity and pins, step sequences (edges, enables, reset,
// load, wrap, the carry one step late), cascades that count alike in either
// object order, the clock level carried across a stop and a start, when the
// outputs are written, and the count kept in the run-state file (by every
// counter, the loadable 4-bit one included), with edited counts at the ends
// of the Integer range.
#include "DigitalRig.h"

#include <limits>

namespace {

using ZaehlerTest = DigitalTest;

TEST_F(ZaehlerTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designator;
        Integer Bits;
        bool Loadable;
    };
    const TCase cases[] = {
        {"TBTCNT4", {"4-bit Z\xE4hler", "Counter\r(4 bit)", "Compteur\r4 bits"}, "ZBIN", 4, false},
        {"TBTCNT8", {"8-bit Z\xE4hler", "Counter\r(8 bit)", "Compteur\r8 bits"}, "Z8BIN", 8, false},
        {"TBTCNT16", {"16-bit Z\xE4hler", "Counter\r(16 bit)", "Compteur\r16 bits"}, "Z16BIN", 16, false},
        {"TBTCNT4D",
         {"4-bit Z\xE4hler\r(dekade)", "Decade counter\r(4 bit)", "Compteur d\xE9" "cade\r4 bits"},
         "ZDEK",
         4,
         false},
        {"TBTCNTLD",
         {"4-bit Z\xE4hler\r(dekade, ladbar)", "Decade counter\rwith load", "Compteur d\xE9" "cade\ravec chargement"},
         "ZDEKL",
         4,
         true},
        {"TBTCNTL",
         {"4-bit Z\xE4hler\r(ladbar)", "Counter\rwith load (4 bit)", "Compteur avec\rchargement 4 bits"},
         "ZBINL",
         4,
         true},
        {"TBTCNTL8",
         {"8-bit Z\xE4hler\r(ladbar)", "Counter (8 bit)\rwith load", "Compteur avec\rchargement 8 bits"},
         "Z8BINL",
         8,
         true},
        {"TBTCNTL16",
         {"16-bit Z\xE4hler\r(ladbar)", "Counter (16 bit)\rwith load", "Coumpteur 16 bits\ravec chargement"},
         "Z16BINL",
         16,
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* counter = dynamic_cast<TZaehler*>(object.get());
            ASSERT_NE(counter, nullptr);
            ExpectIdentity(*counter, c.TypeNames[language], c.Designator, 24000, false);
            std::vector<std::string> inputs = {"|CK", "/RST", "U/D", "/ENT", "/ENP"};
            if (c.Loadable) {
                inputs.push_back("/LD");
                for (Integer i = 0; i < c.Bits; ++i)
                    inputs.push_back("D" + std::to_string(i));
            }
            std::vector<std::string> outputs = {"/RCO"};
            for (Integer i = c.Bits - 1; i >= 0; --i)
                outputs.push_back("Q" + std::to_string(i));
            EXPECT_EQ(PinNames(counter->Inputs), inputs);
            EXPECT_EQ(PinNames(counter->Outputs), outputs);
        }
    }
}

// One step: the inputs in index order, then the count and "/RCO" (output 0) after it.
// Inputs: |CK /RST U/D /ENT /ENP, then /LD D0 D1 D2 D3.
const std::vector<TStepSequence> Sequences = {
    {"TBTCNT4", "falling edges count; rising edges and a held clock do not",
     {{"11111", 0, '0'}, {"01111", 1, '0'}, {"01111", 1, '0'}, {"11111", 1, '0'}, {"01111", 2, '0'}}},
    {"TBTCNT4", "down while U/D is low, from 0 to 15",
     {{"11011", 0, '0'}, {"01011", 15, '1'}, {"11011", 15, '0'}, {"01011", 14, '0'}}},
    {"TBTCNT4", "/RST low holds 0; counting down there, /RCO rises one step later",
     {{"11111", 0, '0'}, {"01111", 1, '0'}, {"10010", 0, '0'}, {"00010", 0, '1'}, {"10010", 0, '1'}}},
    {"TBTCNTLD", "the carry arrives one step after the terminal count and leaves one step after it",
     {{"1111100001", 8, '0'},
      {"1111110001", 8, '0'},
      {"0111110001", 9, '0'},
      {"1111110001", 9, '1'},
      {"0111110001", 0, '1'},
      {"1111110001", 0, '0'}}},
    {"TBTCNTLD", "down: 0 is terminal, the next edge gives 9",
     {{"1101100000", 0, '0'}, {"1101110000", 0, '1'}, {"0101110000", 9, '1'}, {"1101110000", 9, '0'}}},
    {"TBTCNTLD", "/ENT low: no counting, and /RCO falls one step later",
     {{"1111101001", 9, '0'},
      {"1111111001", 9, '1'},
      {"0110111001", 9, '1'},
      {"1110111001", 9, '0'},
      {"0111111001", 0, '0'}}},
    {"TBTCNTLD", "/ENP low: no counting, /RCO still follows the count",
     {{"1111101001", 9, '0'}, {"1111111001", 9, '1'}, {"0111011001", 9, '1'}, {"1111011001", 9, '1'}}},
    {"TBTCNTLD", "loaded with 12 it shows 12; the next edge up gives 0",
     {{"1111100011", 12, '0'}, {"1111110011", 12, '0'}, {"0111110011", 0, '0'}}},
    {"TBTCNTLD", "loaded with 12, the next edge down gives 0 as well",
     {{"1101100011", 12, '0'}, {"1101110011", 12, '0'}, {"0101110011", 0, '0'}}},
    {"TBTCNTL", "load beats the clock: a falling edge while /LD is low loads",
     {{"1111110000", 0, '0'}, {"0111100101", 10, '0'}, {"1111110101", 10, '0'}, {"0111110101", 11, '0'}}},
    {"TBTCNTL", "/LD low loads in every step, edge or not; a loaded 15 raises /RCO one step later",
     {{"1111100010", 4, '0'}, {"1111101111", 15, '0'}, {"1111111111", 15, '1'}, {"0111111111", 0, '1'}}},
    {"TBTCNTL", "/RST low wins over /LD low",
     {{"1111101111", 15, '0'}, {"1011101111", 0, '1'}, {"1111101010", 5, '0'}}},
    {"TBTCNTL8", "8 bits: the parallel value of all eight data inputs",
     {{"11111000000000", 0, '0'}, {"11111011111111", 255, '0'}, {"11111111111111", 255, '1'},
      {"01111111111111", 0, '1'}}},
    {"TBTCNTL16", "16 bits: 65535 wraps to 0",
     {{"1111101111111111111111", 65535, '0'}, {"1111111111111111111111", 65535, '1'},
      {"0111111111111111111111", 0, '1'}, {"1111111111111111111111", 0, '0'}}},
};

TEST_F(ZaehlerTest, StepSequences)
{
    ExpectSequences<TZaehler>(Sequences, [](const TZaehler& part) { return std::pair{part.Bits(), part.Bits()}; });
}

// Every input but the clock open (they read high): up by one at each falling
// edge, wrapping from the terminal count to 0, "/RCO" high in the step after
// the terminal count was reached and in the step after that.
TEST_F(ZaehlerTest, OpenInputsCountUpAndWrap)
{
    struct TCase {
        const char* Class;
        Integer Highest;
    };
    for (const TCase& c : {TCase{"TBTCNT4", 15}, TCase{"TBTCNT4D", 9}, TCase{"TBTCNT8", 255},
                           TCase{"TBTCNTL", 15}, TCase{"TBTCNTLD", 9}}) {
        SCOPED_TRACE(c.Class);
        TRig rig(c.Class, 1);
        const Integer bits = static_cast<TZaehler*>(rig.Component)->Bits();
        rig.Start();
        bool terminalLastStep = false;
        Integer expected = 0;
        for (Integer edge = 1; edge <= 2 * (c.Highest + 1) + 1; ++edge) {
            for (const char* level : {"1", "0"}) {
                rig.Step(level);
                if (*level == '0')
                    expected = (expected + 1) % (c.Highest + 1);
                ASSERT_EQ(rig.Number(bits, bits), expected) << "edge " << edge;
                // The count of the step before decides.
                EXPECT_EQ(rig.High(0), terminalLastStep) << "edge " << edge << " level " << level;
                terminalLastStep = expected == c.Highest;
            }
        }
    }
}

// Two counters on one clock, the first one's "/RCO" on the second one's
// "/ENT": the second counts on exactly the edges on which the first passes
// from its terminal count to 0 (0 to the top counting down), whichever of the
// two the board steps first.
TEST_F(ZaehlerTest, CascadesCountAlikeInEitherOrder)
{
    for (const bool up : {true, false}) {
        for (const bool lowFirst : {true, false}) {
            SCOPED_TRACE(std::string(up ? "up" : "down") + (lowFirst ? ", low counter first" : ", high counter first"));
            TTestBoard t;
            auto* clock = t.Place<TBTTestSource>(100, 100);
            TZaehler* low = nullptr;
            TZaehler* high = nullptr;
            if (lowFirst) {
                low = static_cast<TZaehler*>(t.Place("TBTCNT4", 600, 100));
                high = static_cast<TZaehler*>(t.Place("TBTCNT4", 600, 800));
            } else {
                high = static_cast<TZaehler*>(t.Place("TBTCNT4", 600, 800));
                low = static_cast<TZaehler*>(t.Place("TBTCNT4", 600, 100));
            }
            for (TZaehler* counter : {low, high}) {
                t.Connect(clock, 0, counter, TZaehler::ClockInput);
                // An inverted open "U/D" reads low.
                counter->Inputs[TZaehler::DirectionInput].Inverted = !up;
            }
            t.Connect(low, TZaehler::CarryOutput, high, TZaehler::EnableTInput);
            t.Board().PrepareSimulation();
            // The clock rests high for two steps at the start, so that the
            // low counter's carry, as any carry, is shown before the next edge.
            Integer edges = 0;
            for (Integer step = 0; step < 84; ++step) {
                const bool falling = step >= 2 && step % 2 == 1;
                clock->Values = {falling ? LowLevel : HighLevel};
                t.Board().Step();
                edges += falling;
                // The pair counts as one 8-bit counter.
                const Integer both = (up ? edges : 256 - edges) % 256;
                ASSERT_EQ(low->Count, both % 16) << "step " << step;
                ASSERT_EQ(high->Count, both / 16) << "step " << step;
            }
        }
    }
}

// The clock's level of the last step of a run is kept: high at the stop and
// low in the first step of the next run counts once.
TEST_F(ZaehlerTest, LastClockIsCarriedAcrossStopAndStart)
{
    TRig rig("TBTCNT4", 1);
    rig.Start();
    rig.Step("1");
    rig.Step("0");
    rig.Step("1");
    EXPECT_EQ(rig.Number(4, 4), 1);
    rig.t.Board().StopSimulation();
    EXPECT_EQ(rig.Number(4, 4), 0);   // every output low at the stop
    rig.Start();
    EXPECT_EQ(static_cast<TZaehler*>(rig.Component)->Count, 0);
    rig.Step("0");
    EXPECT_EQ(rig.Number(4, 4), 1);
}

// Every counter keeps its count under "Z", the loadable 4-bit counter too
// (a count lost across runs on one counter of the family only is a fault).
TEST_F(ZaehlerTest, EveryCounterKeepsItsCountInTheRunStateFile)
{
    struct TCase {
        const char* Class;
        const char* Section;
    };
    for (const TCase& c : {TCase{"TBTCNT4", "MAIN.ZBIN1"}, TCase{"TBTCNT8", "MAIN.Z8BIN1"},
                           TCase{"TBTCNT16", "MAIN.Z16BIN1"}, TCase{"TBTCNT4D", "MAIN.ZDEK1"},
                           TCase{"TBTCNTLD", "MAIN.ZDEKL1"}, TCase{"TBTCNTL", "MAIN.ZBINL1"},
                           TCase{"TBTCNTL8", "MAIN.Z8BINL1"}, TCase{"TBTCNTL16", "MAIN.Z16BINL1"}}) {
        SCOPED_TRACE(c.Class);
        TRunStateFile file;
        TRig rig(c.Class, 1);
        const Integer bits = static_cast<TZaehler*>(rig.Component)->Bits();
        rig.Start();
        for (Integer i = 0; i < 5; ++i) {
            rig.Step("1");
            rig.Step("0");
        }
        ASSERT_EQ(rig.Number(bits, bits), 5);
        rig.SaveAndStop(file.Name);
        {
            TIniFile ini(file.Name);
            EXPECT_EQ(ini.ReadSections(), std::vector<AnsiString>{c.Section});
            EXPECT_EQ(ini.ReadString(c.Section, "Z", "?"), "5");
        }
        rig.StartAndLoad(file.Name);
        // The count outputs show it before the first step; "/RCO" stays low.
        EXPECT_EQ(rig.Number(bits, bits), 5);
        EXPECT_FALSE(rig.High(0));
        rig.Step("0");
        rig.Step("1");
        rig.Step("0");
        EXPECT_EQ(rig.Number(bits, bits), 6);
    }
}

// An edited count is taken as it stands: the outputs show its low bits, the
// next counting step applies the wrap rules, and the ends of the Integer
// range neither overflow nor stop the counter.
TEST_F(ZaehlerTest, EditedCountsOutsideTheRange)
{
    struct TCase {
        const char* Stored;
        bool Up;
        Integer Shown, Next;
    };
    const TCase cases[] = {
        {"21", true, 5, 0},            // 22 > 15
        {"21", false, 5, 0},           // 20 > 15
        {"16", false, 0, 15},          // 15 is in range
        {"-3", true, 13, 15},          // -2 < 0
        {"2147483647", true, 15, 0},   // no overflow: above 15
        {"2147483647", false, 15, 0},
        {"-2147483648", false, 0, 15},   // below 0
        {"-2147483648", true, 0, 15},
        {"99999999999", true, 0, 1},     // not an Integer: the default 0
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Stored) + (c.Up ? " up" : " down"));
        TRunStateFile file;
        {
            TIniFile ini(file.Name);
            ini.WriteString("MAIN.ZBIN1", "Z", c.Stored);
        }
        TRig rig("TBTCNT4", 3);
        rig.Set(c.Up ? "111" : "110");
        rig.StartAndLoad(file.Name);
        EXPECT_EQ(rig.Number(4, 4), c.Shown);
        rig.Step(c.Up ? "111" : "110");
        rig.Step(c.Up ? "011" : "010");
        EXPECT_EQ(rig.Number(4, 4), c.Next);
    }
}

// The count outputs are written only when the count changes; "/RCO" in
// every step.
TEST_F(ZaehlerTest, CountOutputsAreWrittenOnChangeOnly)
{
    TRig rig("TBTCNT4");
    rig.Start();
    rig.Step("11111");
    rig.Component->Outputs[4].Value = 3.3L;   // Q0
    rig.Component->Outputs[0].Value = 3.3L;   // /RCO
    rig.Step("11111");
    EXPECT_EQ(rig.Value(4), 3.3L);
    EXPECT_EQ(rig.Value(0), LowLevel);
    rig.Step("01111");
    EXPECT_EQ(rig.Value(4), HighLevel);
}

// Levels beyond the logic range: NaN reads low, huge and infinite values
// read as their sign says; nothing else changes.
TEST_F(ZaehlerTest, NaNAndHugeInputLevelsReadAsLogicLevels)
{
    constexpr Extended inf = std::numeric_limits<Extended>::infinity();
    constexpr Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    constexpr Extended huge = std::numeric_limits<Extended>::max();
    TRig rig("TBTCNT4", 1);
    rig.Start();
    Integer expected = 0;
    for (const auto& [high, low] : {std::pair{huge, nan}, std::pair{inf, -inf}, std::pair{HighLevel, -huge}}) {
        rig.SetValue(0, high);
        rig.Step();
        rig.SetValue(0, low);
        rig.Step();
        EXPECT_EQ(rig.Number(4, 4), ++expected);
    }
}

} // namespace
