// The term table: German terms and their English and French texts. Every
// visible text of every layer passes through Translate, so the table lives at
// the bottom of the component layers; the shell reads the language choice.
#pragma once

#include "platform/SysTypes.h"

#include <type_traits>

extern Integer LanguageIndex;   // 0 German, 1 English, 2 French

// The text of a German term in the current language; "???" when the term is
// not in the table or LanguageIndex is outside 0..2.
AnsiString Translate(const AnsiString& german);

// The index of the texts to show: LanguageIndex, or German (0) for an index
// outside 0..2.
inline Integer LanguageChoice()
{
    return LanguageIndex == 1 || LanguageIndex == 2 ? LanguageIndex : 0;
}

// Picks the German, English or French text by LanguageChoice; the one place
// where a text is chosen by language.
template <class T>
T ByLanguage(T german, std::type_identity_t<T> english, std::type_identity_t<T> french)
{
    const Integer choice = LanguageChoice();
    return choice == 1 ? english : choice == 2 ? french : german;
}
