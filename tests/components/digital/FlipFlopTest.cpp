// The flip-flops: their identity, their step sequences (levels, edges,
// master-slave, asynchronous set and reset), start values, when they write,
// and their retained states in the run-state file across a stop and start.
#include "DigitalRig.h"

#include "platform/IniFile.h"

#include <QTemporaryDir>

namespace {

using FlipFlopTest = DigitalTest;

// One step: the inputs in index order and the Q expected after it.
struct TRow {
    const char* Inputs;
    char Q;
};

struct TSequence {
    const char* Class;
    const char* What;
    std::vector<TRow> Rows;
};

const TSequence Sequences[] = {
    {"TBTRSFF", "S sets, R resets, reset wins",
     {{"00", '0'}, {"10", '1'}, {"00", '1'}, {"01", '0'}, {"11", '0'}, {"10", '1'}, {"11", '0'}}},
    {"TBTRSFFZ", "set and reset only while C1 is high; both keep",
     {{"000", '1'}, {"001", '1'}, {"011", '0'}, {"010", '0'}, {"100", '0'}, {"110", '1'}, {"111", '1'},
      {"101", '1'}, {"011", '0'}, {"111", '0'}}},
    {"TBTDFFZ", "transparent while C1 is high",
     {{"00", '1'}, {"01", '0'}, {"11", '1'}, {"10", '1'}, {"00", '1'}, {"01", '0'}, {"00", '0'}}},
    // /S 1S |C1 1R /R
    {"TBTRSFFF", "data at the rising edge, Q at the falling edge; 1R wins",
     {{"10001", '1'}, {"10111", '1'}, {"10101", '1'}, {"10001", '0'}, {"11101", '0'}, {"10101", '0'},
      {"10001", '1'}, {"11111", '1'}, {"11011", '0'}}},
    {"TBTRSFFF", "/S and /R act at once and set the master; /R wins",
     {{"10001", '1'}, {"10000", '0'}, {"10001", '0'}, {"10101", '0'}, {"10001", '0'}, {"00001", '1'},
      {"10101", '1'}, {"10001", '1'}, {"00000", '0'}, {"10001", '0'}}},
    // /S 1J |C1 1K /R
    {"TBTJKFF", "J and K both high toggle at every falling edge",
     {{"11011", '1'}, {"11111", '1'}, {"11011", '0'}, {"11111", '0'}, {"11011", '1'}, {"11111", '1'},
      {"11011", '0'}}},
    {"TBTJKFF", "set, reset and hold; data changing while the clock is high count nothing",
     {{"10001", '1'}, {"10111", '1'}, {"10011", '0'}, {"11101", '0'}, {"10111", '0'}, {"10001", '1'},
      {"10101", '1'}, {"11111", '1'}, {"11011", '1'}}},
    {"TBTJKFF", "/S and /R act at once, hide the clock's edges and leave the latches; /R wins",
     {{"10110", '0'}, {"01111", '1'}, {"11011", '1'}, {"00000", '0'}, {"10001", '0'}}},
    // /S 1D |C1 /R
    {"TBTDFFF", "D at the rising edge, Q at the falling edge",
     {{"1101", '0'}, {"1111", '0'}, {"1011", '0'}, {"1001", '1'}, {"1011", '1'}, {"1111", '1'}, {"1001", '0'}}},
    {"TBTDFFF", "/S and /R act at once and leave the master; /R wins",
     {{"1111", '0'}, {"0111", '1'}, {"1110", '0'}, {"0010", '0'}, {"1011", '0'}, {"1001", '1'}}},
};

TEST_F(FlipFlopTest, StepSequences)
{
    for (const TSequence& sequence : Sequences) {
        SCOPED_TRACE(std::string(sequence.Class) + ": " + sequence.What);
        TRig rig(sequence.Class);
        rig.Start();
        for (std::size_t i = 0; i < sequence.Rows.size(); ++i) {
            const TRow& row = sequence.Rows[i];
            rig.Step(row.Inputs);
            EXPECT_EQ(rig.High(1), row.Q == '1') << "step " << i + 1 << " inputs " << row.Inputs;
            EXPECT_NE(rig.High(0), rig.High(1)) << "step " << i + 1;
        }
    }
}

TEST_F(FlipFlopTest, IdentityAndPins)
{
    struct TCase {
        const char* Class;
        const char* TypeNames[3];
        const char* Designators[3];
        Integer Help;
        std::vector<const char*> Inputs;
    };
    const TCase cases[] = {
        {"TBTRSFF", {"RS-FlipFlop", "RS-FF", "RS-FF"}, {"RS", "RS", "RS"}, 18300, {"S", "R"}},
        {"TBTRSFFZ",
         {"RS-FF\r(zustandsgest.)", "RS-FF\rwith clock", "RS-FF\ravec horloge"},
         {"RSZ", "RSC", "RSC"},
         18305,
         {"1S", "C1", "1R"}},
        {"TBTRSFFF",
         {"RS-FF\r(flankengest.)", "RS-FF\r(master-slave)", "RS-FF\r(ma\xEEtre-esclave)"},
         {"RSF", "RS-MS", "RS-MS"},
         18310,
         {"/S", "1S", "|C1", "1R", "/R"}},
        {"TBTJKFF",
         {"JK-FlipFlop\r(master-slave)", "JK-FF\r(master-slave)", "JK-FF\r(ma\xEEtre-esclave)"},
         {"JK", "JK", "JK"},
         18315,
         {"/S", "1J", "|C1", "1K", "/R"}},
        {"TBTDFFZ",
         {"D-FF\r(zustandsgest.)", "D-FF\r(transparent latch)", "Latch D-FF\r(transparent)"},
         {"DZ", "DL", "LT"},
         18320,
         {"1D", "C1"}},
        {"TBTDFFF",
         {"D-FF\r(flankengest.)", "D-FF\r(master-slave)", "D-FF\r(ma\xEEtre-esclave)"},
         {"DF", "D-MS", "D-MS"},
         18325,
         {"/S", "1D", "|C1", "/R"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
            auto* ff = dynamic_cast<TIOBauteil*>(object.get());
            ASSERT_NE(ff, nullptr);
            ExpectIdentity(*ff, c.TypeNames[language], c.Designators[language], c.Help, false);
            EXPECT_FALSE(ff->NeedsTimerTick);
            ASSERT_EQ(ff->InputCount, static_cast<Integer>(c.Inputs.size()));
            for (std::size_t i = 0; i < c.Inputs.size(); ++i)
                EXPECT_EQ(ff->Inputs[i].Name, c.Inputs[i]);
            ASSERT_EQ(ff->OutputCount, 2);
            EXPECT_EQ(ff->Outputs[0].Name, "/Q");
            EXPECT_EQ(ff->Outputs[1].Name, "Q");
        }
    }
}

// Start values, and inputs left open (they read high): no clock edge and
// inactive set and reset, so Q keeps its start value.
TEST_F(FlipFlopTest, StartValuesAndOpenInputs)
{
    struct TCase {
        const char* Class;
        bool StartQ;
    };
    for (const TCase& c : {TCase{"TBTRSFF", false}, TCase{"TBTRSFFZ", true}, TCase{"TBTRSFFF", true},
                           TCase{"TBTJKFF", true}, TCase{"TBTDFFZ", true}, TCase{"TBTDFFF", false}}) {
        SCOPED_TRACE(c.Class);
        TRig rig(c.Class, 0);
        rig.Start();
        EXPECT_EQ(rig.High(1), c.StartQ);
        EXPECT_NE(rig.High(0), rig.High(1));
        const bool edgeTriggered = std::string_view(c.Class) == "TBTRSFFF" || std::string_view(c.Class) == "TBTJKFF" ||
                                   std::string_view(c.Class) == "TBTDFFF";
        for (Integer i = 0; i < 3; ++i)
            rig.Step();
        // Open S and R read high: the plain RS flip-flop resets; the latches
        // with an open clock follow their open data input (high).
        const bool expected = edgeTriggered ? c.StartQ : std::string_view(c.Class) != "TBTRSFF";
        EXPECT_EQ(rig.High(1), expected);
    }
}

// The level-controlled flip-flops write both outputs in every step; the
// edge-triggered ones only when Q changes.
TEST_F(FlipFlopTest, WhenTheOutputsAreWritten)
{
    struct TCase {
        const char* Class;
        const char* Inputs;
        bool EveryStep;
    };
    for (const TCase& c : {TCase{"TBTRSFF", "00", true}, TCase{"TBTRSFFZ", "000", true},
                           TCase{"TBTDFFZ", "00", true}, TCase{"TBTRSFFF", "10001", false},
                           TCase{"TBTJKFF", "10001", false}, TCase{"TBTDFFF", "1001", false}}) {
        SCOPED_TRACE(c.Class);
        TRig rig(c.Class);
        rig.Start();
        rig.Step(c.Inputs);
        const Extended settled = rig.Value(1);
        rig.Component->Outputs[1].Value = 3.3L;
        rig.Step(c.Inputs);
        EXPECT_EQ(rig.Value(1), c.EveryStep ? settled : 3.3L);
    }
}

// A run-state file in a folder of its own.
class TStateFile {
    QTemporaryDir dir_;

public:
    AnsiString Name = dir_.path().toStdString() + "/ANLAGE_Default.set";
};

// Stop with a run-state file as the program does: save, then stop.
void StopAndSave(TRig& rig, const AnsiString& file)
{
    TIniFile ini(file);
    rig.t.Board().SaveComponentStates(ini);
    rig.t.Board().StopSimulation();
}

// Start as the program does: prepare (reset), then load the states.
void StartAndLoad(TRig& rig, const AnsiString& file)
{
    rig.Start();
    TIniFile ini(file);
    rig.t.Board().LoadComponentStates(ini, 0);
}

TEST_F(FlipFlopTest, RetainedStatesSurviveStopAndStart)
{
    struct TCase {
        const char* Class;
        std::vector<const char*> Run;          // brings Q away from its start value
        const char* Section;
        std::vector<std::pair<const char*, const char*>> Keys;
        bool LoadWritesOutputs;
    };
    const TCase cases[] = {
        {"TBTRSFF", {"10"}, "MAIN.RS1", {{"Q", "1"}}, false},
        {"TBTRSFFZ", {"011"}, "MAIN.RSZ1", {{"Q", "0"}}, false},
        {"TBTDFFZ", {"01"}, "MAIN.DZ1", {{"Q", "0"}}, false},
        // Master reset at the rising edge, Q at the falling one.
        {"TBTRSFFF", {"10111", "10001"}, "MAIN.RSF1", {{"Q", "0"}, {"Qinternal", "0"}}, true},
        {"TBTJKFF", {"10111", "10001", "11101"}, "MAIN.JK1", {{"Q", "0"}, {"J1internal", "1"}, {"K1internal", "0"}},
         true},
        {"TBTDFFF", {"1111", "1001"}, "MAIN.DF1", {{"Q", "1"}, {"Qinternal", "1"}}, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Class);
        TStateFile file;
        TRig rig(c.Class);
        rig.Start();
        const bool startQ = rig.High(1);
        for (const char* inputs : c.Run)
            rig.Step(inputs);
        ASSERT_NE(rig.High(1), startQ);
        StopAndSave(rig, file.Name);
        {
            TIniFile ini(file.Name);
            EXPECT_EQ(ini.ReadSections(), std::vector<AnsiString>{c.Section});
            for (const auto& [key, value] : c.Keys)
                EXPECT_EQ(ini.ReadString(c.Section, key, "?"), value) << key;
        }
        StartAndLoad(rig, file.Name);
        auto* ff = static_cast<TFlipFlop*>(rig.Component);
        EXPECT_NE(ff->Q, startQ);
        // Before the first step: the outputs show the restored Q only where
        // loading writes them.
        EXPECT_EQ(rig.High(1), c.LoadWritesOutputs ? !startQ : startQ);
    }
}

TEST_F(FlipFlopTest, AMissingSectionGivesTheDefaults)
{
    struct TCase {
        const char* Class;
        bool Q, Master;
    };
    for (const TCase& c : {TCase{"TBTRSFF", false, false}, TCase{"TBTRSFFZ", true, false},
                           TCase{"TBTRSFFF", true, true}, TCase{"TBTJKFF", true, false},
                           TCase{"TBTDFFZ", true, false}, TCase{"TBTDFFF", false, false}}) {
        SCOPED_TRACE(c.Class);
        TStateFile file;
        TRig rig(c.Class);
        rig.Start();
        auto* ff = static_cast<TFlipFlop*>(rig.Component);
        ff->Q = !c.Q;
        ff->Master = !c.Master;
        ff->KLatch = true;
        TIniFile ini(file.Name);
        rig.t.Board().LoadComponentStates(ini, 0);
        EXPECT_EQ(ff->Q, c.Q);
        if (std::string_view(c.Class) == "TBTRSFFF" || std::string_view(c.Class) == "TBTDFFF" ||
            std::string_view(c.Class) == "TBTJKFF") {
            EXPECT_EQ(ff->Master, c.Master);
        }
        if (std::string_view(c.Class) == "TBTJKFF") {
            EXPECT_FALSE(ff->KLatch);
        }
    }
}

// The designator, and with it the section, follows the language at
// construction: a state saved in German is not found in English.
TEST_F(FlipFlopTest, StatesAreKeptPerLanguageOfTheDesignator)
{
    TStateFile file;
    {
        TRig rig("TBTRSFFZ");
        rig.Start();
        rig.Step("011");
        StopAndSave(rig, file.Name);
    }
    LanguageIndex = 1;
    TRig english("TBTRSFFZ");
    EXPECT_EQ(english.Component->Designator, "RSC");
    StartAndLoad(english, file.Name);
    EXPECT_TRUE(static_cast<TFlipFlop*>(english.Component)->Q);   // the default, not the saved false
}

// The clock's level is kept from the end of one run: high at the stop and low
// in the first step of the next run is a falling edge.
TEST_F(FlipFlopTest, AFallingEdgeAcrossStopAndStart)
{
    TStateFile file;
    TRig rig("TBTDFFF");
    rig.Start();
    rig.Step("1111");   // master := 1; the clock stays high
    EXPECT_FALSE(rig.High(1));
    StopAndSave(rig, file.Name);
    StartAndLoad(rig, file.Name);
    EXPECT_FALSE(rig.High(1));
    rig.Step("1101");
    EXPECT_TRUE(rig.High(1));
}

} // namespace
