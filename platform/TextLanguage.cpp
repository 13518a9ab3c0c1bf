#include "platform/TextLanguage.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <locale.h>

namespace {

TTextLanguageSource languageSource = nullptr;

struct TLibraryMessage {
    const char* Text[3];
};

// The class library's fixed messages: German as thrown, then English and French.
constexpr TLibraryMessage LibraryMessages[] = {
    {{"Stream-Lesefehler", "Stream read error", "Erreur de lecture du flux"}},
    {{"Stream-Schreibfehler", "Stream write error", "Erreur d\u2019\u00E9criture du flux"}},
    {{"Ung\u00FCltiger Eigenschaftswert", "Invalid property value", "Valeur de propri\u00E9t\u00E9 incorrecte"}},
    {{"Unbekannter Fehler", "Unknown error", "Erreur inconnue"}},
    // The engine's own read errors of a damaged macro record.
    {{"Makro ohne Platine", "Macro without a board", "Macro sans sch\u00E9ma"}},
    {{"Makro ohne Platine oder Frontplatte", "Macro without a board or front panel",
      "Macro sans sch\u00E9ma ni panneau de contr\u00F4le"}},
};

struct TReason {
    int Error;
    const char* Text[3];
};

// The reasons a user meets when opening and saving files.
constexpr TReason Reasons[] = {
    {ENOENT, {"Datei oder Ordner nicht vorhanden", "No such file or folder", "Fichier ou dossier introuvable"}},
    {EACCES, {"Keine Berechtigung", "Permission denied", "Autorisation refus\u00E9e"}},
    {EPERM, {"Vorgang nicht erlaubt", "Operation not permitted", "Op\u00E9ration non autoris\u00E9e"}},
    {EROFS, {"Schreibgesch\u00FCtztes Dateisystem", "Read-only file system", "Syst\u00E8me de fichiers en lecture seule"}},
    {ENOSPC, {"Kein Speicherplatz mehr auf dem Ger\u00E4t", "No space left on the device", "Plus de place sur le p\u00E9riph\u00E9rique"}},
    {EDQUOT, {"Speicherkontingent \u00FCberschritten", "Disk quota exceeded", "Quota de disque d\u00E9pass\u00E9"}},
    {EISDIR, {"Ist ein Ordner", "Is a folder", "C\u2019est un dossier"}},
    {ENOTDIR, {"Ist kein Ordner", "Not a folder", "N\u2019est pas un dossier"}},
    {ENAMETOOLONG, {"Dateiname zu lang", "File name too long", "Nom de fichier trop long"}},
    {EEXIST, {"Datei ist bereits vorhanden", "File already exists", "Le fichier existe d\u00E9j\u00E0"}},
    {EIO, {"Ein-/Ausgabefehler", "Input/output error", "Erreur d\u2019entr\u00E9e-sortie"}},
    {EMFILE, {"Zu viele offene Dateien", "Too many open files", "Trop de fichiers ouverts"}},
    {ELOOP, {"Zu viele Ebenen symbolischer Verkn\u00FCpfungen", "Too many levels of symbolic links",
             "Trop de niveaux de liens symboliques"}},
};

}   // namespace

void SetTextLanguageSource(TTextLanguageSource source)
{
    languageSource = source;
}

int TextLanguage()
{
    const int language = languageSource ? languageSource() : 0;
    return language == 1 || language == 2 ? language : 0;
}

std::string SystemErrorText(int err)
{
    const int language = TextLanguage();
    for (const TReason& reason : Reasons)
        if (reason.Error == err)
            return reason.Text[language];
    static const char* const locales[3] = {"de_DE.UTF-8", "en_US.UTF-8", "fr_FR.UTF-8"};
    if (locale_t locale = newlocale(LC_MESSAGES_MASK, locales[language], locale_t(nullptr))) {
        std::string text = strerror_l(err, locale);
        freelocale(locale);
        return text;
    }
    return std::strerror(err);
}

std::string TranslateLibraryMessage(std::string_view german)
{
    for (const TLibraryMessage& message : LibraryMessages)
        if (german == message.Text[0])
            return message.Text[TextLanguage()];
    return std::string(german);
}

std::string FileErrorMessage(std::string_view fileName, bool creating, int err)
{
    const std::string name(fileName);
    std::string text;
    switch (TextLanguage()) {
    case 1: text = "Cannot " + std::string(creating ? "create" : "open") + " file " + name; break;
    case 2:
        text = "Impossible " + std::string(creating ? "de cr\u00E9er" : "d\u2019ouvrir") + " le fichier " + name;
        break;
    default: text = "Datei " + name + " kann nicht " + (creating ? "erstellt" : "ge\u00F6ffnet") + " werden"; break;
    }
    return text + (TextLanguage() == 2 ? " : " : ": ") + SystemErrorText(err);
}

std::string ClassNotFoundMessage(std::string_view className)
{
    const std::string name(className);
    return PlatformText<std::string>("Klasse " + name + " nicht gefunden", "Class " + name + " not found",
                                     "Classe " + name + " introuvable");
}
