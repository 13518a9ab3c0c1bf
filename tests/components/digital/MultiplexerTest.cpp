// The multiplexers and demultiplexers: identity and pins, selection by the
// select lines over every channel of every width, enable, open inputs, start
// values, and the demultiplexer writing only when its selection changes.
#include "DigitalRig.h"

#include <span>

namespace {

using MultiplexerTest = DigitalTest;

struct TFamily {
    const char* Class;
    const char* TypeNames[3];
    const char* Designator;
    Integer Channels, SelectBits;
};

const TFamily Multiplexers[] = {
    {"TBTMUX2", {"2-Kanal\rMultiplexer", "2-Channel\rMultiplexer", "Multiplexeur\r2 canaux"}, "2MUX", 2, 1},
    {"TBTMUX4", {"4-Kanal\rMultiplexer", "4-Channel\rMultiplexer", "Multiplexeur\r4 canaux"}, "4MUX", 4, 2},
    {"TBTMUX8", {"8-Kanal\rMultiplexer", "8-Channel\rMultiplexer", "Multplixeur\r8 canaux"}, "8MUX", 8, 3},
    {"TBTMUX16", {"16-Kanal\rMultiplexer", "16-Channel\rMultiplexer", "Multiplexeur\r16 canaux"}, "16MUX", 16, 4},
};

const TFamily Demultiplexers[] = {
    {"TBTDMUX2", {"2-Kanal\rDemultiplexer", "2-Channel\rDemultiplexer", "D\xE9multiplexeur\r2 canaux"}, "2DMX", 2, 1},
    {"TBTDMUX4", {"4-Kanal\rDemultiplexer", "4-Channel\rDemultiplexer", "D\xE9multiplexeur\r4 canaux"}, "4DMX", 4, 2},
    {"TBTDMUX8", {"8-Kanal\rDemultiplexer", "8-Channel\rDemultiplexer", "D\xE9multiplexeur\r8 canaux"}, "8DMX", 8, 3},
    {"TBTDMUX16", {"16-Kanal\rDemultiplexer", "16-Channel\rDemultiplexer", "D\xE9multiplexeur\r16 canaux"}, "16DMX",
     16, 4},
};

TEST_F(MultiplexerTest, IdentityAndPins)
{
    for (const bool demux : {false, true}) {
        for (const TFamily& c : demux ? std::span(Demultiplexers) : std::span(Multiplexers)) {
            SCOPED_TRACE(c.Class);
            for (Integer language = 0; language < 3; ++language) {
                LanguageIndex = language;
                std::unique_ptr<TBauteil> object(CreateBauteil(c.Class));
                auto* part = dynamic_cast<TGrundBT*>(object.get());
                ASSERT_NE(part, nullptr);
                ExpectIdentity(*part, c.TypeNames[language], c.Designator, 27000, false);
                std::vector<std::string> inputs = {"EN"};
                for (Integer i = 0; i < c.SelectBits; ++i)
                    inputs.push_back("S" + std::to_string(i));
                std::vector<std::string> outputs = {"/Q", "Q"};
                if (demux) {
                    outputs.clear();
                    for (Integer j = 0; j < c.Channels; ++j)
                        outputs.push_back("Q" + std::to_string(c.Channels - 1 - j));
                } else {
                    for (Integer i = 0; i < c.Channels; ++i)
                        inputs.push_back("D" + std::to_string(i));
                }
                EXPECT_EQ(PinNames(part->Inputs), inputs);
                EXPECT_EQ(PinNames(part->Outputs), outputs);
            }
        }
    }
}

// EN, the select lines ("S0" first) for channel s, then the data levels.
std::string Inputs(const TFamily& c, bool enable, Integer s, const std::string& data)
{
    std::string levels(1, enable ? '1' : '0');
    for (Integer i = 0; i < c.SelectBits; ++i)
        levels += (s >> i & 1) ? '1' : '0';
    return levels + data;
}

// Every channel of every width: only the selected data input decides, and
// a low EN gives Q low and /Q high whatever the data.
TEST_F(MultiplexerTest, MultiplexersPassTheSelectedChannel)
{
    for (const TFamily& c : Multiplexers) {
        SCOPED_TRACE(c.Class);
        TRig rig(c.Class);
        rig.Start();
        EXPECT_FALSE(rig.High(1));
        EXPECT_TRUE(rig.High(0));
        for (Integer s = 0; s < c.Channels; ++s) {
            std::string onlyThis(c.Channels, '0');
            onlyThis[s] = '1';
            std::string allButThis(c.Channels, '1');
            allButThis[s] = '0';
            for (const auto& [data, q] : {std::pair{onlyThis, true}, std::pair{allButThis, false}}) {
                rig.Step(Inputs(c, true, s, data));
                EXPECT_EQ(rig.High(1), q) << "channel " << s << " data " << data;
                EXPECT_EQ(rig.High(0), !q) << "channel " << s;
                rig.Step(Inputs(c, false, s, data));
                EXPECT_FALSE(rig.High(1)) << "disabled, channel " << s;
                EXPECT_TRUE(rig.High(0)) << "disabled, channel " << s;
            }
        }
    }
}

TEST_F(MultiplexerTest, OpenInputsAndTheSelectBitOrder)
{
    // Open EN and select lines read high: the 4-channel one passes D3.
    TRig open("TBTMUX4", 3);
    open.Start();
    open.Step("111");
    EXPECT_TRUE(open.High(1));
    TRig four("TBTMUX4");
    four.Start();
    four.Step("1111110");
    EXPECT_FALSE(four.High(1));
    // S0..S3 = 1, 0, 1, 0 selects D5, input 10.
    TRig sixteen("TBTMUX16");
    sixteen.Start();
    sixteen.Step("11010" "0000010000000000");
    EXPECT_TRUE(sixteen.High(1));
    EXPECT_EQ(std::string(sixteen.Component->Inputs[10].Name), "D5");
    // Both outputs are written in every step.
    sixteen.Component->Outputs[0].Value = 3.3L;
    sixteen.Component->Outputs[1].Value = 3.3L;
    sixteen.Step();
    EXPECT_EQ(sixteen.Value(0), LowLevel);
    EXPECT_EQ(sixteen.Value(1), HighLevel);
}

// The output of channel s high, the others low, as Levels() lists them:
// from the highest index ("Q0") down, so channel k is character k.
std::string Expected(const TFamily& c, Integer s)
{
    std::string levels(c.Channels, '0');
    if (s >= 0)
        levels[s] = '1';
    return levels;
}

TEST_F(MultiplexerTest, DemultiplexersDriveTheSelectedOutput)
{
    for (const TFamily& c : Demultiplexers) {
        SCOPED_TRACE(c.Class);
        TRig rig(c.Class);
        rig.Start();
        EXPECT_EQ(rig.Levels(), Expected(c, -1));
        for (Integer s = 0; s < c.Channels; ++s) {
            rig.Step(Inputs(c, true, s, ""));
            EXPECT_EQ(rig.Levels(), Expected(c, s)) << "channel " << s;
        }
        rig.Step(Inputs(c, false, 0, ""));
        EXPECT_EQ(rig.Levels(), Expected(c, -1));
    }
}

// Written only when the selection changes: the first step after the start
// writes (the stored selection is none), an unchanged selection writes
// nothing, a low EN writes every output low once.
TEST_F(MultiplexerTest, DemultiplexersWriteOnChangeOnly)
{
    TRig rig("TBTDMUX4");
    rig.Start();
    rig.Component->Outputs[3].Value = 3.3L;   // Q0
    rig.Step("100");
    EXPECT_EQ(rig.Value(3), HighLevel);
    rig.Component->Outputs[3].Value = 3.3L;
    rig.Component->Outputs[0].Value = 3.3L;
    rig.Step("100");
    EXPECT_EQ(rig.Value(3), 3.3L);
    EXPECT_EQ(rig.Value(0), 3.3L);
    rig.Step("000");
    EXPECT_EQ(rig.Levels(), "0000");
    rig.Component->Outputs[3].Value = 3.3L;
    rig.Step("011");   // still none selected
    EXPECT_EQ(rig.Value(3), 3.3L);
    rig.Step("111");
    EXPECT_EQ(rig.Levels(), "0001");
    EXPECT_EQ(static_cast<TDemultiplexer*>(rig.Component)->LastSelection, 3);

    // A stop and a start forget the selection, so the same one is written again.
    rig.t.Board().StopSimulation();
    rig.Start();
    EXPECT_EQ(static_cast<TDemultiplexer*>(rig.Component)->LastSelection, TDemultiplexer::NoSelection);
    rig.Step("111");
    EXPECT_EQ(rig.Levels(), "0001");
}

} // namespace
