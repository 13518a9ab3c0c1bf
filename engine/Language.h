// The term table: German terms and their English and French texts. Every
// visible text of every layer passes through Translate, so the table lives at
// the bottom of the component layers; the shell reads the language choice.
#pragma once

#include "platform/SysTypes.h"

extern Integer LanguageIndex;   // 0 German, 1 English, 2 French

// The text of a German term in the current language; "???" when the term is
// not in the table or LanguageIndex is outside 0..2.
AnsiString Translate(const AnsiString& german);
