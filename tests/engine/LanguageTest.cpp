#include <gtest/gtest.h>

#include "engine/Language.h"
#include "engine/TermTable.h"

#include <set>
#include <string>

namespace {

class LanguageTest : public ::testing::Test {
protected:
    void TearDown() override { LanguageIndex = 0; }
};

// Expected texts are written as CP1252 escapes, independent of the source
// conversion the table itself uses.
struct TRowCase {
    std::size_t Row;   // 1-based, as the table is counted
    const char* German;
    const char* English;
    const char* French;
};

TEST_F(LanguageTest, TableHoldsItsRowsInTheirFixedOrder)
{
    const auto table = TermTable();
    ASSERT_EQ(table.size(), 298u);
    const TRowCase cases[] = {
        {1, "Abfolgen", "Sequences", "S\xE9quences"},
        {3, "Eing\xE4nge", "Inputs", "Entr\xE9" "es"},
        {35, "Datei \xFC" "berschreiben", "Overwrite file", "R\xE9-\xE9" "criture fichier"},
        {40, "Datei \xFC" "berschreiben", "Overwrite file", "Fichier recouvrir"},
        {44, "Frontplatte", "Front panel", "Panneau de contr\xF4le"},
        {124, "Knopf", "Knob", "Bouton"},
        {188, "A/D", "ADC", "N/A"},
        {201, "S\xE4mtliche Eigenschaften f\xFCr gew\xE4hlte Objekte \xFC" "bernehmen?",
         "Assign all properties to selected objects?",
         "Assignez toutes les propri\xE9t\xE9s aux objets choisis?"},
        {218, "Hinweistexte ein-/ausschaltbar", "Hints o&n/off", "Commentaires on/off"},
        {241, "Knopf", "Button", "Bouton"},
        {297, "Verschl\xFCsselung", "Encryption", "Cryptage"},
        {298, "Icon", "Icon", "Ic\xF4ne"},
    };
    for (const TRowCase& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.Row));
        const TTranslation& row = table[c.Row - 1];
        EXPECT_STREQ(row.Text[0], c.German);
        EXPECT_STREQ(row.Text[1], c.English);
        EXPECT_STREQ(row.Text[2], c.French);
    }
}

TEST_F(LanguageTest, SixKeysRepeatAndEveryTextIsFilled)
{
    std::set<std::string> keys;
    for (const TTranslation& row : TermTable()) {
        keys.insert(row.Text[0]);
        for (const char* text : row.Text)
            EXPECT_NE(*text, '\0') << row.Text[0];
    }
    EXPECT_EQ(keys.size(), 292u);
}

struct TTranslateCase {
    const char* Term;
    Integer Language;
    const char* Expected;
};

TEST_F(LanguageTest, TranslateTakesTheFirstExactMatchInTheCurrentLanguage)
{
    const TTranslateCase cases[] = {
        {"Knopf", 0, "Knopf"},
        {"Knopf", 1, "Knob"},   // not the later "Button" row
        {"Knopf", 2, "Bouton"},
        {"Datei \xFC" "berschreiben", 2, "R\xE9-\xE9" "criture fichier"},
        {"Z\xE4hler", 1, "Counter"},
        {"Verschl\xFCsselung", 2, "Cryptage"},
        {"Icon", 1, "Icon"},   // the panel window's icon row
        {"Icon", 2, "Ic\xF4ne"},
        // Byte-exact keys: no case folding, no trimming, no UTF-8 spelling.
        {"knopf", 1, "???"},
        {"Knopf ", 1, "???"},
        {"Z\xC3\xA4hler", 1, "???"},
        {"", 0, "???"},
        {"Gibt es nicht", 0, "???"},
        {"Gibt es nicht", 1, "???"},
        {"Gibt es nicht", 2, "???"},
        // An index the language file may hold but no column answers.
        {"Knopf", 3, "???"},
        {"Knopf", -1, "???"},
    };
    for (const TTranslateCase& c : cases) {
        SCOPED_TRACE(std::string(c.Term) + " / " + std::to_string(c.Language));
        LanguageIndex = c.Language;
        EXPECT_EQ(Translate(c.Term), c.Expected);
    }
}

} // namespace
