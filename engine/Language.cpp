#include "engine/Language.h"

#include "engine/TermTable.h"

Integer LanguageIndex = 0;

AnsiString Translate(const AnsiString& german)
{
    if (LanguageIndex < 0 || LanguageIndex > 2)
        return "???";
    // First match wins: the table keeps some German terms twice.
    for (const TTranslation& term : TermTable())
        if (german == term.Text[0])
            return term.Text[LanguageIndex];
    return "???";
}
