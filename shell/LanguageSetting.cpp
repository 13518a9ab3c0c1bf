#include "shell/LanguageSetting.h"

#include "platform/IniFile.h"
#include "platform/Paths.h"

Integer ReadLanguageSetting()
{
    TIniFile languageFile(ProgramFolder() + "SPRACHE.INI");
    return languageFile.ReadInteger("Sprache", "Sprache", 0);
}
