// The language chosen for this run. The term table and LanguageIndex live in
// the engine (engine/Language.h) so every layer can translate; the shell only
// decides the index at start-up.
#pragma once

#include "platform/SysTypes.h"

// The integer of the language file "SPRACHE.INI" in the program folder
// (section and key "Sprache"); 0 (German) when the file or key is missing.
// Not range-checked: Translate answers "???" for an index outside 0..2.
Integer ReadLanguageSetting();
