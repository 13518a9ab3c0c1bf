#include "engine/Language.h"

#include "engine/TermTable.h"
#include "platform/TextLanguage.h"

Integer LanguageIndex = 0;

namespace {

// The platform's own texts (the class library's errors, the system's reasons,
// the overwrite question) follow the program's language.
const bool textLanguageInstalled = (SetTextLanguageSource([] { return int(LanguageChoice()); }), true);

}   // namespace

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
