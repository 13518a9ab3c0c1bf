#include "platform/Registry.h"

#include "platform/AnsiText.h"

#include <QDir>
#include <QStandardPaths>

namespace {

AnsiString TheFolder;

const char* RootName(Cardinal Root)
{
    switch (Root) {
    case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS: return "HKEY_USERS";
    case HKEY_CURRENT_CONFIG: return "HKEY_CURRENT_CONFIG";
    case HKEY_DYN_DATA: return "HKEY_DYN_DATA";
    default: return "HKEY_CURRENT_USER";
    }
}

}   // namespace

AnsiString RegistryFolder()
{
    if (TheFolder.empty())
        TheFolder = QStringToAnsi(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                  QStringLiteral("/zentrika/registry/"));
    return TheFolder;
}

void SetRegistryFolder(const AnsiString& Folder)
{
    TheFolder = Folder.empty() || Folder.back() == '/' ? Folder : Folder + "/";
}

TRegIniFile::TRegIniFile(Cardinal Root, bool ReadOnly, const AnsiString& KeyPath)
    : TCustomIniFile(KeyPath), FReadOnly(ReadOnly), FKey(KeyPath)
{
    while (!FKey.empty() && FKey.back() == '\\')
        FKey.pop_back();
    const AnsiString folder = RegistryFolder();
    if (!ReadOnly)
        QDir().mkpath(AnsiToQString(folder));
    FFile = std::make_unique<TIniFile>(folder + RootName(Root) + ".ini");
}

AnsiString TRegIniFile::SectionOf(std::string_view section) const
{
    return section.empty() ? FKey : FKey + "\\" + AnsiString(section);
}

AnsiString TRegIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue)
{
    return FFile->ReadString(SectionOf(section), ident, defaultValue);
}

bool TRegIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
    return !FReadOnly && FFile->WriteString(SectionOf(section), ident, value);
}

std::vector<AnsiString> TRegIniFile::ReadSection(std::string_view section)
{
    return FFile->ReadSection(SectionOf(section));
}

std::vector<AnsiString> TRegIniFile::ReadSections()
{
    std::vector<AnsiString> subkeys;
    const AnsiString prefix = FKey + "\\";
    for (const AnsiString& s : FFile->ReadSections())
        if (s.size() > prefix.size() && AnsiSameText(std::string_view(s).substr(0, prefix.size()), prefix))
            subkeys.push_back(s.substr(prefix.size()));
    return subkeys;
}

bool TRegIniFile::EraseSection(std::string_view section)
{
    return !FReadOnly && FFile->EraseSection(SectionOf(section));
}

bool TRegIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
    return !FReadOnly && FFile->DeleteKey(SectionOf(section), ident);
}
