// The language of the texts the platform layer produces itself: the class
// library's error messages, the system's reasons for a failed file operation
// and the overwrite question of the save dialog. The engine, which owns the
// program's language, installs its choice; until then the texts are German.
#pragma once

#include <string>
#include <string_view>

// 0 German, 1 English, 2 French.
using TTextLanguageSource = int (*)();
void SetTextLanguageSource(TTextLanguageSource source);
// The installed choice, German for anything outside 0..2.
int TextLanguage();

template <class T>
T PlatformText(T german, T english, T french)
{
    const int language = TextLanguage();
    return language == 1 ? english : language == 2 ? french : german;
}

// The system's reason for errno value err in the text language (UTF-8): the
// common file errors in our own words, any other from the C library in the
// language's locale where one is installed, else as the C library gives it.
std::string SystemErrorText(int err);

// The class library's messages in the text language (UTF-8). A fixed German
// message of the class library given to TranslateLibraryMessage comes back in
// the text language; any other text comes back unchanged.
std::string TranslateLibraryMessage(std::string_view german);
// "Datei <name> kann nicht erstellt werden: <reason>" (creating) or
// "... geöffnet werden: <reason>"; name in UTF-8.
std::string FileErrorMessage(std::string_view fileName, bool creating, int err);
// "Klasse <name> nicht gefunden"; name in UTF-8.
std::string ClassNotFoundMessage(std::string_view className);
