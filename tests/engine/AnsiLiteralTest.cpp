#include <gtest/gtest.h>

#include "engine/AnsiLiteral.h"

#include <string>

TEST(AnsiLiteral, ConvertsUtf8SourceTextToWindows1252Bytes)
{
    const struct {
        const char* Converted;
        std::string Expected;
    } cases[] = {
        {"plain ASCII"_ansi, "plain ASCII"},
        {""_ansi, ""},
        {"Kanäle Öffnen Größe"_ansi, "Kan\xE4le \xD6" "ffnen Gr\xF6\xDF" "e"},
        {"Fenêtre l´avant ÿ"_ansi, "Fen\xEAtre l\xB4" "avant \xFF"},
        // The typographic block 0x80..0x9F is not Latin-1.
        {"€ „x“ – — ™ Œœ Šš Žž Ÿ"_ansi,
         "\x80 \x84x\x93 \x96 \x97 \x99 \x8C\x9C \x8A\x9A \x8E\x9E \x9F"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(c.Converted), c.Expected);
}
