// Every analog component's identity: type names in the three languages (the
// default caption), designator, help context, dialog flag, pins and their
// names as a new component has them.
#include "AnalogTestSupport.h"

#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/GrundBT.h"
#include "engine/Language.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TIdentity {
    const char* Class;
    const char* TypeNames[3];
    const char* Designator;
    Integer Help;
    bool Dialog;
    std::vector<const char*> Inputs, Outputs;   // in pin order
};

const std::vector<TIdentity> Identities = {
    {"TBTAdd", {"Addierer", "Addition", "Addition"}, "ADD", 18465, true, {"E0", "E1"}, {"A"}},
    {"TBTSub", {"Subtrahierer", "Subtraction", "Soustraction"}, "SUB", 18470, true, {"E0", "E1"}, {"A"}},
    {"TBTMul", {"Multiplizierer", "Multiplication", "Multiplication"}, "MUL", 18475, true, {"E0", "E1"}, {"A"}},
    {"TBTDiv", {"Dividierer", "Division", "Division"}, "DIV", 18480, true, {"E0", "E1"}, {"A"}},
    {"TBTVerstaerker", {"Verstärker"_ansi, "Amplifier", "Amplificateur"}, "AMP", 18405, false, {"In", "A", "Off"},
     {"Out"}},
    {"TBTGain", {"Verstärkung"_ansi, "Gain", "Gain"}, "GAIN", 18406, true, {""}, {""}},
    {"TBTOffset", {"Offset", "Offset", "Offset"}, "BIAS", 18407, true, {"x"}, {"y"}},
    {"TBTMath", {"Math", "Math", "Math"}, "MATH", 18495, true, {"x"}, {"y"}},
    {"TBTPolynom", {"Polynom", "Polynomial", "Polynomial"}, "Poly", 18496, true, {"X", "C0", "C1"}, {"Y"}},
    {"TBTFormel", {"Formel\runiversell", "Formula", "Formule"}, "FRM", 18500, true, {"E0"}, {"A"}},
    {"TBTADC", {"A/D-Wandler", "ADC", "Convertisseur\rA/N"}, "ADC", 18395, true, {"E"},
     {"D7", "D6", "D5", "D4", "D3", "D2", "D1", "D0"}},
    {"TBTDAC", {"D/A-Wandler", "DAC", "Convertisseur\rN/A"}, "DAC", 18400, true,
     {"D0", "D1", "D2", "D3", "D4", "D5", "D6", "D7"}, {"A"}},
    {"TBTIntConv", {"Integer Format", "Integer Format", "Integer Format"}, "INTC", 18465, true, {"INT"}, {"INT"}},
    {"TBTIntOp", {"Integer Operation", "Integer Operation", "Integer Operation"}, "INTOP", 18465, true,
     {"INT", "INT"}, {"INT"}},
    {"TBTIntToBytes", {"Integer to Bytes", "Integer to Bytes", "Integer to Bytes"}, "Int2Byt", 18465, false, {"INT"},
     {"B3", "B2", "B1", "B0"}},
    {"TBTIntBit", {"Integer Bit", "Integer Bit", "Integer Bit"}, "INTBIT", 18465, true, {"EN"}, {"INT"}},
    {"TBTIntCheckBit", {"Check Bit", "Check Bit", "Check Bit"}, "CHKB", 18465, true, {"INT"}, {"D"}},
    {"TBTIntFromBytes", {"Bytes to Integer", "Bytes to Integer", "Bytes to Integer"}, "Byt2Int", 18465, false,
     {"B0", "B1", "B2", "B3"}, {"INT"}},
    {"TBTAnalogMux",
     {"Multiplexer\ranalog", "Analogue\rMultiplexer", "Multipléxeur\ranalogique"_ansi},
     "AMUX", 18455, true,
     {"EN", "S0", "S1", "S2", "I0", "I1", "I2", "I3", "I4", "I5", "I6", "I7"},
     {"A"}},
    {"TBTAnalogDemux",
     {"Demultiplexer\ranalog", "Analogue\rDemultiplexer", "Démultiplexeur\ranalogique"_ansi},
     "ADMX", 18460, true,
     {"EN", "IN", "S0", "S1", "S2"},
     {"A7", "A6", "A5", "A4", "A3", "A2", "A1", "A0"}},
    {"TBTStop", {"Simulation\rStop", "Simulation\rStop", "Simulation\rStop"}, "Stp", 18570, false, {"|Stp"}, {}},
    {"TBTTestpunkt", {"Test", "Test", "Test"}, "TP", 18531, false, {""}, {}},
    {"TBTRangeCheck", {"Bereichsprüfung"_ansi, "Range check", "Testeur de limites"}, "RGC", 18416, false,
     {"XH", "X", "XL"}, {"OL", "OK", "OH"}},
    {"TBTIntegrierer", {"Integrierer", "Integral", "Intégrale"_ansi}, "INT", 18485, true, {"E", "/RST"}, {"A"}},
    {"TBTDifferenzierer", {"Differenzierer", "Differential", "Différentiel"_ansi}, "DIF", 18490, true,
     {"X", "/RST"}, {"Y"}},
    {"TBTPT1", {"PT1", "PT1", "PT1"}, "PT1-", 18838, true, {"X", "P", "1/T1", "/RST"}, {"Y"}},
    {"TBTPT2", {"PT2", "PT2", "PT2"}, "PT2-", 18841, true, {"X", "P", "1/T", "D", "/RST"}, {"Y"}},
    {"TBTDT1", {"DT1", "DT1", "DT1"}, "DT1-", 18842, true, {"X", "KD", "T1"}, {"Y"}},
    {"TBT_P_Regler", {"P-Regler", "P controller", "Contrôleur-P"_ansi}, "P-", 18844, false, {"X+", "X-", "KP"},
     {"Y"}},
    {"TBT_PI_Regler", {"PI-Regler", "PI controller", "Contrôleur-PI"_ansi}, "PI-", 18847, true,
     {"X+", "X-", "KP", "KI", "/RST"}, {"Y"}},
    {"TBT_PID_Regler", {"PID-Regler", "PID controller", "Contrôleur-PID"_ansi}, "PID-", 18853, true,
     {"X+", "X-", "KP", "KI", "KD", "/RST"}, {"Y"}},
    {"TBT_PD_Regler", {"PD-Regler", "PD controller", "Contrôleur-PD"_ansi}, "PD-", 18850, true,
     {"X+", "X-", "KP", "KD"}, {"Y"}},
    {"TBT_2_Punkt_Regler", {"2-Punkt-Regler", "Two-position\rcontroller", "Contrôleur\rdeux-positions"_ansi},
     "2HYS-", 18856, false, {"X+", "X-", "HYS"}, {"ON"}},
    {"TBT_Spiel", {"Spiel", "Play", "Lecture"}, "HYS-", 18428, false, {"X", "HYS"}, {"Y"}},
    {"TBT_Totzone", {"Totzone", "Dead zone", "Zone morte"}, "DZN-", 18429, false, {"X", "XL", "XH"}, {"Y"}},
    {"TBTLimiter", {"Begrenzer\rLimiter", "Limiter", "Limiteur"}, "LIM", 18450, false, {"EN", "IN", "LiH", "LiL"},
     {"ClpL", "ClpH", "A"}},
    {"TBTSample", {"Sample & Hold", "Sample & Hold", "Echantilloneur\rbloqueur"}, "S&H", 18425, false,
     {"E", "/Hld"}, {"A"}},
    {"TBTRelais", {"Relais\r2 Eingänge"_ansi, "Relay\r2 Inputs", "Relais\r2 entrées"_ansi}, "REL", 18420, false,
     {"E0", "E1", "SEL"}, {"A"}},
    {"TBTRelais_2", {"Relais\r2 Ausgänge"_ansi, "Relay\r2 Outputs", "Relais\r2 sorties"}, "REL", 18422, false,
     {"E", "SEL"}, {"A1", "A0"}},
    {"TBT_Inkretment", {"Inkrementation", "Incrementation", "Incrémentation"_ansi}, "INC", 18426, false,
     {"INC", "U/D", "|CLK", "/RST", "RES"}, {"Z"}},
    {"TBT_AnalogDelay", {"Analogverzögerung"_ansi, "Analogue delay", "Délai analogique"_ansi}, "ADL", 18427, true,
     {"IN", "|CLK"}, {"OUT"}},
};

class AnalogIdentity : public ::testing::Test {
protected:
    void SetUp() override { RegisterAnalogClasses(); }
    void TearDown() override { ResetGlobals(); }
};

TEST_F(AnalogIdentity, EachClassHasItsNamesPinsHelpAndDialog)
{
    for (const TIdentity& c : Identities)
        for (Integer language = 0; language < 3; ++language) {
            SCOPED_TRACE(std::string(c.Class) + " language " + std::to_string(language));
            LanguageIndex = language;
            const auto component = Make(c.Class);
            ASSERT_NE(component, nullptr);
            EXPECT_EQ(component->GetTypeName(), c.TypeNames[language]);
            EXPECT_EQ(component->Caption, c.TypeNames[language]);
            EXPECT_EQ(component->Designator, c.Designator);
            EXPECT_EQ(component->HelpContext, c.Help);
            EXPECT_EQ(component->HasPropertyDialog, c.Dialog);
            EXPECT_FALSE(component->NeedsTimerTick);
            EXPECT_TRUE(component->PanelElementClass.empty());
            EXPECT_EQ(component->ClassType().Parent, &TGrundBT::StaticClass());
            ASSERT_EQ(component->InputCount, static_cast<Integer>(c.Inputs.size()));
            ASSERT_EQ(component->OutputCount, static_cast<Integer>(c.Outputs.size()));
            for (std::size_t i = 0; i < c.Inputs.size(); ++i)
                EXPECT_EQ(component->Inputs[i].Name, c.Inputs[i]) << "input " << i;
            for (std::size_t i = 0; i < c.Outputs.size(); ++i)
                EXPECT_EQ(component->Outputs[i].Name, c.Outputs[i]) << "output " << i;
        }
}

TEST_F(AnalogIdentity, TheFixedValuesDesignatorFollowsTheLanguageAtCreation)
{
    for (const auto& [language, designator] : {std::pair{0, "FW"}, std::pair{1, "FV"}, std::pair{2, "VF"}}) {
        LanguageIndex = language;
        const auto fixed = Make("TBTFest");
        EXPECT_EQ(fixed->Designator, designator);
        EXPECT_EQ(fixed->OutputCount, 1);
        EXPECT_EQ(fixed->InputCount, 0);
        EXPECT_EQ(fixed->HelpContext, 18440);
        const char* const typeNames[] = {"Festwert", "Fixed value", "Valeur fixe"};
        EXPECT_EQ(fixed->GetTypeName(), typeNames[language]);
    }
}

TEST_F(AnalogIdentity, TheComparatorsDesignatorFollowsTheLanguageAtCreation)
{
    const char* const typeNames[] = {"Analog-\rVergleicher", "Analogue\rcomparator", "Comparateur\ranalogique"};
    for (const auto& [language, designator] : {std::pair{0, "AVG"}, std::pair{1, "ACP"}, std::pair{2, "CPA"}}) {
        LanguageIndex = language;
        const auto comparator = Make("TBTAnalogVgl");
        EXPECT_EQ(comparator->Designator, designator);
        EXPECT_EQ(comparator->GetTypeName(), typeNames[language]);
        EXPECT_EQ(comparator->HelpContext, 18430);
        EXPECT_FALSE(comparator->HasPropertyDialog);
        ASSERT_EQ(comparator->InputCount, 2);
        ASSERT_EQ(comparator->OutputCount, 3);
        EXPECT_EQ(comparator->Inputs[1].Name, "B");
        EXPECT_EQ(comparator->Outputs[0].Name, "A<B");
        EXPECT_EQ(comparator->Outputs[2].Name, "A>B");
    }
}

} // namespace
